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

using Strings = std::vector<std::string>;

// A grid whose cell (c, r) reads "r.c", row 0 and column 0 included.
GridTexts NumberedGrid(const std::string& prefix = "")
{
    GridTexts grid;
    for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < kGridColumns; ++c)
            grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]
                = prefix + std::to_string(r) + "." + std::to_string(c);
    return grid;
}

std::string Row(const std::string& prefix, int r)
{
    std::string line;
    for (int c = 0; c < kGridColumns; ++c)
        line += (c ? "\t" : "") + prefix + std::to_string(r) + "." + std::to_string(c);
    return line + "\r\n";
}

// ---- Export --------------------------------------------------------------------

TEST(ExportDocument, WholeFileByteForByte)
{
    GridTexts edit = NumberedGrid(" e");
    edit[2][3] = "a\tb\rc\nd"; // whatever reached a cell, a row stays one line of 13 fields
    const Strings memo = {"Komentarz", "Rozcie\xF1" "czenie 1:100", "", "kolumna\t2", "Kon_Kom_Pap"};

    std::string expected = "\r\nPomiar\r\n";
    for (int r = 0; r < 9; ++r)
        expected += Row("", r);
    expected += "\r\nKomentarz\r\nRozcie\xF1" "czenie 1:100\r\n\r\nkolumna\t2\r\nKon_Kom_Pap \r\n";
    expected += "\r\nAnaliza\r\n";
    for (int r = 0; r < 9; ++r)
        expected += r == 2 ? std::string(" e2.0\t e2.1\t e2.2\ta b c d\t e2.4\t e2.5\t e2.6\t e2.7\t e2.8\t e2.9\t"
                                         " e2.10\t e2.11\t e2.12\r\n")
                           : Row(" e", r);
    EXPECT_EQ(BuildExportDocument(NumberedGrid(), memo, edit), expected);
}

TEST(ExportDocument, CommentPartHoldsOnlyTheUsersComment)
{
    const GridTexts grid{};
    auto commentPart = [&](const Strings& memo) {
        const ReportLines lines = BuildExportLines(grid, memo, grid);
        // Lines 0-12: empty, "Pomiar", nine grid rows, empty, "Komentarz".
        EXPECT_EQ(lines[12], "Komentarz");
        const auto from = lines.begin() + 13;
        const auto to = lines.end() - 11; // empty line, "Analiza", nine rows
        return Strings(from, to);
    };
    EXPECT_EQ(commentPart({"Komentarz"}), Strings{});
    EXPECT_EQ(commentPart({}), Strings{});
    // Only the heading itself is skipped: a memo whose first line the user
    // rewrote keeps it, as a report save does.
    EXPECT_EQ(commentPart({"Pomiar powt\xF3rzony", "x"}), (Strings{"Pomiar powt\xF3rzony", "x"}));
    EXPECT_EQ(commentPart({"Komentarz", "a\x01" "b"}), Strings{"a b"});
}

TEST(ExportFilter, FiveEntriesAndTheirExtensions)
{
    const std::vector<FilterEntry> entries = SplitFilter(kExportFilter);
    ASSERT_EQ(entries.size(), 5u);
    const char* labels[] = {"Arkusz Excel (*.xls)", "Plik tekstowy (*.txt)", "Dokument Word (*.doc)",
                            "Text OpenOffice (*.sxw)", "Plik formatowany (*.rtf)"};
    const char* patterns[] = {"*.xls", "*txt", "*.doc", "*.sxw", "*.rtf"};
    const char* extensions[] = {"xls", "txt", "doc", "sxw", "rtf"};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(entries[i].label, labels[i]);
        EXPECT_EQ(entries[i].pattern, patterns[i]);
        EXPECT_EQ(PatternExtension(entries[i].pattern), extensions[i]);
    }
    for (const char* none : {"*", "*.*", "*.txt;*.csv", ""})
        EXPECT_EQ(PatternExtension(none), "") << none;
}

// ---- Clipboard -----------------------------------------------------------------

TEST(CopyRange, CornersInAnyOrderAndNeverPastTheGrid)
{
    const GridTexts grid = NumberedGrid();
    // First corner (5, 6), second (2, 3): rows 3-6, columns 2-5.
    const CellRange range = RangeBetween(5, 6, 2, 3);
    EXPECT_EQ(ClipboardText(grid, range), "3.2\t3.3\t3.4\t3.5\r4.2\t4.3\t4.4\t4.5\r"
                                          "5.2\t5.3\t5.4\t5.5\r6.2\t6.3\t6.4\t6.5\r");
    EXPECT_EQ(ClipboardText(grid, RangeBetween(7, 2, 7, 2)), "2.7\r");

    // One-byte corners can hold 255: the range ends at the last cell.
    const CellRange clamped = RangeBetween(255, 255, 11, 7);
    EXPECT_EQ(clamped.right, 12);
    EXPECT_EQ(clamped.bottom, 8);
    EXPECT_EQ(ClipboardText(grid, {11, 7, 400, 400}), "7.11\t7.12\r8.11\t8.12\r");

    // Leading blanks and empty cells stay as they are; there is never an LF.
    GridTexts marks{};
    marks[1][1] = " neg";
    EXPECT_EQ(ClipboardText(marks, RangeBetween(0, 0, 2, 1)), "\t\t\r\t neg\t\r");
}

// ---- Print layout ----------------------------------------------------------------

// A printer whose body face is 10 dots a character, its tab 80 dots.
PrintMetrics FakeMetrics(int dpi, int pageHeight)
{
    PrintMetrics m;
    m.dpi = dpi;
    m.pageHeight = pageHeight;
    m.bodyLineHeight = 60 * dpi / 600;
    m.bodyTabWidth = 80;
    m.bodyTextWidth = [](std::string_view text) { return static_cast<int>(text.size()) * 10; };
    return m;
}

std::vector<PlacedText> OnLine(const PrintLayout& layout, int page, int y)
{
    std::vector<PlacedText> out;
    for (const PlacedText& t : layout.texts)
        if (t.page == page && t.y == y)
            out.push_back(t);
    return out;
}

TEST(PrintLayout, FirstPageAsDesignedScaledToTheResolution)
{
    PrintContent content;
    content.heading = "            ZUTE -  Karsk";
    for (int i = 0; i < 16; ++i) // one more than is printed
        content.reportLines.push_back("linia " + std::to_string(i));
    content.commentLines = {"Komentarz", "druga", "trzecia"};
    content.logoWidth = 720;
    content.logoHeight = 300;

    for (const int dpi : {600, 1200, 300}) {
        SCOPED_TRACE(dpi);
        const PrintLayout layout = LayOutPrint(content, FakeMetrics(dpi, 7000 * dpi / 600));
        const int k = dpi / 300; // dots per half design dot
        auto at = [k](int design) { return design * k / 2; };
        EXPECT_EQ(layout.pageCount, 1);
        ASSERT_FALSE(layout.texts.empty());
        const PlacedText& heading = layout.texts.front();
        EXPECT_EQ(heading.face, PrintFace::Heading);
        EXPECT_EQ(heading.text, content.heading);
        EXPECT_EQ(heading.x, at(3200));
        EXPECT_EQ(heading.y, at(1000));
        ASSERT_TRUE(layout.logo);
        EXPECT_EQ(layout.logo->x, at(200));
        EXPECT_EQ(layout.logo->y, at(200));
        EXPECT_EQ(layout.logo->width, at(720));
        EXPECT_EQ(layout.logo->height, at(300));
        for (int i = 0; i < 15; ++i) {
            const auto line = OnLine(layout, 0, at(1200 + 110 * i));
            ASSERT_EQ(line.size(), 1u) << i;
            EXPECT_EQ(line[0].text, "linia " + std::to_string(i));
            EXPECT_EQ(line[0].x, at(400));
        }
        const std::vector<std::string> comment = {"Komentarz", "druga", "trzecia"};
        for (int k2 = 0; k2 < 3; ++k2) {
            const auto line = OnLine(layout, 0, at(2940 + 110 * k2));
            ASSERT_EQ(line.size(), 1u);
            EXPECT_EQ(line[0].text, comment[static_cast<std::size_t>(k2)]);
        }
        // 1 heading + 15 report lines + 3 comment lines: the 16th line is not printed.
        EXPECT_EQ(layout.texts.size(), 19u);
    }
}

TEST(PrintLayout, TabsStopEveryTabWidthFromThePageEdge)
{
    // x = 400: "A" ends at 410, so its TAB goes on to 480; a value 6 wide
    // ends at 540 and the next starts at 560; an empty field still moves on
    // one stop; a field past its stop pushes the next one a stop further.
    const auto pieces = ExpandTabs("A\t 0,100\t\t 0,102\tbardzo dlugie\tx", 400, 80,
                                   [](std::string_view t) { return static_cast<int>(t.size()) * 10; });
    ASSERT_EQ(pieces.size(), 5u);
    const int xs[] = {400, 480, 640, 720, 880};
    const char* texts[] = {"A", " 0,100", " 0,102", "bardzo dlugie", "x"};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(pieces[i].x, xs[i]) << i;
        EXPECT_EQ(pieces[i].text, texts[i]) << i;
    }
    // A line starting with a TAB begins at the first stop right of x; other
    // control characters are printed as blanks.
    const auto lead = ExpandTabs("\tk\x01" "z", 400, 80, [](std::string_view t) { return static_cast<int>(t.size()); });
    ASSERT_EQ(lead.size(), 1u);
    EXPECT_EQ(lead[0].x, 480);
    EXPECT_EQ(lead[0].text, "k z");
    // A zero tab width (a face without metrics) cannot stall.
    EXPECT_EQ(ExpandTabs("a\t\t\tb", 0, 0, nullptr).back().x, 3);
}

TEST(PrintLayout, CommentBelowThePrintableAreaGoesOnOverFurtherPages)
{
    PrintContent content;
    content.reportLines.assign(15, "r");
    for (int k = 0; k < 80; ++k)
        content.commentLines.push_back("k" + std::to_string(k));

    // 600 dpi, printable height 7000, lines 60 high: 2940 + 110 k + 60 <= 7000
    // holds for k <= 36; page 2 from y = 200 holds (7000 - 260) / 110 + 1 = 62.
    const PrintLayout layout = LayOutPrint(content, FakeMetrics(600, 7000));
    EXPECT_EQ(layout.pageCount, 2);
    std::vector<PlacedText> comment;
    for (const PlacedText& t : layout.texts)
        if (t.text.front() == 'k')
            comment.push_back(t);
    ASSERT_EQ(comment.size(), 80u);
    EXPECT_EQ(comment[36].page, 0);
    EXPECT_EQ(comment[36].y, 2940 + 110 * 36);
    EXPECT_EQ(comment[37].page, 1);
    EXPECT_EQ(comment[37].y, 200);
    EXPECT_EQ(comment[79].y, 200 + 110 * 42);
    EXPECT_EQ(comment[79].x, 400);

    // A page too small for even one line still prints every line, one a page.
    const PrintLayout tiny = LayOutPrint(content, FakeMetrics(600, 100));
    EXPECT_EQ(tiny.pageCount, 81);
}

} // namespace
