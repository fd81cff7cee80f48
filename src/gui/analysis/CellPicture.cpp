#include "gui/analysis/CellPicture.h"

#include <QPainter>

namespace welkor::gui {

QRgb CellPicture::pixel(int x, int y) const
{
    const int column = x / kPitchX;
    const int row = y / kPitchY;
    if (x < 0 || y < 0 || column >= kColumns || row >= kRows || x % kPitchX == kCellWidth || y % kPitchY == kCellHeight)
        return qRgb(255, 255, 255);
    return cell(column, row);
}

void CellPicture::fillCell(int column, int row, QRgb colour)
{
    if (column >= 0 && column < kColumns && row >= 0 && row < kRows)
        cells_[static_cast<std::size_t>(row * kColumns + column)] = colour;
}

void CellPicture::paint(QPainter& painter, const QPoint& origin) const
{
    painter.fillRect(QRect(origin, size()), Qt::white);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c)
            painter.fillRect(origin.x() + c * kPitchX, origin.y() + r * kPitchY, kCellWidth, kCellHeight,
                             QColor::fromRgb(cell(c, r)));
}

} // namespace welkor::gui
