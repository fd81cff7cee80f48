// The calibration range on the plate page: track bars, bound labels and the
// colours they give, after reports of every kind of data.
#include "PlateFixture.h"

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
