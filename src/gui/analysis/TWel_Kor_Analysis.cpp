// "Analizuj": the cut-off against the negative controls.
#include "core/analysis/CutoffAnalysis.h"
#include "gui/analysis/EditGrid.h"
#include "gui/app/TWel_Kor.h"

#include <QLabel>

namespace welkor::gui {

namespace {

const QString kNoNegativeControl = QStringLiteral("Brak kontroli ujemnych (neg) — nie można wyznaczyć progu.");
const QString kAlreadyAnalysed =
    QStringLiteral("Ten pomiar jest już przeanalizowany.\n"
                   "Aby przeprowadzić nową analizę, kliknij „Przenieś”: wartości pomiaru wrócą do tabeli edycji. "
                   "Potem wpisz kontrole (neg, poz) i kliknij „Analizuj”.");

} // namespace

void TWel_Kor::ClearThreshold()
{
    sbPanels[3]->clear();
    sbPanels[3]->setToolTip({});
}

void TWel_Kor::tbAnalizujClick()
{
    report.setEditGrid(sgEdycja->texts());
    const welkor::GridTexts before = report.editGrid();
    welkor::CutoffOutcome outcome = welkor::CutoffOutcome::MarksOnly;
    try {
        outcome = report.Analyse(controlCounts, [this](const std::string& status) {
            sbPanels[3]->setText(FromCp1250(status));
            // The panel is cut to its width; its tool tip gives the threshold
            // the wells were judged against, where the cut hides digits.
            const std::string exact = welkor::ExactThresholdText(controlCounts);
            sbPanels[3]->setToolTip(exact.empty() ? QString() : QStringLiteral("Próg dokładnie: ") + FromCp1250(exact));
        });
    } catch (...) {
        sgEdycja->applyChanges(before, report.editGrid()); // the wells marked before the failing one stay marked
        throw;
    }
    sgEdycja->applyChanges(before, report.editGrid());
    // The command never ends in silence without a result.
    if (outcome == welkor::CutoffOutcome::NoNegativeControl) {
        ClearThreshold();
        services_.dialogs->information(kNoNegativeControl);
    } else if (outcome == welkor::CutoffOutcome::MarksOnly) {
        services_.dialogs->information(report.hasData() ? kAlreadyAnalysed : QStringLiteral("Brak danych!"));
    }
}

} // namespace welkor::gui
