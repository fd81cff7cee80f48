// Getting results out: the export file, the clipboard copies and the printed
// page (as painted at two resolutions, and as a PDF read back by poppler),
// driven the way a user drives them.
#include "WindowFixture.h"

#include "gui/analysis/EditGrid.h"
#include "gui/output/Logo.h"
#include "gui/output/PrintedReport.h"
#include "gui/widgets/StringGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEngine>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <cmath>

using namespace welkor::gui;

namespace {

// The nine rows of the measured grid after loading the example report, as an
// export writes them; the edit grid holds the same after the load.
const QList<QByteArray> kExampleRows = {
    "\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12",
    "A\t blank\t 0,064\t 1,706\t 0,663\t 1,149\t 0,289\t 0,209\t 0,170\t 2,014\t 1,334\t 0,231\t 1,017",
    "B\t blank\t 0,071\t 0,074\t 0,088\t 0,056\t 0,088\t 0,296\t 1,054\t 0,209\t 0,101\t 1,600\t 0,434",
    "C\t 0,093\t 0,073\t 1,392\t 0,471\t 0,203\t 1,596\t 0,135\t 0,170\t 0,252\t 0,170\t 0,622\t 1,757",
    "D\t 0,086\t 0,287\t 1,324\t 1,070\t 0,242\t 0,620\t 1,481\t 2,394\t 0,100\t 0,564\t 0,214\t 0,257",
    "E\t 0,106\t 0,194\t 0,140\t 0,195\t 2,317\t 0,202\t 0,203\t 0,087\t 2,038\t 1,950\t 0,055\t 0,183",
    "F\t 1,643\t 2,189\t 0,837\t under\t 1,288\t 0,223\t 0,627\t 0,240\t 1,824\t 1,255\t 2,354\t 0,268",
    "G\t 1,922\t 1,490\t 2,225\t 0,286\t 2,102\t 2,216\t 1,625\t 0,874\t 2,361\t 2,382\t 0,297\t over",
    "H\t 1,819\t 0,190\t 0,122\t 1,843\t 2,470\t 1,167\t 2,168\t 0,277\t 0,289\t 0,166\t 0,057\t over",
};

QByteArray Lines(const QList<QByteArray>& lines, const char* end)
{
    QByteArray out;
    for (const QByteArray& line : lines)
        out += line + end;
    return out;
}

// CR and TAB made visible, so a failed comparison reads as a line diff.
std::string Readable(QByteArray bytes)
{
    return bytes.replace("\t", "\\t").replace("\r\n", "\\r\\n\n").replace("\r", "\\r\n").toStdString();
}

// A paint device of an A4 printable area that keeps the texts and pictures
// painted on it, where they went and in which colour.
struct Painted {
    QPointF baseline;
    QString text;
    QColor colour;
};

class RecordingDevice : public QPaintDevice, public QPaintEngine {
public:
    explicit RecordingDevice(int dpi) : QPaintEngine(QPaintEngine::AllFeatures), dpi_(dpi) {}
    QList<Painted> texts;
    QList<QRectF> images;

    QPaintEngine* paintEngine() const override { return const_cast<RecordingDevice*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & QPaintEngine::DirtyPen)
            pen_ = state.pen();
    }
    void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override { images << r; }
    void drawImage(const QRectF& r, const QImage&, const QRectF&, Qt::ImageConversionFlags) override { images << r; }
    void drawTextItem(const QPointF& p, const QTextItem& item) override { texts << Painted{p, item.text(), pen_.color()}; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return 78 * dpi_ / 10;
        case PdmHeight: return 112 * dpi_ / 10;
        case PdmWidthMM: return 198;
        case PdmHeightMM: return 284;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return dpi_;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        default: return QPaintDevice::metric(m);
        }
    }

private:
    int dpi_;
    QPen pen_;
};

class Output : public WindowTest {
protected:
    // The window with the example report open on the "Tabela" page and the
    // logo the build drew in the program's directory.
    TWel_Kor& StartWithExample()
    {
        EXPECT_TRUE(QFile::copy(QStringLiteral(WELKOR_BUILT_LOGO), Path(kLogoFileName)));
        EXPECT_TRUE(QFile::copy(QStringLiteral(WELKOR_EXAMPLES_DIR "/pomiar_przyklad.rap"), Path("pomiar.rap")));
        TWel_Kor& w = Start();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        dialogs.fileAnswers.push_back(Path(QStringLiteral("pomiar.rap")));
        w.commands->tbOtworzRaport->click();
        w.pcZakladki->setCurrentWidget(w.tsTabela);
        QCoreApplication::processEvents();
        return w;
    }

    static QPoint Cell(StringGrid* grid, int c, int r) { return grid->visualRect(grid->model()->index(r, c)).center(); }
    static void Press(StringGrid* grid, int c, int r)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, Cell(grid, c, r));
    }
    static QString Clipboard() { return QApplication::clipboard()->text(); }

    // "Eksportuj" through `trigger`, answering `name` of file type `type`.
    void Export(const std::function<void()>& trigger, const QString& name, int type)
    {
        dialogs.fileAnswers.push_back(Path(name));
        dialogs.filterAnswers.push_back(type);
        trigger();
    }

    // A poppler tool's output.
    static QString Poppler(const QString& tool, const QStringList& arguments)
    {
        QProcess process;
        process.start(tool, arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            ADD_FAILURE() << tool.toStdString() << " failed (poppler-utils installed?)";
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    QString PdfText(const QString& name) const
    {
        return Poppler(QStringLiteral("pdftotext"), {Path(name), QStringLiteral("-")});
    }
};

// ---- Export ---------------------------------------------------------------------------------

TEST_F(Output, ExportOfTheExampleIsExactWhateverTheFileType)
{
    Start().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(dialogs.informations, QStringList{QStringLiteral("Brak danych!")});
    EXPECT_TRUE(dialogs.fileDialogsShown.isEmpty());

    TWel_Kor& w = StartWithExample();
    // A report saved first: the export offers its name with the export's extension.
    dialogs.fileAnswers.push_back(Path(QStringLiteral("pomiar.rap")));
    dialogs.yesNoAnswers.push_back(true);
    w.commands->tbZapiszRaport->click();
    dialogs.fileDialogsShown.clear();

    Export([&] { w.commands->tbZapisz->click(); }, QStringLiteral("wyniki.xls"), 0);
    Export([&] { w.commands->Zapisz2->trigger(); }, QStringLiteral("wyniki.txt"), 1);
    Export([&] { w.commands->miZapisz->trigger(); }, QStringLiteral("wyniki.doc"), 2);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    const QByteArray expected = "\r\nPomiar\r\n" + Lines(kExampleRows, "\r\n")
        + "\r\nKomentarz\r\nKontrole ujemne: C1-E1, kontrole dodatnie: F1-H1.\r\n"
          "Surowica rozcie\xF1" "czona 1:100, inkubacja 30 min w 37 \xB0" "C.\r\n\r\nAnaliza\r\n"
        + Lines(kExampleRows, "\r\n");
    EXPECT_EQ(Readable(ReadFile(QStringLiteral("wyniki.xls"))), Readable(expected));
    EXPECT_EQ(ReadFile(QStringLiteral("wyniki.txt")), ReadFile(QStringLiteral("wyniki.xls")));
    EXPECT_EQ(ReadFile(QStringLiteral("wyniki.doc")), ReadFile(QStringLiteral("wyniki.xls")));

    ASSERT_EQ(dialogs.fileDialogsShown.size(), 3);
    for (const FileDialogState& shown : dialogs.fileDialogsShown) {
        EXPECT_EQ(shown.title, QStringLiteral("Eksport wyników"));
        EXPECT_EQ(shown.filter, QStringLiteral("Arkusz Excel (*.xls)|*.xls|Plik tekstowy (*.txt)|*txt|Dokument Word "
                                               "(*.doc)|*.doc|Text OpenOffice (*.sxw)|*.sxw|Plik formatowany (*.rtf)|*.rtf"));
    }
    // Each offers the report's own name in its folder, with the extension of
    // the type chosen last; the report save then offers the report's file.
    EXPECT_EQ(dialogs.fileDialogsShown[0].fileName, Path(QStringLiteral("pomiar.xls")));
    EXPECT_EQ(dialogs.fileDialogsShown[1].fileName, Path(QStringLiteral("pomiar.xls")));
    EXPECT_EQ(dialogs.fileDialogsShown[2].fileName, Path(QStringLiteral("pomiar.txt")));
    EXPECT_EQ(dialogs.fileDialogsShown[2].defaultSuffix, QStringLiteral("txt"));
    dialogs.fileAnswers.push_back(std::nullopt);
    w.commands->Zapisz1->trigger();
    EXPECT_EQ(dialogs.fileDialogsShown.last().fileName, Path(QStringLiteral("pomiar.rap")));

    // "Nie" to the overwrite question keeps the old file.
    dialogs.yesNoAnswers.push_back(false);
    Export([&] { w.commands->Zapisz2->trigger(); }, QStringLiteral("pomiar.rap"), 0);
    EXPECT_EQ(dialogs.questions.last(), QStringLiteral("Uwaga!|Już istnieje plik o nazwie:\r\n%1\r\nCzy mimo to go "
                                                       "nadpisać?").arg(Path(QStringLiteral("pomiar.rap"))));
    EXPECT_TRUE(ReadFile(QStringLiteral("pomiar.rap")).startsWith("Welkor Lumo 1"));
}

TEST_F(Output, ExportAfterAReportWithAnAnalysisHoldsTheCommentThenTheCurrentAnalysis)
{
    // The example's 18 lines, a comment line and an analysis block.
    QFile example(QStringLiteral(WELKOR_EXAMPLES_DIR "/pomiar_przyklad.rap"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    QList<QByteArray> report = example.readAll().split('\n').mid(0, 18);
    for (QByteArray& line : report)
        line.chop(1);
    report << "Odczyt powt\xF3rzony." << "Kon_Kom_Pap" << "" << "Analiza";
    QByteArray heading = "      \t";
    QList<QByteArray> analysis = {" "};
    for (int c = 1; c <= 12; ++c) {
        heading += "     " + QByteArray::number(c) + "\t";
        analysis[0] += "\t " + QByteArray::number(c);
    }
    report << heading;
    for (const char letter : QByteArray("ABCDEFGH")) {
        QByteArray line = QByteArray(" ") + letter + "\t";
        for (int c = 1; c <= 12; ++c)
            line += (c == 1 ? QByteArray(" neg") : QByteArray(" w") + letter + QByteArray::number(c)) + "\t";
        report << line;
        analysis << line.chopped(1);
    }
    WriteFile(QStringLiteral("analiza.rap"), Lines(report, "\r\n"));

    TWel_Kor& w = Start();
    dialogs.fileAnswers.push_back(Path(QStringLiteral("analiza.rap")));
    w.commands->Otwrz1->trigger();
    w.pcZakladki->setCurrentWidget(w.tsTabela);
    QCoreApplication::processEvents();
    // A mark still being typed belongs to the current analysis.
    Press(w.tsTabela->sgEdycja, 5, 2);
    QTest::keyClicks(w.tsTabela->sgEdycja, QStringLiteral("p"));
    QLineEdit* editor = w.tsTabela->sgEdycja->findChild<QLineEdit*>();
    ASSERT_TRUE(editor && editor->isVisible());
    QTest::keyClicks(editor, QStringLiteral("oz"));
    analysis[2].replace(" wB5", "poz");

    Export([&] { w.commands->tbZapisz->click(); }, QStringLiteral("analiza.xls"), 0);
    EXPECT_EQ(Readable(ReadFile(QStringLiteral("analiza.xls"))),
              Readable("\r\nPomiar\r\n" + Lines(kExampleRows, "\r\n")
                       + "\r\nKomentarz\r\nOdczyt powt\xF3rzony.\r\n\r\nAnaliza\r\n" + Lines(analysis, "\r\n")));
}

// ---- Clipboard ------------------------------------------------------------------------------

TEST_F(Output, ClipboardTakesTheGridPressedLastAndExactlyItsSelection)
{
    TWel_Kor& w = StartWithExample();
    Press(w.tsTabela->sgDane, 4, 3);
    w.commands->Zaznaczwszystko1->trigger();
    QList<QByteArray> values;
    for (const QByteArray& row : kExampleRows.mid(1))
        values << row.mid(row.indexOf('\t') + 1);
    EXPECT_EQ(Readable(Clipboard().toLatin1()), Readable(Lines(values, "\r")));
    Press(w.tsTabela->sgEdycja, 4, 3);
    w.commands->Zaznaczwszystko1->trigger();
    EXPECT_EQ(Readable(Clipboard().toLatin1()), Readable(Lines(kExampleRows, "\r")));

    // One click, then the window covered and painted again: still that cell.
    Press(w.tsTabela->sgDane, 5, 3);
    w.grab();
    w.tsTabela->sgDane->viewport()->repaint();
    w.commands->Kopiuj1->trigger();
    EXPECT_EQ(Clipboard(), QStringLiteral(" 0,203\r"));

    // A drag on the edit grid from the lower right to the upper left: the
    // block between; the cell pressed stays the first corner (colour stamping).
    QTest::mousePress(w.tsTabela->sgEdycja->viewport(), Qt::LeftButton, {}, Cell(w.tsTabela->sgEdycja, 4, 5));
    QTest::mouseMove(w.tsTabela->sgEdycja->viewport(), Cell(w.tsTabela->sgEdycja, 3, 4));
    QTest::mouseMove(w.tsTabela->sgEdycja->viewport(), Cell(w.tsTabela->sgEdycja, 2, 3));
    QTest::mouseRelease(w.tsTabela->sgEdycja->viewport(), Qt::LeftButton, {}, Cell(w.tsTabela->sgEdycja, 2, 3));
    w.grab();
    w.commands->Kopiuj1->trigger();
    EXPECT_EQ(Clipboard(), QStringLiteral(" 0,073\t 1,392\t 0,471\r 0,287\t 1,324\t 1,070\r 0,194\t 0,140\t 0,195\r"));
    EXPECT_EQ(QList<int>({w.tsTabela->firstCornerColumn, w.tsTabela->firstCornerRow, w.tsTabela->secondCornerColumn, w.tsTabela->secondCornerRow}),
              QList<int>({4, 5, 2, 3}));
}

// ---- Printing -------------------------------------------------------------------------------

TEST_F(Output, PrintedPageAt600And1200Dpi)
{
    TWel_Kor& w = StartWithExample();
    ASSERT_EQ(w.output->Logo().size(), QSize(600, 250)) << "the logo the build drew was not loaded";
    const QColor green(0, 0x80, 0);

    for (const int dpi : {600, 1200}) {
        SCOPED_TRACE(dpi);
        RecordingDevice device(dpi);
        QPainter painter(&device);
        PaintPrintedReport(painter, w.output->PrintedContent(), w.output->Logo(), [] { return false; });
        painter.end();
        auto dots = [dpi](int design) { return design * dpi / 600; };
        const QFontMetricsF body(PrintFont(welkor::PrintFace::Body), &device);
        const QFontMetricsF serif(PrintFont(welkor::PrintFace::Heading), &device);
        const int tab = 8 * QFontMetrics(PrintFont(welkor::PrintFace::Body), &device).averageCharWidth();
        auto top = [&](const Painted& t) {
            return std::lround(t.baseline.y() - (t.colour == green ? serif : body).ascent());
        };
        auto line = [&](int designY) {
            QList<Painted> pieces;
            for (const Painted& t : device.texts)
                if (t.colour == Qt::black && top(t) == dots(designY))
                    pieces << t;
            return pieces;
        };

        ASSERT_FALSE(device.texts.isEmpty());
        EXPECT_EQ(device.texts[0].text, w.commands->lR->text());
        EXPECT_EQ(device.texts[0].colour, green);
        EXPECT_EQ(device.texts[0].baseline.x(), dots(3200));
        EXPECT_EQ(top(device.texts[0]), dots(1000));
        EXPECT_EQ(device.images, QList<QRectF>{QRectF(dots(200), dots(200), dots(600), dots(250))});

        // Rows A-H: the letter at x = 400, every value on a tab stop counted
        // from the page edge, the same stops in every row.
        QList<qreal> columns;
        for (int r = 0; r < 8; ++r) {
            const QList<Painted> row = line(1200 + 110 * (7 + r));
            ASSERT_EQ(row.size(), 13) << r;
            EXPECT_EQ(row[0].baseline.x(), dots(400));
            for (int c = 1; c <= 12; ++c) {
                EXPECT_EQ(std::fmod(row[c].baseline.x(), tab), 0.0) << "row " << r << " value " << c;
                if (r == 0)
                    columns << row[c].baseline.x();
                EXPECT_EQ(row[c].baseline.x(), columns[c - 1]) << "row " << r << " value " << c;
            }
        }
        EXPECT_EQ(line(2940).value(0).text, QStringLiteral("Komentarz"));
        EXPECT_EQ(line(2940 + 220).value(0).text,
                  QStringLiteral("Surowica rozcieńczona 1:100, inkubacja 30 min w 37 °C."));
    }
}

TEST_F(Output, PrintToPdfPreviewAndWhatCannotBePrinted)
{
    // No logo beside the program, or one that is no picture: no word at start.
    WriteFile(kLogoFileName, "BM to nie jest obrazek");
    Start();
    EXPECT_TRUE(window->output->Logo().isNull());
    window->commands->Drukuj1->trigger();
    window->commands->PodgladWydruku1->trigger();
    EXPECT_EQ(dialogs.informations, QStringList(2, QStringLiteral("Brak danych!")));
    EXPECT_TRUE(dialogs.errors.isEmpty());
    QFile::remove(Path(kLogoFileName));

    // A PDF chosen in the set-up dialog, then Ctrl+P.
    TWel_Kor& w = StartWithExample();
    const QString pdf = Path(QStringLiteral("raport.pdf"));
    dialogs.printerSetupAnswers.push_back([pdf](QPrinter& printer) { printer.setOutputFileName(pdf); });
    w.commands->Ustawieniadrukowania1->trigger();
    QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    const QString info = Poppler(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +1\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Title:           pomiar.pdf\n"))) << info.toStdString();
    // Page 1 at 50 dpi: green in the heading (x = 3200/600 inch) and in the logo.
    Poppler(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), pdf, Path(QStringLiteral("strona"))});
    const QImage page(Path(QStringLiteral("strona.png")));
    auto greenIn = [&](QRect area) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = page.pixelColor(x, y);
                n += c.green() > 60 && c.red() < 80 && c.blue() < 80;
            }
        return n;
    };
    ASSERT_EQ(page.width(), 414);
    EXPECT_GT(greenIn(QRect(270, 80, 140, 30)), 10) << "heading";
    EXPECT_GT(greenIn(QRect(10, 10, 80, 40)), 30) << "logo";
    // A second print asks before it replaces the first; "Nie" keeps it.
    const QByteArray first = ReadFile(QStringLiteral("raport.pdf"));
    dialogs.yesNoAnswers.push_back(false);
    w.commands->Drukuj1->trigger();
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(ReadFile(QStringLiteral("raport.pdf")), first);

    // The preview of a long comment: page 1 as designed, the rest on page 2.
    for (int k = 0; k < 60; ++k)
        w.tsRaport->mKomentarz->appendPlainText(QStringLiteral("wiersz %1").arg(k));
    QPrinter preview(QPrinter::HighResolution);
    preview.setOutputFileName(Path(QStringLiteral("podglad.pdf")));
    dialogs.previewTarget = &preview;
    w.commands->PodgladWydruku1->trigger();
    EXPECT_EQ(dialogs.previewPrinterDocName, QStringLiteral("pomiar.pdf"));
    EXPECT_TRUE(Poppler(QStringLiteral("pdfinfo"), {Path(QStringLiteral("podglad.pdf"))})
                    .contains(QRegularExpression(QStringLiteral("Pages: +2\n"))));

    // Nothing to print on (as on a machine without printers): a message
    // instead of a silent nothing.
    dialogs.printerSetupAnswers.push_back([](QPrinter& printer) {
        printer.setOutputFileName(QString());
        printer.setOutputFormat(QPrinter::PdfFormat);
    });
    w.commands->Ustawieniadrukowania1->trigger();
    w.commands->Drukuj1->trigger();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Nie można rozpocząć wydruku"))) << dialogs.errors[0].toStdString();
}

// What Qt's print dialog does to the printer when the user picks "Drukuj do
// pliku (PDF)", a file and a paper, and confirms.
std::function<void(QPrinter&)> ChoosePdf(const QString& file, QPageSize::PageSizeId paper = QPageSize::A4,
                                         QPageLayout::Orientation orientation = QPageLayout::Portrait)
{
    return [=](QPrinter& printer) {
        printer.setPrinterName(QString());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageLayout(QPageLayout(QPageSize(paper), orientation, printer.pageLayout().margins()));
    };
}

// On a machine without printers: where one is set up, a print without a
// chosen PDF file does not fail.
class PrinterlessOutput : public Output {
protected:
    void SetUp() override
    {
        Output::SetUp();
        if (QPrinter(QPrinter::HighResolution).outputFormat() != QPrinter::PdfFormat)
            GTEST_SKIP() << "this machine has a printer: a print without a chosen PDF file would not fail";
    }
};

TEST_F(PrinterlessOutput, AFailedPrintLeavesTheNextToThePdfChosenInTheSetUp)
{
    TWel_Kor& w = StartWithExample();
    QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Nie można rozpocząć wydruku (nie wybrano drukarki ani "
                                                            "pliku PDF)")));

    // The set-up offers the report's name in its folder; taken, on A5 across.
    dialogs.printerSetupAnswers.push_back(
        ChoosePdf(Path(QStringLiteral("pomiar.pdf")), QPageSize::A5, QPageLayout::Landscape));
    w.commands->Ustawieniadrukowania1->trigger();
    EXPECT_EQ(dialogs.printerSetupOffers, QStringList{Path(QStringLiteral("pomiar.pdf"))});
    QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(dialogs.errors.size(), 1) << dialogs.errors.join('\n').toStdString();
    const QString info = Poppler(QStringLiteral("pdfinfo"), {Path(QStringLiteral("pomiar.pdf"))});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size: +595[.\\d]* x 4[12][.\\d]* pts \\(A5\\)"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Title:           pomiar.pdf\n"))) << info.toStdString();
    EXPECT_TRUE(PdfText(QStringLiteral("pomiar.pdf")).contains(QStringLiteral("Kontrole ujemne: C1-E1")));
}

TEST_F(PrinterlessOutput, ThePreviewPrintsAfterFailedPrintsOfItsOwnAndOfTheMenu)
{
    TWel_Kor& w = StartWithExample();
    w.commands->Drukuj1->trigger();
    dialogs.previewPrintAnswers.push_back(ChoosePdf(Path(QStringLiteral("podglad.pdf"))));
    w.commands->PodgladWydruku1->trigger(); // its print button, a PDF chosen in its print dialog
    EXPECT_EQ(dialogs.errors.size(), 1) << dialogs.errors.join('\n').toStdString();
    EXPECT_TRUE(PdfText(QStringLiteral("podglad.pdf")).contains(QStringLiteral("Komentarz")));

    // A printer that refuses the job and stays "active", as Qt's PDF printer
    // without a file does: the set-up still changes the printer afterwards,
    // and both the menu and the preview print again.
    dialogs.previewPrintAnswers.push_back([](QPrinter& printer) {
        printer.setOutputFileName(QString());
        printer.setOutputFormat(QPrinter::PdfFormat);
    });
    w.commands->PodgladWydruku1->trigger();
    ASSERT_EQ(dialogs.errors.size(), 2);
    dialogs.printerSetupAnswers.push_back(ChoosePdf(Path(QStringLiteral("menu.pdf"))));
    w.commands->Ustawieniadrukowania1->trigger();
    QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
    dialogs.previewPrintAnswers.push_back(ChoosePdf(Path(QStringLiteral("drugi.pdf"))));
    w.commands->PodgladWydruku1->trigger();
    EXPECT_EQ(dialogs.errors.size(), 2) << dialogs.errors.join('\n').toStdString();
    EXPECT_TRUE(PdfText(QStringLiteral("menu.pdf")).contains(QStringLiteral("Komentarz")));
    EXPECT_TRUE(PdfText(QStringLiteral("drugi.pdf")).contains(QStringLiteral("Komentarz")));
}

TEST_F(Output, ThePdfOfferedFollowsTheReportsFile)
{
    TWel_Kor& w = Start();
    w.commands->Ustawieniadrukowania1->trigger();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("wyniki")));
    WriteFile(QStringLiteral("pomiar.raport.rap"), SampleReport());
    dialogs.fileAnswers.push_back(Path(QStringLiteral("pomiar.raport.rap")));
    w.commands->Otwrz1->trigger();
    w.commands->Ustawieniadrukowania1->trigger();
    w.commands->PodgladWydruku1->trigger();
    dialogs.fileAnswers.push_back(Path(QStringLiteral("wyniki/kopia.rap")));
    w.commands->Zapisz1->trigger();
    w.commands->Ustawieniadrukowania1->trigger();
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    EXPECT_EQ(dialogs.printerSetupOffers,
              QStringList({QDir::home().filePath(QStringLiteral("Pomiar.pdf")),
                           Path(QStringLiteral("pomiar.raport.pdf")), Path(QStringLiteral("wyniki/kopia.pdf"))}));
    EXPECT_EQ(dialogs.previewOffers, QStringList{Path(QStringLiteral("pomiar.raport.pdf"))});
}

} // namespace
