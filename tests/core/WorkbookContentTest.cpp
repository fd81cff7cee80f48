// A report as workbook content: the cells a spreadsheet gets, number or text,
// where they go, and the texts as the file format must hold them.
#include "core/document/ReportDocument.h"
#include "core/output/PlateCsv.h"
#include "core/output/WorkbookContent.h"
#include "core/report/ReportFile.h"

#include <gtest/gtest.h>

#include <string>

using namespace welkor;

namespace {

using Kind = WorkbookCell::Kind;

struct CellCase {
    const char* text; // code page 1250, as a grid holds it
    Kind kind;
    double number;
    const char* shown; // UTF-8
};

void ExpectCell(const WorkbookCell& cell, Kind kind, double number, const std::string& text, const std::string& where)
{
    EXPECT_EQ(cell.kind, kind) << where;
    if (kind == Kind::Number) {
        EXPECT_EQ(cell.number, number) << where;
    }
    if (kind == Kind::Text) {
        EXPECT_EQ(cell.text, text) << where;
    }
}

} // namespace

TEST(WorkbookContent, GridTextsBecomeNumbersWhereTheLongTableReadsOne)
{
    const CellCase cases[] = {
        {" 0,074", Kind::Number, 0.074, ""},
        {"-0,015", Kind::Number, -0.015, ""},
        {" +1,5E-3 ", Kind::Number, 0.0015, ""},
        {",5", Kind::Number, 0.5, ""},
        {"2,", Kind::Number, 2, ""},
        {"12", Kind::Number, 12, ""},            // a column heading
        {" 0.5", Kind::Text, 0, "0.5"},           // a decimal point is no number here
        {" BLANK", Kind::Text, 0, "BLANK"},       // as the table shows it, without the blank
        {" neg", Kind::Text, 0, "neg"},
        {" poni\xBF" "ej", Kind::Text, 0, "poni\xC5\xBC" "ej"},
        {"1E400", Kind::Text, 0, "1E400"},        // beyond a double: kept as text, not infinity
        {"   ", Kind::Empty, 0, ""},
        {"", Kind::Empty, 0, ""},
    };
    for (const CellCase& c : cases) {
        ExpectCell(GridCell(c.text), c.kind, c.number, c.shown, c.text);
        // The same number the long table writes, read back.
        const std::string longTable = DecimalPointNumber(c.text);
        if (c.kind == Kind::Number) {
            EXPECT_EQ(std::stod(longTable), c.number) << c.text;
        }
    }
}

TEST(WorkbookContent, TextsAreValidUtf8AndEscapeLookalikesStayAsTyped)
{
    const std::pair<std::string, std::string> cases[] = {
        {"P\xC5\x82ytka", "P\xC5\x82ytka"},
        {"_x0041_", "_x005F_x0041_"},           // else read back as "A"
        {"a__x00fF_b", "a__x005F_x00fF_b"},
        {"_x004G_ _x41_ _x0041", "_x004G_ _x41_ _x0041"},
        {"a\xFF" "b", "a\xEF\xBF\xBD" "b"},      // a byte of another code page
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"}, // a surrogate
        {"\xEF\xBF\xBE\xEF\xBF\xBF", "\xEF\xBF\xBD\xEF\xBF\xBD"}, // not characters in the file format
        {"\t", "\t"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(SpreadsheetText(in), out) << in;
}

TEST(WorkbookContent, ReportSheetsThePlateTheAnalysisTheCommentAndTheLongTable)
{
    ReportLines lines = {"Welkor Lumo 1", "Program: ELISA", "Filtr: 450", "Tryb: pojedynczy",
                         "DATE: 08.12.2026 TIME: 09:12:44", "OPERATOR: Marvant"};
    for (int c = 0; c < 12; ++c) {
        std::string line = "Kol " + std::to_string(c + 1);
        for (int r = 0; r < 8; ++r)
            line += (c == 0 && r == 0) ? " BLANK\t" : (c == 11 && r == 7) ? " over\t"
                                                  : " 0," + std::to_string(100 + 10 * c + r) + "\t";
        lines.push_back(line);
    }
    ReportDocument doc = *ReportDocument::Open(JoinReportLines(lines)).document;
    doc.setEditCell(2, 3, "neg");
    // Saved and opened again: the mark is in the stored analysis the long table reads.
    doc = *ReportDocument::Open(doc.SavedBytes()).document;
    const std::string longLine = "_x0041_" + std::string(kMaxCellCharacters - 15, 'x') + "\xB3\xB3\xB9";
    doc.setCommentLines({"Komentarz", "  Zieleni\xEA" "ta\tp\xB3ytka", "", longLine});

    const WorkbookContent content = ReportWorkbook(doc, "seria\xB3.rap");
    ASSERT_EQ(content.sheets.size(), 2u);
    const WorkbookSheet& plate = content.sheets[0];
    EXPECT_EQ(plate.name, "P\xC5\x82ytka");
    ASSERT_EQ(plate.rows.size(), 9u + 1 + 1 + 9 + 1 + 1 + 3);
    for (int c = 1; c <= 12; ++c) {
        ExpectCell(plate.rows[0][c], Kind::Number, c, "", "heading");
        EXPECT_TRUE(plate.rows[0][c].bold);
    }
    for (int r = 1; r <= 8; ++r) {
        ExpectCell(plate.rows[r][0], Kind::Text, 0, std::string(1, static_cast<char>('A' + r - 1)), "letter");
        EXPECT_TRUE(plate.rows[r][0].bold);
    }
    EXPECT_EQ(plate.rows[0][0].kind, Kind::Empty);
    ExpectCell(plate.rows[1][1], Kind::Text, 0, "BLANK", "A1");
    ExpectCell(plate.rows[3][2], Kind::Number, 0.112, "", "C2");
    ExpectCell(plate.rows[8][12], Kind::Text, 0, "over", "H12");
    EXPECT_FALSE(plate.rows[3][2].bold);
    EXPECT_TRUE(plate.rows[9].empty());
    ExpectCell(plate.rows[10][0], Kind::Text, 0, "Analiza", "analysis heading");
    ExpectCell(plate.rows[11 + 3][2], Kind::Text, 0, "neg", "the mark, saved as \" neg\"");
    ExpectCell(plate.rows[11 + 3][3], Kind::Number, 0.122, "", "a reading, saved as \" 0,122\"");
    ExpectCell(plate.rows[11 + 8][0], Kind::Text, 0, "H", "analysis letter");
    ExpectCell(plate.rows[21][0], Kind::Text, 0, "Komentarz", "comment heading");
    ExpectCell(plate.rows[22][0], Kind::Text, 0, "  Zieleni\xC4\x99ta\tp\xC5\x82ytka", "comment, as typed");
    EXPECT_TRUE(plate.rows[23].empty());
    // Past what a cell holds once stored, the line goes on in the next cell:
    // the escaped underscore counts its seven characters, a letter one.
    const std::vector<WorkbookCell>& split = plate.rows[24];
    ASSERT_EQ(split.size(), 2u);
    EXPECT_EQ(split[0].text, "_x0041_" + std::string(kMaxCellCharacters - 15, 'x') + "\xC5\x82\xC5\x82");
    EXPECT_EQ(split[1].text, "\xC4\x85");

    const WorkbookSheet& table = content.sheets[1];
    EXPECT_EQ(table.name, "Tabela d\xC5\x82uga");
    ASSERT_EQ(table.rows.size(), 97u);
    const char* heading[] = {"plik", "studzienka", "wiersz", "kolumna", "wartosc", "stan", "znacznik"};
    ASSERT_EQ(table.rows[0].size(), 7u);
    for (int i = 0; i < 7; ++i)
        ExpectCell(table.rows[0][i], Kind::Text, 0, heading[i], "long heading");
    struct Row {
        int at;
        const char* well;
        Kind value; // Number or Empty
        double number;
        const char* state;
        const char* mark;
    };
    const Row rows[] = {{1, "A1", Kind::Empty, 0, "blank", ""},
                        {1 + 2 * 12 + 1, "C2", Kind::Number, 0.112, "liczba", "neg"},
                        {1 + 2 * 12 + 2, "C3", Kind::Number, 0.122, "liczba", ""},
                        {96, "H12", Kind::Empty, 0, "over", ""}};
    for (const Row& row : rows) {
        const std::vector<WorkbookCell>& cells = table.rows[static_cast<std::size_t>(row.at)];
        ASSERT_EQ(cells.size(), 7u);
        ExpectCell(cells[0], Kind::Text, 0, "seria\xEF\xBF\xBD.rap", row.well); // not UTF-8: U+FFFD
        ExpectCell(cells[1], Kind::Text, 0, row.well, row.well);
        ExpectCell(cells[2], Kind::Text, 0, std::string(1, row.well[0]), row.well);
        ExpectCell(cells[3], Kind::Number, std::stoi(row.well + 1), "", row.well);
        ExpectCell(cells[4], row.value, row.number, "", row.well);
        ExpectCell(cells[5], Kind::Text, 0, row.state, row.well);
        ExpectCell(cells[6], *row.mark ? Kind::Text : Kind::Empty, 0, row.mark, row.well);
    }
    // Every value is the long CSV's number.
    std::string csv;
    AppendLongCsv(csv, "x", doc.values(), doc.storedAnalysis());
    std::size_t at = 0;
    for (std::size_t i = 1; i <= 96; ++i) {
        const std::size_t end = csv.find('\n', at);
        std::string line = csv.substr(at, end - at);
        at = end + 1;
        for (int skip = 0; skip < 4; ++skip)
            line.erase(0, line.find(',') + 1);
        const std::string number = line.substr(0, line.find(','));
        const WorkbookCell& value = table.rows[i][4];
        ASSERT_EQ(value.kind, number.empty() ? Kind::Empty : Kind::Number) << i;
        if (!number.empty()) {
            EXPECT_EQ(value.number, std::stod(number)) << i;
        }
    }
}
