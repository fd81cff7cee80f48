#include "core/output/CurveCsv.h"

#include "core/output/PlateCsv.h"
#include "core/text/Cp1250.h"

#include <algorithm>
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

} // namespace

std::string CsvNumber(double value)
{
    if (!std::isfinite(value))
        return {};
    return Chars(value == 0 ? 0.0 : value, std::chars_format::general, 10);
}

std::string CurveNumber(double value, char separator)
{
    std::string text = CsvNumber(value);
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

std::string CurveRemark(const CurveWell& well, char separator)
{
    if (well.flag != RangeFlag::None)
        return Cp1250ToUtf8(RangeFlagText(well.flag));
    if (well.role != WellRole::Standard || !well.nominal)
        return {};
    std::string remark = "nominalne " + CurveNumber(*well.nominal, separator);
    if (well.recovery) {
        std::string recovery = Chars(*well.recovery, std::chars_format::fixed, 1);
        std::replace(recovery.begin(), recovery.end(), '.', separator);
        remark += "; odzysk " + recovery + "%";
    }
    return remark;
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
        out += CsvField(CurveRemark(well));
        out += '\n';
    }
    return out;
}

std::vector<std::string> CurveSummaryLines(const PlateCurveResult& result, const CurveOptions& options,
                                           char separator)
{
    std::vector<std::string> lines;
    if (!result.fit.curve) {
        lines.push_back(Cp1250ToUtf8(result.fit.problem));
    } else {
        const StandardCurve& curve = *result.fit.curve;
        lines.push_back("Model: " + Cp1250ToUtf8(CurveModelName(options.model))
            + (options.weighting == CurveWeighting::InverseSquare ? ", waga 1/y²" : ", bez wag"));
        for (const CurveParameter& parameter : curve.parameters())
            lines.push_back(parameter.name + " = " + CurveNumber(parameter.value, separator));
        lines.push_back("R² = " + CurveNumber(curve.rSquared(), separator));
        int standards = 0;
        for (const CurveWell& well : result.wells)
            standards += well.role == WellRole::Standard ? 1 : 0;
        lines.push_back("Standardy: " + std::to_string(standards) + ", stężenia od "
            + CurveNumber(curve.lowestStandard(), separator) + " do " + CurveNumber(curve.highestStandard(), separator));
    }
    for (const std::string& note : result.notes)
        lines.push_back(Cp1250ToUtf8(note));
    return lines;
}

std::string CurveSummary(const PlateCurveResult& result, const CurveOptions& options)
{
    std::string out;
    for (const std::string& line : CurveSummaryLines(result, options, '.'))
        out += line + "\n";
    return out;
}

} // namespace welkor
