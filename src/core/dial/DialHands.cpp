#include "core/dial/DialHands.h"

#include <cmath>
#include <cstdlib>

namespace welkor::dial {

namespace {

    struct HandShape {
        long double capFactor;
        bool tail;
        Colour colour;
        double ticks; // position in minute ticks
        double tipShift;
        double tailShift;
        std::int32_t widthFactor;
    };

    HandLayout LayoutHand(const DialFrame& frame, double thinFraction, double centreFraction, const HandShape& shape)
    {
        const long double r = frame.radius;
        const long double thin = thinFraction;
        HandLayout hand;
        hand.angle = HandAngle(shape.ticks);
        hand.colour = shape.colour;
        hand.penWidth = RoundPixels(r / 40) * shape.widthFactor;

        const long double tip = r - (thin - shape.tipShift) * r;
        const long double tailEnd = r - (thin + shape.tailShift) * r;
        // The hands leave a circle of `Centrum` percent of the radius empty.
        const long double start
            = r - static_cast<long double>(RoundPixels((1 - static_cast<long double>(centreFraction)) * r));

        const Direction direction = DirectionAt(hand.angle);
        hand.line = Segment { Along(direction, tip, frame), Along(direction, start, frame) };
        hand.tail = shape.tail;
        if (shape.tail) {
            hand.tailPenWidth = RoundPixels(11 * r / 200) * shape.widthFactor;
            hand.tailLine = Segment { Along(direction, -tailEnd, frame), Along(direction, -start, frame) };
        }
        hand.capRadius = RoundPixels(shape.capFactor * r);
        hand.capPenWidth = RoundPixels(11 * r / 200);
        hand.capCombines = !shape.tail;
        return hand;
    }

    // The largest k >= 0 with 4 (k^2 + dy^2) <= bound, or -1 when there is none.
    std::int64_t RowHalfWidth(std::int64_t bound, std::int64_t dy)
    {
        const std::int64_t rest = bound - 4 * dy * dy;
        if (rest < 0)
            return -1;
        auto k = static_cast<std::int64_t>(std::sqrt(static_cast<long double>(rest) / 4));
        while (k > 0 && 4 * k * k > rest)
            --k;
        while (4 * (k + 1) * (k + 1) <= rest)
            ++k;
        return k;
    }

} // namespace

std::array<HandLayout, 3> LayoutHands(
    const DialFrame& frame, double thinFraction, double centreFraction, float position, Colour minuteColour)
{
    const float p = SanitizedPosition(position);
    // The quotients are kept as doubles before the hand turns them to degrees.
    const double hourTicks = static_cast<double>(p) / 720;
    const double minuteTicks = static_cast<double>(p) / 60;
    const double secondTicks = p;
    return {
        LayoutHand(
            frame, thinFraction, centreFraction, HandShape { 0.07L, false, kHourHandColour, hourTicks, -0.22, 0.77, 3 }),
        LayoutHand(
            frame, thinFraction, centreFraction, HandShape { 0.05L, false, minuteColour, minuteTicks, 0.11, 0.66, 2 }),
        LayoutHand(frame, thinFraction, centreFraction,
            HandShape { 0.04L, true, kSecondHandColour, secondTicks, 0.11, 0.55, 1 }),
    };
}

CapPixels CapPixelsFor(Point centre, std::int32_t capRadius, std::int32_t penWidth)
{
    // Distances are compared doubled, so half-pixel radii stay whole numbers.
    const std::int64_t twiceRadius = 2 * std::llabs(capRadius);
    const std::int64_t width = penWidth < 1 ? 1 : penWidth;
    const std::int64_t outerBound = (twiceRadius + width) * (twiceRadius + width);
    const std::int64_t innerTwice = twiceRadius - width;
    const std::int64_t reach = (twiceRadius + width) / 2;

    CapPixels cap;
    for (std::int64_t dy = -reach; dy <= reach; ++dy) {
        const std::int64_t outer = RowHalfWidth(outerBound, dy);
        if (outer < 0)
            continue;
        const std::int64_t inner = innerTwice >= 0 ? RowHalfWidth(innerTwice * innerTwice, dy) : -1;
        const auto y = static_cast<std::int32_t>(centre.y + dy);
        const auto x = [&](std::int64_t dx) { return static_cast<std::int32_t>(centre.x + dx); };
        if (inner < 0) {
            cap.outline.push_back(Span { y, x(-outer), x(outer) });
            continue;
        }
        cap.inside.push_back(Span { y, x(-inner), x(inner) });
        if (outer > inner) {
            cap.outline.push_back(Span { y, x(-outer), x(-inner - 1) });
            cap.outline.push_back(Span { y, x(inner + 1), x(outer) });
        }
    }
    return cap;
}

CapPixels CapPixelsFor(Point centre, std::int32_t capRadius, std::int32_t penWidth, double scale)
{
    if (!(scale > 0) || scale == 1)
        return CapPixelsFor(centre, capRadius, penWidth);
    // A device pixel belongs to a circle when its middle lies inside it.
    // Lengths are doubled, so the middles ((2X + 1) / 2) are whole numbers,
    // and exact in doubles for every whole scale.
    const double twiceRadius = 2.0 * std::llabs(static_cast<long long>(capRadius));
    const double width = penWidth < 1 ? 1 : penWidth;
    const double outerBound = (scale * (twiceRadius + width)) * (scale * (twiceRadius + width));
    const bool hasInside = twiceRadius - width >= 0;
    const double innerBound = (scale * (twiceRadius - width)) * (scale * (twiceRadius - width));
    const double middleX = scale * (2.0 * centre.x + 1);
    const double middleY = scale * (2.0 * centre.y + 1);

    // The device pixels n with (2n + 1 - middle)^2 <= bound, or none (first > last).
    struct Run {
        long long first, last;
    };
    auto run = [](double middle, double bound) {
        if (bound < 0)
            return Run { 1, 0 };
        const double reach = std::sqrt(bound);
        auto fits = [&](long long n) {
            const double d = 2.0 * static_cast<double>(n) + 1 - middle;
            return d * d <= bound;
        };
        auto first = static_cast<long long>(std::ceil((middle - 1 - reach) / 2));
        auto last = static_cast<long long>(std::floor((middle - 1 + reach) / 2));
        while (!fits(first) && first <= last)
            ++first;
        while (fits(first - 1))
            --first;
        while (!fits(last) && last >= first)
            --last;
        while (fits(last + 1))
            ++last;
        return Run { first, last };
    };

    CapPixels cap;
    const Run rows = run(middleY, outerBound);
    for (long long y = rows.first; y <= rows.last; ++y) {
        const double dy = 2.0 * static_cast<double>(y) + 1 - middleY;
        const Run outer = run(middleX, outerBound - dy * dy);
        const Run inner = hasInside ? run(middleX, innerBound - dy * dy) : Run { 1, 0 };
        const auto row = static_cast<std::int32_t>(y);
        const auto x = [](long long n) { return static_cast<std::int32_t>(n); };
        if (outer.first > outer.last)
            continue;
        if (inner.first > inner.last) {
            cap.outline.push_back(Span { row, x(outer.first), x(outer.last) });
            continue;
        }
        cap.inside.push_back(Span { row, x(inner.first), x(inner.last) });
        if (outer.first < inner.first)
            cap.outline.push_back(Span { row, x(outer.first), x(inner.first - 1) });
        if (outer.last > inner.last)
            cap.outline.push_back(Span { row, x(inner.last + 1), x(outer.last) });
    }
    return cap;
}

} // namespace welkor::dial
