#include "core/plate/PlatePicture.h"

#include "core/plate/CalibrationRange.h"
#include "core/plate/PlateGeometry.h"
#include "core/plate/TKonwersjaKoloru.h"
#include "core/plate/WellColouring.h"
#include "core/report/RowLetter.h"
#include "core/text/Cp1250.h"
#include "core/text/Cp1250Literal.h"

#include <array>
#include <cstdio>

namespace welkor {

namespace {

// The plate page's layout.
constexpr int kWellSize = PlateGeometry::kWellSize;
constexpr int kPitch = PlateGeometry::kPitch;
constexpr int kWellsLeft = PlateGeometry::kWellsLeft;
constexpr int kWellsTop = PlateGeometry::kWellsTop;
// The legend stands to the right of the wells, its shapes in the wells' rows.
constexpr int kLegendLeft = kWellsLeft + 12 * kPitch + 24;
constexpr int kLegendLabelLeft = kLegendLeft + 40;

std::string BoundText(const char* name, const std::string& bound, const std::string& well)
{
    std::string text = name;
    text += bound;
    if (!well.empty())
        text += " (" + well + ")";
    return text;
}

std::string Hex(Colour colour)
{
    char out[8];
    std::snprintf(out, sizeof out, "#%02x%02x%02x", RedOf(colour), GreenOf(colour), BlueOf(colour));
    return out;
}

std::string XmlText(const std::string& cp1250)
{
    std::string out;
    for (char ch : Cp1250ToUtf8(cp1250)) {
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += ch;
        }
    }
    return out;
}

} // namespace

PlatePicture DrawPlate(const ValueTable& values, bool glow)
{
    // As the window does it: the range step on a fresh range, then the lower
    // and the upper bound, then the wells and the legend.
    ValueTable table = values;
    RangeState range;
    TKonwersjaKoloru converter;
    const RangeFound found = FindRange(table, range);
    const BoundResult lower = ApplyLowerBound(true, found.lowerPosition, found.upperPosition, range);
    range.lowerOffset = lower.lowerOffset;
    range.span = lower.span;
    const BoundResult upper = ApplyUpperBound(found.upperPosition, range);
    range.span = upper.span;
    std::array<ShapeLook, kWellCount> wells{};
    ShapeLook zero;
    RecolourWells(table, range, glow, converter, wells, zero);
    const LegendLooks legend = LegendFor(glow, true, table, range, converter);

    PlatePicture picture;
    picture.width = kLegendLabelLeft + 150;
    picture.height = kWellsTop + 7 * kPitch + kWellSize + 22;
    for (int c = 0; c < kPlateColumns; ++c) {
        const PlacePoint label = PlateGeometry::ColumnLabel(c);
        picture.texts.push_back({label.x, label.y, std::to_string(c + 1)});
    }
    for (int r = 0; r < kPlateRows; ++r) {
        std::string letter;
        RowLetter(r, letter);
        const PlacePoint label = PlateGeometry::RowLabel(r);
        picture.texts.push_back({label.x, label.y, letter});
        for (int c = 0; c < kPlateColumns; ++c) {
            const PlacePoint well = PlateGeometry::Well(r, c);
            picture.circles.push_back(
                {well.x, well.y, kWellSize, wells[static_cast<std::size_t>(r * kPlateColumns + c)]});
        }
    }

    picture.texts.push_back({kLegendLeft, PlateGeometry::kColumnLabelTop, "Legenda"});
    const std::pair<const ShapeLook*, const char*> shapes[] = {
        {&legend.ponizej, "Poniżej (UNDER)"_cp1250}, {&legend.pusta, "Pusta (BLANK)"},
        {&legend.ponad, "Ponad (OVER)"},           {&legend.maksymalna, "Maksymalna"},
        {&legend.minimalna, "Minimalna"},
    };
    int y = kWellsTop;
    for (const auto& [look, label] : shapes) {
        picture.circles.push_back({kLegendLeft, y, kWellSize, *look});
        picture.texts.push_back({kLegendLabelLeft, y + 8, label});
        y += kPitch;
    }
    picture.texts.push_back({kLegendLeft, y + 8, glow ? "Skala żarzenia"_cp1250 : "Skala barwy"});
    picture.texts.push_back({kLegendLeft, y + 30, BoundText("Górna: "_cp1250, upper.label, found.maxLabel)});
    picture.texts.push_back({kLegendLeft, y + 48, BoundText("Dolna: ", lower.label, found.minLabel)});
    return picture;
}

std::string PlateSvg(const PlatePicture& picture)
{
    const std::string w = std::to_string(picture.width);
    const std::string h = std::to_string(picture.height);
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
                      "\" viewBox=\"0 0 " + w + " " + h + "\">\n"
                      "<rect width=\"" + w + "\" height=\"" + h + "\" fill=\"#ffffff\"/>\n";
    for (const PictureCircle& circle : picture.circles) {
        // The outline lies inside the circle's square, as on the plate page.
        const double width = circle.look.outlineWidth;
        char line[256];
        std::snprintf(line, sizeof line,
                      "<circle cx=\"%g\" cy=\"%g\" r=\"%g\" fill=\"%s\" stroke=\"%s\" stroke-width=\"%g\"/>\n",
                      circle.x + circle.size / 2.0, circle.y + circle.size / 2.0, (circle.size - width) / 2.0,
                      Hex(circle.look.fill).c_str(), Hex(circle.look.outline).c_str(), width);
        out += line;
    }
    out += "<g font-family=\"DejaVu Sans, Arial, sans-serif\" font-size=\"" + std::to_string(kPictureTextPixels) +
           "px\" fill=\"#000000\">\n";
    for (const PictureText& text : picture.texts) {
        // SVG places text by its baseline: the ascent below the top.
        out += "<text x=\"" + std::to_string(text.x) + "\" y=\"" + std::to_string(text.y + kPictureTextPixels - 2) +
               "\">" + XmlText(text.text) + "</text>\n";
    }
    out += "</g>\n</svg>\n";
    return out;
}

} // namespace welkor
