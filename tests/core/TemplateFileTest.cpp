#include "core/analysis/TemplateFile.h"

#include <gtest/gtest.h>

#include <string>

using namespace welkor;

namespace {

std::string Bytes(std::initializer_list<unsigned> values)
{
    std::string out;
    for (unsigned v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

// Every cell a different colour, so a value landing in the wrong cell shows.
CellColourArray DistinctColours()
{
    CellColourArray colours{};
    for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < kGridColumns; ++c)
            colours[r][c] = 0x11000000u * static_cast<Colour>(r % 4) + 0x00010000u * static_cast<Colour>(c) +
                            0x00000100u * static_cast<Colour>(r) + 0x7Au;
    return colours;
}

} // namespace

TEST(TemplateEncode, DefaultColoursGiveTheWindowColourBytes117Times)
{
    const std::string bytes = EncodeTemplate(DefaultCellColours());
    ASSERT_EQ(bytes.size(), kTemplateFileBytes);
    std::string expected;
    for (int k = 0; k < 117; ++k)
        expected += Bytes({0x05, 0x00, 0x00, 0xFF});
    EXPECT_EQ(bytes, expected);
}

TEST(TemplateEncode, ValuesLieColumnByColumnLittleEndian)
{
    CellColourArray colours = DefaultCellColours();
    colours[3][2] = kRed;
    colours[8][12] = 0x12345678u;
    colours[0][1] = 0u;
    const std::string bytes = EncodeTemplate(colours);

    EXPECT_EQ(bytes.substr(84, 4), Bytes({0xFF, 0x00, 0x00, 0x00}));
    EXPECT_EQ(bytes.substr(464, 4), Bytes({0x78, 0x56, 0x34, 0x12}));
    EXPECT_EQ(bytes.substr(36, 4), Bytes({0x00, 0x00, 0x00, 0x00}));
    // Neighbours in the same row or column are untouched.
    EXPECT_EQ(bytes.substr(80, 4), Bytes({0x05, 0x00, 0x00, 0xFF}));
    EXPECT_EQ(bytes.substr(88, 4), Bytes({0x05, 0x00, 0x00, 0xFF}));
    EXPECT_EQ(bytes.substr(4 * (9 * 3 + 3), 4), Bytes({0x05, 0x00, 0x00, 0xFF}));
}

TEST(TemplateDecode, ARoundTripRestoresEveryColour)
{
    const CellColourArray original = DistinctColours();
    CellColourArray loaded = DefaultCellColours();
    DecodeTemplate(EncodeTemplate(original), loaded);
    EXPECT_EQ(loaded, original);
}

TEST(TemplateDecode, AShortFileReplacesOnlyTheBytesItHolds)
{
    const CellColourArray before = DistinctColours();
    const std::string full = EncodeTemplate(DefaultCellColours());

    CellColourArray colours = before;
    DecodeTemplate(full.substr(0, 40), colours);
    CellColourArray expected = before;
    for (int r = 0; r < kGridRows; ++r)
        expected[r][0] = kSystemWindow;
    expected[0][1] = kSystemWindow;
    EXPECT_EQ(colours, expected);

    colours = before;
    DecodeTemplate(full.substr(0, 38), colours);
    expected[0][1] = (before[0][1] & 0xFFFF0000u) | 0x0005u;
    EXPECT_EQ(colours, expected);
    EXPECT_NE(colours[0][1], before[0][1]);
    EXPECT_NE(colours[0][1], kSystemWindow);

    colours = before;
    DecodeTemplate(std::string_view(), colours);
    EXPECT_EQ(colours, before);
}

TEST(TemplateDecode, BytesPastTheLastValueAreIgnored)
{
    const CellColourArray original = DistinctColours();
    std::string bytes = EncodeTemplate(original) + Bytes({0xAA, 0xBB, 0xCC, 0xDD, 0xEE});
    CellColourArray loaded = DefaultCellColours();
    DecodeTemplate(bytes, loaded);
    EXPECT_EQ(loaded, original);
}

TEST(TemplateColours, NormaliseTurnsOnlyBlackIntoTheWindowColour)
{
    CellColourArray colours = DistinctColours();
    colours[0][0] = kBlack;
    colours[4][7] = kBlack;
    colours[8][12] = kBlack;
    colours[2][2] = kWhite;
    colours[3][3] = 0xFF000000u; // system colour 0, not black
    CellColourArray expected = colours;
    expected[0][0] = kSystemWindow;
    expected[4][7] = kSystemWindow;
    expected[8][12] = kSystemWindow;

    NormaliseTemplateColours(colours);
    EXPECT_EQ(colours, expected);
}

TEST(TemplateColours, BlackSavedComesBackAsWindowColourAfterNormalising)
{
    CellColourArray painted = DistinctColours();
    painted[5][6] = kBlack;
    CellColourArray loaded = DefaultCellColours();
    DecodeTemplate(EncodeTemplate(painted), loaded);
    EXPECT_EQ(loaded[5][6], kBlack);
    NormaliseTemplateColours(loaded);
    CellColourArray expected = painted;
    expected[5][6] = kSystemWindow;
    EXPECT_EQ(loaded, expected);
}
