#include "core/report/ReportCheck.h"

#include "core/report/ReportFile.h"
#include "core/report/ReportParsing.h"
#include "core/report/ValueTokens.h"
#include "core/report/WellState.h"
#include "core/text/Cp1250Literal.h"
#include "core/text/Error.h"
#include "core/text/NumberText.h"

#include <cmath>
#include <limits>

namespace welkor {

namespace {

// Control bytes other than TAB, CR and LF before the end of the text (a NUL).
bool HasControlBytes(std::string_view bytes)
{
    for (char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte == 0)
            break;
        if ((byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n') || byte == 0x7F)
            return true;
    }
    return false;
}

std::string ContentProblem(const ReportLines& lines);

} // namespace

std::string ReportProblem(std::string_view bytes, const ReportLines& lines)
{
    // A stray form feed or an end-of-file byte is just text in a report that
    // is otherwise fine; only a file that is no report at all and holds such
    // bytes is called binary, which says more than its first bad value would.
    std::string problem = ContentProblem(lines);
    if (!problem.empty() && HasControlBytes(bytes))
        return "Plik nie jest raportem z pomiaru: zawiera dane binarne.";
    return problem;
}

std::string ReportShapeProblem(std::string_view bytes)
{
    const ReportTextShape shape = MeasureReportText(bytes);
    if (shape.lines < kMinReportLines)
        return {}; // too short: the content check says so
    std::string problem = ReportShapeProblem(shape);
    if (!problem.empty() && HasControlBytes(bytes))
        return "Plik nie jest raportem z pomiaru: zawiera dane binarne.";
    return problem;
}

namespace {

std::string ContentProblem(const ReportLines& lines)
{
    if (std::string shortage = CheckReportContent(lines); !shortage.empty())
        return shortage;

    std::size_t found = 0;
    for (std::size_t i = kFirstValueLine; i <= kLastValueLine; ++i) {
        std::string problem;
        ForEachValueToken(lines[i], [&](std::string_view token) {
            if (!problem.empty() || found++ >= static_cast<std::size_t>(kPlateRows * kPlateColumns))
                return;
            long double value = 0;
            if (IsPlainDecimal(token) || HasNoReading(token))
                return;
            // "... wiersz 9 zawiera wartość ' abc', która nie jest liczbą."
            if (!TryStrToFloat(token, value))
                problem = "Plik nie jest raportem z pomiaru: wiersz " + std::to_string(i + 1) + " zawiera wartość '"_cp1250
                    + std::string(token) + "', która nie jest liczbą."_cp1250 + DecimalCommaHint(token);
            // The range and the plate hold values as doubles: a larger one
            // would turn into infinity there and show as such.
            else if (std::fabs(value) > std::numeric_limits<double>::max())
                problem = "Plik nie jest raportem z pomiaru: wiersz " + std::to_string(i + 1) + " zawiera liczbę '"_cp1250
                    + std::string(token) + "' spoza zakresu od -1,7E308 do 1,7E308.";
        });
        if (!problem.empty())
            return problem;
    }
    if (found == 0)
        return "Plik nie jest raportem z pomiaru: wiersze 7-18 nie zawierają żadnej wartości."_cp1250;
    return std::string();
}

} // namespace

} // namespace welkor
