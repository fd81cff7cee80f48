#pragma once

#include "core/output/PrintLayout.h"

#include <QFont>
#include <QImage>

#include <functional>

class QPainter;
class QPaintDevice;

namespace welkor::gui {

// The printed report on a Qt paint device: the layout comes from the core,
// this side only measures the fonts on the device and paints.

// The face of the heading ("Times New Roman" 14 pt, or the nearest serif
// face installed) and of the body ("MS Sans Serif" 8 pt, or the window's
// own sans face).
QFont PrintFont(welkor::PrintFace face);
QColor PrintColour(welkor::PrintFace face);

// The body face measured on the device the pages are painted on.
welkor::PrintMetrics MeasurePrint(const QPaintDevice& device);

// Paints every page on the painter's device (which must be active); before
// each page after the first `newPage` is called, and false from it ends the
// print with an error. The logo is drawn when it is not null.
void PaintPrintedReport(QPainter& painter, const welkor::PrintContent& content, const QImage& logo,
                        const std::function<bool()>& newPage);

} // namespace welkor::gui
