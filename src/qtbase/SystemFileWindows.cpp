// Windows: the file reads and writes through Qt's own file classes. A write
// goes to a temporary file that replaces the target only once complete
// (QSaveFile), so a failure or a crash leaves the old content whole.
#include "qtbase/SystemFile.h"

#ifdef Q_OS_WIN

#include "qtbase/FileIO.h"
#include "qtbase/UserError.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

SystemFile::SystemFile(const QString& fileName) : fileName_(fileName), file_(fileName)
{
    const QFileInfo info(fileName);
    if (info.isDir())
        ThrowCannotOpen(fileName, QStringLiteral("To jest katalog, nie plik."));
    if (info.exists() && !info.isFile())
        ThrowCannotOpen(fileName, QStringLiteral("To nie jest zwykły plik."));
    if (!file_.open(QIODevice::ReadOnly))
        ThrowCannotOpen(fileName, file_.errorString());
    size_ = file_.isSequential() ? 0 : file_.size();
}

SystemFile::~SystemFile() = default;

qint64 SystemFile::read(char* data, qint64 maxBytes)
{
    const qint64 got = file_.read(data, maxBytes);
    if (got < 0)
        ThrowCannotOpen(fileName_, file_.errorString());
    return got;
}

struct SaveBatch::Folders {};
SaveBatch::SaveBatch() = default;
SaveBatch::~SaveBatch() = default;

QString WriteFileAtomically(const QString& fileName, std::string_view bytes, SaveBatch*)
{
    const QFileInfo info(fileName);
    const bool existed = info.exists() || info.isSymLink();
    if (info.isDir())
        ThrowCannotCreate(fileName, existed, QStringLiteral("To jest katalog, nie plik."));
    if (info.exists() && !info.isFile())
        ThrowCannotCreate(fileName, existed,
                          QStringLiteral("To nie jest zwykły plik. Program zastępuje tylko zwykłe pliki."));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        ThrowCannotCreate(fileName, existed, file.errorString());
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        const QString reason = file.errorString();
        file.cancelWriting();
        ThrowCannotCreate(fileName, existed, reason);
    }
    if (!file.commit())
        ThrowCannotCreate(fileName, existed, file.errorString());
    return {};
}

bool FileNameExists(const QString& name)
{
    const QFileInfo info(name);
    return info.exists() || info.isSymLink();
}

bool IsFolder(const QString& name) { return QFileInfo(name).isDir(); }

bool MakeFolderPath(const QString& folder) { return QDir().mkpath(folder); }

QStringList FolderFiles(const QString& folder, const QString& suffix)
{
    const QDir dir(folder);
    if (!dir.isReadable())
        throw UserError(QStringLiteral("Nie można odczytać folderu „%1”.").arg(folder));
    QStringList files;
    for (const QString& name : dir.entryList({QStringLiteral("*") + suffix}, QDir::Files | QDir::System, QDir::Name))
        files.push_back(dir.filePath(name));
    return files;
}

#endif // Q_OS_WIN
