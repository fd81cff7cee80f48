#pragma once

#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace welkor::gui {

// What printing needs of Qt's print support. That library lives in a module
// of its own (src/print) that is loaded at the first command that prints:
// linked into the program it would be loaded, relocated and partly paged in
// at every start, and most sessions never print. Everything else about a
// print (what is painted, the questions, the messages) stays in the program.
class PrintSupport {
public:
    virtual ~PrintSupport() = default;

    // A printer at high resolution, on the default printer.
    virtual std::unique_ptr<QPrinter> NewPrinter() const = 0;
    // A printer with the settings of `from` that has never started a job. A
    // QPrinter whose QPainter::begin failed stays "active" and refuses every
    // setting from then on, so a job never runs on the printer that keeps the
    // user's settings, and one left active anyway is replaced by such a copy.
    virtual std::unique_ptr<QPrinter> CopyOfPrinter(const QPrinter& from) const = 0;

    // Where a printer's job goes.
    struct Target {
        bool idle = true;   // no job started (or a failed start left behind)
        bool pdf = false;   // into a PDF file rather than onto a printer
        QString outputFile; // the PDF file (or a printer's print-to-file)
        QString printerName;
    };
    virtual Target TargetOf(const QPrinter& printer) const = 0;
    virtual void SetDocName(QPrinter& printer, const QString& name) const = 0;
    virtual void SetOutputFile(QPrinter& printer, const QString& file) const = 0;

    // Qt's print dialog as "Ustawienia drukowania": it only chooses the
    // printer and its settings; the PDF offered is `offeredPdf`.
    virtual void RunSetupDialog(QPrinter& printer, const QString& offeredPdf, QWidget* parent) const = 0;
    // Qt's print preview; `paint` paints the pages onto the printer given.
    virtual void RunPreviewDialog(QPrinter& printer, const QString& offeredPdf,
                                  const std::function<void(QPrinter&)>& paint, QWidget* parent) const = 0;
};

// The function the module exports, returning its one PrintSupport.
inline constexpr char kPrintSupportEntry[] = "welkor_print_support";
using PrintSupportEntry = const PrintSupport* (*)();

// The print support of the module `file`, loaded at the first call for it
// and kept for the rest of the run. A module that cannot be loaded is a
// UserError naming the file; the next call tries again.
const PrintSupport& LoadPrintSupport(const QString& file);

} // namespace welkor::gui
