// The module that holds Qt's print support: printers, the print dialog and
// the print preview, loaded by the program at the first command that prints.
#include "gui/output/PrintSupport.h"

#include <QChildEvent>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>

namespace welkor::gui {

namespace {

// The job options of the CUPS print set-up (pages per sheet, page set,
// banners, ...): Qt keeps them in the print engine only, under this key.
constexpr auto kCupsOptions = static_cast<QPrintEngine::PrintEnginePropertyKey>(0xfe00);

// Qt's print dialog offers the document's name in the working folder (or
// the home folder); the report's folder is where its PDF belongs, so that is
// offered while the printer has no file of its own.
void OfferPdf(QPrintDialog& dialog, const QPrinter& printer, const QString& offeredPdf)
{
    if (!printer.outputFileName().isEmpty() || offeredPdf.isEmpty())
        return;
    if (auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
        file->setText(offeredPdf);
}

// Watches a print preview for the print dialog its print button makes, and
// has the PDF offered in it whenever it shows.
class PrintDialogWatch : public QObject {
public:
    PrintDialogWatch(const QPrinter& printer, const QString& offeredPdf) : printer_(printer), offeredPdf_(offeredPdf) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ChildAdded) {
            QObject* child = static_cast<QChildEvent*>(event)->child();
            if (child->isWidgetType())
                child->installEventFilter(this);
        } else if (event->type() == QEvent::Show) {
            if (auto* dialog = qobject_cast<QPrintDialog*>(watched))
                OfferPdf(*dialog, printer_, offeredPdf_);
        }
        return false;
    }

private:
    const QPrinter& printer_;
    QString offeredPdf_;
};

class QtPrintSupport : public PrintSupport {
public:
    std::unique_ptr<QPrinter> NewPrinter() const override { return std::make_unique<QPrinter>(QPrinter::HighResolution); }

    std::unique_ptr<QPrinter> CopyOfPrinter(const QPrinter& from) const override
    {
        auto to = NewPrinter();
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

    Target TargetOf(const QPrinter& printer) const override
    {
        return Target{printer.printerState() == QPrinter::Idle, printer.outputFormat() == QPrinter::PdfFormat,
                      printer.outputFileName(), printer.printerName()};
    }

    void SetDocName(QPrinter& printer, const QString& name) const override { printer.setDocName(name); }
    void SetOutputFile(QPrinter& printer, const QString& file) const override { printer.setOutputFileName(file); }

    void RunSetupDialog(QPrinter& printer, const QString& offeredPdf, QWidget* parent) const override
    {
        QPrintDialog dialog(&printer, parent);
        OfferPdf(dialog, printer, offeredPdf);
        dialog.setWindowTitle(QStringLiteral("Ustawienia drukowania"));
        // The whole report is printed: no page ranges, no selection.
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
        // The dialog only chooses; "Drukuj" in the menu prints.
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
                ok->setText(QStringLiteral("OK"));
        dialog.exec();
    }

    void RunPreviewDialog(QPrinter& printer, const QString& offeredPdf, const std::function<void(QPrinter&)>& paint,
                          QWidget* parent) const override
    {
        // The preview's print button opens a print dialog of its own, made
        // when first pressed: it offers the PDF as the set-up does each time
        // it shows.
        PrintDialogWatch watch(printer, offeredPdf);
        QPrintPreviewDialog dialog(&printer, parent);
        dialog.installEventFilter(&watch);
        dialog.setWindowTitle(QStringLiteral("Podgląd wydruku"));
        // Large enough to read the page without zooming first.
        if (const QScreen* screen = dialog.screen())
            dialog.resize(screen->availableGeometry().size() * 4 / 5);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter* target) {
            if (target)
                paint(*target);
        });
        dialog.exec();
    }
};

} // namespace

} // namespace welkor::gui

extern "C" Q_DECL_EXPORT const welkor::gui::PrintSupport* welkor_print_support()
{
    static const welkor::gui::QtPrintSupport support;
    return &support;
}
