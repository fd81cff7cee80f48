#include "core/plate/WellColouring.h"

#include "core/report/WellState.h"
#include "core/text/AsciiCase.h"
#include "core/text/NumberText.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace welkor {

namespace {

constexpr int kThickOutline = 4;

// Powers of ten up to 10^27: 5^27 still fits the 64-bit mantissa of the
// extended type, so each of them is held exactly.
constexpr int kMaxQuickDecimals = 27;
constexpr std::array<long double, kMaxQuickDecimals + 1> kPowersOfTen = [] {
    std::array<long double, kMaxQuickDecimals + 1> p{};
    p[0] = 1;
    for (int k = 1; k <= kMaxQuickDecimals; ++k)
        p[static_cast<std::size_t>(k)] = p[static_cast<std::size_t>(k) - 1] * 10;
    return p;
}();

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// [blanks][sign]digits[,digits][blanks] with at most 19 significant digits.
// The digits make an integer that the extended type holds exactly, and so
// does the power of ten, so one division rounds once and gives the very value
// the full conversion gives. Anything else is left to the full conversion.
bool QuickDecimal(std::string_view text, long double& out)
{
    if constexpr (std::numeric_limits<long double>::digits < 64)
        return false; // a narrower type would not hold the digits exactly
    text = WithoutBlanks(text);
    std::size_t i = 0;
    const std::size_t end = text.size();
    bool negative = false;
    if (i < end && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint64_t digits = 0;
    int significant = 0;
    int decimals = 0;
    bool anyDigit = false;
    bool afterComma = false;
    for (; i < end; ++i) {
        const char ch = text[i];
        if (ch == kDecimalSeparator && !afterComma) {
            afterComma = true;
            continue;
        }
        if (!IsDigit(ch))
            return false;
        anyDigit = true;
        if (afterComma && ++decimals > kMaxQuickDecimals)
            return false;
        if (digits == 0 && ch == '0')
            continue; // a leading zero adds no significant digit
        if (++significant > 19)
            return false;
        digits = digits * 10 + static_cast<std::uint64_t>(ch - '0');
    }
    if (!anyDigit)
        return false;
    const long double magnitude =
        static_cast<long double>(digits) / kPowersOfTen[static_cast<std::size_t>(decimals)];
    out = negative ? -magnitude : magnitude;
    return true;
}

Colour ExtremeOutline(bool glow) { return glow ? kDarkGreen : kRed; }
Colour BlankFill(bool glow) { return glow ? kDarkGreen : kBlack; }

Colour ValueColour(TKonwersjaKoloru& converter, bool glow, const RangeState& range, long double x)
{
    // The value is shifted so that the bottom of the range is 0.
    converter.ValueToColor(glow, range.span, static_cast<double>(x + static_cast<long double>(range.lowerOffset)));
    return converter.Color();
}

// The colour of an extreme well's value on the colour scale, or nothing when
// the position or its text does not hold a number.
std::optional<Colour> ExtremeColour(const ValueTable& table, const RangeState& range, std::uint8_t row,
                                    std::uint8_t column, TKonwersjaKoloru& converter)
{
    if (row < 1 || row > kPlateRows || column < 1 || column > kPlateColumns)
        return std::nullopt;
    long double x = 0;
    const std::string& text = table.at(row - 1, column - 1);
    if (!QuickDecimal(text, x) && !TryStrToFloat(text, x))
        return std::nullopt;
    return ValueColour(converter, false, range, x);
}

} // namespace

long double WellNumber(std::string_view text)
{
    long double x = 0;
    if (QuickDecimal(text, x))
        return x;
    return StrToFloat(text);
}

void RecolourWells(ValueTable& table, const RangeState& range, bool glow, TKonwersjaKoloru& converter,
                   std::array<ShapeLook, kWellCount>& wells, ShapeLook& zeroSwatch)
{
    // Data without a single number keeps the positions of earlier data; they
    // name no extreme of this plate, so no well is outlined for them.
    const bool extremes = range.anyNumeric;
    for (int row = 0; row < kPlateRows; ++row) {
        for (int column = 0; column < kPlateColumns; ++column) {
            ShapeLook& well = wells[static_cast<std::size_t>(row * kPlateColumns + column)];
            const bool isMax = extremes && row + 1 == range.maxRow && column + 1 == range.maxCol;
            const bool isMin = extremes && row + 1 == range.minRow && column + 1 == range.minCol;
            if (isMax || isMin) {
                well.outlineWidth = kThickOutline;
                well.outline = ExtremeOutline(glow);
            } else {
                well.outlineWidth = 1;
                well.outline = kBlack;
            }

            std::string& text = table.at(row, column);
            AsciiLowerInPlace(text);
            if (text == kBlankWord)
                well.fill = BlankFill(glow);
            else if (text == kUnderWord)
                well.fill = kBlue;
            else if (text == kOverWord || text.empty())
                well.fill = kGrey;
            else // throws before the fill changes when the text is no number
                well.fill = ValueColour(converter, glow, range, WellNumber(text));
        }
    }
    if (range.span > 0)
        zeroSwatch.fill = ValueColour(converter, glow, range, 0.0L);
}

LegendLooks LegendFor(bool glow, bool dataPresent, const ValueTable& table, const RangeState& range,
                      TKonwersjaKoloru& converter)
{
    LegendLooks legend;
    legend.ponizej.fill = kBlue;
    legend.pusta.fill = BlankFill(glow);
    legend.ponad.fill = kGrey;
    legend.maksymalna.outlineWidth = kThickOutline;
    legend.maksymalna.outline = ExtremeOutline(glow);
    legend.minimalna.outlineWidth = kThickOutline;
    legend.minimalna.outline = ExtremeOutline(glow);

    if (glow) {
        legend.maksymalna.fill = kWhite;
        legend.minimalna.fill = kBlack;
        return legend;
    }

    legend.maksymalna.fill = kDarkGreen;
    legend.minimalna.fill = kWhite;
    if (dataPresent && range.anyNumeric) {
        if (auto c = ExtremeColour(table, range, range.maxRow, range.maxCol, converter))
            legend.maksymalna.fill = *c;
        if (auto c = ExtremeColour(table, range, range.minRow, range.minCol, converter))
            legend.minimalna.fill = *c;
    }
    return legend;
}

} // namespace welkor
