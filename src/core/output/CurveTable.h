#pragma once

#include "core/analysis/PlateCurve.h"
#include "core/output/WorkbookContent.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A plate read off its standard curve as the curve dialog's table shows it
// (the figures of `welkor-lumo-cli krzywa` with a decimal comma) and as the
// workbook the dialog saves. Texts are UTF-8.
namespace welkor {

inline constexpr std::array<std::string_view, 5> kCurveTableHeadings = {
    "Studzienka", "Rola", "Odczyt", "Stężenie", "Uwaga"};

struct CurveTableRow {
    WellPosition well;
    // The well, its role, the reading, the concentration (empty without a
    // number) and the remark, each the CSV's field with a decimal comma.
    std::array<std::string, 5> cells;
    double reading = 0;
    std::optional<double> concentration;
};

// One row per well of the result, A1 to H12 row by row; none without a curve.
std::vector<CurveTableRow> CurveTable(const PlateCurveResult& result);

inline constexpr std::string_view kCurveWellsSheetName = "Studzienki";
inline constexpr std::string_view kCurveSheetName = "Krzywa";

// Sheet "Studzienki": the table's headings and rows, the reading and the
// concentration as number cells. Sheet "Krzywa": the model, the weighting,
// each parameter and R² as numbers, the standards' range, then the notes.
// Empty content without a curve.
WorkbookContent CurveWorkbook(const PlateCurveResult& result, const CurveOptions& options);

} // namespace welkor
