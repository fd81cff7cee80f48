// The yardstick: an empty QMainWindow with the client size of the real one.
#include "StartupProbe.h"

#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(742, 545);
    QuitWhenPainted probe(&window);
    window.show();
    return app.exec();
}
