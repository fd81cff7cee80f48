#include "core/dial/DialGeometry.h"
#include "core/dial/DialFace.h"
#include "core/dial/DialHands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <utility>

using namespace welkor::dial;

namespace {

// The plate page's dial: 105 x 113, ticks 15 %, hands from the centre.
const DialFrame kPlateDial = FrameFor(105, 113);

std::array<HandLayout, 3> PlateHands(float position)
{
    return LayoutHands(kPlateDial, 0.15, 0.0, position, 0x0080FF);
}

} // namespace

TEST(DialFrame, RadiusCentreAndSquareFollowTheControlsSize)
{
    EXPECT_EQ(kPlateDial.radius, 48);
    EXPECT_EQ(kPlateDial.centerX, 52);
    EXPECT_EQ(kPlateDial.centerY, 56);
    EXPECT_EQ(kPlateDial.squareOffsetX, 0);
    EXPECT_EQ(kPlateDial.squareOffsetY, 4);

    const DialFrame fresh = FrameFor(210, 210);
    EXPECT_EQ(fresh.radius, 101);
    EXPECT_EQ(fresh.centerX, 105);
    EXPECT_EQ(fresh.centerY, 105);
    EXPECT_EQ(fresh.squareOffsetX, 0);
    EXPECT_EQ(fresh.squareOffsetY, 0);

    const DialFrame wide = FrameFor(201, 100);
    EXPECT_EQ(wide.radius, 46);
    EXPECT_EQ(wide.squareOffsetX, 50);
    EXPECT_EQ(wide.squareOffsetY, 0);
}

TEST(DialHands, TenPastTenAndAHalfStandWhereTheyShould)
{
    const auto hands = PlateHands(36510); // 10:08:30
    EXPECT_EQ(hands[0].angle, 304);
    EXPECT_EQ(hands[1].angle, 3651);
    EXPECT_EQ(hands[2].angle, 219060);

    const Point centre { 52, 56 };
    EXPECT_EQ(hands[0].line, (Segment { { 27, 39 }, centre }));
    EXPECT_EQ(hands[1].line, (Segment { { 88, 27 }, centre }));
    EXPECT_EQ(hands[2].line, (Segment { { 52, 102 }, centre }));
    ASSERT_TRUE(hands[2].tail);
    EXPECT_EQ(hands[2].tailLine, (Segment { { 52, 42 }, centre }));
    EXPECT_FALSE(hands[0].tail);
    EXPECT_FALSE(hands[1].tail);

    EXPECT_EQ(hands[0].penWidth, 3);
    EXPECT_EQ(hands[1].penWidth, 2);
    EXPECT_EQ(hands[2].penWidth, 1);
    EXPECT_EQ(hands[2].tailPenWidth, 3);
    EXPECT_EQ(hands[0].capRadius, 3);
    EXPECT_EQ(hands[1].capRadius, 2);
    EXPECT_EQ(hands[2].capRadius, 2);
    for (const HandLayout& hand : hands)
        EXPECT_EQ(hand.capPenWidth, 3);
    EXPECT_TRUE(hands[0].capCombines);
    EXPECT_TRUE(hands[1].capCombines);
    EXPECT_FALSE(hands[2].capCombines);
}

TEST(DialHands, MidnightAndTheHoursPointTheRightWay)
{
    const auto midnight = PlateHands(0);
    EXPECT_EQ(midnight[0].line.from, (Point { 52, 26 }));
    EXPECT_EQ(midnight[1].line.from, (Point { 52, 10 }));
    EXPECT_EQ(midnight[2].line.from, (Point { 52, 10 }));

    const auto three = PlateHands(10800); // 03:00:00
    EXPECT_EQ(three[0].angle, 90);
    EXPECT_EQ(three[0].line.from, (Point { 82, 56 }));
    EXPECT_EQ(three[1].line.from, (Point { 52, 10 })); // 1080 degrees: whole turns
    EXPECT_EQ(three[2].angle, 64800);
    EXPECT_EQ(three[2].line.from, (Point { 52, 10 }));

    // One in the afternoon lies on one in the morning.
    const auto one = PlateHands(46800);
    EXPECT_EQ(one[0].angle, 390);
    EXPECT_EQ(one[0].line, PlateHands(3600)[0].line);

    const auto halfMinute = PlateHands(30);
    EXPECT_EQ(halfMinute[1].angle, 3);
    EXPECT_EQ(halfMinute[2].line.from, (Point { 52, 102 }));
}

TEST(DialHands, AnglesRoundHalvesToEven)
{
    EXPECT_EQ(PlateHands(180)[0].angle, 2); // 1.5
    EXPECT_EQ(PlateHands(540)[0].angle, 4); // 4.5
    EXPECT_EQ(PlateHands(15)[1].angle, 2); // 1.5
}

TEST(DialHands, UndrawablePositionsAreDrawnAtMidnight)
{
    const auto midnight = PlateHands(0);
    for (float bad : { -5.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
             -std::numeric_limits<float>::infinity() }) {
        EXPECT_EQ(SanitizedPosition(bad), 0.0f) << bad;
        const auto hands = PlateHands(bad);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(hands[i].angle, 0) << bad;
            EXPECT_EQ(hands[i].line, midnight[i].line) << bad;
        }
    }
    EXPECT_EQ(SanitizedPosition(86399.0f), 86399.0f);
}

TEST(DialHands, PositionsFarBeyondADayKeepDefinedAnglesOnTheDial)
{
    // 5000 days: the second hand's 2.592e9 degrees no longer fit 32 bits.
    const auto late = PlateHands(4.32e8f);
    EXPECT_EQ(late[2].angle, 2'592'000'000);
    EXPECT_EQ(late[2].line.from, (Point { 52, 10 }));

    const auto largest = PlateHands(std::numeric_limits<float>::max());
    for (const HandLayout& hand : largest) {
        EXPECT_GE(hand.angle, 0);
        for (const Point& p : { hand.line.from, hand.line.to }) {
            EXPECT_LE(std::abs(p.x - 52), 48);
            EXPECT_LE(std::abs(p.y - 56), 48);
        }
    }
}

TEST(DialHands, CentrumLeavesTheMiddleEmpty)
{
    const auto hands = LayoutHands(kPlateDial, 0.15, 0.25, 0, 0);
    // 48 - round(0.75 * 48) = 12 pixels from the centre, and the tail too.
    EXPECT_EQ(hands[0].line.to, (Point { 52, 44 }));
    EXPECT_EQ(hands[2].tailLine.to, (Point { 52, 68 }));
}

TEST(DialFace, PlateDialTicksNumbersAndTexts)
{
    FaceInputs inputs;
    inputs.width = 105;
    inputs.height = 113;
    inputs.alarmZone = false;
    const FaceLayout face = LayoutFace(inputs);

    EXPECT_EQ(face.discTopLeft, (Point { 4, 8 }));
    EXPECT_EQ(face.discBottomRight, (Point { 100, 104 }));
    EXPECT_EQ(face.textPointSize, 3);
    EXPECT_EQ(face.numberPointSize, 6);
    EXPECT_EQ(face.maker, (Point { 52, 37 }));
    EXPECT_EQ(face.units, (Point { 52, 42 }));
    EXPECT_EQ(face.title, (Point { 52, 82 }));
    EXPECT_TRUE(face.zone.empty());

    EXPECT_EQ(face.minuteTickPenWidth, 0);
    EXPECT_EQ(face.minuteTicks[0], (Segment { { 52, 10 }, { 52, 15 } })); // 45.6 to 40.8
    EXPECT_EQ(face.minuteTicks[15], (Segment { { 98, 56 }, { 93, 56 } }));
    EXPECT_EQ(face.hourTickPenWidth, 2);
    EXPECT_EQ(face.hourTicks[3], (Segment { { 98, 56 }, { 92, 56 } })); // 45.6 to 40.2
    EXPECT_EQ(face.numberCentres[3], (Point { 85, 56 })); // 33.4
    EXPECT_EQ(face.hourTicks[0], face.hourTicks[12]);
    EXPECT_EQ(face.numberCentres[6], (Point { 52, 89 }));

    // A changed LiniaGruba divides by 100: longer ticks, numbers further in.
    inputs.thickFraction = 0.18;
    const FaceLayout changed = LayoutFace(inputs);
    EXPECT_EQ(changed.hourTicks[3], (Segment { { 98, 56 }, { 91, 56 } }));
    EXPECT_EQ(changed.numberCentres[3], (Point { 84, 56 }));
}

TEST(DialFace, ZoneRunsOutAlongTheOuterArcAndBackAlongTheInner)
{
    const FaceLayout face = LayoutFace(FaceInputs {}); // 210 x 210, zone 30 to 31
    EXPECT_EQ(face.zonePenWidth, 3);
    ASSERT_EQ(face.zone.size(), 12u); // 135 to round(139.5) = 140 degrees
    const DialFrame& f = face.frame;
    EXPECT_EQ(face.zone[0], (Point { 37, 173 })); // 95.95 px at 135 degrees from three o'clock
    EXPECT_EQ(face.zone[11], (Point { 44, 166 })); // 85.85 px, same angle
    EXPECT_EQ(face.zone[5], ZonePointAt(140, 0.95L * 101, f));
    EXPECT_EQ(face.zone[6], ZonePointAt(140, 101 - 101 * 0.15L, f));
}

TEST(DialFace, ZoneBoundsThatCannotMakeAZone)
{
    const DialFrame f = FrameFor(210, 210);
    const auto one = ZoneOutline(f, 0.15, 30, 30);
    ASSERT_EQ(one.size(), 2u); // a radial line
    EXPECT_EQ(one[0], ZonePointAt(135, 0.95L * 101, f));
    EXPECT_EQ(one[1], ZonePointAt(135, 101 - 101 * 0.15L, f));

    EXPECT_TRUE(ZoneOutline(f, 0.15, 31, 30).empty()); // end before start

    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(ZoneOutline(f, 0.15, 30, inf).empty());
    EXPECT_TRUE(ZoneOutline(f, 0.15, -inf, 31).empty());
    EXPECT_TRUE(ZoneOutline(f, 0.15, nan, 31).empty());

    // Wider than a turn: one full turn, not gigabytes of points.
    EXPECT_EQ(ZoneOutline(f, 0.15, 0, std::numeric_limits<float>::max()).size(), 722u);
    EXPECT_EQ(ZoneOutline(f, 0.15, -std::numeric_limits<float>::max(), std::numeric_limits<float>::max()).size(), 722u);
    // Before the start of the turn: the same points as a turn later.
    EXPECT_EQ(ZoneOutline(f, 0.15, -10, -9), ZoneOutline(f, 0.15, 70, 71));
}

TEST(DialFace, HourNumbers)
{
    const char* const roman[] = { "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII" };
    for (int n = 1; n <= 12; ++n) {
        EXPECT_EQ(HourNumberText(n, true), roman[n - 1]);
        EXPECT_EQ(HourNumberText(n, false), std::to_string(n));
    }
    EXPECT_EQ(RomanNumeral(0), "");
    EXPECT_EQ(RomanNumeral(13), "");
}

TEST(DialCaps, EveryPixelOfACapBelongsToOnePartOnce)
{
    const Point centre { 52, 56 };
    const CapPixels hour = CapPixelsFor(centre, 3, 3);
    std::set<std::pair<int, int>> inside, outline;
    for (const Span& s : hour.inside)
        for (int x = s.x0; x <= s.x1; ++x)
            EXPECT_TRUE(inside.insert({ x, s.y }).second);
    for (const Span& s : hour.outline)
        for (int x = s.x0; x <= s.x1; ++x) {
            EXPECT_TRUE(outline.insert({ x, s.y }).second);
            EXPECT_FALSE(inside.count({ x, s.y }));
        }
    // Inside: the 3 x 3 pixels around the centre (within 1.5 px); the ring
    // reaches 4.5 px, so three pixels wide along the axes.
    EXPECT_EQ(inside.size(), 9u);
    EXPECT_TRUE(inside.count({ 52, 56 }));
    EXPECT_TRUE(outline.count({ 56, 56 }));
    EXPECT_FALSE(outline.count({ 57, 56 }));
    EXPECT_TRUE(outline.count({ 52, 52 }));
    EXPECT_FALSE(outline.count({ 52, 51 }));
    EXPECT_EQ(outline.size(), 69u - 9u); // the disc of 4.5 px holds 69 pixels

    const CapPixels small = CapPixelsFor(centre, 2, 3);
    ASSERT_EQ(small.inside.size(), 1u);
    EXPECT_EQ(small.inside[0], (Span { 56, 52, 52 }));

    // A pen wider than the cap leaves no inside; a zero pen is one pixel.
    EXPECT_TRUE(CapPixelsFor(centre, 1, 3).inside.empty());
    EXPECT_FALSE(CapPixelsFor(centre, 0, 0).outline.empty());
}

TEST(DialCaps, AtScaleTwoTheSameCirclesInFinerPixels)
{
    // Pixel (52, 56) covers device pixels 104-105 and 112-113: the cap's
    // middle is their common corner (105, 113). The inside reaches 1.5
    // pixels (3 device pixels) from it, the ring 4.5 pixels (9).
    const CapPixels hour = CapPixelsFor(Point { 52, 56 }, 3, 3, 2.0);
    std::multiset<std::pair<int, int>> inside, outline;
    for (const auto& [spans, pixels] : { std::pair { &hour.inside, &inside }, std::pair { &hour.outline, &outline } })
        for (const Span& s : *spans)
            for (int x = s.x0; x <= s.x1; ++x)
                pixels->insert({ x, s.y });
    for (int y = 100; y < 126; ++y)
        for (int x = 92; x < 118; ++x) {
            const double distance = std::hypot(x + 0.5 - 105, y + 0.5 - 113);
            EXPECT_EQ(inside.count({ x, y }) == 1, distance <= 3) << x << "," << y;
            EXPECT_EQ(outline.count({ x, y }) == 1, distance > 3 && distance <= 9) << x << "," << y;
        }
    EXPECT_EQ(inside.size() + outline.size(), 4u * 64u); // 64 middles in each quarter of the disc
}
