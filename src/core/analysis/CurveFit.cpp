// The fits of the standard curve: each model's starting values, the
// least-squares solve, and the refusals in Polish when no curve comes of it.
#include "core/analysis/StandardCurve.h"

#include "core/analysis/CurveMath.h"
#include "core/analysis/LeastSquares.h"
#include "core/text/Cp1250Literal.h"
#include "core/text/NumberText.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numeric>
#include <utility>

namespace welkor {

using namespace curve_math;

namespace {

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
        + " nie zbiegło się: nie ma krzywej, z której można by odczytać stężenia. Sprawdź "
          "stężenia i odczyty standardów albo wybierz inny model."_cp1250;
}

std::string RanOff(CurveModel model)
{
    return "Dopasowanie modelu " + CurveModelName(model)
        + " nie zbiegło się: parametry rosną bez końca, bo najlepsza krzywa leży na skraju "
          "modelu. Wybierz model 4PL albo sprawdź standardy."_cp1250;
}

std::string Flat(CurveModel model)
{
    return "Dopasowana krzywa (" + CurveModelName(model)
        + ") nie zmienia się ze stężeniem: nie da się z niej odczytać stężeń. Sprawdź "
          "odczyty standardów."_cp1250;
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
            result.notes.push_back("Model log-log pomija " + Counted(left, "standard", "standardy", "standardów"_cp1250)
                + " o stężeniu albo odczycie nie większym od zera."_cp1250);

        if (standards.empty()) {
            Fail("Nie zaznaczono żadnego standardu: wpisz w tabeli edycji „std” i stężenie, "
                 "np. „std 12,5”."_cp1250);
            return false;
        }
        std::vector<double> distinct = x;
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        const int needed = CurveParameterCount(options.model);
        const int have = static_cast<int>(distinct.size());
        if (have < needed) {
            const std::string what = options.model == CurveModel::PointToPoint
                ? "Krzywa punkt-punkt potrzebuje standardów o co najmniej "_cp1250
                    + Counted(needed, "różnym stężeniu"_cp1250, "różnych stężeniach"_cp1250,
                        "różnych stężeniach"_cp1250)
                : "Model " + CurveModelName(options.model) + " ma "
                    + Counted(needed, "parametr", "parametry", "parametrów"_cp1250)
                    + ": potrzebuje standardów o co najmniej tylu różnych stężeniach"_cp1250;
            Fail(what + ", a standardy mają "_cp1250
                + Counted(
                    have, "stężenie"_cp1250, "różne stężenia"_cp1250, "różnych stężeń"_cp1250)
                + ".");
            return false;
        }

        const bool weighted = options.weighting == CurveWeighting::InverseSquare;
        if (weighted && (logLog || options.model == CurveModel::PointToPoint)) {
            result.notes.push_back(logLog
                    ? "Ważenie odwrotnością kwadratu odczytu nie dotyczy modelu log-log: dopasowanie na "
                      "logarytmach już waży błędy względne."_cp1250
                    : "Ważenie odwrotnością kwadratu odczytu nie dotyczy krzywej punkt-punkt: "
                      "przechodzi ona przez średnie odczyty."_cp1250);
        } else if (weighted) {
            for (const CurvePoint& p : standards) {
                if (p.reading == 0) {
                    Fail("Ważenie odwrotnością kwadratu odczytu wymaga odczytów standardów "
                         "różnych od zera, a standard o stężeniu "_cp1250
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
            Fail("Średnie odczyty standardów nie rosną ani nie maleją stale ze stężeniem: krzywa "
                 "punkt-punkt dawałaby dla jednego odczytu kilka stężeń. Wybierz model 4PL albo "
                 "sprawdź standardy."_cp1250);
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

} // namespace welkor
