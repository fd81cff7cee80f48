#pragma once

#include "core/analysis/PlateCurve.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

class QPainter;

namespace welkor::gui {

// The standard curve as a picture: concentration on a logarithmic axis
// (whole decades, a blank standard of concentration 0 in a slot of its own
// left of the axis break), the reading on a linear one; the standard wells as
// filled circles, the fitted curve (solid between the lowest and the highest
// standard, dashed beyond, where nothing is read off), the samples and
// controls as open marks where they lie on the curve, and the readings
// outside the curve's range as short strokes at the edge they fell off.
// Ticks and labels carry decimal commas. Painted with QPainter alone.
class CurvePlot : public QWidget {
    Q_OBJECT
public:
    static inline const QColor kStandardColour = QColor(31, 78, 160);
    static inline const QColor kCurveColour = QColor(196, 32, 32);
    static inline const QColor kSampleColour = QColor(0, 130, 60);
    static inline const QColor kControlColour = QColor(210, 120, 0);

    explicit CurvePlot(QWidget* parent = nullptr);

    // A result with a curve; anything else leaves the plot empty.
    void setResult(const welkor::PlateCurveResult& result);

    // Where a well of this concentration and reading is drawn, in the
    // widget's coordinates (a concentration of 0 in the blank's slot).
    QPointF ToPixel(double concentration, double reading) const;
    // The rectangle the curve and the points are drawn in.
    QRectF PlotArea() const;

    // The axes' labels as drawn: the decades (and 2, 5 within them on a
    // short axis) of the concentration, the steps of the reading.
    QStringList ConcentrationLabels() const;
    QStringList ReadingLabels() const;

    QSize sizeHint() const override { return {560, 380}; }
    QSize minimumSizeHint() const override { return {320, 220}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Tick {
        double value = 0;
        QString label; // empty for a minor tick
    };

    std::optional<welkor::StandardCurve> curve_;
    std::vector<welkor::CurveWell> wells_;
    bool hasBlankStandard_ = false;
    bool hasControls_ = false;
    double lowLog_ = 0; // log10 of the concentrations at the ends of the axis
    double highLog_ = 1;
    double lowReading_ = 0;
    double highReading_ = 1;
    std::vector<Tick> concentrationTicks_;
    std::vector<Tick> readingTicks_;

    double XOf(double concentration) const;
    double YOf(double reading) const;
    void PaintAxes(QPainter& painter, const QRectF& area) const;
    void PaintCurve(QPainter& painter) const;
    void PaintWells(QPainter& painter, const QRectF& area) const;
    void PaintLegend(QPainter& painter) const;
};

} // namespace welkor::gui
