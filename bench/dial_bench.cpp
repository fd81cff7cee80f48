// The dial's once-a-second work on the plate page, offscreen: compose the
// hands over the cached face in the dial's square and put that square on the
// screen. Target: under 50 us for compose + blit.
#include "QuietDialogs.h"
#include "qtbase/ClockSource.h"
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
#include "gui/dial/TClock.h"

#include <QApplication>
#include <QPainter>
#include <QTabWidget>
#include <QTimer>

#include <benchmark/benchmark.h>

using namespace welkor::gui;

namespace {

struct Fixture {
    NoDialogs dialogs;
    SystemClock clock;
    std::unique_ptr<TWel_Kor> window;
    TClock* dial = nullptr;
    float position = 36000;

    Fixture()
    {
        WindowServices services;
        services.dialogs = &dialogs;
        services.clock = &clock;
        window = std::make_unique<TWel_Kor>(services);
        window->timer->Timer1->stop(); // the benchmark moves the hands itself
        window->timer->Timer1Phase->stop();
        window->show();
        window->pcZakladki->setCurrentWidget(window->tsMikroplytka.tab());
        QCoreApplication::processEvents();
        dial = window->tsMikroplytka->Clock1;
    }

    // The next second; it wraps round within a day.
    float NextSecond()
    {
        position = position >= 86399 ? 0 : position + 1;
        return position;
    }
};

// Made on first use, gone before the application is.
std::unique_ptr<Fixture> shared;

Fixture& Shared()
{
    if (!shared)
        shared = std::make_unique<Fixture>();
    return *shared;
}

// What each timer tick costs the dial: compose the square, then paint it
// through the window's backing store at once.
void BM_DialSecondComposeAndBlit(benchmark::State& state)
{
    Fixture& f = Shared();
    const QRect square = f.dial->dialSquare();
    const int builds = f.dial->faceBuilds();
    for (auto _ : state) {
        f.dial->setPosition(f.NextSecond());
        f.dial->repaint(square);
    }
    if (f.dial->faceBuilds() != builds)
        state.SkipWithError("the face was rebuilt during the seconds");
}
BENCHMARK(BM_DialSecondComposeAndBlit)->Unit(benchmark::kMicrosecond);

// The compose step alone: copy the face's square, draw the three hands.
void BM_DialSecondCompose(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state)
        f.dial->setPosition(f.NextSecond());
    QCoreApplication::processEvents();
}
BENCHMARK(BM_DialSecondCompose)->Unit(benchmark::kMicrosecond);

// The blit step alone: the composed square copied onto a screen-like image.
void BM_DialSquareBlit(benchmark::State& state)
{
    Fixture& f = Shared();
    const QRect square = f.dial->dialSquare();
    QImage target(f.dial->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(square.topLeft(), f.dial->composedImage(), square);
    }
}
BENCHMARK(BM_DialSquareBlit)->Unit(benchmark::kMicrosecond);

// For comparison: a whole new face, as after a property or palette change.
void BM_DialFaceRebuild(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state) {
        f.dial->setColorFont(f.dial->colorFont() == 0x008000 ? 0x008001 : 0x008000);
        f.dial->repaint();
    }
}
BENCHMARK(BM_DialFaceRebuild)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    shared.reset();
    return 0;
}
