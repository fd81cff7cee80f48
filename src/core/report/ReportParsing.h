#pragma once

#include "core/report/ReportTypes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// Reading the report line list: the plate values, the stored analysis and the
// text shown to the user, plus the measured-results grid built from them.
namespace welkor {

inline constexpr std::string_view kAnalysisMarker = "Kon_Kom_Pap";
inline constexpr std::string_view kAnalysisHeading = "Analiza";
inline constexpr std::string_view kCommentHeading = "Komentarz";
inline constexpr std::size_t kFirstValueLine = 6;
inline constexpr std::size_t kLastValueLine = 17;
inline constexpr int kAnalysisCells = kGridRows * kGridColumns; // 117

// Value tokens of lines 6-17 into the table: the k-th token goes to row k % 8,
// column k / 8 (the lines hold plate columns). Entries that get no token keep
// their text; tokens past the 96th are ignored; missing lines add nothing.
void ParseValueLines(const ReportLines& lines, ValueTable& table);

// Index of the analysis block's marker line: the first "Kon_Kom_Pap" among
// lines 18 to count - 2, counted only when at least two lines follow it.
std::optional<std::size_t> FindAnalysisMarker(const ReportLines& lines);

// Without a block: sets freshMeasurement and leaves storedAnalysis alone.
// With one: clears freshMeasurement and fills storedAnalysis row by row, 13
// tokens a row, from the tokens of every line after the marker; tokens past
// the 117th are ignored.
void ParseAnalysisBlock(const ReportLines& lines, GridTexts& storedAnalysis, bool& freshMeasurement);

// Which lines belong to the analysis block: the marker, the empty line and
// "Analiza" right after it, and the lines whose tokens fill the stored
// analysis (up to its 117 cells). Lines without a tab are never counted in:
// they are the user's. One flag per line.
std::vector<bool> AnalysisBlockLines(const ReportLines& lines);

struct ReportText {
    // Lines 0-5, a heading line and one line per plate row A-H: always 15.
    ReportLines displayed;
    // "Komentarz", then lines 18 on, without the analysis block and without
    // any other marker line.
    ReportLines comment;
};

// The text for the report and comment memos. Callers pass a report of at least
// 18 lines (CheckReportContent); a shorter one is treated as if the missing
// lines were empty.
ReportText RebuildReportText(const ReportLines& lines, const ValueTable& table);

// Headings of the measured-results grid: "1".."12" in row 0, "A".."H" in
// column 0; the corner is not touched. The placeholder fill is a separate
// step: follow with FillPlaceholder(grid, table, 12, 8).
void WriteGridHeadings(GridTexts& grid);

// "0" (zero in general number format) into grid cells (1..columns, 1..rows)
// and the matching table entries. Counts beyond the plate are clamped.
void FillPlaceholder(GridTexts& grid, ValueTable& table, std::uint8_t columns, std::uint8_t rows);

// The table into the grid's data cells (row + 1, column + 1).
void ShowValuesInGrid(const ValueTable& table, GridTexts& grid);

} // namespace welkor
