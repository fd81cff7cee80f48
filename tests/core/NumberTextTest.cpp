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
