#include "core/dial/DialFace.h"

#include "core/text/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace welkor::dial {

namespace {

    // One turn of the zone: its outer arc holds at most this many steps.
    constexpr std::uint64_t kFullTurn = 360;

} // namespace

std::vector<Point> ZoneOutline(const DialFrame& frame, double thinFraction, float zoneMin, float zoneMax)
{
    if (!std::isfinite(zoneMin) || !std::isfinite(zoneMax))
        return {};
    const std::int64_t start = RoundHalfEven(4.5L * zoneMin);
    const std::int64_t end = RoundHalfEven(4.5L * zoneMax);
    if (end < start)
        return {};
    // The difference of two 64-bit values fits in 64 unsigned bits.
    const std::uint64_t span = std::min(static_cast<std::uint64_t>(end) - static_cast<std::uint64_t>(start), kFullTurn);
    const std::size_t steps = static_cast<std::size_t>(span) + 1;

    const long double r = frame.radius;
    const long double inner = r - r * thinFraction;
    const long double outer = 0.95L * r;
    // Whole turns change no point, so the start is taken within one turn
    // before the steps are added.
    const std::int64_t first = start % 360;
    std::vector<Point> points(steps * 2);
    for (std::size_t i = 0; i < steps; ++i) {
        const std::int64_t a = first + static_cast<std::int64_t>(i);
        points[i] = ZonePointAt(a, outer, frame);
        points[points.size() - 1 - i] = ZonePointAt(a, inner, frame);
    }
    return points;
}

FaceLayout LayoutFace(const FaceInputs& inputs)
{
    FaceLayout face;
    face.frame = FrameFor(inputs.width, inputs.height);
    const DialFrame& f = face.frame;
    const std::int32_t radius = f.radius;
    const long double r = radius;

    face.discTopLeft = Point { f.centerX - radius, f.centerY - radius };
    face.discBottomRight = Point { f.centerX + radius, f.centerY + radius };

    face.textPointSize = RoundPixels(8 * r / 111);
    face.maker = Point { f.centerX, f.centerY - RoundPixels(0.4L * r) };
    face.units = Point { f.centerX, f.centerY - RoundPixels(0.3L * r) };
    face.title = Point { f.centerX, f.centerY + RoundPixels(0.55L * r) };

    if (inputs.alarmZone) {
        face.zonePenWidth = RoundPixels(r / 40);
        face.zone = ZoneOutline(f, inputs.thinFraction, inputs.alarmZoneMin, inputs.alarmZoneMax);
    }

    const long double outer = 0.95L * r;
    const long double minuteInner = r - r * inputs.thinFraction;
    face.minuteTickPenWidth = RoundPixels(r / 100);
    std::int64_t a = 0;
    for (Segment& tick : face.minuteTicks) {
        tick = Segment { PointAt(a, outer, f), PointAt(a, minuteInner, f) };
        a += 6;
    }

    // The hour passes go on from where the minute ticks left the angle: 360
    // degrees, twelve o'clock again.
    face.numberPointSize = RoundPixels(14 * r / 122);
    face.hourTickPenWidth = RoundPixels(10 * r / 200);
    const long double numberRadius = r - r * (2 * static_cast<long double>(inputs.thickFraction) - 0.02L);
    const long double hourInner = r - r * inputs.thickFraction;
    for (std::size_t i = 0; i < face.hourTicks.size(); ++i) {
        face.numberCentres[i] = PointAt(a, numberRadius, f);
        face.hourTicks[i] = Segment { PointAt(a, outer, f), PointAt(a, hourInner, f) };
        a += 30;
    }
    return face;
}

std::string RomanNumeral(int n)
{
    static const char* const kNumerals[] = { "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII" };
    if (n < 1 || n > 12)
        return {};
    return kNumerals[n - 1];
}

std::string HourNumberText(int n, bool roman)
{
    return roman ? RomanNumeral(n) : std::to_string(n);
}

} // namespace welkor::dial
