// Output: the export file, the clipboard copies and the printed report.
#include "core/output/CopyRange.h"
#include "core/output/ExportDocument.h"
#include "gui/analysis/EditGrid.h"
#include "gui/app/FileIO.h"
#include "gui/app/TWel_Kor.h"
#include "gui/output/Logo.h"
#include "gui/output/PrintedReport.h"
#include "gui/widgets/StringGrid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <cstdlib>

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

QString PrintStartProblem(const QPrinter& printer)
{
    const QString where = printer.outputFormat() == QPrinter::PdfFormat
        ? (printer.outputFileName().isEmpty() ? QStringLiteral("nie wybrano drukarki ani pliku PDF")
                                              : QStringLiteral("plik „%1”").arg(printer.outputFileName()))
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
    SD.fileName = WithExtension(SD.fileName, extension);
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

QPrinter& TWel_Kor::Printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

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

void TWel_Kor::PrintPages(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw GuiError(PrintStartProblem(printer));
    PaintPrintedReport(painter, PrintedContent(), logoBitmap, [&printer] { return printer.newPage(); });
    if (!painter.end())
        throw GuiError(QStringLiteral("Wydruk nie został ukończony: drukarka go nie przyjęła."));
}

void TWel_Kor::Drukuj1Click()
{
    if (!report.hasData()) {
        services_.dialogs->information(QStringLiteral("Brak danych!"));
        return;
    }
    QPrinter& printer = Printer();
    printer.setDocName(windowTitle());
    const QString pdfFile = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    if (pdfFile.isEmpty()) {
        PrintPages(printer);
        return;
    }

    // A PDF file is written beside in a temporary file and then put in place
    // in one step, so a failed print never leaves half a file behind.
    if (!ConfirmOverwrite(pdfFile))
        return;
    QTemporaryDir scratch;
    if (!scratch.isValid())
        throw GuiError(QStringLiteral("Cannot create file \"%1\". %2").arg(pdfFile, scratch.errorString()));
    const QString draft = scratch.filePath(QStringLiteral("wydruk.pdf"));
    printer.setOutputFileName(draft);
    struct Restore {
        QPrinter& printer;
        const QString& name;
        ~Restore() { printer.setOutputFileName(name); }
    } restore{printer, pdfFile};
    PrintPages(printer);
    if (const QString note = WriteFileAtomically(pdfFile, ReadFileBytes(draft, qint64{1} << 30)); !note.isEmpty())
        services_.dialogs->information(note);
}

void TWel_Kor::Ustawieniadrukowania1Click() { services_.dialogs->printerSetup(Printer()); }

void TWel_Kor::PodgladWydruku1Click()
{
    if (!report.hasData()) {
        services_.dialogs->information(QStringLiteral("Brak danych!"));
        return;
    }
    QPrinter& printer = Printer();
    printer.setDocName(windowTitle());
    services_.dialogs->printPreview(printer, [this](QPrinter& target) { Guarded([&] { PrintPages(target); }); });
}
