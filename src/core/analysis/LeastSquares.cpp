#include "core/analysis/LeastSquares.h"

#include <Eigen/Dense>
#include <unsupported/Eigen/LevenbergMarquardt>

#include <cmath>
#include <cstddef>

namespace welkor {

namespace {

// Where the model has no finite value the residual is this large: the step
// that led there is rejected and the trust region shrinks.
constexpr double kFarAway = 1e150;

// Residuals sqrt(w)·(f(x; p) − y) and their Jacobian, as Eigen's solver asks.
struct Residuals : Eigen::DenseFunctor<double> {
    std::span<const double> x;
    std::span<const double> y;
    std::vector<double> rootWeights;
    const ModelFunction* model;
    mutable std::vector<double> p;
    mutable std::vector<double> gradient;

    Residuals(std::span<const double> xs, std::span<const double> ys, std::span<const double> weights,
              const ModelFunction& f, int parameters)
        : DenseFunctor<double>(parameters, static_cast<int>(xs.size())), x(xs), y(ys), model(&f),
          p(static_cast<std::size_t>(parameters)), gradient(static_cast<std::size_t>(parameters))
    {
        rootWeights.resize(xs.size(), 1.0);
        for (std::size_t i = 0; i < weights.size() && i < xs.size(); ++i)
            rootWeights[i] = std::sqrt(weights[i]);
    }

    void Take(const Eigen::VectorXd& parameters) const
    {
        for (std::size_t j = 0; j < p.size(); ++j)
            p[j] = parameters[static_cast<Eigen::Index>(j)];
    }

    int operator()(const Eigen::VectorXd& parameters, Eigen::VectorXd& fvec) const
    {
        Take(parameters);
        for (std::size_t i = 0; i < x.size(); ++i) {
            const double r = rootWeights[i] * ((*model)(x[i], p, {}) - y[i]);
            fvec[static_cast<Eigen::Index>(i)] = std::isfinite(r) ? r : kFarAway;
        }
        return 0;
    }

    int df(const Eigen::VectorXd& parameters, Eigen::MatrixXd& fjac) const
    {
        Take(parameters);
        for (std::size_t i = 0; i < x.size(); ++i) {
            (*model)(x[i], p, gradient);
            for (std::size_t j = 0; j < gradient.size(); ++j) {
                const double g = rootWeights[i] * gradient[j];
                fjac(static_cast<Eigen::Index>(i), static_cast<Eigen::Index>(j)) = std::isfinite(g) ? g : 0.0;
            }
        }
        return 0;
    }
};

} // namespace

LeastSquaresFit FitLeastSquares(std::span<const double> x, std::span<const double> y, std::span<const double> weights,
                                const ModelFunction& model, std::vector<double> start,
                                const LeastSquaresSettings& settings)
{
    LeastSquaresFit fit;
    fit.parameters = std::move(start);
    const std::size_t n = fit.parameters.size();
    if (n == 0 || x.size() < n || y.size() != x.size() || (!weights.empty() && weights.size() != x.size()))
        return fit;

    Residuals residuals(x, y, weights, model, static_cast<int>(n));
    Eigen::VectorXd p(static_cast<Eigen::Index>(n));
    for (std::size_t j = 0; j < n; ++j)
        p[static_cast<Eigen::Index>(j)] = fit.parameters[j];

    Eigen::LevenbergMarquardt<Residuals> solver(residuals);
    solver.setFtol(settings.tolerance);
    solver.setXtol(settings.tolerance);
    solver.setMaxfev(settings.maxEvaluations);
    const Eigen::LevenbergMarquardtSpace::Status status = solver.minimize(p);

    for (std::size_t j = 0; j < n; ++j)
        fit.parameters[j] = p[static_cast<Eigen::Index>(j)];
    fit.evaluations = static_cast<int>(solver.nfev());

    // The sum of squares from the model itself: a point where the model
    // has no finite value is no fit at all.
    double sum = 0;
    bool finite = true;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double r = model(x[i], fit.parameters, {}) - y[i];
        const double w = weights.empty() ? 1.0 : weights[i];
        sum += w * r * r;
        finite = finite && std::isfinite(r);
    }
    for (double value : fit.parameters)
        finite = finite && std::isfinite(value);
    fit.sumOfSquares = sum;
    fit.converged = finite && std::isfinite(sum) && solver.info() == Eigen::Success
        && status != Eigen::LevenbergMarquardtSpace::TooManyFunctionEvaluation;
    return fit;
}

} // namespace welkor
