#include "gui/artwork/ToolbarIcons.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace welkor::gui {

namespace {

void DrawPage(QPainter& p, const QColor& fill)
{
    QPainterPath path;
    path.moveTo(4, 1);
    path.lineTo(10, 1);
    path.lineTo(13, 4);
    path.lineTo(13, 15);
    path.lineTo(4, 15);
    path.closeSubpath();
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(10, 1, 10, 4);
    p.drawLine(10, 4, 13, 4);
}

void DrawArrow(QPainter& p, QPointF from, QPointF to, const QColor& colour)
{
    p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, std::hypot(to.x() - from.x(), to.y() - from.y()));
    const QPointF n(-d.y(), d.x());
    QPolygonF head({to + d * 1.5, to - d * 3 + n * 3, to - d * 3 - n * 3});
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawPolygon(head);
}

void DrawToolIcon(QPainter& p, ToolIcon which)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    switch (which) {
    case ToolIcon::Fetch:
        DrawPage(p, Qt::white);
        DrawArrow(p, {8.5, 3}, {8.5, 11}, QColor(0, 120, 0));
        break;
    case ToolIcon::Open:
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(QRectF(1.5, 4.5, 13, 9));
        p.drawRect(QRectF(1.5, 2.5, 5, 2));
        break;
    case ToolIcon::Save:
        p.setBrush(QColor(60, 90, 170));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
        break;
    case ToolIcon::Export:
        DrawPage(p, Qt::white);
        DrawArrow(p, {3, 10}, {14, 10}, QColor(0, 90, 200));
        break;
    case ToolIcon::Transfer:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 6, 6));
        p.drawRect(QRectF(8.5, 8.5, 6, 6));
        DrawArrow(p, {5, 9}, {8.5, 12}, QColor(0, 120, 0));
        break;
    case ToolIcon::Analyse:
        p.setBrush(QColor(0, 160, 0));
        p.drawRect(QRectF(2.5, 9.5, 3, 5));
        p.setBrush(QColor(230, 160, 0));
        p.drawRect(QRectF(6.5, 5.5, 3, 9));
        p.setBrush(QColor(200, 40, 40));
        p.drawRect(QRectF(10.5, 2.5, 3, 12));
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawLine(QPointF(1, 7.5), QPointF(15, 7.5));
        break;
    case ToolIcon::Colour: {
        const QColor colours[] = {QColor(220, 40, 40), QColor(40, 160, 40), QColor(40, 80, 220), QColor(240, 200, 0)};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(colours[i]);
            p.drawEllipse(QRectF(1.5 + (i % 2) * 7, 1.5 + (i / 2) * 7, 6, 6));
        }
        break;
    }
    case ToolIcon::Print:
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.drawRect(QRectF(4.5, 10.5, 7, 5));
        break;
    case ToolIcon::Close:
        p.setPen(QPen(QColor(180, 30, 30), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    }
}

} // namespace

namespace {

// An icon drawn when it is first shown, at the size and device pixel ratio it
// is shown at (one, two or three device pixels to a pixel on the screens of
// today), rather than a small picture enlarged. A state other than the
// normal one (a disabled item) is the style's own rendering of the picture.
class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(ToolIcon which) : which_(which) {}

    QIconEngine* clone() const override { return new DrawnIconEngine(which_); }
    QString key() const override { return QStringLiteral("DrawnIconEngine"); }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size.boundedTo(kSize * 3); }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {kSize, kSize * 2, kSize * 3}; }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        const quint64 key = (quint64(size.width()) << 32) | (quint64(size.height()) << 8) | quint64(mode);
        if (const auto found = drawn_.constFind(key); found != drawn_.constEnd())
            return *found;
        return *drawn_.insert(key, Draw(size, mode));
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : qreal(1);
        QPixmap picture = pixmap(rect.size() * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, picture);
    }

private:
    QPixmap Draw(const QSize& size, QIcon::Mode mode) const
    {
        // The picture is designed on 16 x 16; `size` is in device pixels.
        const QSize drawn = size.boundedTo(kSize * 3);
        QPixmap picture(drawn);
        picture.fill(Qt::transparent);
        QPainter p(&picture);
        p.scale(drawn.width() / qreal(kSize.width()), drawn.height() / qreal(kSize.height()));
        DrawToolIcon(p, which_);
        p.end();
        if (mode == QIcon::Normal || !qobject_cast<QApplication*>(QCoreApplication::instance()))
            return picture;
        QStyleOption option;
        option.palette = QGuiApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }

    static constexpr QSize kSize{16, 16};
    ToolIcon which_;
    QHash<quint64, QPixmap> drawn_; // by size and mode
};

} // namespace

QIcon MakeToolIcon(ToolIcon which) { return QIcon(new DrawnIconEngine(which)); }

QPixmap MakeEmblem(const QSize& size, qreal ratio)
{
    QPixmap pixmap(QSize(qCeil(size.width() * ratio), qCeil(size.height() * ratio)));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(4, 4, -4, -4);
    p.setPen(QPen(QColor(0, 100, 0), 3));
    p.setBrush(QColor(230, 245, 230));
    p.drawRoundedRect(r, 10, 10);
    // A small 3 x 3 plate.
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(QColor(255 - 60 * (i + j), 255, 255 - 60 * (i + j)));
            const qreal d = r.width() / 4;
            p.drawEllipse(QPointF(r.left() + d * (j + 1), r.top() + r.height() / 4 * (i + 1)), d / 2.6, d / 2.6);
        }
    }
    return pixmap;
}

} // namespace welkor::gui
