#include "gui/widgets/CircleShape.h"

#include "gui/app/QtText.h"

#include <QPainter>

CircleShape::CircleShape(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CircleShape::setLook(std::uint32_t fill, std::uint32_t outline, int outlineWidth)
{
    if (fill == fill_ && outline == outline_ && outlineWidth == outlineWidth_)
        return;
    fill_ = fill;
    outline_ = outline;
    outlineWidth_ = outlineWidth;
    update();
}

void CircleShape::setFill(std::uint32_t fill) { setLook(fill, outline_, outlineWidth_); }

void CircleShape::Paint(QPainter& painter, const QRect& rect, std::uint32_t fill, std::uint32_t outline, int width)
{
    // The outline lies inside the shape's bounds, as a well's thick border
    // must not spill onto its neighbours.
    const qreal half = width / 2.0;
    const QRectF inner = QRectF(rect).adjusted(half, half, -half, -half);
    painter.setPen(QPen(ToQColor(outline), width));
    painter.setBrush(ToQColor(fill));
    painter.drawEllipse(inner);
}

void CircleShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Paint(painter, rect(), fill_, outline_, outlineWidth_);
}
