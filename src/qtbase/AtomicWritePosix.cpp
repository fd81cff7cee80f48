// POSIX systems: a file is written through our own temporary file with the
// syncs that make a save survive a power cut. A save opens the folder of its
// file once and does every step relative to it, so the file that was checked
// is the file that is replaced.
#include "qtbase/FileIO.h"

#ifndef Q_OS_WIN

#include "qtbase/PosixFiles.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <grp.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#ifndef O_PATH // a folder to work in, not to read: Linux; elsewhere read-only
#define O_PATH O_RDONLY
#endif

using namespace posix_files;

namespace {

// A name as the folder of the path and its last part: "a/b/c" -> "a/b" and
// "c", "c" -> "." and "c", "/c" -> "/" and "c".
std::pair<std::string, std::string> SplitPath(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? std::string("/") : path.substr(0, slash), path.substr(slash + 1)};
}

// Whether the system follows a link on a machine that protects links
// (fs.protected_symlinks): in a folder where everybody may create files and
// only owners remove them (sticky and writable by all, as /tmp), a link is
// followed only by its owner or when the folder's owner owns it too.
bool MayFollow(const struct stat& folder, const struct stat& link)
{
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || link.st_uid == ::geteuid() || link.st_uid == folder.st_uid;
}

void SyncFolder(int folder)
{
    // Best effort: the rename is done; a folder that cannot be synced (some
    // file systems refuse) still holds the new file.
    const Fd readable(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (readable.ok())
        FileWriteCallsInUse().fsync(readable.get());
}

// The mask new files get, without changing it (the kernel tells it since
// Linux 4.7; elsewhere it is read by setting it and back).
mode_t CurrentUmask()
{
    if (FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status))
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found)
            return static_cast<mode_t>(mask);
    }
    static std::mutex lock;
    const std::lock_guard<std::mutex> guard(lock);
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

QString GroupName(gid_t gid)
{
    std::vector<char> buffer(16384);
    group entry{};
    group* found = nullptr;
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr)
        return FileNameFromBytes(QByteArray(found->gr_name));
    return QString::number(gid);
}

// A write over the file-size limit (ulimit -f) fails with EFBIG and is
// reported like any failed write, rather than ending the process at once.
void IgnoreFileSizeSignal()
{
    static const bool done = [] {
        struct sigaction current{};
        if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            ::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)done;
}

} // namespace

struct SaveBatch::Folders {
    struct Folder {
        TemporaryNames temporaries; // found at the first save, not yet dealt with
        int syncLater = -1;         // the folder, to be synced once the batch ends
    };
    std::map<std::pair<dev_t, ino_t>, Folder> byId; // by device and inode
};

SaveBatch::SaveBatch() : folders_(std::make_unique<Folders>()) {}

SaveBatch::~SaveBatch()
{
    for (auto& [id, folder] : folders_->byId) {
        if (folder.syncLater >= 0) {
            FileWriteCallsInUse().fsync(folder.syncLater);
            ::close(folder.syncLater);
        }
    }
}

FileWriteCalls& FileWriteCallsInUse()
{
    static FileWriteCalls calls{::write, ::fsync, ::renameat};
    return calls;
}

QString WriteFileAtomically(const QString& fileName, std::string_view bytes, SaveBatch* batch)
{
    IgnoreFileSizeSignal();
    bool existed = false;
    auto fail = [&](const QString& reason) { ThrowCannotCreate(fileName, existed, reason); };

    // The folder and the name in it; a link that may be followed leads to
    // another folder and name, and so on.
    auto [folderPath, name] = SplitPath(FileNameBytes(fileName).toStdString());
    Fd folder(::open(folderPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder.ok())
        fail(SystemReason(errno));
    struct stat old{};
    bool present = false;
    for (int links = 0;; ++links) {
        if (name.empty() || name == "." || name == "..") {
            existed = true;
            fail(NotAFileReason(S_IFDIR));
        }
        if (::fstatat(folder.get(), name.c_str(), &old, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT)
                fail(SystemReason(errno));
            break; // a new file (perhaps where a link points)
        }
        existed = true;
        if (!S_ISLNK(old.st_mode)) {
            present = true;
            break;
        }
        struct stat folderStatus{};
        if (::fstat(folder.get(), &folderStatus) != 0)
            fail(SystemReason(errno));
        if (!MayFollow(folderStatus, old))
            fail(QStringLiteral("To jest dowiązanie symboliczne innego użytkownika w folderze, w którym każdy "
                                "może tworzyć pliki (jak /tmp). Program nie zapisuje przez takie dowiązania: "
                                "mogło zostać podłożone."));
        if (links == 40)
            fail(SystemReason(ELOOP));
        std::vector<char> target(4096);
        const ssize_t length = ::readlinkat(folder.get(), name.c_str(), target.data(), target.size());
        if (length < 0)
            fail(SystemReason(errno));
        if (static_cast<std::size_t>(length) == target.size())
            fail(SystemReason(ENAMETOOLONG));
        const auto [linkFolder, linkName] = SplitPath(std::string(target.data(), static_cast<std::size_t>(length)));
        // A relative link is read from the folder that holds it.
        const int next = ::openat(folder.get(), linkFolder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (next < 0)
            fail(SystemReason(errno));
        folder.reset(next);
        name = linkName;
    }
    if (present) {
        if (!S_ISREG(old.st_mode))
            fail(NotReplacedReason(old.st_mode));
        // The rename would replace a file the user may not write whenever
        // the folder takes new files: only what the user could overwrite is.
        if (::faccessat(folder.get(), name.c_str(), W_OK, AT_EACCESS) != 0)
            fail(errno == EACCES ? QStringLiteral("Brak uprawnień do zapisu tego pliku.") : SystemReason(errno));
    }

    // The temporary is the saving user's alone until it holds the file's
    // permissions, just before it takes the file's place.
    const std::string prefix = TemporaryPrefix(name);
    FileWriteCalls& calls = FileWriteCallsInUse();
    std::string temporary;
    Fd out;
    for (int attempt = 0; !out.ok(); ++attempt) {
        const std::string tag = RandomTag();
        if (tag.empty())
            fail(QStringLiteral("Systemowe źródło liczb losowych jest niedostępne."));
        temporary = prefix + std::to_string(::getpid()) + "-" + tag;
        out.reset(::openat(folder.get(), temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                           0600));
        if (!out.ok() && (errno != EEXIST || attempt == 10))
            fail(SystemReason(errno));
    }
    auto abandon = [&](const QString& reason) {
        out.reset();
        ::unlinkat(folder.get(), temporary.c_str(), 0);
        fail(reason);
    };

    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = calls.write(out.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            abandon(SystemReason(n < 0 ? errno : EIO));
        done += static_cast<std::size_t>(n);
    }
    // The content is on the disk before the name points at it.
    if (calls.fsync(out.get()) != 0)
        abandon(SystemReason(errno));

    // The group (and, for root, the owner) and the permissions of the file
    // replaced; a new file gets what any new file gets.
    QString note;
    mode_t mode = 0666 & ~CurrentUmask();
    if (present) {
        mode = old.st_mode & 07777;
        struct stat made{};
        if (::fstat(out.get(), &made) != 0)
            abandon(SystemReason(errno));
        const uid_t owner = ::geteuid() == 0 ? old.st_uid : static_cast<uid_t>(-1);
        const bool differs = made.st_gid != old.st_gid || (::geteuid() == 0 && made.st_uid != old.st_uid);
        if (differs && ::fchown(out.get(), owner, old.st_gid) != 0) {
            // Not a member of the file's group: the file is saved with the
            // user's own, and nobody gets rights through a group they did
            // not have.
            mode &= ~static_cast<mode_t>(S_ISUID | S_ISGID);
            note = QStringLiteral("Plik „%1” został zapisany, ale bez swojej dotychczasowej grupy „%2”: "
                                  "zapisujący użytkownik do niej nie należy. Plik ma teraz grupę „%3”, więc "
                                  "członkowie grupy „%2” mogą stracić do niego dostęp.")
                       .arg(fileName, GroupName(old.st_gid), GroupName(made.st_gid));
        }
    }
    if (::fchmod(out.get(), mode) != 0)
        abandon(SystemReason(errno));
    if (::close(out.release()) != 0) {
        const int error = errno;
        ::unlinkat(folder.get(), temporary.c_str(), 0);
        fail(SystemReason(error));
    }

    // Whatever took the name meanwhile must still be a file to replace.
    struct stat now{};
    if (::fstatat(folder.get(), name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(now.st_mode)) {
        ::unlinkat(folder.get(), temporary.c_str(), 0);
        existed = true;
        fail(NotReplacedReason(now.st_mode));
    }
    if (calls.renameat(folder.get(), temporary.c_str(), folder.get(), name.c_str()) != 0) {
        const int error = errno;
        ::unlinkat(folder.get(), temporary.c_str(), 0);
        fail(SystemReason(error));
    }
    // The rename itself is on the disk once the folder is. A batch syncs
    // each of its folders once, when it ends: every file is still the old
    // or the new one whole, and the batch's files are all on the disk when
    // the command is done.
    // Temporaries of this file left by killed saves: a batch lists each
    // folder once and keeps what it found for the saves that follow.
    TemporaryNames found;
    struct stat folderStatus{};
    if (batch == nullptr || ::fstat(folder.get(), &folderStatus) != 0) {
        SyncFolder(folder.get());
        found = FindTemporaries(folder.get(), prefix);
    } else {
        auto [known, first] = batch->folders_->byId.try_emplace({folderStatus.st_dev, folderStatus.st_ino});
        SaveBatch::Folders::Folder& f = known->second;
        if (first) {
            f.temporaries = FindTemporaries(folder.get(), {});
            f.syncLater = ::openat(folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (f.syncLater < 0)
                SyncFolder(folder.get());
        }
        if (auto mine = f.temporaries.find(prefix); mine != f.temporaries.end()) {
            found[prefix] = std::move(mine->second);
            f.temporaries.erase(mine);
        }
    }
    if (auto mine = found.find(prefix); mine != found.end())
        for (const std::string& stray : mine->second)
            RemoveIfStray(folder.get(), stray, prefix);
    return note;
}

#endif // !Q_OS_WIN
