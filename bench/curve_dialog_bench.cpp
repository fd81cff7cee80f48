// "Krzywa standardowa" opened on a plate, offscreen: the dialog made on R's
// DNase calibration (16 standards marked "std …" in the edit grid, 32
// samples, two wells below the curve), fitted, its table filled and the
// whole dialog painted once; and a change of model, fitted and painted again.
// Target: opening well under 100 ms.
#include "QuietDialogs.h"
#include "core/document/ReportDocument.h"
#include "core/report/ReportFile.h"
#include "gui/curve/CurvePlot.h"
#include "gui/curve/StandardCurveDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include <string>

namespace {

const char* const kConcentrations[8] = {"0,04882812", "0,1953125", "0,390625", "0,78125",
                                        "1,5625",     "3,125",     "6,25",     "12,5"};
const char* const kStandards[2][8] = {{"0,017", "0,121", "0,206", "0,377", "0,614", "1,019", "1,334", "1,730"},
                                      {"0,018", "0,124", "0,215", "0,374", "0,609", "1,001", "1,364", "1,710"}};
const char* const kSamples[32] = {"0,045", "0,050", "0,137", "0,123", "0,225", "0,207", "0,401", "0,383",
                                  "0,672", "0,681", "1,116", "1,078", "1,554", "1,526", "1,932", "1,914",
                                  "0,070", "0,068", "0,173", "0,165", "0,277", "0,248", "0,434", "0,426",
                                  "0,703", "0,689", "1,067", "1,077", "1,629", "1,479", "2,003", "1,884"};

welkor::ReportDocument Plate()
{
    welkor::ReportLines lines = {"Welkor Lumo 1", "Program: ELISA DNase", "", "", "DATE: 08.12.2026 TIME: 09:12:44",
                                 "OPERATOR: Marvant"};
    for (int c = 0; c < 12; ++c) {
        std::string line = "Kolumna " + std::to_string(c + 1);
        for (int r = 0; r < 8; ++r) {
            std::string value = "blank";
            if (c < 2)
                value = kStandards[c][r];
            else if (c < 6)
                value = kSamples[(c - 2) * 8 + r];
            else if (c == 6 && r >= 6)
                value = r == 6 ? "0,010" : "0,020";
            line += " " + value + "\t";
        }
        lines.push_back(line);
    }
    welkor::ReportDocument doc = *welkor::ReportDocument::Open(welkor::JoinReportLines(lines)).document;
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 8; ++r)
            doc.setEditCell(c, r, std::string("std ") + kConcentrations[r - 1]);
    return doc;
}

void BM_OpenCurveDialog(benchmark::State& state)
{
    NoDialogs dialogs;
    const welkor::ReportDocument report = Plate();
    for (auto _ : state) {
        StandardCurveDialog dialog(report, dialogs, QStringLiteral("/tmp/dnase.rap"));
        if (!dialog.result().ok())
            state.SkipWithError("no curve");
        dialog.show();
        const QPixmap painted = dialog.grab();
        benchmark::DoNotOptimize(painted);
    }
}
BENCHMARK(BM_OpenCurveDialog)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ChangeModelAndRepaint(benchmark::State& state)
{
    NoDialogs dialogs;
    const welkor::ReportDocument report = Plate();
    StandardCurveDialog dialog(report, dialogs, QStringLiteral("/tmp/dnase.rap"));
    dialog.show();
    int model = 0;
    for (auto _ : state) {
        model = model == 0 ? 1 : 0; // 4PL and 5PL in turn
        dialog.modelBox->setCurrentIndex(model);
        const QPixmap painted = dialog.plot->grab();
        benchmark::DoNotOptimize(painted);
    }
}
BENCHMARK(BM_ChangeModelAndRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();

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
