#include "core/output/CurveTable.h"

#include "core/output/CurveCsv.h"
#include "core/output/PlateCsv.h"
#include "core/text/Cp1250.h"

#include <algorithm>

namespace welkor {

namespace {

std::string WithComma(std::string text)
{
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

} // namespace

std::vector<CurveTableRow> CurveTable(const PlateCurveResult& result)
{
    std::vector<CurveTableRow> rows;
    if (!result.ok())
        return rows;
    rows.reserve(result.wells.size());
    for (const CurveWell& well : result.wells) {
        CurveTableRow& row = rows.emplace_back();
        row.well = well.well;
        row.reading = well.reading;
        row.concentration = well.concentration;
        row.cells = {WellName(well.well.row, well.well.column), Cp1250ToUtf8(WellRoleText(well.role)),
                     WithComma(DecimalPointNumber(well.readingText)),
                     well.concentration ? CurveNumber(*well.concentration, ',') : std::string(),
                     CurveRemark(well, ',')};
    }
    return rows;
}

WorkbookContent CurveWorkbook(const PlateCurveResult& result, const CurveOptions& options)
{
    WorkbookContent content;
    if (!result.ok())
        return content;
    const StandardCurve& curve = *result.fit.curve;

    WorkbookSheet& wells = content.sheets.emplace_back();
    wells.name = kCurveWellsSheetName;
    wells.columnWidths = {11, 9, 9, 14, 32};
    std::vector<WorkbookCell>& headings = wells.rows.emplace_back();
    for (std::string_view heading : kCurveTableHeadings)
        headings.push_back(WorkbookCell::Text(std::string(heading), true));
    for (const CurveTableRow& row : CurveTable(result)) {
        wells.rows.push_back({WorkbookCell::Text(row.cells[0]), WorkbookCell::Text(row.cells[1]),
                              WorkbookCell::Number(row.reading),
                              row.concentration ? WorkbookCell::Number(*row.concentration) : WorkbookCell(),
                              row.cells[4].empty() ? WorkbookCell() : WorkbookCell::Text(row.cells[4])});
    }

    WorkbookSheet& fit = content.sheets.emplace_back();
    fit.name = kCurveSheetName;
    fit.columnWidths = {20, 16};
    fit.rows.push_back({WorkbookCell::Text("Model", true), WorkbookCell::Text(Cp1250ToUtf8(CurveModelName(options.model)))});
    fit.rows.push_back({WorkbookCell::Text("Ważenie", true),
                        WorkbookCell::Text(options.weighting == CurveWeighting::InverseSquare ? "1/y²" : "bez wag")});
    for (const CurveParameter& parameter : curve.parameters())
        fit.rows.push_back({WorkbookCell::Text(parameter.name, true), WorkbookCell::Number(parameter.value)});
    fit.rows.push_back({WorkbookCell::Text("R²", true), WorkbookCell::Number(curve.rSquared())});
    fit.rows.push_back({WorkbookCell::Text("Najniższy standard", true), WorkbookCell::Number(curve.lowestStandard())});
    fit.rows.push_back({WorkbookCell::Text("Najwyższy standard", true), WorkbookCell::Number(curve.highestStandard())});
    if (!result.notes.empty()) {
        fit.rows.emplace_back();
        fit.rows.push_back({WorkbookCell::Text("Uwagi", true)});
        for (const std::string& note : result.notes)
            fit.rows.push_back({WorkbookCell::Text(Cp1250ToUtf8(note))});
    }
    return content;
}

} // namespace welkor
