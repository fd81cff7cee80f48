#pragma once

#include "core/plate/Colour.h"

#include <array>
#include <cstdint>

namespace welkor {

// Turns a value into a colour on one of the two plate scales: the colour
// scale (256 steps, white to pure green) or the glow scale (768 steps, black
// through red and yellow to white). It keeps only the last result.
class TKonwersjaKoloru {
public:
    TKonwersjaKoloru() = default;

    // The result of the last conversion; black after construction.
    Colour Color() const { return FColor; }

    // Writes one byte of the colour (0 red, 1 green, 2 blue) and reloads the
    // colour from the buffer. Any other index leaves both untouched, so the
    // unused top byte stays 0.
    void SetComponent(std::uint8_t value, std::uint8_t index);

    // A scale step to a colour. The varying component always takes the low
    // byte of the step; the glow segments are picked by signed comparison on
    // the whole step, so nothing is clamped here.
    void IndexToColor(std::int32_t index, bool glow);

    // A value on a range [0, span] to its step, then to a colour. Values
    // outside the range take the nearest end of the scale; a span of zero or
    // less, or a value that is not a number, gives the bottom colour.
    void ValueToColor(bool glow, double span, double value);

    static constexpr std::int32_t kColourSteps = 255; // last step of the colour scale
    static constexpr std::int32_t kGlowSteps = 767;   // last step of the glow scale

private:
    Colour FColor = 0;
    std::array<std::uint8_t, 4> FBuffer{}; // red, green, blue, always-zero top byte
};

} // namespace welkor
