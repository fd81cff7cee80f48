#include "qtbase/OperatorIni.h"

#include "core/app/OperatorFile.h"
#include "qtbase/FileIO.h"
#include "qtbase/UserError.h"
#include "qtbase/QtText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

constexpr qint64 kMaxIniBytes = 64 * 1024;

// Whether a new file can be made in the folder. Asked of the file system
// itself: permission bits and access lists say too little (a folder under
// Program Files looks writable and is not).
bool TakesNewFiles(const QString& dir)
{
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        return false;
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".welkor-XXXXXX")));
    return probe.open();
}

} // namespace

OperatorIniPlaces OperatorIniPlaces::OfThisProgram()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return {config.isEmpty() ? QString() : QDir(config).filePath(QStringLiteral("welkor-lumo")),
            QCoreApplication::applicationDirPath()};
}

QString OperatorIniPlaces::userFile() const
{
    return userDir.isEmpty() ? QString() : QDir(userDir).filePath(QStringLiteral("Operator.ini"));
}

QString OperatorIniPlaces::programFile() const
{
    return QDir(executableDir).filePath(QStringLiteral("Operator.ini"));
}

QString ReadOperatorIni(const OperatorIniPlaces& places)
{
    std::optional<std::string> bytes;
    for (const QString& file : {places.userFile(), places.programFile()}) {
        if (!file.isEmpty() && QFileInfo::exists(file)) {
            bytes = ReadFileBytes(file, kMaxIniBytes);
            break;
        }
    }
    return FromCp1250(welkor::OperatorNameFrom(bytes));
}

QString OperatorIniTarget(const OperatorIniPlaces& places)
{
    const QString user = places.userFile();
    if (!user.isEmpty() && QFileInfo::exists(user))
        return user;
    if (user.isEmpty() || TakesNewFiles(places.executableDir))
        return places.programFile();
    return user;
}

QString WriteOperatorIni(const OperatorIniPlaces& places, const QString& name)
{
    const QString target = OperatorIniTarget(places);
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder))
        ThrowCannotCreate(target, false, QStringLiteral("Nie można utworzyć folderu „%1”.").arg(folder));
    return WriteFileAtomically(target, welkor::OperatorIniBytes(ToCp1250(name)));
}
