// The plate page as the user sees it: the painted wells, the legend and the
// scale switch, before and after reports are loaded.
#include "PlateFixture.h"

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
        EXPECT_EQ(label->parentWidget(), w.tsMikroplytka.get());
        EXPECT_EQ(label->text(), QString::number(c + 1));
        EXPECT_EQ(label->pos(), QPoint(63 + 33 * c, 22));
        EXPECT_TRUE(label->isVisible());
    }
    const QString letters = QStringLiteral("ABCDEFGH");
    for (int r = 0; r < 8; ++r) {
        const QLabel* label = w.tsMikroplytka->lRowNames[static_cast<std::size_t>(r)];
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->parentWidget(), w.tsMikroplytka.get());
        EXPECT_EQ(label->text(), letters.mid(r, 1));
        EXPECT_EQ(label->pos(), QPoint(22, 63 + 33 * r));
        EXPECT_TRUE(label->isVisible());
    }
    EXPECT_EQ(w.tsMikroplytka->plateView->parentWidget(), w.tsMikroplytka.get());
    EXPECT_EQ(w.tsMikroplytka->plateView->geometry(), QRect(55, 55, 11 * 33 + 30, 7 * 33 + 30));
}

TEST_F(PlateAtStart, LegendAndZeroSwatchShowTheColourScaleWithoutData)
{
    TWel_Kor& w = StartOnPlate();
    const QImage page = Page();
    ExpectLegend(page, {kBlack, kDarkGreen, kWhite, kRed});
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
    ExpectLegend(page, {kDarkGreen, kWhite, kBlack, kDarkGreen});
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
    StartOnPlate();
    Load(MixedPlate());
    // On the colour scale the extreme shapes take the extreme wells' colours.
    const std::pair<bool, Legend> cases[] = {
        {false, {kBlack, kPureGreen, kWhite, kRed}},
        {true, {kDarkGreen, kWhite, kBlack, kDarkGreen}},
        {false, {kBlack, kPureGreen, kWhite, kRed}},
    };
    for (const auto& [glow, legend] : cases) {
        SCOPED_TRACE(glow ? "glow scale" : "colour scale");
        SetGlow(glow);
        ExpectLegend(Page(), legend);
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
