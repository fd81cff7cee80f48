#include "core/plate/WellColouring.h"
#include "core/text/Error.h"

#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

using namespace welkor;

namespace {

constexpr ShapeLook kOldLook{0x00123456, 0x00654321, 7};

std::size_t Index(int row, int column) { return static_cast<std::size_t>(row * kPlateColumns + column); }

ValueTable Filled(const std::string& text)
{
    ValueTable table;
    table.cells.fill(text);
    return table;
}

struct Plate {
    std::array<ShapeLook, kWellCount> wells;
    ShapeLook zero = kOldLook;
    TKonwersjaKoloru converter;

    Plate() { wells.fill(kOldLook); }

    void Recolour(ValueTable& table, const RangeState& range, bool glow)
    {
        RecolourWells(table, range, glow, converter, wells, zero);
    }
    const ShapeLook& At(int row, int column) const { return wells[Index(row, column)]; }
};

RangeState Range(double lowerOffset, double span)
{
    RangeState range;
    range.lowerOffset = lowerOffset;
    range.span = span;
    range.anyNumeric = true; // as after a range step that found numbers
    return range;
}

const ShapeLook kWhiteThin{0x00FFFFFF, 0x00000000, 1};

} // namespace

namespace {

// WellNumber's quick path must never give a value other than StrToFloat's,
// or a well could miss the colour its value has on the range it set.
void ExpectReadsLikeStrToFloat(const std::string& text)
{
    long double expected = 0;
    if (!TryStrToFloat(text, expected)) {
        try {
            WellNumber(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.text(), text);
        }
        return;
    }
    const long double got = WellNumber(text);
    EXPECT_TRUE(got == expected && std::signbit(got) == std::signbit(expected))
        << "'" << text << "': " << static_cast<double>(got) << " vs " << static_cast<double>(expected);
}

} // namespace

TEST(WellNumber, ReadsEveryTextExactlyAsStrToFloat)
{
    for (const char* text :
         {"0", "-0", " 0,0000 ", "+1,5", "1,", ",5", "-,5", "0,1", "0,3", "1,85", "-0,300", "2,15",
          "9999999999999999999", "18446744073709551615", "99999999999999999999", "0,1234567890123456789",
          "0,12345678901234567890", "0,000000000000000000000000001", "0,0000000000000000000000000001",
          "1,5E-1", "1e3", "", " ", "-", ",", "+", "1,2,3", "+ 1", "\t1", "1 2", "0x10", " blank", "1,5e"})
        ExpectReadsLikeStrToFloat(text);

    std::mt19937 random(1250);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int k = 0; k < 20000; ++k) {
        std::string text(static_cast<std::size_t>(pick(3)), ' ');
        const int sign = pick(4);
        if (sign == 1)
            text += '-';
        else if (sign == 2)
            text += '+';
        for (int d = pick(14); d > 0; --d)
            text += static_cast<char>('0' + pick(10));
        if (pick(4) != 0) {
            text += ',';
            for (int d = pick(24); d > 0; --d)
                text += static_cast<char>('0' + pick(10));
        }
        if (pick(20) == 0)
            text += pick(2) ? "E-2" : "x";
        text.append(static_cast<std::size_t>(pick(3)), ' ');
        ExpectReadsLikeStrToFloat(text);
    }
}

TEST(RecolourWells, StartUpTableOfZerosIsAllWhiteWithThinBlackOutlines)
{
    ValueTable table = Filled("0");
    Plate plate;
    plate.Recolour(table, Range(0, 0.077), false);
    for (const ShapeLook& well : plate.wells)
        EXPECT_EQ(well, kWhiteThin);
    EXPECT_EQ(plate.zero.fill, 0x00FFFFFFu);
    EXPECT_EQ(plate.zero.outline, kOldLook.outline); // only the fill of the swatch is ours
}

TEST(RecolourWells, ExtremeWellsGetAThickOutlineOfTheScale)
{
    ValueTable table = Filled(" 0,5");
    RangeState range = Range(0, 1.0);
    range.maxRow = 3, range.maxCol = 11; // C 11
    range.minRow = 8, range.minCol = 1;  // H 1
    for (bool glow : {false, true}) {
        Plate plate;
        plate.Recolour(table, range, glow);
        const Colour thick = glow ? 0x00008000u : 0x000000FFu;
        for (int r = 0; r < kPlateRows; ++r) {
            for (int c = 0; c < kPlateColumns; ++c) {
                const bool extreme = (r == 2 && c == 10) || (r == 7 && c == 0);
                SCOPED_TRACE(testing::Message() << "glow " << glow << " well " << r << "," << c);
                EXPECT_EQ(plate.At(r, c).outlineWidth, extreme ? 4 : 1);
                EXPECT_EQ(plate.At(r, c).outline, extreme ? thick : 0x00000000u);
            }
        }
    }
}

TEST(RecolourWells, OneWellBothMaximumAndMinimumHasOneThickOutline)
{
    ValueTable table = Filled(" blank");
    table.at(4, 6) = " 0,25";
    RangeState range = Range(0, 0.25);
    range.maxRow = range.minRow = 5;
    range.maxCol = range.minCol = 7;
    Plate plate;
    plate.Recolour(table, range, false);
    int thick = 0;
    for (const ShapeLook& well : plate.wells)
        thick += well.outlineWidth == 4;
    EXPECT_EQ(thick, 1);
    EXPECT_EQ(plate.At(4, 6), (ShapeLook{0x0000FF00, 0x000000FF, 4}));
}

TEST(RecolourWells, StateWordsAnyCaseAreLowerCasedAndPainted)
{
    ValueTable table = Filled(" 0");
    table.at(0, 0) = " UNDER";
    table.at(0, 1) = " under";
    table.at(0, 2) = " Blank";
    table.at(0, 3) = " OVER";
    table.at(0, 4) = "";
    table.at(0, 5) = " 1,5E-1";
    for (bool glow : {false, true}) {
        ValueTable t = table;
        Plate plate;
        plate.Recolour(t, Range(0, 1.0), glow);
        EXPECT_EQ(plate.At(0, 0).fill, 0x00FF0000u);
        EXPECT_EQ(plate.At(0, 1).fill, 0x00FF0000u);
        EXPECT_EQ(plate.At(0, 2).fill, glow ? 0x00008000u : 0x00000000u);
        EXPECT_EQ(plate.At(0, 3).fill, 0x00808080u);
        EXPECT_EQ(plate.At(0, 4).fill, 0x00808080u);
        EXPECT_EQ(t.at(0, 0), " under");
        EXPECT_EQ(t.at(0, 2), " blank");
        EXPECT_EQ(t.at(0, 3), " over");
        EXPECT_EQ(t.at(0, 5), " 1,5e-1");
    }
}

TEST(RecolourWells, NoStateWordWithoutItsLeadingBlank)
{
    ValueTable table = Filled("0");
    table.at(2, 2) = "under";
    Plate plate;
    EXPECT_THROW(plate.Recolour(table, Range(0, 1.0), false), ConversionError);
}

TEST(RecolourWells, ValuesAreShiftedByTheLowerOffset)
{
    ValueTable table = Filled(" 0,75");
    table.at(0, 1) = "-0,25"; // the bottom of the range
    table.at(0, 2) = " 1,75"; // the top of the range
    Plate plate;
    plate.Recolour(table, Range(0.25, 2.0), false);
    EXPECT_EQ(plate.At(0, 0).fill, 0x007FFF7Fu); // (0.75 + 0.25) * 255 / 2 = 127.5 -> 128
    EXPECT_EQ(plate.At(0, 1).fill, 0x00FFFFFFu);
    EXPECT_EQ(plate.At(0, 2).fill, 0x0000FF00u);
}

TEST(RecolourWells, RangeEndsArePureGreenAndWhiteOrWhiteAndBlack)
{
    // Data -0.3 .. 1.85: lower bound -0.3, upper bound 1.85.
    ValueTable table = Filled(" 1,000");
    table.at(1, 0) = " 1,850";
    table.at(1, 1) = "-0,300";
    const RangeState range = Range(0.3, 0.3 + 1.85);
    Plate colour, glow;
    colour.Recolour(table, range, false);
    glow.Recolour(table, range, true);
    EXPECT_EQ(colour.At(1, 0).fill, 0x0000FF00u);
    EXPECT_EQ(colour.At(1, 1).fill, 0x00FFFFFFu);
    EXPECT_EQ(glow.At(1, 0).fill, 0x00FFFFFFu);
    EXPECT_EQ(glow.At(1, 1).fill, 0x00000000u);
    // The swatch shows the value 0: round(0.3 * 255 / 2.15) = 36.
    EXPECT_EQ(colour.zero.fill, 0x00DBFFDBu);
    // On the glow scale: round(0.3 * 767 / 2.15) = 107.
    EXPECT_EQ(glow.zero.fill, 0x0000006Bu);
}

TEST(RecolourWells, ZeroSwatchOnlyWhenTheRangeIsNotEmpty)
{
    for (double span : {0.0, -0.5}) {
        ValueTable table = Filled("0");
        Plate plate;
        plate.Recolour(table, Range(0, span), true);
        EXPECT_EQ(plate.zero, kOldLook);
        // Every value sits at the bottom of an empty range.
        for (const ShapeLook& well : plate.wells)
            EXPECT_EQ(well.fill, 0x00000000u);
    }
}

TEST(RecolourWells, StopsAtATextThatIsNoNumber)
{
    ValueTable table = Filled(" 0,5");
    table.at(1, 8) = " ABC";
    table.at(3, 3) = " OVER";
    RangeState range = Range(0, 1.0);
    range.maxRow = 2, range.maxCol = 9; // the failing well is marked
    Plate plate;
    try {
        plate.Recolour(table, range, false);
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "Warto\x9C\xE6 ' abc' nie jest liczb\xB9.");
    }
    const std::size_t failing = Index(1, 8);
    for (std::size_t i = 0; i < failing; ++i)
        EXPECT_EQ(plate.wells[i], (ShapeLook{0x007FFF7F, 0x00000000, 1})) << "well " << i;
    EXPECT_EQ(plate.wells[failing], (ShapeLook{kOldLook.fill, 0x000000FF, 4}));
    for (std::size_t i = failing + 1; i < plate.wells.size(); ++i)
        EXPECT_EQ(plate.wells[i], kOldLook) << "well " << i;
    EXPECT_EQ(plate.zero, kOldLook);
    EXPECT_EQ(table.at(1, 8), " abc");
    EXPECT_EQ(table.at(3, 3), " OVER"); // never reached
}

TEST(Legend, ColourScaleWithoutData)
{
    TKonwersjaKoloru converter;
    const ValueTable table = Filled("0");
    const LegendLooks legend = LegendFor(false, false, table, Range(0, 0.077), converter);
    EXPECT_EQ(legend.ponizej, (ShapeLook{0x00FF0000, 0x00000000, 1}));
    EXPECT_EQ(legend.pusta, (ShapeLook{0x00000000, 0x00000000, 1}));
    EXPECT_EQ(legend.ponad, (ShapeLook{0x00808080, 0x00000000, 1}));
    EXPECT_EQ(legend.maksymalna, (ShapeLook{0x00008000, 0x000000FF, 4}));
    EXPECT_EQ(legend.minimalna, (ShapeLook{0x00FFFFFF, 0x000000FF, 4}));
}

TEST(Legend, GlowScaleLooksTheSameWithOrWithoutData)
{
    ValueTable table = Filled(" 0,5");
    RangeState range = Range(0, 1.0);
    range.anyNumeric = true;
    range.maxRow = range.minRow = range.maxCol = range.minCol = 1;
    for (bool data : {false, true}) {
        TKonwersjaKoloru converter;
        const LegendLooks legend = LegendFor(true, data, table, range, converter);
        EXPECT_EQ(legend.ponizej, (ShapeLook{0x00FF0000, 0x00000000, 1}));
        EXPECT_EQ(legend.pusta, (ShapeLook{0x00008000, 0x00000000, 1}));
        EXPECT_EQ(legend.ponad, (ShapeLook{0x00808080, 0x00000000, 1}));
        EXPECT_EQ(legend.maksymalna, (ShapeLook{0x00FFFFFF, 0x00008000, 4}));
        EXPECT_EQ(legend.minimalna, (ShapeLook{0x00000000, 0x00008000, 4}));
    }
}

TEST(Legend, ColourScaleWithDataShowsTheExtremeValuesColours)
{
    ValueTable table = Filled(" 0");
    table.at(2, 10) = " 2,0"; // C 11: (2 + 1) * 255 / 4 = 191.25 -> 191
    table.at(5, 3) = "-0,5";  // F 4: (-0.5 + 1) * 255 / 4 = 31.875 -> 32
    RangeState range = Range(1.0, 4.0);
    range.anyNumeric = true;
    range.maxRow = 3, range.maxCol = 11;
    range.minRow = 6, range.minCol = 4;
    TKonwersjaKoloru converter;
    const LegendLooks legend = LegendFor(false, true, table, range, converter);
    EXPECT_EQ(legend.maksymalna, (ShapeLook{0x0040FF40, 0x000000FF, 4}));
    EXPECT_EQ(legend.minimalna, (ShapeLook{0x00DFFFDF, 0x000000FF, 4}));
    EXPECT_EQ(legend.pusta.fill, 0x00000000u);
}

TEST(Legend, ColourScaleWithDataButNoUsableExtremeKeepsTheNoDataFills)
{
    ValueTable table = Filled(" over");
    table.at(0, 0) = " 1,0";
    const ShapeLook noDataMax{0x00008000, 0x000000FF, 4};
    const ShapeLook noDataMin{0x00FFFFFF, 0x000000FF, 4};

    RangeState none = Range(0, 0); // the range step found no number
    none.anyNumeric = false;
    none.dataMin = 9999, none.dataMax = -9999;
    none.maxRow = none.maxCol = none.minRow = none.minCol = 1; // left from earlier data

    RangeState noPosition = Range(0, 1.0);
    noPosition.anyNumeric = true;

    RangeState wordAtPosition = Range(0, 1.0);
    wordAtPosition.anyNumeric = true;
    wordAtPosition.maxRow = wordAtPosition.minRow = 2;
    wordAtPosition.maxCol = wordAtPosition.minCol = 2;

    RangeState offThePlate = Range(0, 1.0);
    offThePlate.anyNumeric = true;
    offThePlate.maxRow = 9, offThePlate.maxCol = 1;
    offThePlate.minRow = 1, offThePlate.minCol = 13;

    for (const RangeState& range : {none, noPosition, wordAtPosition, offThePlate}) {
        TKonwersjaKoloru converter;
        const LegendLooks legend = LegendFor(false, true, table, range, converter);
        EXPECT_EQ(legend.maksymalna, noDataMax);
        EXPECT_EQ(legend.minimalna, noDataMin);
    }
}

TEST(PlateWellOutlines, PositionsLeftFromEarlierDataOutlineNoWellWhenNothingIsNumeric)
{
    TKonwersjaKoloru converter;
    ValueTable table;
    for (std::string& cell : table.cells)
        cell = " blank";
    RangeState range = Range(0, 0);
    range.anyNumeric = false;
    range.maxRow = range.maxCol = 2;
    range.minRow = range.minCol = 3;
    std::array<ShapeLook, 96> wells{};
    wells[13] = ShapeLook{kWhite, kRed, 4}; // B2 outlined by the earlier data
    ShapeLook zero;
    RecolourWells(table, range, false, converter, wells, zero);
    for (const ShapeLook& well : wells) {
        EXPECT_EQ(well.outlineWidth, 1);
        EXPECT_EQ(well.outline, kBlack);
    }
}
