// The plate page as the user sees it: the painted wells, the legend, the scale
// switch and the calibration group, before and after reports are loaded.
#include "WindowFixture.h"

#include "gui/plate/PlateView.h"
#include "gui/widgets/CircleShape.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <array>
#include <tuple>
#include <cstdlib>
#include <string>
#include <vector>

using namespace welkor::gui;

namespace {

// Colours as painted, "#rrggbb". Computed ones carry their scale step.
const std::string kWhite = "#ffffff";
const std::string kBlack = "#000000";
const std::string kRed = "#ff0000";
const std::string kPureGreen = "#00ff00"; // last step of the colour scale
const std::string kDarkGreen = "#008000"; // blank wells and extreme outlines on the glow scale
const std::string kBlue = "#0000ff";
const std::string kGrey = "#808080";

std::string Name(QRgb pixel) { return QColor(pixel).name().toStdString(); }

// The thin outline is anti-aliased, so it is checked as "dark" rather than exact.
bool IsDark(QRgb pixel) { return qRed(pixel) < 64 && qGreen(pixel) < 64 && qBlue(pixel) < 64; }

// One plate of well texts, written as a report: four header lines, the date,
// the operator and one value line per plate column (rows A-H in order).
struct Plate {
    std::array<std::array<QByteArray, 12>, 8> wells; // [row][column], text without its leading blank
    int tokens = 96; // how many wells get a value, column by column; the others get none

    explicit Plate(const QByteArray& fill)
    {
        for (auto& row : wells)
            row.fill(fill);
    }

    // Well by name: "C11" is row C, column 11.
    Plate& set(const char* well, const QByteArray& text)
    {
        wells[static_cast<std::size_t>(well[0] - 'A')][static_cast<std::size_t>(std::atoi(well + 1) - 1)] = text;
        return *this;
    }

    QByteArray report() const
    {
        QByteArray out = "Welkor Lumo 1\r\nProgram: test\r\nFiltr: 450\r\nTryb: pojedynczy\r\n"
                         "DATE: 08.12.2026 TIME: 09:12:44\r\nOPERATOR: Marvant\r\n";
        int written = 0;
        for (int c = 0; c < 12; ++c) {
            QByteArray line = "Kol " + QByteArray::number(c + 1);
            for (int r = 0; r < 8 && written < tokens; ++r, ++written)
                line += " " + wells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] + "\t";
            out += line + "\r\n";
        }
        return out;
    }
};

struct WellCase {
    const char* well;
    std::string colourScale;
    std::string glowScale;
};

int RowOf(const char* well) { return well[0] - 'A'; }
int ColumnOf(const char* well) { return std::atoi(well + 1) - 1; }

} // namespace

class PlateTest : public WindowTest {
protected:
    TWel_Kor& StartOnPlate()
    {
        TWel_Kor& w = Start();
        w.pcZakladki->setCurrentWidget(w.tsMikroplytka);
        return w;
    }

    void Load(const Plate& plate, const QString& name = QStringLiteral("plytka.rap"))
    {
        WriteFile(name, plate.report());
        window->Guarded([&] { window->files->LoadReport(Path(name)); });
        ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('\n')).toStdString();
    }

    void SetGlow(bool glow)
    {
        window->tsMikroplytka->cbZarzenie->setChecked(glow);
        window->tsMikroplytka->cbZarzenieClick();
    }

    QImage Page() const { return window->tsMikroplytka->grab().toImage(); }

    // A well's top-left corner on the page.
    static QPoint WellOrigin(int row, int column) { return QPoint(55 + 33 * column, 55 + 33 * row); }

    // The centre of a well: always its fill.
    static std::string WellFill(const QImage& page, int row, int column)
    {
        return Name(page.pixel(WellOrigin(row, column) + QPoint(15, 15)));
    }
    static std::string WellFill(const QImage& page, const char* well) { return WellFill(page, RowOf(well), ColumnOf(well)); }

    // Two pixels in from the top of a well: inside a 4-pixel outline, the fill
    // of a well with the thin one.
    static std::string WellRing(const QImage& page, int row, int column)
    {
        return Name(page.pixel(WellOrigin(row, column) + QPoint(15, 2)));
    }
    static std::string WellRing(const QImage& page, const char* well) { return WellRing(page, RowOf(well), ColumnOf(well)); }

    std::string ShapeFill(const QImage& page, const CircleShape* shape) const
    {
        return Name(page.pixel(shape->mapTo(window->tsMikroplytka, QPoint(15, 15))));
    }
    std::string ShapeRing(const QImage& page, const CircleShape* shape) const
    {
        return Name(page.pixel(shape->mapTo(window->tsMikroplytka, QPoint(15, 2))));
    }

    // Only the named wells carry the thick outline; every other well's ring
    // pixel is its own fill.
    static void ExpectThickOutlineOnlyAt(const QImage& page, const std::vector<const char*>& wells,
                                         const std::string& colour)
    {
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < 12; ++c) {
                bool marked = false;
                for (const char* well : wells)
                    marked = marked || (RowOf(well) == r && ColumnOf(well) == c);
                if (marked)
                    EXPECT_EQ(WellRing(page, r, c), colour) << "row " << r << " column " << c;
                else
                    EXPECT_EQ(WellRing(page, r, c), WellFill(page, r, c)) << "row " << r << " column " << c;
            }
        }
    }

    void ExpectWells(const QImage& page, const std::vector<WellCase>& cases, bool glow) const
    {
        for (const WellCase& wc : cases)
            EXPECT_EQ(WellFill(page, wc.well), glow ? wc.glowScale : wc.colourScale)
                << wc.well << (glow ? " on the glow scale" : " on the colour scale");
    }
};

using PlateAtStart = PlateTest;
using PlateScales = PlateTest;
using PlateCalibration = PlateTest;

// ---- Before any report -------------------------------------------------------

TEST_F(PlateAtStart, EveryWellIsWhiteWithAThinBlackOutlineOnItsGridPlace)
{
    StartOnPlate();
    const QImage page = Page();
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 12; ++c) {
            SCOPED_TRACE(testing::Message() << "row " << r << " column " << c);
            const QPoint o = WellOrigin(r, c);
            EXPECT_EQ(WellFill(page, r, c), kWhite);
            EXPECT_EQ(WellRing(page, r, c), kWhite); // the outline is one pixel, not four
            // The outline touches all four sides of the 30 x 30 box and nothing
            // outside it: the gaps between wells show the page.
            EXPECT_TRUE(IsDark(page.pixel(o + QPoint(15, 0)))) << Name(page.pixel(o + QPoint(15, 0)));
            EXPECT_TRUE(IsDark(page.pixel(o + QPoint(15, 29))));
            EXPECT_TRUE(IsDark(page.pixel(o + QPoint(0, 15))));
            EXPECT_TRUE(IsDark(page.pixel(o + QPoint(29, 15))));
            EXPECT_FALSE(IsDark(page.pixel(o + QPoint(15, -1))));
            EXPECT_FALSE(IsDark(page.pixel(o + QPoint(15, 30))));
            EXPECT_FALSE(IsDark(page.pixel(o + QPoint(-1, 15))));
            EXPECT_FALSE(IsDark(page.pixel(o + QPoint(30, 15))));
        }
    }
}

TEST_F(PlateAtStart, RowAndColumnLabelsSitBesideTheWells)
{
    TWel_Kor& w = StartOnPlate();
    for (int c = 0; c < 12; ++c) {
        const QLabel* label = w.tsMikroplytka->lColumnNumbers[static_cast<std::size_t>(c)];
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->parentWidget(), w.tsMikroplytka);
        EXPECT_EQ(label->text(), QString::number(c + 1));
        EXPECT_EQ(label->pos(), QPoint(63 + 33 * c, 22));
        EXPECT_TRUE(label->isVisible());
    }
    const QString letters = QStringLiteral("ABCDEFGH");
    for (int r = 0; r < 8; ++r) {
        const QLabel* label = w.tsMikroplytka->lRowNames[static_cast<std::size_t>(r)];
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->parentWidget(), w.tsMikroplytka);
        EXPECT_EQ(label->text(), letters.mid(r, 1));
        EXPECT_EQ(label->pos(), QPoint(22, 63 + 33 * r));
        EXPECT_TRUE(label->isVisible());
    }
    EXPECT_EQ(w.tsMikroplytka->plateView->parentWidget(), w.tsMikroplytka);
    EXPECT_EQ(w.tsMikroplytka->plateView->geometry(), QRect(55, 55, 11 * 33 + 30, 7 * 33 + 30));
}

TEST_F(PlateAtStart, LegendAndZeroSwatchShowTheColourScaleWithoutData)
{
    TWel_Kor& w = StartOnPlate();
    const QImage page = Page();
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sPonizej), kBlue);
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sPusta), kBlack);
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sPonad), kGrey);
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sMaksymalna), kDarkGreen);
    EXPECT_EQ(ShapeRing(page, w.tsMikroplytka->sMaksymalna), kRed);
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sMinimalna), kWhite);
    EXPECT_EQ(ShapeRing(page, w.tsMikroplytka->sMinimalna), kRed);
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sZero), kWhite);
    EXPECT_EQ(ShapeRing(page, w.tsMikroplytka->sZero), kWhite);
    EXPECT_FALSE(w.tsMikroplytka->cbZarzenie->isChecked());
    EXPECT_EQ(w.tsMikroplytka->cbZarzenie->text(), QStringLiteral("Skala barwy"));
}

TEST_F(PlateAtStart, CalibrationGroupShowsTheLaidOutRange)
{
    TWel_Kor& w = StartOnPlate();
    EXPECT_EQ(w.tsMikroplytka->lGorna->text(), QStringLiteral("0,0770"));
    EXPECT_EQ(w.tsMikroplytka->lDolna->text(), QStringLiteral("0,0000"));
    // Both bars are laid out at 77; the lower one means nothing without data.
    EXPECT_EQ(w.tsMikroplytka->tbGorna->value(), 77);
    EXPECT_EQ(w.tsMikroplytka->tbDolna->value(), 77);
    EXPECT_EQ(w.tsMikroplytka->tbGorna->minimum(), 0);
    EXPECT_EQ(w.tsMikroplytka->tbGorna->maximum(), 5000);
    EXPECT_EQ(w.tsMikroplytka->tbDolna->maximum(), 5000);
    EXPECT_EQ(w.tsMikroplytka->lGornaNr->text(), QString(9, QLatin1Char(' ')));
    EXPECT_EQ(w.tsMikroplytka->lDolnaNr->text(), QString(12, QLatin1Char(' ')));
    EXPECT_DOUBLE_EQ(w.tsMikroplytka->range.span, 0.077);
    EXPECT_EQ(w.tsMikroplytka->range.lowerOffset, 0.0);
}

TEST_F(PlateAtStart, LowerBarDoesNothingWithoutDataUpperBarStillMoves)
{
    TWel_Kor& w = StartOnPlate();
    w.tsMikroplytka->tbDolna->setValue(900);
    EXPECT_EQ(w.tsMikroplytka->lDolna->text(), QStringLiteral("0,0000"));
    EXPECT_EQ(w.tsMikroplytka->range.lowerOffset, 0.0);
    w.tsMikroplytka->tbGorna->setValue(2000);
    EXPECT_EQ(w.tsMikroplytka->lGorna->text(), QStringLiteral("2,0000"));
    EXPECT_DOUBLE_EQ(w.tsMikroplytka->range.span, 2.0);
    const QImage page = Page();
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 12; ++c)
            EXPECT_EQ(WellFill(page, r, c), kWhite) << r << "," << c; // 0 is the bottom of the range
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sZero), kWhite);
}

TEST_F(PlateAtStart, GlowScaleWithoutDataTurnsWellsAndSwatchBlack)
{
    TWel_Kor& w = StartOnPlate();
    SetGlow(true);
    EXPECT_EQ(w.tsMikroplytka->cbZarzenie->text(), QStringLiteral("Skala żarzenia"));
    const QImage page = Page();
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 12; ++c)
            EXPECT_EQ(WellFill(page, r, c), kBlack) << r << "," << c;
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sZero), kBlack);
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sPusta), kDarkGreen);
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sMaksymalna), kWhite);
    EXPECT_EQ(ShapeRing(page, w.tsMikroplytka->sMaksymalna), kDarkGreen);
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sMinimalna), kBlack);
    EXPECT_EQ(ShapeRing(page, w.tsMikroplytka->sMinimalna), kDarkGreen);
}

// ---- Scales after a report ----------------------------------------------------

namespace {

// Range -0.5 .. 2.0 (span 2.5): a value x sits at step round((x + 0.5) * N / 2.5).
// The last three wells of column 12 get no value at all.
Plate MixedPlate()
{
    Plate plate("1,000");
    plate.set("A1", "2,000")   // maximum: the top of the range
        .set("B1", "-0,500")   // minimum: the bottom of the range
        .set("C1", "UNDER")
        .set("D1", "0,000")
        .set("E1", "Over")
        .set("F1", "BLANK")
        .set("A2", "under")
        .set("B2", "over")
        .set("C2", "blank");
    plate.tokens = 93;
    return plate;
}

const std::vector<WellCase> kMixedWells = {
    {"A1", kPureGreen, kWhite},
    {"B1", kWhite, kBlack},
    {"C1", kBlue, kBlue},
    {"A2", kBlue, kBlue},
    {"E1", kGrey, kGrey},
    {"B2", kGrey, kGrey},
    {"F1", kBlack, kDarkGreen},
    {"C2", kBlack, kDarkGreen},
    {"F12", kGrey, kGrey}, // no value in the report: empty text
    {"H12", kGrey, kGrey},
    {"E12", "#66ff66", "#ffcc00"}, // 1.0: colour step 153, glow step 460
    {"G1", "#66ff66", "#ffcc00"},
    {"D1", "#ccffcc", "#990000"},  // 0.0: colour step 51, glow step 153
};

} // namespace

TEST_F(PlateScales, WellsFollowTheirTextsOnBothScales)
{
    TWel_Kor& w = StartOnPlate();
    Load(MixedPlate());
    EXPECT_EQ(w.tsMikroplytka->lGornaNr->text(), QStringLiteral("A 1"));
    EXPECT_EQ(w.tsMikroplytka->lDolnaNr->text(), QStringLiteral("B 1"));

    ExpectWells(Page(), kMixedWells, false);
    ExpectThickOutlineOnlyAt(Page(), {"A1", "B1"}, kRed);

    SetGlow(true);
    EXPECT_EQ(w.tsMikroplytka->cbZarzenie->text(), QStringLiteral("Skala żarzenia"));
    ExpectWells(Page(), kMixedWells, true);
    ExpectThickOutlineOnlyAt(Page(), {"A1", "B1"}, kDarkGreen);

    SetGlow(false);
    EXPECT_EQ(w.tsMikroplytka->cbZarzenie->text(), QStringLiteral("Skala barwy"));
    ExpectWells(Page(), kMixedWells, false);
    ExpectThickOutlineOnlyAt(Page(), {"A1", "B1"}, kRed);
}

TEST_F(PlateScales, StateWordsAreMatchedInAnyCaseAndKeptLowerCase)
{
    TWel_Kor& w = StartOnPlate();
    Load(MixedPlate());
    EXPECT_EQ(w.report.values().at(2, 0), " under");
    EXPECT_EQ(w.report.values().at(4, 0), " over");
    EXPECT_EQ(w.report.values().at(5, 0), " blank");
    EXPECT_EQ(w.report.values().at(7, 11), "");
}

TEST_F(PlateScales, LegendFollowsTheScale)
{
    TWel_Kor& w = StartOnPlate();
    Load(MixedPlate());
    struct LegendCase {
        bool glow;
        std::string pusta, maksymalna, minimalna, outline;
    };
    // On the colour scale the extreme shapes take the extreme wells' colours.
    const LegendCase cases[] = {
        {false, kBlack, kPureGreen, kWhite, kRed},
        {true, kDarkGreen, kWhite, kBlack, kDarkGreen},
        {false, kBlack, kPureGreen, kWhite, kRed},
    };
    for (const LegendCase& lc : cases) {
        SCOPED_TRACE(lc.glow ? "glow scale" : "colour scale");
        SetGlow(lc.glow);
        const QImage page = Page();
        EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sPonizej), kBlue);
        EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sPusta), lc.pusta);
        EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sPonad), kGrey);
        EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sMaksymalna), lc.maksymalna);
        EXPECT_EQ(ShapeRing(page, w.tsMikroplytka->sMaksymalna), lc.outline);
        EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sMinimalna), lc.minimalna);
        EXPECT_EQ(ShapeRing(page, w.tsMikroplytka->sMinimalna), lc.outline);
        EXPECT_EQ(ShapeRing(page, w.tsMikroplytka->sPusta), lc.pusta); // thin outline
    }
}

TEST_F(PlateScales, ZeroSwatchShowsTheColourOfZero)
{
    struct SwatchCase {
        const char* what;
        Plate plate;
        std::string colourScale, glowScale;
    };
    const SwatchCase cases[] = {
        // Range -0.5 .. 2.0: zero sits 0.5 up a span of 2.5.
        {"negative data", MixedPlate(), "#ccffcc", "#990000"},
        // Range 0 .. 1.85: zero is the bottom of the range.
        {"positive data", Plate("0,500").set("C11", "1,850").set("F3", "0,120"), kWhite, kBlack},
    };
    for (const SwatchCase& sc : cases) {
        SCOPED_TRACE(sc.what);
        TWel_Kor& w = StartOnPlate();
        Load(sc.plate);
        EXPECT_EQ(ShapeFill(Page(), w.tsMikroplytka->sZero), sc.colourScale);
        SetGlow(true);
        EXPECT_EQ(ShapeFill(Page(), w.tsMikroplytka->sZero), sc.glowScale);
    }
}

// ---- Calibration range ----------------------------------------------------------

TEST_F(PlateCalibration, PositiveDataSetsBarsLabelsAndColours)
{
    TWel_Kor& w = StartOnPlate();
    Load(Plate("0,500").set("C11", "1,850").set("F3", "0,120"));
    EXPECT_EQ(w.tsMikroplytka->tbDolna->value(), 0);
    EXPECT_EQ(w.tsMikroplytka->tbGorna->value(), 1850);
    EXPECT_EQ(w.tsMikroplytka->lDolna->text(), QStringLiteral("0,0000"));
    EXPECT_EQ(w.tsMikroplytka->lGorna->text(), QStringLiteral("1,8500"));
    EXPECT_EQ(w.tsMikroplytka->lGornaNr->text(), QStringLiteral("C 11"));
    EXPECT_EQ(w.tsMikroplytka->lDolnaNr->text(), QStringLiteral("F 3"));
    EXPECT_DOUBLE_EQ(w.tsMikroplytka->range.span, 1.85);
    EXPECT_EQ(w.tsMikroplytka->range.lowerOffset, 0.0);

    const QImage page = Page();
    EXPECT_EQ(WellFill(page, "C11"), kPureGreen);
    EXPECT_EQ(WellFill(page, "F3"), "#eeffee"); // 0.12: step 17
    EXPECT_EQ(WellFill(page, "A1"), "#baffba"); // 0.5: step 69
    ExpectThickOutlineOnlyAt(page, {"C11", "F3"}, kRed);
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sMaksymalna), kPureGreen);
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sMinimalna), "#eeffee");
}

TEST_F(PlateCalibration, NegativeMinimumHoldsTheLowerBoundAgainstTheBar)
{
    TWel_Kor& w = StartOnPlate();
    Load(Plate("0,200").set("A1", "1,700").set("H12", "-0,300"));
    EXPECT_EQ(w.tsMikroplytka->tbDolna->value(), 300);
    EXPECT_EQ(w.tsMikroplytka->tbGorna->value(), 1700);
    EXPECT_EQ(w.tsMikroplytka->lDolna->text(), QStringLiteral("-0,3000"));
    EXPECT_EQ(w.tsMikroplytka->lGorna->text(), QStringLiteral("1,7000"));
    EXPECT_DOUBLE_EQ(w.tsMikroplytka->range.lowerOffset, 0.3);
    // Range -0.3 .. 1.7.
    EXPECT_EQ(WellFill(Page(), "B2"), "#bfffbf");   // 0.2: step 64
    EXPECT_EQ(WellFill(Page(), "H12"), kWhite);
    EXPECT_EQ(ShapeFill(Page(), w.tsMikroplytka->sZero), "#d9ffd9"); // 0: step 38

    // The data minimum still lies below the bar's bound.
    w.tsMikroplytka->tbDolna->setValue(100);
    EXPECT_EQ(w.tsMikroplytka->lDolna->text(), QStringLiteral("-0,3000"));
    EXPECT_DOUBLE_EQ(w.tsMikroplytka->range.lowerOffset, 0.3);
    EXPECT_EQ(WellFill(Page(), "B2"), "#bfffbf");

    // Range -0.8 .. 1.7: everything moves up the scale.
    w.tsMikroplytka->tbDolna->setValue(800);
    EXPECT_EQ(w.tsMikroplytka->lDolna->text(), QStringLiteral("-0,8000"));
    EXPECT_DOUBLE_EQ(w.tsMikroplytka->range.lowerOffset, 0.8);
    EXPECT_DOUBLE_EQ(w.tsMikroplytka->range.span, 2.5);
    const QImage page = Page();
    EXPECT_EQ(WellFill(page, "B2"), "#99ff99");      // step 102
    EXPECT_EQ(WellFill(page, "H12"), "#ccffcc");     // step 51
    EXPECT_EQ(WellFill(page, "A1"), kPureGreen);
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sZero), "#adffad");  // step 82
    EXPECT_EQ(w.tsMikroplytka->lGorna->text(), QStringLiteral("1,7000"));
}

TEST_F(PlateCalibration, UpperBarCannotCutOffTheMaximumButCanWiden)
{
    TWel_Kor& w = StartOnPlate();
    Load(Plate("0,200").set("A1", "1,700").set("H12", "-0,300"));

    w.tsMikroplytka->tbGorna->setValue(1000);
    EXPECT_EQ(w.tsMikroplytka->lGorna->text(), QStringLiteral("1,7000"));
    EXPECT_DOUBLE_EQ(w.tsMikroplytka->range.span, 2.0);
    EXPECT_EQ(WellFill(Page(), "A1"), kPureGreen);
    EXPECT_EQ(WellFill(Page(), "B2"), "#bfffbf");

    // Range -0.3 .. 3.2: the wells drift towards the bottom colour.
    w.tsMikroplytka->tbGorna->setValue(3200);
    EXPECT_EQ(w.tsMikroplytka->lGorna->text(), QStringLiteral("3,2000"));
    EXPECT_DOUBLE_EQ(w.tsMikroplytka->range.span, 3.5);
    const QImage page = Page();
    EXPECT_EQ(WellFill(page, "A1"), "#6dff6d"); // step 146
    EXPECT_EQ(WellFill(page, "B2"), "#dbffdb"); // step 36
    EXPECT_EQ(WellFill(page, "H12"), kWhite);
    EXPECT_EQ(w.tsMikroplytka->lDolna->text(), QStringLiteral("-0,3000"));
}

TEST_F(PlateCalibration, ExtremesBeyondTheBarsPinThemAndClampColours)
{
    TWel_Kor& w = StartOnPlate();
    Load(Plate("1,000").set("E6", "7,500").set("B9", "-6,000"));
    EXPECT_EQ(w.tsMikroplytka->tbGorna->value(), 5000);
    EXPECT_EQ(w.tsMikroplytka->tbDolna->value(), 5000);
    EXPECT_EQ(w.tsMikroplytka->lGorna->text(), QStringLiteral("7,5000"));
    EXPECT_EQ(w.tsMikroplytka->lDolna->text(), QStringLiteral("-6,0000"));
    EXPECT_DOUBLE_EQ(w.tsMikroplytka->range.span, 13.5);
    {
        const QImage page = Page();
        EXPECT_EQ(WellFill(page, "E6"), kPureGreen);
        EXPECT_EQ(WellFill(page, "B9"), kWhite);
        EXPECT_EQ(WellFill(page, "A1"), "#7bff7b"); // 1.0 in -6 .. 7.5: step 132
    }

    // Both bars already stand at their ends and stay there, but the range
    // follows the new data out to -9 .. 9.
    Load(Plate("1,000").set("A1", "9,000").set("H12", "-9,000"));
    EXPECT_EQ(w.tsMikroplytka->lGorna->text(), QStringLiteral("9,0000"));
    EXPECT_EQ(w.tsMikroplytka->lDolna->text(), QStringLiteral("-9,0000"));
    EXPECT_EQ(w.tsMikroplytka->lGornaNr->text(), QStringLiteral("A 1"));
    EXPECT_EQ(w.tsMikroplytka->lDolnaNr->text(), QStringLiteral("H 12"));
    const std::vector<WellCase> wells = {
        {"A1", kPureGreen, kWhite},
        {"H12", kWhite, kBlack},
        {"E6", "#71ff71", "#ffaa00"}, // 1.0 in -9 .. 9: colour step 142, glow step 426
    };
    ExpectWells(Page(), wells, false);
    EXPECT_EQ(ShapeFill(Page(), w.tsMikroplytka->sMaksymalna), kPureGreen);
    EXPECT_EQ(ShapeFill(Page(), w.tsMikroplytka->sMinimalna), kWhite);
    SetGlow(true);
    ExpectWells(Page(), wells, true);
}

// Fluorescence plates run into the thousands: a bound is shown whole, with
// its sign, whatever its size, and ordinary ones keep the laid-out place.
TEST_F(PlateCalibration, BoundsOfAnySizeAreShownWhole)
{
    TWel_Kor& w = StartOnPlate();
    const QFont designed = w.tsMikroplytka->lGorna->parentWidget()->font();
    const struct {
        QByteArray max, min;
        QString upper, lower;
        bool laidOut;
    } cases[] = {
        {"1,850", "-0,300", QStringLiteral("1,8500"), QStringLiteral("-0,3000"), true},
        {"12345,6789", "-12345,6789", QStringLiteral("12\u00A0345,6789"), QStringLiteral("-12\u00A0345,6789"), false},
        {"999999999999,9999", "-999999999999,9999", QStringLiteral("999\u00A0999\u00A0999\u00A0999,9999"),
         QStringLiteral("-999\u00A0999\u00A0999\u00A0999,9999"), false},
        {"0,990", "-0,010", QStringLiteral("0,9900"), QStringLiteral("-0,0100"), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.max.toStdString());
        Load(Plate("0,500").set("A1", c.max).set("H12", c.min));
        for (const auto& [label, text, position] : {std::tuple{w.tsMikroplytka->lGorna, c.upper, w.tsMikroplytka->lGornaNr},
                                                    std::tuple{w.tsMikroplytka->lDolna, c.lower, w.tsMikroplytka->lDolnaNr}}) {
            EXPECT_EQ(label->text(), text);
            EXPECT_GE(label->contentsRect().width(), QFontMetrics(label->font()).horizontalAdvance(text));
            EXPECT_TRUE(label->parentWidget()->rect().contains(label->geometry()));
            EXPECT_LT(label->geometry().right(), position->x());
            if (c.laidOut) {
                EXPECT_EQ(label->geometry(), QRect(32, label == w.tsMikroplytka->lGorna ? 16 : 96, 60, label->height()));
                EXPECT_EQ(label->font(), designed);
            }
        }
    }
}

TEST_F(PlateCalibration, TiesGoToTheFirstWellInRowMajorOrder)
{
    TWel_Kor& w = StartOnPlate();
    // The report lists plate columns, so B3 and C2 come first in the file;
    // A5 and B4 come first row by row.
    Load(Plate("0,500").set("B3", "1,000").set("A5", "1,000").set("C2", "0,100").set("B4", "0,100"));
    EXPECT_EQ(w.tsMikroplytka->lGornaNr->text(), QStringLiteral("A 5"));
    EXPECT_EQ(w.tsMikroplytka->lDolnaNr->text(), QStringLiteral("B 4"));
    ExpectThickOutlineOnlyAt(Page(), {"A5", "B4"}, kRed);
}

TEST_F(PlateCalibration, SingleNumericWellIsBothExtremesWithOneOutline)
{
    TWel_Kor& w = StartOnPlate();
    Plate plate("blank");
    plate.set("D6", "0,400").set("A1", "under").set("H12", "over");
    Load(plate);
    EXPECT_EQ(w.tsMikroplytka->lGornaNr->text(), QStringLiteral("D 6"));
    EXPECT_EQ(w.tsMikroplytka->lDolnaNr->text(), QStringLiteral("D 6"));
    EXPECT_EQ(w.tsMikroplytka->tbGorna->value(), 400);
    EXPECT_EQ(w.tsMikroplytka->tbDolna->value(), 0);
    EXPECT_EQ(w.tsMikroplytka->lGorna->text(), QStringLiteral("0,4000"));
    const QImage page = Page();
    EXPECT_EQ(WellFill(page, "D6"), kPureGreen);
    ExpectThickOutlineOnlyAt(page, {"D6"}, kRed);
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sMaksymalna), kPureGreen);
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sMinimalna), kPureGreen);
}

// A plate whose extremes leave both bars where the previous plate put them
// still gets its own range: the bound labels and the colours never stay
// those of the earlier plate.
TEST_F(PlateCalibration, EveryLoadAppliesBothBoundsEvenWhereNoBarMoved)
{
    TWel_Kor& w = StartOnPlate();
    Load(Plate("1,000").set("A1", "7,500").set("H12", "-7,000"), QStringLiteral("a.rap"));
    ASSERT_EQ(w.tsMikroplytka->tbGorna->value(), 5000);
    ASSERT_EQ(w.tsMikroplytka->tbDolna->value(), 5000);
    ASSERT_EQ(w.tsMikroplytka->lGorna->text(), QStringLiteral("7,5000"));

    Load(Plate("1,000").set("D4", "5,200").set("E5", "-5,500"), QStringLiteral("b.rap"));
    EXPECT_EQ(w.tsMikroplytka->tbGorna->value(), 5000);
    EXPECT_EQ(w.tsMikroplytka->lGorna->text(), QStringLiteral("5,2000"));
    EXPECT_EQ(w.tsMikroplytka->lDolna->text(), QStringLiteral("-5,5000"));
    EXPECT_DOUBLE_EQ(w.tsMikroplytka->range.span, 10.7);
    const QImage page = Page();
    EXPECT_EQ(WellFill(page, "D4"), kPureGreen); // the top of this plate is the top colour
    EXPECT_EQ(WellFill(page, "E5"), kWhite);
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sMaksymalna), kPureGreen);
    ExpectThickOutlineOnlyAt(page, {"D4", "E5"}, kRed);
}

// The legend's "Maksymalna" and "Minimalna" show colours of the range, so a
// bar the user moves changes them with the wells.
TEST_F(PlateCalibration, LegendExtremesFollowTheTrackBar)
{
    TWel_Kor& w = StartOnPlate();
    Load(Plate("0,500").set("C3", "1,000").set("F6", "0,100"));
    ASSERT_EQ(ShapeFill(Page(), w.tsMikroplytka->sMaksymalna), kPureGreen);

    w.tsMikroplytka->tbGorna->setFocus();
    QTest::keyClick(w.tsMikroplytka->tbGorna, Qt::Key_End); // the upper bound to 5,000
    ASSERT_EQ(w.tsMikroplytka->lGorna->text(), QStringLiteral("5,0000"));
    const QImage page = Page();
    EXPECT_NE(WellFill(page, "C3"), kPureGreen);
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sMaksymalna), WellFill(page, "C3"));
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sMinimalna), WellFill(page, "F6"));

    // The lower bar moves the other end: the minimum's circle follows its well.
    const auto minimumBefore = ShapeFill(page, w.tsMikroplytka->sMinimalna);
    w.tsMikroplytka->tbDolna->setFocus();
    QTest::keyClick(w.tsMikroplytka->tbDolna, Qt::Key_End); // the lower bound to -5,000
    ASSERT_EQ(w.tsMikroplytka->lDolna->text(), QStringLiteral("-5,0000"));
    const QImage lowered = Page();
    EXPECT_NE(WellFill(lowered, "F6"), minimumBefore);
    EXPECT_EQ(ShapeFill(lowered, w.tsMikroplytka->sMinimalna), WellFill(lowered, "F6"));
    EXPECT_EQ(ShapeFill(lowered, w.tsMikroplytka->sMaksymalna), WellFill(lowered, "C3"));
}

TEST_F(PlateCalibration, DataWithoutNumericWellsEmptiesPositionLabels)
{
    struct NoNumberCase {
        const char* what;
        Plate plate;
    };
    Plate mixed("blank");
    mixed.set("A1", "under").set("B2", "OVER");
    mixed.tokens = 90;
    const NoNumberCase cases[] = {{"all blank", Plate("blank")}, {"state words and empty wells", mixed}};
    for (const NoNumberCase& nc : cases) {
        SCOPED_TRACE(nc.what);
        TWel_Kor& w = StartOnPlate();
        Load(Plate("0,500").set("C11", "1,850").set("F3", "0,120"), QStringLiteral("a.rap"));
        ASSERT_EQ(w.tsMikroplytka->lGornaNr->text(), QStringLiteral("C 11"));

        Load(nc.plate, QStringLiteral("b.rap"));
        EXPECT_TRUE(dialogs.errors.isEmpty());
        EXPECT_TRUE(w.tsMikroplytka->lGornaNr->text().isEmpty());
        EXPECT_TRUE(w.tsMikroplytka->lDolnaNr->text().isEmpty());
        EXPECT_EQ(w.tsMikroplytka->tbGorna->value(), 0);
        EXPECT_EQ(w.tsMikroplytka->tbDolna->value(), 0);
        const QImage page = Page();
        EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sMaksymalna), kDarkGreen);
        EXPECT_EQ(ShapeRing(page, w.tsMikroplytka->sMaksymalna), kRed);
        EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sMinimalna), kWhite);
        EXPECT_EQ(ShapeRing(page, w.tsMikroplytka->sMinimalna), kRed);
        EXPECT_EQ(WellFill(page, "D7"), kBlack);
    }
}

TEST_F(PlateCalibration, ZeroSpanPaintsTheBottomColourAndKeepsTheSwatch)
{
    TWel_Kor& w = StartOnPlate();
    SetGlow(true);
    ASSERT_EQ(ShapeFill(Page(), w.tsMikroplytka->sZero), kBlack);

    // Every value 0: both bars go to 0 and the range is empty.
    Load(Plate("0,000"));
    EXPECT_EQ(w.tsMikroplytka->tbGorna->value(), 0);
    EXPECT_EQ(w.tsMikroplytka->tbDolna->value(), 0);
    EXPECT_EQ(w.tsMikroplytka->range.span, 0.0);
    EXPECT_EQ(w.tsMikroplytka->lGorna->text(), QStringLiteral("0,0000"));
    EXPECT_EQ(WellFill(Page(), "C5"), kBlack);

    SetGlow(false);
    const QImage page = Page();
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 12; ++c)
            EXPECT_EQ(WellFill(page, r, c), kWhite) << r << "," << c;
    ExpectThickOutlineOnlyAt(page, {"A1"}, kRed);
    // With no range the swatch is not recoloured: it keeps the glow scale's black.
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sZero), kBlack);
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sMaksymalna), kWhite);
    EXPECT_EQ(ShapeFill(page, w.tsMikroplytka->sMinimalna), kWhite);
}
