#include "core/output/CopyRange.h"

#include <algorithm>

namespace welkor {

CellRange RangeBetween(int firstColumn, int firstRow, int secondColumn, int secondRow)
{
    const int c1 = std::clamp(firstColumn, 0, kGridColumns - 1);
    const int c2 = std::clamp(secondColumn, 0, kGridColumns - 1);
    const int r1 = std::clamp(firstRow, 0, kGridRows - 1);
    const int r2 = std::clamp(secondRow, 0, kGridRows - 1);
    return {std::min(c1, c2), std::min(r1, r2), std::max(c1, c2), std::max(r1, r2)};
}

std::string ClipboardText(const GridTexts& grid, const CellRange& range)
{
    // The range is clamped again: a caller's rectangle never reads past the grid.
    const CellRange r = RangeBetween(range.left, range.top, range.right, range.bottom);
    std::vector<std::vector<std::string>> rows;
    for (int row = r.top; row <= r.bottom; ++row) {
        std::vector<std::string>& cells = rows.emplace_back();
        for (int column = r.left; column <= r.right; ++column)
            cells.push_back(grid[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]);
    }
    return ClipboardRows(rows);
}

std::string ClipboardRows(const std::vector<std::vector<std::string>>& rows)
{
    std::string text;
    for (const std::vector<std::string>& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += '\t';
            text += row[i];
        }
        text += '\r';
    }
    return text;
}

} // namespace welkor
