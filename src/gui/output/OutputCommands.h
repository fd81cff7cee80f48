#pragma once

#include "core/output/PrintLayout.h"
#include "gui/widgets/LazyPage.h"

#include <QImage>
#include <QString>

#include <memory>
#include <optional>

class QLabel;
class QPrinter;

namespace welkor {
class ReportDocument;
}

namespace welkor::gui {

class AnalysisPage;
class PrintSupport;
class ReportFiles;
class ReportPage;
struct WindowServices;

// Output: "Eksportuj", the clipboard copies ("Kopiuj", "Kopiuj wszystko") and
// the printed report ("Drukuj", "Ustawienia drukowania", "Podgląd wydruku").
// Qt's print support (a module of its own), the printer and the logo are
// loaded or made when first needed.
class OutputCommands {
public:
    OutputCommands(welkor::ReportDocument& report, ReportFiles& files, const ReportPage& text, const LazyPage<AnalysisPage>& tables,
                   const QLabel& heading, const WindowServices& services);
    ~OutputCommands();

    // ---- Export -------------------------------------------------------------
    void Zapisz2Click();
    void ExportResults();
    int exportFilterIndex = 0; // the export file type chosen last

    // ---- Clipboard ------------------------------------------------------------
    void Kopiuj1Click();
    void Zaznaczwszystko1Click();
    void CopyRangeToClipboard();

    // ---- Printing -----------------------------------------------------------
    void Drukuj1Click();
    void Ustawieniadrukowania1Click();
    void PodgladWydruku1Click();
    // Qt's print support, loaded at the first print command.
    const PrintSupport& Print() const;
    // The printer the next print goes to, with what the set-up chose; its
    // document name is that of the PDF file below.
    QPrinter& Printer();
    // The PDF a print to a file is offered as: the report's name with
    // ".pdf" in the report's folder ("raport.pdf" in the home folder while
    // the report is in no file).
    QString OfferedPdfFile() const;
    // What a print shows: the label, the report lines, the comment, the logo's size.
    welkor::PrintContent PrintedContent();
    // Prints on `printer`; `pdfFile` names the file a draft is written for.
    void PrintPages(QPrinter& printer, const QString& pdfFile = {});
    // The logo printed with the report, read from Marvant.bmp at the first
    // print; null when the file is missing or unreadable.
    const QImage& Logo();

private:
    welkor::ReportDocument& report_;
    ReportFiles& files_;
    const ReportPage& text_;
    const LazyPage<AnalysisPage>& tables_;
    const QLabel& heading_;
    const WindowServices& services_;
    std::optional<QImage> logo_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace welkor::gui
