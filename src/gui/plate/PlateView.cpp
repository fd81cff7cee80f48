#include "gui/plate/PlateView.h"

#include "gui/widgets/CircleShape.h"

#include <QPaintEvent>
#include <QPainter>

PlateView::PlateView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(11 * kPitch + kWellSize, 7 * kPitch + kWellSize);
}

void PlateView::setWells(const std::array<welkor::ShapeLook, 96>& wells)
{
    if (wells == wells_)
        return;
    wells_ = wells;
    update();
}

QPoint PlateView::WellCentre(int row, int column)
{
    return QPoint(column * kPitch + kWellSize / 2, row * kPitch + kWellSize / 2);
}

void PlateView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 12; ++c) {
            const QRect rect(c * kPitch, r * kPitch, kWellSize, kWellSize);
            if (!event->rect().intersects(rect))
                continue;
            const welkor::ShapeLook& look = well(r, c);
            CircleShape::Paint(painter, rect, look.fill, look.outline, look.outlineWidth);
        }
    }
}
