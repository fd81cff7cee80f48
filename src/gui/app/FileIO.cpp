#include "gui/app/FileIO.h"

#include "gui/app/GuiError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString WithExtension(const QString& fileName, const QString& extension)
{
    const QFileInfo info(fileName);
    if (extension.isEmpty() || info.suffix().isEmpty() || info.completeBaseName().isEmpty())
        return fileName;
    const QString name = info.completeBaseName() + QLatin1Char('.') + extension;
    return info.fileName() == fileName ? name : QDir(info.path()).filePath(name);
}

// POSIX systems: reads with one open and one status call; writes through our
// own temporary file with the syncs that make a save survive a power cut.
// (Windows: FileIOWindows.cpp.)
#ifndef Q_OS_WIN

#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace {

QString OpenError(const QString& fileName, const QString& reason)
{
    return QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason);
}

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

namespace {

// A file opened for reading, closed when it goes out of scope.
struct ReadableFile {
    int fd = -1;
    struct stat status{};
    ~ReadableFile()
    {
        if (fd >= 0)
            ::close(fd);
    }
    // The size of a regular file; 0 for a pipe or a device, which are read
    // until they end.
    qint64 size() const { return S_ISREG(status.st_mode) ? static_cast<qint64>(status.st_size) : 0; }
};

// Opens the file for reading; a folder or a file that cannot be opened is
// refused with a message naming it. One open and one status call, as a
// batch of thousands of reports wants.
void OpenForReading(ReadableFile& file, const QString& fileName)
{
    const QByteArray path = QFile::encodeName(fileName);
    do
        file.fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    while (file.fd < 0 && errno == EINTR);
    if (file.fd < 0)
        throw GuiError(OpenError(fileName, QString::fromLocal8Bit(std::strerror(errno))));
    if (::fstat(file.fd, &file.status) != 0)
        throw GuiError(OpenError(fileName, QString::fromLocal8Bit(std::strerror(errno))));
    if (S_ISDIR(file.status.st_mode))
        throw GuiError(OpenError(fileName, QStringLiteral("To jest katalog, nie plik.")));
}

// At most maxBytes of an open file. A file is read at its own size: asking
// for the whole limit would make room for all of it first, for every report
// of a batch.
std::string ReadOpened(const ReadableFile& file, const QString& fileName, qint64 maxBytes)
{
    const qint64 size = file.size();
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(std::min(maxBytes, size > 0 ? size + 1 : qint64{65536})));
    qint64 filled = 0;
    while (filled < maxBytes) {
        if (filled == static_cast<qint64>(bytes.size()))
            bytes.resize(static_cast<std::size_t>(std::min(maxBytes, 2 * filled)));
        const ssize_t got = ::read(file.fd, bytes.data() + filled, bytes.size() - static_cast<std::size_t>(filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw GuiError(OpenError(fileName, QString::fromLocal8Bit(std::strerror(errno))));
        if (got == 0)
            break;
        filled += got;
    }
    bytes.resize(static_cast<std::size_t>(filled));
    return bytes;
}

} // namespace

std::string ReadFilePrefix(const QString& fileName, qint64 maxBytes)
{
    ReadableFile file;
    OpenForReading(file, fileName);
    return ReadOpened(file, fileName, maxBytes);
}

std::string ReadFileBytes(const QString& fileName, qint64 maxBytes)
{
    ReadableFile file;
    OpenForReading(file, fileName);
    if (file.size() > maxBytes)
        throw GuiError(OpenError(fileName, QStringLiteral("Plik jest za duży (%1 bajtów, dopuszczalne %2).")
                                               .arg(file.size())
                                               .arg(maxBytes)));
    // One byte more than allowed tells a file that grew (or a device) apart.
    std::string bytes = ReadOpened(file, fileName, maxBytes + 1);
    if (static_cast<qint64>(bytes.size()) > maxBytes)
        throw GuiError(OpenError(fileName, QStringLiteral("Plik jest za duży.")));
    return bytes;
}

void WriteFileAtomically(const QString& fileName, std::string_view bytes)
{
    const QFileInfo info(fileName);
    const bool existed = info.isFile();
    auto fail = [&](const QString& reason) {
        QString message = QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason);
        if (existed)
            message += QStringLiteral(" Plik pozostał bez zmian.");
        throw GuiError(message);
    };
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

#endif // !Q_OS_WIN
