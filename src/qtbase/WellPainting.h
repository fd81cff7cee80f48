#pragma once

#include <QPainter>
#include <QRect>

#include <cstdint>

// A filled circle with an outline of a given width in `rect`: a well, a
// legend mark. The outline lies inside the rectangle, so a well's thick
// border never spills onto its neighbours. Colours are 0x00BBGGRR.
void PaintWell(QPainter& painter, const QRectF& rect, std::uint32_t fill, std::uint32_t outline, int width);
