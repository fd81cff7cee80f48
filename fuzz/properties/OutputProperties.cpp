#include "OutputProperties.h"

#include "Verdict.h"

#include "core/document/ReportDocument.h"
#include "core/output/CopyRange.h"
#include "core/output/ExportDocument.h"
#include "core/output/PlateCsv.h"
#include "core/plate/PlatePicture.h"
#include "core/report/ReportFile.h"
#include "core/report/ReportParsing.h"
#include "core/report/WellName.h"
#include "core/text/Error.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

namespace welkor::fuzz {

namespace {

using CsvRows = std::vector<std::vector<std::string>>;

// Rows of fields as a strict CSV reader takes them: a quoted field may hold
// commas, line breaks and doubled quotes; LF ends every row, the last too.
// Nothing when the text is not such CSV (a quote inside an unquoted field, a
// quote left open, text after a closing quote, a CR outside quotes).
std::optional<CsvRows> ParseCsv(std::string_view text)
{
    CsvRows rows;
    std::vector<std::string> row;
    std::string field;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"') {
            for (++i;; ++i) {
                if (i >= text.size())
                    return std::nullopt;
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i];
            }
            if (i < text.size() && text[i] != ',' && text[i] != '\n')
                return std::nullopt;
        } else {
            while (i < text.size() && text[i] != ',' && text[i] != '\n') {
                if (text[i] == '"' || text[i] == '\r')
                    return std::nullopt;
                field += text[i++];
            }
        }
        if (i >= text.size())
            return std::nullopt; // the last row has no LF
        row.push_back(std::move(field));
        field.clear();
        if (text[i++] == '\n') {
            rows.push_back(std::move(row));
            row.clear();
        }
    }
    return rows;
}

bool ValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                                                            : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                                                                           : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

bool HasControl(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x20; });
}

// A number field of a CSV against the well text it came from: both the same
// double, give or take the last bit (the text is read in extended precision).
bool SameNumber(const std::string& field, const std::string& wellText)
{
    double written = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), written);
    long double read = 0;
    if (end != field.data() + field.size() || !TryStrToFloat(wellText, read))
        return false;
    const double expected = static_cast<double>(read);
    if (error == std::errc::result_out_of_range) // beyond a double either way
        return std::fabs(expected) > 1e300 || std::fabs(expected) < 1e-300;
    if (error != std::errc())
        return false;
    if (std::fabs(expected) < 1e-300)
        return std::fabs(written) < 1e-290;
    return written == expected || written == std::nextafter(expected, 0.0)
        || written == std::nextafter(expected, std::copysign(HUGE_VAL, expected));
}

void CheckLongCsv(std::string_view fileName, const ValueTable& values, const GridTexts& stored, Verdict& verdict)
{
    std::string csv(kLongCsvHeader);
    AppendLongCsv(csv, fileName, values, stored);
    const std::optional<CsvRows> rows = ParseCsv(csv);
    if (!verdict.Expect(rows.has_value(), [&] { return "the long CSV is no CSV: " + Shown(csv); }))
        return;
    if (!verdict.Expect(rows->size() == 97 && (*rows)[0] == std::vector<std::string>{"plik", "studzienka", "wiersz",
                                                                                        "kolumna", "wartosc", "stan",
                                                                                        "znacznik"},
                        "the long CSV has no header and 96 rows"))
        return;
    for (int r = 0; r < kPlateRows; ++r) {
        for (int c = 0; c < kPlateColumns; ++c) {
            const std::vector<std::string>& f = (*rows)[static_cast<std::size_t>(1 + r * kPlateColumns + c)];
            const std::string& text = values.at(r, c);
            const auto where = [&] { return "long CSV row of " + WellName(r, c) + " (" + Shown(text) + ")"; };
            if (!verdict.Expect(f.size() == 7, [&] { return where() + " has " + std::to_string(f.size()) + " fields"; }))
                return;
            verdict.Expect(f[0] == fileName, [&] { return where() + ": the file name " + Shown(f[0]); });
            verdict.Expect(f[1] == WellName(r, c) && f[2] == std::string(1, static_cast<char>('A' + r))
                               && f[3] == std::to_string(c + 1),
                           [&] { return where() + ": well " + f[1] + " " + f[2] + " " + f[3]; });
            const std::string_view state = WellStateName(text);
            verdict.Expect(f[5] == state, [&] { return where() + ": state " + f[5]; });
            verdict.Expect(state == "liczba" ? SameNumber(f[4], text) : f[4].empty(),
                           [&] { return where() + ": value " + Shown(f[4]); });
            verdict.Expect(f[6] == AnalysisMarkName(stored[static_cast<std::size_t>(r + 1)][static_cast<std::size_t>(c + 1)]),
                           [&] { return where() + ": mark " + Shown(f[6]); });
            for (std::size_t k = 1; k < f.size(); ++k)
                verdict.Expect(ValidUtf8(f[k]) && !HasControl(f[k]),
                               [&] { return where() + ": field " + Shown(f[k]) + " is no clean UTF-8"; });
        }
    }
}

void CheckPlateCsv(const ValueTable& values, Verdict& verdict)
{
    const std::string csv = PlateCsv(values);
    const std::optional<CsvRows> rows = ParseCsv(csv);
    if (!verdict.Expect(rows && rows->size() == 9, [&] { return "the plate CSV is no 9-row CSV: " + Shown(csv); }))
        return;
    std::vector<std::string> heading{"wiersz"};
    for (int c = 1; c <= kPlateColumns; ++c)
        heading.push_back(std::to_string(c));
    verdict.Expect((*rows)[0] == heading, "the plate CSV's heading row");
    for (int r = 0; r < kPlateRows; ++r) {
        const std::vector<std::string>& f = (*rows)[static_cast<std::size_t>(r + 1)];
        if (!verdict.Expect(f.size() == 13 && f[0] == std::string(1, static_cast<char>('A' + r)),
                            [&] { return "plate CSV row " + std::to_string(r + 1) + " is no row of 13 fields"; }))
            return;
        for (int c = 0; c < kPlateColumns; ++c) {
            const std::string& text = values.at(r, c);
            const std::string& field = f[static_cast<std::size_t>(c + 1)];
            const std::string_view state = WellStateName(text);
            // A well without a number is an empty field: the grid stays numeric.
            verdict.Expect(state == "liczba" ? SameNumber(field, text) : field.empty(), [&] {
                return "plate CSV field of " + WellName(r, c) + " is " + Shown(field) + " for " + Shown(text);
            });
        }
    }
}

std::string WithoutControls(std::string text)
{
    for (char& ch : text)
        if (static_cast<unsigned char>(ch) < 0x20 || ch == '\x7F')
            ch = ' ';
    return text;
}

void CheckExport(const ReportDocument& doc, Verdict& verdict)
{
    const std::string bytes = doc.ExportBytes();
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", start);
        if (!verdict.Expect(end != std::string::npos, "the export's last line has no CR LF"))
            return;
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    for (const std::string& line : lines)
        if (!verdict.Expect(line.find_first_of("\r\n") == std::string::npos,
                            [&] { return "an export line holds a line break: " + Shown(line); }))
            return;
    const std::vector<std::string> comment = UserCommentLines(doc.commentLines());
    if (!verdict.Expect(lines.size() == 24 + comment.size(), "the export has the wrong number of lines"))
        return;
    auto grid = [&](std::size_t first, const GridTexts& cells, const char* what) {
        for (std::size_t r = 0; r < static_cast<std::size_t>(kGridRows); ++r) {
            std::vector<std::string> fields;
            for (std::size_t from = 0;;) {
                const std::size_t tab = lines[first + r].find('\t', from);
                fields.push_back(lines[first + r].substr(from, tab - from));
                if (tab == std::string::npos)
                    break;
                from = tab + 1;
            }
            std::vector<std::string> expected;
            for (const std::string& cell : cells[r])
                expected.push_back(WithoutControls(cell));
            verdict.Expect(fields == expected, [&] {
                return std::string("export row ") + std::to_string(r) + " of the " + what + " grid: "
                    + Shown(lines[first + r]);
            });
        }
    };
    verdict.Expect(lines[0].empty() && lines[1] == "Pomiar", "the export does not start with \"Pomiar\"");
    grid(2, doc.measuredGrid(), "measured");
    verdict.Expect(lines[11].empty() && lines[12] == kCommentHeading, "no \"Komentarz\" after the measured grid");
    verdict.Expect(std::equal(comment.begin(), comment.end(), lines.begin() + 13),
                   "the export's comment is not the comment written");
    const std::size_t analysis = 13 + comment.size();
    verdict.Expect(lines[analysis].empty() && lines[analysis + 1] == kAnalysisHeading, "no \"Analiza\" after the comment");
    grid(analysis + 2, doc.editGrid(), "edit");
}

void CheckClipboard(const ReportDocument& doc, std::string_view corners, Verdict& verdict)
{
    auto at = [&](std::size_t i) { return i < corners.size() ? static_cast<unsigned char>(corners[i]) % 16 : 0; };
    const CellRange range = RangeBetween(at(0), at(1), at(2), at(3));
    for (const bool measured : {true, false}) {
        const GridTexts& cells = measured ? doc.measuredGrid() : doc.editGrid();
        const std::string text = doc.ClipboardText(measured, range);
        std::size_t crs = 0;
        std::size_t lfs = 0;
        bool plain = true; // no cell holds a TAB or a CR
        std::vector<std::vector<std::string>> expected;
        for (int r = range.top; r <= range.bottom; ++r) {
            expected.emplace_back();
            for (int c = range.left; c <= range.right; ++c) {
                const std::string& cell = cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
                crs += static_cast<std::size_t>(std::count(cell.begin(), cell.end(), '\r'));
                lfs += static_cast<std::size_t>(std::count(cell.begin(), cell.end(), '\n'));
                plain = plain && cell.find_first_of("\t\r") == std::string::npos;
                expected.back().push_back(cell);
            }
        }
        verdict.Expect(!text.empty() && text.back() == '\r', "the clipboard text does not end with CR");
        verdict.Expect(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r')) == crs + expected.size()
                           && static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) == lfs,
                       [&] { return "the clipboard text's line ends: " + Shown(text); });
        if (!plain)
            continue;
        std::vector<std::vector<std::string>> read;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find('\r', start);
            std::vector<std::string> row;
            for (std::size_t from = start;;) {
                const std::size_t tab = text.find('\t', from);
                if (tab == std::string::npos || tab > end) {
                    row.push_back(text.substr(from, end - from));
                    break;
                }
                row.push_back(text.substr(from, tab - from));
                from = tab + 1;
            }
            read.push_back(std::move(row));
            start = end + 1;
        }
        verdict.Expect(read == expected, [&] { return "the clipboard text's cells: " + Shown(text); });
    }
}

// Well-formed XML as any reader needs it: UTF-8 without control characters
// but TAB, CR and LF; one root element; tags that nest and close; quoted
// attributes without "<", "&" but for entities, or their own quote; text
// without "<" and with only known entities. Empty when so, else why not.
std::string XmlProblem(std::string_view xml)
{
    if (!ValidUtf8(xml))
        return "not UTF-8";
    for (char ch : xml)
        if (static_cast<unsigned char>(ch) < 0x20 && ch != '\t' && ch != '\r' && ch != '\n')
            return "a control character";
    auto entityAt = [&](std::size_t i) {
        for (std::string_view e : {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"})
            if (xml.substr(i, e.size()) == e)
                return true;
        return false;
    };
    auto nameChar = [](char ch) {
        return std::isalnum(static_cast<unsigned char>(ch)) || ch == '-' || ch == '_' || ch == ':' || ch == '.';
    };
    std::size_t i = 0;
    if (xml.substr(0, 5) == "<?xml") {
        i = xml.find("?>");
        if (i == std::string_view::npos)
            return "an unclosed declaration";
        i += 2;
    }
    std::vector<std::string> open;
    bool rootSeen = false;
    while (i < xml.size()) {
        if (xml[i] != '<') {
            if (xml[i] == '&' && !entityAt(i))
                return "a bare & in text";
            if (open.empty() && !std::isspace(static_cast<unsigned char>(xml[i])))
                return "text outside the root element";
            ++i;
            continue;
        }
        const bool closing = i + 1 < xml.size() && xml[i + 1] == '/';
        std::size_t p = i + (closing ? 2 : 1);
        const std::size_t nameStart = p;
        while (p < xml.size() && nameChar(xml[p]))
            ++p;
        const std::string name(xml.substr(nameStart, p - nameStart));
        if (name.empty())
            return "a tag without a name";
        if (closing) {
            if (open.empty() || open.back() != name)
                return "</" + name + "> closes nothing open";
            open.pop_back();
            if (p >= xml.size() || xml[p] != '>')
                return "a closing tag without >";
            i = p + 1;
            continue;
        }
        if (open.empty() && rootSeen)
            return "a second root element";
        for (;;) {
            while (p < xml.size() && std::isspace(static_cast<unsigned char>(xml[p])))
                ++p;
            if (p >= xml.size())
                return "an unclosed tag <" + name;
            if (xml[p] == '>' || xml.substr(p, 2) == "/>")
                break;
            const std::size_t attribute = p;
            while (p < xml.size() && nameChar(xml[p]))
                ++p;
            if (p == attribute || p + 1 >= xml.size() || xml[p] != '=' || (xml[p + 1] != '"' && xml[p + 1] != '\''))
                return "an attribute without a quoted value in <" + name;
            const char quote = xml[p + 1];
            for (p += 2; p < xml.size() && xml[p] != quote; ++p)
                if (xml[p] == '<' || (xml[p] == '&' && !entityAt(p)))
                    return "a < or a bare & in an attribute of <" + name;
            if (p >= xml.size())
                return "an unclosed attribute in <" + name;
            ++p;
        }
        rootSeen = true;
        if (xml[p] == '>') {
            open.push_back(name);
            i = p + 1;
        } else {
            i = p + 2;
        }
    }
    if (!open.empty())
        return "<" + open.back() + "> is never closed";
    return rootSeen ? std::string() : "no root element";
}

// Whether a report could bring these well texts: each a number within a
// double's range, a state word, or nothing.
bool ReportCouldHold(const ValueTable& values)
{
    return std::all_of(values.cells.begin(), values.cells.end(), [](const std::string& text) {
        long double value = 0;
        const std::string_view state = WellStateName(text);
        return text.empty() || (!state.empty() && (state != "liczba" || (TryStrToFloat(text, value)
                                                                         && std::fabs(value) <= 1.7e308L)));
    });
}

void CheckSvg(const ValueTable& values, bool glow, Verdict& verdict)
{
    PlatePicture picture;
    try {
        picture = DrawPlate(values, glow);
    } catch (const Error& e) {
        verdict.Expect(false, std::string("the plate of a report cannot be drawn: ") + e.what());
        return;
    }
    const std::string svg = PlateSvg(picture);
    const std::string problem = XmlProblem(svg);
    verdict.Expect(problem.empty(), [&] { return "the plate SVG is not well-formed XML (" + problem + "): " + Shown(svg); });
    std::size_t circles = 0;
    for (std::size_t at = svg.find("<circle "); at != std::string::npos; at = svg.find("<circle ", at + 1))
        ++circles;
    verdict.Expect(circles == picture.circles.size() && circles == 96 + 5,
                   [&] { return "the plate SVG has " + std::to_string(circles) + " circles"; });
}

} // namespace

std::string CheckOutputFormats(std::string_view bytes)
{
    Verdict verdict;
    // A plate and a stored analysis whatever the bytes: their tab-separated
    // pieces as well texts and cells, and the first line as a file name.
    const std::string_view fileName = bytes.substr(0, std::min<std::size_t>(bytes.find('\n'), 64));
    ValueTable pieces;
    GridTexts stored;
    std::size_t from = 0;
    for (int k = 0; k < kPlateRows * kPlateColumns && from <= bytes.size(); ++k) {
        const std::size_t tab = std::min(bytes.find('\t', from), bytes.size());
        pieces.cells[static_cast<std::size_t>(k)] = std::string(bytes.substr(from, tab - from));
        stored[static_cast<std::size_t>(1 + k / kPlateColumns)][static_cast<std::size_t>(1 + k % kPlateColumns)]
            = pieces.cells[static_cast<std::size_t>(95 - k)];
        from = tab + 1;
    }
    const bool glow = !bytes.empty() && (static_cast<unsigned char>(bytes.back()) & 1) != 0;
    CheckLongCsv(fileName, pieces, stored, verdict);
    CheckPlateCsv(pieces, verdict);
    if (ReportCouldHold(pieces))
        CheckSvg(pieces, glow, verdict);

    // The report as the window opens it, its comment lines typed into the
    // edit grid one cell after another.
    OpenedReport opened = ReportDocument::Open(bytes);
    if (opened.ok()) {
        ReportDocument& doc = *opened.document;
        const std::vector<std::string> comment = doc.commentLines();
        for (std::size_t k = 1; k < comment.size() && k <= 96; ++k)
            doc.setEditCell(static_cast<int>(1 + (k - 1) % 12), static_cast<int>(1 + (k - 1) / 12), comment[k]);
        CheckLongCsv(fileName, doc.values(), doc.storedAnalysis(), verdict);
        CheckPlateCsv(doc.values(), verdict);
        CheckSvg(doc.values(), glow, verdict);
        CheckExport(doc, verdict);
        CheckClipboard(doc, bytes.substr(bytes.size() >= 4 ? bytes.size() - 4 : 0), verdict);
    }
    return verdict.Failure();
}

} // namespace welkor::fuzz
