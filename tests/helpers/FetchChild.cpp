// Starts the window with the reader on the port given, presses "Pobierz"
// once and prints what the user was told and the caption, one line each
// (line breaks inside a message as " | "): the other half of the test that
// runs the program as a user who may or may not open the port.
//   fetch_child PORT
#include "gui/app/ClockSource.h"
#include "gui/app/Dialogs.h"
#include "gui/app/TWel_Kor.h"
#include "gui/reader/SerialReaderLink.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void Print(const char* what, const QString& text)
{
    QString line = text;
    line.replace(QLatin1Char('\n'), QStringLiteral(" | "));
    std::printf("%s: %s\n", what, line.toUtf8().constData());
}

// Answers every question with "no" and prints every message.
class PrintingDialogs : public Dialogs {
public:
    bool openFile(FileDialogState&) override { return false; }
    bool saveFile(FileDialogState&) override { return false; }
    bool askYesNo(const QString&, const QString&) override { return false; }
    SaveChoice askSaveChanges(const QString&) override { return SaveChoice::Cancel; }
    void information(const QString& text) override { Print("informacja", text); }
    void error(const QString& text) override { Print("blad", text); }
    std::optional<std::uint32_t> chooseColour(std::uint32_t) override { return std::nullopt; }
    void printerSetup(QPrinter&) override {}
    void printPreview(QPrinter&, const std::function<void(QPrinter&)>&) override {}
    int runModal(QDialog&) override { return 0; }
};

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2)
        return 2;
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    PrintingDialogs dialogs;
    SystemClock clock;
    SerialReaderLink link(dir.filePath(QStringLiteral("welkor.ini")), QString::fromLocal8Bit(argv[1]));
    WindowServices services;
    services.dialogs = &dialogs;
    services.clock = &clock;
    services.executableDir = dir.path();
    services.executablePath = QDir(dir.path()).filePath(QStringLiteral("welkor-lumo"));
    services.userConfigDir = dir.filePath(QStringLiteral("config"));
    services.reader = &link;
    TWel_Kor window(services);
    window.show();
    window.Pobierz1->trigger();
    Print("tytul", window.windowTitle());
    std::fflush(stdout);
    return 0;
}
