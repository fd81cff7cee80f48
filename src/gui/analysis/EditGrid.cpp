#include "gui/analysis/EditGrid.h"

#include <QPainter>
#include <QPaintEvent>

namespace welkor::gui {

EditGrid::EditGrid(QWidget* parent) : StringGrid(0, parent) {}

void EditGrid::transferOverlay()
{
    overlayShown_ = true;
    viewport()->update();
}

void EditGrid::paintEvent(QPaintEvent* event)
{
    StringGrid::paintEvent(event);
    if (!overlayShown_ || !picture_)
        return;

    QPainter painter(viewport());
    const QPoint origin(-horizontalOffset(), -verticalOffset());
    picture_->paint(painter, origin);

    // The texts, where the grid writes its own, over the colours.
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    for (int c = 0; c < columnCount(); ++c) {
        for (int r = 0; r < rowCount(); ++r) {
            const QString text = cell(c, r);
            if (text.isEmpty())
                continue;
            const QRect box(origin.x() + c * kColumnPitch + 2, origin.y() + r * kRowPitch + 2, kColumnPitch - 3,
                            kRowPitch - 3);
            painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        }
    }

    // Selection as a tint and the current cell as a dotted frame.
    QColor tint = palette().color(QPalette::Highlight);
    tint.setAlpha(70);
    for (const QModelIndex& index : selectedIndexes())
        painter.fillRect(visualRect(index).adjusted(0, 0, -1, -1), tint);
    if (currentIndex().isValid() && hasFocus()) {
        QPen pen(palette().color(QPalette::Text), 1, Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(visualRect(currentIndex()).adjusted(0, 0, -2, -2));
    }
}

} // namespace welkor::gui
