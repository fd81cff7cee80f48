#include "core/analysis/CurveMath.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace welkor::curve_math {

// ln(1 + e^t) without overflow.
double Softplus(double t)
{
    return t > 0 ? t + std::log1p(std::exp(-t)) : std::log1p(std::exp(t));
}

LogisticValue Logistic(double x, double a, double b, double lnC, double d, double g)
{
    LogisticValue v{};
    if (!(x > 0)) {
        // Zero concentration: (x / c)^b is 0 for b > 0 (y = a) and grows
        // without bound for b < 0 (y = d).
        v.atZero = true;
        v.q = b > 0 ? 1.0 : (b < 0 ? 0.0 : std::pow(0.5, g));
        v.value = d + (a - d) * v.q;
        return v;
    }
    const double t = b * (std::log(x) - lnC);
    v.logS = -Softplus(t);
    v.q = std::exp(g * v.logS);
    const double oneMinusS = 1 / (1 + std::exp(-t)); // e^t / (1 + e^t)
    v.dqdt = -g * v.q * oneMinusS;
    v.value = d + (a - d) * v.q;
    return v;
}

// p = (a, b, ln c, d) for 4PL, (a, b, ln c, d, ln g) for 5PL.
double LogisticModel(double x, std::span<const double> p, std::span<double> gradient)
{
    const bool five = p.size() == 5;
    const double g = five ? std::exp(p[4]) : 1.0;
    const LogisticValue v = Logistic(x, p[0], p[1], p[2], p[3], g);
    if (!gradient.empty()) {
        const double span = p[0] - p[3];
        gradient[0] = v.q;
        gradient[3] = 1 - v.q;
        if (v.atZero) {
            gradient[1] = gradient[2] = 0;
            if (five)
                gradient[4] = 0;
        } else {
            gradient[1] = span * v.dqdt * (std::log(x) - p[2]);
            gradient[2] = span * v.dqdt * -p[1];
            if (five)
                gradient[4] = span * v.q * v.logS * g;
        }
    }
    return v.value;
}

// The concentration where the logistic curve reads y, if it ever does.
std::optional<double> LogisticInverse(double y, double a, double b, double lnC, double d, double g)
{
    if (a == d || b == 0)
        return std::nullopt;
    const double q = (y - d) / (a - d);
    if (!(q > 0 && q < 1))
        return std::nullopt;
    // s = q^(1/g), e^t = 1/s − 1.
    const double eT = std::expm1(-std::log(q) / g);
    if (!(eT > 0) || !std::isfinite(eT))
        return std::nullopt;
    const double x = std::exp(lnC + std::log(eT) / b);
    if (!std::isfinite(x))
        return std::nullopt;
    return x;
}

// ---- Small statistics -----------------------------------------------------------

// Concentrations in rising order with the mean reading of their wells.
std::vector<CurvePoint> MeansByConcentration(std::span<const CurvePoint> points)
{
    std::vector<CurvePoint> sorted(points.begin(), points.end());
    std::stable_sort(sorted.begin(), sorted.end(),
        [](const CurvePoint& l, const CurvePoint& r) { return l.concentration < r.concentration; });
    std::vector<CurvePoint> means;
    for (std::size_t i = 0; i < sorted.size();) {
        std::size_t j = i;
        double sum = 0;
        while (j < sorted.size() && sorted[j].concentration == sorted[i].concentration)
            sum += sorted[j++].reading;
        means.push_back({sorted[i].concentration, sum / static_cast<double>(j - i)});
        i = j;
    }
    return means;
}

double RSquared(std::span<const double> y, std::span<const double> fitted, std::span<const double> weights)
{
    double sw = 0, swy = 0;
    for (std::size_t i = 0; i < y.size(); ++i) {
        const double w = weights.empty() ? 1.0 : weights[i];
        sw += w;
        swy += w * y[i];
    }
    const double mean = swy / sw;
    double res = 0, tot = 0;
    for (std::size_t i = 0; i < y.size(); ++i) {
        const double w = weights.empty() ? 1.0 : weights[i];
        res += w * (y[i] - fitted[i]) * (y[i] - fitted[i]);
        tot += w * (y[i] - mean) * (y[i] - mean);
    }
    return tot > 0 ? 1 - res / tot : (res == 0 ? 1.0 : 0.0);
}

// Weighted straight line y = m·x + k by a QR least-squares solve.
std::optional<std::pair<double, double>> StraightLine(
    std::span<const double> x, std::span<const double> y, std::span<const double> weights)
{
    const auto n = static_cast<Eigen::Index>(x.size());
    Eigen::MatrixXd design(n, 2);
    Eigen::VectorXd rhs(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        const double root = weights.empty() ? 1.0 : std::sqrt(weights[static_cast<std::size_t>(i)]);
        design(i, 0) = root * x[static_cast<std::size_t>(i)];
        design(i, 1) = root;
        rhs[i] = root * y[static_cast<std::size_t>(i)];
    }
    const Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(design);
    if (qr.rank() < 2)
        return std::nullopt;
    const Eigen::Vector2d solution = qr.solve(rhs);
    if (!std::isfinite(solution[0]) || !std::isfinite(solution[1]))
        return std::nullopt;
    return std::make_pair(solution[0], solution[1]);
}

} // namespace welkor::curve_math
