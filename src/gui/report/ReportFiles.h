#pragma once

#include "core/report/ReportTypes.h"
#include "gui/dialogs/Dialogs.h"
#include "gui/widgets/LazyPage.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

class QWidget;

namespace welkor {
class ReportDocument;
}

namespace welkor::gui {

class AnalysisPage;
class PlatePage;
class ReportPage;
struct WindowServices;

// The pages a report is shown on. The two behind the first are built when
// first needed; their start-up state is that of the report the window
// started with, so they are built before another report replaces it.
struct ReportPages {
    ReportPage& text;                    // "Raport": the two memos
    const LazyPage<AnalysisPage>& tables; // "Tabela": both grids
    const LazyPage<PlatePage>& plate;     // "Mikropłytka": the wells

    void BuildBeforeReportChanges() const;
};

// The report's files: "Otwórz" and "Zapisz", the load pipeline, what the
// user typed going into the report, and the record of what was opened or
// saved last, by which unsaved work is told and asked about.
class ReportFiles {
public:
    ReportFiles(welkor::ReportDocument& report, ReportPages pages, const WindowServices& services, QWidget& window);

    void Otwrz1Click();
    void Zapisz1Click();
    void LoadReport(const QString& fileName);
    // A report that was never opened: the document's headings and "0"s.
    void WriteGridHeadings();
    void FillPlaceholder(std::uint8_t columns, std::uint8_t rows);
    // The memos and both grids show the report as it now stands.
    void ShowReport();
    // What the user typed into the comment memo and the edit grid goes into
    // the report before a command reads it.
    void TakeTypedWork();
    // Characters of the comment or the edit grid that code page 1250 cannot
    // hold would become "?" in the file: the user is asked first ("Uwaga!",
    // naming them, the kind of file and what goes ahead). True when nothing
    // would change or the user agreed.
    bool AcceptUnstorableCharacters(const QString& fileKind, const QString& goAhead);
    // The "Uwaga!" question before a report is saved over a file: when the
    // file is the report's own and another program changed it since it was
    // opened or saved here, the question says so.
    bool ConfirmReplaceReport(const QString& fileName);
    // The name a save dialog offers: the current report's own, with the
    // command's extension, in its folder; a report in no file yet (a fetch)
    // is offered "Pomiar" in the folder used last, else the home folder.
    QString OfferedFileName(const QString& extension) const;
    // The file the report was opened from or saved to last (absolute);
    // empty for a fetched report and before any.
    const QString& ReportFile() const { return reportFile_; }

    // ---- Unsaved work -----------------------------------------------------------
    // The lines a report save would write now (empty without a report).
    welkor::ReportLines CurrentSaveDocument() const;
    // The report as the file `fileName` now holds it (opened or saved);
    // `fileBytes` are the file's bytes, to tell a change another program
    // makes to it later.
    void MarkReportSaved(welkor::ReportLines document, const QString& fileName, std::string_view fileBytes);
    void MarkReportUnsaved(); // a report that has never been saved (a fetch)
    bool ReportHasUnsavedChanges() const;
    // Asks "Zapisać zmiany?" when there is unsaved work in what the coming
    // step would throw away; false when the user keeps it (Anuluj, or a save
    // that was cancelled or failed).
    enum class UnsavedScope { Report, ReportAndTemplate };
    bool ConfirmDiscardUnsavedWork(UnsavedScope scope);

    FileDialogState OD; // "Otwieranie wyników"
    FileDialogState SD; // "Zapis wyników", shared with the export

private:
    welkor::ReportDocument& report_;
    ReportPages pages_;
    const WindowServices& services_;
    QWidget& window_;
    std::optional<welkor::ReportLines> savedReportDocument_;
    // The report's file (absolute; empty for a fetched report) and a digest of
    // the bytes it held when this window read or wrote it, to tell a change
    // another program made since.
    QString reportFile_;
    std::size_t reportFileDigest_ = 0;
};

} // namespace welkor::gui
