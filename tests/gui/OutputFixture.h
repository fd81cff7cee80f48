#pragma once

// What the output tests share: a recording paint device, expected bytes,
// and the fixture.
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

inline QByteArray Lines(const QList<QByteArray>& lines, const char* end)
{
    QByteArray out;
    for (const QByteArray& line : lines)
        out += line + end;
    return out;
}

// CR and TAB made visible, so a failed comparison reads as a line diff.
inline std::string Readable(QByteArray bytes)
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
        w.pcZakladki->setCurrentWidget(w.tsTabela.tab());
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
