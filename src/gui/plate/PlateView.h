#pragma once

#include "core/plate/PlateGeometry.h"
#include "core/plate/PlateLooks.h"

#include <QHash>
#include <QPixmap>
#include <QWidget>

#include <array>

namespace welkor::gui {

// The 96 wells of the plate, painted by one widget: 30-pixel circles on a
// 33-pixel pitch, row A at the top, column 1 at the left. It only displays.
class PlateView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWellSize = welkor::PlateGeometry::kWellSize;
    static constexpr int kPitch = welkor::PlateGeometry::kPitch;

    explicit PlateView(QWidget* parent = nullptr);

    const welkor::ShapeLook& well(int row, int column) const { return wells_[static_cast<std::size_t>(row * 12 + column)]; }
    void setWells(const std::array<welkor::ShapeLook, 96>& wells);

    // Centre of a well in this widget's coordinates.
    static QPoint WellCentre(int row, int column);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // A well of a given look, drawn once: a plate holds at most 96 looks and
    // the same ones come back on every repaint.
    const QPixmap& WellPicture(const welkor::ShapeLook& look);

    std::array<welkor::ShapeLook, 96> wells_;
    QHash<quint64, QPixmap> pictures_;
    qreal pictureRatio_ = 0; // the pictures above are for this device pixel ratio
};

} // namespace welkor::gui
