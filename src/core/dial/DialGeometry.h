#pragma once

#include <cstdint>

// The dial's frame and the one rule that places every point on it.
namespace welkor::dial {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// A line from one point to another, both whole pixels.
struct Segment {
    Point from;
    Point to;
    friend bool operator==(const Segment&, const Segment&) = default;
};

// Where the dial sits in a control of a given size. The radius leaves four
// pixels between the disc and the nearer edge; the square is the part of
// the control that holds the disc and that the hands can reach.
struct DialFrame {
    std::int32_t radius = 0;
    std::int32_t centerX = 0;
    std::int32_t centerY = 0;
    std::int32_t squareOffsetX = 0;
    std::int32_t squareOffsetY = 0;
};

DialFrame FrameFor(std::int32_t width, std::int32_t height);

// The direction of an angle in whole degrees clockwise from twelve o'clock,
// as cosine and sine on the screen (y grows downwards). Whole turns are
// taken off first, so afternoon angles (390 degrees at one o'clock) land
// exactly on the morning points.
struct Direction {
    long double c = 0;
    long double s = 0;
};

Direction DirectionAt(std::int64_t degrees);

// The point `r` pixels from the centre along a direction; a negative `r`
// reaches the opposite side.
Point Along(const Direction& direction, long double r, const DialFrame& frame);

// The point `r` pixels from the centre at `degrees` clockwise from twelve
// o'clock.
Point PointAt(std::int64_t degrees, long double r, const DialFrame& frame);

// The same for the coloured zone, whose zero lies at three o'clock.
Point ZonePointAt(std::int64_t degrees, long double r, const DialFrame& frame);

// A position fit to be drawn: seconds since midnight, negative or undefined
// ones (NaN, and also both infinities) become 0.
float SanitizedPosition(float position);

// A hand's angle in whole degrees for its position in minute ticks (60 to a
// turn), halves to even. Kept in 64 bits: the second hand of a position far
// beyond a day still gets a defined angle.
std::int64_t HandAngle(double ticks);

// Whole pixels from a real length, halves to even, kept within the range a
// drawing coordinate can take.
std::int32_t RoundPixels(long double value);

} // namespace welkor::dial
