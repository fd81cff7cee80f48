#pragma once

#include "core/report/ReportTypes.h"

#include <string>
#include <vector>

// "Kopiuj" and "Kopiuj wszystko": a rectangle of grid cells as clipboard text.
namespace welkor {

// A rectangle of grid cells, corners included (column 0-12, row 0-8).
struct CellRange {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The rectangle between two corners given in any order; coordinates past the
// grid are taken as its last column or row.
CellRange RangeBetween(int firstColumn, int firstRow, int secondColumn, int secondRow);

// The cells of the range row by row: one TAB between neighbouring cells, one
// CR after every row, the last included, and no LF. Texts are taken as they
// stand, leading blanks included.
std::string ClipboardText(const GridTexts& grid, const CellRange& range);

// Rows of cells as clipboard text by the same rule: TAB between cells, CR
// after every row.
std::string ClipboardRows(const std::vector<std::vector<std::string>>& rows);

} // namespace welkor
