#include "gui/plate/PlateView.h"

#include "gui/widgets/CircleShape.h"

#include <QPaintEvent>
#include <QPainter>

namespace welkor::gui {

PlateView::PlateView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(welkor::PlateGeometry::kWellsWidth, welkor::PlateGeometry::kWellsHeight);
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
    const welkor::PlacePoint corner = welkor::PlateGeometry::WellInBlock(row, column);
    return QPoint(corner.x + kWellSize / 2, corner.y + kWellSize / 2);
}

const QPixmap& PlateView::WellPicture(const welkor::ShapeLook& look)
{
    const qreal ratio = devicePixelRatioF();
    if (ratio != pictureRatio_ || pictures_.size() > 1024) {
        pictures_.clear();
        pictureRatio_ = ratio;
    }
    // Fill (24 bits), outline (24 bits) and width make the key.
    const quint64 key = (quint64(look.fill & 0xFFFFFF) << 32) | (quint64(look.outline & 0xFFFFFF) << 8)
        | quint64(look.outlineWidth & 0xFF);
    auto found = pictures_.constFind(key);
    if (found != pictures_.constEnd() && !welkor::IsSystemColour(look.fill) && !welkor::IsSystemColour(look.outline))
        return *found;
    QPixmap picture(QSize(kWellSize, kWellSize) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    CircleShape::Paint(painter, QRect(0, 0, kWellSize, kWellSize), look.fill, look.outline, look.outlineWidth);
    return *pictures_.insert(key, picture);
}

void PlateView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 12; ++c) {
            const welkor::PlacePoint corner = welkor::PlateGeometry::WellInBlock(r, c);
            const QRect rect(corner.x, corner.y, kWellSize, kWellSize);
            if (event->rect().intersects(rect))
                painter.drawPixmap(rect.topLeft(), WellPicture(well(r, c)));
        }
    }
}

} // namespace welkor::gui
