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

// A report is a few dozen lines of at most a few hundred characters. A line
// costs more than its characters wherever it is held (the line list, the
// comment, the memo's blocks and their layout), so a text of more lines, or
// of a longer line, is refused: within them any file up to the size limit
// is held in memory of a small multiple of its size.
inline constexpr std::size_t kMaxReportLines = 65536;
inline constexpr std::size_t kMaxReportLineBytes = 65536;

// Empty when the bytes of a report about to be saved can be opened again (by
// size and by shape), else why it is not written (code page 1250).
std::string SavedReportProblem(std::string_view bytes);

// Lines end at CR, LF or CR LF; a last line without an end is still a line; a
// NUL byte ends the text. Empty input gives no lines.
ReportLines SplitReportText(std::string_view bytes);

// What SplitReportText would give, without splitting: the number of lines
// and the longest line (its length and its index).
struct ReportTextShape {
    std::size_t lines = 0;
    std::size_t longestLine = 0;
    std::size_t longestLineIndex = 0;
};
ReportTextShape MeasureReportText(std::string_view bytes);

// Empty when a text of that shape may be a report, else the reason (code
// page 1250): more lines than kMaxReportLines or a line longer than
// kMaxReportLineBytes.
std::string ReportShapeProblem(const ReportTextShape& shape);

// Every line followed by CR LF, the last one included.
std::string JoinReportLines(const ReportLines& lines);

// Empty when the lines can be used as a report, otherwise the reason to show
// the user (code page 1250): a list shorter than 18 lines, or one of a shape
// no report has (ReportShapeProblem).
std::string CheckReportContent(const ReportLines& lines);


// The comment as the user typed it, taken from the comment memo, which holds
// the comment only. Its first line is dropped when it is the heading
// "Komentarz"; control characters other than TAB become blanks.
std::vector<std::string> CommentBodyLines(const std::vector<std::string>& commentMemoLines);

// The comment lines a report file holds: the comment as typed, except that a
// line that is exactly the marker gets a blank behind it, so the saved file
// keeps exactly one marker.
std::vector<std::string> UserCommentLines(const std::vector<std::string>& commentMemoLines);

// True when a memo line is exactly the marker (the save then changes it).
bool HasMarkerLine(const std::vector<std::string>& commentMemoLines);

// An edit-grid cell as an analysis line holds it: control characters become
// blanks and every blank but a leading one a no-break space, so the value
// token rule reads the whole text back.
std::string AnalysisCellText(std::string_view cell);

// The lines of a saved report: lines 0-17, the user's comment, the marker, an
// empty line, "Analiza" and nine analysis lines built from the edit grid.
// The file holds exactly one marker line: one among lines 0-17 (a damaged
// file) gets a blank behind it.
// Control characters in the edit grid become blanks, and data cells that do
// not begin with a blank get one in front (an empty cell becomes " "); these
// changes stay in editGrid. Throws Error
// when the report has fewer than 18 lines; editGrid is then untouched.
ReportLines BuildSavedReport(const ReportLines& report, const std::vector<std::string>& commentMemoLines,
                             GridTexts& editGrid);

} // namespace welkor
