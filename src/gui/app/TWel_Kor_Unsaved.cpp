// Unsaved work: what a report save or a template save would write now,
// compared with what was last loaded or saved, and the question asked before
// such work would be thrown away (closing the window loses both, opening a
// report only the report: a load keeps the template colours).
#include "core/report/ReportFile.h"
#include "gui/analysis/EditGrid.h"
#include "gui/app/TWel_Kor.h"

#include <QFileInfo>

#include <functional>

#include <QCloseEvent>

namespace welkor::gui {

welkor::ReportLines TWel_Kor::CurrentSaveDocument() const
{
    // What the memo and the grid hold now, saved from a copy of the report.
    welkor::ReportDocument current = report;
    current.setCommentLines(ToCp1250Lines(CommentMemoLines()));
    current.setEditGrid(sgEdycja->texts());
    return current.SaveDocument();
}

void TWel_Kor::MarkReportSaved(welkor::ReportLines document, const QString& fileName, std::string_view fileBytes)
{
    savedReportDocument_ = std::move(document);
    reportFile_ = QFileInfo(fileName).absoluteFilePath();
    reportFileDigest_ = std::hash<std::string_view>{}(fileBytes);
}

void TWel_Kor::MarkReportUnsaved()
{
    savedReportDocument_.reset();
    reportFile_.clear();
    reportFileDigest_ = 0;
}

bool TWel_Kor::ReportHasUnsavedChanges() const
{
    // Without data there is nothing a save could write.
    if (!report.hasData())
        return false;
    return !savedReportDocument_ || *savedReportDocument_ != CurrentSaveDocument();
}

void TWel_Kor::MarkTemplateSaved() { savedTemplateColours_ = CellColours; }

bool TWel_Kor::TemplateHasUnsavedChanges() const { return CellColours != savedTemplateColours_; }

bool TWel_Kor::ConfirmDiscardUnsavedWork(UnsavedScope scope)
{
    CommitOpenEditors();
    const bool report = ReportHasUnsavedChanges();
    const bool colours = scope == UnsavedScope::ReportAndTemplate && TemplateHasUnsavedChanges();
    if (!report && !colours)
        return true;

    QStringList what;
    if (report)
        what << QStringLiteral("Raport ma niezapisane zmiany (komentarz, tabela edycji lub wyniki analizy).");
    if (colours)
        what << QStringLiteral("Kolory szablonu mają niezapisane zmiany.");
    what << QString() << QStringLiteral("Zapisać zmiany?");

    switch (services_.dialogs->askSaveChanges(what.join(QLatin1Char('\n')))) {
    case SaveChoice::Discard: return true;
    case SaveChoice::Cancel: return false;
    case SaveChoice::Save: break;
    }
    // Each save shows its own dialog; a cancelled or failed save keeps
    // everything as it is.
    if (report) {
        Guarded([this] { Zapisz1Click(); });
        if (ReportHasUnsavedChanges())
            return false;
    }
    if (colours) {
        Guarded([this] { Zapiszschemat1Click(); });
        if (TemplateHasUnsavedChanges())
            return false;
    }
    return true;
}

void TWel_Kor::closeEvent(QCloseEvent* event)
{
    // Should the question itself fail, the window stays open.
    bool close = false;
    Guarded([&] { close = ConfirmDiscardUnsavedWork(UnsavedScope::ReportAndTemplate); });
    if (close)
        event->accept();
    else
        event->ignore();
}

} // namespace welkor::gui
