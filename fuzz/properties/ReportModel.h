#pragma once

#include "core/report/ReportParsing.h"
#include "core/report/ReportTypes.h"

#include <string>
#include <string_view>
#include <vector>

// The report road of the main window, built from core functions only: what a
// load leaves in the tables, memos and grids, and what a save writes.
namespace welkor::fuzz {

struct OpenReport {
    ReportLines lines;
    ValueTable values; // as parsed, before the range step lower-cases it
    GridTexts stored{};
    bool fresh = false;
    ReportText text;   // text.comment is the comment memo, heading included
    GridTexts measured{}; // the measured-results grid
    GridTexts edit{};     // the edit grid after the copy-in
};

// The load steps up to the copy-in, on lines that passed the report check.
OpenReport OpenLines(ReportLines lines);

// The bytes a save writes; the edit grid takes the changes the save makes.
std::string SavedBytes(const ReportLines& lines, const std::vector<std::string>& commentMemo, GridTexts& edit);

// What a reopened saved file gives back, by the documented mapping (lines
// 0-17 come back as they were, but a marker line with a blank behind it):
// - comment: the memo without its heading "Komentarz"; control characters
//   other than TAB become blanks; a line that is exactly the marker gets a
//   blank behind it;
// - edit-grid cell: control characters become blanks, a blank goes in front
//   unless there is one, and every later blank becomes a no-break space
//   (the value token rule reads a field from its last blank).
std::vector<std::string> ExpectedComment(const std::vector<std::string>& commentMemo);
std::string ExpectedCell(std::string_view cell);
GridTexts ExpectedGrid(const GridTexts& edit);

// The edit grid as a save leaves it on screen: control characters blanked,
// data cells (rows and columns 1 on) with a blank in front.
GridTexts GridAfterSave(const GridTexts& edit);

std::size_t MarkerLineCount(const ReportLines& lines);

} // namespace welkor::fuzz
