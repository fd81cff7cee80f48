#include "gui/dial/TClock.h"

#include "core/text/NumberText.h"
#include "gui/dial/DialPainting.h"
#include "qtbase/ClockSource.h"
#include "qtbase/QtText.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>
#include <QtMath>

#include <algorithm>
#include <bit>
#include <cstring>

namespace welkor::gui {

using namespace welkor::dial;

TClock::TClock(QWidget* parent)
    : QWidget(parent)
{
    // Opaque: the dial covers its whole rectangle, nothing is erased under it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(210, 210);

    position_ = 0;
    colorBack_ = 0xC0C0C0;
    colorScale_ = 0x000000;
    colorFont_ = 0x008000;
    colorHour_ = 0x00FF00;
    colorHourNumber_ = 0x808080;
    fontName_ = QStringLiteral("Times New Roman");
    colorCues_ = 0x0080FF;
    // Taken before the rest is set, so the first paint always builds the face.
    snapshot_ = CurrentSnapshot();
    title_ = QStringLiteral("Czas");
    units_ = QStringLiteral("1994");
    alarmZone_ = true;
    alarmZoneMin_ = 30.0f;
    alarmZoneMax_ = alarmZoneMin_ + 1.0f;
    colorAlarmZone_ = 0x0000FF;
    colorBorder_ = 0x808080;
    liniaCienka_ = 15;
    liniaGruba_ = 18;
    centrum_ = 0;
    centreFraction_ = 0 / 100.0;
    thinFraction_ = 15 / 100.0;
    // Until LiniaGruba is changed the hour ticks are 18/111 of the radius,
    // as every dial made so far has shown them.
    thickFraction_ = 18 / 111.0;
}

void TClock::ShowCurrentTime()
{
    const QTime now = clock_ ? clock_->now().time() : QTime::currentTime();
    setPosition(static_cast<float>(now.hour() * 3600 + now.minute() * 60 + now.second()));
}

// ---- Setters ---------------------------------------------------------------

namespace {

template <class T> bool Assign(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

void TClock::setFontName(const QString& value)
{
    if (Assign(fontName_, value))
        Refresh();
}
void TClock::setColorScale(Colour value)
{
    if (Assign(colorScale_, value))
        Refresh();
}
void TClock::setColorBack(Colour value)
{
    if (Assign(colorBack_, value))
        Refresh();
}
void TClock::setColorFont(Colour value)
{
    if (Assign(colorFont_, value))
        Refresh();
}
void TClock::setColorCues(Colour value)
{
    if (Assign(colorCues_, value))
        Refresh();
}
void TClock::setColorHour(Colour value)
{
    if (Assign(colorHour_, value))
        Refresh();
}
void TClock::setColorHourNumber(Colour value)
{
    if (Assign(colorHourNumber_, value))
        Refresh();
}
void TClock::setUnits(const QString& value)
{
    if (Assign(units_, value))
        Refresh();
}
void TClock::setTitle(const QString& value)
{
    if (Assign(title_, value))
        Refresh();
}
void TClock::setAlarmZone(bool value)
{
    if (Assign(alarmZone_, value))
        Refresh();
}
void TClock::setAlarmZoneMin(float value)
{
    if (Assign(alarmZoneMin_, value))
        Refresh();
}
void TClock::setAlarmZoneMax(float value)
{
    if (Assign(alarmZoneMax_, value))
        Refresh();
}
void TClock::setColorAlarmZone(Colour value)
{
    if (Assign(colorAlarmZone_, value))
        Refresh();
}
void TClock::setColorBorder(Colour value)
{
    if (Assign(colorBorder_, value))
        Refresh();
}
void TClock::setRomanFont(bool value)
{
    if (Assign(romanFont_, value))
        Refresh();
}
void TClock::setLiniaGruba(std::int32_t value)
{
    if (!Assign(liniaGruba_, value))
        return;
    thickFraction_ = value / 100.0;
    Refresh();
}
void TClock::setLiniaCienka(std::int32_t value)
{
    if (!Assign(liniaCienka_, value))
        return;
    thinFraction_ = value / 100.0;
    Refresh();
}
void TClock::setCentrum(std::int32_t value)
{
    if (!Assign(centrum_, value))
        return;
    centreFraction_ = value / 100.0;
    Refresh();
}

void TClock::setPosition(float value)
{
    if (value == position_)
        return;
    // A position that cannot be drawn is drawn, and kept, as midnight.
    position_ = SanitizedPosition(value);
    Redraw(false);
}

// ---- Redraw ----------------------------------------------------------------

QRect TClock::dialSquare() const
{
    const QPoint corner(layout_.frame.squareOffsetX, layout_.frame.squareOffsetY);
    return QRect(corner, QPoint(width() - 1, height() - 1));
}

TClock::FaceSnapshot TClock::CurrentSnapshot() const
{
    FaceSnapshot s;
    s.colours = { colorScale_, colorBack_, colorFont_, colorCues_, colorHour_, colorHourNumber_, colorAlarmZone_,
        colorBorder_ };
    s.alarmZone = alarmZone_;
    s.romanFont = romanFont_;
    s.fontName = fontName_;
    s.title = title_;
    s.units = units_;
    s.alarmZoneMinBits = std::bit_cast<std::uint32_t>(alarmZoneMin_);
    s.alarmZoneMaxBits = std::bit_cast<std::uint32_t>(alarmZoneMax_);
    s.liniaGruba = liniaGruba_;
    s.liniaCienka = liniaCienka_;
    s.thickFraction = thickFraction_;
    s.thinFraction = thinFraction_;
    return s;
}

QSize TClock::ImageSize() const
{
    const qreal ratio = devicePixelRatioF();
    return ratio == 1 ? size() : QSize(qCeil(width() * ratio), qCeil(height() * ratio));
}

bool TClock::FaceStale() const
{
    return paletteChanged_ || composed_.size() != ImageSize() || face_.size() != ImageSize()
        || face_.devicePixelRatio() != devicePixelRatioF() || !(snapshot_ == CurrentSnapshot());
}

void TClock::Refresh()
{
    // Qt paints later, in one pass: the whole control is composed afresh
    // when it is next painted.
    composedCurrent_ = false;
    update();
}

void TClock::Redraw(bool full)
{
    // While hidden (another page is showing) nothing is composed; the
    // next paint composes everything.
    if (!isVisible()) {
        composedCurrent_ = false;
        return;
    }
    if (FaceStale())
        RebuildFace();
    if (full || !composedCurrent_) {
        ComposeAll();
        update();
    } else {
        ComposeSquare();
        update(dialSquare());
    }
}

void TClock::RebuildFace()
{
    snapshot_ = CurrentSnapshot();
    paletteChanged_ = false;
    // On a screen of high density both images have the screen's device
    // pixels: the dial is drawn as sharp as the rest of the window.
    const qreal ratio = devicePixelRatioF();
    if (face_.size() != ImageSize() || face_.devicePixelRatio() != ratio) {
        face_ = QImage(ImageSize(), QImage::Format_RGB32);
        composed_ = QImage(ImageSize(), QImage::Format_RGB32);
        face_.setDevicePixelRatio(ratio);
        composed_.setDevicePixelRatio(ratio);
    }
    DrawFace(face_);
    // The caps only depend on the radius: their pixels are found once here.
    const auto hands = LayoutHands(layout_.frame, thinFraction_, centreFraction_, 0, colorCues_);
    const Point centre { layout_.frame.centerX, layout_.frame.centerY };
    for (std::size_t i = 0; i < hands.size(); ++i)
        caps_[i] = CapPixelsFor(centre, hands[i].capRadius, hands[i].capPenWidth, ratio);
    composedCurrent_ = false;
    ++faceBuilds_;
}

void TClock::DrawFace(QImage& image)
{
    FaceInputs inputs;
    inputs.width = width();
    inputs.height = height();
    inputs.thinFraction = thinFraction_;
    inputs.thickFraction = thickFraction_;
    inputs.alarmZone = alarmZone_;
    inputs.alarmZoneMin = alarmZoneMin_;
    inputs.alarmZoneMax = alarmZoneMax_;
    layout_ = LayoutFace(inputs);
    if (image.isNull())
        return;

    image.fill(ToQColor(colorBack_));
    const qreal ratio = image.devicePixelRatio();
    QPainter painter(&image);
    CentreOnPixels(painter, ratio);

    const QPoint discCorner = ToQPoint(layout_.discTopLeft);
    painter.setPen(LinePen(ToQColor(colorBorder_), 0, ratio));
    painter.setBrush(ToQColor(colorScale_));
    painter.drawEllipse(QRect(
        discCorner, QSize(layout_.discBottomRight.x - discCorner.x(), layout_.discBottomRight.y - discCorner.y())));

    painter.setFont(FaceFont(fontName_, layout_.textPointSize, true));
    painter.setPen(ToQColor(colorFont_));
    DrawTextOn(painter, QStringLiteral("Marvant"), ToQPoint(layout_.maker));
    painter.setFont(FaceFont(fontName_, layout_.textPointSize, false));
    DrawTextOn(painter, units_, ToQPoint(layout_.units));
    DrawTextOn(painter, title_, ToQPoint(layout_.title));

    if (!layout_.zone.empty()) {
        QPolygon zone;
        zone.reserve(static_cast<qsizetype>(layout_.zone.size()));
        for (const Point& p : layout_.zone)
            zone << ToQPoint(p);
        const QColor colour = ToQColor(colorAlarmZone_);
        painter.setPen(LinePen(colour, layout_.zonePenWidth, ratio));
        painter.setBrush(colour);
        painter.drawPolygon(zone);
    }

    painter.setPen(LinePen(ToQColor(colorFont_), layout_.minuteTickPenWidth, ratio));
    for (const Segment& tick : layout_.minuteTicks)
        painter.drawLine(ToQPoint(tick.from), ToQPoint(tick.to));

    painter.setFont(FaceFont(fontName_, layout_.numberPointSize, true));
    const QPen tickPen = LinePen(ToQColor(colorHour_), layout_.hourTickPenWidth, ratio);
    const QColor numberColour = ToQColor(colorHourNumber_);
    // The text's height centres each number on its point.
    const int halfHeight = static_cast<int>(welkor::RoundHalfEven(painter.fontMetrics().height() / 2.0L));
    for (std::size_t i = 0; i < layout_.hourTicks.size(); ++i) {
        if (i > 0) {
            const QPoint at = ToQPoint(layout_.numberCentres[i]) + QPoint(0, halfHeight);
            painter.setPen(numberColour);
            DrawTextOn(painter, FromCp1250(HourNumberText(static_cast<int>(i), romanFont_)), at);
        }
        painter.setPen(tickPen);
        painter.drawLine(ToQPoint(layout_.hourTicks[i].from), ToQPoint(layout_.hourTicks[i].to));
    }
}

void TClock::DrawHands(QImage& image, const QRect& clip)
{
    position_ = SanitizedPosition(position_);
    if (image.isNull())
        return;
    const auto hands = LayoutHands(layout_.frame, thinFraction_, centreFraction_, position_, colorCues_);
    std::array<QRgb, 3> colours {};
    const qreal ratio = image.devicePixelRatio();
    {
        QPainter painter(&image);
        painter.setClipRect(clip);
        CentreOnPixels(painter, ratio);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        for (std::size_t i = 0; i < hands.size(); ++i) {
            const HandLayout& hand = hands[i];
            const QColor colour = ToQColor(hand.colour);
            colours[i] = colour.rgb();
            painter.setPen(LinePen(colour, hand.penWidth, ratio, Qt::SquareCap));
            painter.drawLine(ToQPoint(hand.line.from), ToQPoint(hand.line.to));
            if (hand.tail) {
                painter.setPen(LinePen(colour, hand.tailPenWidth, ratio, Qt::SquareCap));
                painter.drawLine(ToQPoint(hand.tailLine.from), ToQPoint(hand.tailLine.to));
            }
        }
    }
    // Exclusive-or does not depend on order, so the caps that combine can
    // follow all the lines; the one that covers must come last. The caps'
    // inside is the canvas's white brush. Their spans are in device pixels.
    const QRect deviceClip = DeviceRect(clip, ratio);
    for (std::size_t i = 0; i < hands.size(); ++i) {
        PaintSpans(image, deviceClip, caps_[i].outline, colours[i], hands[i].capCombines);
        PaintSpans(image, deviceClip, caps_[i].inside, qRgb(255, 255, 255), hands[i].capCombines);
    }
}

void TClock::CopyFace(const QRect& area)
{
    const QRect rect = DeviceRect(area, face_.devicePixelRatio()) & QRect(QPoint(0, 0), face_.size());
    if (rect.isEmpty())
        return;
    const auto bytes = static_cast<std::size_t>(rect.width()) * sizeof(QRgb);
    const qsizetype toStride = composed_.bytesPerLine();
    const qsizetype fromStride = face_.bytesPerLine();
    uchar* to = composed_.bits() + rect.top() * toStride + rect.left() * qsizetype(sizeof(QRgb));
    const uchar* from = face_.constBits() + rect.top() * fromStride + rect.left() * qsizetype(sizeof(QRgb));
    for (int y = rect.top(); y <= rect.bottom(); ++y, to += toStride, from += fromStride)
        std::memcpy(to, from, bytes);
}

void TClock::ComposeAll()
{
    CopyFace(rect());
    DrawHands(composed_, rect());
    composedCurrent_ = true;
}

void TClock::ComposeSquare()
{
    const QRect square = dialSquare();
    CopyFace(square);
    DrawHands(composed_, square);
}

void TClock::paintEvent(QPaintEvent* event)
{
    if (FaceStale())
        RebuildFace();
    if (!composedCurrent_)
        ComposeAll();
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // One pixel of the image to each device pixel of the screen.
    const qreal ratio = composed_.devicePixelRatio();
    for (const QRect& r : event->region()) {
        if (ratio == 1)
            painter.drawImage(r.topLeft(), composed_, r);
        else
            painter.drawImage(QRectF(r), composed_, QRectF(DeviceRect(r, ratio)));
    }
}

void TClock::changeEvent(QEvent* event)
{
    // System colours on the face (the button face behind the disc) follow
    // the palette: a new theme needs a new face.
    if (event->type() == QEvent::PaletteChange) {
        paletteChanged_ = true;
        Refresh();
    }
    QWidget::changeEvent(event);
}

} // namespace welkor::gui
