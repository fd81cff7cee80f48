// Getting results out: the export file, the clipboard copies and the printed
// page (as painted, and as a PDF read back by poppler), driven the way a user
// drives them.
#include "WindowFixture.h"

#include "core/output/ExportDocument.h"
#include "core/output/PrintLayout.h"
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

namespace {

// ---- The example report and what its export holds -----------------------------------

QByteArray ExampleReport()
{
    QFile file(QStringLiteral(WELKOR_EXAMPLES_DIR "/pomiar_przyklad.rap"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "examples/pomiar_przyklad.rap";
    return file.readAll();
}

// The nine rows of the measured grid after loading the example, as an export
// writes them (the edit grid holds the same after the load).
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

// A file shows CR LF as "\r\n" and a real line break, so a failure reads as a diff.
std::string Readable(QByteArray bytes)
{
    bytes.replace("\r\n", "\\r\\n\n");
    bytes.replace("\t", "\\t");
    bytes.replace("\r", "\\r\n");
    return bytes.toStdString();
}

// ---- A paint device that keeps what is painted on it --------------------------------------

struct Painted {
    QPointF baseline;
    QString text;
    QFont font;
    QColor colour;
    int page = 0;
};

class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    QList<Painted> texts;
    QList<QPair<QRectF, QImage>> images;
    int page = 0;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & QPaintEngine::DirtyPen)
            pen_ = state.pen();
    }
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF&) override
    {
        images.push_back({r, pixmap.toImage()});
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF&, Qt::ImageConversionFlags) override
    {
        images.push_back({r, image});
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        texts.push_back({p, item.text(), item.font(), pen_.color(), page});
    }

private:
    QPen pen_;
};

// An A4 page's printable area at the given resolution.
class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(int dpi) : dpi_(dpi) {}
    RecordingEngine engine;
    QPaintEngine* paintEngine() const override { return const_cast<RecordingEngine*>(&engine); }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return 7.8 * dpi_;
        case PdmHeight: return 11.2 * dpi_;
        case PdmWidthMM: return 198;
        case PdmHeightMM: return 284;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return dpi_;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        case PdmNumColors: return INT_MAX;
        default: return QPaintDevice::metric(m);
        }
    }

private:
    int dpi_;
};

// ---- Fixture ---------------------------------------------------------------------------------

class Output : public WindowTest {
protected:
    // The window with the example report open on the "Tabela" page, the logo
    // the build drew beside the program in its directory.
    TWel_Kor& StartWithExample()
    {
        EXPECT_TRUE(QFile::copy(QStringLiteral(WELKOR_BUILT_LOGO), Path(kLogoFileName)));
        WriteFile(QStringLiteral("pomiar.rap"), ExampleReport());
        TWel_Kor& w = Start();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        dialogs.fileAnswers.push_back(Path(QStringLiteral("pomiar.rap")));
        w.tbOtworzRaport->click();
        w.pcZakladki->setCurrentWidget(w.tsTabela);
        QCoreApplication::processEvents();
        ExpectNoErrors();
        return w;
    }

    static QPoint CellCentre(StringGrid* grid, int c, int r)
    {
        return grid->visualRect(grid->model()->index(r, c)).center();
    }

    static void Press(StringGrid* grid, int c, int r)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, c, r));
    }

    static QString Clipboard() { return QApplication::clipboard()->text(); }

    // "Eksportuj" from `trigger`, answering the dialog with `name` and file type `type`.
    void Export(const std::function<void()>& trigger, const QString& name, int type,
                std::optional<bool> overwrite = std::nullopt)
    {
        dialogs.fileAnswers.push_back(Path(name));
        dialogs.filterAnswers.push_back(type);
        if (overwrite)
            dialogs.yesNoAnswers.push_back(*overwrite);
        trigger();
    }

    void ExpectNoErrors() const
    {
        EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('\n')).toStdString();
    }

    // Runs a poppler tool; its standard output.
    static QByteArray Poppler(const QString& tool, const QStringList& arguments)
    {
        QProcess process;
        process.start(tool, arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            ADD_FAILURE() << tool.toStdString() << " failed (poppler-utils installed?): "
                          << process.readAllStandardError().toStdString();
            return {};
        }
        return process.readAllStandardOutput();
    }

    // "Ustawienia drukowania" choosing a PDF file, as the print dialog does it.
    void ChoosePdf(TWel_Kor& w, const QString& name)
    {
        const QString file = Path(name);
        dialogs.printerSetupAnswers.push_back([file](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
        });
        w.Ustawieniadrukowania1->trigger();
    }
};

// ---- Export ---------------------------------------------------------------------------------

TEST_F(Output, ExportOfTheExampleIsExactWhateverTheFileType)
{
    TWel_Kor& w = StartWithExample();
    const QByteArray expected = "\r\nPomiar\r\n" + Lines(kExampleRows, "\r\n")
        + "\r\nKomentarz\r\n"
          "Kontrole ujemne: C1-E1, kontrole dodatnie: F1-H1.\r\n"
          "Surowica rozcie\xF1" "czona 1:100, inkubacja 30 min w 37 \xB0" "C.\r\n"
          "\r\nAnaliza\r\n"
        + Lines(kExampleRows, "\r\n");

    // A report saved first: the export must not offer the report's name.
    dialogs.fileAnswers.push_back(Path(QStringLiteral("pomiar.rap")));
    dialogs.yesNoAnswers.push_back(true);
    w.tbZapiszRaport->click();
    dialogs.fileDialogsShown.clear();

    Export([&] { w.tbZapisz->click(); }, QStringLiteral("wyniki.xls"), 0);
    Export([&] { w.Zapisz2->trigger(); }, QStringLiteral("wyniki.txt"), 1);
    Export([&] { w.miZapisz->trigger(); }, QStringLiteral("wyniki.doc"), 2);
    ExpectNoErrors();
    EXPECT_EQ(Readable(ReadFile(QStringLiteral("wyniki.xls"))), Readable(expected));
    EXPECT_EQ(ReadFile(QStringLiteral("wyniki.txt")), ReadFile(QStringLiteral("wyniki.xls")));
    EXPECT_EQ(ReadFile(QStringLiteral("wyniki.doc")), ReadFile(QStringLiteral("wyniki.xls")));

    ASSERT_EQ(dialogs.fileDialogsShown.size(), 3);
    for (const FileDialogState& shown : dialogs.fileDialogsShown) {
        EXPECT_EQ(shown.title, QStringLiteral("Eksport wyników"));
        EXPECT_EQ(shown.filter, QStringLiteral("Arkusz Excel (*.xls)|*.xls|Plik tekstowy (*.txt)|*txt|"
                                               "Dokument Word (*.doc)|*.doc|Text OpenOffice (*.sxw)|*.sxw|"
                                               "Plik formatowany (*.rtf)|*.rtf"));
    }
    // Each offers the last name with the extension of the type chosen last.
    EXPECT_EQ(dialogs.fileDialogsShown[0].fileName, Path(QStringLiteral("pomiar.xls")));
    EXPECT_EQ(dialogs.fileDialogsShown[0].defaultSuffix, QStringLiteral("xls"));
    EXPECT_EQ(dialogs.fileDialogsShown[1].fileName, Path(QStringLiteral("wyniki.xls")));
    EXPECT_EQ(dialogs.fileDialogsShown[2].fileName, Path(QStringLiteral("wyniki.txt")));
    EXPECT_EQ(dialogs.fileDialogsShown[2].defaultSuffix, QStringLiteral("txt"));
    EXPECT_EQ(dialogs.fileDialogsShown[2].filterIndex, 1);

    // And the report save offers its own kind again.
    dialogs.fileAnswers.push_back(std::nullopt);
    w.Zapisz1->trigger();
    EXPECT_EQ(dialogs.fileDialogsShown.last().fileName, Path(QStringLiteral("wyniki.rap")));
    EXPECT_EQ(dialogs.fileDialogsShown.last().filterIndex, 0);
}

TEST_F(Output, ExportAfterAReportWithAnAnalysisHoldsTheCommentThenTheCurrentAnalysis)
{
    QList<QByteArray> report = ExampleReport().split('\n').mid(0, 18);
    for (QByteArray& line : report)
        line.chop(1); // CR
    report << "Odczyt powt\xF3rzony." << "Kon_Kom_Pap" << "" << "Analiza";
    QByteArray heading = "      \t";
    for (int c = 1; c <= 12; ++c)
        heading += "     " + QByteArray::number(c) + "\t";
    report << heading;
    QList<QByteArray> analysisRows = {" \t 1\t 2\t 3\t 4\t 5\t 6\t 7\t 8\t 9\t 10\t 11\t 12"};
    for (int r = 0; r < 8; ++r) {
        const QByteArray letter(1, "ABCDEFGH"[r]);
        QByteArray line = " " + letter + "\t";
        QByteArray row = " " + letter;
        for (int c = 1; c <= 12; ++c) {
            const QByteArray cell = c == 1 ? (r < 4 ? " neg" : " poz") : " w" + letter + QByteArray::number(c);
            line += cell + "\t";
            row += "\t" + cell;
        }
        report << line;
        analysisRows << row;
    }
    WriteFile(QStringLiteral("analiza.rap"), Lines(report, "\r\n"));

    TWel_Kor& w = Start();
    dialogs.fileAnswers.push_back(Path(QStringLiteral("analiza.rap")));
    w.Otwrz1->trigger();
    w.pcZakladki->setCurrentWidget(w.tsTabela);
    QCoreApplication::processEvents();
    // A mark still being typed in the edit grid belongs to the current analysis.
    Press(w.sgEdycja, 5, 2);
    QTest::keyClicks(w.sgEdycja, QStringLiteral("p"));
    QLineEdit* editor = w.sgEdycja->findChild<QLineEdit*>();
    ASSERT_TRUE(editor && editor->isVisible());
    QTest::keyClicks(editor, QStringLiteral("oz"));
    analysisRows[2].replace(" wB5", "poz");

    Export([&] { w.tbZapisz->click(); }, QStringLiteral("analiza.xls"), 0);
    ExpectNoErrors();
    const QByteArray expected = "\r\nPomiar\r\n" + Lines(kExampleRows, "\r\n")
        + "\r\nKomentarz\r\nOdczyt powt\xF3rzony.\r\n\r\nAnaliza\r\n" + Lines(analysisRows, "\r\n");
    EXPECT_EQ(Readable(ReadFile(QStringLiteral("analiza.xls"))), Readable(expected));
}

TEST_F(Output, ExportAsksBeforeReplacingAndNeedsData)
{
    {
        TWel_Kor& w = Start();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_E, Qt::ControlModifier);
        EXPECT_EQ(dialogs.informations, QStringList{QStringLiteral("Brak danych!")});
        EXPECT_TRUE(dialogs.fileDialogsShown.isEmpty());
    }
    dialogs.informations.clear();
    TWel_Kor& w = StartWithExample();
    WriteFile(QStringLiteral("stary.xls"), "stara zawartosc");
    Export([&] { w.Zapisz2->trigger(); }, QStringLiteral("stary.xls"), 0, false);
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(dialogs.questions[0], QStringLiteral("Uwaga!|Już istnieje plik o nazwie:\r\n%1\r\nCzy mimo to go nadpisać?")
                                        .arg(Path(QStringLiteral("stary.xls"))));
    EXPECT_EQ(ReadFile(QStringLiteral("stary.xls")), QByteArray("stara zawartosc"));

    Export([&] { w.Zapisz2->trigger(); }, QStringLiteral("stary.xls"), 0, true);
    EXPECT_TRUE(ReadFile(QStringLiteral("stary.xls")).startsWith("\r\nPomiar\r\n"));

    // A folder is refused before any question.
    QDir(dir.path()).mkdir(QStringLiteral("katalog.xls"));
    Export([&] { w.Zapisz2->trigger(); }, QStringLiteral("katalog.xls"), 0, true);
    EXPECT_EQ(dialogs.questions.size(), 2);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("katalog"))) << dialogs.errors[0].toStdString();
}

// ---- Clipboard ------------------------------------------------------------------------------

TEST_F(Output, CopyAllTakesTheGridPressedLast)
{
    TWel_Kor& w = StartWithExample();
    Press(w.sgDane, 4, 3);
    w.Zaznaczwszystko1->trigger();
    QList<QByteArray> values;
    for (const QByteArray& row : kExampleRows.mid(1))
        values << row.mid(row.indexOf('\t') + 1);
    EXPECT_EQ(Readable(Clipboard().toLatin1()), Readable(Lines(values, "\r")));
    EXPECT_EQ(Clipboard().count(QLatin1Char('\r')), 8);
    EXPECT_FALSE(Clipboard().contains(QLatin1Char('\n')));

    Press(w.sgEdycja, 4, 3);
    w.Zaznaczwszystko1->trigger();
    EXPECT_EQ(Readable(Clipboard().toLatin1()), Readable(Lines(kExampleRows, "\r")));
    ExpectNoErrors();
}

TEST_F(Output, CopyTakesExactlyTheSelectionShown)
{
    TWel_Kor& w = StartWithExample();
    // One click, then the window is covered and painted again: still that cell.
    Press(w.sgDane, 5, 3);
    w.Kopiuj1->trigger();
    EXPECT_EQ(Clipboard(), QStringLiteral(" 0,203\r"));
    w.grab();
    w.sgDane->viewport()->repaint();
    w.Kopiuj1->trigger();
    EXPECT_EQ(Clipboard(), QStringLiteral(" 0,203\r"));
    EXPECT_EQ(w.secondCornerColumn, 5);
    EXPECT_EQ(w.secondCornerRow, 3);

    // A drag on the edit grid from the lower right to the upper left: the
    // block between, and the cell pressed stays the first corner.
    QTest::mousePress(w.sgEdycja->viewport(), Qt::LeftButton, {}, CellCentre(w.sgEdycja, 4, 5));
    QTest::mouseMove(w.sgEdycja->viewport(), CellCentre(w.sgEdycja, 3, 4));
    QTest::mouseMove(w.sgEdycja->viewport(), CellCentre(w.sgEdycja, 2, 3));
    QTest::mouseRelease(w.sgEdycja->viewport(), Qt::LeftButton, {}, CellCentre(w.sgEdycja, 2, 3));
    w.grab();
    w.Kopiuj1->trigger();
    EXPECT_EQ(Clipboard(), QStringLiteral(" 0,073\t 1,392\t 0,471\r 0,287\t 1,324\t 1,070\r 0,194\t 0,140\t 0,195\r"));
    EXPECT_EQ(w.firstCornerColumn, 4);
    EXPECT_EQ(w.firstCornerRow, 5);
    EXPECT_EQ(w.secondCornerColumn, 2);
    EXPECT_EQ(w.secondCornerRow, 3);
    ExpectNoErrors();
}

// ---- Printing -------------------------------------------------------------------------------

TEST_F(Output, PrintedPageAt600And1200Dpi)
{
    TWel_Kor& w = StartWithExample();
    ASSERT_FALSE(w.logoBitmap.isNull()) << "the logo the build drew was not loaded";
    EXPECT_EQ(w.logoBitmap.size(), QSize(600, 250));

    for (const int dpi : {600, 1200}) {
        SCOPED_TRACE(dpi);
        RecordingDevice device(dpi);
        QPainter painter(&device);
        PaintPrintedReport(painter, w.PrintedContent(), w.logoBitmap, [&] {
            ++device.engine.page;
            return true;
        });
        painter.end();
        auto dots = [dpi](int design) { return design * dpi / 600; };

        const QFontMetricsF body(PrintFont(welkor::PrintFace::Body), &device);
        const QFontMetricsF serif(PrintFont(welkor::PrintFace::Heading), &device);
        const int tab = 8 * QFontMetrics(PrintFont(welkor::PrintFace::Body), &device).averageCharWidth();
        ASSERT_GT(tab, 0);
        // Fonts keep their point sizes: 8 points are 8/72 inch at any resolution.
        EXPECT_NEAR(PrintFont(welkor::PrintFace::Body).pointSizeF() * dpi / 72.0, body.ascent() + body.descent(),
                    dpi / 20.0);

        const QList<Painted>& texts = device.engine.texts;
        auto top = [&](const Painted& t) {
            const QFontMetricsF& m = t.colour == QColor(0, 0x80, 0) ? serif : body;
            return std::lround(t.baseline.y() - m.ascent());
        };
        auto onLine = [&](int designY) {
            QList<Painted> line;
            for (const Painted& t : texts)
                if (t.page == 0 && t.colour == Qt::black && top(t) == dots(designY))
                    line << t;
            return line;
        };

        ASSERT_FALSE(texts.isEmpty());
        EXPECT_EQ(texts[0].text, w.lR->text());
        EXPECT_EQ(texts[0].colour, QColor(0, 0x80, 0));
        EXPECT_EQ(texts[0].baseline.x(), dots(3200));
        EXPECT_EQ(top(texts[0]), dots(1000));

        ASSERT_EQ(device.engine.images.size(), 1);
        EXPECT_EQ(device.engine.images[0].first, QRectF(dots(200), dots(200), dots(600), dots(250)));

        // Header lines, the column numbers and the eight plate rows.
        EXPECT_EQ(onLine(1200).value(0).text, QStringLiteral("Welkor Lumo 1"));
        EXPECT_EQ(onLine(1200 + 110 * 5).value(0).text, QStringLiteral("OPERATOR: Anna Kowalska"));
        QList<qreal> columns;
        for (int r = 0; r < 8; ++r) {
            const QList<Painted> row = onLine(1200 + 110 * (7 + r));
            ASSERT_EQ(row.size(), 13) << r;
            EXPECT_EQ(row[0].text, QString(QLatin1Char("ABCDEFGH"[r])));
            EXPECT_EQ(row[0].baseline.x(), dots(400));
            for (int c = 1; c <= 12; ++c) {
                const qreal x = row[c].baseline.x();
                EXPECT_EQ(std::fmod(x, tab), 0.0) << "row " << r << " value " << c << " at " << x;
                if (r == 0)
                    columns << x;
                else
                    EXPECT_EQ(x, columns[c - 1]) << "row " << r << " value " << c;
            }
        }
        // The comment, heading first, from y = 2940.
        EXPECT_EQ(onLine(2940).value(0).text, QStringLiteral("Komentarz"));
        EXPECT_EQ(onLine(2940 + 110).value(0).text, QStringLiteral("Kontrole ujemne: C1-E1, kontrole dodatnie: F1-H1."));
        EXPECT_EQ(onLine(2940 + 220).value(0).text, QStringLiteral("Surowica rozcieńczona 1:100, inkubacja 30 min w 37 °C."));
        EXPECT_EQ(device.engine.page, 0);
    }
}

TEST_F(Output, PrintToPdfThroughTheSetUpDialog)
{
    TWel_Kor& w = StartWithExample();
    ChoosePdf(w, QStringLiteral("raport.pdf"));
    EXPECT_EQ(dialogs.printerSetupsShown, 1);
    QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
    ExpectNoErrors();
    ASSERT_TRUE(QFileInfo::exists(Path(QStringLiteral("raport.pdf"))));

    const QString info = QString::fromUtf8(Poppler(QStringLiteral("pdfinfo"), {Path(QStringLiteral("raport.pdf"))}));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +1\n")))) << info.toStdString();
    // The job carries the window's caption.
    EXPECT_TRUE(info.contains(w.windowTitle())) << info.toStdString();

    const QString text = QString::fromUtf8(Poppler(QStringLiteral("pdftotext"),
                                                   {QStringLiteral("-layout"), Path(QStringLiteral("raport.pdf")),
                                                    QStringLiteral("-")}));
    EXPECT_TRUE(text.contains(QStringLiteral("ZUTE - Karsk"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("OPERATOR: Anna Kowalska")));
    EXPECT_TRUE(text.contains(QStringLiteral("Surowica rozcieńczona 1:100")));

    // Page 1 at 50 dpi: the green heading right of 3200/600 inch, the logo's
    // green frame at its top left.
    Poppler(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                                         QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                         QStringLiteral("1"), QStringLiteral("-singlefile"),
                                         Path(QStringLiteral("raport.pdf")), Path(QStringLiteral("strona"))});
    const QImage page(Path(QStringLiteral("strona.png")));
    ASSERT_FALSE(page.isNull());
    auto greenIn = [&](QRect area) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = page.pixelColor(x, y);
                n += c.green() > 60 && c.red() < 80 && c.blue() < 80;
            }
        return n;
    };
    // 50 dpi: design x / 12; the printable area starts a little inside the sheet.
    EXPECT_GT(greenIn(QRect(270, 80, 140, 30)), 10) << "heading";
    EXPECT_GT(greenIn(QRect(10, 10, 80, 40)), 30) << "logo";

    // A second print asks before it replaces the first.
    dialogs.yesNoAnswers.push_back(false);
    const QByteArray first = ReadFile(QStringLiteral("raport.pdf"));
    w.Drukuj1->trigger();
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(ReadFile(QStringLiteral("raport.pdf")), first);
}

TEST_F(Output, PreviewPagesAndTheMessagesWhenNothingCanBePrinted)
{
    // No logo beside the program, then one that is no picture: the window
    // starts without a word about it, and would print without a logo.
    for (const QByteArray& logo : {QByteArray(), QByteArray("BM to nie jest obrazek")}) {
        if (!logo.isEmpty())
            WriteFile(kLogoFileName, logo);
        TWel_Kor& w = Start();
        EXPECT_TRUE(w.logoBitmap.isNull());
        EXPECT_EQ(w.PrintedContent().logoWidth, 0);
        ExpectNoErrors();
        w.Drukuj1->trigger();
        w.PodgladWydruku1->trigger();
        EXPECT_EQ(dialogs.informations, QStringList(2, QStringLiteral("Brak danych!")));
        EXPECT_EQ(dialogs.previewsShown, 0);
        dialogs.informations.clear();
    }
    QFile::remove(Path(kLogoFileName));
    TWel_Kor& w = StartWithExample();

    // A long comment: page 1 as designed, the rest on page 2.
    for (int k = 0; k < 60; ++k)
        w.mKomentarz->appendPlainText(QStringLiteral("wiersz %1").arg(k));
    QPrinter preview(QPrinter::HighResolution);
    preview.setOutputFormat(QPrinter::PdfFormat);
    preview.setPageSize(QPageSize(QPageSize::A4));
    preview.setOutputFileName(Path(QStringLiteral("podglad.pdf")));
    dialogs.previewTarget = &preview;
    w.PodgladWydruku1->trigger();
    ExpectNoErrors();
    EXPECT_EQ(dialogs.previewsShown, 1);
    EXPECT_EQ(dialogs.previewPrinterDocName, w.windowTitle());
    const QString info = QString::fromUtf8(Poppler(QStringLiteral("pdfinfo"), {Path(QStringLiteral("podglad.pdf"))}));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +2\n")))) << info.toStdString();
    const QString page2 = QString::fromUtf8(
        Poppler(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("2"), QStringLiteral("-l"),
                                              QStringLiteral("2"), Path(QStringLiteral("podglad.pdf")),
                                              QStringLiteral("-")}));
    EXPECT_TRUE(page2.contains(QStringLiteral("wiersz 59"))) << page2.toStdString();
    EXPECT_FALSE(page2.contains(QStringLiteral("OPERATOR")));

    // A printer that does not exist: a message, no silent nothing.
    dialogs.printerSetupAnswers.push_back([](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(QStringLiteral("Brak_takiej_drukarki"));
    });
    w.Ustawieniadrukowania1->trigger();
    w.Drukuj1->trigger();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Nie można rozpocząć wydruku"))) << dialogs.errors[0].toStdString();
}

} // namespace
