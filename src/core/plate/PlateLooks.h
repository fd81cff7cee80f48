#pragma once

#include "core/plate/Colour.h"

#include <cstdint>

namespace welkor {

// How one circle of the plate page looks: a well, a legend shape or the zero
// swatch. A new circle is white with a thin black outline.
struct ShapeLook {
    Colour fill = kWhite;
    Colour outline = kBlack;
    int outlineWidth = 1;

    bool operator==(const ShapeLook&) const = default;
};

// The calibration range and the extremes of the last range step.
struct RangeState {
    double span = 0;        // width of the range: lowerOffset + upper bound
    double lowerOffset = 0; // how far the lower bound lies below zero, never negative
    double dataMin = 0;     // 9999 when the last range step found no number
    double dataMax = 0;     // -9999 when the last range step found no number
    std::uint8_t maxRow = 0, maxCol = 0, minRow = 0, minCol = 0; // 1-based, 0 = none yet
    bool anyNumeric = false; // the last range step found at least one numeric well
};

} // namespace welkor
