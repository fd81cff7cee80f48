#include "core/dial/DialGeometry.h"

#include "core/text/NumberText.h"

#include <algorithm>
#include <cmath>

namespace welkor::dial {

namespace {

    constexpr long double kPi = 3.141592653589793238462643383279502884L;
    // Twelve o'clock lies three quarters of a turn on from the x axis; the
    // constant is written to fourteen decimals, as the dial has always used it.
    constexpr double kThreeQuarterTurn = 4.71238898038469;

    // Far beyond any screen, yet safely inside 32 bits for the painter's sums.
    constexpr std::int64_t kCoordinateLimit = std::int64_t { 1 } << 30;

    std::int64_t WithinOneTurn(std::int64_t degrees)
    {
        const std::int64_t rest = degrees % 360;
        return rest < 0 ? rest + 360 : rest;
    }

    Direction DirectionOf(long double theta)
    {
        return Direction { std::cos(theta), std::sin(theta) };
    }

} // namespace

DialFrame FrameFor(std::int32_t width, std::int32_t height)
{
    DialFrame frame;
    frame.radius = std::min(width, height) / 2 - 4;
    frame.centerX = width / 2;
    frame.centerY = height / 2;
    if (height < width) {
        frame.squareOffsetX = (width - height) / 2;
        frame.squareOffsetY = 0;
    } else {
        frame.squareOffsetX = 0;
        frame.squareOffsetY = (height - width) / 2;
    }
    return frame;
}

Direction DirectionAt(std::int64_t degrees)
{
    return DirectionOf(static_cast<long double>(WithinOneTurn(degrees)) / 180 * kPi + kThreeQuarterTurn);
}

Point Along(const Direction& direction, long double r, const DialFrame& frame)
{
    return Point { RoundPixels(r * direction.c + frame.centerX), RoundPixels(r * direction.s + frame.centerY) };
}

Point PointAt(std::int64_t degrees, long double r, const DialFrame& frame)
{
    return Along(DirectionAt(degrees), r, frame);
}

Point ZonePointAt(std::int64_t degrees, long double r, const DialFrame& frame)
{
    return Along(DirectionOf(static_cast<long double>(WithinOneTurn(degrees)) / 180 * kPi), r, frame);
}

float SanitizedPosition(float position)
{
    return position >= 0 && std::isfinite(position) ? position : 0.0f;
}

std::int64_t HandAngle(double ticks)
{
    return RoundHalfEven(static_cast<long double>(ticks) * 6);
}

std::int32_t RoundPixels(long double value)
{
    return static_cast<std::int32_t>(std::clamp(RoundHalfEven(value), -kCoordinateLimit, kCoordinateLimit));
}

} // namespace welkor::dial
