#include "core/report/RowLetter.h"
#include "core/report/ValueTokens.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

using namespace welkor;

namespace {

std::vector<std::string> Tokens(std::string_view line)
{
    std::vector<std::string> out;
    for (std::string_view token : ValueTokens(line))
        out.emplace_back(token);
    return out;
}

using Strings = std::vector<std::string>;

} // namespace

TEST(RowLetter, GivesAToIAndLeavesOtherIndexesAlone)
{
    const char* expected[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I"};
    for (int i = 0; i <= 8; ++i) {
        std::string out = "old";
        RowLetter(i, out);
        EXPECT_EQ(out, expected[i]) << i;
    }
    for (int bad : {9, -1, 26, 1000}) {
        std::string out = "old";
        RowLetter(bad, out);
        EXPECT_EQ(out, "old") << bad;
    }
}

TEST(ValueTokens, OneTokenPerTabFromTheLastBlank)
{
    EXPECT_EQ(Tokens(" 0,123\t 1,5\t over\t"), (Strings{" 0,123", " 1,5", " over"}));
    // Text before the last blank is not part of the token.
    EXPECT_EQ(Tokens("A  12,5 kU\t"), (Strings{" kU"}));
    EXPECT_EQ(Tokens("\t 0,1\t 0,2\t"), (Strings{"", " 0,1", " 0,2"}));
    // Text after the last tab belongs to no token.
    EXPECT_EQ(Tokens(" 1\t 2\t trailing"), (Strings{" 1", " 2"}));
}

TEST(ValueTokens, LineWithoutTabsHasNone)
{
    EXPECT_TRUE(ValueTokens("").empty());
    EXPECT_TRUE(ValueTokens("Transmisja zako\xF1" "czona powodzeniem.").empty());
}

TEST(ValueTokens, BlankRightBeforeTheTabIsASingleBlank)
{
    EXPECT_EQ(Tokens(" 0,5 \t"), (Strings{" "}));
    EXPECT_EQ(Tokens("      \t     1\t"), (Strings{" ", " 1"}));
}

TEST(ValueTokens, SecondOfTwoTabsInARowRunsFromTheBlankBeforeTheFirst)
{
    EXPECT_EQ(Tokens(" 0,1\t\t"), (Strings{" 0,1", " 0,1\t"}));
    EXPECT_EQ(Tokens("x 7\t\t\t 8\t"), (Strings{" 7", " 7\t", " 7\t\t", " 8"}));
}

TEST(ValueTokens, TabWithNoBlankBeforeItTakesTheTextSinceLineStartOrLastTab)
{
    EXPECT_EQ(Tokens("abc\t"), (Strings{"abc"}));
    EXPECT_EQ(Tokens("abc\tdef\t"), (Strings{"abc", "def"}));
    EXPECT_EQ(Tokens("\t\t"), (Strings{"", ""}));
    // Once a blank has been seen, the blank rule applies again.
    EXPECT_EQ(Tokens("ab\tc d\t"), (Strings{"ab", " d"}));
}

TEST(ValueTokens, TokensPointIntoTheLine)
{
    const std::string line = "L  1,25\t 3,5\t";
    const std::vector<std::string_view> tokens = ValueTokens(line);
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].data(), line.data() + 2);
    EXPECT_EQ(tokens[1].data(), line.data() + 8);
}
