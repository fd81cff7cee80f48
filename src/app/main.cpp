#include "qtbase/ClockSource.h"
#include "gui/dialogs/QtDialogs.h"
#include "gui/app/FontConfigWarmUp.h"
#include "gui/app/TWel_Kor.h"
#include "app/TfPort.h"
#include "gui/artwork/ToolbarIcons.h"
#include "gui/reader/SerialReaderLink.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace welkor::gui;

int main(int argc, char* argv[])
{
    FontConfigWarmUp fonts; // on the second core while Qt starts
    QApplication app(argc, argv);
    // No application display name: Qt would append it to every window title
    // that does not already end with it ("... - pomiar.rap — Welkor Lumo 1").
    // The window and each dialog carry their own full captions.

    // The program speaks Polish, and so do Qt's own dialogs and buttons.
    QTranslator qtPolish;
    if (qtPolish.load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtPolish);

    QApplication::setDesktopFileName(QStringLiteral("welkor-lumo")); // ties the window to its desktop entry
    QApplication::setWindowIcon(QIcon(MakeEmblem(QSize(64, 64))));

    fonts.Wait();
    QtDialogs dialogs;
    SystemClock clock;
    const std::unique_ptr<ReaderLink> reader = ProgramReaderLink();
    WindowServices services = ProgramServices(&dialogs, &clock, argc, argv);
    services.reader = reader.get();
    TWel_Kor window(services);
    dialogs.setParent(&window);
    TfPort port; // created with the main window, never shown
    window.show();
    return app.exec();
}
