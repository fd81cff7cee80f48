#include "core/text/Cp1250.h"

#include <gtest/gtest.h>

using namespace welkor;

TEST(Cp1250, PolishLettersBothWays)
{
    const std::string bytes = "zako\xF1" "czona poni\xBF" "ej \xA3\xF3\xB3\xE6\xEA\xB9\x9C\x9F\xAF";
    const std::u16string text = u"zakończona poniżej ŁółćęąśźŻ";
    EXPECT_EQ(Cp1250ToUtf16(bytes), text);
    EXPECT_EQ(Utf16ToCp1250(text), bytes);
}

TEST(Cp1250, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(Utf16ToCp1250(Cp1250ToUtf16(all)), all);
}

TEST(Cp1250, CharactersTheCodePageLacksBecomeQuestionMarks)
{
    EXPECT_EQ(Utf16ToCp1250(u"a\u0416b"), "a?b");       // Cyrillic
    EXPECT_EQ(Utf16ToCp1250(u"x\U0001F600y"), "x?y");    // one character outside the BMP
    EXPECT_EQ(Utf16ToCp1250(std::u16string(1, u'\xD800')), "?"); // lone surrogate
    EXPECT_EQ(UnicodeToCp1250(U'\u00A0'), 0xA0);
    EXPECT_EQ(UnicodeToCp1250(U'\u00E0'), -1); // à is not in the Central European page
}
