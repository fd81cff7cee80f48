// The running program left alone on the plate page: after a few seconds to
// settle, the CPU time the process uses over a stretch of idle time is
// measured and printed for bench/idle_cpu to read.
//   idle_probe [seconds]     (default 60)
#include "gui/app/ClockSource.h"
#include "gui/app/QtDialogs.h"
#include "gui/app/TWel_Kor.h"
#include "gui/app/TfPort.h"

#include <QApplication>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

double ProcessSeconds()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double WallSeconds()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char* argv[])
{
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    QApplication app(argc, argv);
    QtDialogs dialogs;
    SystemClock clock;
    TWel_Kor window(ProgramServices(&dialogs, &clock, 1, argv));
    TfPort port;
    window.show();
    window.pcZakladki->setCurrentWidget(window.tsMikroplytka);

    // How often the timer had to be put back on the second, and how many
    // ticks there were.
    int rephased = 0;
    int ticks = 0;
    QObject::connect(window.Timer1Phase, &QTimer::timeout, &app, [&] { ++rephased; });
    QObject::connect(window.Timer1, &QTimer::timeout, &app, [&] { ++ticks; });

    double cpuStart = 0;
    double wallStart = 0;
    QTimer::singleShot(3000, &app, [&] {
        cpuStart = ProcessSeconds();
        wallStart = WallSeconds();
        QTimer::singleShot(seconds * 1000, &app, [&] {
            const double cpu = ProcessSeconds() - cpuStart;
            const double wall = WallSeconds() - wallStart;
            std::printf("idle_seconds %.1f\ncpu_ms %.1f\ncpu_percent %.4f\nticks %d\nrephased %d\n", wall, cpu * 1000,
                        100 * cpu / wall, ticks, rephased);
            std::fflush(stdout);
            QApplication::quit();
        });
    });
    return app.exec();
}
