#include "core/plate/TKonwersjaKoloru.h"

#include <gtest/gtest.h>

#include <limits>

using namespace welkor;

namespace {

Colour StepColour(std::int32_t step, bool glow)
{
    TKonwersjaKoloru c;
    c.IndexToColor(step, glow);
    return c.Color();
}

Colour ValueColour(bool glow, double span, double value)
{
    TKonwersjaKoloru c;
    c.IndexToColor(300, true); // something neither scale end gives, so a silent no-op shows
    c.ValueToColor(glow, span, value);
    return c.Color();
}

} // namespace

TEST(ColourComponents, StartBlackAndWriteOneByteEach)
{
    TKonwersjaKoloru c;
    EXPECT_EQ(c.Color(), 0u);
    c.SetComponent(0x12, 0);
    EXPECT_EQ(c.Color(), 0x00000012u);
    c.SetComponent(0x34, 1);
    c.SetComponent(0x56, 2);
    EXPECT_EQ(c.Color(), 0x00563412u);
    c.SetComponent(0x78, 1);
    EXPECT_EQ(c.Color(), 0x00567812u);
}

TEST(ColourComponents, IndexAboveBlueIsIgnoredAndTopByteStaysZero)
{
    TKonwersjaKoloru c;
    c.SetComponent(0xAA, 2);
    for (std::uint8_t index : {std::uint8_t{3}, std::uint8_t{4}, std::uint8_t{255}})
        c.SetComponent(0xFF, index);
    EXPECT_EQ(c.Color(), 0x00AA0000u);
}

TEST(ColourScaleSteps, WhiteToPureGreenWrappingThroughTheLowByte)
{
    EXPECT_EQ(StepColour(0, false), 0x00FFFFFFu);
    EXPECT_EQ(StepColour(1, false), 0x00FEFFFEu);
    EXPECT_EQ(StepColour(128, false), 0x007FFF7Fu);
    EXPECT_EQ(StepColour(255, false), 0x0000FF00u);
    EXPECT_EQ(StepColour(256, false), 0x00FFFFFFu);
    EXPECT_EQ(StepColour(-1, false), 0x0000FF00u);
}

TEST(GlowScaleSteps, BlackRedYellowWhiteAtTheSegmentEdges)
{
    EXPECT_EQ(StepColour(0, true), 0x00000000u);
    EXPECT_EQ(StepColour(255, true), 0x000000FFu);
    EXPECT_EQ(StepColour(256, true), 0x000000FFu);
    EXPECT_EQ(StepColour(384, true), 0x000080FFu);
    EXPECT_EQ(StepColour(511, true), 0x0000FFFFu);
    EXPECT_EQ(StepColour(512, true), 0x0000FFFFu);
    EXPECT_EQ(StepColour(767, true), 0x00FFFFFFu);
}

TEST(GlowScaleSteps, SegmentsChosenOnTheWholeSignedStep)
{
    EXPECT_EQ(StepColour(-1, true), 0x000000FFu);  // first segment, low byte 255
    EXPECT_EQ(StepColour(768, true), 0x0000FFFFu); // third segment, low byte 0
    EXPECT_EQ(StepColour(1000, true), 0x00E8FFFFu);
    EXPECT_EQ(StepColour(std::numeric_limits<std::int32_t>::min(), true), 0x00000000u);
}

TEST(ValueToStep, RoundsHalvesToEvenInBothBranches)
{
    // span <= N: value * (N / span)
    EXPECT_EQ(ValueColour(false, 2.0, 1.0), 0x007FFF7Fu); // 127.5 -> 128
    EXPECT_EQ(ValueColour(true, 1.0, 0.5), 0x000080FFu);  // 383.5 -> 384
    // span > N: value / (span / N)
    EXPECT_EQ(ValueColour(false, 510.0, 255.0), StepColour(128, false)); // 127.5 -> 128
    EXPECT_EQ(ValueColour(false, 510.0, 257.0), StepColour(128, false)); // 128.5 -> 128
    EXPECT_EQ(ValueColour(false, 510.0, 259.0), StepColour(130, false)); // 129.5 -> 130
}

TEST(ValueToStep, SpanEqualToTheLastStepMapsValueStraightOn)
{
    EXPECT_EQ(ValueColour(false, 255.0, 100.0), StepColour(100, false));
    EXPECT_EQ(ValueColour(false, 255.0, 100.4), StepColour(100, false));
    EXPECT_EQ(ValueColour(true, 767.0, 300.0), 0x00002CFFu);
    EXPECT_EQ(ValueColour(true, 767.0, 766.6), StepColour(767, true));
}

TEST(ValueToStep, RangeEndsGiveTheScaleEnds)
{
    EXPECT_EQ(ValueColour(false, 1.85, 1.85), 0x0000FF00u);
    EXPECT_EQ(ValueColour(false, 1.85, 0.0), 0x00FFFFFFu);
    EXPECT_EQ(ValueColour(true, 1.85, 1.85), 0x00FFFFFFu);
    EXPECT_EQ(ValueColour(true, 1.85, 0.0), 0x00000000u);
}

TEST(ValueToStep, ValuesOutsideTheRangeTakeTheNearestEnd)
{
    EXPECT_EQ(ValueColour(false, 1.0, 1.5), 0x0000FF00u);  // step 383 would wrap to 127
    EXPECT_EQ(ValueColour(false, 1.0, -0.1), 0x00FFFFFFu); // step -26 would wrap to 230
    EXPECT_EQ(ValueColour(true, 1.0, 2.0), 0x00FFFFFFu);   // step 1534 would land on 254
    EXPECT_EQ(ValueColour(true, 1.0, -1.0), 0x00000000u);  // step -767 would land on 1
    EXPECT_EQ(ValueColour(false, 1000.0, 1e300), 0x0000FF00u);
    EXPECT_EQ(ValueColour(true, 0.001, -1e300), 0x00000000u);
    EXPECT_EQ(ValueColour(true, 1.0, std::numeric_limits<double>::infinity()), 0x00FFFFFFu);
}

TEST(ValueToStep, EmptyOrNegativeSpanAndNoNumberGiveTheBottomColour)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (bool glow : {false, true}) {
        const Colour bottom = glow ? 0x00000000u : 0x00FFFFFFu;
        EXPECT_EQ(ValueColour(glow, 0.0, 0.0), bottom);
        EXPECT_EQ(ValueColour(glow, 0.0, 5.0), bottom);
        EXPECT_EQ(ValueColour(glow, -1.0, 0.5), bottom);
        EXPECT_EQ(ValueColour(glow, -1000.0, -500.0), bottom);
        EXPECT_EQ(ValueColour(glow, nan, 1.0), bottom);
        EXPECT_EQ(ValueColour(glow, 1.0, nan), bottom);
    }
}

TEST(ValueToStep, LastResultReplacesTheEarlierOne)
{
    TKonwersjaKoloru c;
    c.ValueToColor(false, 1.0, 1.0);
    EXPECT_EQ(c.Color(), 0x0000FF00u);
    c.ValueToColor(true, 1.0, 1.0);
    EXPECT_EQ(c.Color(), 0x00FFFFFFu);
    c.ValueToColor(true, 1.0, 0.0);
    EXPECT_EQ(c.Color(), 0x00000000u);
}
