#include "gui/shell/TypPliku.h"

#include "core/app/FileTypeEntries.h"
#include "qtbase/FileIO.h"
#include "qtbase/UserError.h"
#include "gui/artwork/ToolbarIcons.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <shlobj.h>
#endif

namespace welkor::gui {

namespace {

const QString kProgramId = QStringLiteral("welkor-lumo");

std::string Utf8(const QString& text) { return text.toStdString(); }

QByteArray Bytes(const std::string& text) { return QByteArray::fromStdString(text); }

// Writes the file only when its bytes would change; true when it wrote.
bool WriteIfChanged(const QString& file, const QByteArray& bytes)
{
    if (QFileInfo(file).isFile() && ReadFileBytes(file, 4 * 1024 * 1024) == bytes.toStdString())
        return false;
    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder))
        ThrowCannotCreate(file, false, QStringLiteral("Nie można utworzyć folderu „%1”.").arg(folder));
    WriteFileAtomically(file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return true;
}

// Runs a desktop database tool when the system has it.
void RunIfPresent(const QString& tool, const QStringList& arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60 * 1000);
    if (finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return;
    if (!finished)
        process.kill();
    throw UserError(QStringLiteral("Rejestracja typu pliku: polecenie %1 %2 nie powiodło się.\n%3")
                       .arg(tool, arguments.join(QLatin1Char(' ')),
                            QString::fromLocal8Bit(process.readAll()).trimmed()));
}

QByteArray IconPng()
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    MakeEmblem(QSize(64, 64)).save(&buffer, "PNG");
    return png;
}

} // namespace

// ---- Windows ----------------------------------------------------------------

bool NativeRegistry::setDefaultValue(const QString& key, const QString& value)
{
    // The last part "Default" names a key's unnamed value.
    QSettings classes(QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"), QSettings::NativeFormat);
    QString path = key;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    classes.setValue(path + QStringLiteral("/Default"), value);
    classes.sync();
    return classes.status() == QSettings::NoError;
}

void NativeRegistry::notifyAssociationsChanged()
{
#ifdef Q_OS_WIN
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
#endif
}

void RegisterWindowsFileType(RegistryWriter& registry, const QString& extension, const QString& typeName,
                             const QString& description, const QString& programPath)
{
    for (const welkor::RegistryEntry& entry :
         welkor::WindowsFileTypeEntries(Utf8(extension), Utf8(typeName), Utf8(description), Utf8(programPath))) {
        const QString key = QString::fromStdString(entry.key);
        if (!registry.setDefaultValue(key, QString::fromStdString(entry.value)))
            throw UserError(
                QStringLiteral("Nie udało się zapisać w rejestrze klucza HKEY_CURRENT_USER\\Software\\Classes\\%1.")
                    .arg(key));
    }
    registry.notifyAssociationsChanged();
}

// ---- freedesktop --------------------------------------------------------------

FreedesktopPlaces FreedesktopPlaces::ForCurrentUser()
{
    return {QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)};
}

QString MimeTypeForExtension(const QString& extension)
{
    QString bare = extension.toLower();
    if (bare.startsWith(QLatin1Char('.')))
        bare.remove(0, 1);
    return QStringLiteral("application/x-welkor-") + bare;
}

void RegisterFreedesktopFileType(const FreedesktopPlaces& places, const QString& extension,
                                 const QString& description, const QString& programPath)
{
    if (places.dataHome.isEmpty() || places.configHome.isEmpty())
        throw UserError(QStringLiteral("Rejestracja typu pliku: nie wiadomo, gdzie są foldery danych i ustawień "
                                      "użytkownika (XDG_DATA_HOME, XDG_CONFIG_HOME)."));
    if (!welkor::ExecProgramPathAllowed(Utf8(programPath)))
        throw UserError(QStringLiteral("Rejestracja typu pliku: ścieżka programu zawiera znak „=”, którego wpis "
                                      "pulpitu nie dopuszcza:\n%1\nPrzenieś program do innego folderu.")
                           .arg(programPath));

    const QString mimeType = MimeTypeForExtension(extension);
    const QDir data(places.dataHome);
    const QString desktopId = kProgramId + QStringLiteral(".desktop");

    bool mimeChanged = WriteIfChanged(
        data.filePath(QStringLiteral("mime/packages/") + kProgramId + QStringLiteral(".xml")),
        Bytes(welkor::MimePackageXml(Utf8(mimeType), Utf8(description), "*" + Utf8(extension), Utf8(kProgramId))));
    WriteIfChanged(data.filePath(QStringLiteral("icons/hicolor/64x64/apps/") + kProgramId + QStringLiteral(".png")),
                   IconPng());
    welkor::DesktopEntryFields entry;
    entry.name = "Welkor Lumo 1";
    entry.comment = Utf8(QStringLiteral("Raporty pomiarów mikropłytek (%1)").arg(extension));
    entry.programPath = Utf8(programPath);
    entry.icon = Utf8(kProgramId);
    entry.mimeType = Utf8(mimeType);
    bool desktopChanged =
        WriteIfChanged(data.filePath(QStringLiteral("applications/") + desktopId), Bytes(DesktopEntryText(entry)));

    const QString mimeApps = QDir(places.configHome).filePath(QStringLiteral("mimeapps.list"));
    const std::string oldList = QFileInfo::exists(mimeApps) ? ReadFileBytes(mimeApps, 4 * 1024 * 1024) : std::string();
    WriteIfChanged(mimeApps, Bytes(welkor::MergeDefaultApplication(oldList, Utf8(mimeType), Utf8(desktopId))));

    // The caches are rebuilt when their sources changed, or when an earlier
    // run wrote the sources but could not build them.
    mimeChanged = mimeChanged || !QFileInfo::exists(data.filePath(QStringLiteral("mime/mime.cache")));
    desktopChanged = desktopChanged || !QFileInfo::exists(data.filePath(QStringLiteral("applications/mimeinfo.cache")));
    if (mimeChanged)
        RunIfPresent(QStringLiteral("update-mime-database"), {data.filePath(QStringLiteral("mime"))});
    if (desktopChanged)
        RunIfPresent(QStringLiteral("update-desktop-database"),
                     {QStringLiteral("-q"), data.filePath(QStringLiteral("applications"))});
}

} // namespace welkor::gui
