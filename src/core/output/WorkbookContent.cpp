#include "core/output/WorkbookContent.h"

#include "core/document/ReportDocument.h"
#include "core/output/PlateCsv.h"
#include "core/report/ReportFile.h"
#include "core/report/ReportParsing.h"
#include "core/text/Cp1250.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <charconv>

namespace welkor {

namespace {

bool IsHexDigit(char ch)
{
    return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}

// "_x" + four hex digits + "_" starts at `at`: spreadsheets read it as one
// escaped character.
bool EscapeLookalikeAt(std::string_view text, std::size_t at)
{
    if (text.size() - at < 7 || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_')
        return false;
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(at + 2),
                       text.begin() + static_cast<std::ptrdiff_t>(at + 6), IsHexDigit);
}

bool IsContinuationByte(char ch) { return (static_cast<unsigned char>(ch) & 0xC0) == 0x80; }

// A line of valid UTF-8 in pieces that each fit a cell once stored (an
// escaped underscore counts its seven characters); an empty line stays one
// empty piece.
std::vector<std::string> CellPieces(std::string_view line)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    std::size_t characters = 0;
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (IsContinuationByte(line[at]))
            continue;
        const std::size_t cost = EscapeLookalikeAt(line, at) ? 7 : 1;
        if (characters + cost > kMaxCellCharacters) {
            pieces.emplace_back(line.substr(start, at - start));
            start = at;
            characters = 0;
        }
        characters += cost;
    }
    pieces.emplace_back(line.substr(start));
    return pieces;
}

WorkbookCell NumberOrText(const std::string& decimalPointNumber)
{
    double value = 0;
    const char* end = decimalPointNumber.data() + decimalPointNumber.size();
    const auto [stop, error] = std::from_chars(decimalPointNumber.data(), end, value);
    if (error == std::errc() && stop == end)
        return WorkbookCell::Number(value);
    return WorkbookCell::Text(decimalPointNumber);
}

void AppendGrid(std::vector<std::vector<WorkbookCell>>& rows, const GridTexts& grid)
{
    for (std::size_t r = 0; r < grid.size(); ++r) {
        std::vector<WorkbookCell>& row = rows.emplace_back();
        for (std::size_t c = 0; c < grid[r].size(); ++c)
            row.push_back(GridCell(grid[r][c], r == 0 || c == 0));
    }
}

WorkbookSheet PlateSheet(const ReportDocument& report)
{
    WorkbookSheet sheet;
    sheet.name = kPlateSheetName;
    AppendGrid(sheet.rows, report.measuredGrid());
    sheet.rows.emplace_back();
    sheet.rows.push_back({WorkbookCell::Text(std::string(kAnalysisHeading), true)});
    AppendGrid(sheet.rows, report.editGrid());
    sheet.rows.emplace_back();
    sheet.rows.push_back({WorkbookCell::Text(std::string(kCommentHeading), true)});
    for (const std::string& line : CommentBodyLines(report.commentLines())) {
        std::vector<WorkbookCell>& row = sheet.rows.emplace_back();
        if (line.empty())
            continue;
        for (std::string& piece : CellPieces(Cp1250ToUtf8(line)))
            row.push_back(WorkbookCell::Text(std::move(piece)));
    }
    return sheet;
}

WorkbookCell TextOrEmpty(std::string_view text)
{
    return text.empty() ? WorkbookCell() : WorkbookCell::Text(std::string(text));
}

WorkbookSheet LongTableSheet(const ReportDocument& report, std::string_view fileName)
{
    WorkbookSheet sheet;
    sheet.name = kLongTableSheetName;
    std::vector<WorkbookCell>& heading = sheet.rows.emplace_back();
    std::string_view names = kLongCsvHeader.substr(0, kLongCsvHeader.size() - 1); // without its line feed
    for (std::size_t comma; (comma = names.find(',')) != std::string_view::npos; names.remove_prefix(comma + 1))
        heading.push_back(WorkbookCell::Text(std::string(names.substr(0, comma)), true));
    heading.push_back(WorkbookCell::Text(std::string(names), true));

    const std::string file = ValidUtf8(fileName);
    for (int r = 0; r < kPlateRows; ++r) {
        for (int c = 0; c < kPlateColumns; ++c) {
            const LongTableWell well = LongTableEntry(report.values(), report.storedAnalysis(), r, c);
            const std::string letter(1, well.rowLetter);
            sheet.rows.push_back({WorkbookCell::Text(file), WorkbookCell::Text(letter + std::to_string(well.column)),
                                  WorkbookCell::Text(letter), WorkbookCell::Number(well.column),
                                  well.number.empty() ? WorkbookCell() : NumberOrText(well.number),
                                  TextOrEmpty(well.state), TextOrEmpty(well.mark)});
        }
    }
    // The file's name in full where it is short enough to read at a glance.
    const double nameWidth = std::clamp(static_cast<double>(file.size()) + 2, 10.0, 60.0);
    sheet.columnWidths = {nameWidth, 11, 8, 8, 10, 8, 10};
    return sheet;
}

} // namespace

WorkbookCell WorkbookCell::Number(double value, bool bold)
{
    WorkbookCell cell;
    cell.kind = Kind::Number;
    cell.number = value;
    cell.bold = bold;
    return cell;
}

WorkbookCell WorkbookCell::Text(std::string utf8, bool bold)
{
    WorkbookCell cell;
    cell.kind = Kind::Text;
    cell.text = std::move(utf8);
    cell.bold = bold;
    return cell;
}

std::optional<double> CellNumber(std::string_view text)
{
    const std::string number = DecimalPointNumber(text);
    if (number.empty())
        return std::nullopt;
    const WorkbookCell cell = NumberOrText(number);
    if (cell.kind != WorkbookCell::Kind::Number)
        return std::nullopt;
    return cell.number;
}

WorkbookCell GridCell(std::string_view text, bool bold)
{
    if (const std::optional<double> number = CellNumber(text))
        return WorkbookCell::Number(*number, bold);
    const std::string_view shown = WithoutBlanks(text);
    if (shown.empty())
        return {};
    return WorkbookCell::Text(Cp1250ToUtf8(shown), bold);
}

std::string SpreadsheetText(std::string_view utf8)
{
    const std::string valid = ValidUtf8(utf8);
    std::string out;
    out.reserve(valid.size());
    for (std::size_t at = 0; at < valid.size(); ++at) {
        // U+FFFE and U+FFFF: EF BF BE and EF BF BF.
        if (valid.compare(at, 2, "\xEF\xBF") == 0 && at + 2 < valid.size()
            && (valid[at + 2] == '\xBE' || valid[at + 2] == '\xBF')) {
            out += "\xEF\xBF\xBD";
            at += 2;
            continue;
        }
        if (EscapeLookalikeAt(valid, at))
            out += "_x005F";
        out += valid[at];
    }
    return out;
}

WorkbookContent ReportWorkbook(const ReportDocument& report, std::string_view fileName)
{
    WorkbookContent content;
    content.sheets.push_back(PlateSheet(report));
    content.sheets.push_back(LongTableSheet(report, fileName));
    return content;
}

} // namespace welkor
