// The real main window, started exactly as the program starts it.
#include "StartupProbe.h"

#include "qtbase/ClockSource.h"
#include "gui/dialogs/QtDialogs.h"
#include "gui/app/ApplicationSetUp.h"
#include "gui/app/FontConfigWarmUp.h"
#include "gui/app/TWel_Kor.h"
#include "app/TfPort.h"

using namespace welkor::gui;

int main(int argc, char* argv[])
{
    FontConfigWarmUp fonts;
    QApplication app(argc, argv);
    SetUpApplication(fonts);
    QtDialogs dialogs;
    SystemClock clock;
    TWel_Kor window(ProgramServices(&dialogs, &clock, 1, argv));
    TfPort port;
    QuitWhenPainted probe(&window);
    window.show();
    return app.exec();
}
