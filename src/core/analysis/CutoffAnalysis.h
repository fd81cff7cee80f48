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

// The "Analizuj" command over the two grids' texts ([row][column], headings
// in row 0 and column 0, which are never touched).
//
// Every call rewrites typed marks "neg"/"poz" to " neg"/" poz" in the edit
// grid. While freshMeasurement is set it then takes three times the mean of
// the negative controls' measured values as the threshold, hands
// "Próg: <threshold>" to showStatus, writes " poniżej" into every sample well
// measured strictly below it and clears freshMeasurement.
//
// A measured text that is not a number throws ConversionError and leaves
// freshMeasurement set; whatever the finished wells changed stays changed.
void RunCutoffAnalysis(const GridTexts& measured, GridTexts& edit, bool& freshMeasurement, ControlCounts& counts,
                       const std::function<void(const std::string&)>& showStatus);

} // namespace welkor
