#pragma once

#include "core/analysis/StandardCurve.h"

#include <limits>
#include <optional>
#include <span>
#include <utility>
#include <vector>

// The mathematics the standard curve's fits and the fitted curve share: the
// logistic family of 4PL and 5PL and a few small statistics.
namespace welkor::curve_math {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// 4PL and 5PL share one function: y = d + (a − d)·s^g with s = 1 / (1 + e^t),
// t = b·(ln x − ln c). The fit works on (a, b, ln c, d, ln g), so c and g stay
// positive whatever a step tries.
struct LogisticValue {
    double value;
    double q; // s^g, the share of (a − d) left at x
    double dqdt; // ∂q/∂t
    double logS; // ln s
    bool atZero; // x ≤ 0: the curve is at an asymptote, flat in b, c and g
};
LogisticValue Logistic(double x, double a, double b, double lnC, double d, double g);

// p = (a, b, ln c, d) for 4PL, (a, b, ln c, d, ln g) for 5PL.
double LogisticModel(double x, std::span<const double> p, std::span<double> gradient);

// The concentration where the logistic curve reads y, if it ever does.
std::optional<double> LogisticInverse(double y, double a, double b, double lnC, double d, double g);

// Concentrations in rising order with the mean reading of their wells.
std::vector<CurvePoint> MeansByConcentration(std::span<const CurvePoint> points);

double RSquared(std::span<const double> y, std::span<const double> fitted, std::span<const double> weights);

// Weighted straight line y = m·x + k by a QR least-squares solve.
std::optional<std::pair<double, double>> StraightLine(
    std::span<const double> x, std::span<const double> y, std::span<const double> weights);

} // namespace welkor::curve_math
