#include "core/plate/CalibrationRange.h"
#include "core/text/Error.h"

#include <gtest/gtest.h>

#include <string>

using namespace welkor;

namespace {

ValueTable Filled(const std::string& text)
{
    ValueTable table;
    table.cells.fill(text);
    return table;
}

// The calibration group as the window drives it: the range step sets the
// labels and then the lower and the upper track bar; a bar whose position
// changes runs its step.
struct Calibration {
    RangeState range;
    bool dataPresent = false;
    int lower = 0;
    int upper = 77;
    std::string lowerLabel, upperLabel;
    std::string maxLabel = "         ", minLabel = "            ";

    void LowerStep()
    {
        const BoundResult r = ApplyLowerBound(dataPresent, lower, upper, range);
        range.lowerOffset = r.lowerOffset;
        range.span = r.span;
        lowerLabel = r.label;
    }
    void UpperStep()
    {
        const BoundResult r = ApplyUpperBound(upper, range);
        range.lowerOffset = r.lowerOffset;
        range.span = r.span;
        upperLabel = r.label;
    }
    void StartUp()
    {
        LowerStep();
        UpperStep();
    }
    void MoveLower(int position)
    {
        if (position != lower) {
            lower = position;
            LowerStep();
        }
    }
    void MoveUpper(int position)
    {
        if (position != upper) {
            upper = position;
            UpperStep();
        }
    }
    void Load(ValueTable& table)
    {
        dataPresent = true;
        const RangeFound found = FindRange(table, range);
        maxLabel = found.maxLabel;
        minLabel = found.minLabel;
        MoveLower(found.lowerPosition);
        MoveUpper(found.upperPosition);
    }
};

Calibration Started()
{
    Calibration cal;
    cal.StartUp();
    return cal;
}

} // namespace

TEST(CalibrationStartUp, EmptyLowerBoundAndTheLaidOutUpperBound)
{
    const Calibration cal = Started();
    EXPECT_EQ(cal.range.lowerOffset, 0.0);
    EXPECT_EQ(cal.lowerLabel, "0,0000");
    EXPECT_DOUBLE_EQ(cal.range.span, 0.077);
    EXPECT_EQ(cal.upperLabel, "0,0770");
}

TEST(CalibrationStartUp, LowerBarIsNotReadWithoutData)
{
    RangeState range;
    range.dataMin = -0.3; // left over, but the data-present flag is clear
    const BoundResult r = ApplyLowerBound(false, 800, 1000, range);
    EXPECT_EQ(r.lowerOffset, 0.0);
    EXPECT_EQ(r.label, "0,0000");
    EXPECT_DOUBLE_EQ(r.span, 1.0);
}

TEST(CalibrationLoad, PositiveDataSetsBarsToZeroAndTheMaximum)
{
    ValueTable table = Filled(" 0,500");
    table.at(0, 0) = " 0,120";
    table.at(2, 10) = " 1,850";
    Calibration cal = Started();
    cal.Load(table);
    EXPECT_EQ(cal.lower, 0);
    EXPECT_EQ(cal.upper, 1850);
    EXPECT_EQ(cal.maxLabel, "C 11");
    EXPECT_EQ(cal.minLabel, "A 1");
    EXPECT_EQ(cal.lowerLabel, "0,0000");
    EXPECT_EQ(cal.upperLabel, "1,8500");
    EXPECT_EQ(cal.range.lowerOffset, 0.0);
    EXPECT_DOUBLE_EQ(cal.range.span, 1.85);
    EXPECT_DOUBLE_EQ(cal.range.dataMin, 0.12);
    EXPECT_DOUBLE_EQ(cal.range.dataMax, 1.85);
    EXPECT_TRUE(cal.range.anyNumeric);
}

TEST(CalibrationLoad, NegativeMinimumMovesTheLowerBoundDown)
{
    ValueTable table = Filled(" 0,500");
    table.at(7, 11) = "-0,300";
    table.at(4, 0) = " 1,850";
    Calibration cal = Started();
    cal.Load(table);
    EXPECT_EQ(cal.lower, 300);
    EXPECT_EQ(cal.minLabel, "H 12");
    EXPECT_EQ(cal.maxLabel, "E 1");
    EXPECT_DOUBLE_EQ(cal.range.lowerOffset, 0.3);
    EXPECT_EQ(cal.lowerLabel, "-0,3000");
    EXPECT_DOUBLE_EQ(cal.range.span, 2.15);

    cal.MoveLower(100); // the data minimum still lies below
    EXPECT_DOUBLE_EQ(cal.range.lowerOffset, 0.3);
    EXPECT_EQ(cal.lowerLabel, "-0,3000");
    EXPECT_DOUBLE_EQ(cal.range.span, 2.15);

    cal.MoveLower(800);
    EXPECT_DOUBLE_EQ(cal.range.lowerOffset, 0.8);
    EXPECT_EQ(cal.lowerLabel, "-0,8000");
    EXPECT_DOUBLE_EQ(cal.range.span, 2.65);
}

TEST(CalibrationLoad, UpperBarNeverCutsBelowTheMaximum)
{
    ValueTable table = Filled(" 1,850");
    table.at(0, 0) = "-0,300";
    Calibration cal = Started();
    cal.Load(table);

    cal.MoveUpper(1000);
    EXPECT_EQ(cal.upperLabel, "1,8500");
    EXPECT_DOUBLE_EQ(cal.range.span, 2.15);
    EXPECT_DOUBLE_EQ(cal.range.lowerOffset, 0.3);

    cal.MoveUpper(3000);
    EXPECT_EQ(cal.upperLabel, "3,0000");
    EXPECT_DOUBLE_EQ(cal.range.span, 3.3);

    // The lower step works out the same upper bound.
    cal.MoveLower(500);
    EXPECT_DOUBLE_EQ(cal.range.span, 3.5);
}

TEST(CalibrationLoad, ExtremesBeyondTheBarsLeaveThemAtTheEnds)
{
    ValueTable table = Filled(" 1");
    table.at(1, 1) = " 7,5";
    table.at(1, 2) = "-6";
    Calibration cal = Started();
    cal.Load(table);
    EXPECT_EQ(cal.upper, 5000);
    EXPECT_EQ(cal.lower, 5000);
    EXPECT_EQ(cal.upperLabel, "7,5000");
    EXPECT_DOUBLE_EQ(cal.range.lowerOffset, 6.0);
    EXPECT_EQ(cal.lowerLabel, "-6,0000");
    EXPECT_DOUBLE_EQ(cal.range.span, 13.5);
}

TEST(FindRange, PositionsRoundHalvesToEvenAndStayOnTheBar)
{
    ValueTable table = Filled(" 0,0625"); // 62.5 -> 62
    table.at(0, 0) = "-0,1875";           // 187.5 -> 188
    RangeState range;
    RangeFound found = FindRange(table, range);
    EXPECT_EQ(found.upperPosition, 62);
    EXPECT_EQ(found.lowerPosition, 188);

    table = Filled("-2");
    table.at(3, 3) = "-1";
    found = FindRange(table, range);
    EXPECT_EQ(found.upperPosition, 0); // a negative maximum
    EXPECT_EQ(found.lowerPosition, 2000);

    table = Filled("4,9996");
    found = FindRange(table, range);
    EXPECT_EQ(found.upperPosition, 5000);
    EXPECT_EQ(found.lowerPosition, 0);
}

TEST(FindRange, TiesGoToTheFirstWellInRowMajorOrder)
{
    ValueTable table = Filled(" 0,5");
    table.at(1, 1) = " 0,9";  // B 2
    table.at(0, 4) = " 0,90"; // A 5, the same value written otherwise
    table.at(6, 2) = " 0,1";  // G 3
    table.at(6, 7) = " 0,1";  // G 8
    table.at(7, 0) = " 0,9";  // H 1
    RangeState range;
    const RangeFound found = FindRange(table, range);
    EXPECT_EQ(found.maxLabel, "A 5");
    EXPECT_EQ(found.minLabel, "G 3");
    EXPECT_EQ(range.maxRow, 1);
    EXPECT_EQ(range.maxCol, 5);
    EXPECT_EQ(range.minRow, 7);
    EXPECT_EQ(range.minCol, 3);
}

TEST(FindRange, SkipsStateWordsAnyCaseAndLowerCasesTheTable)
{
    ValueTable table = Filled(" BLANK");
    table.at(0, 0) = " Under";
    table.at(0, 1) = " OVER";
    table.at(0, 2) = "";
    table.at(5, 9) = " 1,5E-1"; // the only number: maximum and minimum at once
    RangeState range;
    const RangeFound found = FindRange(table, range);
    EXPECT_EQ(found.maxLabel, "F 10");
    EXPECT_EQ(found.minLabel, "F 10");
    EXPECT_DOUBLE_EQ(range.dataMax, 0.15);
    EXPECT_DOUBLE_EQ(range.dataMin, 0.15);
    EXPECT_EQ(found.upperPosition, 150);
    EXPECT_EQ(found.lowerPosition, 0);
    EXPECT_EQ(table.at(0, 0), " under");
    EXPECT_EQ(table.at(0, 1), " over");
    EXPECT_EQ(table.at(1, 1), " blank");
    EXPECT_EQ(table.at(5, 9), " 1,5e-1");
}

TEST(FindRange, NoNumericWellKeepsOldPositionsAndGivesEmptyLabels)
{
    ValueTable table = Filled(" 1,0");
    table.at(3, 4) = " 2,0";
    Calibration cal = Started();
    cal.Load(table);
    ASSERT_EQ(cal.maxLabel, "D 5");

    table = Filled(" over");
    table.at(2, 2) = " blank";
    table.at(2, 3) = "";
    cal.Load(table);
    EXPECT_FALSE(cal.range.anyNumeric);
    EXPECT_EQ(cal.range.dataMin, 9999.0);
    EXPECT_EQ(cal.range.dataMax, -9999.0);
    EXPECT_EQ(cal.range.maxRow, 4);
    EXPECT_EQ(cal.range.maxCol, 5);
    EXPECT_EQ(cal.range.minRow, 1);
    EXPECT_EQ(cal.range.minCol, 1);
    EXPECT_EQ(cal.maxLabel, "");
    EXPECT_EQ(cal.minLabel, "");
    EXPECT_EQ(cal.lower, 0);
    EXPECT_EQ(cal.upper, 0);
    EXPECT_EQ(cal.range.span, 0.0);
    EXPECT_EQ(cal.lowerLabel, "0,0000");
    EXPECT_EQ(cal.upperLabel, "0,0000");
}

TEST(FindRange, FailingTextKeepsTheExtremesFoundSoFar)
{
    ValueTable table = Filled(" 0,5");
    table.at(0, 3) = " 0,9";
    table.at(0, 7) = " 0,2";
    table.at(1, 0) = " 0,1x";
    table.at(5, 5) = " 9,0"; // never reached
    table.at(6, 0) = " OVER";
    RangeState range;
    range.maxRow = 8, range.maxCol = 12;
    try {
        FindRange(table, range);
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "Warto\x9C\xE6 ' 0,1x' nie jest liczb\xB9.");
    }
    EXPECT_DOUBLE_EQ(range.dataMax, 0.9);
    EXPECT_DOUBLE_EQ(range.dataMin, 0.2);
    EXPECT_EQ(range.maxRow, 1);
    EXPECT_EQ(range.maxCol, 4);
    EXPECT_EQ(range.minRow, 1);
    EXPECT_EQ(range.minCol, 8);
    EXPECT_TRUE(range.anyNumeric);
    EXPECT_EQ(table.at(6, 0), " OVER");
}

TEST(Bounds, UpperBoundIsTheBarUnlessTheMaximumLiesAbove)
{
    EXPECT_DOUBLE_EQ(UpperBound(77, 0), 0.077);
    EXPECT_DOUBLE_EQ(UpperBound(1000, 1.85), 1.85);
    EXPECT_DOUBLE_EQ(UpperBound(1850, 1.85), 1.85);
    EXPECT_DOUBLE_EQ(UpperBound(2000, 1.85), 2.0);
    EXPECT_EQ(UpperBound(0, -9999), 0.0);
    EXPECT_DOUBLE_EQ(UpperBound(5000, 7.5), 7.5);
}

TEST(Bounds, UpperStepKeepsTheLowerOffset)
{
    RangeState range;
    range.lowerOffset = 0.25;
    range.dataMax = 1.5;
    range.span = 123;
    const BoundResult r = ApplyUpperBound(1000, range);
    EXPECT_EQ(r.lowerOffset, 0.25);
    EXPECT_DOUBLE_EQ(r.span, 1.75);
    EXPECT_EQ(r.label, "1,5000");
}

TEST(Bounds, LowerStepWithDataButNoNumberReadsTheBar)
{
    RangeState range;
    range.dataMin = 9999;
    range.dataMax = -9999;
    const BoundResult r = ApplyLowerBound(true, 250, 100, range);
    EXPECT_DOUBLE_EQ(r.lowerOffset, 0.25);
    EXPECT_EQ(r.label, "-0,2500");
    EXPECT_DOUBLE_EQ(r.span, 0.35);
}
