#include "core/report/ReportFile.h"
#include "core/report/ReportParsing.h"
#include "core/text/Error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace welkor;

namespace {

using Strings = std::vector<std::string>;

// A report as the program saves it after loading it again: a comment of two
// lines with Polish letters, the marker and a full analysis block.
const std::string kSavedReport =
    "Welkor WL-1\tCzytnik p\xB3ytek\r\n"
    "Filtr: 450 nm\r\n"
    "Wytrz\xB9sanie: 5 s\r\n"
    "Temperatura: 25,0\r\n"
    "DATE: 05.03.2024 TIME: 10:15:00\r\n"
    "OPERATOR: Ma\xB3gorzata Wi\x9Cniewska\r\n"
    "01 0,000\t 1,007\t 2,014\t 0,021\t 1,028\t 2,035\t 0,042\t 1,049\t\r\n"
    "02 0,056\t 1,063\t 2,070\t 0,077\t 1,084\t 2,091\t 0,098\t 1,105\t\r\n"
    "03 0,112\t 1,119\t 2,126\t 0,133\t 1,140\t 2,147\t 0,154\t 1,161\t\r\n"
    "04 0,168\t 1,175\t 2,182\t 0,189\t 1,196\t 2,203\t 0,210\t 1,217\t\r\n"
    "05 0,224\t 1,231\t 2,238\t 0,245\t 1,252\t 2,259\t 0,266\t 1,273\t\r\n"
    "06 0,280\t 1,287\t 2,294\t 0,301\t 1,308\t 2,315\t 0,322\t 1,329\t\r\n"
    "07 0,336\t 1,343\t 2,350\t 0,357\t 1,364\t 2,371\t 0,378\t 1,385\t\r\n"
    "08 0,392\t 1,399\t 2,406\t 0,413\t 1,420\t 2,427\t 0,434\t 1,441\t\r\n"
    "09 0,448\t 1,455\t 2,462\t 0,469\t 1,476\t 2,483\t 0,490\t 1,497\t\r\n"
    "10 0,504\t 1,511\t 2,518\t 0,525\t 1,532\t 2,539\t 0,546\t 1,553\t\r\n"
    "11 0,560\t 1,567\t 2,574\t 0,581\t 1,588\t 2,595\t 0,602\t 1,609\t\r\n"
    "12 0,616\t 1,623\t 2,630\t 0,637\t 1,644\t 2,651\t 0,658\t 1,665\t\r\n"
    "Pomiar zako\xF1" "czony bez uwag.\r\n"
    "Wynik poni\xBF" "ej progu w A3.\r\n"
    "Kon_Kom_Pap\r\n"
    "\r\n"
    "Analiza\r\n"
    "       \t      1\t      2\t      3\t      4\t      5\t      6\t      7\t      8\t      9\t      10\t      11\t      12\t\r\n"
    "  A\t neg\t poz\t 1,034\t poni\xBF" "ej\t 1,048\t 1,055\t 1,062\t 1,069\t poni\xBF" "ej\t 1,083\t 1,090\t 1,097\t\r\n"
    "  B\t neg\t poz\t poni\xBF" "ej\t 0,054\t 0,061\t 0,068\t 0,075\t poni\xBF" "ej\t 0,089\t 0,096\t 0,103\t 0,110\t\r\n"
    "  C\t neg\t poz\t 1,060\t 1,067\t 1,074\t 1,081\t poni\xBF" "ej\t 1,095\t 1,102\t 1,109\t 1,116\t poni\xBF" "ej\t\r\n"
    "  D\t neg\t poz\t 0,073\t 0,080\t 0,087\t poni\xBF" "ej\t 0,101\t 0,108\t 0,115\t 0,122\t poni\xBF" "ej\t 0,136\t\r\n"
    "  E\t neg\t poz\t 1,086\t 1,093\t poni\xBF" "ej\t 1,107\t 1,114\t 1,121\t 1,128\t poni\xBF" "ej\t 1,142\t 1,149\t\r\n"
    "  F\t neg\t poz\t 0,099\t poni\xBF" "ej\t 0,113\t 0,120\t 0,127\t 0,134\t poni\xBF" "ej\t 0,148\t 0,155\t 0,162\t\r\n"
    "  G\t neg\t poz\t poni\xBF" "ej\t 1,119\t 1,126\t 1,133\t 1,140\t poni\xBF" "ej\t 1,154\t 1,161\t 1,168\t 1,175\t\r\n"
    "  H\t neg\t poz\t 0,125\t 0,132\t 0,139\t 0,146\t poni\xBF" "ej\t 0,160\t 0,167\t 0,174\t 0,181\t poni\xBF" "ej\t\r\n"
    ;

// What the window holds after loading bytes: the steps of the load pipeline
// that touch the report, with the edit grid taken from the stored analysis as
// the copy-in does for a report with a block.
struct Loaded {
    ReportLines lines;
    ValueTable table;
    GridTexts stored;
    bool fresh = false;
    ReportText text;
    GridTexts editGrid;
};

Loaded Load(std::string_view bytes)
{
    Loaded w;
    w.lines = SplitReportText(bytes);
    w.table.cells.fill("0");
    ParseValueLines(w.lines, w.table);
    ParseAnalysisBlock(w.lines, w.stored, w.fresh);
    w.text = RebuildReportText(w.lines, w.table);
    w.editGrid = w.stored;
    return w;
}

ReportLines EighteenLines()
{
    ReportLines lines = {"H0", "H1", "H2", "H3", "DATE: 2024-03-05 TIME: 10:15:00", "OPERATOR: Jan"};
    for (int c = 0; c < kPlateColumns; ++c) {
        std::string line = "L";
        for (int r = 0; r < kPlateRows; ++r)
            line += " " + std::to_string(c) + "," + std::to_string(r) + "\t";
        lines.push_back(line);
    }
    return lines;
}

// An edit grid as the user sees it after copying in fresh values: headings
// without blanks, an empty corner, data cells with their measured tokens.
GridTexts FreshEditGrid()
{
    GridTexts grid;
    for (int c = 1; c <= 12; ++c)
        grid[0][c] = std::to_string(c);
    const char letters[] = "ABCDEFGH";
    for (int r = 1; r <= 8; ++r) {
        grid[r][0] = std::string(1, letters[r - 1]);
        for (int c = 1; c <= 12; ++c)
            grid[r][c] = " " + std::to_string(r) + "," + std::to_string(c);
    }
    return grid;
}

std::size_t MarkerCount(const ReportLines& lines)
{
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), std::string(kAnalysisMarker)));
}

} // namespace

// ---- splitting and joining ---------------------------------------------------------

TEST(SplitReportText, LineEndsAndTheLastLine)
{
    EXPECT_TRUE(SplitReportText("").empty());
    EXPECT_EQ(SplitReportText("a\r\n"), (Strings{"a"}));
    EXPECT_EQ(SplitReportText("a"), (Strings{"a"}));
    EXPECT_EQ(SplitReportText("a\r\nb"), (Strings{"a", "b"}));
    EXPECT_EQ(SplitReportText("\r\n"), (Strings{""}));
    EXPECT_EQ(SplitReportText("a\r\n\r\n"), (Strings{"a", ""}));
}

TEST(SplitReportText, MixedCrLfAndCrLf)
{
    EXPECT_EQ(SplitReportText("a\rb\nc\r\nd\n"), (Strings{"a", "b", "c", "d"}));
    // LF then CR is two line ends, CR CR LF too.
    EXPECT_EQ(SplitReportText("x\n\ry"), (Strings{"x", "", "y"}));
    EXPECT_EQ(SplitReportText("x\r\r\ny"), (Strings{"x", "", "y"}));
    // Tabs and code page 1250 bytes are plain content.
    EXPECT_EQ(SplitReportText("\t poni\xBF" "ej\t\r\n"), (Strings{"\t poni\xBF" "ej\t"}));
}

TEST(SplitReportText, NulEndsTheText)
{
    using namespace std::string_literals;
    EXPECT_EQ(SplitReportText("a\r\nb\0c\r\nd\r\n"s), (Strings{"a", "b"}));
    EXPECT_EQ(SplitReportText("a\r\n\0b"s), (Strings{"a"}));
    EXPECT_TRUE(SplitReportText("\0abc\r\n"s).empty());
}

TEST(JoinReportLines, CrLfAfterEveryLine)
{
    EXPECT_EQ(JoinReportLines({}), "");
    EXPECT_EQ(JoinReportLines({""}), "\r\n");
    EXPECT_EQ(JoinReportLines({"a", "", "b\tc"}), "a\r\n\r\nb\tc\r\n");
    const ReportLines lines = {"x", "", "Analiza", " 1\t"};
    EXPECT_EQ(SplitReportText(JoinReportLines(lines)), lines);
}

// ---- content check -------------------------------------------------------------------

TEST(CheckReportContent, RefusesFewerThanEighteenLinesWithTheCount)
{
    ReportLines lines = EighteenLines();
    EXPECT_EQ(CheckReportContent(lines), "");
    lines.push_back("more");
    EXPECT_EQ(CheckReportContent(lines), "");

    lines.resize(17);
    EXPECT_EQ(CheckReportContent(lines),
              "Plik nie jest raportem z pomiaru: ma 17 wierszy, a raport ma ich co najmniej 18.");
    EXPECT_EQ(CheckReportContent({"a"}),
              "Plik nie jest raportem z pomiaru: ma 1 wiersz, a raport ma ich co najmniej 18.");
    EXPECT_EQ(CheckReportContent({"a", "b", "c"}),
              "Plik nie jest raportem z pomiaru: ma 3 wiersze, a raport ma ich co najmniej 18.");
    lines.resize(12);
    EXPECT_NE(CheckReportContent(lines).find("ma 12 wierszy,"), std::string::npos);
    EXPECT_EQ(CheckReportContent({}), "Plik nie jest raportem z pomiaru: jest pusty.");
}

// Everything saved opens again: a report just under the reading limit (or
// the line limit) gains its analysis block when saved, and is then not written.
TEST(CheckReportContent, ASaveThatCouldNotBeOpenedAgainIsRefused)
{
    const std::string line = std::string(998, 'x') + "\r\n";
    std::string atTheLimit;
    for (std::size_t i = 0; i < kMaxReportFileBytes / line.size(); ++i)
        atTheLimit += line;
    atTheLimit.append(kMaxReportFileBytes - atTheLimit.size(), 'y');
    EXPECT_EQ(SavedReportProblem(atTheLimit), "");
    const std::string problem = SavedReportProblem(atTheLimit + "z");
    EXPECT_NE(problem.find("mia\xB3" "by 16777217 bajt\xF3w"), std::string::npos) << problem;

    std::string manyLines;
    for (std::size_t i = 0; i <= kMaxReportLines; ++i)
        manyLines += "k\r\n";
    EXPECT_NE(SavedReportProblem(manyLines).find("ma 65537 wierszy"), std::string::npos) << SavedReportProblem(manyLines);
}

// ---- saving ------------------------------------------------------------------------------

TEST(BuildSavedReport, GoldenBytesSurviveLoadAndSaveUnchanged)
{
    Loaded w = Load(kSavedReport);
    ASSERT_EQ(w.lines.size(), 32u);
    EXPECT_FALSE(w.fresh);
    EXPECT_EQ(w.lines[18], "Pomiar zako\xF1" "czony bez uwag.");
    EXPECT_EQ(w.stored[1][3], " 1,034");
    EXPECT_EQ(w.stored[1][4], " poni\xBF" "ej");
    EXPECT_EQ(w.table.at(7, 11), " 1,665");

    const ReportLines saved = BuildSavedReport(w.lines, w.text.comment, w.editGrid);
    EXPECT_EQ(JoinReportLines(saved), kSavedReport);
    EXPECT_EQ(w.editGrid, w.stored); // every cell already began with a blank
}

TEST(BuildSavedReport, FreshTransmissionGivesThirtyOneLines)
{
    ReportLines report = EighteenLines();
    report.push_back("Transmisja zako\xF1" "czona powodzeniem.");
    Loaded w;
    w.text = RebuildReportText(report, w.table);
    GridTexts grid = FreshEditGrid();
    grid[3][5] = "neg";
    grid[4][6] = " neg";
    grid[5][7] = "";

    const ReportLines saved = BuildSavedReport(report, w.text.comment, grid);
    ASSERT_EQ(saved.size(), 31u);
    EXPECT_TRUE(std::equal(report.begin(), report.end(), saved.begin()));
    EXPECT_EQ(saved[19], "Kon_Kom_Pap");
    EXPECT_EQ(saved[20], "");
    EXPECT_EQ(saved[21], "Analiza");
    EXPECT_EQ(saved[22], "      \t     1\t     2\t     3\t     4\t     5\t     6\t     7\t     8\t     9\t     10\t"
                         "     11\t     12\t");
    EXPECT_EQ(saved[23], " A\t 1,1\t 1,2\t 1,3\t 1,4\t 1,5\t 1,6\t 1,7\t 1,8\t 1,9\t 1,10\t 1,11\t 1,12\t");
    EXPECT_EQ(saved[25], " C\t 3,1\t 3,2\t 3,3\t 3,4\t neg\t 3,6\t 3,7\t 3,8\t 3,9\t 3,10\t 3,11\t 3,12\t");
    EXPECT_TRUE(saved[26].starts_with(" D\t 4,1\t 4,2\t 4,3\t 4,4\t 4,5\t neg\t 4,7\t")) << saved[26];
    EXPECT_TRUE(saved[27].starts_with(" E\t 5,1\t 5,2\t 5,3\t 5,4\t 5,5\t 5,6\t \t 5,8\t")) << saved[27];
    EXPECT_EQ(saved[30], " H\t 8,1\t 8,2\t 8,3\t 8,4\t 8,5\t 8,6\t 8,7\t 8,8\t 8,9\t 8,10\t 8,11\t 8,12\t");
}

TEST(BuildSavedReport, BlankGoesInFrontOfDataCellsOnlyAndStaysInTheGrid)
{
    GridTexts grid = FreshEditGrid();
    grid[1][1] = "neg";
    grid[1][2] = " neg";
    grid[2][2] = "";
    grid[8][12] = "poz ";
    grid[3][3] = "  2 spaces";
    BuildSavedReport(EighteenLines(), {"Komentarz"}, grid);
    EXPECT_EQ(grid[1][1], " neg");
    EXPECT_EQ(grid[1][2], " neg");
    EXPECT_EQ(grid[2][2], " ");
    EXPECT_EQ(grid[8][12], " poz ");
    EXPECT_EQ(grid[3][3], "  2 spaces");
    EXPECT_EQ(grid[4][4], " 4,4");
    // Headings and the corner are written as they are.
    EXPECT_EQ(grid[0][0], "");
    EXPECT_EQ(grid[0][1], "1");
    EXPECT_EQ(grid[1][0], "A");
}

TEST(BuildSavedReport, MarkerFollowsLine17WhenThereIsNoComment)
{
    for (const Strings& memo : {Strings{}, Strings{"Komentarz"}}) {
        GridTexts grid = FreshEditGrid();
        const ReportLines saved = BuildSavedReport(EighteenLines(), memo, grid);
        ASSERT_EQ(saved.size(), 30u);
        EXPECT_EQ(saved[18], "Kon_Kom_Pap");
    }
}

TEST(BuildSavedReport, OnlyTheHeadingLineOfTheMemoIsLeftOut)
{
    GridTexts grid = FreshEditGrid();
    // The user deleted the heading: every line they kept is written.
    const ReportLines saved = BuildSavedReport(EighteenLines(), {"first", "second", "Komentarz"}, grid);
    EXPECT_EQ(saved[18], "first");
    EXPECT_EQ(saved[19], "second");
    EXPECT_EQ(saved[20], "Komentarz");
    EXPECT_EQ(saved[21], "Kon_Kom_Pap");
}

TEST(BuildSavedReport, LinesZeroToSeventeenComeFromTheReportNotTheMemo)
{
    ReportLines report = EighteenLines();
    report.push_back("comment in the list");
    GridTexts grid = FreshEditGrid();
    const ReportLines saved = BuildSavedReport(report, {"Komentarz", "typed"}, grid);
    EXPECT_TRUE(std::equal(report.begin(), report.begin() + 18, saved.begin()));
    EXPECT_EQ(saved[18], "typed");
    EXPECT_EQ(std::count(saved.begin(), saved.end(), "comment in the list"), 0);
}

TEST(BuildSavedReport, ShortReportIsRefusedAndTheGridLeftAlone)
{
    for (std::size_t n : {0u, 5u, 17u}) {
        ReportLines report = EighteenLines();
        report.resize(n);
        GridTexts grid = FreshEditGrid();
        try {
            BuildSavedReport(report, {"Komentarz", "x"}, grid);
            ADD_FAILURE() << "saved a report of " << n << " lines";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Nie mo\xBFna zapisa\xE6 raportu: ma ", 0), 0u) << e.what();
            EXPECT_NE(std::string(e.what()).find(std::to_string(n) + " wiersz"), std::string::npos) << e.what();
        }
        EXPECT_EQ(grid, FreshEditGrid());
    }
}

TEST(BuildSavedReport, ReloadRestoresTheEditGridWithBlanks)
{
    ReportLines report = EighteenLines();
    report.push_back("Transmisja zako\xF1" "czona powodzeniem.");
    GridTexts grid = FreshEditGrid();
    grid[2][1] = "neg";
    grid[6][6] = "";
    const Strings memo = RebuildReportText(report, ValueTable{}).comment;
    const std::string bytes = JoinReportLines(BuildSavedReport(report, memo, grid));

    Loaded w = Load(bytes);
    EXPECT_FALSE(w.fresh);
    EXPECT_EQ(w.stored[0][0], " ");
    for (int c = 1; c <= 12; ++c)
        EXPECT_EQ(w.stored[0][c], " " + std::to_string(c));
    const char* letters[] = {" A", " B", " C", " D", " E", " F", " G", " H"};
    for (int r = 1; r <= 8; ++r)
        EXPECT_EQ(w.stored[r][0], letters[r - 1]);
    EXPECT_EQ(w.stored[2][1], " neg");
    EXPECT_EQ(w.stored[6][6], " ");
    EXPECT_EQ(w.stored[8][12], " 8,12");
    // The values and the comment read back as they were.
    EXPECT_EQ(w.table.at(7, 11), " 11,7");
    EXPECT_EQ(w.text.comment[1], "Transmisja zako\xF1" "czona powodzeniem.");
}

TEST(BuildSavedReport, ResavingAReportWithABlockWritesOnlyTheCurrentBlock)
{
    Loaded w = Load(kSavedReport);
    // The memo shows the comment only; the edit grid holds the analysis.
    ASSERT_EQ(w.text.comment, (Strings{"Komentarz", "Pomiar zako\xF1" "czony bez uwag.", "Wynik poni\xBF" "ej progu w A3."}));

    // Whatever the user does around where the block was, no line of theirs goes.
    Strings memo = w.text.comment;
    memo.erase(memo.begin() + 1);
    memo.push_back("");
    memo.push_back("Analiza");
    memo.push_back("dopisek u\xBFytkownika");
    w.editGrid[1][3] = "nowa";

    const ReportLines saved = BuildSavedReport(w.lines, memo, w.editGrid);
    EXPECT_EQ(MarkerCount(saved), 1u);
    ASSERT_EQ(saved.size(), 18u + 4u + 3u + 9u);
    EXPECT_EQ(Strings(saved.begin() + 18, saved.begin() + 22), Strings(memo.begin() + 1, memo.end()));
    EXPECT_EQ(saved[22], "Kon_Kom_Pap");

    Loaded again = Load(JoinReportLines(saved));
    EXPECT_FALSE(again.fresh);
    EXPECT_EQ(again.stored[1][3], " nowa");
    EXPECT_EQ(again.stored[2][4], w.stored[2][4]);
    EXPECT_EQ(again.text.comment, memo);
}

// ---- what the comment and the cells may hold -------------------------------------------

TEST(UserCommentLines, ControlCharactersAndASecondMarkerCannotBreakTheFile)
{
    EXPECT_TRUE(UserCommentLines({}).empty());
    EXPECT_TRUE(UserCommentLines({"Komentarz"}).empty());
    EXPECT_EQ(UserCommentLines({"Komentarz", "a\tb\fc\x1B\x7F\rd", "Kon_Kom_Pap", "Kon_Kom_Pap x"}),
              (Strings{"a\tb c   d", "Kon_Kom_Pap ", "Kon_Kom_Pap x"}));
    EXPECT_TRUE(HasMarkerLine({"Komentarz", "Kon_Kom_Pap"}));
    EXPECT_FALSE(HasMarkerLine({"Komentarz", "Kon_Kom_Pap "}));
}

TEST(AnalysisCellText, InnerBlanksAreKeptWholeAsNoBreakSpaces)
{
    EXPECT_EQ(AnalysisCellText(" pacjent Nowak 7"), " pacjent\xA0Nowak\xA0" "7");
    EXPECT_EQ(AnalysisCellText("a\tb\nc"), "a\xA0" "b\xA0" "c");
    EXPECT_EQ(AnalysisCellText(" neg"), " neg");

    GridTexts grid = FreshEditGrid();
    grid[4][2] = "pacjent Nowak 7";
    grid[5][5] = "wklejone\tz\r\narkusza";
    grid[0][3] = "kol 3";
    const Loaded w = Load(JoinReportLines(BuildSavedReport(EighteenLines(), {"Komentarz"}, grid)));
    EXPECT_EQ(w.stored[4][2], " pacjent\xA0Nowak\xA0" "7");
    EXPECT_EQ(w.stored[5][5], " wklejone\xA0z\xA0\xA0" "arkusza");
    EXPECT_EQ(w.stored[5][6], " 5,6"); // nothing shifted
    EXPECT_EQ(w.stored[0][3], " kol\xA0" "3");
    EXPECT_EQ(grid[5][5], " wklejone z  arkusza"); // the grid shows the blanks the save made
}

// Random comments and edit grids, saved and opened again, give back what the
// user had: the value table, the comment lines and the edit-grid texts.
TEST(SaveAndReopen, GivesBackTheCommentTheGridAndTheValues)
{
    std::mt19937 random(20261208);
    const std::vector<std::string> words = {"Kon_Kom_Pap", "Analiza", "Komentarz", "neg", " poz", "", " ",
                                            "pacjent Nowak 7", "\t", "\r\n", "\xA0", "poni\xBF" "ej"};
    auto text = [&](bool lineBreaks) {
        std::string out;
        const int parts = static_cast<int>(random() % 4);
        for (int p = 0; p < parts; ++p) {
            if (random() % 2) {
                out += words[random() % words.size()];
            } else {
                for (int n = static_cast<int>(random() % 6); n > 0; --n)
                    out += static_cast<char>(random() % 256);
            }
        }
        if (!lineBreaks)
            std::replace(out.begin(), out.end(), '\n', ' ');
        return out;
    };
    // A report as it was loaded: its comment and analysis may be anything.
    const ReportLines loaded = SplitReportText(kSavedReport);
    ValueTable values;
    ParseValueLines(loaded, values);

    for (int round = 0; round < 3000; ++round) {
        Strings memo;
        if (random() % 4)
            memo.emplace_back("Komentarz");
        for (int n = static_cast<int>(random() % 5); n > 0; --n)
            memo.push_back(text(false));
        GridTexts grid;
        for (auto& row : grid)
            for (std::string& cell : row)
                cell = text(true);

        // What the user must get back.
        Strings comment = UserCommentLines(memo);
        GridTexts cells = grid;
        for (auto& row : cells) {
            for (std::string& cell : row) {
                for (char& ch : cell)
                    if (static_cast<unsigned char>(ch) < 0x20 || ch == '\x7F')
                        ch = ' ';
                if (cell.empty() || cell.front() != ' ')
                    cell.insert(cell.begin(), ' ');
                cell = AnalysisCellText(cell);
            }
        }

        const std::string first = JoinReportLines(BuildSavedReport(loaded, memo, grid));
        const Loaded w = Load(first);
        ASSERT_EQ(MarkerCount(w.lines), 1u) << round;
        EXPECT_EQ(w.table.cells, values.cells) << round;
        ASSERT_EQ(w.text.comment.size(), comment.size() + 1) << round;
        EXPECT_EQ(Strings(w.text.comment.begin() + 1, w.text.comment.end()), comment) << round;
        EXPECT_EQ(w.stored, cells) << round;

        // From the second save on, saving what was opened changes nothing.
        // (The first may differ: heading cells come back with a blank in front.)
        GridTexts again = w.stored;
        const std::string second = JoinReportLines(BuildSavedReport(w.lines, w.text.comment, again));
        const Loaded v = Load(second);
        GridTexts thirdGrid = v.stored;
        EXPECT_EQ(JoinReportLines(BuildSavedReport(v.lines, v.text.comment, thirdGrid)), second) << round;
    }
}
