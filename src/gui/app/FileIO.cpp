#include "gui/app/FileIO.h"

#include "gui/app/GuiError.h"
#include "gui/app/SystemFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

void ThrowCannotOpen(const QString& fileName, const QString& reason)
{
    throw GuiError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason));
}

void ThrowCannotCreate(const QString& fileName, bool existed, const QString& reason)
{
    QString message = QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason);
    if (existed)
        message += QStringLiteral(" Plik pozostał bez zmian.");
    throw GuiError(message);
}

namespace {

// At most maxBytes of an open file. A file is read at its own size: asking
// for the whole limit would make room for all of it first, for every report
// of a batch. A pipe or a device is read block by block until it ends.
std::string ReadOpened(SystemFile& file, qint64 maxBytes)
{
    const qint64 size = file.size();
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(std::min(maxBytes, size > 0 ? size + 1 : qint64{65536})));
    qint64 filled = 0;
    while (filled < maxBytes) {
        if (filled == static_cast<qint64>(bytes.size()))
            bytes.resize(static_cast<std::size_t>(std::min(maxBytes, 2 * filled)));
        const qint64 got = file.read(bytes.data() + filled, static_cast<qint64>(bytes.size()) - filled);
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
    SystemFile file(fileName);
    return ReadOpened(file, maxBytes);
}

std::string ReadFileBytes(const QString& fileName, qint64 maxBytes)
{
    SystemFile file(fileName);
    if (file.size() > maxBytes)
        ThrowCannotOpen(fileName, QStringLiteral("Plik jest za duży (%1 bajtów, dopuszczalne %2).")
                                      .arg(file.size())
                                      .arg(maxBytes));
    // One byte more than allowed tells a file that grew (or a device) apart.
    std::string bytes = ReadOpened(file, maxBytes + 1);
    if (static_cast<qint64>(bytes.size()) > maxBytes)
        ThrowCannotOpen(fileName, QStringLiteral("Plik jest za duży."));
    return bytes;
}

QString WithExtension(const QString& fileName, const QString& extension)
{
    const QFileInfo info(fileName);
    if (extension.isEmpty() || info.suffix().isEmpty() || info.completeBaseName().isEmpty())
        return fileName;
    const QString name = info.completeBaseName() + QLatin1Char('.') + extension;
    return info.fileName() == fileName ? name : QDir(info.path()).filePath(name);
}
