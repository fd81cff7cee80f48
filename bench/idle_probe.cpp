// The running program left alone on the plate page: after a few seconds to
// settle, the CPU time the process uses over a stretch of idle time is
// measured and printed for bench/idle_cpu to read.
//   idle_probe [seconds]     (default 60)
//   idle_probe seconds --unplugged-reader SIMULATOR REPORT
// The second form first fetches a plate from the reader simulator on a
// pseudo-terminal and then kills the simulator, as a reader unplugged while
// the program holds its port; the idle time is measured after that.
#include "qtbase/ClockSource.h"
#include "gui/dialogs/QtDialogs.h"
#include "gui/analysis/AnalysisPage.h"
#include "gui/app/Commands.h"
#include "gui/app/SecondTimer.h"
#include "gui/app/TWel_Kor.h"
#include "gui/output/OutputCommands.h"
#include "gui/plate/PlatePage.h"
#include "gui/reader/ReaderCommands.h"
#include "gui/report/ReportFiles.h"
#include "gui/report/ReportPage.h"
#include "gui/shell/ShellCommands.h"
#include "app/TfPort.h"
#include "serial/SerialReaderLink.h"

#include <QAction>
#include <QApplication>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

using namespace welkor::gui;

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
    const bool unplugged = argc == 5 && std::string(argv[2]) == "--unplugged-reader";
    QApplication app(argc, argv);
    QtDialogs dialogs;
    SystemClock clock;
    WindowServices services = ProgramServices(&dialogs, &clock, 1, argv);

    QProcess simulator;
    QTemporaryDir settings;
    std::unique_ptr<SerialReaderLink> reader;
    if (unplugged) {
        simulator.start(QString::fromLocal8Bit(argv[3]), {QStringLiteral("--answers"), QStringLiteral("good"),
                                                          QString::fromLocal8Bit(argv[4])});
        while (!simulator.canReadLine() && simulator.waitForReadyRead(10000)) {
        }
        const QString device = QString::fromLocal8Bit(simulator.readLine()).trimmed();
        reader = std::make_unique<SerialReaderLink>(settings.filePath(QStringLiteral("welkor.ini")), device);
        services.reader = reader.get();
    }
    TWel_Kor window(services);
    TfPort port;
    window.show();
    window.pcZakladki->setCurrentWidget(window.tsMikroplytka.tab());
    if (unplugged) {
        QTimer::singleShot(300, &app, [&] {
            window.commands->Pobierz1->trigger();
            window.pcZakladki->setCurrentWidget(window.tsMikroplytka.tab());
            simulator.kill();
            simulator.waitForFinished();
        });
    }

    // How often the timer had to be put back on the second, and how many
    // ticks there were.
    int rephased = 0;
    int ticks = 0;
    QObject::connect(window.timer->Timer1Phase, &QTimer::timeout, &app, [&] { ++rephased; });
    QObject::connect(window.timer->Timer1, &QTimer::timeout, &app, [&] { ++ticks; });

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
            if (reader)
                std::printf("reader_fetched %d\nreader_port_open %d\n", window.report.hasData() ? 1 : 0,
                            reader->portOpen() ? 1 : 0);
            std::fflush(stdout);
            // exit, not quit: quit would close the window, which asks about
            // the fetched plate that is in no file.
            QApplication::exit(0);
        });
    });
    return app.exec();
}
