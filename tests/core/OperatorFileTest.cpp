#include "core/app/OperatorFile.h"

#include <gtest/gtest.h>

using welkor::OperatorNameFrom;

TEST(OperatorFile, NameFromTheSecondLineOrDefaultWithoutFile)
{
    EXPECT_EQ(OperatorNameFrom(std::nullopt), "Marvant");
    EXPECT_EQ(OperatorNameFrom(std::string("Operator:\r\nAnna Kowalska\r\n")), "Anna Kowalska");
    EXPECT_EQ(OperatorNameFrom(std::string("Operator:\nJan\nignored\n")), "Jan");
    EXPECT_EQ(OperatorNameFrom(std::string("Operator:\r\n\r\n")), "");
    // What the dialog would refuse (controls, an unassigned byte) is a blank.
    EXPECT_EQ(OperatorNameFrom(std::string("Operator:\r\nJan\tK.\x01\x7F\x81Nowak\x0C\r\n")),
              "Jan K.   Nowak ");
}

TEST(OperatorFile, WrongKeywordMissingNameOrEmptyFileGiveAnEmptyName)
{
    EXPECT_EQ(OperatorNameFrom(std::string("operator:\r\nJan\r\n")), "");
    EXPECT_EQ(OperatorNameFrom(std::string("Operator: \r\nJan\r\n")), "");
    EXPECT_EQ(OperatorNameFrom(std::string("Operator:")), "");
    EXPECT_EQ(OperatorNameFrom(std::string()), "");
}

TEST(OperatorFile, IniBytesAreTwoCrLfLinesInCodePage1250)
{
    // "Ewa Zając": ą is 0xB9 in code page 1250.
    EXPECT_EQ(welkor::OperatorIniBytes("Ewa Zaj\xB9" "c"), std::string("Operator:\r\nEwa Zaj\xB9" "c\r\n"));
    EXPECT_EQ(welkor::OperatorIniBytes(""), "Operator:\r\n\r\n");
    EXPECT_EQ(OperatorNameFrom(welkor::OperatorIniBytes("Jan Nowak")), "Jan Nowak");
}

TEST(OperatorFile, NameTakesWhatTheCodePageHoldsAndNoControls)
{
    using welkor::OperatorNameAccepts;
    for (char32_t ok : {U'A', U' ', U'~', U'ą', U'Ż', U'€', U'„', U'\u00A0'})
        EXPECT_TRUE(OperatorNameAccepts(ok)) << static_cast<unsigned>(ok);
    // Line breaks and tabs would break the file; 0x81 is a byte the code
    // page leaves unassigned; the others are not in the code page at all.
    for (char32_t bad : {U'\r', U'\n', U'\t', U'\0', U'\x7F', U'\x81', U'à', U'я', U'😀'})
        EXPECT_FALSE(OperatorNameAccepts(bad)) << static_cast<unsigned>(bad);
}
