#pragma once

#include "ReportModel.h"
#include "Verdict.h"

#include "core/report/ReportTypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace welkor::fuzz {

// Report file bytes down the whole road: split, check, parse the values and
// the analysis block, rebuild the text, range, colour, analyse, save, reopen,
// save again.
std::string CheckReportFile(std::string_view bytes);

// The range step and both bound steps at the positions it sets and at the
// given ones, then the plate on both scales: every numeric well lies inside
// the range, the labels read back, larger values are never paler.
void CheckRangeAndPlate(ValueTable values, int lowerPosition, int upperPosition, Verdict& verdict);

// "Analizuj" on the grids: headings stay, a data cell changes only into a
// control mark or the below-threshold mark, and that only where a number
// was measured and the threshold step ran. A failure is an Error the window
// can show. The edit grid and the flag are changed as the analysis changes
// them.
void CheckAnalysis(const GridTexts& measured, GridTexts& edit, bool& freshMeasurement, Verdict& verdict);

// A save of the opened report with this comment memo and edit grid,
// reopened: exactly one marker, the same values and report text, the comment
// and the grid by the documented mapping, the stored analysis in the edit
// grid. With `again`, the reopened report is saved and reopened once more and
// gives the same again, and a third save is byte for byte the second. The
// edit grid takes the changes the save makes; the first saved bytes are
// returned.
enum class SaveChecks { Reopen, ReopenAndSaveAgain };
std::string CheckSaveRoundTrip(const OpenReport& report, const std::vector<std::string>& commentMemo, GridTexts& edit,
                               SaveChecks checks, Verdict& verdict);

} // namespace welkor::fuzz
