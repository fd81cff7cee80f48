#include "core/analysis/StandardCurve.h"

#include "core/analysis/CurveMath.h"
#include "core/text/Cp1250Literal.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numeric>
#include <utility>

namespace welkor {

using namespace curve_math;

// ---- The fitted curve --------------------------------------------------------------

double StandardCurve::Response(double concentration) const
{
    switch (model_) {
    case CurveModel::FourPL:
        return Logistic(concentration, Parameter(0), Parameter(1), std::log(Parameter(2)), Parameter(3), 1.0).value;
    case CurveModel::FivePL:
        return Logistic(concentration, Parameter(0), Parameter(1), std::log(Parameter(2)), Parameter(3), Parameter(4))
            .value;
    case CurveModel::Linear:
        return Parameter(0) * concentration + Parameter(1);
    case CurveModel::LogLog:
        if (!(concentration > 0))
            return Parameter(0) > 0 ? 0.0 : std::numeric_limits<double>::infinity();
        return std::pow(10.0, Parameter(0) * std::log10(concentration) + Parameter(1));
    case CurveModel::PointToPoint: {
        const auto& k = knots_;
        if (concentration <= k.front().concentration)
            return k.front().reading;
        if (concentration >= k.back().concentration)
            return k.back().reading;
        const auto upper = std::upper_bound(
            k.begin(), k.end(), concentration, [](double x, const CurvePoint& p) { return x < p.concentration; });
        const CurvePoint& r = *upper;
        const CurvePoint& l = *(upper - 1);
        return l.reading
            + (r.reading - l.reading) * (concentration - l.concentration) / (r.concentration - l.concentration);
    }
    }
    return kNaN;
}

std::optional<double> StandardCurve::Inverse(double reading) const
{
    switch (model_) {
    case CurveModel::FourPL:
        return LogisticInverse(reading, Parameter(0), Parameter(1), std::log(Parameter(2)), Parameter(3), 1.0);
    case CurveModel::FivePL:
        return LogisticInverse(reading, Parameter(0), Parameter(1), std::log(Parameter(2)), Parameter(3), Parameter(4));
    case CurveModel::Linear: {
        if (Parameter(0) == 0)
            return std::nullopt;
        const double x = (reading - Parameter(1)) / Parameter(0);
        return std::isfinite(x) ? std::optional<double>(x) : std::nullopt;
    }
    case CurveModel::LogLog: {
        if (!(reading > 0) || Parameter(0) == 0)
            return std::nullopt;
        const double x = std::pow(10.0, (std::log10(reading) - Parameter(1)) / Parameter(0));
        return std::isfinite(x) ? std::optional<double>(x) : std::nullopt;
    }
    case CurveModel::PointToPoint: {
        const auto& k = knots_;
        for (std::size_t i = 1; i < k.size(); ++i) {
            const double y0 = k[i - 1].reading, y1 = k[i].reading;
            if ((reading - y0) * (reading - y1) <= 0)
                return k[i - 1].concentration
                    + (k[i].concentration - k[i - 1].concentration) * (reading - y0) / (y1 - y0);
        }
        return std::nullopt;
    }
    }
    return std::nullopt;
}

ReadOff StandardCurve::ReadConcentration(double reading) const
{
    const double atLowest = responseAtLowest();
    const double atHighest = responseAtHighest();
    const bool rising = atHighest > atLowest;
    ReadOff out;
    if (!std::isfinite(reading))
        return out;
    if (rising ? reading < atLowest : reading > atLowest) {
        out.flag = RangeFlag::BelowRange;
        return out;
    }
    if (rising ? reading > atHighest : reading < atHighest) {
        out.flag = RangeFlag::AboveRange;
        return out;
    }
    // Within the range the curve has an inverse; rounding at its very ends
    // is held to the standards' own span.
    const std::optional<double> x = Inverse(reading);
    const double nearer = std::abs(reading - atLowest) <= std::abs(reading - atHighest) ? lowest_ : highest_;
    out.concentration = std::clamp(x.value_or(nearer), lowest_, highest_);
    return out;
}

std::vector<CurvePoint> StandardCurve::Points(double from, double to, int count) const
{
    std::vector<CurvePoint> points;
    if (count < 2 || !std::isfinite(from) || !std::isfinite(to))
        return points;
    const bool logarithmic = from > 0 && to > 0;
    for (int i = 0; i < count; ++i) {
        const double f = static_cast<double>(i) / (count - 1);
        double x = logarithmic ? std::exp(std::log(from) + f * (std::log(to) - std::log(from))) : from + f * (to - from);
        if (i == 0 || i == count - 1)
            x = i == 0 ? from : to; // the ends exactly
        points.push_back({x, Response(x)});
    }
    return points;
}

std::string CurveModelName(CurveModel model)
{
    switch (model) {
    case CurveModel::FourPL:
        return "4PL";
    case CurveModel::FivePL:
        return "5PL";
    case CurveModel::Linear:
        return "liniowy";
    case CurveModel::LogLog:
        return "log-log";
    case CurveModel::PointToPoint:
        return "punkt-punkt";
    }
    return {};
}

int CurveParameterCount(CurveModel model)
{
    switch (model) {
    case CurveModel::FourPL:
        return 4;
    case CurveModel::FivePL:
        return 5;
    case CurveModel::Linear:
    case CurveModel::LogLog:
    case CurveModel::PointToPoint:
        return 2;
    }
    return 0;
}

std::string RangeFlagText(RangeFlag flag)
{
    switch (flag) {
    case RangeFlag::None:
        return {};
    case RangeFlag::BelowRange:
        return "poniżej zakresu"_cp1250;
    case RangeFlag::AboveRange:
        return "powyżej zakresu"_cp1250;
    }
    return {};
}

} // namespace welkor
