#pragma once

// The pieces the POSIX file layer shares between reading (SystemFilePosix),
// writing (AtomicWritePosix) and the temporaries of a save
// (TemporaryFilesPosix). Not for use outside the file layer.
#include <QString>

#ifndef Q_OS_WIN

#include <map>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace posix_files {

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

// Why something that is not a regular file is not read, and not replaced.
QString NotAFileReason(mode_t mode);
QString NotReplacedReason(mode_t mode);

// The start of the temporaries of a file named `baseName` in its folder.
std::string TemporaryPrefix(const std::string& baseName);
// Six letters or digits from the system's random source, empty when it
// gives nothing.
std::string RandomTag();
// Removes a temporary whose writer is gone (killed, or a crash) or is this
// very process (a write that could not clean up after itself): only a
// regular file of the saving user with no other name.
void RemoveIfStray(int folder, const std::string& name, const std::string& prefix);
// The temporary-like names of a folder, by the prefix of their file (only
// those of `onlyPrefix` when it is not empty).
using TemporaryNames = std::map<std::string, std::vector<std::string>, std::less<>>;
TemporaryNames FindTemporaries(int folder, std::string_view onlyPrefix);

} // namespace posix_files

#endif // !Q_OS_WIN
