#include "gui/widgets/CircleShape.h"

#include "qtbase/WellPainting.h"

#include <QPainter>

namespace welkor::gui {

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
    PaintWell(painter, rect, fill, outline, width);
}

void CircleShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Paint(painter, rect(), fill_, outline_, outlineWidth_);
}

} // namespace welkor::gui
