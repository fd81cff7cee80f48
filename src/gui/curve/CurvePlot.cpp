#include "gui/curve/CurvePlot.h"

#include "core/text/NumberText.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <limits>

namespace welkor::gui {

namespace {

// Room around the plot area for the labels, the titles and the legend.
constexpr double kLeftMargin = 66;
constexpr double kRightMargin = 18;
constexpr double kTopMargin = 30;
constexpr double kBottomMargin = 50;
// The blank standard's slot left of the logarithmic axis.
constexpr double kBlankSlot = 40;
constexpr double kMarkRadius = 4.5;
// The concentration axis spans at most this many decades.
constexpr double kMostDecades = 8;

QString NumberLabel(double value) { return QString::fromLatin1(welkor::FormatGeneral(value).c_str()); }

// 1, 2 or 5 times a power of ten, near a fifth of the span.
double ReadingStep(double span)
{
    const double raw = span / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double scaled = raw / magnitude;
    return (scaled <= 1 ? 1 : scaled <= 2 ? 2 : scaled <= 5 ? 5 : 10) * magnitude;
}

void StandardMark(QPainter& painter, QPointF at)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(CurvePlot::kStandardColour);
    painter.drawEllipse(at, kMarkRadius, kMarkRadius);
}

void SampleMark(QPainter& painter, QPointF at, bool control)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(control ? CurvePlot::kControlColour : CurvePlot::kSampleColour, 1.6));
    const double r = kMarkRadius + 0.5;
    if (control) {
        painter.drawRect(QRectF(at.x() - r + 0.8, at.y() - r + 0.8, 2 * r - 1.6, 2 * r - 1.6));
        return;
    }
    const QPointF diamond[] = {{at.x(), at.y() - r}, {at.x() + r, at.y()}, {at.x(), at.y() + r}, {at.x() - r, at.y()}};
    painter.drawPolygon(diamond, 4);
}

} // namespace

CurvePlot::CurvePlot(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CurvePlot::setResult(const welkor::PlateCurveResult& result)
{
    curve_ = result.fit.curve;
    wells_ = curve_ ? result.wells : std::vector<welkor::CurveWell>{};
    hasBlankStandard_ = false;
    hasControls_ = false;
    concentrationTicks_.clear();
    readingTicks_.clear();
    if (!curve_) {
        update();
        return;
    }

    // The concentrations: every standard's and every well's read off the
    // curve, a little room at both ends.
    double lowest = HUGE_VAL, highest = -HUGE_VAL;
    double lowReading = 0, highReading = -HUGE_VAL;
    for (const welkor::CurveWell& well : wells_) {
        const bool standard = well.role == welkor::WellRole::Standard;
        hasControls_ = hasControls_ || (!standard && well.role != welkor::WellRole::Sample);
        const std::optional<double> at = standard ? well.nominal : well.concentration;
        if (at && *at > 0) {
            lowest = std::min(lowest, *at);
            highest = std::max(highest, *at);
        }
        hasBlankStandard_ = hasBlankStandard_ || (standard && well.nominal && *well.nominal == 0);
        lowReading = std::min(lowReading, well.reading);
        highReading = std::max(highReading, well.reading);
    }
    if (!(lowest <= highest)) // no concentration above zero
        lowest = highest = 1;
    highLog_ = std::log10(highest);
    lowLog_ = std::max(std::log10(lowest), highLog_ - kMostDecades);
    const double pad = std::max(0.12, 0.06 * (highLog_ - lowLog_));
    lowLog_ -= pad;
    highLog_ += pad;

    // Decades labelled; on a short axis 2 and 5 times a decade too, and on a
    // very short one every whole multiple.
    for (const std::vector<int>& labelled : {std::vector<int>{1}, std::vector<int>{1, 2, 5},
                                             std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}}) {
        concentrationTicks_.clear();
        int labels = 0;
        for (int decade = static_cast<int>(std::floor(lowLog_)); decade <= static_cast<int>(std::ceil(highLog_));
             ++decade) {
            for (int m = 1; m <= 9; ++m) {
                const double value = m * std::pow(10.0, decade);
                const double position = std::log10(value);
                if (position < lowLog_ || position > highLog_)
                    continue;
                const bool label = std::find(labelled.begin(), labelled.end(), m) != labelled.end();
                concentrationTicks_.push_back({value, label ? NumberLabel(value) : QString()});
                labels += label ? 1 : 0;
            }
        }
        if (labels >= 3)
            break;
    }

    if (!(highReading > lowReading))
        highReading = lowReading + 1;
    const double span = highReading - lowReading;
    highReading += 0.04 * span;
    if (lowReading < 0)
        lowReading -= 0.04 * span;
    const double step = ReadingStep(highReading - lowReading);
    lowReading_ = std::floor(lowReading / step) * step;
    highReading_ = std::ceil(highReading / step) * step;
    const double steps = (highReading_ - lowReading_) / step;
    if (!std::isfinite(steps) || !(steps >= 1) || steps > 20) { // readings near the ends of a double's range
        lowReading_ = lowReading;
        highReading_ = highReading;
        if (!std::isfinite(highReading_ - lowReading_)) {
            lowReading_ = -std::numeric_limits<double>::max() / 2;
            highReading_ = std::numeric_limits<double>::max() / 2;
        }
        update();
        return;
    }
    for (int i = 0; i <= static_cast<int>(std::lround(steps)); ++i) {
        double value = std::round((lowReading_ + i * step) / step) * step;
        if (std::abs(value) < step * 1e-9)
            value = 0;
        readingTicks_.push_back({value, NumberLabel(value)});
    }
    update();
}

QRectF CurvePlot::PlotArea() const
{
    return QRectF(kLeftMargin, kTopMargin, std::max(1.0, width() - kLeftMargin - kRightMargin),
                  std::max(1.0, height() - kTopMargin - kBottomMargin));
}

double CurvePlot::XOf(double concentration) const
{
    const QRectF area = PlotArea();
    const double axisLeft = area.left() + (hasBlankStandard_ ? kBlankSlot : 0);
    if (!(concentration > 0))
        return hasBlankStandard_ ? area.left() + kBlankSlot / 2 : axisLeft;
    const double t = (std::log10(concentration) - lowLog_) / (highLog_ - lowLog_);
    return axisLeft + t * (area.right() - axisLeft);
}

double CurvePlot::YOf(double reading) const
{
    const QRectF area = PlotArea();
    return area.bottom() - (reading - lowReading_) / (highReading_ - lowReading_) * area.height();
}

QPointF CurvePlot::ToPixel(double concentration, double reading) const
{
    // Far beyond the area a point is held at a bound the painter still draws well.
    const QRectF area = PlotArea();
    return {XOf(concentration),
            std::clamp(YOf(reading), area.top() - 4 * area.height(), area.bottom() + 4 * area.height())};
}

QStringList CurvePlot::ConcentrationLabels() const
{
    QStringList labels;
    if (hasBlankStandard_)
        labels << QStringLiteral("0");
    for (const Tick& tick : concentrationTicks_)
        if (!tick.label.isEmpty())
            labels << tick.label;
    return labels;
}

QStringList CurvePlot::ReadingLabels() const
{
    QStringList labels;
    for (const Tick& tick : readingTicks_)
        labels << tick.label;
    return labels;
}

void CurvePlot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!curve_)
        return;
    const QRectF area = PlotArea();
    PaintAxes(painter, area);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.save();
    painter.setClipRect(area.adjusted(-1, -kMarkRadius - 2, 1, 1));
    PaintCurve(painter);
    PaintWells(painter, area);
    painter.restore();
    PaintLegend(painter);
}

void CurvePlot::PaintAxes(QPainter& painter, const QRectF& area) const
{
    const QFontMetricsF metrics(font());
    const QColor grid(228, 228, 228);
    const double axisLeft = area.left() + (hasBlankStandard_ ? kBlankSlot : 0);

    for (const Tick& tick : readingTicks_) {
        const double y = YOf(tick.value);
        painter.setPen(grid);
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(Qt::black);
        painter.drawLine(QPointF(area.left() - 5, y), QPointF(area.left(), y));
        const QRectF box(0, y - metrics.height() / 2, area.left() - 8, metrics.height());
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, tick.label);
    }
    for (const Tick& tick : concentrationTicks_) {
        const double x = XOf(tick.value);
        const bool major = !tick.label.isEmpty();
        if (major) {
            painter.setPen(grid);
            painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        }
        painter.setPen(Qt::black);
        painter.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + (major ? 5 : 3)));
        if (major) {
            const double w = metrics.horizontalAdvance(tick.label) + 4;
            painter.drawText(QRectF(x - w / 2, area.bottom() + 6, w, metrics.height()), Qt::AlignCenter, tick.label);
        }
    }

    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(area.topLeft(), area.bottomLeft());
    painter.drawLine(QPointF(area.left(), area.bottom()), area.bottomRight());
    if (hasBlankStandard_) {
        // The blank's own tick, and the break between it and the logarithmic axis.
        const double x = XOf(0);
        painter.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + 5));
        painter.drawText(QRectF(x - 10, area.bottom() + 6, 20, metrics.height()), Qt::AlignCenter, QStringLiteral("0"));
        const double b = axisLeft - 8;
        painter.fillRect(QRectF(b - 3, area.bottom() - 3, 7, 6), Qt::white);
        painter.drawLine(QPointF(b - 5, area.bottom() + 4), QPointF(b - 1, area.bottom() - 4));
        painter.drawLine(QPointF(b + 1, area.bottom() + 4), QPointF(b + 5, area.bottom() - 4));
    }

    painter.drawText(QRectF(area.left(), area.bottom() + 8 + metrics.height(), area.width(), metrics.height() + 4),
                     Qt::AlignCenter, QStringLiteral("Stężenie (skala logarytmiczna)"));
    painter.save();
    painter.translate(14, area.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-area.height() / 2, -metrics.height() / 2 - 2, area.height(), metrics.height() + 4),
                     Qt::AlignCenter, QStringLiteral("Odczyt"));
    painter.restore();
}

void CurvePlot::PaintCurve(QPainter& painter) const
{
    const welkor::StandardCurve& curve = *curve_;
    const auto point = [&](const welkor::CurvePoint& p) { return ToPixel(p.concentration, p.reading); };
    const auto stroke = [&](double from, double to, Qt::PenStyle style, double width) {
        if (!(from > 0) || !(to > from))
            return;
        QPainterPath path;
        bool drawing = false;
        for (const welkor::CurvePoint& p : curve.Points(from, to, 240)) {
            if (!std::isfinite(p.reading)) {
                drawing = false;
                continue;
            }
            if (drawing)
                path.lineTo(point(p));
            else
                path.moveTo(point(p));
            drawing = true;
        }
        painter.setPen(QPen(kCurveColour, width, style, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    };
    const double axisLow = std::pow(10.0, lowLog_);
    const double axisHigh = std::pow(10.0, highLog_);
    const double low = curve.lowestStandard() > 0 ? curve.lowestStandard() : axisLow;
    const double high = curve.highestStandard();
    stroke(low, high, Qt::SolidLine, 2);
    // Beyond the standards nothing is read off: the model's course only.
    if (curve.model() != welkor::CurveModel::PointToPoint) {
        if (curve.lowestStandard() > 0)
            stroke(axisLow, low, Qt::DashLine, 1.2);
        stroke(high, axisHigh, Qt::DashLine, 1.2);
    }
}

void CurvePlot::PaintWells(QPainter& painter, const QRectF& area) const
{
    const double axisLeft = area.left() + (hasBlankStandard_ ? kBlankSlot : 0);
    for (const welkor::CurveWell& well : wells_) {
        if (well.role == welkor::WellRole::Standard)
            continue;
        const bool control = well.role != welkor::WellRole::Sample;
        if (well.concentration) {
            SampleMark(painter, ToPixel(*well.concentration, well.reading), control);
        } else if (well.flag != welkor::RangeFlag::None) {
            // Off the curve's range: a stroke at the edge of the side it fell off.
            const double y = std::clamp(YOf(well.reading), area.top(), area.bottom());
            const double x = well.flag == welkor::RangeFlag::BelowRange ? axisLeft : area.right() - 10;
            painter.setPen(QPen(control ? kControlColour : kSampleColour, 2, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QPointF(x, y), QPointF(x + 10, y));
        }
    }
    // The standards over everything else.
    for (const welkor::CurveWell& well : wells_)
        if (well.role == welkor::WellRole::Standard && well.nominal)
            StandardMark(painter, ToPixel(*well.nominal, well.reading));
}

void CurvePlot::PaintLegend(QPainter& painter) const
{
    const QFontMetricsF metrics(font());
    double x = PlotArea().left() + 4;
    const double y = kTopMargin / 2;
    const auto caption = [&](const QString& text) {
        painter.setPen(Qt::black);
        painter.drawText(QPointF(x + 14, y + metrics.ascent() / 2 - 1), text);
        x += 14 + metrics.horizontalAdvance(text) + 18;
    };
    StandardMark(painter, QPointF(x + 5, y));
    caption(QStringLiteral("Standardy"));
    SampleMark(painter, QPointF(x + 5, y), false);
    caption(QStringLiteral("Próbki"));
    if (hasControls_) {
        SampleMark(painter, QPointF(x + 5, y), true);
        caption(QStringLiteral("Kontrole"));
    }
    painter.setPen(QPen(kCurveColour, 2));
    painter.drawLine(QPointF(x - 2, y), QPointF(x + 12, y));
    caption(QStringLiteral("Krzywa"));
}

} // namespace welkor::gui
