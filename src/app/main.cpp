#include "gui/app/ClockSource.h"
#include "gui/app/QtDialogs.h"
#include "gui/app/TWel_Kor.h"
#include "gui/app/TfPort.h"
#include "gui/reader/SerialReaderLink.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Welkor Lumo 1"));

    // The program speaks Polish, and so do Qt's own dialogs and buttons.
    QTranslator qtPolish;
    if (qtPolish.load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtPolish);

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
