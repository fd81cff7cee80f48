// The yardstick: an empty QMainWindow with the client size of the real one.
// It quits once painted; with --stay it stays open (for map_watch).
#include "StartupProbe.h"

#include <QMainWindow>

#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(742, 545);
    const bool stay = argc > 1 && QByteArray(argv[1]) == "--stay";
    std::unique_ptr<QuitWhenPainted> probe;
    if (!stay)
        probe = std::make_unique<QuitWhenPainted>(&window);
    window.show();
    return app.exec();
}
