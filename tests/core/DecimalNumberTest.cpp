#include "core/text/DecimalNumber.h"

#include <gtest/gtest.h>

using namespace welkor;

namespace {

DecimalNumber D(const char* text)
{
    const std::optional<DecimalNumber> value = DecimalNumber::Parse(text);
    EXPECT_TRUE(value.has_value()) << text;
    return value.value_or(DecimalNumber());
}

} // namespace

TEST(DecimalNumber, EqualValuesCompareEqualHoweverWritten)
{
    EXPECT_EQ(Compare(D(" 0,150"), D("0,15")), 0);
    EXPECT_EQ(Compare(D("1,5E-1"), D("+0,15 ")), 0);
    EXPECT_EQ(Compare(D("-0"), D("0,000")), 0);
    EXPECT_EQ(Compare(D("150"), D("1,5e2")), 0);
    EXPECT_LT(Compare(D("-0,1"), D("0")), 0);
    EXPECT_LT(Compare(D("0"), D("0,0001")), 0);
    EXPECT_LT(Compare(D("9,99"), D("10")), 0);
    EXPECT_LT(Compare(D("-10"), D("-9,99")), 0);
    EXPECT_LT(Compare(D("0,1499999999999999999999"), D("0,15")), 0);
    EXPECT_EQ(D("0,0120").digits(), "12");
    EXPECT_EQ(D("0,0120").leadingExponent(), -2);
}

TEST(DecimalNumber, ReadsOnlyTheNumbersOfTheReportNotation)
{
    for (const char* bad : {"", "   ", ",", "-", "1,2,3", "1.5", "1e", "1E+", "abc", "0,1x", "1E99999", "1 2"})
        EXPECT_FALSE(DecimalNumber::Parse(bad).has_value()) << bad;
    EXPECT_TRUE(DecimalNumber::Parse(",5").has_value());
    EXPECT_TRUE(DecimalNumber::Parse("5,").has_value());
}

TEST(DecimalNumber, SumsAndQuotientsAreExact)
{
    EXPECT_EQ(Compare(D("1") + D("-0,001"), D("0,999")), 0);
    EXPECT_EQ(Compare(D("-1") + D("0,001"), D("-0,999")), 0);
    EXPECT_EQ(Compare(D("0,05") + D("0,05"), D("0,1")), 0);
    EXPECT_TRUE((D("0,25") + D("-0,25")).isZero());
    EXPECT_EQ(Compare(D("1E-400") + D("1E400"), D("1E400")), 1);
    EXPECT_EQ(Compare(D("0,3").times(3), D("0,9")), 0);
    EXPECT_EQ(Compare(D("2").dividedRounded(3, 3), D("0,667")), 0);
    EXPECT_EQ(Compare(D("-2").dividedRounded(3, 3), D("-0,667")), 0);
    // Exact halves go to the even neighbour; anything beyond a half goes up.
    EXPECT_EQ(Compare(D("2,5").dividedRounded(1, 1), D("2")), 0);
    EXPECT_EQ(Compare(D("3,5").dividedRounded(1, 1), D("4")), 0);
    EXPECT_EQ(Compare(D("2,5000001").dividedRounded(1, 1), D("3")), 0);
    EXPECT_EQ(Compare(D("9,995").dividedRounded(1, 3), D("10")), 0);
    EXPECT_EQ(Compare(D("0,3").dividedRounded(7, 15), D("0,0428571428571429")), 0);
}
