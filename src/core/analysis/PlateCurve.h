#pragma once

#include "core/analysis/StandardCurve.h"
#include "core/report/ReportTypes.h"
#include "core/report/WellName.h"

#include <optional>
#include <string>
#include <vector>

// The standard curve of one plate: the wells with a numeric reading, their
// roles from the marks of the edit grid (or a saved analysis), the curve
// fitted to the standards and every well read off it. What the curve dialog
// shows and `welkor-lumo-cli krzywa` writes. Texts are code page 1250.
namespace welkor {

enum class WellRole { Sample, Standard, NegativeControl, PositiveControl };

struct CurveWell {
    WellPosition well;
    WellRole role = WellRole::Sample;
    std::string readingText; // the measured text, as the report holds it
    double reading = 0;
    std::optional<double> nominal; // a standard's marked concentration
    std::optional<double> concentration; // read off the curve; a standard's back-calculated one
    std::optional<double> recovery; // a standard's back-calculated / marked concentration, per cent
    RangeFlag flag = RangeFlag::None;
};

// A standard named outside the grid (the command line's --standardy).
struct StandardWell {
    WellPosition well;
    double concentration = 0;
};

// The plate as the curve sees it.
struct PlateCurveInput {
    // Every well with a numeric reading, A1 to H12 row by row.
    std::vector<CurveWell> wells;
    // Marks that stop the computation: a "std" whose concentration does not
    // read, with the well named.
    std::vector<std::string> problems;
    // Standards left out because their well has no numeric reading.
    std::vector<std::string> notes;
};

// Readings from the measured grid (" blank", " under", " over", empty texts
// and texts that are no number give no well); roles from `marks`, a grid of
// the same layout: " neg", " poz" and "std 12,5" read as "Analizuj" reads
// them, anything else a sample. With `standards` given, those wells are the
// standards and "std" marks in the grid are not read (such wells are
// samples).
PlateCurveInput ReadPlateForCurve(const GridTexts& measured, const GridTexts& marks,
    const std::optional<std::vector<StandardWell>>& standards = std::nullopt);

struct PlateCurveResult {
    // The fitted curve, or the reason there is none (fit.problem), and the
    // notes of the fit.
    CurveFitResult fit;
    // Every well of the input; with a curve, standards carry their
    // back-calculated concentration and recovery, the other wells their
    // concentration or a flag.
    std::vector<CurveWell> wells;
    // The notes of the plate and of the fit, in that order.
    std::vector<std::string> notes;

    bool ok() const { return fit.curve.has_value(); }
};

// The curve through the plate's standards and the plate read off it. No
// curve, with a plain reason, when the plate has no numeric reading, when no
// standard is marked, when a mark does not read, or when the fit fails.
PlateCurveResult QuantifyPlate(const PlateCurveInput& plate, const CurveOptions& options);

// "standard", "próbka", "neg", "poz" (code page 1250).
std::string WellRoleText(WellRole role);

} // namespace welkor
