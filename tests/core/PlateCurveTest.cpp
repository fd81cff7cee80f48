// A plate read off its standard curve: roles from the marks, what is left
// out and why, back-calculated standards, flags, and the CSV the command line
// and the dialog write.
#include "core/analysis/PlateCurve.h"
#include "core/output/CurveCsv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include <string>

using namespace welkor;

namespace {

// Both grids with their headings; every well without a reading until set.
struct Plate {
    GridTexts measured;
    GridTexts marks;

    Plate()
    {
        for (int c = 1; c < kGridColumns; ++c)
            measured[0][static_cast<std::size_t>(c)] = std::to_string(c);
        for (int r = 1; r < kGridRows; ++r) {
            measured[static_cast<std::size_t>(r)][0] = std::string(1, static_cast<char>('A' + r - 1));
            for (int c = 1; c < kGridColumns; ++c)
                measured[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = " blank";
        }
        marks = measured;
    }
    // Well "B3" and the like: its reading and its mark.
    void Set(const std::string& well, const std::string& reading, const std::string& mark = "")
    {
        const WellPosition p = *ParseWellName(well);
        measured[static_cast<std::size_t>(p.row + 1)][static_cast<std::size_t>(p.column + 1)] = reading;
        marks[static_cast<std::size_t>(p.row + 1)][static_cast<std::size_t>(p.column + 1)] = mark.empty() ? reading : mark;
    }
    PlateCurveResult Quantify(CurveModel model = CurveModel::Linear) const
    {
        return QuantifyPlate(ReadPlateForCurve(measured, marks), {model, CurveWeighting::None});
    }
};

// Standards on the line y = 0,1·x + 0,05 from 1 to 8, in duplicate.
Plate LinePlate()
{
    Plate p;
    p.Set("A1", " 0,150", "std 1");
    p.Set("A2", " 0,150", " STD 1");
    p.Set("B1", " 0,250", "std 2");
    p.Set("B2", " 0,260", "std 2");
    p.Set("C1", " 0,450", "std 4");
    p.Set("C2", " 0,440", "std 4");
    p.Set("D1", " 0,850", "std\xA0" "8");
    p.Set("D2", " 0,850", "std 8");
    return p;
}

const CurveWell& Well(const PlateCurveResult& result, const std::string& name)
{
    const WellPosition p = *ParseWellName(name);
    for (const CurveWell& well : result.wells)
        if (well.well == p)
            return well;
    static const CurveWell none;
    ADD_FAILURE() << "no well " << name;
    return none;
}

} // namespace

TEST(PlateCurve, RolesComeFromTheMarksAndWellsWithoutAReadingAreLeftOut)
{
    Plate p = LinePlate();
    p.Set("E1", " 0,300", " NEG ");
    p.Set("E2", " 0,700", "poz\xA0");
    p.Set("E3", " 0,500", " poni\xBF" "ej");
    p.Set("E4", " under", "std 3");
    p.Set("E5", " 0,400", "stdev");
    const PlateCurveInput plate = ReadPlateForCurve(p.measured, p.marks);
    ASSERT_EQ(plate.wells.size(), 12u); // 8 standards, 4 more with a reading
    EXPECT_TRUE(plate.problems.empty());
    ASSERT_EQ(plate.notes.size(), 1u);
    EXPECT_EQ(plate.notes[0], "Standard E4 nie ma odczytu liczbowego (\x84under\x94) i nie wchodzi do krzywej.");

    const PlateCurveResult result = QuantifyPlate(plate, {});
    EXPECT_EQ(Well(result, "E1").role, WellRole::NegativeControl);
    EXPECT_EQ(Well(result, "E2").role, WellRole::PositiveControl);
    EXPECT_EQ(Well(result, "E3").role, WellRole::Sample);
    EXPECT_EQ(Well(result, "E5").role, WellRole::Sample);
    EXPECT_EQ(Well(result, "D1").role, WellRole::Standard);
    EXPECT_DOUBLE_EQ(*Well(result, "D1").nominal, 8);
}

TEST(PlateCurve, EveryOtherWellIsReadOffAndStandardsAreBackCalculated)
{
    Plate p = LinePlate();
    p.Set("F1", " 0,350");             // 3
    p.Set("F2", " 0,100", " neg");     // below the standards' response
    p.Set("F3", " 0,900", "poz");      // above it
    p.Set("F4", " 0,15");              // the lowest standard's own response
    const PlateCurveResult result = p.Quantify(CurveModel::PointToPoint);
    ASSERT_TRUE(result.ok()) << result.fit.problem;
    EXPECT_DOUBLE_EQ(*Well(result, "F1").concentration, 3);
    EXPECT_FALSE(Well(result, "F2").concentration.has_value());
    EXPECT_EQ(Well(result, "F2").flag, RangeFlag::BelowRange);
    EXPECT_EQ(Well(result, "F3").flag, RangeFlag::AboveRange);
    EXPECT_DOUBLE_EQ(*Well(result, "F4").concentration, 1);
    // Standards: the curve runs through the means (0,255 at 2, 0,445 at 4),
    // so B2 at 0,260 lies a little above 2.
    EXPECT_NEAR(*Well(result, "B2").concentration, 2 + 2 * 0.005 / 0.19, 1e-12);
    EXPECT_NEAR(*Well(result, "B2").recovery, 100 * (2 + 2 * 0.005 / 0.19) / 2, 1e-9);
    EXPECT_EQ(Well(result, "B2").flag, RangeFlag::None);
}

TEST(PlateCurve, AStandardBeyondTheAsymptoteIsFlaggedNotGuessed)
{
    Plate p;
    // A 4PL that levels off at 2, pinned there by its top standards; one
    // replicate of 32 reads above the asymptote.
    const char* wells[] = {"A1", "B1", "C1", "D1", "E1", "F1", "G1", "H1", "A2"};
    const double xs[] = {1, 2, 4, 8, 16, 32, 64, 128, 256};
    for (int i = 0; i < 9; ++i) {
        const double y = 2 + (0.1 - 2) / (1 + std::pow(xs[i] / 6, 1.5));
        char text[32];
        std::snprintf(text, sizeof text, " %.6f", y);
        std::string reading = text;
        reading[reading.find('.')] = ',';
        p.Set(wells[i], reading, "std " + std::to_string(static_cast<int>(xs[i])));
    }
    p.Set("F2", " 2,500", "std 32");
    const PlateCurveResult result = p.Quantify(CurveModel::FourPL);
    ASSERT_TRUE(result.ok()) << result.fit.problem;
    ASSERT_LT(result.fit.curve->Response(1e9), 2.5);
    EXPECT_FALSE(Well(result, "F2").concentration.has_value());
    EXPECT_FALSE(Well(result, "F2").recovery.has_value());
    EXPECT_EQ(Well(result, "F2").flag, RangeFlag::AboveRange);
    EXPECT_TRUE(Well(result, "C1").recovery.has_value());
}

TEST(PlateCurve, StandardsFromTheCommandLineReplaceTheMarks)
{
    Plate p = LinePlate();
    p.Set("H12", " 0,500", "std 1,2,3"); // would stop the marks' curve
    const std::vector<StandardWell> given = {{{0, 0}, 1}, {{1, 0}, 2}, {{2, 0}, 4}, {{3, 0}, 8}};
    const PlateCurveInput plate = ReadPlateForCurve(p.measured, p.marks, given);
    EXPECT_TRUE(plate.problems.empty());
    const PlateCurveResult result = QuantifyPlate(plate, {CurveModel::Linear, CurveWeighting::None});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(Well(result, "A2").role, WellRole::Sample); // marked, but not given
    EXPECT_EQ(Well(result, "H12").role, WellRole::Sample);
    EXPECT_EQ(Well(result, "A1").role, WellRole::Standard);
}

TEST(PlateCurve, WhatIsMissingIsSaidPlainly)
{
    Plate empty;
    EXPECT_EQ(empty.Quantify().fit.problem,
              "P\xB3ytka nie ma \xBF\x61\x64nego odczytu liczbowego: nie ma czego odczyta\xE6 z krzywej.");

    Plate noStandards;
    noStandards.Set("A1", " 0,5");
    EXPECT_NE(noStandards.Quantify().fit.problem.find("Nie zaznaczono \xBF\x61\x64nego standardu"), std::string::npos);

    Plate unreadStandards;
    unreadStandards.Set("A1", " 0,5");
    unreadStandards.Set("A2", " over", "std 5");
    EXPECT_EQ(unreadStandards.Quantify().fit.problem, "\xAF\x61\x64\x65n zaznaczony standard nie ma odczytu liczbowego.");

    Plate badMark = LinePlate();
    badMark.Set("G7", " 0,5", " std 12,5 ng");
    const PlateCurveResult result = badMark.Quantify();
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.fit.problem, "Studzienka G7 \x84std 12,5 ng\x94: po \x84std\x94 ma sta\xE6 samo st\xEA\xBF\x65nie "
                                  "standardu, np. \x84std 12,5\x94 albo \x84std 0,5\x94.");
    EXPECT_EQ(result.wells.size(), 8u); // the table still shows the plate
}

TEST(CurveCsv, OneRowPerWellWithTheReadingAsMeasured)
{
    Plate p = LinePlate();
    p.Set("F1", " 0,350");
    p.Set("F2", " 0,1", " neg");
    p.Set("F3", " 9E-1", "poz");
    const PlateCurveResult result = p.Quantify(CurveModel::PointToPoint);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(CurveCsv(result),
              "studzienka,rola,wartosc,stezenie,uwaga\n"
              "A1,standard,0.150,1,nominalne 1; odzysk 100.0%\n"
              "A2,standard,0.150,1,nominalne 1; odzysk 100.0%\n"
              "B1,standard,0.250,1.952380952,nominalne 2; odzysk 97.6%\n"
              "B2,standard,0.260,2.052631579,nominalne 2; odzysk 102.6%\n"
              "C1,standard,0.450,4.049382716,nominalne 4; odzysk 101.2%\n"
              "C2,standard,0.440,3.947368421,nominalne 4; odzysk 98.7%\n"
              "D1,standard,0.850,8,nominalne 8; odzysk 100.0%\n"
              "D2,standard,0.850,8,nominalne 8; odzysk 100.0%\n"
              "F1,pr\xC3\xB3" "bka,0.350,3,\n"
              "F2,neg,0.1,,poni\xC5\xBC" "ej zakresu\n"
              "F3,poz,9E-1,,powy\xC5\xBC" "ej zakresu\n");
}

TEST(CurveCsv, TheSummaryNamesTheModelItsParametersAndRSquared)
{
    const PlateCurveResult result = LinePlate().Quantify(CurveModel::Linear);
    const std::string summary = CurveSummary(result, {CurveModel::Linear, CurveWeighting::None});
    EXPECT_EQ(summary.substr(0, summary.find("R\xC2\xB2")), "Model: liniowy, bez wag\nm = 0.09965217391\nk = 0.05130434783\n");
    EXPECT_NE(summary.find("\nStandardy: 8, st\xC4\x99\xC5\xBC" "enia od 1 do 8\n"), std::string::npos);

    Plate empty;
    EXPECT_EQ(CurveSummary(empty.Quantify(), {}),
              "P\xC5\x82ytka nie ma \xC5\xBC\x61\x64nego odczytu liczbowego: nie ma czego odczyta\xC4\x87 z krzywej.\n");
}
