#include "core/output/CurveCsv.h"

#include "core/output/PlateCsv.h"
#include "core/text/Cp1250.h"

#include <charconv>
#include <cmath>

namespace welkor {

namespace {

std::string Chars(double value, std::chars_format format, int precision)
{
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

std::string Remark(const CurveWell& well)
{
    if (well.flag != RangeFlag::None)
        return Cp1250ToUtf8(RangeFlagText(well.flag));
    if (well.role != WellRole::Standard || !well.nominal)
        return {};
    std::string remark = "nominalne " + CsvNumber(*well.nominal);
    if (well.recovery)
        remark += "; odzysk " + Chars(*well.recovery, std::chars_format::fixed, 1) + "%";
    return remark;
}

} // namespace

std::string CsvNumber(double value)
{
    if (!std::isfinite(value))
        return {};
    return Chars(value == 0 ? 0.0 : value, std::chars_format::general, 10);
}

std::string CurveCsv(const PlateCurveResult& result)
{
    std::string out(kCurveCsvHeader);
    for (const CurveWell& well : result.wells) {
        out += WellName(well.well.row, well.well.column);
        out += ',';
        out += Cp1250ToUtf8(WellRoleText(well.role));
        out += ',';
        out += DecimalPointNumber(well.readingText);
        out += ',';
        if (well.concentration)
            out += CsvNumber(*well.concentration);
        out += ',';
        out += CsvField(Remark(well));
        out += '\n';
    }
    return out;
}

std::string CurveSummary(const PlateCurveResult& result, const CurveOptions& options)
{
    std::string out;
    if (!result.fit.curve) {
        out = Cp1250ToUtf8(result.fit.problem) + "\n";
    } else {
        const StandardCurve& curve = *result.fit.curve;
        out += "Model: " + Cp1250ToUtf8(CurveModelName(options.model));
        out += options.weighting == CurveWeighting::InverseSquare ? ", waga 1/y²\n" : ", bez wag\n";
        for (const CurveParameter& parameter : curve.parameters())
            out += parameter.name + " = " + CsvNumber(parameter.value) + "\n";
        out += "R² = " + CsvNumber(curve.rSquared()) + "\n";
        int standards = 0;
        for (const CurveWell& well : result.wells)
            standards += well.role == WellRole::Standard ? 1 : 0;
        out += "Standardy: " + std::to_string(standards) + ", stężenia od " + CsvNumber(curve.lowestStandard()) + " do "
            + CsvNumber(curve.highestStandard()) + "\n";
    }
    for (const std::string& note : result.notes)
        out += Cp1250ToUtf8(note) + "\n";
    return out;
}

} // namespace welkor
