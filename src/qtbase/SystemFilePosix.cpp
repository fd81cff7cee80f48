// POSIX systems: a file is read with one open between two status calls, so
// nothing but a regular file is ever opened; names and folders by the
// system's own bytes.
#include "qtbase/SystemFile.h"

#ifndef Q_OS_WIN

#include "qtbase/FileIO.h"
#include "qtbase/PosixFiles.h"
#include "qtbase/UserError.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace posix_files {

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

} // namespace posix_files

using namespace posix_files;

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
