// The standard curve: a 4PL fit of 16 standards (R's DNase ELISA, run 1: 8
// concentrations in duplicate), the same as 5PL, and a whole plate read off
// its curve (marks read, fit, 96 wells).
#include "core/analysis/PlateCurve.h"
#include "core/analysis/StandardCurve.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const std::vector<welkor::CurvePoint> kStandards = {
    {0.04882812, 0.017}, {0.04882812, 0.018}, {0.1953125, 0.121}, {0.1953125, 0.124}, {0.390625, 0.206},
    {0.390625, 0.215},   {0.78125, 0.377},    {0.78125, 0.374},   {1.5625, 0.614},    {1.5625, 0.609},
    {3.125, 1.019},      {3.125, 1.001},      {6.25, 1.334},      {6.25, 1.364},      {12.5, 1.730},
    {12.5, 1.710}};

void Fit(benchmark::State& state, welkor::CurveModel model)
{
    for (auto _ : state) {
        welkor::CurveFitResult fit = welkor::FitStandardCurve(kStandards, {model, welkor::CurveWeighting::None});
        if (!fit.curve)
            state.SkipWithError("no curve");
        benchmark::DoNotOptimize(fit);
    }
}

void BM_FourPlFit16Standards(benchmark::State& state) { Fit(state, welkor::CurveModel::FourPL); }
void BM_FivePlFit16Standards(benchmark::State& state) { Fit(state, welkor::CurveModel::FivePL); }

// The standards in columns 1-2 marked "std …", the other 80 wells samples.
void BM_QuantifyPlate(benchmark::State& state)
{
    welkor::GridTexts measured, marks;
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 12; ++c) {
            const std::size_t row = static_cast<std::size_t>(r), column = static_cast<std::size_t>(c);
            if (c <= 2) {
                const welkor::CurvePoint& s = kStandards[static_cast<std::size_t>(2 * (r - 1) + (c - 1))];
                std::string reading = " " + std::to_string(s.reading);
                reading[reading.find('.')] = ','; // readings carry a decimal comma
                measured[row][column] = reading;
                marks[row][column] = "std " + std::to_string(s.concentration);
            } else {
                measured[row][column] = " 0," + std::to_string(100 + 17 * (r * 12 + c) % 900);
                marks[row][column] = measured[row][column];
            }
        }
    for (auto _ : state) {
        const welkor::PlateCurveResult result
            = welkor::QuantifyPlate(welkor::ReadPlateForCurve(measured, marks), welkor::CurveOptions{});
        if (!result.ok())
            state.SkipWithError("no curve");
        benchmark::DoNotOptimize(result);
    }
}

} // namespace

BENCHMARK(BM_FourPlFit16Standards)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FivePlFit16Standards)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QuantifyPlate)->Unit(benchmark::kMicrosecond);
