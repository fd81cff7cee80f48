#pragma once

// Where the plate page places the wells and their labels, in the page's own
// pixels: 30-pixel wells on a 33-pixel pitch from (55, 55), the column
// numbers above them, the row letters to their left. The window's plate
// page and the plate picture of the command-line program both lay out from
// here.
namespace welkor {

struct PlacePoint {
    int x = 0;
    int y = 0;
};

struct PlateGeometry {
    static constexpr int kWellSize = 30;
    static constexpr int kPitch = 33;
    static constexpr int kWellsLeft = 55;
    static constexpr int kWellsTop = 55;
    static constexpr int kColumnLabelTop = 22; // the numbers 1-12
    static constexpr int kRowLabelLeft = 22;   // the letters A-H
    static constexpr int kLabelInset = 8;      // a label's offset into its well's column or row

    // The wells as one block (row A at the top, column 1 at the left).
    static constexpr int kWellsWidth = 11 * kPitch + kWellSize;
    static constexpr int kWellsHeight = 7 * kPitch + kWellSize;

    // Top-left corner of well (row 0-7, column 0-11) inside the wells' block.
    static constexpr PlacePoint WellInBlock(int row, int column) { return {column * kPitch, row * kPitch}; }
    // Top-left corner of a well on the page.
    static constexpr PlacePoint Well(int row, int column)
    {
        return {kWellsLeft + column * kPitch, kWellsTop + row * kPitch};
    }
    // Top-left corner of a column number (column 0-11) and of a row letter (row 0-7).
    static constexpr PlacePoint ColumnLabel(int column)
    {
        return {kWellsLeft + kLabelInset + column * kPitch, kColumnLabelTop};
    }
    static constexpr PlacePoint RowLabel(int row) { return {kRowLabelLeft, kWellsTop + kLabelInset + row * kPitch}; }
};

} // namespace welkor
