#pragma once

#include "core/plate/PlateLooks.h"
#include "core/plate/TKonwersjaKoloru.h"
#include "core/report/ReportTypes.h"

#include <array>
#include <string_view>

namespace welkor {

inline constexpr int kWellCount = kPlateRows * kPlateColumns;

// Gives every well its outline and fill from the value table, row-major, then
// colours the zero swatch when the range is not empty. The extreme wells get a
// thick outline (dark green on the glow scale, red on the colour scale). Each
// well text is lower-cased in the table (ASCII letters only) before it is
// compared with the state words.
//
// A text that is neither a state word nor a number throws ConversionError at
// that well: the wells before it are done, it has its new outline but its old
// fill, and the wells after it and the swatch are untouched.
void RecolourWells(ValueTable& table, const RangeState& range, bool glow, TKonwersjaKoloru& converter,
                   std::array<ShapeLook, kWellCount>& wells, ShapeLook& zeroSwatch);

// Reads a well text exactly as StrToFloat does (same value, same error), but
// plain decimals such as " 1,234" take a quick path that allocates nothing.
long double WellNumber(std::string_view text);

// The five legend shapes.
struct LegendLooks {
    ShapeLook ponizej;    // under the reader's range
    ShapeLook pusta;      // blank well
    ShapeLook ponad;      // over the reader's range
    ShapeLook maksymalna; // the maximum well
    ShapeLook minimalna;  // the minimum well
};

// The legend for the chosen scale. On the colour scale with data present the
// extreme shapes take the colours of the extreme wells' values (always worked
// out on the colour scale); when there is no usable extreme well (no numeric
// well, no position, or a text that is no number) they keep the looks they
// have without data.
LegendLooks LegendFor(bool glow, bool dataPresent, const ValueTable& table, const RangeState& range,
                      TKonwersjaKoloru& converter);

} // namespace welkor
