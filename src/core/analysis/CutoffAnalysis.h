#pragma once

#include "core/report/ReportTypes.h"
#include "core/text/DecimalNumber.h"

#include <cstdint>
#include <functional>
#include <string>

namespace welkor {

// How many control wells with a numeric reading the last threshold run found,
// and the sum of the negative controls' readings (the threshold is three
// times their mean).
struct ControlCounts {
    std::int32_t negative = 0;
    std::int32_t positive = 0;
    DecimalNumber negativeSum;
};

// How a run of "Analizuj" ended.
enum class CutoffOutcome {
    MarksOnly,         // not a fresh measurement: only the typed marks were rewritten
    NoNegativeControl, // no negative control with a reading: no threshold, nothing marked
    Marked,            // threshold shown, samples below it marked
};

// The "Analizuj" command over the two grids' texts ([row][column], headings
// in row 0 and column 0, which are never touched).
//
// Every call rewrites control marks to " neg" / " poz": a cell reading "neg"
// or "poz" in any letter case and with any blanks around it is a mark, and a
// standard "std 12,5" (StandardMark) becomes " std 12,5". Standards are
// controls of their own: never marked, never counted as negatives. While
// freshMeasurement is set it then takes three times the mean of the negative
// controls' readings as the threshold, hands "Próg: <threshold>" to
// showStatus (cut to the panel's width), writes " poniżej" into every sample
// well whose reading lies strictly below the exact threshold, and clears
// freshMeasurement. Readings are summed and compared as exact decimals: a
// sample x is below when n·x < 3·sum, so neither binary rounding nor the
// panel's cut decides a well (0,6166 lies below 3 × mean = 0,61665, shown
// "0,6166").
//
// Without a negative control nothing is shown or marked and
// freshMeasurement stays set, so marks typed afterwards still count.
//
// A measured text that is not a number throws ConversionError and leaves
// freshMeasurement set; whatever the finished wells changed stays changed.
CutoffOutcome RunCutoffAnalysis(const GridTexts& measured, GridTexts& edit, bool& freshMeasurement,
                                ControlCounts& counts, const std::function<void(const std::string&)>& showStatus);

// The threshold of the last run exactly, for where the panel's cut hides
// digits: the decimal itself when it ends ("0,61665"), else the fraction and
// its value to 15 significant digits ("3 × 0,739 / 7 ≈ 0,316714285714286").
// Empty when the panel already shows every digit (or no threshold was
// formed).
std::string ExactThresholdText(const ControlCounts& counts);

} // namespace welkor
