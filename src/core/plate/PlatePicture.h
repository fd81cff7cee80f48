#pragma once

#include "core/plate/PlateLooks.h"
#include "core/report/ReportTypes.h"

#include <string>
#include <vector>

// The plate of one report as a picture for documents and slides: the 96
// wells in the looks the plate page gives them, the row and column labels,
// the legend of the scale and the range's bounds. Positions are pixels of
// the plate page's own layout; nothing here draws.
namespace welkor {

struct PictureCircle {
    int x = 0; // top-left corner of the circle's square
    int y = 0;
    int size = 0;
    ShapeLook look;
};

struct PictureText {
    int x = 0; // top-left corner of the text
    int y = 0;
    std::string text; // code page 1250
};

struct PlatePicture {
    int width = 0;
    int height = 0;
    std::vector<PictureCircle> circles; // the wells A1..H12 row by row, then the five legend shapes
    std::vector<PictureText> texts;
};

// Text height the picture is laid out for, in pixels (an 8-point face).
inline constexpr int kPictureTextPixels = 11;

// The plate page right after the report was opened, on the colour scale or
// (glow) the glow scale: the range found from the data, both bounds applied,
// the wells coloured and the legend set. Throws ConversionError for a well
// text that is no number (a document that was opened has none).
PlatePicture DrawPlate(const ValueTable& values, bool glow);

// The picture as an SVG document (UTF-8).
std::string PlateSvg(const PlatePicture& picture);

} // namespace welkor
