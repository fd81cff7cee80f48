#pragma once

#include "core/analysis/PlateCurve.h"

#include <string>
#include <string_view>
#include <vector>

// A plate read off its standard curve as CSV and as a short summary, both
// UTF-8 with a decimal point (for R, pandas or a spreadsheet).
namespace welkor {

inline constexpr std::string_view kCurveCsvHeader = "studzienka,rola,wartosc,stezenie,uwaga\n";

// A number with a decimal point and up to 10 significant digits ("0.1234",
// "12.5", "1.5e-06").
std::string CsvNumber(double value);

// The same digits with `separator` as the decimal separator ("0,1234" with a
// comma, as the window shows numbers).
std::string CurveNumber(double value, char separator);

// A well's remark: its flag ("poniżej zakresu", "powyżej zakresu") or, for a
// standard, "nominalne 12.5; odzysk 98.7%" with `separator` in its numbers;
// empty otherwise. UTF-8.
std::string CurveRemark(const CurveWell& well, char separator = '.');

// The header, then one row per well of the result, A1 to H12 row by row: the
// well, its role (standard, próbka, neg, poz), the reading as measured, the
// concentration read off the curve (a standard's back-calculated one; empty
// where there is no number) and the remark: the flag ("poniżej zakresu",
// "powyżej zakresu") or, for a standard, "nominalne 12.5; odzysk 98.7%".
std::string CurveCsv(const PlateCurveResult& result);

// The model and weighting, each parameter, R² and the standards' range, one
// per line; then the notes. Without a curve: the reason.
std::string CurveSummary(const PlateCurveResult& result, const CurveOptions& options);

// The same lines one by one, numbers with `separator` (the notes as they are).
std::vector<std::string> CurveSummaryLines(const PlateCurveResult& result, const CurveOptions& options,
                                           char separator);

} // namespace welkor
