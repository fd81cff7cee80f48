#include "core/output/PlateCsv.h"

#include "core/report/WellState.h"
#include "core/text/AsciiCase.h"
#include "core/text/Cp1250Literal.h"
#include "core/text/NumberText.h"

namespace welkor {

namespace {

// Marks are read with blanks, tabs and no-break spaces around them; numbers
// with blanks only, as StrToFloat reads them.
std::string_view Trim(std::string_view text, std::string_view blanks)
{
    while (!text.empty() && blanks.find(text.front()) != std::string_view::npos)
        text.remove_prefix(1);
    while (!text.empty() && blanks.find(text.back()) != std::string_view::npos)
        text.remove_suffix(1);
    return text;
}

} // namespace

std::string DecimalPointNumber(std::string_view wellText)
{
    std::string_view text = WithoutBlanks(wellText);
    long double value = 0;
    if (!IsPlainDecimal(text) && !TryStrToFloat(wellText, value))
        return {};
    std::string out;
    out.reserve(text.size() + 1);
    if (text.front() == '+' || text.front() == '-') {
        if (text.front() == '-')
            out.push_back('-');
        text.remove_prefix(1);
    }
    if (text.front() == kDecimalSeparator)
        out.push_back('0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch != kDecimalSeparator) {
            out.push_back(ch);
            continue;
        }
        // "1," is 1: a separator with no digit behind it is dropped.
        const bool digitFollows = i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9';
        if (digitFollows)
            out.push_back('.');
    }
    return out;
}

std::string_view WellStateName(std::string_view wellText)
{
    if (wellText.empty())
        return {};
    if (EqualsIgnoringAsciiCase(wellText, kBlankWord))
        return "blank";
    if (EqualsIgnoringAsciiCase(wellText, kUnderWord))
        return "under";
    if (EqualsIgnoringAsciiCase(wellText, kOverWord))
        return "over";
    long double value = 0;
    return TryStrToFloat(wellText, value) ? "liczba" : std::string_view();
}

std::string_view AnalysisMarkName(std::string_view cellText)
{
    const std::string_view text = Trim(cellText, " \t\xA0");
    if (EqualsIgnoringAsciiCase(text, "neg"))
        return "neg";
    if (EqualsIgnoringAsciiCase(text, "poz"))
        return "poz";
    if (EqualsIgnoringAsciiCase(text, "poniżej"_cp1250))
        return "poniżej";
    return {};
}

std::string CsvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string out = "\"";
    for (char ch : text) {
        if (ch == '"')
            out.push_back('"');
        out.push_back(ch);
    }
    out.push_back('"');
    return out;
}

std::string PlateCsv(const ValueTable& values)
{
    std::string out = "wiersz";
    for (int c = 1; c <= kPlateColumns; ++c)
        out += ',' + std::to_string(c);
    out += '\n';
    for (int r = 0; r < kPlateRows; ++r) {
        out += static_cast<char>('A' + r);
        for (int c = 0; c < kPlateColumns; ++c) {
            out += ',';
            out += DecimalPointNumber(values.at(r, c));
        }
        out += '\n';
    }
    return out;
}

LongTableWell LongTableEntry(const ValueTable& values, const GridTexts& storedAnalysis, int row, int column)
{
    LongTableWell well;
    well.rowLetter = static_cast<char>('A' + row);
    well.column = column + 1;
    const std::string& text = values.at(row, column);
    well.number = DecimalPointNumber(text);
    well.state = well.number.empty() ? WellStateName(text) : std::string_view("liczba");
    well.mark = AnalysisMarkName(storedAnalysis[static_cast<std::size_t>(row + 1)][static_cast<std::size_t>(column + 1)]);
    return well;
}

void AppendLongCsv(std::string& out, std::string_view fileName, const ValueTable& values,
                   const GridTexts& storedAnalysis)
{
    const std::string file = CsvField(fileName);
    for (int r = 0; r < kPlateRows; ++r) {
        for (int c = 0; c < kPlateColumns; ++c) {
            const LongTableWell well = LongTableEntry(values, storedAnalysis, r, c);
            const std::string column = std::to_string(well.column);
            out += file;
            out += ',';
            out += well.rowLetter;
            out += column;
            out += ',';
            out += well.rowLetter;
            out += ',';
            out += column;
            out += ',';
            out += well.number;
            out += ',';
            out += well.state;
            out += ',';
            out += well.mark;
            out += '\n';
        }
    }
}

} // namespace welkor
