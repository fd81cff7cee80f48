#pragma once

#include "core/dial/DialGeometry.h"
#include "core/plate/Colour.h"

#include <array>
#include <cstdint>
#include <vector>

// The three hands for one position: where each line runs, how wide it is,
// and the pixels of the round caps over the centre.
namespace welkor::dial {

inline constexpr Colour kHourHandColour = 0x00008000; // green
inline constexpr Colour kSecondHandColour = 0x00FF0000; // blue

struct HandLayout {
    std::int64_t angle = 0; // whole degrees from twelve o'clock, not reduced
    Colour colour = 0;
    std::int32_t penWidth = 0;
    Segment line; // tip to the inner start
    bool tail = false;
    std::int32_t tailPenWidth = 0;
    Segment tailLine; // tail end to the inner start, opposite the tip
    std::int32_t capRadius = 0;
    std::int32_t capPenWidth = 0;
    // The hour and minute caps combine with what lies under them, the second
    // hand's cap covers it.
    bool capCombines = true;
};

// Hour, minute and second hand, in the order they are drawn. The position is
// sanitized first (see SanitizedPosition).
std::array<HandLayout, 3> LayoutHands(
    const DialFrame& frame, double thinFraction, double centreFraction, float position, Colour minuteColour);

// A run of pixels on one row, both ends included.
struct Span {
    std::int32_t y = 0;
    std::int32_t x0 = 0;
    std::int32_t x1 = 0;
    friend bool operator==(const Span&, const Span&) = default;
};

// The pixels of a round cap around `centre`: its outline is a ring of the
// pen's width laid over the circle of `capRadius`, the inside is what the
// ring encloses. Every pixel belongs to one of the two at most once, so a cap
// combined with what is under it changes each pixel exactly once.
struct CapPixels {
    std::vector<Span> outline;
    std::vector<Span> inside;
};

CapPixels CapPixelsFor(Point centre, std::int32_t capRadius, std::int32_t penWidth);

// The same cap on a surface of `scale` device pixels to a pixel (a screen of
// high density): the same circles around the same centre, found among the
// finer pixels, whose coordinates the spans give. A scale of 1 gives the
// pixels above.
CapPixels CapPixelsFor(Point centre, std::int32_t capRadius, std::int32_t penWidth, double scale);

} // namespace welkor::dial
