// Windows: the file reads and writes through Qt's own file classes. A write
// goes to a temporary file that replaces the target only once complete
// (QSaveFile), so a failure or a crash leaves the old content whole.
#include "gui/app/SystemFile.h"

#ifdef Q_OS_WIN

#include "gui/app/FileIO.h"

#include <QFileInfo>
#include <QSaveFile>

SystemFile::SystemFile(const QString& fileName) : fileName_(fileName), file_(fileName)
{
    if (QFileInfo(fileName).isDir())
        ThrowCannotOpen(fileName, QStringLiteral("To jest katalog, nie plik."));
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

void WriteFileAtomically(const QString& fileName, std::string_view bytes)
{
    const QFileInfo info(fileName);
    const bool existed = info.isFile();
    if (info.isDir())
        ThrowCannotCreate(fileName, existed, QStringLiteral("To jest katalog, nie plik."));
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
}

#endif // Q_OS_WIN
