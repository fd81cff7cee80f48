#pragma once

#include "core/report/ReportTypes.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The bytes of a .rap report file: code page 1250 text, CR LF after every line.
// No file is opened here; the caller reads and writes the bytes.
namespace welkor {

// Anything larger is not read at all: a report is a few kilobytes.
inline constexpr std::size_t kMaxReportFileBytes = std::size_t{16} * 1024 * 1024;

// Lines end at CR, LF or CR LF; a last line without an end is still a line; a
// NUL byte ends the text. Empty input gives no lines.
ReportLines SplitReportText(std::string_view bytes);

// Every line followed by CR LF, the last one included.
std::string JoinReportLines(const ReportLines& lines);

// Empty when the lines can be used as a report, otherwise the reason to show
// the user (code page 1250). Only a list shorter than 18 lines is refused.
std::string CheckReportContent(const ReportLines& lines);


// The comment lines to write, taken from the comment memo. The memo's first
// line is its heading and is dropped. When the report already holds an
// analysis block, the memo shows the old block (from its empty line on) after
// the user's comment; that part is cut off so the save does not write a stale
// copy: the cut is made at the last "" directly followed by "Analiza", or, if
// the user broke that pair, by dropping as many trailing lines as the old block
// showed (never reaching the heading).
std::vector<std::string> UserCommentLines(const ReportLines& report, const std::vector<std::string>& commentMemoLines);

// The lines of a saved report: lines 0-17, the user's comment, the marker, an
// empty line, "Analiza" and nine analysis lines built from the edit grid.
// Data cells of the edit grid that do not begin with a blank get one in front
// (an empty cell becomes " "); this change stays in editGrid. Throws Error
// when the report has fewer than 18 lines; editGrid is then untouched.
ReportLines BuildSavedReport(const ReportLines& report, const std::vector<std::string>& commentMemoLines,
                             GridTexts& editGrid);

} // namespace welkor
