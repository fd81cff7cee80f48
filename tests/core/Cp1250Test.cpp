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

// A report another program saved in UTF-8 is read as UTF-8; a code page 1250
// file (almost never valid UTF-8 beyond ASCII) and plain ASCII are left alone.
TEST(Cp1250, Utf8FilesAreReadAsUtf8AndOnlyThey)
{
    struct Case {
        const char* what;
        std::string bytes;
        bool utf8;
        std::string cp1250, unstorable;
    } cases[] = {
        {"Polish letters", "pr\xC3\xB3" "bka \xC4\x85\xC5\xBC", true, "pr\xF3" "bka \xB9\xBF", ""},
        {"byte-order mark on ASCII", "\xEF\xBB\xBFKol 1", true, "Kol 1", ""},
        {"letters the page lacks, each named once", "\xC3\x91" "a\xC3\x91\xE2\x9C\x93", true, "?a??", "\xC3\x91 \xE2\x9C\x93"},
        {"a C1 control is not an unassigned byte", "\xC2\x81\xC4\x85", true, "?\xB9", "\xC2\x81"},
        {"plain ASCII", "Kol 1\t 0,5\t", false, "", ""},
        {"code page 1250 text", "zako\xF1" "czona poni\xBF" "ej", false, "", ""},
        {"overlong form", "\xC0\xAF\xC4\x85", false, "", ""},
        {"encoded surrogate", "\xED\xA0\x80\xC4\x85", false, "", ""},
        {"cut sequence at the end", "\xC4\x85\xC4", false, "", ""},
        {"past U+10FFFF", "\xF4\x90\x80\x80", false, "", ""},
    };
    for (const Case& c : cases) {
        const std::optional<Utf8Text> read = ReadUtf8AsCp1250(c.bytes);
        ASSERT_EQ(read.has_value(), c.utf8) << c.what;
        if (!read)
            continue;
        EXPECT_EQ(read->cp1250, c.cp1250) << c.what;
        EXPECT_EQ(read->unstorable, c.unstorable) << c.what;
    }
}
