#pragma once

#include "core/analysis/PlateCurve.h"

#include <string>
#include <string_view>

// A plate read off its standard curve as CSV and as a short summary, both
// UTF-8 with a decimal point (for R, pandas or a spreadsheet).
namespace welkor {

inline constexpr std::string_view kCurveCsvHeader = "studzienka,rola,wartosc,stezenie,uwaga\n";

// A number with a decimal point and up to 10 significant digits ("0.1234",
// "12.5", "1.5e-06").
std::string CsvNumber(double value);

// The header, then one row per well of the result, A1 to H12 row by row: the
// well, its role (standard, próbka, neg, poz), the reading as measured, the
// concentration read off the curve (a standard's back-calculated one; empty
// where there is no number) and the remark: the flag ("poniżej zakresu",
// "powyżej zakresu") or, for a standard, "nominalne 12.5; odzysk 98.7%".
std::string CurveCsv(const PlateCurveResult& result);

// The model and weighting, each parameter, R² and the standards' range, one
// per line; then the notes. Without a curve: the reason.
std::string CurveSummary(const PlateCurveResult& result, const CurveOptions& options);

} // namespace welkor
