#include "core/plate/TKonwersjaKoloru.h"

#include "core/text/NumberText.h"

#include <cmath>

namespace welkor {

void TKonwersjaKoloru::SetComponent(std::uint8_t value, std::uint8_t index)
{
    if (index > 2)
        return;
    FBuffer[index] = value;
    // The buffer is read back as one little-endian 32-bit value.
    FColor = static_cast<Colour>(FBuffer[0]) | static_cast<Colour>(FBuffer[1]) << 8 |
             static_cast<Colour>(FBuffer[2]) << 16 | static_cast<Colour>(FBuffer[3]) << 24;
}

void TKonwersjaKoloru::IndexToColor(std::int32_t index, bool glow)
{
    const auto b = static_cast<std::uint8_t>(static_cast<std::uint32_t>(index) & 0xFFu);
    const auto inverse = static_cast<std::uint8_t>(255 - b);
    if (!glow) {
        SetComponent(inverse, 0);
        SetComponent(255, 1);
        SetComponent(inverse, 2);
    } else if (index < 256) {
        SetComponent(b, 0);
        SetComponent(0, 1);
        SetComponent(0, 2);
    } else if (index < 512) {
        SetComponent(255, 0);
        SetComponent(b, 1);
        SetComponent(0, 2);
    } else {
        SetComponent(255, 0);
        SetComponent(255, 1);
        SetComponent(b, 2);
    }
}

void TKonwersjaKoloru::ValueToColor(bool glow, double span, double value)
{
    const std::int32_t n = glow ? kGlowSteps : kColourSteps;
    const long double ldSpan = span;
    const long double ldValue = value;
    const long double ldN = n;

    std::int64_t step = 0; // an empty range or a value that is no number sits at the bottom
    if (!std::isnan(value)) {
        // Both branches are value * N / span; the order keeps the bracketed
        // quotient first, as the scale was always worked out.
        if (ldSpan > ldN)
            step = RoundHalfEven(ldValue / (ldSpan / ldN));
        else if (ldSpan > 0)
            step = RoundHalfEven(ldValue * (ldN / ldSpan));
    }
    // A value outside the range would otherwise wrap round the scale.
    if (step < 0)
        step = 0;
    else if (step > n)
        step = n;
    IndexToColor(static_cast<std::int32_t>(step), glow);
}

} // namespace welkor
