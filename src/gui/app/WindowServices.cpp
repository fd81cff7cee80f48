#include "gui/app/WindowServices.h"

#include "qtbase/FileIO.h"
#include "qtbase/OperatorIni.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace welkor::gui {

QString WindowServices::DataFilePath(const QString& name) const
{
    const QDir programDir(executableDir);
    const QString beside = programDir.filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = QDir::cleanPath(programDir.filePath(QStringLiteral("../share/welkor-lumo/") + name));
    return QFileInfo::exists(installed) ? installed : beside;
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
