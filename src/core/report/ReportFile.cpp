#include "core/report/ReportFile.h"

#include "core/report/ReportParsing.h"
#include "core/text/Error.h"

#include <algorithm>
#include <optional>

namespace welkor {

namespace {

// "wiersz", "wiersze" or "wierszy", as Polish wants it after the number n.
std::string LinesWord(std::size_t n)
{
    if (n == 1)
        return "wiersz";
    const std::size_t lastDigit = n % 10;
    const std::size_t lastTwo = n % 100;
    if (lastDigit >= 2 && lastDigit <= 4 && (lastTwo < 12 || lastTwo > 14))
        return "wiersze";
    return "wierszy";
}

std::string LineCountText(std::size_t n) { return std::to_string(n) + " " + LinesWord(n); }

} // namespace

ReportLines SplitReportText(std::string_view bytes)
{
    const std::size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);

    ReportLines lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char ch = bytes[i];
        if (ch == '\r' || ch == '\n') {
            lines.emplace_back(bytes.substr(start, i - start));
            ++i;
            if (ch == '\r' && i < bytes.size() && bytes[i] == '\n')
                ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size())
        lines.emplace_back(bytes.substr(start));
    return lines;
}

std::string JoinReportLines(const ReportLines& lines)
{
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::string CheckReportContent(const ReportLines& lines)
{
    if (lines.size() >= kMinReportLines)
        return {};
    if (lines.empty())
        return "Plik nie jest raportem z pomiaru: jest pusty.";
    return "Plik nie jest raportem z pomiaru: ma " + LineCountText(lines.size()) +
           ", a raport ma ich co najmniej 18.";
}

std::vector<std::string> UserCommentLines(const ReportLines& report, const std::vector<std::string>& commentMemoLines)
{
    const std::vector<std::string>& memo = commentMemoLines;
    if (memo.size() <= 1)
        return {};
    const std::optional<std::size_t> marker = FindAnalysisMarker(report);
    if (!marker)
        return std::vector<std::string>(memo.begin() + 1, memo.end());

    // The old block as the memo showed it: every line after the marker except
    // further marker lines, which are never shown.
    std::vector<std::string> shown;
    for (std::size_t i = *marker + 1; i < report.size(); ++i)
        if (report[i] != kAnalysisMarker)
            shown.push_back(report[i]);

    // Untouched, the block is found as a run of lines: only that run goes, so
    // notes typed before or after it are kept. The last such run is the one
    // the memo showed; an earlier copy would be the user's own text.
    if (!shown.empty() && memo.size() - 1 >= shown.size()) {
        for (std::size_t start = memo.size() - shown.size(); start >= 1; --start) {
            if (std::equal(shown.begin(), shown.end(), memo.begin() + static_cast<std::ptrdiff_t>(start))) {
                std::vector<std::string> kept(memo.begin() + 1, memo.begin() + static_cast<std::ptrdiff_t>(start));
                kept.insert(kept.end(), memo.begin() + static_cast<std::ptrdiff_t>(start + shown.size()), memo.end());
                return kept;
            }
        }
    }

    // The user edited the block: it starts at the last empty line followed by
    // "Analiza" and runs to the end of the memo.
    std::size_t end = memo.size();
    bool foundHeading = false;
    for (std::size_t i = memo.size() - 1; i >= 2; --i) {
        if (memo[i] == kAnalysisHeading && memo[i - 1].empty()) {
            end = i - 1;
            foundHeading = true;
            break;
        }
    }
    if (!foundHeading) {
        // The pair itself was edited away: drop as many lines as the block showed.
        end = memo.size() - std::min(shown.size(), memo.size() - 1);
    }
    return std::vector<std::string>(memo.begin() + 1, memo.begin() + static_cast<std::ptrdiff_t>(end));
}

ReportLines BuildSavedReport(const ReportLines& report, const std::vector<std::string>& commentMemoLines,
                             GridTexts& editGrid)
{
    if (report.size() < kMinReportLines)
        throw Error("Nie mo\xBFna zapisa\xE6 raportu: ma " + LineCountText(report.size()) +
                    ", a raport z pomiaru ma ich co najmniej 18.");

    ReportLines out(report.begin(), report.begin() + static_cast<std::ptrdiff_t>(kMinReportLines));
    std::vector<std::string> comment = UserCommentLines(report, commentMemoLines);
    out.insert(out.end(), std::make_move_iterator(comment.begin()), std::make_move_iterator(comment.end()));
    out.emplace_back(kAnalysisMarker);
    out.emplace_back();
    out.emplace_back(kAnalysisHeading);

    // A leading blank lets every cell be read back as one value token.
    for (std::size_t r = 1; r < static_cast<std::size_t>(kGridRows); ++r) {
        for (std::size_t c = 1; c < static_cast<std::size_t>(kGridColumns); ++c) {
            std::string& cell = editGrid[r][c];
            if (cell.empty() || cell.front() != ' ')
                cell.insert(cell.begin(), ' ');
        }
    }

    for (std::size_t r = 0; r < static_cast<std::size_t>(kGridRows); ++r) {
        std::string line = " ";
        for (std::size_t c = 0; c < static_cast<std::size_t>(kGridColumns); ++c) {
            if (r == 0)
                line += "     ";
            line += editGrid[r][c];
            line += '\t';
        }
        out.push_back(std::move(line));
    }
    return out;
}

} // namespace welkor
