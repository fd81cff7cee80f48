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
    try {
        welkor::RunCutoffAnalysis(measured, edit, FreshMeasurement, controlCounts,
                                  [this](const std::string& status) { sbPanels[3]->setText(FromCp1250(status)); });
    } catch (...) {
        sgEdycja->applyChanges(before, edit); // the wells marked before the failing one stay marked
        throw;
    }
    sgEdycja->applyChanges(before, edit);
}
