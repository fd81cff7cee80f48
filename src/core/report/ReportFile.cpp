#include "core/report/ReportFile.h"

#include "core/report/ReportParsing.h"
#include "core/text/Cp1250Literal.h"
#include "core/text/Error.h"

#include <algorithm>

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

bool IsControlByte(char ch)
{
    const auto byte = static_cast<unsigned char>(ch);
    return byte < 0x20 || byte == 0x7F;
}

constexpr char kNoBreakSpace = '\xA0';

// The text of a report ends at its first NUL byte.
std::string_view BeforeNul(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

} // namespace

ReportLines SplitReportText(std::string_view bytes)
{
    bytes = BeforeNul(bytes);
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

ReportTextShape MeasureReportText(std::string_view bytes)
{
    bytes = BeforeNul(bytes);
    ReportTextShape shape;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char ch = bytes[i];
        if (ch != '\r' && ch != '\n')
            continue;
        if (i - start > shape.longestLine) {
            shape.longestLine = i - start;
            shape.longestLineIndex = shape.lines;
        }
        ++shape.lines;
        if (ch == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size()) {
        if (bytes.size() - start > shape.longestLine) {
            shape.longestLine = bytes.size() - start;
            shape.longestLineIndex = shape.lines;
        }
        ++shape.lines;
    }
    return shape;
}

std::string ReportShapeProblem(const ReportTextShape& shape)
{
    if (shape.lines > kMaxReportLines)
        return "Plik nie jest raportem z pomiaru: ma " + LineCountText(shape.lines) + ", a raport może mieć ich "
            "najwyżej "_cp1250 + std::to_string(kMaxReportLines) + ".";
    if (shape.longestLine > kMaxReportLineBytes)
        return "Plik nie jest raportem z pomiaru: wiersz " + std::to_string(shape.longestLineIndex + 1) + " ma "
            + std::to_string(shape.longestLine) + " znaków, a wiersz raportu może mieć ich najwyżej "_cp1250
            + std::to_string(kMaxReportLineBytes) + ".";
    return {};
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
    if (lines.size() >= kMinReportLines) {
        ReportTextShape shape;
        shape.lines = lines.size();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].size() > shape.longestLine) {
                shape.longestLine = lines[i].size();
                shape.longestLineIndex = i;
            }
        }
        return ReportShapeProblem(shape);
    }
    if (lines.empty())
        return "Plik nie jest raportem z pomiaru: jest pusty.";
    return "Plik nie jest raportem z pomiaru: ma " + LineCountText(lines.size()) +
           ", a raport ma ich co najmniej 18.";
}

std::string SavedReportProblem(std::string_view bytes)
{
    constexpr std::string_view kRefused = "Tego raportu nie można zapisać, bo zapisanego nie dałoby się otworzyć: "_cp1250;
    constexpr std::string_view kShorten = " Skróć komentarz."_cp1250;
    if (bytes.size() > kMaxReportFileBytes)
        return std::string(kRefused) + "miałby "_cp1250 + std::to_string(bytes.size()) + " bajtów, a program otwiera "
            "raporty do 16 MiB ("_cp1250 + std::to_string(kMaxReportFileBytes) + " bajtów)."_cp1250 + std::string(kShorten);
    std::string shape = ReportShapeProblem(MeasureReportText(bytes));
    if (shape.empty())
        return {};
    constexpr std::string_view kFileWords = "Plik nie jest raportem z pomiaru: ";
    if (shape.compare(0, kFileWords.size(), kFileWords) == 0)
        shape.erase(0, kFileWords.size());
    return std::string(kRefused) + shape + std::string(kShorten);
}

std::vector<std::string> CommentBodyLines(const std::vector<std::string>& commentMemoLines)
{
    const std::vector<std::string>& memo = commentMemoLines;
    auto first = memo.begin();
    if (first != memo.end() && *first == kCommentHeading)
        ++first;
    std::vector<std::string> lines(first, memo.end());
    // A tab is a field end the format knows; other control characters would
    // not survive the next reading.
    for (std::string& line : lines)
        for (char& ch : line)
            if (IsControlByte(ch) && ch != '\t')
                ch = ' ';
    return lines;
}

std::vector<std::string> UserCommentLines(const std::vector<std::string>& commentMemoLines)
{
    std::vector<std::string> lines = CommentBodyLines(commentMemoLines);
    // A second marker would start the analysis block inside the comment.
    for (std::string& line : lines)
        if (line == kAnalysisMarker)
            line += ' ';
    return lines;
}

bool HasMarkerLine(const std::vector<std::string>& commentMemoLines)
{
    return std::find(commentMemoLines.begin(), commentMemoLines.end(), kAnalysisMarker) != commentMemoLines.end();
}

std::string AnalysisCellText(std::string_view cell)
{
    std::string out(cell);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (IsControlByte(out[i]))
            out[i] = ' ';
        // Only a leading blank may start the field: a blank further in would
        // cut the text there when it is read back.
        if (out[i] == ' ' && i > 0)
            out[i] = kNoBreakSpace;
    }
    return out;
}

ReportLines BuildSavedReport(const ReportLines& report, const std::vector<std::string>& commentMemoLines,
                             GridTexts& editGrid)
{
    if (report.size() < kMinReportLines)
        throw Error("Nie można zapisać raportu: ma "_cp1250 + LineCountText(report.size()) +
                    ", a raport z pomiaru ma ich co najmniej 18.");

    ReportLines out(report.begin(), report.begin() + static_cast<std::ptrdiff_t>(kMinReportLines));
    // A marker among lines 0-17 is damage; written as it is, it would be a
    // second marker for any reader that looks for the first one in the file.
    for (std::string& line : out)
        if (line == kAnalysisMarker)
            line += ' ';
    std::vector<std::string> comment = UserCommentLines(commentMemoLines);
    out.insert(out.end(), std::make_move_iterator(comment.begin()), std::make_move_iterator(comment.end()));
    out.emplace_back(kAnalysisMarker);
    out.emplace_back();
    out.emplace_back(kAnalysisHeading);

    // A cell is one field of one line: no control character may stay in it.
    for (auto& row : editGrid)
        for (std::string& cell : row)
            std::replace_if(cell.begin(), cell.end(), IsControlByte, ' ');

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
            line += AnalysisCellText(editGrid[r][c]);
            line += '\t';
        }
        out.push_back(std::move(line));
    }
    return out;
}

} // namespace welkor
