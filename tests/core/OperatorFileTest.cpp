#include "core/app/OperatorFile.h"

#include <gtest/gtest.h>

using welkor::OperatorNameFrom;

TEST(OperatorFile, NameFromTheSecondLineOrDefaultWithoutFile)
{
    EXPECT_EQ(OperatorNameFrom(std::nullopt), "Marvant");
    EXPECT_EQ(OperatorNameFrom(std::string("Operator:\r\nAnna Kowalska\r\n")), "Anna Kowalska");
    EXPECT_EQ(OperatorNameFrom(std::string("Operator:\nJan\nignored\n")), "Jan");
    EXPECT_EQ(OperatorNameFrom(std::string("Operator:\r\n\r\n")), "");
}

TEST(OperatorFile, WrongKeywordMissingNameOrEmptyFileGiveAnEmptyName)
{
    EXPECT_EQ(OperatorNameFrom(std::string("operator:\r\nJan\r\n")), "");
    EXPECT_EQ(OperatorNameFrom(std::string("Operator: \r\nJan\r\n")), "");
    EXPECT_EQ(OperatorNameFrom(std::string("Operator:")), "");
    EXPECT_EQ(OperatorNameFrom(std::string()), "");
}
