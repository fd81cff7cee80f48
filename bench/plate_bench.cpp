// Recolouring the 96 wells and repainting the plate page, offscreen.
#include "core/report/ReportFile.h"
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
#include "gui/plate/PlateView.h"

#include <QApplication>
#include <QPixmap>

#include <benchmark/benchmark.h>

using namespace welkor::gui;

namespace {

struct Fixture {
    NoDialogs dialogs;
    SystemClock clock;
    std::unique_ptr<TWel_Kor> window;

    Fixture()
    {
        WindowServices services;
        services.dialogs = &dialogs;
        services.clock = &clock;
        window = std::make_unique<TWel_Kor>(services);
        window->show();
        // A report whose wells read 0,125 to 95,125, with a blank and an over well.
        welkor::ReportLines lines = {"Welkor Lumo 1", "", "", "", "DATE: TIME:", "OPERATOR: "};
        for (int c = 0; c < 12; ++c) {
            std::string line = "Kolumna " + std::to_string(c + 1);
            for (int r = 0; r < 8; ++r) {
                std::string text = " " + std::to_string(r * 12 + c) + ",125";
                if (r * 12 + c == 0)
                    text = " blank";
                else if (r * 12 + c == 95)
                    text = " over";
                line += text + '\t';
            }
            lines.push_back(line);
        }
        window->report = std::move(*welkor::ReportDocument::Open(welkor::JoinReportLines(lines)).document);
        window->tsMikroplytka->FindRange();
        window->pcZakladki->setCurrentWidget(window->tsMikroplytka.tab());
    }
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

void BM_RecolourPlateWindow(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state) {
        f.window->tsMikroplytka->glowScale = !f.window->tsMikroplytka->glowScale; // every pass changes every well
        f.window->tsMikroplytka->RecolourPlate();
    }
}
BENCHMARK(BM_RecolourPlateWindow);

void BM_RepaintPlatePage(benchmark::State& state)
{
    Fixture& f = Shared();
    QPixmap target(f.window->tsMikroplytka->size());
    for (auto _ : state) {
        f.window->tsMikroplytka->glowScale = !f.window->tsMikroplytka->glowScale;
        f.window->tsMikroplytka->RecolourPlate();
        f.window->tsMikroplytka->render(&target);
    }
}
BENCHMARK(BM_RepaintPlatePage)->Unit(benchmark::kMicrosecond);

void BM_RepaintWellsOnly(benchmark::State& state)
{
    Fixture& f = Shared();
    QPixmap target(f.window->tsMikroplytka->plateView->size());
    for (auto _ : state) {
        f.window->tsMikroplytka->glowScale = !f.window->tsMikroplytka->glowScale;
        f.window->tsMikroplytka->RecolourPlate();
        f.window->tsMikroplytka->plateView->render(&target);
    }
}
BENCHMARK(BM_RepaintWellsOnly)->Unit(benchmark::kMicrosecond);

} // namespace
