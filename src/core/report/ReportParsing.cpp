#include "core/report/ReportParsing.h"

#include "core/report/RowLetter.h"
#include "core/report/ValueTokens.h"
#include "core/text/NumberText.h"

#include <algorithm>

namespace welkor {

namespace {

constexpr int kPlateCells = kPlateRows * kPlateColumns; // 96

const std::string& LineOrEmpty(const ReportLines& lines, std::size_t index)
{
    static const std::string empty;
    return index < lines.size() ? lines[index] : empty;
}

} // namespace

void ParseValueLines(const ReportLines& lines, ValueTable& table)
{
    int k = 0;
    const std::size_t end = std::min(lines.size(), kLastValueLine + 1);
    for (std::size_t i = kFirstValueLine; i < end; ++i) {
        ForEachValueToken(lines[i], [&](std::string_view token) {
            if (k < kPlateCells)
                table.at(k % kPlateRows, k / kPlateRows).assign(token);
            ++k;
        });
    }
}

std::optional<std::size_t> FindAnalysisMarker(const ReportLines& lines)
{
    const std::size_t count = lines.size();
    if (count < 2)
        return std::nullopt;
    // Lines 0-17 are the measurement itself: a marker there is damage, not
    // the start of a block.
    for (std::size_t i = kLastValueLine + 1; i + 2 <= count; ++i) {
        if (lines[i] == kAnalysisMarker) {
            // A marker on the second-to-last line has too little behind it.
            if (i + 3 <= count)
                return i;
            return std::nullopt;
        }
    }
    return std::nullopt;
}

void ParseAnalysisBlock(const ReportLines& lines, GridTexts& storedAnalysis, bool& freshMeasurement)
{
    freshMeasurement = false;
    const std::optional<std::size_t> marker = FindAnalysisMarker(lines);
    if (!marker) {
        freshMeasurement = true;
        return;
    }
    int k = 0;
    for (std::size_t i = *marker + 1; i < lines.size(); ++i) {
        ForEachValueToken(lines[i], [&](std::string_view token) {
            if (k < kAnalysisCells)
                storedAnalysis[static_cast<std::size_t>(k / kGridColumns)][static_cast<std::size_t>(k % kGridColumns)]
                    .assign(token);
            ++k;
        });
    }
}

std::vector<bool> AnalysisBlockLines(const ReportLines& lines)
{
    std::vector<bool> block(lines.size(), false);
    const std::optional<std::size_t> marker = FindAnalysisMarker(lines);
    if (!marker)
        return block;
    std::size_t i = *marker;
    block[i++] = true;
    if (i < lines.size() && lines[i].empty()) {
        block[i++] = true;
        if (i < lines.size() && lines[i] == kAnalysisHeading)
            block[i++] = true;
    }
    // The analysis lines are the lines whose tokens the stored analysis took;
    // a line without a tab gave none and is the user's.
    int tokens = 0;
    for (; i < lines.size() && tokens < kAnalysisCells; ++i) {
        int inLine = 0;
        ForEachValueToken(lines[i], [&](std::string_view) { ++inLine; });
        if (inLine > 0) {
            block[i] = true;
            tokens += inLine;
        }
    }
    return block;
}

ReportText RebuildReportText(const ReportLines& lines, const ValueTable& table)
{
    ReportText text;
    text.displayed.reserve(6 + 1 + kPlateRows);
    for (std::size_t i = 0; i < 6; ++i)
        text.displayed.push_back(LineOrEmpty(lines, i));

    std::string heading;
    for (int n = 1; n <= kPlateColumns; ++n) {
        heading += "\t     ";
        heading += std::to_string(n);
    }
    text.displayed.push_back(std::move(heading));

    for (int r = 0; r < kPlateRows; ++r) {
        std::string row;
        RowLetter(r, row);
        for (int c = 0; c < kPlateColumns; ++c) {
            row += '\t';
            row += table.at(r, c);
        }
        text.displayed.push_back(std::move(row));
    }

    // The comment memo holds the comment only: the analysis block is shown
    // by the edit grid, and a save writes it anew from there.
    text.comment.emplace_back(kCommentHeading);
    const std::vector<bool> block = AnalysisBlockLines(lines);
    for (std::size_t i = kLastValueLine + 1; i < lines.size(); ++i)
        if (!block[i] && lines[i] != kAnalysisMarker)
            text.comment.push_back(lines[i]);
    return text;
}

void WriteGridHeadings(GridTexts& grid)
{
    for (int r = 1; r <= kPlateRows; ++r)
        RowLetter(r - 1, grid[static_cast<std::size_t>(r)][0]);
    for (int c = 1; c <= kPlateColumns; ++c)
        grid[0][static_cast<std::size_t>(c)] = std::to_string(c);
}

void FillPlaceholder(GridTexts& grid, ValueTable& table, std::uint8_t columns, std::uint8_t rows)
{
    if (columns == 0)
        return;
    const int lastColumn = std::min<int>(columns, kPlateColumns);
    const int lastRow = std::min<int>(rows, kPlateRows);
    const std::string zero = FormatGeneral(0);
    for (int c = 1; c <= lastColumn; ++c) {
        for (int r = 1; r <= lastRow; ++r) {
            grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = zero;
            table.at(r - 1, c - 1) = zero;
        }
    }
}

void ShowValuesInGrid(const ValueTable& table, GridTexts& grid)
{
    for (int r = 0; r < kPlateRows; ++r)
        for (int c = 0; c < kPlateColumns; ++c)
            grid[static_cast<std::size_t>(r + 1)][static_cast<std::size_t>(c + 1)] = table.at(r, c);
}

} // namespace welkor
