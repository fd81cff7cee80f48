#include "core/plate/CalibrationRange.h"
#include "core/plate/WellColouring.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

using namespace welkor;

namespace {

// A plate as a report gives it: values with a decimal comma, a few blanks and
// wells outside the reader's range.
ValueTable RealisticPlate()
{
    ValueTable table;
    for (int row = 0; row < kPlateRows; ++row) {
        for (int column = 0; column < kPlateColumns; ++column) {
            char text[16];
            const int thousandths = (row * 389 + column * 157 + 41) % 2900;
            std::snprintf(text, sizeof text, " %d,%03d", thousandths / 1000, thousandths % 1000);
            table.at(row, column) = text;
        }
    }
    table.at(0, 0) = " BLANK";
    table.at(0, 1) = " Blank";
    table.at(3, 6) = " OVER";
    table.at(7, 11) = " UNDER";
    table.at(5, 2) = "-0,125";
    return table;
}

void BM_RecolourWells(benchmark::State& state)
{
    ValueTable table = RealisticPlate();
    RangeState range;
    const RangeFound found = FindRange(table, range);
    range.lowerOffset = ApplyLowerBound(true, found.lowerPosition, found.upperPosition, range).lowerOffset;
    range.span = ApplyUpperBound(found.upperPosition, range).span;

    TKonwersjaKoloru converter;
    std::array<ShapeLook, kWellCount> wells{};
    ShapeLook zero;
    bool glow = false;
    for (auto _ : state) {
        RecolourWells(table, range, glow, converter, wells, zero);
        benchmark::DoNotOptimize(wells.data());
        benchmark::ClobberMemory();
        glow = !glow;
    }
}
BENCHMARK(BM_RecolourWells);

} // namespace
