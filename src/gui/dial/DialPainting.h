#pragma once

#include "core/dial/DialGeometry.h"
#include "core/dial/DialHands.h"

#include <QFont>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <vector>

class QPainter;

// The painting primitives of the dial (TClock): its lines, faces, texts and
// the pixels of the hands' caps, on screens of any density.
namespace welkor::gui {

QPoint ToQPoint(const dial::Point& p);

// Lines as the dial has always drawn them: a width of 0 or 1 is one pixel,
// wider lines have round ends, and both end points are covered. On a screen
// of high density (`ratio` device pixels to a pixel) a one-pixel line is
// still a pixel wide, drawn in the finer device pixels.
QPen LinePen(const QColor& colour, std::int32_t width, qreal ratio, Qt::PenCapStyle cap = Qt::RoundCap);

// The dial's font `name`; where it is not installed, Liberation Serif or
// DejaVu Serif stands in, found once (InstalledFamily).
QFont FaceFont(const QString& name, std::int32_t pointSize, bool bold);

// A text standing on `at`, centred on it horizontally, without a background.
void DrawTextOn(QPainter& painter, const QString& text, const QPoint& at);

// Pixels of a cap, combined with what is there (exclusive-or) or covering it,
// written straight into the 32-bit image.
void PaintSpans(QImage& image, const QRect& clip, const std::vector<dial::Span>& spans, QRgb colour, bool combine);

// The device pixels of an area given in pixels.
QRect DeviceRect(const QRect& area, qreal ratio);

// Lines and shapes go where they go on a screen of one device pixel to a
// pixel (a translation by half a pixel on a screen of high density).
void CentreOnPixels(QPainter& painter, qreal ratio);

} // namespace welkor::gui
