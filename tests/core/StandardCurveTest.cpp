// The standard curve's models against fits made independently, with R 4.2.2
// (Debian 12's r-base-core), on a public ELISA calibration: R's data set
// datasets::DNase ("Elisa assay of DNase", from Davidian & Giltinan 1995,
// section 5.2.4), run 1, 16 wells: 8 concentrations of DNase in duplicate
// and their optical densities.
//
// The 4PL reference is the fit of the DNase help page's own example,
//   fm2 <- nls(density ~ SSfpl(log(conc), A, B, xmid, scal), data = DNase, subset = Run == 1)
// whose summary prints A = -0.007897, B = 2.377239, xmid = 1.507403,
// scal = 1.062579 (residual standard error 0.01981 on 12 df); in this
// model's terms a = A, d = B, b = 1 / scal, c = exp(xmid). The digits below
// come from the same fit carried to nls's tightest convergence. The other
// references are R's nls (algorithm "port" for the 5PL, whose sum of squares
// is very flat in c and g) and lm for the straight lines.
#include "core/analysis/StandardCurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace welkor;

namespace {

const std::vector<CurvePoint> kDNaseRun1 = {
    {0.04882812, 0.017}, {0.04882812, 0.018}, {0.1953125, 0.121}, {0.1953125, 0.124}, {0.390625, 0.206},
    {0.390625, 0.215},   {0.78125, 0.377},    {0.78125, 0.374},   {1.5625, 0.614},    {1.5625, 0.609},
    {3.125, 1.019},      {3.125, 1.001},      {6.25, 1.334},      {6.25, 1.364},      {12.5, 1.730},
    {12.5, 1.710}};

double Parameter(const StandardCurve& curve, const std::string& name)
{
    for (const CurveParameter& p : curve.parameters())
        if (p.name == name)
            return p.value;
    ADD_FAILURE() << "no parameter " << name;
    return NAN;
}

double SumOfSquares(const StandardCurve& curve, const std::vector<CurvePoint>& points, bool inverseSquare = false)
{
    double sum = 0;
    for (const CurvePoint& p : points) {
        const double r = curve.Response(p.concentration) - p.reading;
        sum += inverseSquare ? r * r / (p.reading * p.reading) : r * r;
    }
    return sum;
}

StandardCurve Fit(const std::vector<CurvePoint>& points, CurveModel model,
                  CurveWeighting weighting = CurveWeighting::None)
{
    const CurveFitResult fit = FitStandardCurve(points, {model, weighting});
    EXPECT_TRUE(fit.curve.has_value()) << fit.problem;
    return fit.curve.value_or(StandardCurve{});
}

// Readings of a known 4PL (or 5PL with g) at the given concentrations.
std::vector<CurvePoint> Exact(double a, double b, double c, double d, double g, const std::vector<double>& xs)
{
    std::vector<CurvePoint> points;
    for (double x : xs)
        points.push_back({x, d + (a - d) / std::pow(1 + std::pow(x / c, b), g)});
    return points;
}

std::string Problem(const std::vector<CurvePoint>& points, CurveModel model,
                    CurveWeighting weighting = CurveWeighting::None)
{
    const CurveFitResult fit = FitStandardCurve(points, {model, weighting});
    EXPECT_FALSE(fit.curve.has_value());
    return fit.problem;
}

} // namespace

TEST(StandardCurveReference, FourPlOfTheDNaseElisaAgreesWithR)
{
    const StandardCurve curve = Fit(kDNaseRun1, CurveModel::FourPL);
    // The printed summary of the help page's example.
    EXPECT_NEAR(Parameter(curve, "a"), -0.007897, 5e-7);
    EXPECT_NEAR(Parameter(curve, "d"), 2.377239, 5e-7);
    EXPECT_NEAR(std::log(Parameter(curve, "c")), 1.507403, 5e-7);
    EXPECT_NEAR(1 / Parameter(curve, "b"), 1.062579, 5e-7);
    // The same fit converged further: every parameter to 1e-7.
    EXPECT_NEAR(Parameter(curve, "a"), -0.00789717449216, 1e-9);
    EXPECT_NEAR(Parameter(curve, "b") / 0.941106819085, 1, 1e-7);
    EXPECT_NEAR(Parameter(curve, "c") / 4.51498980153, 1, 1e-7);
    EXPECT_NEAR(Parameter(curve, "d") / 2.37723886979313, 1, 1e-7);
    EXPECT_NEAR(SumOfSquares(curve, kDNaseRun1) / 0.00470725495815871, 1, 1e-9);
    // Residual standard error on 12 degrees of freedom, as R prints it.
    EXPECT_NEAR(std::sqrt(SumOfSquares(curve, kDNaseRun1) / 12), 0.01981, 5e-6);
}

TEST(StandardCurveReference, FivePlOfTheDNaseElisaAgreesWithR)
{
    // nls(density ~ d + (a - d)/(1 + (conc/exp(lc))^b)^exp(lg), algorithm = "port")
    // from the 4PL's values: "relative convergence (4)".
    const StandardCurve curve = Fit(kDNaseRun1, CurveModel::FivePL);
    EXPECT_NEAR(SumOfSquares(curve, kDNaseRun1) / 0.00470170910725017, 1, 1e-9);
    // The sum of squares hardly changes along a valley in c and g (R's own
    // runs from other starts end 1e-5 apart there): the parameters agree to
    // 1e-5, the well-determined b, d and a closer.
    EXPECT_NEAR(Parameter(curve, "a"), -0.0061647205, 1e-7);
    EXPECT_NEAR(Parameter(curve, "b") / 0.9545308292, 1, 1e-6);
    EXPECT_NEAR(Parameter(curve, "c") / 3.90954874672, 1, 1e-5);
    EXPECT_NEAR(Parameter(curve, "d") / 2.44457424951, 1, 1e-6);
    EXPECT_NEAR(Parameter(curve, "g") / 0.870329682652, 1, 1e-5);
    // What is read off the curve is well determined: the fitted readings
    // of R's curve at every standard agree to 1e-6.
    for (const CurvePoint& p : kDNaseRun1) {
        const double r = 2.44457424951
            + (-0.0061647205 - 2.44457424951)
                / std::pow(1 + std::pow(p.concentration / 3.90954874672, 0.9545308292), 0.870329682652);
        EXPECT_NEAR(curve.Response(p.concentration), r, 1e-6);
    }
}

TEST(StandardCurveReference, InverseSquareWeightsAgreeWithR)
{
    // nls(density ~ d + (a - d)/(1 + (conc/c)^b), weights = 1/density^2)
    const StandardCurve curve = Fit(kDNaseRun1, CurveModel::FourPL, CurveWeighting::InverseSquare);
    EXPECT_NEAR(Parameter(curve, "a") / -0.0328856771332, 1, 1e-6);
    EXPECT_NEAR(Parameter(curve, "b") / 0.8089657520612, 1, 1e-6);
    EXPECT_NEAR(Parameter(curve, "c") / 7.2555355399253, 1, 1e-6);
    EXPECT_NEAR(Parameter(curve, "d") / 2.8986920415599, 1, 1e-6);
    EXPECT_NEAR(SumOfSquares(curve, kDNaseRun1, true) / 0.0203265995600013, 1, 1e-9);
}

TEST(StandardCurveReference, StraightLinesAgreeWithRsLm)
{
    // lm(density ~ conc) and lm(log10(density) ~ log10(conc)) with R² from
    // summary().
    const StandardCurve linear = Fit(kDNaseRun1, CurveModel::Linear);
    EXPECT_NEAR(Parameter(linear, "m"), 0.13435922306086, 1e-12);
    EXPECT_NEAR(Parameter(linear, "k"), 0.25965011887073, 1e-12);
    EXPECT_NEAR(linear.rSquared(), 0.87467817717056, 1e-12);
    const StandardCurve logLog = Fit(kDNaseRun1, CurveModel::LogLog);
    EXPECT_NEAR(Parameter(logLog, "m"), 0.80005285803324, 1e-12);
    EXPECT_NEAR(Parameter(logLog, "k"), -0.45642547773705, 1e-12);
    EXPECT_NEAR(logLog.rSquared(), 0.95071478829744, 1e-12);
}

TEST(StandardCurveFit, ExactReadingsGiveBackTheirCurve)
{
    const std::vector<double> xs = {0, 0.5, 1, 2, 4, 8, 16, 32, 64};
    struct Case {
        CurveModel model;
        double a, b, c, d, g;
    };
    const Case cases[] = {
        {CurveModel::FourPL, 0.05, 1.3, 6, 2.1, 1},   // rising, a zero standard among them
        {CurveModel::FourPL, 2.4, 0.8, 3, 0.1, 1},    // falling: a competitive assay
        {CurveModel::FivePL, 0.08, 1.6, 10, 1.9, 0.4}, // asymmetric
    };
    for (const Case& k : cases) {
        const StandardCurve curve = Fit(Exact(k.a, k.b, k.c, k.d, k.g, xs), k.model);
        EXPECT_NEAR(Parameter(curve, "a"), k.a, 1e-7);
        EXPECT_NEAR(Parameter(curve, "b"), k.b, 1e-6);
        EXPECT_NEAR(Parameter(curve, "c"), k.c, 1e-6);
        EXPECT_NEAR(Parameter(curve, "d"), k.d, 1e-7);
        if (k.model == CurveModel::FivePL) {
            EXPECT_NEAR(Parameter(curve, "g"), k.g, 1e-6);
        }
        EXPECT_NEAR(curve.rSquared(), 1, 1e-12);
    }
}

TEST(StandardCurveFit, AFourPlWrittenWithANegativeSlopeIsTurnedToBPositive)
{
    // The same falling curve written as a = 0.1, b = -0.8, d = 2.4: the fit
    // reports b > 0 with a the reading at zero.
    const StandardCurve curve = Fit(Exact(0.1, -0.8, 3, 2.4, 1, {0.25, 0.5, 1, 2, 4, 8, 16, 32}), CurveModel::FourPL);
    EXPECT_NEAR(Parameter(curve, "b"), 0.8, 1e-6);
    EXPECT_NEAR(Parameter(curve, "a"), 2.4, 1e-7);
    EXPECT_NEAR(Parameter(curve, "d"), 0.1, 1e-7);
}

TEST(StandardCurveFit, EveryWellIsAPointNotTheMeanOfItsReplicates)
{
    // Three wells at one concentration and one at another pull a line
    // differently from their means.
    const std::vector<CurvePoint> points = {{1, 1.0}, {1, 1.0}, {1, 1.6}, {2, 2.0}, {3, 3.1}};
    const StandardCurve line = Fit(points, CurveModel::Linear);
    // lm(y ~ x) over the five points.
    EXPECT_NEAR(Parameter(line, "m"), 0.93125, 1e-12);
    EXPECT_NEAR(Parameter(line, "k"), 0.25, 1e-12);
}

TEST(StandardCurveFit, PointToPointJoinsTheMeansOfEachConcentration)
{
    const StandardCurve curve = Fit({{1, 0.1}, {1, 0.3}, {2, 0.5}, {4, 0.9}, {4, 1.1}}, CurveModel::PointToPoint);
    EXPECT_TRUE(curve.parameters().empty());
    EXPECT_DOUBLE_EQ(curve.Response(1.5), 0.35);
    EXPECT_DOUBLE_EQ(curve.Response(3), 0.75);
    EXPECT_DOUBLE_EQ(*curve.Inverse(0.75), 3);
    EXPECT_FALSE(curve.Inverse(1.2).has_value()); // no extrapolation
    EXPECT_NEAR(curve.rSquared(), 1 - 0.04 / 0.688, 1e-12);
}

TEST(StandardCurveRange, OnlyReadingsBetweenTheLowestAndHighestStandardGetANumber)
{
    // Rising 4PL through standards 1..16: readings beyond the curve's
    // response there are flagged, never extrapolated.
    const StandardCurve rising = Fit(Exact(0.05, 1.2, 5, 2.0, 1, {1, 2, 4, 8, 16}), CurveModel::FourPL);
    const double low = rising.responseAtLowest(), high = rising.responseAtHighest();
    EXPECT_NEAR(*rising.ReadConcentration(rising.Response(3)).concentration, 3, 1e-9);
    EXPECT_NEAR(*rising.ReadConcentration(low).concentration, 1, 1e-9);
    EXPECT_NEAR(*rising.ReadConcentration(high).concentration, 16, 1e-9);
    const ReadOff under = rising.ReadConcentration(low - 1e-6);
    EXPECT_FALSE(under.concentration.has_value());
    EXPECT_EQ(under.flag, RangeFlag::BelowRange);
    const ReadOff over = rising.ReadConcentration(high + 1e-6);
    EXPECT_FALSE(over.concentration.has_value());
    EXPECT_EQ(over.flag, RangeFlag::AboveRange);
    EXPECT_TRUE(rising.Inverse(high + 1e-6).has_value()); // a standard would still be back-calculated

    // Falling: a reading above the lowest standard's is a concentration below
    // the range.
    const StandardCurve falling = Fit(Exact(2.0, 1.2, 5, 0.05, 1, {1, 2, 4, 8, 16}), CurveModel::FourPL);
    EXPECT_EQ(falling.ReadConcentration(falling.responseAtLowest() + 0.01).flag, RangeFlag::BelowRange);
    EXPECT_EQ(falling.ReadConcentration(falling.responseAtHighest() - 0.01).flag, RangeFlag::AboveRange);
    EXPECT_NEAR(*falling.ReadConcentration(falling.Response(7)).concentration, 7, 1e-9);
    EXPECT_EQ(RangeFlagText(RangeFlag::BelowRange), "poni\xBF" "ej zakresu");
    EXPECT_EQ(RangeFlagText(RangeFlag::AboveRange), "powy\xBF" "ej zakresu");
}

TEST(StandardCurveRange, EveryModelReadsItsOwnResponseBack)
{
    for (CurveModel model : {CurveModel::FourPL, CurveModel::FivePL, CurveModel::Linear, CurveModel::LogLog,
                             CurveModel::PointToPoint}) {
        SCOPED_TRACE(CurveModelName(model));
        const StandardCurve curve = Fit(kDNaseRun1, model);
        for (double x : {0.06, 0.3, 1.0, 2.5, 10.0})
            EXPECT_NEAR(*curve.ReadConcentration(curve.Response(x)).concentration / x, 1, 1e-9);
        const std::vector<CurvePoint> points = curve.Points(0.04882812, 12.5, 50);
        ASSERT_EQ(points.size(), 50u);
        EXPECT_DOUBLE_EQ(points.front().concentration, 0.04882812);
        EXPECT_DOUBLE_EQ(points.back().concentration, 12.5);
        EXPECT_NEAR(points[25].concentration / points[24].concentration,
                    points[1].concentration / points[0].concentration, 1e-12); // logarithmic steps
    }
}

TEST(StandardCurveProblems, WhatIsMissingIsSaidPlainly)
{
    EXPECT_EQ(Problem({}, CurveModel::FourPL),
              "Nie zaznaczono \xBF\x61\x64nego standardu: wpisz w tabeli edycji \x84std\x94 i st\xEA\xBF\x65nie, "
              "np. \x84std 12,5\x94.");
    // Eight wells but three concentrations: a 4PL has four parameters.
    const std::vector<CurvePoint> three = {{1, 0.1}, {1, 0.11}, {1, 0.12}, {2, 0.5},
                                           {2, 0.52}, {4, 0.9}, {4, 0.92}, {4, 0.95}};
    EXPECT_EQ(Problem(three, CurveModel::FourPL),
              "Model 4PL ma 4 parametry: potrzebuje standard\xF3w o co najmniej tylu r\xF3\xBFnych st\xEA\xBF\x65"
              "niach, a standardy maj\xB9 3 r\xF3\xBFne st\xEA\xBF\x65nia.");
    EXPECT_NE(Problem({{1, 0.1}, {2, 0.2}, {3, 0.3}, {4, 0.4}}, CurveModel::FivePL).find("5 parametr\xF3w"),
              std::string::npos);
    EXPECT_NE(Problem({{1, 0.1}, {1, 0.2}}, CurveModel::PointToPoint).find("1 st\xEA\xBF\x65nie"), std::string::npos);
    EXPECT_TRUE(FitStandardCurve(three, {CurveModel::Linear, CurveWeighting::None}).curve.has_value());
}

TEST(StandardCurveProblems, ACurveThatCannotBeReadOffIsRefused)
{
    // Standards that do not change with concentration.
    EXPECT_NE(Problem({{1, 0.5}, {2, 0.5}, {4, 0.5}, {8, 0.5}}, CurveModel::FourPL).find("nie zmienia si\xEA"),
              std::string::npos);
    EXPECT_NE(Problem({{1, 0.5}, {2, 0.5}}, CurveModel::Linear).find("nie zmienia si\xEA"), std::string::npos);
    // Means that go up and down have no inverse.
    EXPECT_NE(Problem({{1, 0.1}, {2, 0.5}, {4, 0.3}}, CurveModel::PointToPoint).find("nie rosn\xB9"),
              std::string::npos);
    // With 1/y² weights the DNase 5PL has no minimum: c and g grow without
    // bound (R's optimiser runs off the same way).
    EXPECT_NE(Problem(kDNaseRun1, CurveModel::FivePL, CurveWeighting::InverseSquare).find("nie zbieg\xB3o si\xEA"),
              std::string::npos);
    // A reading of zero cannot be weighted by 1/y².
    EXPECT_NE(Problem({{0, 0}, {1, 0.2}, {2, 0.4}, {4, 0.8}}, CurveModel::Linear, CurveWeighting::InverseSquare)
                  .find("ma odczyt 0"),
              std::string::npos);
}

TEST(StandardCurveProblems, LogLogLeavesOutWhatHasNoLogarithmAndSaysSo)
{
    std::vector<CurvePoint> points = kDNaseRun1;
    points.push_back({0, 0.004});
    points.push_back({0, 0.006});
    const CurveFitResult fit = FitStandardCurve(points, {CurveModel::LogLog, CurveWeighting::None});
    ASSERT_TRUE(fit.curve.has_value());
    EXPECT_NEAR(Parameter(*fit.curve, "m"), 0.80005285803324, 1e-12); // as without them
    EXPECT_DOUBLE_EQ(fit.curve->lowestStandard(), 0.04882812);
    ASSERT_EQ(fit.notes.size(), 1u);
    EXPECT_NE(fit.notes[0].find("pomija 2 standardy"), std::string::npos);
}

TEST(StandardCurveProblems, WeightsThatMeanNothingForAModelAreNotedNotApplied)
{
    for (CurveModel model : {CurveModel::LogLog, CurveModel::PointToPoint}) {
        const CurveFitResult weighted = FitStandardCurve(kDNaseRun1, {model, CurveWeighting::InverseSquare});
        const CurveFitResult plain = FitStandardCurve(kDNaseRun1, {model, CurveWeighting::None});
        ASSERT_TRUE(weighted.curve && plain.curve);
        EXPECT_EQ(weighted.notes.size(), 1u);
        EXPECT_DOUBLE_EQ(weighted.curve->Response(2), plain.curve->Response(2));
    }
}
