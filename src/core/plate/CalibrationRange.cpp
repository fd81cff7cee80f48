#include "core/plate/CalibrationRange.h"

#include "core/plate/WellColouring.h"
#include "core/report/WellState.h"
#include "core/text/AsciiCase.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <string_view>

namespace welkor {

namespace {

constexpr double kNoMinimum = 9999;
constexpr double kNoMaximum = -9999;

std::string PositionLabel(std::uint8_t row, std::uint8_t column)
{
    std::string label(1, static_cast<char>(64 + row)); // 1 = "A"
    label += ' ';
    label += std::to_string(column);
    return label;
}

int TrackBarPosition(long double value)
{
    const std::int64_t p = RoundHalfEven(value * 1000);
    return static_cast<int>(std::clamp<std::int64_t>(p, 0, kTrackBarMax));
}

long double PositionValue(int position) { return static_cast<long double>(position) / 1000; }

} // namespace

RangeFound FindRange(ValueTable& table, RangeState& range)
{
    range.dataMin = kNoMinimum;
    range.dataMax = kNoMaximum;
    range.anyNumeric = false;
    for (int row = 0; row < kPlateRows; ++row) {
        for (int column = 0; column < kPlateColumns; ++column) {
            std::string& text = table.at(row, column);
            AsciiLowerInPlace(text);
            if (HasNoReading(text))
                continue;
            // Compared as the double it is stored in, so an equal text later on
            // never beats the first one through rounding.
            const double x = static_cast<double>(WellNumber(text));
            // The first numeric well is both extremes: on a plate whose values
            // all lie beyond the 9999 starting marks (a fluorescence reading)
            // the other extreme would otherwise name no well at all.
            const bool first = !range.anyNumeric;
            range.anyNumeric = true;
            if (first || x > range.dataMax) {
                range.dataMax = x;
                range.maxRow = static_cast<std::uint8_t>(row + 1);
                range.maxCol = static_cast<std::uint8_t>(column + 1);
            }
            if (first || x < range.dataMin) {
                range.dataMin = x;
                range.minRow = static_cast<std::uint8_t>(row + 1);
                range.minCol = static_cast<std::uint8_t>(column + 1);
            }
        }
    }

    RangeFound found;
    found.lowerPosition = TrackBarPosition(-static_cast<long double>(range.dataMin));
    found.upperPosition = TrackBarPosition(static_cast<long double>(range.dataMax));
    if (range.anyNumeric) {
        found.maxLabel = PositionLabel(range.maxRow, range.maxCol);
        found.minLabel = PositionLabel(range.minRow, range.minCol);
    }
    return found;
}

double UpperBound(int upperPosition, double dataMax)
{
    const long double pu = PositionValue(upperPosition);
    const long double max = dataMax;
    return static_cast<double>(pu >= max ? pu : max);
}

BoundResult ApplyLowerBound(bool dataPresent, int lowerPosition, int upperPosition, const RangeState& range)
{
    long double lowerOffset = 0;
    if (dataPresent) {
        const long double pl = PositionValue(lowerPosition);
        const long double below = -static_cast<long double>(range.dataMin);
        lowerOffset = below > pl ? below : pl;
    }
    BoundResult result;
    result.lowerOffset = static_cast<double>(lowerOffset);
    result.label = FormatFixed4(-static_cast<long double>(result.lowerOffset));
    result.span = static_cast<double>(static_cast<long double>(result.lowerOffset) +
                                      UpperBound(upperPosition, range.dataMax));
    return result;
}

BoundResult ApplyUpperBound(int upperPosition, const RangeState& range)
{
    const double upper = UpperBound(upperPosition, range.dataMax);
    BoundResult result;
    result.lowerOffset = range.lowerOffset;
    result.span = static_cast<double>(static_cast<long double>(range.lowerOffset) + upper);
    result.label = FormatFixed4(upper);
    return result;
}

} // namespace welkor
