#include "core/report/WellState.h"

#include <gtest/gtest.h>

using welkor::HasNoReading;

TEST(WellState, EmptyAndTheThreeWordsInAnyCaseHaveNoReading)
{
    for (const char* text : {"", " blank", " BLANK", " Under", " over", " OvEr"})
        EXPECT_TRUE(HasNoReading(text)) << "'" << text << "'";
    for (const char* text : {" 0,125", "over", " over ", " ", " blanks", "0"})
        EXPECT_FALSE(HasNoReading(text)) << "'" << text << "'";
}
