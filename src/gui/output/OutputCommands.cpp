// Output: the export file, the clipboard copies and the printed report.
#include "gui/output/OutputCommands.h"

#include "core/document/ReportDocument.h"
#include "core/output/CopyRange.h"
#include "core/output/ExportDocument.h"
#include "core/output/WorkbookContent.h"
#include "gui/analysis/AnalysisPage.h"
#include "gui/analysis/EditGrid.h"
#include "gui/app/WindowServices.h"
#include "gui/dialogs/ErrorGuard.h"
#include "gui/dialogs/FileQuestions.h"
#include "gui/output/Logo.h"
#include "gui/output/PrintSupport.h"
#include "gui/output/PrintedReport.h"
#include "gui/report/ReportFiles.h"
#include "gui/report/ReportPage.h"
#include "gui/widgets/StringGrid.h"
#include "qtbase/FileIO.h"
#include "qtbase/QtText.h"
#include "qtbase/output/XlsxWorkbook.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <cstdlib>

namespace welkor::gui {

namespace {

// The export's sixth file type (code page 1250, as the filter it follows).
constexpr std::string_view kWorkbookFilterEntry = "Skoroszyt programu Excel (*.xlsx)|*.xlsx";

// `pdfFile` is the file the user chose, when the job writes a draft of it.
QString PrintStartProblem(const PrintSupport::Target& printer, const QString& pdfFile)
{
    const QString file = pdfFile.isEmpty() ? printer.outputFile : pdfFile;
    const QString where = printer.pdf
        ? (file.isEmpty() ? QStringLiteral("nie wybrano drukarki ani pliku PDF")
                          : QStringLiteral("plik „%1”").arg(file))
        : (printer.printerName.isEmpty() ? QStringLiteral("nie wybrano drukarki")
                                         : QStringLiteral("drukarka „%1”").arg(printer.printerName));
    return QStringLiteral("Nie można rozpocząć wydruku (%1).\r\n"
                          "Wybierz drukarkę albo wydruk do pliku PDF w „Ustawienia drukowania” i spróbuj ponownie.")
        .arg(where);
}

} // namespace

OutputCommands::OutputCommands(welkor::ReportDocument& report, ReportFiles& files, const ReportPage& text,
                               const LazyPage<AnalysisPage>& tables, const QLabel& heading, const WindowServices& services)
    : report_(report), files_(files), text_(text), tables_(tables), heading_(heading), services_(services)
{
}

OutputCommands::~OutputCommands() = default;

// ---- Export -------------------------------------------------------------------

void OutputCommands::Zapisz2Click()
{
    if (!report_.hasData()) {
        services_.dialogs->information(QStringLiteral("Brak danych!"));
        return;
    }
    ExportResults();
}

void OutputCommands::ExportResults()
{
    if (!files_.AcceptUnstorableCharacters(QStringLiteral("eksportu"), QStringLiteral("eksportować wyniki")))
        return;

    files_.TakeTypedWork();

    // The five types of the text export, and an Excel workbook of the same
    // report after them.
    const std::string filter = std::string(welkor::kExportFilter) + "|" + std::string(kWorkbookFilterEntry);
    const std::vector<welkor::FilterEntry> entries = welkor::SplitFilter(filter);
    if (exportFilterIndex < 0 || exportFilterIndex >= static_cast<int>(entries.size()))
        exportFilterIndex = 0;
    const QString extension
        = FromCp1250(welkor::PatternExtension(entries[static_cast<std::size_t>(exportFilterIndex)].pattern));
    files_.SD.filter = FromCp1250(filter);
    files_.SD.title = FromCp1250(std::string(welkor::kExportDialogTitle));
    files_.SD.defaultSuffix = extension;
    files_.SD.filterIndex = exportFilterIndex;
    files_.SD.fileName = files_.OfferedFileName(extension);
    if (!services_.dialogs->saveFile(files_.SD))
        return;
    exportFilterIndex = files_.SD.filterIndex;
    const QString fileName = files_.SD.fileName;
    if (!ConfirmOverwrite(*services_.dialogs, fileName))
        return;
    // A name ending in .xlsx is a workbook whichever type was chosen; every
    // other name gets the text, as it always did.
    const QFileInfo target(fileName);
    const bool workbook = target.suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0;
    const QString reportName = files_.ReportFile().isEmpty() ? target.fileName() : QFileInfo(files_.ReportFile()).fileName();
    const std::string bytes = workbook ? WorkbookBytes(welkor::ReportWorkbook(report_, FileNameBytes(reportName).toStdString()))
                                       : report_.ExportBytes();
    if (const QString note = WriteFileAtomically(fileName, bytes); !note.isEmpty())
        services_.dialogs->information(note);
}

// ---- Clipboard ----------------------------------------------------------------

void OutputCommands::Kopiuj1Click()
{
    // Exactly what the grid shows selected, even when the cell selected last
    // (the first corner) is not a corner of it, as after a keyboard Ctrl+A.
    const StringGrid& source = tables_->CopySource();
    tables_->FollowSelection(source);
    const welkor::CellRange box = source.selectionBox(tables_->firstCornerColumn, tables_->firstCornerRow);
    report_.setEditGrid(tables_->sgEdycja->texts());
    QGuiApplication::clipboard()->setText(FromCp1250(report_.ClipboardText(tables_->copySourceIsDane, box)));
}

void OutputCommands::Zaznaczwszystko1Click()
{
    const std::uint8_t first = tables_->copySourceIsDane ? 1 : 0;
    tables_->firstCornerColumn = first;
    tables_->firstCornerRow = first;
    tables_->secondCornerColumn = welkor::kPlateColumns;
    tables_->secondCornerRow = welkor::kPlateRows;
    CopyRangeToClipboard();
}

void OutputCommands::CopyRangeToClipboard()
{
    const welkor::CellRange range = welkor::RangeBetween(tables_->firstCornerColumn, tables_->firstCornerRow,
                                                         tables_->secondCornerColumn, tables_->secondCornerRow);
    report_.setEditGrid(tables_->sgEdycja->texts());
    QGuiApplication::clipboard()->setText(FromCp1250(report_.ClipboardText(tables_->copySourceIsDane, range)));
}

// ---- Printing -----------------------------------------------------------------

const PrintSupport& OutputCommands::Print() const { return LoadPrintSupport(services_.printModule); }

QPrinter& OutputCommands::Printer()
{
    if (!printer_)
        printer_ = Print().NewPrinter();
    else if (!Print().TargetOf(*printer_).idle)
        printer_ = Print().CopyOfPrinter(*printer_);
    Print().SetDocName(*printer_, QFileInfo(OfferedPdfFile()).fileName());
    return *printer_;
}

const QImage& OutputCommands::Logo()
{
    // Only printing needs the logo: without it the report prints without one.
    // An installed program finds it under share (see DataFilePath).
    if (!logo_)
        logo_ = LoadLogo(QFileInfo(services_.DataFilePath(kLogoFileName)).absolutePath());
    return *logo_;
}

QString OutputCommands::OfferedPdfFile() const { return files_.OfferedFileName(QStringLiteral("pdf")); }

welkor::PrintContent OutputCommands::PrintedContent()
{
    welkor::PrintContent content;
    content.heading = ToCp1250(heading_.text());
    content.reportLines = report_.displayedLines();
    content.commentLines = ToCp1250Lines(text_.CommentMemoLines());
    if (const QImage& logo = Logo(); !logo.isNull()) {
        content.logoWidth = logo.width();
        content.logoHeight = logo.height();
    }
    return content;
}

void OutputCommands::PrintPages(QPrinter& printer, const QString& pdfFile)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw UserError(PrintStartProblem(Print().TargetOf(printer), pdfFile));
    PaintPrintedReport(painter, PrintedContent(), Logo(), [&printer] { return printer.newPage(); });
    if (!painter.end())
        throw UserError(QStringLiteral("Wydruk nie został ukończony: drukarka go nie przyjęła."));
}

void OutputCommands::Drukuj1Click()
{
    if (!report_.hasData()) {
        services_.dialogs->information(QStringLiteral("Brak danych!"));
        return;
    }
    // The job runs on a copy: whatever becomes of it, the printer chosen in
    // the set-up takes the next job and the next change of settings.
    const std::unique_ptr<QPrinter> job = Print().CopyOfPrinter(Printer());
    const PrintSupport::Target target = Print().TargetOf(*job);
    const QString pdfFile = target.pdf ? target.outputFile : QString();
    if (pdfFile.isEmpty()) {
        PrintPages(*job);
        return;
    }

    // A PDF file is written beside in a temporary file and then put in place
    // in one step, so a failed print never leaves half a file behind.
    if (!ConfirmOverwrite(*services_.dialogs, pdfFile))
        return;
    QTemporaryDir scratch;
    if (!scratch.isValid())
        ThrowCannotCreate(pdfFile, false, scratch.errorString());
    const QString draft = scratch.filePath(QStringLiteral("wydruk.pdf"));
    Print().SetOutputFile(*job, draft);
    PrintPages(*job, pdfFile);
    if (const QString note = WriteFileAtomically(pdfFile, ReadFileBytes(draft, qint64{1} << 30)); !note.isEmpty())
        services_.dialogs->information(note);
}

void OutputCommands::Ustawieniadrukowania1Click()
{
    services_.dialogs->printerSetup(Print(), Printer(), OfferedPdfFile());
}

void OutputCommands::PodgladWydruku1Click()
{
    if (!report_.hasData()) {
        services_.dialogs->information(QStringLiteral("Brak danych!"));
        return;
    }
    services_.dialogs->printPreview(Print(), Printer(), OfferedPdfFile(),
                                    [this](QPrinter& target) { Guarded(*services_.dialogs, [&] { PrintPages(target); }); });
}

} // namespace welkor::gui
