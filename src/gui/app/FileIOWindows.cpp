// Windows: the file reads and writes through Qt's own file classes. A write
// goes to a temporary file that replaces the target only once complete
// (QSaveFile), so a failure or a crash leaves the old content whole.
#include "gui/app/FileIO.h"

#ifdef Q_OS_WIN

#include "gui/app/GuiError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

QString OpenError(const QString& fileName, const QString& reason)
{
    return QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason);
}

void OpenForReading(QFile& file, const QString& fileName)
{
    if (QFileInfo(fileName).isDir())
        throw GuiError(OpenError(fileName, QStringLiteral("To jest katalog, nie plik.")));
    file.setFileName(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw GuiError(OpenError(fileName, file.errorString()));
}

// At most maxBytes, read at the file's own size (a device block by block).
std::string ReadOpened(QFile& file, const QString& fileName, qint64 maxBytes)
{
    const qint64 size = file.isSequential() ? 0 : file.size();
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(std::min(maxBytes, size > 0 ? size + 1 : qint64{65536})));
    qint64 filled = 0;
    while (filled < maxBytes) {
        if (filled == static_cast<qint64>(bytes.size()))
            bytes.resize(static_cast<std::size_t>(std::min(maxBytes, 2 * filled)));
        const qint64 got = file.read(bytes.data() + filled, static_cast<qint64>(bytes.size()) - filled);
        if (got < 0)
            throw GuiError(OpenError(fileName, file.errorString()));
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
    QFile file;
    OpenForReading(file, fileName);
    return ReadOpened(file, fileName, maxBytes);
}

std::string ReadFileBytes(const QString& fileName, qint64 maxBytes)
{
    QFile file;
    OpenForReading(file, fileName);
    const qint64 size = file.isSequential() ? 0 : file.size();
    if (size > maxBytes)
        throw GuiError(OpenError(fileName, QStringLiteral("Plik jest za du\u017cy (%1 bajt\u00f3w, dopuszczalne %2).")
                                               .arg(size)
                                               .arg(maxBytes)));
    std::string bytes = ReadOpened(file, fileName, maxBytes + 1);
    if (static_cast<qint64>(bytes.size()) > maxBytes)
        throw GuiError(OpenError(fileName, QStringLiteral("Plik jest za du\u017cy.")));
    return bytes;
}

void WriteFileAtomically(const QString& fileName, std::string_view bytes)
{
    const QFileInfo info(fileName);
    const bool existed = info.isFile();
    auto fail = [&](const QString& reason) {
        QString message = QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason);
        if (existed)
            message += QStringLiteral(" Plik pozosta\u0142 bez zmian.");
        throw GuiError(message);
    };
    if (info.isDir())
        fail(QStringLiteral("To jest katalog, nie plik."));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        fail(file.errorString());
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        const QString reason = file.errorString();
        file.cancelWriting();
        fail(reason);
    }
    if (!file.commit())
        fail(file.errorString());
}

#endif // Q_OS_WIN
