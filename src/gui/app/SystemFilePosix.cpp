// POSIX systems: a file is read with one open and one status call, and
// written through our own temporary file with the syncs that make a save
// survive a power cut.
#include "gui/app/SystemFile.h"

#ifndef Q_OS_WIN

#include "gui/app/FileIO.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>


namespace {

// The cause of a failed write in the user's words.
QString WriteFailureReason(int error)
{
    switch (error) {
    case ENOSPC:
        return QStringLiteral("Brak miejsca na dysku.");
    case EDQUOT:
        return QStringLiteral("Brak miejsca na dysku: wyczerpany przydział miejsca użytkownika.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Brak uprawnień do zapisu w tym miejscu.");
    case EROFS:
        return QStringLiteral("Dysk jest tylko do odczytu.");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Nie ma takiego folderu.");
    case ENAMETOOLONG:
        return QStringLiteral("Nazwa pliku jest za długa.");
    case EIO:
        return QStringLiteral("Błąd odczytu lub zapisu dysku.");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

// The start of this file's temporaries: a hidden name that says whose it is.
// Long names are cut so that the temporary's name still fits.
std::string TemporaryPrefix(const std::string& baseName)
{
    constexpr std::size_t kMaxBase = 200;
    std::string prefix(1, '.');
    prefix.append(baseName, 0, kMaxBase);
    prefix += ".welkor-zapis-";
    return prefix;
}

std::string RandomTag()
{
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 random{std::random_device{}()};
    std::string tag(6, 'x');
    for (char& ch : tag)
        ch = kLetters[random() % (sizeof kLetters - 1)];
    return tag;
}

// The writer's process id from "<prefix><pid>-<6 letters>", or -1 when the
// name is not one of our temporaries.
pid_t TemporaryOwner(const std::string& name, const std::string& prefix)
{
    if (name.compare(0, prefix.size(), prefix) != 0)
        return -1;
    const std::string rest = name.substr(prefix.size());
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string::npos || rest.size() - dash - 1 != 6 || dash > 10)
        return -1;
    pid_t pid = 0;
    for (std::size_t i = 0; i < dash; ++i) {
        if (rest[i] < '0' || rest[i] > '9')
            return -1;
        pid = pid * 10 + (rest[i] - '0');
    }
    return pid;
}

// Temporaries of this file whose writer is gone (killed, or a crash) or is
// this very process (a write that could not clean up after itself).
void RemoveStrayTemporaries(const std::string& dir, const std::string& prefix)
{
    DIR* folder = ::opendir(dir.c_str());
    if (folder == nullptr)
        return;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        const pid_t owner = TemporaryOwner(name, prefix);
        if (owner <= 0)
            continue;
        if (owner == ::getpid() || (::kill(owner, 0) == -1 && errno == ESRCH))
            ::unlinkat(::dirfd(folder), name.c_str(), 0);
    }
    ::closedir(folder);
}

void SyncFolder(const std::string& dir)
{
    // Best effort: the rename is done; a folder that cannot be synced (some
    // file systems refuse) still holds the new file.
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    FileWriteCallsInUse().fsync(fd);
    ::close(fd);
}

} // namespace

FileWriteCalls& FileWriteCallsInUse()
{
    static FileWriteCalls calls{::write, ::fsync, ::rename};
    return calls;
}

void WriteFileAtomically(const QString& fileName, std::string_view bytes)
{
    const QFileInfo info(fileName);
    const bool existed = info.isFile();
    auto fail = [&](const QString& reason) { ThrowCannotCreate(fileName, existed, reason); };
    if (info.isDir())
        fail(QStringLiteral("To jest katalog, nie plik."));

    // A symbolic link stays a link: the file it points at is replaced.
    QFileInfo target = info;
    if (info.isSymLink())
        target = QFileInfo(info.exists() ? info.canonicalFilePath() : info.symLinkTarget());
    const std::string path = QFile::encodeName(target.absoluteFilePath()).toStdString();
    const std::string dir = QFile::encodeName(target.absolutePath()).toStdString();
    const std::string prefix = TemporaryPrefix(QFile::encodeName(target.fileName()).toStdString());

    FileWriteCalls& calls = FileWriteCallsInUse();
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = dir + "/" + prefix + std::to_string(::getpid()) + "-" + RandomTag();
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 10))
            fail(WriteFailureReason(errno));
    }
    auto abandon = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        fail(WriteFailureReason(error));
    };

    struct stat old{};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = calls.write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            abandon(n < 0 ? errno : EIO);
        done += static_cast<std::size_t>(n);
    }
    // The content is on the disk before the name points at it.
    if (calls.fsync(fd) != 0)
        abandon(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        fail(WriteFailureReason(error));
    }
    if (calls.rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        fail(WriteFailureReason(error));
    }
    // The rename itself is on the disk once the folder is.
    SyncFolder(dir);
    RemoveStrayTemporaries(dir, prefix);
}


// ---- Reading ---------------------------------------------------------------------

SystemFile::SystemFile(const QString& fileName) : fileName_(fileName)
{
    const QByteArray path = QFile::encodeName(fileName);
    do
        fd_ = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0)
        ThrowCannotOpen(fileName, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat status{};
    if (::fstat(fd_, &status) != 0) {
        const int error = errno;
        ::close(fd_);
        ThrowCannotOpen(fileName, QString::fromLocal8Bit(std::strerror(error)));
    }
    if (S_ISDIR(status.st_mode)) {
        ::close(fd_);
        ThrowCannotOpen(fileName, QStringLiteral("To jest katalog, nie plik."));
    }
    size_ = S_ISREG(status.st_mode) ? static_cast<qint64>(status.st_size) : 0;
}

SystemFile::~SystemFile() { ::close(fd_); }

qint64 SystemFile::read(char* data, qint64 maxBytes)
{
    for (;;) {
        const ssize_t got = ::read(fd_, data, static_cast<std::size_t>(maxBytes));
        if (got >= 0)
            return got;
        if (errno != EINTR)
            ThrowCannotOpen(fileName_, QString::fromLocal8Bit(std::strerror(errno)));
    }
}

#endif // !Q_OS_WIN
