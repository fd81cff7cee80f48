#include "core/analysis/CutoffAnalysis.h"
#include "core/text/Error.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <string>
#include <vector>

using namespace welkor;

namespace {

const std::string kBelow = " poni\xBF" "ej";
const std::string kProg = "Pr\xF3g: ";

// The two grids as "Przenieś" leaves them: headings in row 0 and column 0,
// every well reading well above any threshold the tests build.
struct Plate {
    GridTexts measured;
    GridTexts edit;
    bool fresh = true;
    ControlCounts counts;
    CutoffOutcome outcome = CutoffOutcome::MarksOnly;
    std::vector<std::string> statuses;

    Plate()
    {
        for (int r = 0; r < kGridRows; ++r) {
            for (int c = 0; c < kGridColumns; ++c) {
                std::string text;
                if (r == 0 && c > 0)
                    text = std::to_string(c);
                else if (c == 0 && r > 0)
                    text = std::string(1, static_cast<char>('A' + r - 1));
                else if (r > 0)
                    text = " 9,000";
                measured[r][c] = text;
            }
        }
        edit = measured;
    }

    // A well measured `value` whose edit cell the user overtyped with `mark`.
    void Well(int row, int column, const std::string& value, const std::string& mark)
    {
        measured[row][column] = value;
        edit[row][column] = mark;
    }
    // A sample well: the edit cell holds the copied value.
    void Sample(int row, int column, const std::string& value) { Well(row, column, value, value); }

    void Run()
    {
        outcome = RunCutoffAnalysis(measured, edit, fresh, counts,
                                    [this](const std::string& s) { statuses.push_back(s); });
    }
};

std::string StatusFor(const std::vector<std::string>& negatives)
{
    Plate p;
    int column = 1;
    for (const std::string& value : negatives)
        p.Well(1, column++, value, "neg");
    p.Run();
    EXPECT_EQ(p.statuses.size(), 1u);
    return p.statuses.empty() ? std::string() : p.statuses.back();
}

} // namespace

TEST(CutoffThreshold, IsThreeTimesTheNegativeMeanCutNotRounded)
{
    EXPECT_EQ(StatusFor({" 0,100", " 0,111"}), kProg + "0,3165");
    EXPECT_EQ(StatusFor({" 0,100", " 0,1111"}), kProg + "0,3166");
    EXPECT_EQ(StatusFor({" 0,1", " 0,2", " 0,3"}), kProg + "0,6");
    EXPECT_EQ(StatusFor({" 0,5"}), kProg + "1,5");
    EXPECT_EQ(StatusFor({" 4115,2222"}), kProg + "12345"); // no comma left hanging
    // Rounded to 15 significant digits before the cut, as the general format does.
    EXPECT_EQ(StatusFor({" 3,333333333333333333"}), kProg + "10");
}

// A cut must never change what the number says: no exponent, integer digit
// or last significant digit is cut away.
TEST(CutoffThreshold, TinyAndHugeThresholdsReadTrue)
{
    EXPECT_EQ(StatusFor({" 4,115E-7"}), kProg + "1,2345E-6");
    EXPECT_EQ(StatusFor({" 0,00001"}), kProg + "3E-5");                 // not "0,0000"
    EXPECT_EQ(StatusFor({" 0,00004115"}), kProg + "1,2345E-4");         // not "0,0001"
    EXPECT_EQ(StatusFor({" -0,00001"}), kProg + "-3E-5");
    EXPECT_EQ(StatusFor({" 411522,2"}), kProg + "1,2345E6");            // not "123456"
    EXPECT_EQ(StatusFor({" 41152,2"}), kProg + "123456");
    EXPECT_EQ(StatusFor({" 4,1152222E20"}), kProg + "1,2345E21");       // not "1,2345"
    EXPECT_EQ(StatusFor({" 0,0004115"}), kProg + "0,0012");             // still two digits: the usual cut
}

TEST(CutoffThreshold, NegativeAndZeroThresholdsKeepRoomForTheSign)
{
    // Mean -0,04115 gives -0,12345, shown with seven characters.
    EXPECT_EQ(StatusFor({" -0,04115"}), kProg + "-0,1234");
    EXPECT_EQ(StatusFor({" -0,1", " -0,06"}), kProg + "-0,24");
    EXPECT_EQ(StatusFor({" 0,000", " 0"}), kProg + "0");
    EXPECT_EQ(StatusFor({" 0,25", " -0,25"}), kProg + "0");
}

TEST(CutoffMarks, SamplesStrictlyBelowTheThresholdAreMarked)
{
    Plate p;
    p.Well(1, 1, " 0,500", "neg");
    p.Well(1, 2, " 0,250", "neg"); // threshold 1,125, exact in binary
    p.Sample(2, 1, " 1,125");
    p.Sample(2, 2, " 1,1249");
    p.Sample(2, 3, " 1,1251");
    p.Sample(8, 12, " -3,0");
    p.Run();

    ASSERT_EQ(p.statuses, std::vector<std::string>{kProg + "1,125"});
    EXPECT_EQ(p.edit[2][1], " 1,125");
    EXPECT_EQ(p.edit[2][2], kBelow);
    EXPECT_EQ(p.edit[2][3], " 1,1251");
    EXPECT_EQ(p.edit[8][12], kBelow);
    EXPECT_EQ(p.edit[5][5], " 9,000");
    EXPECT_FALSE(p.fresh);
}

TEST(CutoffMarks, ControlsKeepTheirMarksWhateverTheirValues)
{
    Plate p;
    p.Well(1, 1, " 0,500", "neg");
    p.Well(1, 2, " 0,100", " NEG");
    p.Well(3, 4, " 0,001", "poz");
    p.Well(3, 5, " 0,001", " Poz");
    p.Run();

    EXPECT_EQ(p.edit[1][1], " neg");
    EXPECT_EQ(p.edit[1][2], " neg");
    EXPECT_EQ(p.edit[3][4], " poz");
    EXPECT_EQ(p.edit[3][5], " poz");
    EXPECT_EQ(p.counts.negative, 2);
    EXPECT_EQ(p.counts.positive, 2);
    EXPECT_EQ(p.statuses, std::vector<std::string>{kProg + "0,9"});
}

TEST(CutoffMarks, MarksAreReadInAnyCaseWithBlanksAroundAndWrittenBackPlain)
{
    Plate p;
    p.Well(1, 1, " 0,500", "NEG");
    p.Well(1, 2, " 0,500", "Neg");
    p.Well(1, 3, " 0,500", " neg ");
    p.Well(1, 4, " 0,500", "  nEg\t");
    p.Well(1, 5, " 0,100", "POZ");
    p.Well(1, 6, " 0,100", "poz  ");
    p.Well(1, 7, " 0,100", " poz\xA0"); // "poz " as a save writes it
    // Not marks: samples, below the threshold of 1,5.
    p.Well(2, 1, " 0,100", "negx");
    p.Well(2, 2, " 0,100", "n eg");
    p.Well(2, 3, " 0,100", "po");
    p.Run();

    EXPECT_EQ(p.counts.negative, 4);
    EXPECT_EQ(p.counts.positive, 3);
    EXPECT_EQ(p.statuses, std::vector<std::string>{kProg + "1,5"});
    for (int c = 1; c <= 4; ++c)
        EXPECT_EQ(p.edit[1][c], " neg") << c;
    EXPECT_EQ(p.edit[1][5], " poz");
    EXPECT_EQ(p.edit[1][6], " poz");
    EXPECT_EQ(p.edit[1][7], " poz");
    for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(p.edit[2][c], kBelow) << c;
}

TEST(CutoffMarks, TypedMarksAreRewrittenEvenWithoutAFreshMeasurement)
{
    Plate p;
    p.fresh = false;
    p.Well(1, 1, " 0,500", "neg");
    p.Well(1, 2, " 0,500", "poz");
    p.Sample(2, 2, " 0,001");
    const GridTexts measuredBefore = p.measured;
    p.Run();

    EXPECT_EQ(p.edit[1][1], " neg");
    EXPECT_EQ(p.edit[1][2], " poz");
    EXPECT_EQ(p.edit[2][2], " 0,001");
    EXPECT_TRUE(p.statuses.empty());
    EXPECT_FALSE(p.fresh);
    EXPECT_EQ(p.counts.negative, 0);
    EXPECT_EQ(p.measured, measuredBefore);
}

TEST(CutoffMarks, ASecondRunOnlyRewritesNewlyTypedMarks)
{
    Plate p;
    p.Well(1, 1, " 0,500", "neg");
    p.Sample(2, 1, " 0,100");
    p.Run();
    ASSERT_EQ(p.edit[2][1], kBelow);
    ASSERT_EQ(p.counts.negative, 1);

    p.edit[4][4] = "neg";
    p.edit[4][5] = "poz";
    p.Sample(6, 6, " 0,001");
    GridTexts expected = p.edit;
    expected[4][4] = " neg";
    expected[4][5] = " poz";
    p.Run();

    EXPECT_EQ(p.edit, expected);
    EXPECT_EQ(p.statuses.size(), 1u);
    EXPECT_EQ(p.counts.negative, 1);
    EXPECT_FALSE(p.fresh);
}

TEST(CutoffWells, StateWordsAndEmptyTextsTakeNoPart)
{
    Plate p;
    p.Well(1, 1, " 0,300", "neg");
    // Negative controls without a reading would drag the mean down to 0,1.
    p.Well(1, 2, " blank", "neg");
    p.Well(1, 3, " OVER", "neg");
    p.Well(1, 4, "", "neg");
    p.Well(1, 5, " Under", "poz");
    p.Well(1, 6, " under", " neg");
    // Samples without a reading are neither read nor marked.
    p.Sample(2, 1, " over");
    p.Sample(2, 2, " Blank");
    p.Sample(2, 3, "");
    p.Sample(2, 4, " UNDER");
    p.Run();

    EXPECT_EQ(p.statuses, std::vector<std::string>{kProg + "0,9"});
    EXPECT_EQ(p.counts.negative, 1);
    EXPECT_EQ(p.counts.positive, 0);
    EXPECT_EQ(p.edit[1][2], " neg");
    EXPECT_EQ(p.edit[1][5], " poz");
    EXPECT_EQ(p.edit[2][1], " over");
    EXPECT_EQ(p.edit[2][2], " Blank");
    EXPECT_EQ(p.edit[2][3], "");
    EXPECT_EQ(p.edit[2][4], " UNDER");
}

TEST(CutoffWells, NoUsableNegativeControlShowsAndMarksNothingAndStaysFresh)
{
    Plate p;
    p.Well(1, 1, " blank", "neg");
    p.Well(1, 2, "", "neg");
    p.Well(1, 3, " 0,001", "poz");
    p.Sample(2, 2, " 0,001");
    p.Sample(2, 3, " -5");
    p.counts.negative = p.counts.positive = 7;
    p.Run();

    EXPECT_TRUE(p.statuses.empty());
    EXPECT_EQ(p.edit[2][2], " 0,001");
    EXPECT_EQ(p.edit[2][3], " -5");
    EXPECT_EQ(p.counts.negative, 0);
    EXPECT_EQ(p.counts.positive, 1);
    EXPECT_EQ(p.outcome, CutoffOutcome::NoNegativeControl);
    // Nothing was analysed: a control typed now still counts on the next click.
    EXPECT_TRUE(p.fresh);
    p.edit[2][2] = "neg";
    p.Run();
    EXPECT_EQ(p.outcome, CutoffOutcome::Marked);
    EXPECT_EQ(p.statuses, std::vector<std::string>{kProg + "0,003"});
    EXPECT_EQ(p.edit[2][3], kBelow);
}

TEST(CutoffWells, HeadingsAreNeverTouched)
{
    Plate p;
    p.Well(1, 1, " 0,500", "neg");
    p.measured[0][0] = " 0,001";
    p.edit[0][0] = " 0,001";
    p.measured[0][3] = " 0,100";
    p.edit[0][3] = "neg";
    p.measured[4][0] = " 0,001";
    p.edit[4][0] = "poz";
    p.Run();

    EXPECT_EQ(p.edit[0][0], " 0,001");
    EXPECT_EQ(p.edit[0][3], "neg");
    EXPECT_EQ(p.edit[4][0], "poz");
    EXPECT_EQ(p.counts.negative, 1);
    EXPECT_EQ(p.counts.positive, 0);
    EXPECT_EQ(p.statuses, std::vector<std::string>{kProg + "1,5"});
}

TEST(CutoffFailure, ANonNumberAmongTheControlsStopsBeforeAnythingIsShown)
{
    Plate p;
    p.Well(1, 1, " 0,500", "neg");
    p.Well(3, 3, "x", "neg");
    p.Sample(2, 1, " 0,100");
    try {
        p.Run();
        FAIL() << "a control reading 'x' was accepted";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "Warto\x9C\xE6 'x' nie jest liczb\xB9.");
    }
    EXPECT_TRUE(p.statuses.empty());
    EXPECT_EQ(p.edit[2][1], " 0,100");
    EXPECT_EQ(p.edit[3][3], " neg"); // the mark was already normalised
    EXPECT_TRUE(p.fresh);

    // Mended, the next click runs the whole analysis.
    p.measured[3][3] = " 0,100";
    p.Run();
    EXPECT_EQ(p.statuses, std::vector<std::string>{kProg + "0,9"});
    EXPECT_EQ(p.edit[2][1], kBelow);
    EXPECT_FALSE(p.fresh);
}

TEST(CutoffFailure, ANonNumberAmongTheSamplesStopsMarkingAtThatWell)
{
    Plate p;
    p.Well(1, 1, " 0,500", "neg");
    p.Sample(2, 1, " 0,100");
    p.Sample(4, 6, "abc");
    p.Sample(4, 7, " 0,100");
    p.Sample(8, 1, " 0,100");
    try {
        p.Run();
        FAIL() << "a sample reading 'abc' was accepted";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "Warto\x9C\xE6 'abc' nie jest liczb\xB9.");
    }
    EXPECT_EQ(p.statuses, std::vector<std::string>{kProg + "1,5"});
    EXPECT_EQ(p.edit[2][1], kBelow);
    EXPECT_EQ(p.edit[4][6], "abc");
    EXPECT_EQ(p.edit[4][7], " 0,100");
    EXPECT_EQ(p.edit[8][1], " 0,100");
    EXPECT_TRUE(p.fresh);
}

TEST(CutoffCounts, CountControlsWithAReadingAndStartAfreshEachRun)
{
    Plate p;
    p.Well(1, 1, " 0,100", "neg");
    p.Well(1, 2, " 0,200", " Neg");
    p.Well(1, 3, " 0,300", "neg");
    p.Well(5, 1, " 2,000", "poz");
    p.Well(5, 2, " 2,000", " POZ");
    p.Well(5, 3, " over", "poz");
    p.Run();
    EXPECT_EQ(p.counts.negative, 3);
    EXPECT_EQ(p.counts.positive, 2);

    p.fresh = true;
    p.edit[1][2] = " 0,200";
    p.Run();
    EXPECT_EQ(p.counts.negative, 2);
    EXPECT_EQ(p.counts.positive, 2);
    EXPECT_EQ(p.statuses.back(), kProg + "0,6");
}

// Readings are decimal texts and the threshold is a decimal text: a sample
// that equals the threshold shown is not below it, whatever binary rounding
// would make of the two. Every pair of controls from 0,000 to 0,100 and
// 0,000 to 0,099, with the samples at, just below and just above the
// threshold, worked out in whole ten-thousandths.
TEST(CutoffProperty, ASampleEqualToTheShownThresholdIsNeverMarked)
{
    auto tenThousandths = [](long value, bool trimmed) {
        const long magnitude = value < 0 ? -value : value;
        char buf[32];
        std::snprintf(buf, sizeof buf, "%s%ld,%04ld", value < 0 ? "-" : "", magnitude / 10000, magnitude % 10000);
        std::string text = buf;
        if (trimmed) {
            while (text.back() == '0')
                text.pop_back();
            if (text.back() == ',')
                text.pop_back();
        }
        return text;
    };
    int pairs = 0;
    for (int a = 0; a <= 100; ++a) {
        for (int b = 0; b <= 99; ++b) {
            const long threshold = 15L * (a + b); // 3 x (a + b) / 2 thousandths
            char first[16], second[16];
            std::snprintf(first, sizeof first, " 0,%03d", a);
            std::snprintf(second, sizeof second, " 0,%03d", b);
            Plate p;
            p.Well(1, 1, first, "neg");
            p.Well(1, 2, second, "neg");
            p.Sample(2, 1, " " + tenThousandths(threshold, false));
            p.Sample(2, 2, " " + tenThousandths(threshold - 1, false));
            p.Sample(2, 3, " " + tenThousandths(threshold + 1, false));
            p.Run();
            ASSERT_EQ(p.statuses, std::vector<std::string>{kProg + tenThousandths(threshold, true)}) << first << second;
            ASSERT_NE(p.edit[2][1], kBelow) << first << second;
            ASSERT_EQ(p.edit[2][2], kBelow) << first << second;
            ASSERT_NE(p.edit[2][3], kBelow) << first << second;
            ++pairs;
        }
    }
    EXPECT_EQ(pairs, 10100);
}

// The panel shows the threshold cut to its width; the wells are judged
// against the exact three times the mean, and where the cut hides digits the
// exact threshold is given beside it.
TEST(CutoffMarks, SamplesAreJudgedAgainstTheExactThreshold)
{
    struct Case {
        std::vector<std::string> controls;
        std::string shown, exact, below, notBelow;
    } cases[] = {
        // 3 x mean = 0,61665: 0,6166 lies below it although the panel reads 0,6166.
        {{" 0,2000", " 0,2111"}, "0,6166", "0,61665", " 0,6166", " 0,61665"},
        // Seven controls summing to 0,739: 0,316714285714285714...
        {{" 0,100", " 0,100", " 0,100", " 0,100", " 0,100", " 0,100", " 0,139"}, "0,3167",
         "3 \xD7 0,739 / 7 = 0,316714285714286\x85", " 0,3167", " 0,31672"},
        // Mixed signs, the later control larger: the sum is negative.
        {{" 0,100", " -0,400"}, "-0,45", "", " -0,4501", " -0,45"},
        {{" -0,100", " 0,400"}, "0,45", "", " 0,4499", " 0,45"},
        // Nothing cut: no exact text.
        {{" 0,050", " 0,050"}, "0,15", "", " 0,149", " 0,150"},
    };
    for (const Case& c : cases) {
        Plate p;
        for (std::size_t i = 0; i < c.controls.size(); ++i)
            p.Well(1, static_cast<int>(i) + 1, c.controls[i], "neg");
        p.Sample(2, 1, c.below);
        p.Sample(2, 2, c.notBelow);
        p.Run();
        ASSERT_EQ(p.statuses, std::vector<std::string>{kProg + c.shown}) << c.shown;
        EXPECT_EQ(ExactThresholdText(p.counts), c.exact) << c.shown;
        EXPECT_EQ(p.edit[2][1], kBelow) << c.shown;
        EXPECT_EQ(p.edit[2][2], c.notBelow) << c.shown;
    }
}

