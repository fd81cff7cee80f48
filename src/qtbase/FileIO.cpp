#include "qtbase/FileIO.h"

#include "qtbase/UserError.h"
#include "qtbase/SystemFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// The one place the two messages are written.
QString FileMessage(const char* action, const QString& fileName, const QString& reason)
{
    return QStringLiteral("Cannot %1 file \"%2\". %3").arg(QLatin1String(action), fileName, reason);
}

} // namespace

void ThrowCannotOpen(const QString& fileName, const QString& reason)
{
    throw UserError(FileMessage("open", fileName, reason));
}

void ThrowCannotCreate(const QString& fileName, bool existed, const QString& reason)
{
    QString message = FileMessage("create", fileName, reason);
    if (existed)
        message += QStringLiteral(" Plik pozostał bez zmian.");
    throw UserError(message);
}

namespace {

// At most maxBytes of an open file. A file is read at its own size (and one
// byte more, to see whether it grew): asking for the whole limit would make
// room for all of it first, for every report of a batch.
std::string ReadOpened(SystemFile& file, qint64 maxBytes)
{
    const qint64 size = file.size();
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(std::min(maxBytes, std::max(size + 1, qint64{4096}))));
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
    // One byte more than allowed tells a file that grew while it was read.
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

QString SystemReason(int error)
{
    switch (error) {
    case ENOENT: return QStringLiteral("Nie ma takiego pliku ani folderu.");
    case ENOTDIR: return QStringLiteral("Część ścieżki nie jest folderem.");
    case EACCES: return QStringLiteral("Brak uprawnień dostępu do pliku lub folderu.");
    case EPERM: return QStringLiteral("Operacja niedozwolona dla tego użytkownika.");
    case EROFS: return QStringLiteral("Dysk jest tylko do odczytu.");
    case ENOSPC: return QStringLiteral("Brak miejsca na dysku.");
#ifdef EDQUOT
    case EDQUOT: return QStringLiteral("Brak miejsca na dysku: wyczerpany przydział miejsca użytkownika.");
#endif
    case EIO: return QStringLiteral("Błąd odczytu lub zapisu dysku.");
    case ENAMETOOLONG: return QStringLiteral("Nazwa pliku jest za długa.");
#ifdef ELOOP
    case ELOOP: return QStringLiteral("Za dużo poziomów dowiązań symbolicznych.");
#endif
    case EISDIR: return QStringLiteral("To jest katalog, nie plik.");
    case EEXIST: return QStringLiteral("Plik już istnieje.");
    case EBUSY: return QStringLiteral("Plik lub urządzenie jest zajęte.");
#ifdef ETXTBSY
    case ETXTBSY: return QStringLiteral("Plik jest w użyciu jako uruchomiony program.");
#endif
    case EMFILE:
    case ENFILE: return QStringLiteral("Za dużo otwartych plików.");
    case ENOMEM: return QStringLiteral("Za mało pamięci.");
    case EFBIG:
        return QStringLiteral("Plik przekroczyłby największy rozmiar dozwolony dla tego użytkownika "
                              "(ograniczenie rozmiaru plików, ulimit -f).");
    case EXDEV: return QStringLiteral("Pliku nie można przenieść na inny dysk.");
    case ENXIO:
    case ENODEV: return QStringLiteral("Nie ma takiego urządzenia.");
    case EAGAIN: return QStringLiteral("Zasób jest chwilowo niedostępny; spróbuj ponownie.");
    case EINVAL: return QStringLiteral("Nieprawidłowa nazwa pliku albo operacja.");
#ifdef ESTALE
    case ESTALE: return QStringLiteral("Plik w udziale sieciowym jest już nieaktualny; otwórz folder ponownie.");
#endif
#ifdef ETIMEDOUT
    case ETIMEDOUT: return QStringLiteral("Przekroczony czas oczekiwania na dysk lub udział sieciowy.");
#endif
    case EOVERFLOW: return QStringLiteral("Plik jest za duży.");
    default:
        return QStringLiteral("Błąd systemu nr %1 (%2).").arg(error).arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}

QString FileNameFromBytes(const QByteArray& bytes)
{
    QString name;
    name.reserve(bytes.size());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const unsigned char lead = data[i];
        if (lead < 0x80) {
            name.append(QChar(lead));
            ++i;
            continue;
        }
        // The length of the sequence and the smallest code point it may
        // carry (longer forms of smaller ones are not UTF-8).
        int length = 0;
        char32_t codePoint = 0;
        char32_t least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, codePoint = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, codePoint = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, codePoint = lead & 0x07, least = 0x10000;
        }
        bool valid = length > 0 && i + length <= size;
        for (int k = 1; valid && k < length; ++k) {
            valid = (data[i + k] & 0xC0) == 0x80;
            codePoint = (codePoint << 6) | (data[i + k] & 0x3F);
        }
        valid = valid && codePoint >= least && codePoint <= 0x10FFFF && (codePoint < 0xD800 || codePoint > 0xDFFF);
        if (!valid) {
            name.append(QChar(static_cast<char16_t>(0xDC00 + lead)));
            ++i;
            continue;
        }
        if (codePoint >= 0x10000) {
            name.append(QChar::highSurrogate(codePoint));
            name.append(QChar::lowSurrogate(codePoint));
        } else {
            name.append(QChar(static_cast<char16_t>(codePoint)));
        }
        i += length;
    }
    return name;
}

QByteArray FileNameBytes(const QString& name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        char32_t codePoint = unit;
        if (QChar::isHighSurrogate(unit) && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(unit, name[i + 1].unicode());
            ++i;
        } else if (unit >= 0xDC80 && unit <= 0xDCFF) {
            bytes.append(static_cast<char>(unit - 0xDC00)); // a byte that was not UTF-8
            continue;
        } else if (QChar::isSurrogate(unit)) {
            codePoint = 0xFFFD;
        }
        if (codePoint < 0x80) {
            bytes.append(static_cast<char>(codePoint));
        } else if (codePoint < 0x800) {
            bytes.append(static_cast<char>(0xC0 | (codePoint >> 6)));
            bytes.append(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else if (codePoint < 0x10000) {
            bytes.append(static_cast<char>(0xE0 | (codePoint >> 12)));
            bytes.append(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            bytes.append(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else {
            bytes.append(static_cast<char>(0xF0 | (codePoint >> 18)));
            bytes.append(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
            bytes.append(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            bytes.append(static_cast<char>(0x80 | (codePoint & 0x3F)));
        }
    }
    return bytes;
}
