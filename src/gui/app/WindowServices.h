#pragma once

#include <QString>
#include <QStringList>

class ClockSource;

namespace welkor::gui {

class DesktopShell;
class Dialogs;
class ReaderLink;

// The product caption: the main window's caption at start and the prefix of
// the captions a report, a fetch and the about box give it.
inline const QString kProductCaption = QStringLiteral("Welkor Lumo 1");

// What the window needs from its surroundings; tests pass fakes.
struct WindowServices {
    Dialogs* dialogs = nullptr;
    ClockSource* clock = nullptr;
    QString executableDir;  // Operator.ini, the logo and the help file live here
    QString executablePath; // the running program's own full path
    QStringList arguments;  // command-line arguments, program name excluded
    QString userConfigDir;  // the user's Operator.ini, read before the one beside the program
    DesktopShell* shell = nullptr; // file-type registration, web browser; null: the running desktop
    ReaderLink* reader = nullptr; // the line to the plate reader; none when null
    QString printModule;    // Qt's print support, loaded at the first print (see PrintSupport.h)
    QString serialModule;   // Qt's serial ports, loaded at the first need (see ModuleReaderLink.h)

    // A file shipped with the program: beside it, or where an installation
    // puts it (../share/welkor-lumo); the first path when neither has it.
    QString DataFilePath(const QString& name) const;
    // A module of the program (welkor-lumo-print.so, ...): beside it, or where an
    // installation puts it (../lib/welkor-lumo/modules); likewise.
    QString ModuleFilePath(const QString& name) const;
};

// The services of the running program: its own directory and path, the
// arguments after the program name, its modules.
WindowServices ProgramServices(Dialogs* dialogs, ClockSource* clock, int argc, char* argv[]);

} // namespace welkor::gui
