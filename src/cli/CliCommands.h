#pragma once

#include "cli/CliSupport.h"

#include <QStringList>

// The commands of welkor-lumo-cli. Each returns the exit status; a command
// line it cannot follow throws UsageError.

// Runs the command named first in `args` (the arguments after the program's
// name), or shows the help.
int RunCommandLine(const QStringList& args, Console& console);

// The help: of the whole program (empty command) or of one command; empty
// for a command that does not exist.
QString HelpText(const QString& command);

// The command needs to draw (a QGuiApplication rather than a core application).
bool CommandDraws(const QString& command);
