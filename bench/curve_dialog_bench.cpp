// "Krzywa standardowa" opened on a plate, offscreen: the dialog made on R's
// DNase calibration (16 standards marked "std …" in the edit grid, 32
// samples, two wells below the curve), fitted, its table filled and the
// whole dialog painted once; and a change of model, fitted and painted again.
// Target: opening well under 100 ms.
#include "QuietDialogs.h"
#include "../tests/helpers/DNasePlate.h"
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

welkor::ReportDocument Plate()
{
    welkor::ReportDocument doc = *welkor::ReportDocument::Open(dnase::Report()).document;
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 8; ++r)
            doc.setEditCell(c, r, dnase::StandardMark(r - 1));
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
