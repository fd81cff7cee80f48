#include "FileLayerProperties.h"

#ifndef WELKOR_FUZZ_FILE_LAYER

namespace welkor::fuzz {
std::string CheckFileLayer(std::string_view) { return {}; }
} // namespace welkor::fuzz

#else

#include "Verdict.h"

#include "qtbase/FileIO.h"
#include "qtbase/UserError.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <map>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace welkor::fuzz {

namespace {

constexpr uid_t kOtherUser = 12345;

// What one name in the sandbox is, as far as a save may change it.
struct Entry {
    mode_t mode = 0; // type and permissions
    uid_t uid = 0;
    gid_t gid = 0;
    nlink_t links = 0;
    std::string data; // a file's content or a link's target

    bool operator==(const Entry& other) const
    {
        return mode == other.mode && uid == other.uid && gid == other.gid && data == other.data;
    }
};

using Snapshot = std::map<std::string, Entry>; // by path under the sandbox

void Take(const std::string& root, const std::string& relative, Snapshot& out)
{
    DIR* folder = ::opendir((root + "/" + relative).c_str());
    if (folder == nullptr)
        return;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string path = relative.empty() ? name : relative + "/" + name;
        const std::string full = root + "/" + path;
        struct stat status{};
        if (::lstat(full.c_str(), &status) != 0)
            continue;
        Entry e{status.st_mode, status.st_uid, status.st_gid, status.st_nlink, {}};
        if (S_ISLNK(status.st_mode)) {
            char target[4096];
            const ssize_t n = ::readlink(full.c_str(), target, sizeof target);
            e.data.assign(target, n > 0 ? static_cast<std::size_t>(n) : 0);
        } else if (S_ISREG(status.st_mode)) {
            const int fd = ::open(full.c_str(), O_RDONLY | O_CLOEXEC);
            char block[4096];
            for (ssize_t n; fd >= 0 && (n = ::read(fd, block, sizeof block)) > 0;)
                e.data.append(block, static_cast<std::size_t>(n));
            if (fd >= 0)
                ::close(fd);
        }
        out[path] = e;
        if (S_ISDIR(status.st_mode))
            Take(root, path, out);
    }
    ::closedir(folder);
}

Snapshot Take(const std::string& root)
{
    Snapshot out;
    Take(root, "", out);
    return out;
}

int RemoveOne(const char* path, const struct stat*, int, FTW*) { return ::remove(path); }

void RemoveTree(const std::string& path) { ::nftw(path.c_str(), RemoveOne, 16, FTW_DEPTH | FTW_PHYS); }

struct Sandbox {
    std::string root;
    pid_t deadPid = 0;
    mode_t umask = 022;

    Sandbox()
    {
        // In memory where the system has such a folder: a disk busy with
        // its journal would set the pace, not the save.
        char inMemory[] = "/dev/shm/welkor-fuzz-pliki-XXXXXX";
        char onDisk[] = "/tmp/welkor-fuzz-pliki-XXXXXX";
        if (::mkdtemp(inMemory) != nullptr)
            root = inMemory;
        else if (::mkdtemp(onDisk) != nullptr)
            root = onDisk;
        deadPid = 4194000;
        while (deadPid > 2 && !(::kill(deadPid, 0) == -1 && errno == ESRCH))
            --deadPid;
        umask = ::umask(022);
        ::umask(umask);
        // Syncing is the disk's business, not a property: left out for speed.
        FileWriteCallsInUse().fsync = [](int) { return 0; };
    }
    ~Sandbox()
    {
        if (!root.empty())
            RemoveTree(root);
    }
};

Sandbox& TheSandbox()
{
    static Sandbox sandbox;
    return sandbox;
}

class Bytes {
public:
    explicit Bytes(std::string_view bytes) : bytes_(bytes) {}
    unsigned Next() { return at_ < bytes_.size() ? static_cast<unsigned char>(bytes_[at_++]) : 0; }
    std::string_view Rest() const { return bytes_.substr(std::min(at_, bytes_.size())); }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

// "a/b/../c" -> "a/c"; nothing when it leaves the sandbox.
std::optional<std::string> Normal(const std::string& path)
{
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (;;) {
        const std::size_t slash = path.find('/', from);
        const std::string part = path.substr(from, slash - from);
        if (part == "..") {
            if (parts.empty())
                return std::nullopt;
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        if (slash == std::string::npos)
            break;
        from = slash + 1;
    }
    std::string out;
    for (const std::string& part : parts)
        out += (out.empty() ? "" : "/") + part;
    return out;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// Where a save of `path` must write, by the rule a protected system follows
// links with, or nothing when it must refuse: a link it may not follow, a
// loop, a target that is not a regular file or a missing folder.
std::optional<std::string> Destination(const Snapshot& before, std::string path)
{
    for (int hops = 0; hops <= 40; ++hops) {
        const auto found = before.find(path);
        if (found == before.end()) {
            const std::string folder = FolderOf(path);
            const auto parent = before.find(folder);
            const bool folderThere = folder.empty() || (parent != before.end() && S_ISDIR(parent->second.mode));
            return folderThere ? std::optional<std::string>(path) : std::nullopt;
        }
        const Entry& e = found->second;
        if (S_ISREG(e.mode))
            return path;
        if (!S_ISLNK(e.mode))
            return std::nullopt;
        const Entry& folder = before.at(FolderOf(path));
        const bool shared = (folder.mode & S_ISVTX) && (folder.mode & S_IWOTH);
        if (shared && e.uid != ::geteuid() && e.uid != folder.uid)
            return std::nullopt;
        const std::optional<std::string> next = Normal(FolderOf(path) + "/" + e.data);
        if (!next)
            return std::nullopt;
        path = *next;
    }
    return std::nullopt;
}

// Whether a save of `destination` may remove this planted name: a regular
// file of the saving user, alone under its name, called as a temporary of
// that file whose writer (a process number of up to ten digits) is gone or
// is this process.
bool RemovableStray(const std::string& destination, const std::string& path, const Entry& e, pid_t deadPid)
{
    const std::string prefix = FolderOf(destination) + "/." + NameOf(destination) + ".welkor-zapis-";
    if (path.compare(0, prefix.size(), prefix) != 0 || !S_ISREG(e.mode) || e.uid != ::geteuid() || e.links != 1)
        return false;
    const std::string rest = path.substr(prefix.size());
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string::npos || dash > 10 || rest.size() - dash - 1 != 6)
        return false;
    long long pid = 0;
    for (std::size_t i = 0; i < dash; ++i) {
        if (rest[i] < '0' || rest[i] > '9')
            return false;
        pid = pid * 10 + (rest[i] - '0');
    }
    return pid == deadPid || pid == ::getpid();
}

} // namespace

std::string CheckFileLayer(std::string_view input)
{
    Verdict verdict;
    Sandbox& box = TheSandbox();
    if (box.root.empty())
        return "no sandbox folder";
    const std::string& root = box.root;
    const bool asRoot = ::geteuid() == 0;

    // Names go to bytes and back unchanged, and UTF-8 reads as UTF-8.
    const QByteArray raw(input.data(), static_cast<qsizetype>(input.size()));
    verdict.Expect(FileNameBytes(FileNameFromBytes(raw)) == raw,
                   [&] { return "the name " + Shown(input) + " does not come back from text"; });
    if (QString::fromUtf8(raw).toUtf8() == raw)
        verdict.Expect(FileNameFromBytes(raw) == QString::fromUtf8(raw),
                       [&] { return "the UTF-8 name " + Shown(input) + " reads otherwise"; });

    // The scene: f/ the folder of the save, poza/ outside it with the canary.
    RemoveTree(root + "/f");
    RemoveTree(root + "/poza");
    Bytes b(input);
    const mode_t folderModes[] = {0755, 01777, 0777, 02775, 0700};
    const mode_t folderMode = folderModes[b.Next() % 5];
    const unsigned kind = b.Next() % 13;
    const mode_t fileModes[] = {0644, 0600, 0640, 0444, 0666};
    const mode_t fileMode = fileModes[b.Next() % 5];
    const bool linksOfAnother = asRoot && (b.Next() & 1) != 0;
    const std::string f = root + "/f";
    const std::string poza = root + "/poza";
    ::mkdir(f.c_str(), 0700);
    ::chmod(f.c_str(), folderMode);
    ::mkdir(poza.c_str(), 0755);
    auto file = [](const std::string& path, const char* text, mode_t mode) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            if (::write(fd, text, std::strlen(text)) < 0) {
            }
            ::fchmod(fd, mode);
            ::close(fd);
        }
    };
    auto link = [&](const char* target, const std::string& path) {
        // A step that fails leaves less planted; the properties hold either way.
        if (::symlink(target, path.c_str()) == 0 && linksOfAnother && ::lchown(path.c_str(), kOtherUser, kOtherUser) != 0)
            return;
    };
    file(poza + "/kanarek", "kanarek", 0644);
    file(poza + "/cel", "cel poza", 0644);
    ::mkfifo((poza + "/fifo").c_str(), 0644);
    file(f + "/inny.rap", "inny", 0644);
    const std::string target = f + "/cel.rap";
    switch (kind) {
    case 0: break;
    case 1: file(target, "stary", fileMode); break;
    case 2: link("../poza/cel", target); break;
    case 3: link("../poza/brak", target); break;
    case 4: link("inny.rap", target); break;
    case 5: link("nie-ma/x.rap", target); break;
    case 6: link("petla.rap", target), link("cel.rap", f + "/petla.rap"); break;
    case 7: ::mkdir(target.c_str(), 0755); break;
    case 8: ::mkfifo(target.c_str(), 0644); break;
    case 9:
        if (::mknod(target.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            ::mkfifo(target.c_str(), 0644);
        break;
    case 10: link("../poza", target); break;
    case 11: link("../poza/fifo", target); break;
    case 12: link("lancuch.rap", target), link("../poza/cel", f + "/lancuch.rap"); break;
    }
    // Temporary-like names planted beside: this file's or another's, of a
    // dead writer, a live one, this process or no process at all, and of
    // every kind.
    for (unsigned n = b.Next() % 7; n > 0; --n) {
        const unsigned what = b.Next();
        const unsigned how = b.Next();
        const std::string pids[] = {std::to_string(box.deadPid), "1", std::to_string(::getpid()), "99999999999",
                                    "2147483648", "9999999999", "", "12a"};
        const std::string name = std::string(what & 1 ? ".inny.rap" : ".cel.rap") + ".welkor-zapis-"
            + pids[(what >> 1) % 8] + (what & 0x10 ? "-AbC12" : "-AbC123") + std::to_string(n);
        const std::string path = f + "/" + name.substr(0, name.size() - 1); // the digit keeps names apart
        const std::string unique = f + "/" + name;
        const std::string& at = (how & 0x20) ? unique : path;
        switch (how % 5) {
        case 0: file(at, "porzucony", 0600); break;
        case 1:
            file(at, "obcy", 0600);
            // A chown that fails leaves it the saving user's own: still a case.
            if (asRoot && ::chown(at.c_str(), kOtherUser, kOtherUser) != 0)
                ::unlink(at.c_str());
            break;
        case 2:
            if (::symlink("../poza/kanarek", at.c_str()) != 0)
                ::unlink(at.c_str());
            break;
        case 3: ::mkfifo(at.c_str(), 0600); break;
        case 4: ::mkdir(at.c_str(), 0700); break;
        }
    }
    const std::string_view content = b.Rest().substr(0, 4096);

    const Snapshot before = Take(root);
    const std::optional<std::string> destination = Destination(before, "f/cel.rap");
    bool saved = false;
    std::string message;
    try {
        const QString note = WriteFileAtomically(QString::fromStdString(target), content);
        saved = true;
        verdict.Expect(note.isEmpty() || !asRoot, "root could not keep a group");
    } catch (const UserError& e) {
        message = e.message().toStdString();
    } catch (const std::exception& e) {
        return std::string("the save threw something other than its error: ") + e.what();
    }
    const Snapshot after = Take(root);
    const auto scene = [&] {
        char folder[16];
        std::snprintf(folder, sizeof folder, "%04o", static_cast<unsigned>(folderMode));
        return "scene " + std::to_string(kind) + ", folder " + folder;
    };

    verdict.Expect(after.count("poza/kanarek") && after.at("poza/kanarek") == before.at("poza/kanarek"),
                   [&] { return scene() + ": the canary outside the folder changed"; });
    verdict.Expect(saved == destination.has_value(), [&] {
        return scene() + (saved ? ": saved where it must refuse" : ": refused where it must save: " + message);
    });
    if (!saved) {
        verdict.Expect(message.rfind("Cannot create file \"" + target + "\". ", 0) == 0 && message.find('%') == std::string::npos,
                       [&] { return scene() + ": the message " + Shown(message); });
        verdict.Expect(after == before, [&] { return scene() + ": a refused save changed something"; });
        return verdict.Failure();
    }
    if (!destination)
        return verdict.Failure();
    // The one file holds the content; it kept its permissions and owner, or
    // is new with those of any new file.
    const auto now = after.find(*destination);
    if (!verdict.Expect(now != after.end() && S_ISREG(now->second.mode) && now->second.data == content,
                        [&] { return scene() + ": " + *destination + " does not hold the content"; }))
        return verdict.Failure();
    const auto old = before.find(*destination);
    const mode_t expectedMode = old != before.end() ? (old->second.mode & 07777) : (0666 & ~box.umask);
    verdict.Expect((now->second.mode & 07777) == expectedMode, [&] { return scene() + ": the permissions changed"; });
    if (old != before.end())
        verdict.Expect(now->second.uid == old->second.uid && now->second.gid == old->second.gid,
                       [&] { return scene() + ": the owner or the group changed"; });
    // Nothing else changed, nothing new is left, and only the saving user's
    // strays of this file went.
    for (const auto& item : before) {
        const std::string& path = item.first;
        const Entry& entry = item.second;
        if (path == *destination)
            continue;
        const auto still = after.find(path);
        const bool removable = RemovableStray(*destination, path, entry, box.deadPid);
        verdict.Expect(removable ? still == after.end() : still != after.end() && still->second == entry, [&] {
            return scene() + ": " + path + (removable ? " was left" : " changed or vanished");
        });
    }
    for (const auto& item : after) {
        const std::string& path = item.first;
        verdict.Expect(path == *destination || before.count(path),
                       [&] { return scene() + ": " + path + " was left behind"; });
    }
    return verdict.Failure();
}

} // namespace welkor::fuzz

#endif // WELKOR_FUZZ_FILE_LAYER
