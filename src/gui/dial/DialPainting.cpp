#include "gui/dial/DialPainting.h"

#include "gui/widgets/Fonts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QtMath>

#include <algorithm>

namespace welkor::gui {

QPoint ToQPoint(const dial::Point& p)
{
    return QPoint(p.x, p.y);
}

// Lines as the dial has always drawn them: a width of 0 or 1 is one pixel,
// wider lines have round ends, and both end points are covered. On a screen
// of high density (`ratio` device pixels to a pixel) a one-pixel line is
// still a pixel wide, drawn in the finer device pixels.
QPen LinePen(const QColor& colour, std::int32_t width, qreal ratio, Qt::PenCapStyle cap)
{
    QPen pen(colour, ratio == 1 ? std::max(width, 0) : std::max(width, 1));
    pen.setCapStyle(cap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// Faces named by the dial's font stand in where the designed face is not
// installed, found once (InstalledFamily).
QFont FaceFont(const QString& name, std::int32_t pointSize, bool bold)
{
    QFont font = FontOf({name, QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    font.setPointSize(std::max(pointSize, 1));
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// A text standing on `at`, centred on it horizontally, without a background.
void DrawTextOn(QPainter& painter, const QString& text, const QPoint& at)
{
    const QFontMetrics metrics = painter.fontMetrics();
    painter.drawText(at.x() - metrics.horizontalAdvance(text) / 2, at.y() - metrics.descent(), text);
}

// Pixels of a cap, combined with what is there (exclusive-or) or covering
// it. Written straight into the 32-bit image: a cap is a few dozen pixels,
// and a painter call per run would cost more than the runs themselves.
void PaintSpans(QImage& image, const QRect& clip, const std::vector<dial::Span>& spans, QRgb colour, bool combine)
{
    const QRect area = clip & QRect(QPoint(0, 0), image.size());
    const QRgb bits = colour & 0x00FFFFFFu;
    for (const dial::Span& s : spans) {
        if (s.y < area.top() || s.y > area.bottom())
            continue;
        const int x0 = std::max(s.x0, area.left());
        const int x1 = std::min(s.x1, area.right());
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(s.y));
        for (int x = x0; x <= x1; ++x)
            row[x] = combine ? row[x] ^ bits : (0xFF000000u | bits);
    }
}

// The device pixels of an area given in pixels.
QRect DeviceRect(const QRect& area, qreal ratio)
{
    if (ratio == 1)
        return area;
    const QPoint from(qFloor(area.left() * ratio), qFloor(area.top() * ratio));
    const QPoint to(qCeil((area.right() + 1) * ratio) - 1, qCeil((area.bottom() + 1) * ratio) - 1);
    return QRect(from, to);
}

// Lines and shapes go where they go on a screen of one device pixel to a
// pixel: there Qt draws a line through the point (x, y) into the pixel
// (x, y), around the pixel's middle; on a screen of high density it draws
// around the point itself, so the drawing moves by half a pixel.
void CentreOnPixels(QPainter& painter, qreal ratio)
{
    if (ratio != 1)
        painter.translate(0.5, 0.5);
}

} // namespace welkor::gui
