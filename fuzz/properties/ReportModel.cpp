#include "ReportModel.h"

#include "Verdict.h"

#include "core/report/ReportFile.h"

#include <algorithm>
#include <cstdio>

namespace welkor::fuzz {

namespace {

bool IsControl(char ch)
{
    const auto byte = static_cast<unsigned char>(ch);
    return byte < 0x20 || byte == 0x7F;
}

} // namespace

std::string Shown(std::string_view bytes)
{
    constexpr std::size_t kMax = 300;
    std::string out = "\"";
    for (std::size_t i = 0; i < bytes.size() && i < kMax; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
            out.push_back(static_cast<char>(byte));
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", byte);
            out += buf;
        }
    }
    out += bytes.size() > kMax ? "\"..." : "\"";
    return out;
}

OpenReport OpenLines(ReportLines lines)
{
    OpenReport r;
    r.lines = std::move(lines);
    ParseValueLines(r.lines, r.values);
    ParseAnalysisBlock(r.lines, r.stored, r.fresh);
    r.text = RebuildReportText(r.lines, r.values);
    WriteGridHeadings(r.measured);
    ShowValuesInGrid(r.values, r.measured);
    r.edit = r.fresh ? r.measured : r.stored;
    return r;
}

std::string SavedBytes(const ReportLines& lines, const std::vector<std::string>& commentMemo, GridTexts& edit)
{
    return JoinReportLines(BuildSavedReport(lines, commentMemo, edit));
}

std::vector<std::string> ExpectedComment(const std::vector<std::string>& commentMemo)
{
    std::vector<std::string> out(commentMemo);
    if (!out.empty() && out.front() == kCommentHeading)
        out.erase(out.begin());
    for (std::string& line : out) {
        for (char& ch : line)
            if (IsControl(ch) && ch != '\t')
                ch = ' ';
        if (line == kAnalysisMarker)
            line += ' ';
    }
    return out;
}

std::string ExpectedCell(std::string_view cell)
{
    std::string out = " ";
    std::size_t i = 0;
    if (!cell.empty() && (cell[0] == ' ' || IsControl(cell[0])))
        i = 1; // that first character is the blank in front
    for (; i < cell.size(); ++i)
        out.push_back(cell[i] == ' ' || IsControl(cell[i]) ? '\xA0' : cell[i]);
    return out;
}

GridTexts ExpectedGrid(const GridTexts& edit)
{
    GridTexts out;
    for (std::size_t r = 0; r < out.size(); ++r)
        for (std::size_t c = 0; c < out[r].size(); ++c)
            out[r][c] = ExpectedCell(edit[r][c]);
    return out;
}

GridTexts GridAfterSave(const GridTexts& edit)
{
    GridTexts out = edit;
    for (std::size_t r = 0; r < out.size(); ++r) {
        for (std::size_t c = 0; c < out[r].size(); ++c) {
            std::string& cell = out[r][c];
            std::replace_if(cell.begin(), cell.end(), IsControl, ' ');
            if (r > 0 && c > 0 && (cell.empty() || cell.front() != ' '))
                cell.insert(cell.begin(), ' ');
        }
    }
    return out;
}

std::size_t MarkerLineCount(const ReportLines& lines)
{
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), kAnalysisMarker));
}

} // namespace welkor::fuzz
