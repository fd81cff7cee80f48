#pragma once

#include "core/analysis/PlateCurve.h"
#include "core/document/ReportDocument.h"
#include "gui/dialogs/Dialogs.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTableWidget;

namespace welkor::gui {

class CurvePlot;

// "Krzywa standardowa": the plate's standard curve for the report as it
// stands. The readings come from the measured grid, the roles from the edit
// grid ("std 12,5", " neg", " poz"); both are taken when the dialog is made,
// so the window hands over its document after taking in what the user typed.
// The model and the weighting are chosen here and every change fits the curve
// again. With a curve: the plot, the parameters with R² and the notes, and a
// table of the wells (well, role, reading, concentration, remark), which
// sorts by any column, goes to the clipboard ("Kopiuj": TAB between cells,
// CR after every row, as the window's copies) and to a file ("Zapisz…": the
// CSV of `welkor-lumo-cli krzywa`, or an Excel workbook). Without one, what
// is missing or why the fit failed, in place of the plot, and no numbers.
// Questions and failures go through `dialogs`.
class StandardCurveDialog : public QDialog {
    Q_OBJECT
public:
    // `reportFile` names the report (empty for one never saved): the files
    // offered are beside it, "pomiar-krzywa.csv".
    StandardCurveDialog(const welkor::ReportDocument& report, Dialogs& dialogs, const QString& reportFile,
                        QWidget* parent = nullptr);

    const welkor::PlateCurveResult& result() const { return result_; }
    const welkor::CurveOptions& options() const { return options_; }

    // The table as "Kopiuj" puts it on the clipboard: the headings, then the
    // rows in the order shown.
    QString TableText() const;

    // The controls, named for the tests and the window's hints.
    QComboBox* modelBox = nullptr;
    QComboBox* weightingBox = nullptr;
    QStackedWidget* plotPages = nullptr; // the plot, or the message in its place
    CurvePlot* plot = nullptr;
    QLabel* message = nullptr;
    QLabel* summary = nullptr;
    QGroupBox* summaryBox = nullptr; // the parameters, shown with a curve only
    QTableWidget* table = nullptr; // shown with a curve only
    QPushButton* copyButton = nullptr;
    QPushButton* saveButton = nullptr;

private:
    Dialogs& dialogs_;
    QString reportFile_;
    bool hasData_ = false;
    welkor::PlateCurveInput plate_;
    welkor::CurveOptions options_;
    welkor::PlateCurveResult result_;
    FileDialogState saveState_;

    void Refit();
    void ShowResult();
    void FillTable();
    void CopyTable();
    void SaveTable();
    QString OfferedFileName(const QString& extension) const;
};

} // namespace welkor::gui
