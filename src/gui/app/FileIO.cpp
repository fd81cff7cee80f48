#include "gui/app/FileIO.h"

#include "gui/app/GuiError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

QString OpenError(const QString& fileName, const QString& reason)
{
    return QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason);
}


} // namespace

std::string ReadFilePrefix(const QString& fileName, qint64 maxBytes)
{
    const QFileInfo info(fileName);
    if (info.isDir())
        throw GuiError(OpenError(fileName, QStringLiteral("To jest katalog, nie plik.")));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw GuiError(OpenError(fileName, file.errorString()));
    // A file is read at its own size: asking for the whole limit would make
    // room for all of it first, for every report of a batch. A pipe or a
    // device, whose size is not known, is read block by block.
    std::string bytes;
    const qint64 size = file.isSequential() ? 0 : file.size();
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

std::string ReadFileBytes(const QString& fileName, qint64 maxBytes)
{
    const QFileInfo info(fileName);
    if (info.isFile() && info.size() > maxBytes)
        throw GuiError(OpenError(fileName, QStringLiteral("Plik jest za duży (%1 bajtów, dopuszczalne %2).")
                                               .arg(info.size())
                                               .arg(maxBytes)));
    // One byte more than allowed tells a file that grew (or a device) apart.
    std::string bytes = ReadFilePrefix(fileName, maxBytes + 1);
    if (static_cast<qint64>(bytes.size()) > maxBytes)
        throw GuiError(OpenError(fileName, QStringLiteral("Plik jest za duży.")));
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

void WriteFileAtomically(const QString& fileName, std::string_view bytes)
{
    QSaveFile file(fileName);
    auto fail = [&](const QString& reason) {
        file.cancelWriting();
        throw GuiError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason));
    };
    if (QFileInfo(fileName).isDir())
        fail(QStringLiteral("To jest katalog, nie plik."));
    if (!file.open(QIODevice::WriteOnly))
        fail(file.errorString());
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        fail(file.errorString());
    if (!file.commit())
        fail(file.errorString());
}
