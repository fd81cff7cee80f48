#include "core/analysis/StandardCurve.h"

#include "core/analysis/LeastSquares.h"
#include "core/text/NumberText.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numeric>
#include <utility>

namespace welkor {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// ---- The logistic family ------------------------------------------------------
//
// 4PL and 5PL share one function: y = d + (a − d)·s^g with s = 1 / (1 + e^t),
// t = b·(ln x − ln c). The fit works on (a, b, ln c, d, ln g), so c and g stay
// positive whatever a step tries.

// ln(1 + e^t) without overflow.
double Softplus(double t)
{
    return t > 0 ? t + std::log1p(std::exp(-t)) : std::log1p(std::exp(t));
}

struct LogisticValue {
    double value;
    double q; // s^g, the share of (a − d) left at x
    double dqdt; // ∂q/∂t
    double logS; // ln s
    bool atZero; // x ≤ 0: the curve is at an asymptote, flat in b, c and g
};

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

// ---- Messages -------------------------------------------------------------------

// The Polish plural: 1 parametr, 2 parametry, 5 parametrów.
std::string Counted(int n, const char* one, const char* few, const char* many)
{
    const int tens = n % 100;
    const char* word = n == 1 ? one : (n % 10 >= 2 && n % 10 <= 4 && (tens < 12 || tens > 14)) ? few : many;
    return std::to_string(n) + " " + word;
}

std::string Number(double value)
{
    return FormatGeneral(value);
}

std::string NotConverged(CurveModel model)
{
    return "Dopasowanie modelu " + CurveModelName(model)
        + " nie zbieg\xB3o si\xEA: nie ma krzywej, z kt\xF3rej mo\xBFna by odczyta\xE6 st\xEA\xBF\x65nia. Sprawd\x9F "
          "st\xEA\xBF\x65nia i odczyty standard\xF3w albo wybierz inny model.";
}

std::string RanOff(CurveModel model)
{
    return "Dopasowanie modelu " + CurveModelName(model)
        + " nie zbieg\xB3o si\xEA: parametry rosn\xB9 bez ko\xF1\x63\x61, bo najlepsza krzywa le\xBFy na skraju "
          "modelu. Wybierz model 4PL albo sprawd\x9F standardy.";
}

std::string Flat(CurveModel model)
{
    return "Dopasowana krzywa (" + CurveModelName(model)
        + ") nie zmienia si\xEA ze st\xEA\xBF\x65niem: nie da si\xEA z niej odczyta\xE6 st\xEA\xBF\x65\xF1. Sprawd\x9F "
          "odczyty standard\xF3w.";
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

} // namespace

// ---- Fitting --------------------------------------------------------------------------

struct CurveFitter {
    std::span<const CurvePoint> standards;
    CurveOptions options;
    CurveFitResult result;

    std::vector<double> x, y, weights;

    StandardCurve NewCurve() const
    {
        StandardCurve curve;
        curve.model_ = options.model;
        curve.weighting_ = options.weighting;
        return curve;
    }

    void Fail(std::string problem)
    {
        result.curve.reset();
        result.problem = std::move(problem);
    }

    // The points the model takes, and the weights; false (with the problem
    // told) when they cannot determine it.
    bool TakePoints()
    {
        const bool logLog = options.model == CurveModel::LogLog;
        int left = 0;
        for (const CurvePoint& p : standards) {
            if (logLog && !(p.concentration > 0 && p.reading > 0)) {
                ++left;
                continue;
            }
            x.push_back(logLog ? std::log10(p.concentration) : p.concentration);
            y.push_back(logLog ? std::log10(p.reading) : p.reading);
        }
        if (left > 0)
            result.notes.push_back("Model log-log pomija " + Counted(left, "standard", "standardy", "standard\xF3w")
                + " o st\xEA\xBF\x65niu albo odczycie nie wi\xEAkszym od zera.");

        if (standards.empty()) {
            Fail("Nie zaznaczono \xBF\x61\x64nego standardu: wpisz w tabeli edycji \x84std\x94 i st\xEA\xBF\x65nie, "
                 "np. \x84std 12,5\x94.");
            return false;
        }
        std::vector<double> distinct = x;
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        const int needed = CurveParameterCount(options.model);
        const int have = static_cast<int>(distinct.size());
        if (have < needed) {
            const std::string what = options.model == CurveModel::PointToPoint
                ? "Krzywa punkt-punkt potrzebuje standard\xF3w o co najmniej "
                    + Counted(needed, "r\xF3\xBFnym st\xEA\xBF\x65niu", "r\xF3\xBFnych st\xEA\xBF\x65niach",
                        "r\xF3\xBFnych st\xEA\xBF\x65niach")
                : "Model " + CurveModelName(options.model) + " ma "
                    + Counted(needed, "parametr", "parametry", "parametr\xF3w")
                    + ": potrzebuje standard\xF3w o co najmniej tylu r\xF3\xBFnych st\xEA\xBF\x65niach";
            Fail(what + ", a standardy maj\xB9 "
                + Counted(
                    have, "st\xEA\xBF\x65nie", "r\xF3\xBFne st\xEA\xBF\x65nia", "r\xF3\xBFnych st\xEA\xBF\x65\xF1")
                + ".");
            return false;
        }

        const bool weighted = options.weighting == CurveWeighting::InverseSquare;
        if (weighted && (logLog || options.model == CurveModel::PointToPoint)) {
            result.notes.push_back(logLog
                    ? "Wa\xBF\x65nie odwrotno\x9C\x63i\xB9 kwadratu odczytu nie dotyczy modelu log-log: dopasowanie na "
                      "logarytmach ju\xBF wa\xBFy b\xB3\xEA\x64y wzgl\xEA\x64ne."
                    : "Wa\xBF\x65nie odwrotno\x9C\x63i\xB9 kwadratu odczytu nie dotyczy krzywej punkt-punkt: "
                      "przechodzi ona przez \x9Crednie odczyty.");
        } else if (weighted) {
            for (const CurvePoint& p : standards) {
                if (p.reading == 0) {
                    Fail("Wa\xBF\x65nie odwrotno\x9C\x63i\xB9 kwadratu odczytu wymaga odczyt\xF3w standard\xF3w "
                         "r\xF3\xBFnych od zera, a standard o st\xEA\xBF\x65niu "
                        + Number(p.concentration) + " ma odczyt 0.");
                    return false;
                }
                weights.push_back(1 / (p.reading * p.reading));
            }
        }
        return true;
    }

    void SetRange(StandardCurve& curve) const
    {
        double lowest = std::numeric_limits<double>::infinity(), highest = -lowest;
        for (const CurvePoint& p : standards) {
            if (options.model == CurveModel::LogLog && !(p.concentration > 0 && p.reading > 0))
                continue;
            lowest = std::min(lowest, p.concentration);
            highest = std::max(highest, p.concentration);
        }
        curve.lowest_ = lowest;
        curve.highest_ = highest;
    }

    // The curve is usable only where it rises or falls between the standards.
    bool CheckNotFlat(const StandardCurve& curve)
    {
        const double low = curve.responseAtLowest();
        const double high = curve.responseAtHighest();
        double scale = 0;
        for (const CurvePoint& p : standards)
            scale = std::max(scale, std::abs(p.reading));
        if (!std::isfinite(low) || !std::isfinite(high) || std::abs(high - low) <= 1e-12 * std::max(scale, 1e-300)) {
            Fail(Flat(options.model));
            return false;
        }
        return true;
    }

    std::vector<double> Fitted(const StandardCurve& curve) const
    {
        std::vector<double> fitted;
        for (double xi : x)
            fitted.push_back(options.model == CurveModel::LogLog ? std::log10(curve.Response(std::pow(10.0, xi)))
                                                                 : curve.Response(xi));
        return fitted;
    }

    // Starting values of the 4PL from the data: the asymptotes a little
    // beyond the mean readings at the lowest and highest concentration, b and
    // c from the straight line ln((a − y) / (y − d)) = b·ln x − b·ln c
    // through the points between them.
    std::vector<std::vector<double>> LogisticStarts() const
    {
        const std::vector<CurvePoint> means = MeansByConcentration(standards);
        const double yLow = means.front().reading;
        const double yHigh = means.back().reading;
        const double span = yHigh - yLow;
        const double a = yLow - 0.05 * span;
        const double d = yHigh + 0.05 * span;

        std::vector<double> logX, z;
        double sumLogX = 0;
        int positive = 0;
        for (const CurvePoint& p : standards) {
            if (!(p.concentration > 0))
                continue;
            sumLogX += std::log(p.concentration);
            ++positive;
            const double ratio = (a - p.reading) / (p.reading - d);
            if (ratio > 0 && std::isfinite(ratio)) {
                logX.push_back(std::log(p.concentration));
                z.push_back(std::log(ratio));
            }
        }
        const double middle = positive > 0 ? sumLogX / positive : 0.0;
        double b = 1, lnC = middle;
        if (const auto line = logX.size() >= 2 ? StraightLine(logX, z, {}) : std::nullopt;
            line && line->first > 0 && std::isfinite(-line->second / line->first)) {
            b = line->first;
            lnC = -line->second / line->first;
        }
        return {{a, b, lnC, d}, {a, 1.0, middle, d}, {a, 2 * b, lnC, d}};
    }

    // A fit whose c or g ran off by many orders of magnitude has found no
    // minimum: the sum of squares only keeps falling towards the edge of the
    // model (with 1/y² weights a 5PL can do that, c and g growing together).
    bool WithinTheModel(const std::vector<double>& p) const
    {
        double lowest = std::numeric_limits<double>::infinity(), highest = 0;
        for (double xi : x)
            if (xi > 0) {
                lowest = std::min(lowest, xi);
                highest = std::max(highest, xi);
            }
        const double lnC = p[2];
        if (highest > 0 && (lnC < std::log(lowest) - kRunaway || lnC > std::log(highest) + kRunaway))
            return false;
        return p.size() < 5 || std::abs(p[4]) <= kRunaway;
    }
    static constexpr double kRunaway = 13.8; // ln 10⁶

    // The best converged fit of the logistic model from several starts; with
    // `firstWins` the later starts are tried only when the first one fails.
    std::optional<LeastSquaresFit> BestLogisticFit(const std::vector<std::vector<double>>& starts, bool firstWins,
                                                   bool& ranOff) const
    {
        // Parameters to about 10 digits: far beyond what a plate's readings
        // carry, at half the evaluations of the solver's default.
        LeastSquaresSettings settings;
        settings.tolerance = 1e-12;
        std::optional<LeastSquaresFit> best;
        for (const std::vector<double>& start : starts) {
            if (best && firstWins)
                break;
            LeastSquaresFit fit = FitLeastSquares(x, y, weights, LogisticModel, start, settings);
            if (!fit.converged)
                continue;
            if (!WithinTheModel(fit.parameters)) {
                ranOff = true;
                continue;
            }
            if (!best || fit.sumOfSquares < best->sumOfSquares)
                best = std::move(fit);
        }
        return best;
    }

    void FitLogistic()
    {
        std::vector<std::vector<double>> starts = LogisticStarts();
        bool ranOff = false;
        std::optional<LeastSquaresFit> fit = BestLogisticFit(starts, true, ranOff);
        if (options.model == CurveModel::FivePL) {
            // From the 4PL's answer (or its starts) with g = 1, ½ and 2.
            std::vector<std::vector<double>> fiveStarts;
            const std::vector<std::vector<double>> bases
                = fit ? std::vector<std::vector<double>>{fit->parameters} : starts;
            for (const std::vector<double>& base : bases)
                for (double g : {1.0, 0.5, 2.0}) {
                    std::vector<double> start = base;
                    start.push_back(std::log(g));
                    fiveStarts.push_back(start);
                }
            ranOff = false;
            fit = BestLogisticFit(fiveStarts, false, ranOff);
        }
        if (!fit) {
            Fail(ranOff ? RanOff(options.model) : NotConverged(options.model));
            return;
        }
        std::vector<double> p = fit->parameters;
        if (options.model == CurveModel::FourPL && p[1] < 0) {
            // The same curve with b > 0: a is then the response at zero.
            std::swap(p[0], p[3]);
            p[1] = -p[1];
        }
        StandardCurve curve = NewCurve();
        curve.parameters_ = {{"a", p[0]}, {"b", p[1]}, {"c", std::exp(p[2])}, {"d", p[3]}};
        if (options.model == CurveModel::FivePL)
            curve.parameters_.push_back({"g", std::exp(p[4])});
        for (const CurveParameter& parameter : curve.parameters_)
            if (!std::isfinite(parameter.value) || (parameter.name == "c" && !(parameter.value > 0))) {
                Fail(NotConverged(options.model));
                return;
            }
        Finish(std::move(curve));
    }

    void FitLine()
    {
        const auto line = StraightLine(x, y, options.model == CurveModel::Linear ? weights : std::vector<double>{});
        if (!line) {
            Fail(NotConverged(options.model));
            return;
        }
        StandardCurve curve = NewCurve();
        curve.parameters_ = {{"m", line->first}, {"k", line->second}};
        Finish(std::move(curve));
    }

    void FitPoints()
    {
        StandardCurve curve = NewCurve();
        curve.knots_ = MeansByConcentration(standards);
        // Only a curve that rises (or falls) all the way has one
        // concentration for each reading.
        const auto& k = curve.knots_;
        bool rising = true, falling = true;
        for (std::size_t i = 1; i < k.size(); ++i) {
            rising = rising && k[i].reading > k[i - 1].reading;
            falling = falling && k[i].reading < k[i - 1].reading;
        }
        if (!rising && !falling) {
            Fail("\x8Crednie odczyty standard\xF3w nie rosn\xB9 ani nie malej\xB9 stale ze st\xEA\xBF\x65niem: krzywa "
                 "punkt-punkt dawa\xB3\x61\x62y dla jednego odczytu kilka st\xEA\xBF\x65\xF1. Wybierz model 4PL albo "
                 "sprawd\x9F standardy.");
            return;
        }
        Finish(std::move(curve));
    }

    void Finish(StandardCurve curve)
    {
        SetRange(curve);
        if (!CheckNotFlat(curve))
            return;
        const bool weightedFit
            = !weights.empty() && options.model != CurveModel::LogLog && options.model != CurveModel::PointToPoint;
        curve.rSquared_
            = RSquared(y, Fitted(curve), weightedFit ? std::span<const double>(weights) : std::span<const double>());
        result.curve = std::move(curve);
    }

    void Run()
    {
        if (!TakePoints())
            return;
        switch (options.model) {
        case CurveModel::FourPL:
        case CurveModel::FivePL:
            FitLogistic();
            break;
        case CurveModel::Linear:
        case CurveModel::LogLog:
            FitLine();
            break;
        case CurveModel::PointToPoint:
            FitPoints();
            break;
        }
    }
};

CurveFitResult FitStandardCurve(std::span<const CurvePoint> standards, const CurveOptions& options)
{
    CurveFitter fitter{standards, options, {}, {}, {}, {}};
    fitter.Run();
    return std::move(fitter.result);
}

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
        return "poni\xBF\x65j zakresu";
    case RangeFlag::AboveRange:
        return "powy\xBF\x65j zakresu";
    }
    return {};
}

} // namespace welkor
