#include "core/document/ReportDocument.h"
#include "core/output/PlateCsv.h"
#include "core/plate/PlatePicture.h"
#include "core/reader/Transmission.h"
#include "core/report/ReportCheck.h"
#include "core/report/ReportFile.h"
#include "core/report/WellName.h"
#include "core/text/Cp1250.h"

#include <gtest/gtest.h>

#include <string>

using namespace welkor;

namespace {

// A report of 18 lines and one comment line; column c, row r reads
// 0,<100 + 10c + r>, except A1 " BLANK" and H12 " over".
std::string Report()
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
    lines.push_back("Surowica 1:100");
    return JoinReportLines(lines);
}

} // namespace

TEST(ReportDocument, OpensAsTheWindowDoesAndRefusesWhatItRefuses)
{
    const std::string shortFile = "Welkor\r\nDATE\r\n";
    const OpenedReport refused = ReportDocument::Open(shortFile);
    EXPECT_FALSE(refused.document);
    EXPECT_EQ(refused.problem, ReportProblem(shortFile, SplitReportText(shortFile)));
    EXPECT_FALSE(refused.problem.empty());

    OpenedReport opened = ReportDocument::Open(Report());
    ASSERT_TRUE(opened.ok());
    ReportDocument& doc = *opened.document;
    EXPECT_TRUE(doc.hasData());
    EXPECT_TRUE(doc.freshMeasurement());
    EXPECT_EQ(doc.measuredGrid()[0][12], "12");
    EXPECT_EQ(doc.measuredGrid()[1][1], " BLANK"); // as read: only the plate lower-cases
    EXPECT_EQ(doc.measuredGrid()[3][2], " 0,112");
    EXPECT_EQ(doc.editGrid(), doc.measuredGrid());
    EXPECT_EQ(doc.commentLines(), (std::vector<std::string>{"Komentarz", "Surowica 1:100"}));
    EXPECT_EQ(doc.displayedLines().size(), 15u);
}

// Wells a file leaves out are empty, not the "0" of an empty window nor the
// values of the report opened before.
TEST(ReportDocument, WellsTheFileLeavesOutAreEmpty)
{
    std::string shortLast = Report();
    const std::size_t line17 = shortLast.find("Kol 12");
    shortLast.replace(line17, shortLast.find("\r\n", line17) - line17, "Kol 12 0,5\t 0,6\t");
    const ReportDocument doc = *ReportDocument::Open(shortLast).document;
    EXPECT_EQ(doc.measuredGrid()[2][12], " 0,6");
    for (std::size_t r = 3; r <= 8; ++r) {
        EXPECT_EQ(doc.measuredGrid()[r][12], "") << r;
        EXPECT_EQ(doc.values().at(static_cast<int>(r) - 1, 11), "") << r;
    }
}

// A report saved in UTF-8 by another program opens with its letters, in
// the code page a save writes.
TEST(ReportDocument, Utf8ReportOpensWithItsLetters)
{
    std::string utf8 = Report();
    utf8.replace(utf8.find("Surowica"), 8, "Pr\xC3\xB3" "bka \xC5\xBC\xC3\x91");
    const OpenedReport opened = ReportDocument::Open(utf8);
    ASSERT_TRUE(opened.ok());
    EXPECT_TRUE(opened.readAsUtf8);
    EXPECT_EQ(opened.unstorable, "\xC3\x91");
    EXPECT_EQ(opened.document->commentLines().back(), "Pr\xF3" "bka \xBF? 1:100");
    EXPECT_FALSE(ReportDocument::Open(Report()).readAsUtf8);
}

// A text of more lines than a report may have, or of a longer line, is
// refused with the count (before it is split into lines: a file of 16 MiB of
// empty lines costs its bytes, not a line list of millions); the limits
// themselves open. Binary data is still called so.
TEST(ReportDocument, TooManyLinesOrTooLongALineIsRefusedAndTheLimitsOpen)
{
    const std::string report = Report(); // 19 lines
    const std::size_t lines = kMaxReportLines - 19;
    std::string crLf;
    for (std::size_t i = 0; i < lines; ++i)
        crLf += "\r\n";
    const struct {
        const char* what;
        std::string bytes;
        std::string problem;
    } cases[] = {
        {"16 MiB of empty lines", report + std::string(kMaxReportFileBytes - report.size(), '\n'),
         "Plik nie jest raportem z pomiaru: ma " + std::to_string(kMaxReportFileBytes - report.size() + 19)
             + " wierszy, a raport mo\xBF" "e mie\xE6 ich najwy\xBF" "ej 65536."},
        {"one line more than allowed", report + std::string(lines + 1, '\n'),
         "Plik nie jest raportem z pomiaru: ma 65537 wierszy, a raport mo\xBF" "e mie\xE6 ich najwy\xBF" "ej 65536."},
        {"as many lines as allowed, CR LF", report + crLf, ""},
        {"a comment line one byte too long", report + std::string(kMaxReportLineBytes + 1, 'x'),
         "Plik nie jest raportem z pomiaru: wiersz 20 ma 65537 znak\xF3w, a wiersz raportu mo\xBF" "e mie\xE6 ich "
         "najwy\xBF" "ej 65536."},
        {"a comment line of the longest length", report + std::string(kMaxReportLineBytes, 'x'), ""},
        {"binary data of many lines", report + std::string(lines + 1, '\x01') + std::string(lines + 1, '\n'),
         "Plik nie jest raportem z pomiaru: zawiera dane binarne."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const OpenedReport opened = ReportDocument::Open(c.bytes);
        EXPECT_EQ(opened.problem, c.problem);
        EXPECT_EQ(opened.ok(), c.problem.empty());
        // The check of split lines says the same.
        if (c.bytes.size() < 1000000) {
            EXPECT_EQ(ReportProblem(c.bytes, SplitReportText(c.bytes)), c.problem);
        }
    }
}

TEST(ReportDocument, AnalysisSavedAndOpenedAgainComesBackWithItsMarks)
{
    ReportDocument doc = *ReportDocument::Open(Report()).document;
    doc.Transfer();
    doc.setEditCell(1, 2, "neg");  // B1 reads 0,101
    doc.setEditCell(1, 3, "NEG "); // C1 reads 0,102: read in any case
    doc.setEditCell(2, 1, "poz");
    std::string status;
    ControlCounts counts;
    ASSERT_EQ(doc.Analyse(counts, [&](const std::string& s) { status = s; }), CutoffOutcome::Marked);
    EXPECT_EQ(status, "Pr\xF3g: 0,3045"); // 3 x 0,1015
    EXPECT_FALSE(doc.freshMeasurement());

    // Saving leaves the report itself alone; only the edit grid takes its saved form.
    const ReportLines unchanged = doc.SaveDocument();
    EXPECT_EQ(doc.editGrid()[2][1], " neg");
    EXPECT_EQ(doc.editGrid()[5][5], " poni\xBF" "ej"); // E5 reads 0,144
    const std::string bytes = doc.SavedBytes();
    EXPECT_EQ(SplitReportText(bytes), unchanged);

    OpenedReport again = ReportDocument::Open(bytes);
    ASSERT_TRUE(again.ok());
    EXPECT_FALSE(again.document->freshMeasurement());
    EXPECT_EQ(again.document->editGrid()[2][1], " neg");
    EXPECT_EQ(again.document->editGrid()[1][2], " poz");
    EXPECT_EQ(again.document->editGrid()[4][1], " poni\xBF" "ej");
    EXPECT_EQ(again.document->commentLines(), doc.commentLines());
    // Saved again, the headings keep the blank they were read with; from then
    // on a save of what was opened is the same file.
    const std::string second = again.document->SavedBytes();
    EXPECT_EQ(ReportDocument::Open(second).document->SavedBytes(), second);

    // The long table reads the marks of that analysis.
    std::string csv;
    AppendLongCsv(csv, "a,b.rap", again.document->values(), again.document->storedAnalysis());
    EXPECT_EQ(csv.substr(0, csv.find('\n', csv.find('\n') + 1) + 1),
              "\"a,b.rap\",A1,A,1,,blank,\n\"a,b.rap\",A2,A,2,0.110,liczba,poz\n");
    EXPECT_NE(csv.find("\"a,b.rap\",C1,C,1,0.102,liczba,neg\n"), std::string::npos);
    EXPECT_NE(csv.find("\"a,b.rap\",D1,D,1,0.103,liczba,poni\xC5\xBC" "ej\n"), std::string::npos);
    EXPECT_NE(csv.find("\"a,b.rap\",H12,H,12,,over,\n"), std::string::npos);
}

TEST(ReportDocument, TransmissionIsReadyForAnalysisAndSavesAsAFetchedReport)
{
    const ReportLines sent = SplitReportText(Report());
    const OpenedReport opened
        = ReportDocument::FromTransmission(FrameTransmission(sent), "8.12.2026", "10:00:00", "Ewa");
    ASSERT_TRUE(opened.ok()) << opened.problem;
    const ReportDocument& doc = *opened.document;
    EXPECT_TRUE(doc.freshMeasurement());
    EXPECT_EQ(doc.editGrid(), doc.measuredGrid());
    EXPECT_EQ(doc.lines()[4], "DATE: 8.12.2026 TIME: 10:00:00");
    EXPECT_EQ(doc.lines()[5], "OPERATOR: Ewa");
    EXPECT_EQ(doc.commentLines().back(), kTransmissionSucceeded);

    const OpenedReport broken = ReportDocument::FromTransmission("no frame", "", "", "");
    EXPECT_FALSE(broken.document);
    EXPECT_EQ(broken.problem.rfind(std::string(kTransmissionRefused), 0), 0u);
}

TEST(PlateCsv, NumbersWithAPointStatesAndQuotedNames)
{
    EXPECT_EQ(DecimalPointNumber(" 0,074"), "0.074");
    EXPECT_EQ(DecimalPointNumber(" -1,5E-3 "), "-1.5E-3");
    EXPECT_EQ(DecimalPointNumber("+,5"), "0.5");
    EXPECT_EQ(DecimalPointNumber(" 2,"), "2");
    EXPECT_EQ(DecimalPointNumber(" 0.074"), ""); // not a number the report would hold
    EXPECT_EQ(DecimalPointNumber(" blank"), "");
    EXPECT_EQ(WellStateName(" UNDER"), "under");
    EXPECT_EQ(WellStateName(" 1,5"), "liczba");
    EXPECT_EQ(WellStateName(""), "");
    EXPECT_EQ(AnalysisMarkName("\tPoz "), "poz");
    EXPECT_EQ(AnalysisMarkName(" negx"), "");
    EXPECT_EQ(CsvField("p\"1\".rap"), "\"p\"\"1\"\".rap\"");
    EXPECT_EQ(CsvField("zwykly.rap"), "zwykly.rap");

    const ReportDocument doc = *ReportDocument::Open(Report()).document;
    const std::string plate = PlateCsv(doc.values());
    EXPECT_EQ(plate.substr(0, plate.find('\n')), "wiersz,1,2,3,4,5,6,7,8,9,10,11,12");
    // Wells without a number stay empty: every column is numbers with gaps.
    EXPECT_NE(plate.find("\nA,,0.110,0.120,"), std::string::npos);
    EXPECT_EQ(plate.substr(plate.size() - 8), ",0.207,\n");
}

TEST(WellName, NamesAndTheirWells)
{
    EXPECT_EQ(WellName(7, 3), "H4");
    EXPECT_EQ(ParseWellName(" g10 "), (WellPosition{6, 9}));
    EXPECT_EQ(ParseWellName("A01"), (WellPosition{0, 0}));
    for (const char* bad : {"I1", "A0", "A13", "A", "4H", "A1x", "", "A-1"})
        EXPECT_FALSE(ParseWellName(bad)) << bad;
}

TEST(PlatePicture, SvgHoldsEveryCircleAsDrawnAndTheLegendInUtf8)
{
    const ReportDocument doc = *ReportDocument::Open(Report()).document;
    const PlatePicture picture = DrawPlate(doc.values(), false);
    ASSERT_EQ(picture.circles.size(), 101u);
    EXPECT_EQ(picture.circles[0].look.fill, kBlack); // the blank well on the colour scale
    EXPECT_EQ(picture.circles[95].look.fill, kGrey);
    // G12 holds the maximum: pure green with the red outline of an extreme well.
    EXPECT_EQ(picture.circles[83].look, (ShapeLook{kPureGreen, kRed, 4}));
    EXPECT_EQ(picture.circles[99].look.fill, kPureGreen); // the legend's maximum

    const std::string svg = PlateSvg(picture);
    EXPECT_NE(svg.find("<circle cx=\"70\" cy=\"70\" r=\"14.5\" fill=\"#000000\" stroke=\"#000000\" "
                       "stroke-width=\"1\"/>"),
              std::string::npos);
    EXPECT_NE(svg.find("r=\"13\" fill=\"#00ff00\" stroke=\"#ff0000\" stroke-width=\"4\"/>"), std::string::npos);
    EXPECT_NE(svg.find(">Poni\xC5\xBC" "ej (UNDER)</text>"), std::string::npos);
    EXPECT_NE(svg.find(">G\xC3\xB3rna: 0,2160 (G 12)</text>"), std::string::npos);

    const PlatePicture glow = DrawPlate(doc.values(), true);
    EXPECT_EQ(glow.circles[0].look.fill, kDarkGreen);
    EXPECT_EQ(glow.circles[83].look.outline, kDarkGreen);
}

TEST(Cp1250, Utf8OfEveryByteDecodesToItsCodePoint)
{
    for (int b = 1; b < 256; ++b) {
        const std::string utf8 = Cp1250ToUtf8(std::string(1, static_cast<char>(b)));
        const auto u = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(utf8[i])); };
        char32_t cp = 0;
        if (utf8.size() == 1)
            cp = u(0);
        else if (utf8.size() == 2)
            cp = ((u(0) & 0x1F) << 6) | (u(1) & 0x3F);
        else if (utf8.size() == 3)
            cp = ((u(0) & 0x0F) << 12) | ((u(1) & 0x3F) << 6) | (u(2) & 0x3F);
        EXPECT_EQ(cp, Cp1250ToUnicode(static_cast<unsigned char>(b))) << b;
    }
}
