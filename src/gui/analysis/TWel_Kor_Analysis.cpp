// "Analizuj": the cut-off against the negative controls.
#include "core/analysis/CutoffAnalysis.h"
#include "gui/analysis/EditGrid.h"
#include "gui/app/TWel_Kor.h"

#include <QLabel>

void TWel_Kor::tbAnalizujClick()
{
    const welkor::GridTexts measured = sgDane->texts();
    const welkor::GridTexts before = sgEdycja->texts();
    welkor::GridTexts edit = before;
    // Only the cells the analysis rewrote go back into the grid, so text the
    // user typed that a report file cannot hold stays as typed elsewhere.
    auto writeBack = [&] {
        for (int r = 0; r < welkor::kGridRows; ++r)
            for (int c = 0; c < welkor::kGridColumns; ++c) {
                const std::string& now = edit[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
                if (now != before[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)])
                    sgEdycja->setCell(c, r, FromCp1250(now));
            }
    };
    try {
        welkor::RunCutoffAnalysis(measured, edit, FreshMeasurement, controlCounts,
                                  [this](const std::string& status) { sbPanels[3]->setText(FromCp1250(status)); });
    } catch (...) {
        writeBack(); // the wells marked before the failing one stay marked
        throw;
    }
    writeBack();
}
