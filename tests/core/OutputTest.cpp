// The export document, the clipboard text and the print layout, byte for byte
// and dot for dot.
#include "core/output/CopyRange.h"
#include "core/output/ExportDocument.h"
#include "core/output/PrintLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace welkor;

namespace {

// A grid whose cell (c, r) reads prefix + "r.c".
GridTexts NumberedGrid(const std::string& prefix = "")
{
    GridTexts grid;
    for (std::size_t r = 0; r < grid.size(); ++r)
        for (std::size_t c = 0; c < grid[r].size(); ++c)
            grid[r][c] = prefix + std::to_string(r) + "." + std::to_string(c);
    return grid;
}

std::string Rows(const std::string& prefix)
{
    std::string out;
    for (int r = 0; r < kGridRows; ++r) {
        for (int c = 0; c < kGridColumns; ++c)
            out += (c ? "\t" : "") + prefix + std::to_string(r) + "." + std::to_string(c);
        out += "\r\n";
    }
    return out;
}

TEST(ExportDocument, WholeFileByteForByte)
{
    GridTexts edit = NumberedGrid(" e");
    edit[8][12] = "a\tb\rc"; // whatever reached a cell, a row stays one line of 13 fields
    // The comment goes out as typed: an export is never read back, so a line
    // reading like the report's marker keeps no added blank.
    const std::vector<std::string> memo = {"Komentarz", "Rozcie\xF1" "czenie 1:100", "", "k\t2", "Kon_Kom_Pap"};
    std::string rows = Rows(" e");
    rows.replace(rows.rfind(" e8.12"), 6, "a b c");
    EXPECT_EQ(BuildExportDocument(NumberedGrid(), memo, edit),
              "\r\nPomiar\r\n" + Rows("") + "\r\nKomentarz\r\nRozcie\xF1" "czenie 1:100\r\n\r\nk\t2\r\nKon_Kom_Pap\r\n"
                  + "\r\nAnaliza\r\n" + rows);

    // A memo holding only its heading, or emptied, gives no comment line; a
    // first line the user rewrote is the user's and stays.
    const GridTexts empty{};
    for (const std::vector<std::string>& none : {std::vector<std::string>{"Komentarz"}, std::vector<std::string>{}})
        EXPECT_EQ(BuildExportLines(empty, none, empty)[13], "");
    EXPECT_EQ(BuildExportLines(empty, {"Powt\xF3rzony"}, empty)[13], "Powt\xF3rzony");
}

TEST(CopyRange, CornersInAnyOrderNeverPastTheGrid)
{
    const GridTexts grid = NumberedGrid();
    EXPECT_EQ(ClipboardText(grid, RangeBetween(5, 6, 2, 3)),
              "3.2\t3.3\t3.4\t3.5\r4.2\t4.3\t4.4\t4.5\r5.2\t5.3\t5.4\t5.5\r6.2\t6.3\t6.4\t6.5\r");
    EXPECT_EQ(ClipboardText(grid, RangeBetween(7, 2, 7, 2)), "2.7\r");
    // One-byte corners can hold 255: the range ends at the last cell.
    EXPECT_EQ(ClipboardText(grid, RangeBetween(255, 255, 11, 7)), "7.11\t7.12\r8.11\t8.12\r");
    EXPECT_EQ(ClipboardText(grid, {11, 7, 400, 400}), "7.11\t7.12\r8.11\t8.12\r");
}

// A printer whose body face is 10 dots a character and 60 high, its tab 80.
PrintMetrics FakeMetrics(int pageHeight)
{
    return {600, pageHeight, 60, 80, [](std::string_view text) { return static_cast<int>(text.size()) * 10; }};
}

TEST(PrintLayout, TabsStopEveryTabWidthFromThePageEdge)
{
    // From x = 400: "A" ends at 410, its TAB goes on to 480; an empty field
    // still moves one stop; a field past its stop pushes the next one further.
    const auto pieces = ExpandTabs("A\t 0,100\t\t 0,102\tbardzo dlugie\tx\x01y", 400, 80, FakeMetrics(0).bodyTextWidth);
    const std::vector<int> xs = {400, 480, 640, 720, 880};
    const std::vector<std::string> texts = {"A", " 0,100", " 0,102", "bardzo dlugie", "x y"};
    ASSERT_EQ(pieces.size(), xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) {
        EXPECT_EQ(pieces[i].x, xs[i]) << i;
        EXPECT_EQ(pieces[i].text, texts[i]) << i;
    }
    // A zero tab width (a face without metrics) cannot stall.
    EXPECT_EQ(ExpandTabs("a\t\t\tb", 0, 0, nullptr).back().x, 3);
}

TEST(PrintLayout, CommentBelowThePrintableAreaGoesOnOverFurtherPages)
{
    PrintContent content;
    content.reportLines.assign(16, "r");
    for (int k = 0; k < 80; ++k)
        content.commentLines.push_back("k" + std::to_string(k));

    // Page height 7000: 2940 + 110 k + 60 <= 7000 holds for k <= 36; page 2
    // takes the rest from y = 200.
    const PrintLayout layout = LayOutPrint(content, FakeMetrics(7000));
    EXPECT_EQ(layout.pageCount, 2);
    std::vector<PlacedText> comment;
    int reportLines = 0;
    for (const PlacedText& t : layout.texts) {
        reportLines += t.text == "r";
        if (t.text.front() == 'k')
            comment.push_back(t);
    }
    EXPECT_EQ(reportLines, 15);
    ASSERT_EQ(comment.size(), 80u);
    EXPECT_EQ(comment[0].y, 2940);
    EXPECT_EQ(comment[36].page, 0);
    EXPECT_EQ(comment[36].y, 2940 + 110 * 36);
    EXPECT_EQ(comment[37].page, 1);
    EXPECT_EQ(comment[37].y, 200);
    EXPECT_EQ(comment[79].y, 200 + 110 * 42);
    // A page too small for even one line still takes one, so printing ends.
    EXPECT_EQ(LayOutPrint(content, FakeMetrics(100)).pageCount, 81);
}

} // namespace
