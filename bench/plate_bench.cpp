// Recolouring the 96 wells and repainting the plate page, offscreen.
#include "gui/app/ClockSource.h"
#include "gui/app/TWel_Kor.h"
#include "gui/plate/PlateView.h"

#include <QApplication>
#include <QPixmap>

#include <benchmark/benchmark.h>

namespace {

class NoDialogs : public Dialogs {
public:
    bool openFile(FileDialogState&) override { return false; }
    bool saveFile(FileDialogState&) override { return false; }
    bool askYesNo(const QString&, const QString&) override { return false; }
    SaveChoice askSaveChanges(const QString&) override { return SaveChoice::Cancel; }
    void information(const QString&) override {}
    void error(const QString&) override {}
    std::optional<std::uint32_t> chooseColour(std::uint32_t) override { return std::nullopt; }
    void printerSetup(QPrinter&) override {}
    void printPreview(QPrinter&, const std::function<void(QPrinter&)>&) override {}
};

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
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 12; ++c)
            {
                std::string text(" ");
                text.append(std::to_string(r * 12 + c)).append(",125");
                window->valueTable.at(r, c) = text;
            }
        window->valueTable.at(0, 0) = " blank";
        window->valueTable.at(7, 11) = " over";
        window->dataPresent = true;
        window->FindRange();
        window->pcZakladki->setCurrentWidget(window->tsMikroplytka);
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
        f.window->glowScale = !f.window->glowScale; // every pass changes every well
        f.window->RecolourPlate();
    }
}
BENCHMARK(BM_RecolourPlateWindow);

void BM_RepaintPlatePage(benchmark::State& state)
{
    Fixture& f = Shared();
    QPixmap target(f.window->tsMikroplytka->size());
    for (auto _ : state) {
        f.window->glowScale = !f.window->glowScale;
        f.window->RecolourPlate();
        f.window->tsMikroplytka->render(&target);
    }
}
BENCHMARK(BM_RepaintPlatePage)->Unit(benchmark::kMicrosecond);

void BM_RepaintWellsOnly(benchmark::State& state)
{
    Fixture& f = Shared();
    QPixmap target(f.window->plateView->size());
    for (auto _ : state) {
        f.window->glowScale = !f.window->glowScale;
        f.window->RecolourPlate();
        f.window->plateView->render(&target);
    }
}
BENCHMARK(BM_RepaintWellsOnly)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
