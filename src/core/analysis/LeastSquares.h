#pragma once

#include <functional>
#include <span>
#include <vector>

// Nonlinear least squares: the parameters p that make sum w·(y − f(x; p))²
// smallest, by Levenberg–Marquardt (Eigen's, a MINPACK lmder on QR
// factorisations) with the model's own derivatives.
namespace welkor {

// f(x; p). When `gradient` is not empty it receives ∂f/∂p_j, one entry per
// parameter.
using ModelFunction = std::function<double(double x, std::span<const double> p, std::span<double> gradient)>;

struct LeastSquaresSettings {
    // Relative reduction of the sum of squares and relative size of a step
    // below which the search ends.
    double tolerance = 1e-15;
    // Evaluations of the model over all points before the search gives up.
    int maxEvaluations = 4000;
};

struct LeastSquaresFit {
    bool converged = false; // ended on a tolerance, not on the evaluation limit or a numerical failure
    std::vector<double> parameters;
    double sumOfSquares = 0; // weighted, at `parameters`
    int evaluations = 0;
};

// Fits f to the points (x[i], y[i]) from `start`. `weights` is empty (every
// point weighs 1) or one weight per point. A model value or derivative that
// is not finite counts as very far from the data, so the search steps back.
LeastSquaresFit FitLeastSquares(std::span<const double> x, std::span<const double> y, std::span<const double> weights,
                                const ModelFunction& model, std::vector<double> start,
                                const LeastSquaresSettings& settings = {});

} // namespace welkor
