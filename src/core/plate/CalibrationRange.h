#pragma once

#include "core/plate/PlateLooks.h"
#include "core/report/ReportTypes.h"

#include <string>

namespace welkor {

// Track-bar positions run from 0 to 5000; position p stands for p / 1000.
inline constexpr int kTrackBarMax = 5000;

// What the range step hands to the calibration group: the two track-bar
// positions (already clamped) and the two position labels ("C 11").
struct RangeFound {
    int lowerPosition;
    int upperPosition;
    std::string maxLabel;
    std::string minLabel;
};

// Finds the data's extremes, row-major, lower-casing each well text in place
// and skipping the state words and empty texts. On a tie the first well keeps
// the extreme; the first numeric well starts as both extremes, whatever its
// value. With no numeric well the labels are empty, anyNumeric is false
// and the positions of the extreme wells keep their old values.
// A text that is no number throws ConversionError; range then holds the
// extremes found so far.
RangeFound FindRange(ValueTable& table, RangeState& range);

// A recomputed range and the bound label that goes with it ("%4.4n").
struct BoundResult {
    double lowerOffset;
    double span;
    std::string label;
};

// The upper bound: the upper track bar's value, but never below the data maximum.
double UpperBound(int upperPosition, double dataMax);

// The lower track bar moved: the lower bound reaches at least down to the data
// minimum. Without data the lower bound is 0 and the bar is not looked at.
BoundResult ApplyLowerBound(bool dataPresent, int lowerPosition, int upperPosition, const RangeState& range);

// The upper track bar moved: lowerOffset stays, the span follows the upper bound.
BoundResult ApplyUpperBound(int upperPosition, const RangeState& range);

} // namespace welkor
