#pragma once

#include "core/plate/PlatePicture.h"

#include <QByteArray>

// The plate picture of the core drawn by Qt (a QGuiApplication must exist):
// wells painted exactly as the plate page paints them.

// A PNG of the picture, `zoom` screen pixels for each pixel of the page.
QByteArray PlatePng(const welkor::PlatePicture& picture, int zoom);

// A one-page PDF as large as the picture (a page pixel is 1/96 inch).
QByteArray PlatePdf(const welkor::PlatePicture& picture);
