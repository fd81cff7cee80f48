// POSIX systems: a file is read with one open between two status calls (so
// nothing but a regular file is ever opened), and written through our own
// temporary file with the syncs that make a save survive a power cut. A save
// opens the folder of its file once and does every step relative to it, so
// the file that was checked is the file that is replaced.
#include "qtbase/SystemFile.h"

#ifndef Q_OS_WIN

#include "qtbase/FileIO.h"
#include "qtbase/UserError.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <limits>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>
#ifdef __linux__
#include <sys/random.h>
#endif

#ifndef O_PATH // a folder to work in, not to read: Linux; elsewhere read-only
#define O_PATH O_RDONLY
#endif

namespace {

// A file descriptor, closed when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    int release() { return std::exchange(fd_, -1); }
    void reset(int fd = -1)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

// Why something that is not a regular file is not read or replaced.
QString NotAFileReason(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("To jest katalog, nie plik.");
    if (S_ISFIFO(mode))
        return QStringLiteral("To jest potok nazwany (FIFO), nie zwykły plik.");
    if (S_ISCHR(mode))
        return QStringLiteral("To jest urządzenie znakowe, nie zwykły plik.");
    if (S_ISBLK(mode))
        return QStringLiteral("To jest urządzenie blokowe, nie zwykły plik.");
    if (S_ISSOCK(mode))
        return QStringLiteral("To jest gniazdo, nie zwykły plik.");
    return QStringLiteral("To nie jest zwykły plik.");
}

QString NotReplacedReason(mode_t mode)
{
    if (S_ISDIR(mode))
        return NotAFileReason(mode);
    return NotAFileReason(mode) + QStringLiteral(" Program zastępuje tylko zwykłe pliki.");
}

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

// The start of this file's temporaries: a hidden name that says whose it is.
// Long names are cut so that the temporary's name still fits.
constexpr std::string_view kTemporaryMark = ".welkor-zapis-";

std::string TemporaryPrefix(const std::string& baseName)
{
    constexpr std::size_t kMaxBase = 200;
    std::string prefix(1, '.');
    prefix.append(baseName, 0, kMaxBase);
    prefix += kTemporaryMark;
    return prefix;
}

// Bytes from the system's random source: the kernel's generator, or its
// device where the call is missing. False when neither gives them.
bool SystemRandomBytes(unsigned char* out, std::size_t size)
{
    std::size_t got = 0;
#ifdef __linux__
    while (got < size) {
        const ssize_t n = ::getrandom(out + got, size - got, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    if (got == size)
        return true;
#endif
    const Fd device(::open("/dev/urandom", O_RDONLY | O_CLOEXEC | O_NOCTTY));
    struct stat status{};
    if (!device.ok() || ::fstat(device.get(), &status) != 0 || !S_ISCHR(status.st_mode))
        return false;
    for (got = 0; got < size;) {
        const ssize_t n = ::read(device.get(), out + got, size - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

// Six letters or digits from the system's random source, empty when it
// gives nothing.
std::string RandomTag()
{
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char random[6];
    if (!SystemRandomBytes(random, sizeof random))
        return {};
    std::string tag(sizeof random, 'x');
    for (std::size_t i = 0; i < sizeof random; ++i)
        tag[i] = kLetters[random[i] % (sizeof kLetters - 1)];
    return tag;
}

// The writer's process id from "<prefix><pid>-<6 letters>", or -1 when the
// name is not one of our temporaries (a number too large for a process id
// included).
pid_t TemporaryOwner(std::string_view name, std::string_view prefix)
{
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix)
        return -1;
    const std::string_view rest = name.substr(prefix.size());
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string_view::npos || rest.size() - dash - 1 != 6 || dash > 10)
        return -1;
    long long pid = 0;
    for (std::size_t i = 0; i < dash; ++i) {
        if (rest[i] < '0' || rest[i] > '9')
            return -1;
        pid = pid * 10 + (rest[i] - '0');
        if (pid > std::numeric_limits<pid_t>::max())
            return -1;
    }
    return static_cast<pid_t>(pid);
}

// The prefix of the file a temporary-like name belongs to, or empty.
std::string_view TemporaryPrefixOf(std::string_view name)
{
    const std::size_t mark = name.rfind(kTemporaryMark);
    if (name.empty() || name.front() != '.' || mark == std::string_view::npos || mark == 0)
        return {};
    return name.substr(0, mark + kTemporaryMark.size());
}

// Removes a temporary whose writer is gone (killed, or a crash) or is this
// very process (a write that could not clean up after itself): only a
// regular file of the saving user with no other name.
void RemoveIfStray(int folder, const std::string& name, const std::string& prefix)
{
    const pid_t owner = TemporaryOwner(name, prefix);
    if (owner <= 0)
        return;
    if (owner != ::getpid() && !(::kill(owner, 0) == -1 && errno == ESRCH))
        return;
    struct stat status{};
    if (::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    if (S_ISREG(status.st_mode) && status.st_uid == ::geteuid() && status.st_nlink == 1)
        ::unlinkat(folder, name.c_str(), 0);
}

// The temporary-like names of a folder, by the prefix of their file.
using TemporaryNames = std::map<std::string, std::vector<std::string>, std::less<>>;

TemporaryNames FindTemporaries(int folder, std::string_view onlyPrefix)
{
    TemporaryNames found;
    const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return found; // a folder that cannot be listed keeps its strays
    DIR* entries = ::fdopendir(fd);
    if (entries == nullptr) {
        ::close(fd);
        return found;
    }
    while (const dirent* entry = ::readdir(entries)) {
        const std::string_view name = entry->d_name;
        const std::string_view prefix = TemporaryPrefixOf(name);
        if (!prefix.empty() && (onlyPrefix.empty() || prefix == onlyPrefix))
            found[std::string(prefix)].emplace_back(name);
    }
    ::closedir(entries);
    return found;
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

// ---- Names and folders --------------------------------------------------------------

bool FileNameExists(const QString& name)
{
    struct stat status{};
    return ::lstat(FileNameBytes(name).constData(), &status) == 0;
}

bool IsFolder(const QString& name)
{
    struct stat status{};
    return ::stat(FileNameBytes(name).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool MakeFolderPath(const QString& folder)
{
    const std::string path = FileNameBytes(folder).toStdString();
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string part = path.substr(0, end);
        if (!part.empty() && ::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
        if (end == std::string::npos)
            break;
    }
    return IsFolder(folder);
}

QStringList FolderFiles(const QString& folder, const QString& suffix)
{
    const QByteArray path = FileNameBytes(folder);
    DIR* entries = ::opendir(path.constData());
    if (entries == nullptr)
        throw UserError(QStringLiteral("Nie można odczytać folderu „%1”. %2").arg(folder, SystemReason(errno)));
    const std::string ending = suffix.toLower().toStdString();
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(entries)) {
        const std::string name = entry->d_name;
        if (name.empty() || name.front() == '.' || name.size() <= ending.size())
            continue;
        std::string tail = name.substr(name.size() - ending.size());
        std::transform(tail.begin(), tail.end(), tail.begin(),
                       [](char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; });
        if (tail != ending)
            continue;
        // Anything else named so is listed, to be read or refused by name.
        struct stat status{};
        if (entry->d_type == DT_DIR
            || ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN)
                && ::fstatat(::dirfd(entries), entry->d_name, &status, 0) == 0 && S_ISDIR(status.st_mode)))
            continue;
        names.push_back(name);
    }
    ::closedir(entries);
    std::sort(names.begin(), names.end());
    QStringList files;
    files.reserve(static_cast<qsizetype>(names.size()));
    const QString joined = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    for (const std::string& name : names)
        files.push_back(joined + FileNameFromBytes(QByteArray::fromStdString(name)));
    return files;
}

// ---- Reading ---------------------------------------------------------------------

SystemFile::SystemFile(const QString& fileName) : fileName_(fileName)
{
    // The kind of file is known before it is opened: opening a FIFO would
    // wait for a writer, and opening a device may act on it.
    const QByteArray path = FileNameBytes(fileName);
    struct stat status{};
    if (::stat(path.constData(), &status) != 0)
        ThrowCannotOpen(fileName, SystemReason(errno));
    if (!S_ISREG(status.st_mode))
        ThrowCannotOpen(fileName, NotAFileReason(status.st_mode));
    // Should something else take the name meanwhile, the open still does not
    // wait, and the status of what was opened decides.
    do
        fd_ = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0)
        ThrowCannotOpen(fileName, SystemReason(errno));
    if (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode)) {
        const QString reason = S_ISREG(status.st_mode) ? SystemReason(errno) : NotAFileReason(status.st_mode);
        ::close(fd_);
        fd_ = -1;
        ThrowCannotOpen(fileName, reason);
    }
    if (const int flags = ::fcntl(fd_, F_GETFL); flags >= 0)
        ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
    size_ = static_cast<qint64>(status.st_size);
}

SystemFile::~SystemFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

qint64 SystemFile::read(char* data, qint64 maxBytes)
{
    for (;;) {
        const ssize_t got = ::read(fd_, data, static_cast<std::size_t>(maxBytes));
        if (got >= 0)
            return got;
        if (errno != EINTR)
            ThrowCannotOpen(fileName_, SystemReason(errno));
    }
}

#endif // !Q_OS_WIN
