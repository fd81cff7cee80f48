#include "qtbase/ClockSource.h"
#include "gui/dialogs/QtDialogs.h"
#include "gui/app/ApplicationSetUp.h"
#include "gui/app/FontConfigWarmUp.h"
#include "gui/app/TWel_Kor.h"
#include "app/TfPort.h"
#include "gui/reader/ModuleReaderLink.h"

#include <QApplication>

using namespace welkor::gui;

int main(int argc, char* argv[])
{
    FontConfigWarmUp fonts; // on the second core while Qt starts
    QApplication app(argc, argv);
    SetUpApplication(fonts);

    QtDialogs dialogs;
    SystemClock clock;
    WindowServices services = ProgramServices(&dialogs, &clock, argc, argv);
    const std::unique_ptr<ReaderLink> reader = ProgramReaderLink(services.serialModule);
    services.reader = reader.get();
    TWel_Kor window(services);
    dialogs.setParent(&window);
    TfPort port; // created with the main window, never shown
    window.show();
    return app.exec();
}
