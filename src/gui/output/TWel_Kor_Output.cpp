// Output: the export file, the clipboard copies and the printed report.
#include "core/output/CopyRange.h"
#include "core/output/ExportDocument.h"
#include "gui/analysis/EditGrid.h"
#include "qtbase/FileIO.h"
#include "gui/app/TWel_Kor.h"
#include "gui/output/Logo.h"
#include "gui/output/PrintedReport.h"
#include "gui/widgets/StringGrid.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QTemporaryDir>

#include <cstdlib>

namespace welkor::gui {

namespace {

// The rectangle "Kopiuj" takes: the cells the grid shows selected, or its
// current cell when none is (or, before any, the cell at `fallback`).
welkor::CellRange SelectionBox(const StringGrid& grid, int fallbackColumn, int fallbackRow)
{
    const QList<QTableWidgetSelectionRange> ranges = grid.selectedRanges();
    if (ranges.isEmpty()) {
        const QModelIndex current = grid.currentIndex();
        if (current.isValid())
            return welkor::RangeBetween(current.column(), current.row(), current.column(), current.row());
        return welkor::RangeBetween(fallbackColumn, fallbackRow, fallbackColumn, fallbackRow);
    }
    welkor::CellRange box{ranges.first().leftColumn(), ranges.first().topRow(), ranges.first().rightColumn(),
                          ranges.first().bottomRow()};
    for (const QTableWidgetSelectionRange& range : ranges) {
        box.left = std::min(box.left, range.leftColumn());
        box.top = std::min(box.top, range.topRow());
        box.right = std::max(box.right, range.rightColumn());
        box.bottom = std::max(box.bottom, range.bottomRow());
    }
    return welkor::RangeBetween(box.left, box.top, box.right, box.bottom);
}

// `pdfFile` is the file the user chose, when the job writes a draft of it.
QString PrintStartProblem(const QPrinter& printer, const QString& pdfFile)
{
    const QString file = pdfFile.isEmpty() ? printer.outputFileName() : pdfFile;
    const QString where = printer.outputFormat() == QPrinter::PdfFormat
        ? (file.isEmpty() ? QStringLiteral("nie wybrano drukarki ani pliku PDF")
                          : QStringLiteral("plik „%1”").arg(file))
        : (printer.printerName().isEmpty() ? QStringLiteral("nie wybrano drukarki")
                                           : QStringLiteral("drukarka „%1”").arg(printer.printerName()));
    return QStringLiteral("Nie można rozpocząć wydruku (%1).\r\n"
                          "Wybierz drukarkę albo wydruk do pliku PDF w „Ustawienia drukowania” i spróbuj ponownie.")
        .arg(where);
}

} // namespace

// ---- Export -------------------------------------------------------------------

void TWel_Kor::Zapisz2Click()
{
    if (!report.hasData()) {
        services_.dialogs->information(QStringLiteral("Brak danych!"));
        return;
    }
    ExportResults();
}

void TWel_Kor::ExportResults()
{
    if (!AcceptUnstorableCharacters(QStringLiteral("eksportu"), QStringLiteral("eksportować wyniki")))
        return;

    TakeTypedWork();
    const std::string document = report.ExportBytes();

    const std::string filter(welkor::kExportFilter);
    const std::vector<welkor::FilterEntry> entries = welkor::SplitFilter(filter);
    if (exportFilterIndex < 0 || exportFilterIndex >= static_cast<int>(entries.size()))
        exportFilterIndex = 0;
    const QString extension
        = FromCp1250(welkor::PatternExtension(entries[static_cast<std::size_t>(exportFilterIndex)].pattern));
    SD.filter = FromCp1250(filter);
    SD.title = FromCp1250(std::string(welkor::kExportDialogTitle));
    SD.defaultSuffix = extension;
    SD.filterIndex = exportFilterIndex;
    SD.fileName = OfferedFileName(extension);
    if (!services_.dialogs->saveFile(SD))
        return;
    exportFilterIndex = SD.filterIndex;
    const QString fileName = SD.fileName;
    if (!ConfirmOverwrite(fileName))
        return;
    if (const QString note = WriteFileAtomically(fileName, document); !note.isEmpty())
        services_.dialogs->information(note);
}

// ---- Clipboard ----------------------------------------------------------------

void TWel_Kor::FollowSelection(const StringGrid& grid)
{
    const welkor::CellRange box = SelectionBox(grid, firstCornerColumn, firstCornerRow);
    // The second corner is the far corner of the selection seen from the
    // first, which is the cell pressed (and in colour mode stamped) last.
    auto far = [](int first, int low, int high) { return std::abs(first - low) > std::abs(first - high) ? low : high; };
    secondCornerColumn = static_cast<std::uint8_t>(far(firstCornerColumn, box.left, box.right));
    secondCornerRow = static_cast<std::uint8_t>(far(firstCornerRow, box.top, box.bottom));
}

void TWel_Kor::Kopiuj1Click()
{
    // Exactly what the grid shows selected, even when the cell selected last
    // (the first corner) is not a corner of it, as after a keyboard Ctrl+A.
    const StringGrid& source = copySourceIsDane ? *sgDane : *static_cast<StringGrid*>(sgEdycja);
    FollowSelection(source);
    const welkor::CellRange box = SelectionBox(source, firstCornerColumn, firstCornerRow);
    report.setEditGrid(sgEdycja->texts());
    QGuiApplication::clipboard()->setText(FromCp1250(report.ClipboardText(copySourceIsDane, box)));
}

void TWel_Kor::Zaznaczwszystko1Click()
{
    const std::uint8_t first = copySourceIsDane ? 1 : 0;
    firstCornerColumn = first;
    firstCornerRow = first;
    secondCornerColumn = columnCount;
    secondCornerRow = rowCount;
    CopyRangeToClipboard();
}

void TWel_Kor::CopyRangeToClipboard()
{
    const welkor::CellRange range
        = welkor::RangeBetween(firstCornerColumn, firstCornerRow, secondCornerColumn, secondCornerRow);
    report.setEditGrid(sgEdycja->texts());
    QGuiApplication::clipboard()->setText(FromCp1250(report.ClipboardText(copySourceIsDane, range)));
}

// ---- Printing -----------------------------------------------------------------

namespace {

// The job options of the CUPS print set-up (pages per sheet, page set,
// banners, ...): Qt keeps them in the print engine only, under this key.
constexpr auto kCupsOptions = static_cast<QPrintEngine::PrintEnginePropertyKey>(0xfe00);

// A printer with the settings of `from` that has never started a job. A
// QPrinter whose QPainter::begin failed stays "active" and refuses every
// setting from then on, so a job never runs on the printer that keeps the
// user's settings, and one left active anyway is replaced by such a copy.
std::unique_ptr<QPrinter> CopyOfPrinter(const QPrinter& from)
{
    auto to = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (from.outputFormat() == QPrinter::NativeFormat) {
        to->setPrinterName(from.printerName());
    } else {
        to->setOutputFormat(from.outputFormat());
        // An empty name would switch back to the default printer.
        if (!from.outputFileName().isEmpty())
            to->setOutputFileName(from.outputFileName());
    }
    to->setPrintProgram(from.printProgram());
    to->setDocName(from.docName());
    to->setCreator(from.creator());
    to->setPdfVersion(from.pdfVersion());
    to->setResolution(from.resolution());
    to->setPageLayout(from.pageLayout());
    to->setFullPage(from.fullPage());
    to->setCopyCount(from.copyCount());
    to->setCollateCopies(from.collateCopies());
    to->setColorMode(from.colorMode());
    to->setDuplex(from.duplex());
    to->setPageOrder(from.pageOrder());
    to->setPaperSource(from.paperSource());
    to->setFontEmbeddingEnabled(from.fontEmbeddingEnabled());
    to->setPrintRange(from.printRange());
    if (from.fromPage() > 0)
        to->setFromTo(from.fromPage(), from.toPage());
    const QVariant cupsOptions = from.printEngine()->property(kCupsOptions);
    if (cupsOptions.isValid())
        to->printEngine()->setProperty(kCupsOptions, cupsOptions);
    return to;
}

} // namespace

QPrinter& TWel_Kor::Printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    else if (printer_->printerState() != QPrinter::Idle)
        printer_ = CopyOfPrinter(*printer_);
    printer_->setDocName(QFileInfo(OfferedPdfFile()).fileName());
    return *printer_;
}

QString TWel_Kor::OfferedPdfFile() const { return OfferedFileName(QStringLiteral("pdf")); }

welkor::PrintContent TWel_Kor::PrintedContent() const
{
    welkor::PrintContent content;
    content.heading = ToCp1250(lR->text());
    content.reportLines = report.displayedLines();
    content.commentLines = ToCp1250Lines(CommentMemoLines());
    if (!logoBitmap.isNull()) {
        content.logoWidth = logoBitmap.width();
        content.logoHeight = logoBitmap.height();
    }
    return content;
}

void TWel_Kor::PrintPages(QPrinter& printer, const QString& pdfFile)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw UserError(PrintStartProblem(printer, pdfFile));
    PaintPrintedReport(painter, PrintedContent(), logoBitmap, [&printer] { return printer.newPage(); });
    if (!painter.end())
        throw UserError(QStringLiteral("Wydruk nie został ukończony: drukarka go nie przyjęła."));
}

void TWel_Kor::Drukuj1Click()
{
    if (!report.hasData()) {
        services_.dialogs->information(QStringLiteral("Brak danych!"));
        return;
    }
    // The job runs on a copy: whatever becomes of it, the printer chosen in
    // the set-up takes the next job and the next change of settings.
    const std::unique_ptr<QPrinter> job = CopyOfPrinter(Printer());
    const QString pdfFile = job->outputFormat() == QPrinter::PdfFormat ? job->outputFileName() : QString();
    if (pdfFile.isEmpty()) {
        PrintPages(*job);
        return;
    }

    // A PDF file is written beside in a temporary file and then put in place
    // in one step, so a failed print never leaves half a file behind.
    if (!ConfirmOverwrite(pdfFile))
        return;
    QTemporaryDir scratch;
    if (!scratch.isValid())
        throw UserError(QStringLiteral("Cannot create file \"%1\". %2").arg(pdfFile, scratch.errorString()));
    const QString draft = scratch.filePath(QStringLiteral("wydruk.pdf"));
    job->setOutputFileName(draft);
    PrintPages(*job, pdfFile);
    if (const QString note = WriteFileAtomically(pdfFile, ReadFileBytes(draft, qint64{1} << 30)); !note.isEmpty())
        services_.dialogs->information(note);
}

void TWel_Kor::Ustawieniadrukowania1Click() { services_.dialogs->printerSetup(Printer(), OfferedPdfFile()); }

void TWel_Kor::PodgladWydruku1Click()
{
    if (!report.hasData()) {
        services_.dialogs->information(QStringLiteral("Brak danych!"));
        return;
    }
    services_.dialogs->printPreview(Printer(), OfferedPdfFile(),
                                    [this](QPrinter& target) { Guarded([&] { PrintPages(target); }); });
}

} // namespace welkor::gui
