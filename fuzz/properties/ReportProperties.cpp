#include "ReportProperties.h"

#include "NumberProperties.h"

#include "core/analysis/CutoffAnalysis.h"
#include "core/analysis/StandardMark.h"
#include "core/document/ReportDocument.h"
#include "core/plate/CalibrationRange.h"
#include "core/plate/TKonwersjaKoloru.h"
#include "core/plate/WellColouring.h"
#include "core/report/ReportCheck.h"
#include "core/report/ReportFile.h"
#include "core/report/WellState.h"
#include "core/text/AsciiCase.h"
#include "core/text/Cp1250.h"
#include "core/text/Error.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace welkor::fuzz {

namespace {

constexpr std::string_view kBelowMark = " poni\xBF" "ej";

std::string Where(int row, int column) { return "well " + std::to_string(row) + "," + std::to_string(column); }

// A mark as the analysis reads it: blanks around it (tabs and no-break
// spaces too: a saved cell keeps its inner blanks as those) and letter case
// do not count.
std::string MarkWord(std::string_view cell)
{
    constexpr std::string_view blanks = " \t\xA0";
    while (!cell.empty() && blanks.find(cell.front()) != std::string_view::npos)
        cell.remove_prefix(1);
    while (!cell.empty() && blanks.find(cell.back()) != std::string_view::npos)
        cell.remove_suffix(1);
    return AsciiLower(cell);
}

// A control mark in any form the analysis has always taken as one: typed
// "neg"/"poz", or " neg"/" poz" in any letter case.
bool IsControlMark(std::string_view cell)
{
    const std::string lower = AsciiLower(cell);
    return cell == "neg" || cell == "poz" || lower == " neg" || lower == " poz";
}

bool IsNumber(std::string_view text)
{
    long double x = 0;
    return !HasNoReading(text) && TryStrToFloat(text, x);
}

void CheckLines(std::string_view bytes, const ReportLines& lines, Verdict& verdict)
{
    for (const std::string& line : lines)
        if (!verdict.Expect(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos,
                            [&] { return "a split line holds a line end or a NUL: " + Shown(line); }))
            return;
    verdict.Expect(SplitReportText(JoinReportLines(lines)) == lines,
                   [&] { return "the lines of " + Shown(bytes) + " do not come back from writing them"; });
}

void CheckOpened(const OpenReport& r, Verdict& verdict)
{
    verdict.Expect(r.text.displayed.size() == 15, "the report memo does not hold 15 lines");
    verdict.Expect(!r.text.comment.empty() && r.text.comment.front() == kCommentHeading,
                   "the comment memo does not start with \"Komentarz\"");
    verdict.Expect(MarkerLineCount(r.text.comment) == 0, "the comment memo shows a marker line");
    const std::optional<std::size_t> marker = FindAnalysisMarker(r.lines);
    verdict.Expect(r.fresh == !marker.has_value(), "the fresh flag does not follow the analysis block");
    verdict.Expect(!marker || (*marker >= kMinReportLines && *marker + 3 <= r.lines.size()),
                   "an analysis block outside the comment part");
}

} // namespace

void CheckRangeAndPlate(ValueTable values, int lowerPosition, int upperPosition, Verdict& verdict)
{
    RangeState range;
    RangeFound found;
    try {
        found = FindRange(values, range);
    } catch (const Error& e) {
        verdict.Expect(false, [&] { return std::string("the range step refused a checked report: ") + e.what(); });
        return;
    }
    verdict.Expect(found.lowerPosition >= 0 && found.lowerPosition <= kTrackBarMax && found.upperPosition >= 0 &&
                       found.upperPosition <= kTrackBarMax,
                   "a track bar position outside 0-5000");

    std::array<std::optional<double>, kWellCount> numbers;
    bool any = false;
    for (int row = 0; row < kPlateRows; ++row) {
        for (int column = 0; column < kPlateColumns; ++column) {
            const std::string& text = values.at(row, column);
            if (HasNoReading(text))
                continue;
            const double x = static_cast<double>(WellNumber(text));
            numbers[static_cast<std::size_t>(row * kPlateColumns + column)] = x;
            any = true;
            verdict.Expect(range.dataMin <= x && x <= range.dataMax,
                           [&] { return Where(row, column) + " lies outside the data extremes"; });
        }
    }
    verdict.Expect(any == range.anyNumeric, "the range step miscounted the numeric wells");
    if (any) {
        auto checkExtreme = [&](std::uint8_t row, std::uint8_t column, double extreme, const std::string& label) {
            if (!verdict.Expect(row >= 1 && row <= kPlateRows && column >= 1 && column <= kPlateColumns,
                                "an extreme well outside the plate"))
                return;
            const std::size_t at = static_cast<std::size_t>((row - 1) * kPlateColumns + (column - 1));
            verdict.Expect(numbers[at] && *numbers[at] == extreme, "the extreme well does not hold the extreme");
            for (std::size_t k = 0; k < at; ++k)
                verdict.Expect(!numbers[k] || *numbers[k] != extreme, "an earlier well holds the same extreme");
            const std::string expected = std::string(1, static_cast<char>('A' + row - 1)) + " " + std::to_string(column);
            verdict.Expect(label == expected, [&] { return "position label " + Shown(label) + " for " + expected; });
        };
        checkExtreme(range.maxRow, range.maxCol, range.dataMax, found.maxLabel);
        checkExtreme(range.minRow, range.minCol, range.dataMin, found.minLabel);
    }

    TKonwersjaKoloru converter;
    std::array<ShapeLook, kWellCount> wells{};
    ShapeLook swatch;
    const std::pair<int, int> positions[] = {{found.lowerPosition, found.upperPosition},
                                             {lowerPosition, upperPosition}};
    for (const auto& [lower, upper] : positions) {
        const BoundResult low = ApplyLowerBound(true, lower, upper, range);
        range.lowerOffset = low.lowerOffset;
        range.span = low.span;
        const BoundResult high = ApplyUpperBound(upper, range);
        range.span = high.span;
        const double top = UpperBound(upper, range.dataMax);
        verdict.Expect(range.lowerOffset >= 0, "a negative lower offset");
        CheckFixed4Label(low.label, -static_cast<long double>(range.lowerOffset), verdict);
        CheckFixed4Label(high.label, top, verdict);
        for (std::size_t k = 0; k < numbers.size(); ++k)
            if (numbers[k])
                verdict.Expect(-range.lowerOffset <= *numbers[k] && *numbers[k] <= top,
                               [&] { return "well " + std::to_string(k) + " lies outside the range"; });

        for (bool glow : {true, false}) {
            try {
                RecolourWells(values, range, glow, converter, wells, swatch);
                (void)LegendFor(glow, true, values, range, converter);
            } catch (const Error& e) {
                verdict.Expect(false, [&] { return std::string("the plate refused a checked report: ") + e.what(); });
                return;
            }
        }
        // On the colour scale, left on the wells by the last pass, green
        // stays full and red falls as the value grows.
        int previousStep = -1;
        double previous = 0;
        std::array<std::size_t, kWellCount> order{};
        for (std::size_t k = 0; k < order.size(); ++k)
            order[k] = k;
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return numbers[a].value_or(0) < numbers[b].value_or(0);
        });
        for (std::size_t k : order) {
            if (!numbers[k])
                continue;
            const Colour fill = wells[k].fill;
            if (!verdict.Expect(GreenOf(fill) == 255 && RedOf(fill) == BlueOf(fill),
                                [&] { return "well " + std::to_string(k) + " is off the colour scale"; }))
                break;
            const int step = 255 - RedOf(fill);
            verdict.Expect(step >= previousStep || *numbers[k] == previous,
                           [&] { return "well " + std::to_string(k) + " is paler than a smaller value"; });
            previousStep = std::max(previousStep, step);
            previous = *numbers[k];
        }
    }
}

void CheckAnalysis(const GridTexts& measured, GridTexts& edit, bool& freshMeasurement, Verdict& verdict)
{
    const GridTexts before = edit;
    const bool wasFresh = freshMeasurement;
    ControlCounts counts;
    try {
        RunCutoffAnalysis(measured, edit, freshMeasurement, counts, [](const std::string&) {});
    } catch (const ConversionError& e) {
        // Every measured text of a checked report is a number or a state word.
        verdict.Expect(false, [&] { return std::string("the analysis refused a measured value: ") + e.what(); });
    } catch (const Error& e) {
        verdict.Expect(std::string(e.what()).size() > 0, "the analysis failed without a message");
    } catch (const std::exception& e) {
        verdict.Expect(false, [&] { return std::string("the analysis failed with a non-user error: ") + e.what(); });
        return;
    }
    for (int r = 0; r < kGridRows; ++r) {
        for (int c = 0; c < kGridColumns; ++c) {
            const std::string& now = edit[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            const std::string& was = before[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            if (now == was)
                continue;
            if (!verdict.Expect(r > 0 && c > 0, [&] { return "the analysis changed heading cell " + Where(r, c); }))
                continue;
            const std::string word = MarkWord(now);
            // A standard "std 12,5" is written back as " std 12,5", its number unchanged.
            const StandardMark standard = ReadStandardMark(was);
            const bool standardRewritten = standard.kind == StandardMarkKind::Standard && now == standard.text;
            verdict.Expect(word == "neg" || word == "poz" || now == kBelowMark || standardRewritten,
                           [&] { return "the analysis wrote " + Shown(now) + " into " + Where(r, c); });
            if (standardRewritten)
                continue;
            if (now == kBelowMark) {
                verdict.Expect(wasFresh, [&] { return Where(r, c) + " marked below without a threshold step"; });
                verdict.Expect(!IsControlMark(was), [&] { return "control " + Where(r, c) + " marked below"; });
                verdict.Expect(!IsStandardCell(was), [&] { return "standard " + Where(r, c) + " marked below"; });
                verdict.Expect(IsNumber(measured[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]),
                               [&] { return Where(r, c) + " marked below without a measured number"; });
            } else {
                verdict.Expect(MarkWord(was) == word, [&] { return Where(r, c) + " became another mark"; });
            }
        }
    }
}

std::string CheckSaveRoundTrip(const OpenReport& original, const std::vector<std::string>& commentMemo, GridTexts& edit,
                               SaveChecks checks, Verdict& verdict)
{
    const std::vector<std::string> comment = ExpectedComment(commentMemo);
    std::vector<std::string> commentMemoBack = {std::string(kCommentHeading)};
    commentMemoBack.insert(commentMemoBack.end(), comment.begin(), comment.end());
    const GridTexts grid = ExpectedGrid(edit);
    const GridTexts shown = GridAfterSave(edit);
    // A marker among lines 0-17 (a damaged file) is written with a blank
    // behind it, like one in the comment.
    std::vector<std::string> displayed = original.text.displayed;
    for (std::size_t i = 0; i < 6; ++i)
        if (displayed[i] == kAnalysisMarker)
            displayed[i] += ' ';

    const std::string first = SavedBytes(original.lines, commentMemo, edit);
    verdict.Expect(edit == shown, "the edit grid after a save is not what was saved");

    // Opened as a file again, then saved and opened once more.
    std::string previous;
    std::string bytes = first;
    const int rounds = checks == SaveChecks::ReopenAndSaveAgain ? 2 : 1;
    for (int round = 1; round <= rounds; ++round) {
        const ReportLines split = SplitReportText(bytes);
        const std::string name = round == 1 ? "the saved report" : "the report saved again";
        if (!verdict.Expect(ReportProblem(bytes, split).empty(),
                            [&] { return name + " cannot be opened: " + ReportProblem(bytes, split); }))
            break;
        verdict.Expect(MarkerLineCount(split) == 1,
                       [&] { return name + " holds " + std::to_string(MarkerLineCount(split)) + " marker lines"; });
        const OpenReport back = OpenLines(split);
        CheckOpened(back, verdict);
        verdict.Expect(!back.fresh, [&] { return name + " has no analysis block"; });
        verdict.Expect(back.values.cells == original.values.cells, [&] { return name + " gives other values"; });
        verdict.Expect(back.text.displayed == displayed, [&] { return name + " shows another report"; });
        verdict.Expect(back.text.comment == commentMemoBack, [&] {
            std::string out = name + " gives another comment:";
            for (const std::string& line : back.text.comment)
                out += " " + Shown(line);
            out += " instead of";
            for (const std::string& line : commentMemoBack)
                out += " " + Shown(line);
            return out;
        });
        for (std::size_t r = 0; r < grid.size(); ++r)
            for (std::size_t c = 0; c < grid[r].size(); ++c)
                verdict.Expect(back.edit[r][c] == grid[r][c], [&] {
                    return name + " gives cell " + Where(static_cast<int>(r), static_cast<int>(c)) + " as " +
                           Shown(back.edit[r][c]) + " instead of " + Shown(grid[r][c]);
                });
        if (!verdict.Ok() || rounds == 1)
            return first;
        GridTexts again = back.edit;
        previous = std::exchange(bytes, SavedBytes(back.lines, back.text.comment, again));
    }
    // What the second save wrote, opened and saved, is written byte for byte again.
    verdict.Expect(bytes == previous, "the third save differs from the second");
    return first;
}

namespace {

// The document the window and the command-line program hold opens the bytes
// to what the load steps give, and saves them to the same bytes.
void CheckDocumentAgrees(std::string_view bytes, const OpenReport& r, Verdict& verdict)
{
    OpenedReport opened = ReportDocument::Open(bytes);
    if (!verdict.Expect(opened.ok(), [&] { return "the document refuses a report: " + Shown(opened.problem); }))
        return;
    ReportDocument& doc = *opened.document;
    verdict.Expect(doc.lines() == r.lines, "the document holds other report lines");
    verdict.Expect(doc.storedAnalysis() == r.stored && doc.freshMeasurement() == r.fresh,
                   "the document reads another analysis block");
    verdict.Expect(doc.displayedLines() == r.text.displayed && doc.commentLines() == r.text.comment,
                   "the document shows another report text or comment");
    verdict.Expect(doc.measuredGrid() == r.measured && doc.editGrid() == r.edit,
                   "the document fills its grids otherwise");
    GridTexts edit = r.edit;
    verdict.Expect(doc.SavedBytes() == SavedBytes(r.lines, r.text.comment, edit), "the document saves other bytes");
}

} // namespace

std::string CheckReportFile(std::string_view fileBytes)
{
    Verdict verdict;
    // A report another program saved in UTF-8 is read as the code page text
    // it converts to; every other file is read byte for byte.
    const std::optional<Utf8Text> utf8 = ReadUtf8AsCp1250(fileBytes);
    const std::string_view bytes = utf8 ? std::string_view(utf8->cp1250) : fileBytes;
    const ReportLines lines = SplitReportText(bytes);
    CheckLines(bytes, lines, verdict);
    const std::string problem = ReportProblem(bytes, lines);
    if (!problem.empty()) {
        verdict.Expect(problem.rfind("Plik nie jest raportem z pomiaru", 0) == 0,
                       [&] { return "a refusal that does not say why: " + Shown(problem); });
        return verdict.Failure();
    }

    OpenReport r = OpenLines(lines);
    CheckOpened(r, verdict);
    CheckDocumentAgrees(fileBytes, r, verdict);
    // The track bars dragged to positions taken from the file's size.
    CheckRangeAndPlate(r.values, static_cast<int>(bytes.size() * 7 % 5001), static_cast<int>(bytes.size() * 13 % 5001),
                       verdict);

    // "Analizuj" as loaded, then again after "Przenieś" with the marks the
    // file's analysis holds.
    GridTexts edit = r.edit;
    bool fresh = r.fresh;
    CheckAnalysis(r.measured, edit, fresh, verdict);
    GridTexts marked = r.stored;
    bool again = true;
    CheckAnalysis(r.measured, marked, again, verdict);

    // One of the two grids is saved: which one, the file's size decides.
    CheckSaveRoundTrip(r, r.text.comment, bytes.size() % 2 ? marked : edit, SaveChecks::ReopenAndSaveAgain, verdict);
    return verdict.Failure();
}

} // namespace welkor::fuzz
