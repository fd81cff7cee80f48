#pragma once

#include "core/report/ReportTypes.h"

#include <cstdint>
#include <functional>
#include <string>

namespace welkor {

// How many control wells with a numeric reading the last threshold run found.
struct ControlCounts {
    std::int32_t negative = 0;
    std::int32_t positive = 0;
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
// or "poz" in any letter case and with any blanks around it is a mark. While
// freshMeasurement is set it then takes three times the mean of the negative
// controls' readings as the threshold, hands "Próg: <threshold>" to
// showStatus, writes " poniżej" into every sample well whose reading lies
// strictly below the threshold as shown, and clears freshMeasurement.
// Readings are summed, divided and compared as exact decimals, so a sample
// equal to the shown threshold is never marked.
//
// Without a negative control nothing is shown or marked and
// freshMeasurement stays set, so marks typed afterwards still count.
//
// A measured text that is not a number throws ConversionError and leaves
// freshMeasurement set; whatever the finished wells changed stays changed.
CutoffOutcome RunCutoffAnalysis(const GridTexts& measured, GridTexts& edit, bool& freshMeasurement,
                                ControlCounts& counts, const std::function<void(const std::string&)>& showStatus);

} // namespace welkor
