// Starts the window with the reader on the port given, presses "Pobierz"
// once and prints what the user was told and the caption, one line each
// (line breaks inside a message as " | "): the other half of the test that
// runs the program as a user who may or may not open the port.
//   fetch_child PORT
#include "../gui/WindowFixture.h"
#include "serial/SerialReaderLink.h"

#include <QAction>
#include <QApplication>

#include <cstdio>

using namespace welkor::gui;

namespace {

void Print(const char* what, QString text)
{
    std::printf("%s: %s\n", what, text.replace(QLatin1Char('\n'), QStringLiteral(" | ")).toUtf8().constData());
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2)
        return 2;
    QApplication app(argc, argv);
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    SystemClock clock;
    SerialReaderLink link(dir.filePath(QStringLiteral("welkor.ini")), QString::fromLocal8Bit(argv[1]));
    WindowServices services;
    services.dialogs = &dialogs;
    services.clock = &clock;
    services.executableDir = dir.path();
    services.userConfigDir = dir.filePath(QStringLiteral("config"));
    services.reader = &link;
    TWel_Kor window(services);
    window.commands->Pobierz1->trigger();
    for (const QString& text : dialogs.errors + dialogs.informations)
        Print("komunikat", text);
    Print("tytul", window.windowTitle());
    return 0;
}
