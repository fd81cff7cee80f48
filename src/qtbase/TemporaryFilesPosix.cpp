// The temporaries of a save: their names (".<name>.welkor-zapis-<pid>-<random>",
// the random part from the system's random source), and the clean-up of
// those a killed save left behind.
#include "qtbase/PosixFiles.h"

#ifndef Q_OS_WIN

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#ifdef __linux__
#include <sys/random.h>
#endif

namespace posix_files {

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

} // namespace posix_files

#endif // !Q_OS_WIN
