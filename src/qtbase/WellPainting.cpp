#include "qtbase/WellPainting.h"

#include "qtbase/QtText.h"

void PaintWell(QPainter& painter, const QRectF& rect, std::uint32_t fill, std::uint32_t outline, int width)
{
    const qreal half = width / 2.0;
    painter.setPen(QPen(ToQColor(outline), width));
    painter.setBrush(ToQColor(fill));
    painter.drawEllipse(rect.adjusted(half, half, -half, -half));
}
