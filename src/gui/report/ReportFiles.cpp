// Reports: open, load, show and save, and the unsaved work of a report and
// of the template: what a save would write now, compared with what was last
// loaded or saved, and the question asked before such work would be thrown
// away (closing the window loses both, opening a report only the report: a
// load keeps the template colours).
#include "gui/report/ReportFiles.h"

#include "core/document/ReportDocument.h"
#include "core/report/ReportFile.h"
#include "gui/analysis/AnalysisPage.h"
#include "gui/analysis/EditGrid.h"
#include "gui/app/WindowServices.h"
#include "gui/dialogs/ErrorGuard.h"
#include "gui/dialogs/FileQuestions.h"
#include "gui/plate/PlatePage.h"
#include "gui/report/ReportPage.h"
#include "qtbase/FileIO.h"

#include <QDir>
#include <QFileInfo>

#include <functional>

namespace welkor::gui {

namespace {

const QString kReportFilter = QStringLiteral("Raport z pomiaru (*.rap)");
const QString kReportSuffix = QStringLiteral("rap");

// A report another program saved in UTF-8 was read as such; the user learns
// that a save writes the reader's code page, and what it cannot hold.
QString Utf8ReportNotice(const QString& fileName, const QString& unstorable)
{
    QString text = QStringLiteral("Plik „%1” jest zapisany w kodowaniu UTF-8 i tak został odczytany.\r\n"
                                  "Zapisany zostanie w stronie kodowej 1250, jak raporty czytnika.")
                       .arg(QFileInfo(fileName).fileName());
    if (!unstorable.isEmpty())
        text += QStringLiteral("\r\nTych znaków nie da się w niej zapisać, więc widać je jako „?”: %1").arg(unstorable);
    return text;
}

} // namespace

void ReportPages::BuildBeforeReportChanges() const
{
    tables.get();
    plate.get();
}

ReportFiles::ReportFiles(welkor::ReportDocument& report, ReportPages pages, const WindowServices& services,
                         QWidget& window)
    : report_(report), pages_(pages), services_(services), window_(window)
{
    OD = {QStringLiteral("Otwieranie wyników"), QString(), QStringLiteral("txt"), QString()};
    SD = {QStringLiteral("Zapis wyników"), QString(), QStringLiteral("txt"), QStringLiteral("Pomiar")};
}

bool ReportFiles::ConfirmReplaceReport(const QString& fileName)
{
    const QFileInfo target(fileName);
    const bool ownFile = !reportFile_.isEmpty() && target.exists()
        && (target.absoluteFilePath() == reportFile_
            || (!target.canonicalFilePath().isEmpty()
                && target.canonicalFilePath() == QFileInfo(reportFile_).canonicalFilePath()));
    if (ownFile) {
        std::optional<std::string> now;
        try {
            now = ReadFileBytes(fileName, static_cast<qint64>(welkor::kMaxReportFileBytes));
        } catch (const UserError&) {
            // Unreadable now: the plain question below, and the write says why it fails.
        }
        if (now && std::hash<std::string_view>{}(*now) != reportFileDigest_)
            return services_.dialogs->askYesNo(
                QStringLiteral("Uwaga!"),
                QStringLiteral("Plik o nazwie:\r\n%1\r\nzmienił się na dysku, odkąd został tu otwarty lub zapisany "
                               "(zapisał go inny program albo inny użytkownik).\r\n"
                               "Nadpisanie usunie tamte zmiany. Czy mimo to go nadpisać?")
                    .arg(target.absoluteFilePath()));
    }
    return ConfirmOverwrite(*services_.dialogs, fileName);
}

QString ReportFiles::OfferedFileName(const QString& extension) const
{
    // Always with the command's own extension, so that no command offers the
    // report file itself (a report named without an extension included).
    if (!reportFile_.isEmpty()) {
        const QFileInfo report(reportFile_);
        return report.absoluteDir().filePath(report.completeBaseName() + QLatin1Char('.') + extension);
    }
    const QFileInfo last(SD.fileName);
    const QString folder = last.isAbsolute() ? last.absolutePath() : QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("Pomiar.") + extension);
}

void ReportFiles::WriteGridHeadings()
{
    report_ = welkor::ReportDocument();
    FillPlaceholder(welkor::kPlateColumns, welkor::kPlateRows);
}

void ReportFiles::FillPlaceholder(std::uint8_t columns, std::uint8_t rows)
{
    report_.FillPlaceholder(columns, rows);
    if (pages_.tables.built()) // else the page shows it when built
        pages_.tables->ShowValuesInGrid();
}

void ReportFiles::ShowReport()
{
    pages_.text.RebuildReportText(report_);
    pages_.tables->ShowValuesInGrid();
    pages_.tables->ShowEditGrid();
}

void ReportFiles::TakeTypedWork()
{
    report_.setCommentLines(ToCp1250Lines(pages_.text.CommentMemoLines()));
    report_.setEditGrid(pages_.tables->sgEdycja->texts());
}

void ReportFiles::Otwrz1Click()
{
    OD.filter = kReportFilter;
    OD.defaultSuffix = kReportSuffix;
    if (services_.dialogs->openFile(OD))
        LoadReport(OD.fileName);
}

void ReportFiles::LoadReport(const QString& fileName)
{
    // Everything is checked before anything changes: a file that is not a
    // usable report leaves the current one on screen untouched.
    const std::string bytes = ReadFileBytes(fileName, static_cast<qint64>(welkor::kMaxReportFileBytes));
    welkor::OpenedReport opened = welkor::ReportDocument::Open(bytes);
    if (!opened.ok())
        throw UserError(FromCp1250(std::string(welkor::kReportNotOpened)).arg(fileName, FromCp1250(opened.problem)));

    if (!ConfirmDiscardUnsavedWork(UnsavedScope::Report))
        return;

    window_.setWindowTitle(kProductCaption + QStringLiteral(" - ") + fileName);
    pages_.BuildBeforeReportChanges();
    pages_.tables->ClearThreshold(); // no threshold of an earlier plate beside this one
    report_ = std::move(*opened.document);
    ShowReport();
    pages_.plate->ShowNewPlate();
    pages_.tables->RefreshTemplateOverlay();
    MarkReportSaved(CurrentSaveDocument(), fileName, bytes);
    if (opened.readAsUtf8)
        services_.dialogs->information(Utf8ReportNotice(fileName, QString::fromUtf8(opened.unstorable)));
}

bool ReportFiles::AcceptUnstorableCharacters(const QString& fileKind, const QString& goAhead)
{
    // Characters the file cannot hold would silently become "?".
    QString unstorable = CharactersOutsideCp1250(pages_.text.CommentMemoLines().join(QString()));
    for (int r = 0; r < welkor::kGridRows; ++r)
        for (int c = 0; c < welkor::kGridColumns; ++c)
            unstorable = CharactersOutsideCp1250(pages_.tables->sgEdycja->cell(c, r), unstorable);
    return unstorable.isEmpty()
        || services_.dialogs->askYesNo(
            QStringLiteral("Uwaga!"),
            QStringLiteral("Tych znaków nie da się zapisać w pliku %1 (strona kodowa 1250): %2\r\n"
                           "Zostaną zapisane jako „?”.\r\nCzy mimo to %3?")
                .arg(fileKind, unstorable, goAhead));
}

void ReportFiles::Zapisz1Click()
{
    if (!report_.hasData()) {
        services_.dialogs->information(QStringLiteral("Brak danych!"));
        return;
    }
    SD.filter = kReportFilter;
    SD.title = QStringLiteral("Zapis wyników");
    SD.defaultSuffix = kReportSuffix;

    if (!AcceptUnstorableCharacters(QStringLiteral("raportu"), QStringLiteral("zapisać raport")))
        return;

    TakeTypedWork();
    if (welkor::HasMarkerLine(report_.commentLines()))
        services_.dialogs->information(
            QStringLiteral("Wiersz komentarza „Kon_Kom_Pap” zostanie zapisany ze spacją na końcu: "
                           "to słowo oznacza w pliku początek bloku analizy."));

    // The edit grid gets its leading blanks before the dialog opens, whatever
    // the user answers there.
    const welkor::GridTexts before = report_.editGrid();
    welkor::ReportLines document = report_.Save();
    pages_.tables->sgEdycja->applyChanges(before, report_.editGrid());
    // Everything saved opens again: a report past the reading limit is not written.
    const std::string bytes = welkor::JoinReportLines(document);
    if (const std::string problem = welkor::SavedReportProblem(bytes); !problem.empty())
        throw UserError(FromCp1250(problem));

    SD.fileName = OfferedFileName(kReportSuffix);
    SD.filterIndex = 0;
    if (!services_.dialogs->saveFile(SD))
        return;
    const QString fileName = SD.fileName;
    if (!ConfirmReplaceReport(fileName))
        return;
    const QString note = WriteFileAtomically(fileName, bytes);
    MarkReportSaved(std::move(document), fileName, bytes);
    if (!note.isEmpty())
        services_.dialogs->information(note);
}

// ---- Unsaved work -------------------------------------------------------------------

welkor::ReportLines ReportFiles::CurrentSaveDocument() const
{
    // What the memo and the grid hold now, saved from a copy of the report.
    welkor::ReportDocument current = report_;
    current.setCommentLines(ToCp1250Lines(pages_.text.CommentMemoLines()));
    current.setEditGrid(pages_.tables->sgEdycja->texts());
    return current.SaveDocument();
}

void ReportFiles::MarkReportSaved(welkor::ReportLines document, const QString& fileName, std::string_view fileBytes)
{
    savedReportDocument_ = std::move(document);
    reportFile_ = QFileInfo(fileName).absoluteFilePath();
    reportFileDigest_ = std::hash<std::string_view>{}(fileBytes);
}

void ReportFiles::MarkReportUnsaved()
{
    savedReportDocument_.reset();
    reportFile_.clear();
    reportFileDigest_ = 0;
}

bool ReportFiles::ReportHasUnsavedChanges() const
{
    // Without data there is nothing a save could write.
    if (!report_.hasData())
        return false;
    return !savedReportDocument_ || *savedReportDocument_ != CurrentSaveDocument();
}

bool ReportFiles::ConfirmDiscardUnsavedWork(UnsavedScope scope)
{
    // A table page never built has no open cell editor and a template as
    // it started; without data the report has nothing to save either.
    if (pages_.tables.built())
        pages_.tables->CommitOpenEditors();
    const bool report = ReportHasUnsavedChanges();
    const bool colours = scope == UnsavedScope::ReportAndTemplate && pages_.tables.built()
        && pages_.tables->TemplateHasUnsavedChanges();
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
        Guarded(*services_.dialogs, [this] { Zapisz1Click(); });
        if (ReportHasUnsavedChanges())
            return false;
    }
    if (colours) {
        Guarded(*services_.dialogs, [this] { pages_.tables->Zapiszschemat1Click(); });
        if (pages_.tables->TemplateHasUnsavedChanges())
            return false;
    }
    return true;
}

} // namespace welkor::gui
