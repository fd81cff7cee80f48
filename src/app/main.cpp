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
    WindowServices services;
    services.dialogs = &dialogs;
    services.clock = &clock;
    services.executableDir = QCoreApplication::applicationDirPath();
    services.executablePath = QCoreApplication::applicationFilePath();
    // Raw arguments: a path with a blank that arrives in two pieces is
    // joined again by the window.
    for (int i = 1; i < argc; ++i)
        services.arguments.push_back(QString::fromLocal8Bit(argv[i]));

    TWel_Kor window(services);
    dialogs.setParent(&window);
    TfPort port; // created with the main window, never shown
    window.show();
    return app.exec();
}
