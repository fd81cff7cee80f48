#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

// A standard curve: readings of wells of known concentration, a model fitted
// through them, and concentrations read off it. Messages and parameter names
// are code page 1250 like every core string.
namespace welkor {

enum class CurveModel {
    FourPL, // y = d + (a − d) / (1 + (x / c)^b)
    FivePL, // y = d + (a − d) / (1 + (x / c)^b)^g
    Linear, // y = m·x + k
    LogLog, // log10 y = m·log10 x + k
    PointToPoint // straight lines between the mean readings of consecutive concentrations
};

enum class CurveWeighting {
    None, // every standard well weighs the same
    InverseSquare // each standard well weighs 1 / y² (its own reading): relative errors count
};

struct CurveOptions {
    CurveModel model = CurveModel::FourPL;
    CurveWeighting weighting = CurveWeighting::None;
};

// One standard well: its known concentration and its reading.
struct CurvePoint {
    double concentration = 0;
    double reading = 0;
};

struct CurveParameter {
    std::string name; // "a", "b", "c", "d", "g"; "m", "k"
    double value = 0;
};

// Where a reading lies against the curve's response between the lowest and
// the highest standard, in terms of concentration: below the lowest standard
// or above the highest (for a falling curve a high reading is "below").
enum class RangeFlag { None, BelowRange, AboveRange };

// A reading read off the curve: a concentration, or no number and a flag.
struct ReadOff {
    std::optional<double> concentration;
    RangeFlag flag = RangeFlag::None;
};

class StandardCurve {
public:
    CurveModel model() const { return model_; }
    CurveWeighting weighting() const { return weighting_; }
    // The fitted parameters in the model's own terms (4PL: a, b, c, d with
    // b > 0, so a is the response at zero concentration; 5PL: a, b, c, d, g;
    // linear and log-log: m, k); none for point-to-point.
    const std::vector<CurveParameter>& parameters() const { return parameters_; }
    // 1 − SSres / SStot on the scale and with the weights of the fit (log10
    // readings for log-log; against the mean readings for point-to-point).
    double rSquared() const { return rSquared_; }
    // The lowest and highest concentration among the standards the curve
    // was fitted to, and the curve's response there.
    double lowestStandard() const { return lowest_; }
    double highestStandard() const { return highest_; }
    double responseAtLowest() const { return Response(lowest_); }
    double responseAtHighest() const { return Response(highest_); }

    // The curve's reading at a concentration.
    double Response(double concentration) const;
    // The concentration whose response is `reading`, where the model has one
    // (between the asymptotes of 4PL and 5PL, a positive reading for
    // log-log, within the standards for point-to-point); it may lie outside
    // the standards. For a standard's back-calculation.
    std::optional<double> Inverse(double reading) const;
    // A well's concentration: only a reading within the curve's response
    // between the lowest and the highest standard gets a number, never an
    // extrapolation.
    ReadOff ReadConcentration(double reading) const;
    // `count` points of the curve from `from` to `to` (logarithmically spaced
    // when both are above zero), for a plot.
    std::vector<CurvePoint> Points(double from, double to, int count) const;

private:
    friend struct CurveFitter;
    CurveModel model_ = CurveModel::FourPL;
    CurveWeighting weighting_ = CurveWeighting::None;
    std::vector<CurveParameter> parameters_;
    std::vector<CurvePoint> knots_; // point-to-point: concentration and mean reading, rising concentration
    double rSquared_ = 0;
    double lowest_ = 0;
    double highest_ = 0;

    double Parameter(std::size_t i) const { return parameters_[i].value; }
};

struct CurveFitResult {
    std::optional<StandardCurve> curve;
    // Why there is no curve, for the user (code page 1250); empty with a curve.
    std::string problem;
    // What the fit left out or ignored, said plainly (code page 1250).
    std::vector<std::string> notes;
};

// The model fitted to the standards, every well a point (replicates are not
// averaged), by least squares; the nonlinear models by Levenberg–Marquardt
// from starting values taken from the data. No curve, with the reason, when
// the standards cannot determine the model or the fit does not converge.
CurveFitResult FitStandardCurve(std::span<const CurvePoint> standards, const CurveOptions& options);

// "4PL", "5PL", "liniowy", "log-log", "punkt-punkt".
std::string CurveModelName(CurveModel model);
// How many parameters the model has (point-to-point: 2, the fewest
// concentrations it needs).
int CurveParameterCount(CurveModel model);
// "poniżej zakresu", "powyżej zakresu" or "" (code page 1250).
std::string RangeFlagText(RangeFlag flag);

} // namespace welkor
