// Standards typed into the edit grid: how "std 12,5" reads, what "Analizuj"
// does with it, and that a saved report brings the marks back.
#include "core/analysis/CutoffAnalysis.h"
#include "core/analysis/PlateCurve.h"
#include "core/analysis/StandardMark.h"
#include "core/document/ReportDocument.h"
#include "core/report/ReportFile.h"

#include <gtest/gtest.h>

#include <string>

using namespace welkor;

namespace {

const std::string kBelow = " poni\xBF" "ej";

// A report whose well in plate column c (1-12), row r (1-8) reads
// 0,<100 + 10(c-1) + (r-1)>.
std::string Report()
{
    ReportLines lines = {"Welkor Lumo 1", "Program: ELISA", "Filtr: 450", "Tryb: pojedynczy",
                         "DATE: 08.12.2026 TIME: 09:12:44", "OPERATOR: Marvant"};
    for (int c = 0; c < 12; ++c) {
        std::string line = "Kol " + std::to_string(c + 1);
        for (int r = 0; r < 8; ++r)
            line += " 0," + std::to_string(100 + 10 * c + r) + "\t";
        lines.push_back(line);
    }
    lines.push_back("Komentarz do p\xB3ytki");
    return JoinReportLines(lines);
}

} // namespace

TEST(StandardMark, ReadsLikeTheControlMarks)
{
    struct Case {
        std::string cell;
        StandardMarkKind kind;
        double concentration;
        std::string text;
    };
    const Case cases[] = {
        {"std 12,5", StandardMarkKind::Standard, 12.5, " std 12,5"},
        {"std 12.5", StandardMarkKind::Standard, 12.5, " std 12,5"},
        {"  STD   12.5 ", StandardMarkKind::Standard, 12.5, " std 12,5"},
        {" Std\xA0" "0,04882812", StandardMarkKind::Standard, 0.04882812, " std 0,04882812"}, // as a save keeps it
        {"std\t3", StandardMarkKind::Standard, 3, " std 3"},
        {"std12,5", StandardMarkKind::Standard, 12.5, " std 12,5"},
        {"std 0", StandardMarkKind::Standard, 0, " std 0"}, // a blank standard
        {"std ,5", StandardMarkKind::Standard, 0.5, " std ,5"},
        {"std", StandardMarkKind::Unreadable, 0, ""},
        {"std 12,5 ng", StandardMarkKind::Unreadable, 0, ""},
        {"std -1", StandardMarkKind::Unreadable, 0, ""},
        {"std 1,2,3", StandardMarkKind::Unreadable, 0, ""},
        {"std 1E3", StandardMarkKind::Unreadable, 0, ""},
        {"stdev", StandardMarkKind::None, 0, ""},
        {"standard 5", StandardMarkKind::None, 0, ""},
        {" 12,5", StandardMarkKind::None, 0, ""},
        {" neg", StandardMarkKind::None, 0, ""},
        {"", StandardMarkKind::None, 0, ""},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE("cell \"" + k.cell + "\"");
        const StandardMark mark = ReadStandardMark(k.cell);
        EXPECT_EQ(mark.kind, k.kind);
        EXPECT_DOUBLE_EQ(mark.concentration, k.concentration);
        EXPECT_EQ(mark.text, k.text);
        EXPECT_EQ(IsStandardCell(k.cell), k.kind != StandardMarkKind::None);
    }
}

TEST(StandardMark, AnalizujTreatsAStandardAsAControlOfItsOwn)
{
    ReportDocument doc = *ReportDocument::Open(Report()).document;
    doc.Transfer();
    doc.setEditCell(1, 1, "neg");        // A1 0,100
    doc.setEditCell(1, 2, "neg");        // B1 0,101: threshold 3 × 0,1005 = 0,3015
    doc.setEditCell(2, 1, "STD 12.5");   // A2 0,110: below the threshold
    doc.setEditCell(2, 2, "std 12,5 ng"); // B2 0,111: meant as a standard, the number does not read
    doc.setEditCell(2, 3, "stdev");      // C2 0,112: a sample's text like any other
    ControlCounts counts;
    std::string status;
    EXPECT_EQ(doc.Analyse(counts, [&](const std::string& s) { status = s; }), CutoffOutcome::Marked);

    // Standards are not negative controls: the threshold is the negatives' alone.
    EXPECT_EQ(counts.negative, 2);
    EXPECT_EQ(counts.positive, 0);
    EXPECT_EQ(status, "Pr\xF3g: 0,3015");
    EXPECT_EQ(doc.editGrid()[1][2], " std 12,5");
    EXPECT_EQ(doc.editGrid()[2][2], "std 12,5 ng"); // never overwritten: nothing typed is lost
    EXPECT_EQ(doc.editGrid()[3][2], kBelow);
    EXPECT_EQ(doc.editGrid()[1][3], kBelow); // A3 0,120, a sample
}

TEST(StandardMark, MarksGoIntoTheSavedAnalysisAndComeBack)
{
    ReportDocument doc = *ReportDocument::Open(Report()).document;
    doc.Transfer();
    doc.setEditCell(1, 1, "std 0,5");
    doc.setEditCell(1, 2, "std 1.25");
    doc.setEditCell(1, 3, "neg");
    ControlCounts counts;
    doc.Analyse(counts, [](const std::string&) {});
    const std::string saved = doc.SavedBytes();
    // The inner blank is a no-break space in the file, so the cell stays one value token.
    EXPECT_NE(saved.find("\r\n A\t std\xA0" "0,5\t"), std::string::npos);
    EXPECT_NE(saved.find("\r\n B\t std\xA0" "1,25\t"), std::string::npos);

    ReportDocument reopened = *ReportDocument::Open(saved).document;
    EXPECT_FALSE(reopened.freshMeasurement());
    EXPECT_EQ(reopened.editGrid()[1][1], " std\xA0" "0,5");
    // The curve reads them from the reopened grid as from the typed one.
    const PlateCurveInput plate = ReadPlateForCurve(reopened.measuredGrid(), reopened.editGrid());
    ASSERT_EQ(plate.wells.size(), 96u);
    EXPECT_EQ(plate.wells[0].role, WellRole::Standard);
    EXPECT_DOUBLE_EQ(*plate.wells[0].nominal, 0.5);
    EXPECT_DOUBLE_EQ(*plate.wells[12].nominal, 1.25);
    EXPECT_EQ(plate.wells[24].role, WellRole::NegativeControl);

    // "Analizuj" on the reopened report writes the marks plainly again; they
    // are saved as before, and saving settles (a third save is the second).
    reopened.Analyse(counts, [](const std::string&) {});
    EXPECT_EQ(reopened.editGrid()[1][1], " std 0,5");
    const std::string again = reopened.SavedBytes();
    EXPECT_NE(again.find("\t std\xA0" "0,5\t"), std::string::npos);
    ReportDocument third = *ReportDocument::Open(again).document;
    EXPECT_EQ(third.SavedBytes(), again);
}

TEST(StandardMark, TypedButNotAnalysedStandardsAreSavedReadable)
{
    ReportDocument doc = *ReportDocument::Open(Report()).document;
    doc.Transfer();
    doc.setEditCell(4, 4, "std 2,5");
    const std::string saved = doc.SavedBytes();
    const ReportDocument reopened = *ReportDocument::Open(saved).document;
    const StandardMark mark = ReadStandardMark(reopened.editGrid()[4][4]);
    EXPECT_EQ(mark.kind, StandardMarkKind::Standard);
    EXPECT_DOUBLE_EQ(mark.concentration, 2.5);
}
