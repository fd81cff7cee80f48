#pragma once

#include "gui/widgets/StringGrid.h"

#include <QRgb>
#include <QSize>

#include <array>

class QPainter;
class QPoint;

namespace welkor::gui {

// The template picture laid over the edit grid: 13 x 9 cells of 55 x 24
// pixels on a 56 x 25 pitch, each filled with one colour, the one-pixel seams
// to the right of and below every cell always white. Every drawing into it
// covers a whole cell with one colour, so it is kept as the 117 colours
// rather than as a bitmap.
class CellPicture {
public:
    static constexpr int kColumns = 13;
    static constexpr int kRows = 9;
    // The grid's pitch: a cell and the grid line to its right or below.
    static constexpr int kPitchX = StringGrid::kColumnPitch;
    static constexpr int kPitchY = StringGrid::kRowPitch;
    static constexpr int kCellWidth = kPitchX - 1;
    static constexpr int kCellHeight = kPitchY - 1;

    CellPicture() { cells_.fill(qRgb(255, 255, 255)); }

    QSize size() const { return QSize(kColumns * kPitchX, kRows * kPitchY); }

    // The colour of the picture's pixel (x, y): a cell's colour, or white on a seam.
    QRgb pixel(int x, int y) const;
    QRgb cell(int column, int row) const { return cells_[static_cast<std::size_t>(row * kColumns + column)]; }

    // Covers one cell with a colour; cells outside the picture are ignored.
    void fillCell(int column, int row, QRgb colour);

    // Paints the picture with its top-left corner at `origin`.
    void paint(QPainter& painter, const QPoint& origin) const;

private:
    std::array<QRgb, kColumns * kRows> cells_;
};

} // namespace welkor::gui
