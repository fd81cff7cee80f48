#include "gui/app/WindowServices.h"

#include "qtbase/FileIO.h"
#include "qtbase/OperatorIni.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace welkor::gui {

namespace {

// `name` beside the program, or in `installedDir` (relative to it) where an
// installation puts it; the first path when neither has it.
QString ShippedFile(const QString& executableDir, const QString& installedDir, const QString& name)
{
    const QDir programDir(executableDir);
    const QString beside = programDir.filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = QDir::cleanPath(programDir.filePath(installedDir + QLatin1Char('/') + name));
    return QFileInfo::exists(installed) ? installed : beside;
}

} // namespace

QString WindowServices::DataFilePath(const QString& name) const
{
    return ShippedFile(executableDir, QStringLiteral("../share/welkor-lumo"), name);
}

QString WindowServices::ModuleFilePath(const QString& name) const
{
    return ShippedFile(executableDir, QStringLiteral("../lib/welkor-lumo/modules"), name);
}

WindowServices ProgramServices(Dialogs* dialogs, ClockSource* clock, int argc, char* argv[])
{
    WindowServices services;
    services.dialogs = dialogs;
    services.clock = clock;
    const OperatorIniPlaces places = OperatorIniPlaces::OfThisProgram();
    services.executableDir = places.executableDir;
    services.executablePath = QCoreApplication::applicationFilePath();
    services.userConfigDir = places.userDir;
    services.printModule = services.ModuleFilePath(QStringLiteral(WELKOR_PRINT_MODULE_NAME));
    services.serialModule = services.ModuleFilePath(QStringLiteral(WELKOR_SERIAL_MODULE_NAME));
    // Raw arguments: a path with a blank that arrives in two pieces is joined
    // again by the window. On Windows argv holds the ANSI code page, which
    // loses characters of a registered document's path; Qt reads the wide
    // command line instead.
#ifdef Q_OS_WIN
    Q_UNUSED(argv);
    services.arguments = QCoreApplication::arguments().mid(1, argc - 1);
#else
    // A file's name is its bytes, whatever they are (see FileNameFromBytes).
    for (int i = 1; i < argc; ++i)
        services.arguments.push_back(FileNameFromBytes(QByteArray(argv[i])));
#endif
    return services;
}

} // namespace welkor::gui
