// A report as workbook content: the cells a spreadsheet gets, number or text,
// and the texts as the file format must hold them. Where every cell goes is
// read back from real workbooks in WorkbookExportTest.
#include "core/document/ReportDocument.h"
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
    for (const CellCase& c : cases)
        ExpectCell(GridCell(c.text), c.kind, c.number, c.shown, c.text);
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

// What the command-line test cannot see through a spreadsheet reader: a
// comment line longer than a cell goes on in the next cell, and a file name
// that is not UTF-8 still makes a valid text.
TEST(WorkbookContent, LongCommentLinesGoOnInTheNextCellAndNamesAreMadeValid)
{
    ReportLines lines = {"Welkor Lumo 1", "Program: ELISA", "Filtr: 450", "Tryb: pojedynczy",
                         "DATE: 08.12.2026 TIME: 09:12:44", "OPERATOR: Marvant"};
    for (int c = 1; c <= 12; ++c)
        lines.push_back("Kol " + std::to_string(c) + " 0,1\t 0,2\t 0,3\t 0,4\t 0,5\t 0,6\t 0,7\t 0,8\t");
    OpenedReport opened = ReportDocument::Open(JoinReportLines(lines));
    ASSERT_TRUE(opened.ok()) << opened.problem;
    ReportDocument& doc = *opened.document;
    // The escaped underscore counts its seven stored characters, a letter one.
    const std::string longLine = "_x0041_" + std::string(kMaxCellCharacters - 15, 'x') + "\xB3\xB3\xB9";
    doc.setCommentLines({"Komentarz", "  wci\xEAty\twiersz", "", longLine});

    const WorkbookContent content = ReportWorkbook(doc, "seria\xB3.rap");
    const std::vector<std::vector<WorkbookCell>>& plate = content.sheets.at(0).rows;
    ASSERT_EQ(plate.size(), 25u);
    ExpectCell(plate[22].at(0), Kind::Text, 0, "  wci\xC4\x99ty\twiersz", "as typed");
    EXPECT_TRUE(plate[23].empty());
    ASSERT_EQ(plate[24].size(), 2u);
    EXPECT_EQ(plate[24][0].text, "_x0041_" + std::string(kMaxCellCharacters - 15, 'x') + "\xC5\x82\xC5\x82");
    EXPECT_EQ(plate[24][1].text, "\xC4\x85");
    ExpectCell(content.sheets.at(1).rows.at(96).at(0), Kind::Text, 0, "seria\xEF\xBF\xBD.rap", "file name");
}
