#include "core/output/ExportDocument.h"

#include "core/report/ReportFile.h"
#include "core/report/ReportParsing.h"

namespace welkor {

namespace {

std::string GridRow(const GridTexts& grid, std::size_t row)
{
    std::string line;
    for (std::size_t c = 0; c < grid[row].size(); ++c) {
        if (c > 0)
            line += '\t';
        for (char ch : grid[row][c]) {
            const auto byte = static_cast<unsigned char>(ch);
            line += byte < 0x20 || byte == 0x7F ? ' ' : ch;
        }
    }
    return line;
}

void AppendGrid(ReportLines& lines, const GridTexts& grid)
{
    for (std::size_t r = 0; r < grid.size(); ++r)
        lines.push_back(GridRow(grid, r));
}

} // namespace

std::vector<FilterEntry> SplitFilter(std::string_view filter)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        const std::size_t bar = filter.find('|', start);
        const std::size_t end = bar == std::string_view::npos ? filter.size() : bar;
        parts.emplace_back(filter.substr(start, end - start));
        if (bar == std::string_view::npos)
            break;
        start = bar + 1;
    }
    std::vector<FilterEntry> entries;
    for (std::size_t i = 0; i < parts.size(); i += 2)
        entries.push_back({parts[i], i + 1 < parts.size() ? parts[i + 1] : std::string()});
    return entries;
}

std::string PatternExtension(std::string_view pattern)
{
    if (pattern.find(';') != std::string_view::npos)
        return {};
    if (!pattern.empty() && pattern.front() == '*')
        pattern.remove_prefix(1);
    if (!pattern.empty() && pattern.front() == '.')
        pattern.remove_prefix(1);
    if (pattern.find_first_of("*?.") != std::string_view::npos)
        return {};
    return std::string(pattern);
}

ReportLines BuildExportLines(const GridTexts& measuredGrid, const std::vector<std::string>& commentMemoLines,
                             const GridTexts& editGrid)
{
    ReportLines lines;
    lines.emplace_back();
    lines.emplace_back("Pomiar");
    AppendGrid(lines, measuredGrid);
    lines.emplace_back();
    lines.emplace_back(kCommentHeading);
    // An export is never read back: the comment goes out as typed, a line
    // that reads like the report file's marker included.
    for (std::string& line : CommentBodyLines(commentMemoLines))
        lines.push_back(std::move(line));
    lines.emplace_back();
    lines.emplace_back(kAnalysisHeading);
    AppendGrid(lines, editGrid);
    return lines;
}

std::string BuildExportDocument(const GridTexts& measuredGrid, const std::vector<std::string>& commentMemoLines,
                                const GridTexts& editGrid)
{
    return JoinReportLines(BuildExportLines(measuredGrid, commentMemoLines, editGrid));
}

} // namespace welkor
