#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace welkor {

inline constexpr int kPlateRows = 8;     // A-H
inline constexpr int kPlateColumns = 12; // 1-12
inline constexpr int kGridRows = 9;      // heading row + A-H
inline constexpr int kGridColumns = 13;  // heading column + 1-12
inline constexpr std::size_t kMinReportLines = 18; // header, date, operator, 12 value lines

// The current report, one code page 1250 string per line.
using ReportLines = std::vector<std::string>;

// The 96 well texts, row-major (row 0 = A, column 0 = plate column 1).
struct ValueTable {
    std::array<std::string, kPlateRows * kPlateColumns> cells;

    std::string& at(int row, int column) { return cells[static_cast<std::size_t>(row * kPlateColumns + column)]; }
    const std::string& at(int row, int column) const
    {
        return cells[static_cast<std::size_t>(row * kPlateColumns + column)];
    }
};

// The texts of a 13 x 9 grid, indexed [row][column]; row 0 and column 0 are
// ordinary cells that hold the headings.
using GridTexts = std::array<std::array<std::string, kGridColumns>, kGridRows>;

} // namespace welkor
