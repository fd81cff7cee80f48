#include "gui/app/ClockSource.h"
#include "gui/app/QtDialogs.h"
#include "gui/app/TWel_Kor.h"
#include "gui/app/TfPort.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Welkor Lumo 1"));

    QtDialogs dialogs;
    SystemClock clock;
    TWel_Kor window(ProgramServices(&dialogs, &clock, argc, argv));
    dialogs.setParent(&window);
    TfPort port; // created with the main window, never shown
    window.show();
    return app.exec();
}
