#include "core/text/AsciiCase.h"
#include "core/text/Error.h"
#include "core/text/NumberText.h"

#include <gtest/gtest.h>

using namespace welkor;

TEST(StrToFloat, ReadsDecimalCommaWithBlanksAround)
{
    EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat(" 0,123")), 0.123);
    EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat("-1,5 ")), -1.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat("12")), 12.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat(",5")), 0.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat("1,5E-3")), 0.0015);
}

TEST(IsPlainDecimal, OnlyShortUnsignedDecimalsWhichTheReaderAlwaysTakes)
{
    for (const char* plain : {" 0,074", "12", ",5", "5,", "  123456789012345 ", "0,00000000000001"}) {
        long double value = -1;
        EXPECT_TRUE(IsPlainDecimal(plain)) << plain;
        EXPECT_TRUE(TryStrToFloat(plain, value)) << plain;
    }
    for (const char* other : {"", " ", ",", "-1,5", "+2", "1,2,3", "1E5", "1234567890123456", "0,1\t", "1 2", "over"})
        EXPECT_FALSE(IsPlainDecimal(other)) << other;
}

TEST(StrToFloat, RefusesWhatIsNotANumberWithTheUsersText)
{
    for (const char* bad : {"", " ", "abc", " 1,2x", "1,2,3", "--1", "1E", " over", "inf", "nan", "1e99999", "1.2.3"}) {
        try {
            StrToFloat(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("Warto\x9C\xE6 '") + bad + "' nie jest liczb\xB9.");
            EXPECT_EQ(e.text(), bad);
        }
    }
}

TEST(StrToFloat, ANumberWrittenWithAFullStopGetsTheDecimalCommaHint)
{
    try {
        StrToFloat(" -1.5E-3 ");
        ADD_FAILURE() << "accepted a full stop";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "Warto\x9C\xE6 ' -1.5E-3 ' nie jest liczb\xB9."
                               " Liczby zapisuje si\xEA z przecinkiem dziesi\xEAtnym: -1,5E-3 zamiast -1.5E-3.");
    }
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(127.5L), 128);
    EXPECT_EQ(RoundHalfEven(128.5L), 128);
    EXPECT_EQ(RoundHalfEven(-0.5L), 0);
    EXPECT_EQ(RoundHalfEven(-1.5L), -2);
    EXPECT_EQ(RoundHalfEven(2.4999L), 2);
    EXPECT_EQ(RoundHalfEven(1e30L), INT64_MAX);
}

TEST(FormatGeneral, FifteenSignificantDigitsWithComma)
{
    EXPECT_EQ(FormatGeneral(0), "0");
    EXPECT_EQ(FormatGeneral(0.3165L), "0,3165");
    EXPECT_EQ(FormatGeneral(-0.12345L), "-0,12345");
    EXPECT_EQ(FormatGeneral(12), "12");
    EXPECT_EQ(FormatGeneral(1.0L / 3), "0,333333333333333");
    EXPECT_EQ(FormatGeneral(0.00001L), "0,00001");
    EXPECT_EQ(FormatGeneral(0.0000015L), "1,5E-6");
    EXPECT_EQ(FormatGeneral(1e15L), "1E15");
    EXPECT_EQ(FormatGeneral(123456789012345.0L), "123456789012345");
}

TEST(FormatFixed4, FourDecimalsGroupedNoNegativeZero)
{
    EXPECT_EQ(FormatFixed4(0.077L), "0,0770");
    EXPECT_EQ(FormatFixed4(-0.25L), "-0,2500");
    EXPECT_EQ(FormatFixed4(-0.0L), "0,0000");
    EXPECT_EQ(FormatFixed4(7.5L), "7,5000");
    EXPECT_EQ(FormatFixed4(1234.5L), "1\xA0" "234,5000");
    EXPECT_EQ(FormatFixed4(-1234567.0L), "-1\xA0" "234\xA0" "567,0000");
}

// Past 15 integer digits a label shows what the value holds, as the general
// format writes it, never a cut or invented row of digits.
TEST(FormatFixed4, HugeValuesInTheGeneralFormat)
{
    EXPECT_EQ(FormatFixed4(999999999999999.0L), "999\xA0" "999\xA0" "999\xA0" "999\xA0" "999,0000");
    EXPECT_EQ(FormatFixed4(1e15L), "1E15");
    EXPECT_EQ(FormatFixed4(1e122L), "1E122");
    EXPECT_EQ(FormatFixed4(static_cast<double>(-2.5e200L)), "-2,5E200");
    EXPECT_EQ(FormatFixed4(1.7976931348623157e308L), "1,79769313486232E308");
}

TEST(AsciiLower, ChangesOnlyAsciiLetters)
{
    EXPECT_EQ(AsciiLower(" OVER"), " over");
    EXPECT_EQ(AsciiLower("Pr\xD3G"), "pr\xD3g"); // Ó (0xD3) stays
}

TEST(AsciiLower, CaseInsensitiveEqualityFoldsOnlyAscii)
{
    EXPECT_TRUE(EqualsIgnoringAsciiCase(" OVER", " over"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase(" over", " overs"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("\xD3", "\xF3")); // Ó and ó are not ASCII letters
    std::string text = "Pr\xD3G NEG";
    AsciiLowerInPlace(text);
    EXPECT_EQ(text, "pr\xD3g neg");
}
