#include "core/report/ReportParsing.h"

#include <gtest/gtest.h>

#include <string>

using namespace welkor;

namespace {

// Distinct value text for each well, e.g. "3,07" for row D, column 7.
std::string Value(int row, int column)
{
    return std::to_string(row) + "," + (column < 10 ? "0" : "") + std::to_string(column);
}

// Line 6 + c carries plate column c + 1: eight tokens for rows A-H.
std::string ValueLine(int column)
{
    std::string line = std::to_string(column + 1);
    for (int r = 0; r < kPlateRows; ++r)
        line += " " + Value(r, column + 1) + "\t";
    return line;
}

ReportLines EighteenLines()
{
    ReportLines lines = {"Czytnik WL-1\tprotok\xF3\xB3 pomiaru", "Filtr 450 nm", "Tryb pojedynczy", "Seria 12,5",
                         "DATE: 2024-03-05 TIME: 10:15:00", "OPERATOR: Jan Kowalski"};
    for (int c = 0; c < kPlateColumns; ++c)
        lines.push_back(ValueLine(c));
    return lines;
}

ValueTable FilledTable(const std::string& text)
{
    ValueTable table;
    table.cells.fill(text);
    return table;
}

GridTexts FilledGrid(const std::string& text)
{
    GridTexts grid;
    for (auto& row : grid)
        row.fill(text);
    return grid;
}

// Nine analysis lines as a save writes them, cell text "r.c".
ReportLines AnalysisLines()
{
    ReportLines lines;
    for (int r = 0; r < kGridRows; ++r) {
        std::string line = " ";
        for (int c = 0; c < kGridColumns; ++c)
            line += (r == 0 ? "      " : " ") + std::to_string(r) + "." + std::to_string(c) + "\t";
        lines.push_back(line);
    }
    return lines;
}

ReportLines WithBlock(ReportLines lines)
{
    lines.push_back("Uwagi operatora");
    lines.emplace_back(kAnalysisMarker);
    lines.emplace_back("");
    lines.emplace_back(kAnalysisHeading);
    for (const std::string& line : AnalysisLines())
        lines.push_back(line);
    return lines;
}

} // namespace

// ---- ParseValueLines ------------------------------------------------------

TEST(ParseValueLines, TokensRunDownThePlateColumns)
{
    ValueTable table = FilledTable("0");
    ParseValueLines(EighteenLines(), table);
    for (int r = 0; r < kPlateRows; ++r)
        for (int c = 0; c < kPlateColumns; ++c)
            EXPECT_EQ(table.at(r, c), " " + Value(r, c + 1)) << r << "," << c;
}

TEST(ParseValueLines, OnlyLinesSixToSeventeenAreRead)
{
    ReportLines lines = EighteenLines();
    lines[5] = "OPERATOR: x\t";
    lines[17] = "12 a\t";
    lines.push_back(" 99,9\t 99,9\t");
    ValueTable table = FilledTable("0");
    ParseValueLines(lines, table);
    EXPECT_EQ(table.at(0, 0), " " + Value(0, 1));
    EXPECT_EQ(table.at(0, 11), " a");
    EXPECT_EQ(table.at(1, 11), "0");
}

TEST(ParseValueLines, FieldWithInnerBlankGivesOnlyItsLastWord)
{
    ReportLines lines = EighteenLines();
    lines[6] = "1 12,5 kU\t over\t";
    ValueTable table = FilledTable("0");
    ParseValueLines(lines, table);
    EXPECT_EQ(table.at(0, 0), " kU");
    EXPECT_EQ(table.at(1, 0), " over");
    // The lines after it are shifted back by the six missing tokens.
    EXPECT_EQ(table.at(2, 0), " " + Value(0, 2));
}

TEST(ParseValueLines, WellsWithoutATokenKeepTheirText)
{
    ReportLines lines = EighteenLines();
    lines[17] = "12 a\t b\t c\t d\t e\t"; // five of eight tokens
    lines[16] = "no tabs here";
    ValueTable table = FilledTable("old");
    ParseValueLines(lines, table);
    EXPECT_EQ(table.at(0, 9), " " + Value(0, 10));
    // Line 16 gave nothing, so line 17's tokens land in plate column 11.
    EXPECT_EQ(table.at(0, 10), " a");
    EXPECT_EQ(table.at(4, 10), " e");
    EXPECT_EQ(table.at(5, 10), "old");
    EXPECT_EQ(table.at(7, 11), "old");
}

TEST(ParseValueLines, TokensBeyondNinetySixAreIgnored)
{
    ReportLines lines = EighteenLines();
    for (int i = 0; i < 300; ++i)
        lines[17] += " x\t";
    ValueTable table = FilledTable("0");
    ParseValueLines(lines, table);
    EXPECT_EQ(table.at(7, 11), " " + Value(7, 12));
    EXPECT_EQ(table.at(0, 0), " " + Value(0, 1));
}

TEST(ParseValueLines, ShortListReadsWhatIsThere)
{
    ReportLines lines = EighteenLines();
    lines.resize(8);
    ValueTable table = FilledTable("0");
    ParseValueLines(lines, table);
    EXPECT_EQ(table.at(7, 1), " " + Value(7, 2));
    EXPECT_EQ(table.at(0, 2), "0");

    ValueTable untouched = FilledTable("0");
    ParseValueLines(ReportLines{}, untouched);
    EXPECT_EQ(untouched.cells, FilledTable("0").cells);
}

// ---- FindAnalysisMarker -------------------------------------------------------

TEST(FindAnalysisMarker, NeedsTwoLinesAfterTheMarker)
{
    const std::string m(kAnalysisMarker);
    auto after18 = [](ReportLines tail) {
        ReportLines lines = EighteenLines();
        lines.insert(lines.end(), tail.begin(), tail.end());
        return FindAnalysisMarker(lines);
    };
    EXPECT_EQ(FindAnalysisMarker({}), std::nullopt);
    EXPECT_EQ(after18({m}), std::nullopt);
    EXPECT_EQ(after18({m, ""}), std::nullopt);
    EXPECT_EQ(after18({m, "", ""}), std::optional<std::size_t>(18));
    EXPECT_EQ(after18({"a", "b", m, "", "Analiza"}), std::optional<std::size_t>(20));
    EXPECT_EQ(after18({"a", "b", m, ""}), std::nullopt);
}

TEST(FindAnalysisMarker, FirstExactMarkerFromLine18Wins)
{
    const std::string m(kAnalysisMarker);
    ReportLines lines = EighteenLines();
    // A marker among the measurement's own lines is damage, not a block.
    lines[3] = m;
    lines[10] = m;
    EXPECT_EQ(FindAnalysisMarker(lines), std::nullopt);
    lines.insert(lines.end(), {"kon_kom_pap", "Kon_Kom_Pap ", " Kon_Kom_Pap", "x", "y"});
    EXPECT_EQ(FindAnalysisMarker(lines), std::nullopt);
    lines.insert(lines.end(), {m, "x", m, "y", "z"});
    EXPECT_EQ(FindAnalysisMarker(lines), std::optional<std::size_t>(23));
}

// ---- ParseAnalysisBlock -----------------------------------------------------------

TEST(ParseAnalysisBlock, ReportWithoutBlockIsAFreshMeasurement)
{
    GridTexts stored = FilledGrid("old");
    bool fresh = false;
    ParseAnalysisBlock(EighteenLines(), stored, fresh);
    EXPECT_TRUE(fresh);
    EXPECT_EQ(stored, FilledGrid("old"));
}

TEST(ParseAnalysisBlock, BlockFillsTheTableRowByRow)
{
    GridTexts stored = FilledGrid("old");
    bool fresh = true;
    ParseAnalysisBlock(WithBlock(EighteenLines()), stored, fresh);
    EXPECT_FALSE(fresh);
    for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < kGridColumns; ++c)
            EXPECT_EQ(stored[r][c], " " + std::to_string(r) + "." + std::to_string(c)) << r << "," << c;
}

TEST(ParseAnalysisBlock, MarkerOnLastOrSecondToLastLineIsNoBlock)
{
    for (int after : {0, 1}) {
        ReportLines lines = EighteenLines();
        lines.emplace_back(kAnalysisMarker);
        if (after == 1)
            lines.push_back(" 1\t 2\t");
        GridTexts stored = FilledGrid("old");
        bool fresh = false;
        ParseAnalysisBlock(lines, stored, fresh);
        EXPECT_TRUE(fresh) << after;
        EXPECT_EQ(stored, FilledGrid("old")) << after;
    }
}

TEST(ParseAnalysisBlock, ShortBlockLeavesTheRestAndLongBlockStopsAt117)
{
    ReportLines lines = EighteenLines();
    lines.emplace_back(kAnalysisMarker);
    lines.emplace_back("");
    lines.emplace_back(" a\t b\t");
    GridTexts stored = FilledGrid("old");
    bool fresh = true;
    ParseAnalysisBlock(lines, stored, fresh);
    EXPECT_FALSE(fresh);
    EXPECT_EQ(stored[0][0], " a");
    EXPECT_EQ(stored[0][1], " b");
    EXPECT_EQ(stored[0][2], "old");
    EXPECT_EQ(stored[8][12], "old");

    std::string many;
    for (int i = 0; i < 200; ++i)
        many += " " + std::to_string(i) + "\t";
    lines.push_back(many);
    ParseAnalysisBlock(lines, stored, fresh);
    EXPECT_EQ(stored[0][2], " 0");
    EXPECT_EQ(stored[8][12], " 114"); // cell 116 takes token 116 - 2
}

// ---- RebuildReportText -------------------------------------------------------------

TEST(RebuildReportText, DisplayedReportHasFifteenLinesWithRowsAcross)
{
    const ReportLines lines = EighteenLines();
    ValueTable table;
    for (int r = 0; r < kPlateRows; ++r)
        for (int c = 0; c < kPlateColumns; ++c)
            table.at(r, c) = "v" + std::to_string(r) + "_" + std::to_string(c);
    const ReportText text = RebuildReportText(lines, table);
    ASSERT_EQ(text.displayed.size(), 15u);
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(text.displayed[i], lines[i]);
    EXPECT_EQ(text.displayed[6], "\t     1\t     2\t     3\t     4\t     5\t     6\t     7\t     8\t     9"
                                 "\t     10\t     11\t     12");
    EXPECT_EQ(text.displayed[7], "A\tv0_0\tv0_1\tv0_2\tv0_3\tv0_4\tv0_5\tv0_6\tv0_7\tv0_8\tv0_9\tv0_10\tv0_11");
    EXPECT_EQ(text.displayed[14], "H\tv7_0\tv7_1\tv7_2\tv7_3\tv7_4\tv7_5\tv7_6\tv7_7\tv7_8\tv7_9\tv7_10\tv7_11");
    EXPECT_EQ(text.displayed[10].substr(0, 7), "D\tv3_0\t");
}

TEST(RebuildReportText, EighteenLinesGiveOnlyTheCommentHeading)
{
    const ReportText text = RebuildReportText(EighteenLines(), FilledTable("0"));
    EXPECT_EQ(text.comment, ReportLines{"Komentarz"});
}

TEST(RebuildReportText, CommentShowsTheCommentButNeitherTheBlockNorMarkers)
{
    ReportLines lines = WithBlock(EighteenLines());
    lines.push_back("dopisek po bloku");
    const ReportText text = RebuildReportText(lines, FilledTable("0"));
    EXPECT_EQ(text.comment, (ReportLines{"Komentarz", "Uwagi operatora", "dopisek po bloku"}));

    // A stray marker first in the comment starts the block: its analysis lines
    // are the ones with tabs; the user's lines without a tab stay in sight.
    lines.insert(lines.begin() + 18, std::string(kAnalysisMarker));
    const ReportText stray = RebuildReportText(lines, FilledTable("0"));
    EXPECT_EQ(stray.comment, (ReportLines{"Komentarz", "Uwagi operatora", "", "Analiza", "dopisek po bloku"}));
}

TEST(RebuildReportText, ShortListIsReadAsIfMissingLinesWereEmpty)
{
    const ReportText text = RebuildReportText({"only"}, FilledTable("0"));
    ASSERT_EQ(text.displayed.size(), 15u);
    EXPECT_EQ(text.displayed[0], "only");
    EXPECT_EQ(text.displayed[5], "");
    EXPECT_EQ(text.displayed[7], "A\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0");
    EXPECT_EQ(text.comment, ReportLines{"Komentarz"});
}

// ---- measured-results grid ------------------------------------------------------------

TEST(MeasuredGrid, HeadingsAndPlaceholderAtStart)
{
    GridTexts grid;
    ValueTable table;
    WriteGridHeadings(grid);
    FillPlaceholder(grid, table, 12, 8);
    EXPECT_EQ(grid[0][0], "");
    for (int c = 1; c <= 12; ++c)
        EXPECT_EQ(grid[0][c], std::to_string(c));
    const char* letters[] = {"A", "B", "C", "D", "E", "F", "G", "H"};
    for (int r = 1; r <= 8; ++r) {
        EXPECT_EQ(grid[r][0], letters[r - 1]);
        for (int c = 1; c <= 12; ++c)
            EXPECT_EQ(grid[r][c], "0");
    }
    EXPECT_EQ(table.cells, FilledTable("0").cells);
}

TEST(MeasuredGrid, PlaceholderCoversOnlyTheGivenExtent)
{
    GridTexts grid = FilledGrid("x");
    ValueTable table = FilledTable("x");
    FillPlaceholder(grid, table, 0, 8);
    EXPECT_EQ(grid, FilledGrid("x"));
    EXPECT_EQ(table.cells, FilledTable("x").cells);

    FillPlaceholder(grid, table, 3, 2);
    EXPECT_EQ(grid[1][1], "0");
    EXPECT_EQ(grid[2][3], "0");
    EXPECT_EQ(grid[3][3], "x");
    EXPECT_EQ(grid[2][4], "x");
    EXPECT_EQ(grid[0][1], "x");
    EXPECT_EQ(table.at(1, 2), "0");
    EXPECT_EQ(table.at(2, 2), "x");

    // Counts past the plate stop at its edge.
    FillPlaceholder(grid, table, 255, 255);
    EXPECT_EQ(grid[8][12], "0");
    EXPECT_EQ(grid[0][12], "x");
    EXPECT_EQ(table.cells, FilledTable("0").cells);
}

TEST(MeasuredGrid, ValuesGoOneCellRightAndDown)
{
    ValueTable table;
    for (int r = 0; r < kPlateRows; ++r)
        for (int c = 0; c < kPlateColumns; ++c)
            table.at(r, c) = std::to_string(r * 100 + c);
    GridTexts grid = FilledGrid("h");
    ShowValuesInGrid(table, grid);
    EXPECT_EQ(grid[1][1], "0");
    EXPECT_EQ(grid[4][7], "306");
    EXPECT_EQ(grid[8][12], "711");
    EXPECT_EQ(grid[0][5], "h");
    EXPECT_EQ(grid[5][0], "h");
}
