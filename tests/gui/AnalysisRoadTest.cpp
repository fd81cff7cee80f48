// "Analizuj" in the window: the threshold in the status bar, the marks in the
// edit grid, and the whole road from an opened report to a saved analysis.
#include "CellTyping.h"
#include "WindowFixture.h"

#include "gui/analysis/EditGrid.h"
#include "gui/widgets/StringGrid.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <functional>

using namespace welkor::gui;

namespace {

const QString kBelow = QStringLiteral(" poniżej");

// A report whose well in plate column `column` (1-12) and row `row` (1-8)
// reads value(column, row); the text goes into the file after one blank.
QByteArray PlateReport(const std::function<QByteArray(int column, int row)>& value)
{
    QByteArray out;
    out += "Welkor Lumo 1\tCzytnik mikrop\xB3ytek\r\n";
    out += "Program: ELISA 450 nm\r\n";
    out += "Filtr: 450\r\n";
    out += "Tryb: pojedynczy\r\n";
    out += "DATE: 08.12.2026 TIME: 09:12:44\r\n";
    out += "OPERATOR: Marvant\r\n";
    for (int c = 1; c <= 12; ++c) {
        QByteArray line = "Kol " + QByteArray::number(c);
        for (int r = 1; r <= 8; ++r)
            line += " " + value(c, r) + "\t";
        out += line + "\r\n";
    }
    out += "Pomiar kontrolny\r\n";
    return out;
}

// Columns 1-6 read 0,1xx (low), columns 7-12 read 1,1xx (high): well (c, r)
// holds 100 + 10 (c - 1) + (r - 1) thousandths after "0," or "1,".
QByteArray LowAndHigh(int column, int row)
{
    const QByteArray digits = QByteArray::number(100 + 10 * (column - 1) + (row - 1));
    return (column <= 6 ? "0," : "1,") + digits;
}

QString Shown(int column, int row) { return QStringLiteral(" ") + QString::fromLatin1(LowAndHigh(column, row)); }

// A reading no file could bring: put into the report as the measured grid
// shows it.
void SetReading(TWel_Kor& w, int column, int row, const char* text)
{
    w.report.setMeasuredCell(column, row, text);
    w.tsTabela->ShowValuesInGrid();
}

class AnalysisRoad : public WindowTest {
protected:
    // Opens the report through "Otwórz" and copies its values in.
    TWel_Kor& OpenPlate(const QByteArray& report)
    {
        WriteFile(QStringLiteral("plate.rap"), report);
        TWel_Kor& w = Start();
        dialogs.fileAnswers = {Path(QStringLiteral("plate.rap"))};
        w.Otwrz1Click();
        EXPECT_TRUE(w.report.hasData());
        w.tbPrzeniesClick();
        return w;
    }

    int CountBelow(const TWel_Kor& w) const
    {
        int count = 0;
        for (int r = 1; r <= 8; ++r)
            for (int c = 1; c <= 12; ++c)
                if (w.tsTabela->sgEdycja->cell(c, r) == kBelow)
                    ++count;
        return count;
    }

    void ExpectNoErrors() const
    {
        EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('\n')).toStdString();
    }
};

TEST_F(AnalysisRoad, ThresholdIsCutForTheStatusPanelNotRounded)
{
    struct Case {
        QByteArray first, second;
        QString status;
    };
    const Case cases[] = {
        {"0,100", "0,111", QStringLiteral("Próg: 0,3165")},
        {"0,100", "0,1111", QStringLiteral("Próg: 0,3166")},
        {"-0,04115", "-0,04115", QStringLiteral("Próg: -0,1234")},
        {"0,000", "0,000", QStringLiteral("Próg: 0")},
        // Tiny and huge thresholds keep their meaning.
        {"4,115E-7", "4,115E-7", QStringLiteral("Próg: 1,2345E-6")},
        {"0,00001", "0,00001", QStringLiteral("Próg: 3E-5")},
        {"411522,2", "411522,2", QStringLiteral("Próg: 1,2345E6")},
    };
    for (const Case& k : cases) {
        TWel_Kor& w = OpenPlate(PlateReport([&](int c, int r) {
            if (c == 1 && r == 1)
                return k.first;
            if (c == 2 && r == 2)
                return k.second;
            return LowAndHigh(c, r);
        }));
        w.tsTabela->sgEdycja->setCell(1, 1, QStringLiteral("neg"));
        w.tsTabela->sgEdycja->setCell(2, 2, QStringLiteral("neg"));
        w.tbAnalizujClick();
        EXPECT_EQ(w.sbPanels[3]->text(), k.status) << k.second.toStdString();
        EXPECT_EQ(w.tsTabela->controlCounts.negative, 2);
        EXPECT_FALSE(w.report.freshMeasurement());
    }
    ExpectNoErrors();
}

// Controls 0,2000 and 0,2111: 3 x mean = 0,61665, shown cut as "0,6166". A
// sample of 0,6166 lies below the threshold and is marked; the panel's tool
// tip gives the threshold the wells were judged against.
TEST_F(AnalysisRoad, ASampleBelowACutThresholdIsMarkedAndTheExactOneIsShownBeside)
{
    TWel_Kor& w = OpenPlate(PlateReport([](int c, int r) -> QByteArray {
        if (r == 1 && c <= 3)
            return QByteArray(c == 1 ? "0,2000" : c == 2 ? "0,2111" : "0,6166");
        return LowAndHigh(c, r);
    }));
    w.pcZakladki->setCurrentWidget(w.tsTabela.tab());
    TypeIntoCell(w.tsTabela->sgEdycja, 1, 1, QStringLiteral("neg"));
    TypeIntoCell(w.tsTabela->sgEdycja, 2, 1, QStringLiteral("neg"));
    w.commands->tbAnalizuj->click();
    EXPECT_EQ(w.sbPanels[3]->text(), QStringLiteral("Próg: 0,6166"));
    EXPECT_EQ(w.sbPanels[3]->toolTip(), QStringLiteral("Próg dokładnie: 0,61665"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(3, 1), kBelow);
    // A fresh copy of the values carries no tool tip of the old threshold.
    dialogs.yesNoAnswers = {true}; // the marks in the edit grid may go
    w.commands->tbPrzenies->click();
    EXPECT_TRUE(w.sbPanels[3]->toolTip().isEmpty());
    ExpectNoErrors();
}

TEST_F(AnalysisRoad, SamplesBelowTheThresholdAreMarkedAndControlsKeepTheirMarks)
{
    TWel_Kor& w = OpenPlate(PlateReport(LowAndHigh));
    w.tsTabela->sgEdycja->setCell(1, 1, QStringLiteral("neg"));
    w.tsTabela->sgEdycja->setCell(2, 2, QStringLiteral(" NEG"));
    w.tsTabela->sgEdycja->setCell(3, 3, QStringLiteral("poz")); // a positive control below the threshold
    w.tsTabela->sgEdycja->setCell(8, 8, QStringLiteral("poz")); // and one above it
    w.commands->Analizuj1->trigger();
    ExpectNoErrors();

    EXPECT_EQ(w.sbPanels[3]->text(), QStringLiteral("Próg: 0,3165"));
    EXPECT_EQ(w.tsTabela->controlCounts.negative, 2);
    EXPECT_EQ(w.tsTabela->controlCounts.positive, 2);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 1), QStringLiteral(" neg"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 2), QStringLiteral(" neg"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(3, 3), QStringLiteral(" poz"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(8, 8), QStringLiteral(" poz"));
    // Every low sample is marked, every high one keeps its value.
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 12; ++c) {
            if ((c == 1 && r == 1) || (c == 2 && r == 2) || (c == 3 && r == 3) || (c == 8 && r == 8))
                continue;
            EXPECT_EQ(w.tsTabela->sgEdycja->cell(c, r), c <= 6 ? kBelow : Shown(c, r)) << c << "," << r;
        }
    // Headings are never touched and the measured grid does not change.
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 0), QStringLiteral("1"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, 1), QStringLiteral("A"));
    EXPECT_EQ(w.tsTabela->sgDane->cell(4, 4), Shown(4, 4));
    EXPECT_FALSE(w.report.freshMeasurement());
}

TEST_F(AnalysisRoad, WellsWithoutAReadingTakeNoPart)
{
    TWel_Kor& w = OpenPlate(PlateReport([](int c, int r) -> QByteArray {
        if (c == 1 && r == 2)
            return " OVER";
        if (c == 1 && r == 3)
            return "blank";
        if (c == 2 && (r == 1 || r == 2))
            return "over";
        return LowAndHigh(c, r);
    }));
    ASSERT_EQ(w.tsTabela->sgDane->cell(1, 2), QStringLiteral(" OVER"));
    ASSERT_EQ(w.tsTabela->sgDane->cell(2, 1), QStringLiteral(" over"));
    w.tsTabela->sgEdycja->setCell(1, 1, QStringLiteral("neg")); // 0,100
    w.tsTabela->sgEdycja->setCell(1, 2, QStringLiteral("neg")); // OVER: would pull the mean down
    w.tsTabela->sgEdycja->setCell(1, 3, QStringLiteral("neg")); // blank
    w.tsTabela->sgEdycja->setCell(2, 2, QStringLiteral("neg")); // over
    w.tbAnalizujClick();
    ExpectNoErrors();

    EXPECT_EQ(w.sbPanels[3]->text(), QStringLiteral("Próg: 0,3"));
    EXPECT_EQ(w.tsTabela->controlCounts.negative, 1);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 2), QStringLiteral(" neg"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 1), QStringLiteral(" over")); // a sample without a reading is not marked
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 4), kBelow);
}

TEST_F(AnalysisRoad, NonNumberInANegativeControlStopsBeforeAnythingIsShown)
{
    TWel_Kor& w = OpenPlate(PlateReport(LowAndHigh));
    SetReading(w, 2, 1, "x");
    w.tsTabela->sgEdycja->setCell(1, 1, QStringLiteral("neg"));
    w.tsTabela->sgEdycja->setCell(2, 1, QStringLiteral("neg"));
    w.commands->tbAnalizuj->click();

    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dialogs.errors[0], QStringLiteral("Wartość 'x' nie jest liczbą."));
    EXPECT_TRUE(w.report.freshMeasurement());
    EXPECT_EQ(w.sbPanels[3]->text(), QString());
    EXPECT_EQ(CountBelow(w), 0);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 1), QStringLiteral(" neg")); // the marks were normalised first
}

TEST_F(AnalysisRoad, NonNumberInASampleStopsMarkingAtThatWell)
{
    TWel_Kor& w = OpenPlate(PlateReport(LowAndHigh));
    SetReading(w, 5, 3, " 0,1x");
    w.tsTabela->sgEdycja->setCell(1, 1, QStringLiteral("neg"));
    w.tsTabela->sgEdycja->setCell(2, 2, QStringLiteral("neg"));
    w.commands->tbAnalizuj->click();

    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dialogs.errors[0], QStringLiteral("Wartość ' 0,1x' nie jest liczbą."));
    EXPECT_TRUE(w.report.freshMeasurement());
    EXPECT_EQ(w.sbPanels[3]->text(), QStringLiteral("Próg: 0,3165"));
    // Rows are visited before columns: the wells before (5, 3) are marked.
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 1), kBelow);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(4, 3), kBelow);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(6, 3), Shown(6, 3));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 4), Shown(1, 4));

    // Still fresh: once the reading is a number the whole analysis runs again.
    SetReading(w, 5, 3, " 0,150");
    w.commands->tbAnalizuj->click();
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_FALSE(w.report.freshMeasurement());
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(6, 3), kBelow);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 4), kBelow);
    EXPECT_EQ(CountBelow(w), 6 * 8 - 2);
}

TEST_F(AnalysisRoad, AnalizujNeverEndsInSilenceAndNoOldThresholdStands)
{
    const QString noNegative = QStringLiteral("Brak kontroli ujemnych (neg) — nie można wyznaczyć progu.");
    TWel_Kor& w = OpenPlate(PlateReport(LowAndHigh));
    w.tsTabela->sgEdycja->setCell(1, 1, QStringLiteral("neg"));
    w.tsTabela->sgEdycja->setCell(2, 2, QStringLiteral("neg"));
    w.commands->tbAnalizuj->click();
    ASSERT_EQ(w.sbPanels[3]->text(), QStringLiteral("Próg: 0,3165"));
    EXPECT_TRUE(dialogs.informations.isEmpty());

    // Analysed: another click tells how to start a new analysis.
    w.commands->tbAnalizuj->click();
    ASSERT_EQ(dialogs.informations.size(), 1);
    EXPECT_TRUE(dialogs.informations[0].contains(QStringLiteral("„Przenieś”"))) << dialogs.informations[0].toStdString();
    EXPECT_EQ(w.sbPanels[3]->text(), QStringLiteral("Próg: 0,3165"));

    // "Przenieś" starts it: the old threshold goes with the old marks.
    dialogs.yesNoAnswers = {true}; // the marks may go
    w.commands->tbPrzenies->click();
    EXPECT_EQ(w.sbPanels[3]->text(), QString());

    // The only negative control has no reading: the user is told, nothing is
    // marked, and the panel shows no threshold (not even one left by an
    // earlier plate).
    w.sbPanels[3]->setText(QStringLiteral("Próg: 9,99"));
    w.tsTabela->sgEdycja->setCell(3, 3, QStringLiteral("poz"));
    w.tsTabela->sgEdycja->setCell(4, 4, QStringLiteral("neg"));
    SetReading(w, 4, 4, " blank");
    w.commands->tbAnalizuj->click();
    ExpectNoErrors();
    ASSERT_EQ(dialogs.informations.size(), 2);
    EXPECT_EQ(dialogs.informations[1], noNegative);
    EXPECT_EQ(w.sbPanels[3]->text(), QString());
    EXPECT_EQ(CountBelow(w), 0);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(3, 3), QStringLiteral(" poz"));

    // Nothing was analysed, so a control typed now is used at once.
    w.tsTabela->sgEdycja->setCell(1, 1, QStringLiteral("neg"));
    w.commands->tbAnalizuj->click();
    EXPECT_EQ(dialogs.informations.size(), 2);
    EXPECT_EQ(w.sbPanels[3]->text(), QStringLiteral("Próg: 0,3"));
    EXPECT_FALSE(w.report.freshMeasurement());

    // Another plate opened: no threshold of this one beside it.
    WriteFile(QStringLiteral("other.rap"), SampleReport());
    dialogs.fileAnswers = {Path(QStringLiteral("other.rap"))};
    dialogs.saveChoiceAnswers = {SaveChoice::Discard}; // the analysis is not kept
    w.commands->tbOtworzRaport->click();
    ExpectNoErrors();
    EXPECT_EQ(w.sbPanels[3]->text(), QString());
}

// A control is what the user means, typed in any case with blanks around;
// and a sample equal to the threshold shown is not below it.
TEST_F(AnalysisRoad, TypedControlsInCapitalsCountAndAnEqualSampleStaysUnmarked)
{
    TWel_Kor& w = OpenPlate(PlateReport([](int c, int r) -> QByteArray {
        if (r == 1 && (c == 1 || c == 2))
            return "0,050"; // the negative controls: threshold 0,15
        if (r == 1 && c == 3)
            return "0,150";
        if (r == 1 && c == 4)
            return "0,149";
        return "1,000";
    }));
    w.pcZakladki->setCurrentWidget(w.tsTabela.tab());
    TypeIntoCell(w.tsTabela->sgEdycja, 1, 1, QStringLiteral("NEG"));
    TypeIntoCell(w.tsTabela->sgEdycja, 2, 1, QStringLiteral("Neg "));
    ASSERT_EQ(w.tsTabela->sgEdycja->cell(1, 1), QStringLiteral("NEG"));
    ASSERT_EQ(w.tsTabela->sgEdycja->cell(2, 1), QStringLiteral("Neg "));
    w.commands->tbAnalizuj->click();
    ExpectNoErrors();

    EXPECT_EQ(w.tsTabela->controlCounts.negative, 2);
    EXPECT_EQ(w.sbPanels[3]->text(), QStringLiteral("Próg: 0,15"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 1), QStringLiteral(" neg"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 1), QStringLiteral(" neg"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(3, 1), QStringLiteral(" 0,150"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(4, 1), kBelow);
    EXPECT_EQ(CountBelow(w), 1);
}

TEST_F(AnalysisRoad, OpenAnalyseSaveAndReopen)
{
    WriteFile(QStringLiteral("plate.rap"), PlateReport(LowAndHigh));
    TWel_Kor& w = Start();
    dialogs.fileAnswers = {Path(QStringLiteral("plate.rap"))};
    w.Otwrz1Click();
    ExpectNoErrors();
    ASSERT_EQ(w.tsTabela->sgDane->cell(1, 1), QStringLiteral(" 0,100"));

    w.tbPrzeniesClick();
    EXPECT_TRUE(w.report.freshMeasurement());
    w.tsTabela->sgEdycja->setCell(1, 1, QStringLiteral("neg"));
    w.tsTabela->sgEdycja->setCell(2, 2, QStringLiteral("neg"));
    w.tsTabela->sgEdycja->setCell(3, 3, QStringLiteral("poz"));
    w.commands->tbAnalizuj->click();
    ExpectNoErrors();

    EXPECT_EQ(w.sbPanels[3]->text(), QStringLiteral("Próg: 0,3165"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 1), QStringLiteral(" neg"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 2), QStringLiteral(" neg"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(3, 3), QStringLiteral(" poz"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 1), kBelow);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(6, 8), kBelow);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(7, 1), Shown(7, 1));
    EXPECT_EQ(CountBelow(w), 6 * 8 - 3);
    EXPECT_FALSE(w.report.freshMeasurement());

    // A second run only rewrites marks typed since, and says why.
    w.tsTabela->sgEdycja->setCell(12, 8, QStringLiteral("neg"));
    w.tbAnalizujClick();
    EXPECT_EQ(dialogs.informations.size(), 1);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(12, 8), QStringLiteral(" neg"));
    EXPECT_EQ(w.sbPanels[3]->text(), QStringLiteral("Próg: 0,3165"));
    w.tsTabela->sgEdycja->setCell(12, 8, Shown(12, 8));

    dialogs.fileAnswers = {Path(QStringLiteral("analysed.rap"))};
    w.Zapisz1Click();
    ExpectNoErrors();
    EXPECT_TRUE(dialogs.questions.isEmpty());
    const QByteArray saved = ReadFile(QStringLiteral("analysed.rap"));
    EXPECT_EQ(saved.count("Kon_Kom_Pap"), 1);
    EXPECT_TRUE(saved.contains("Kon_Kom_Pap\r\n\r\nAnaliza\r\n      \t     1\t     2\t"));
    EXPECT_TRUE(saved.contains("\r\n A\t neg\t poni\xBF" "ej\t poni\xBF" "ej\t"));
    EXPECT_TRUE(saved.contains("\r\n C\t poni\xBF" "ej\t poni\xBF" "ej\t poz\t"));
    EXPECT_TRUE(saved.endsWith("\t\r\n"));

    // Another plate in between, so the reopened values cannot be left overs.
    WriteFile(QStringLiteral("other.rap"), SampleReport());
    dialogs.fileAnswers = {Path(QStringLiteral("other.rap"))};
    w.commands->tbOtworzRaport->click();
    ASSERT_EQ(w.tsTabela->sgEdycja->cell(1, 1), QStringLiteral(" 0,100"));
    ASSERT_EQ(w.tsTabela->sgEdycja->cell(2, 1), QStringLiteral(" 0,110"));

    dialogs.fileAnswers = {Path(QStringLiteral("analysed.rap"))};
    w.Otwrz1Click();
    ExpectNoErrors();
    EXPECT_FALSE(w.report.freshMeasurement());
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, 0), QStringLiteral(" "));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 0), QStringLiteral(" 1"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(12, 0), QStringLiteral(" 12"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, 1), QStringLiteral(" A"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, 8), QStringLiteral(" H"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 1), QStringLiteral(" neg"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 2), QStringLiteral(" neg"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(3, 3), QStringLiteral(" poz"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 1), kBelow);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(7, 1), Shown(7, 1));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(12, 8), Shown(12, 8));
    EXPECT_EQ(CountBelow(w), 6 * 8 - 3);
    EXPECT_EQ(w.tsTabela->sgDane->cell(1, 1), QStringLiteral(" 0,100"));
    EXPECT_EQ(w.tsTabela->sgDane->cell(7, 1), Shown(7, 1));

    // The stored analysis is not recomputed: a high well marked "neg" now
    // would raise the threshold and mark the high wells. The user is told
    // how to analyse again instead.
    EXPECT_EQ(w.sbPanels[3]->text(), QString());
    w.tsTabela->sgEdycja->setCell(12, 8, QStringLiteral("neg"));
    w.commands->tbAnalizuj->click();
    ExpectNoErrors();
    ASSERT_EQ(dialogs.informations.size(), 2);
    EXPECT_TRUE(dialogs.informations[1].contains(QStringLiteral("„Przenieś”")));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(12, 8), QStringLiteral(" neg"));
    EXPECT_EQ(w.sbPanels[3]->text(), QString());
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(7, 1), Shown(7, 1));
    EXPECT_EQ(CountBelow(w), 6 * 8 - 3);
}

// Standards typed into the cell editor: "Analizuj" writes them back plainly
// and never marks them, a save keeps them and reopening brings them back as
// marks the curve reads.
TEST_F(AnalysisRoad, TypedStandardsStayStandardsThroughAnalysisSaveAndReopen)
{
    TWel_Kor& w = OpenPlate(PlateReport(LowAndHigh)); // columns 1-6 read 0,1xx
    w.pcZakladki->setCurrentWidget(w.tsTabela.tab());
    TypeIntoCell(w.tsTabela->sgEdycja, 1, 1, QStringLiteral("neg"));
    TypeIntoCell(w.tsTabela->sgEdycja, 1, 2, QStringLiteral("neg")); // threshold 3 × 0,1005
    TypeIntoCell(w.tsTabela->sgEdycja, 2, 1, QStringLiteral("STD 12.5"));
    TypeIntoCell(w.tsTabela->sgEdycja, 2, 2, QStringLiteral(" std 0,5 "));
    TypeIntoCell(w.tsTabela->sgEdycja, 2, 3, QStringLiteral("std 5 ng"));
    w.commands->tbAnalizuj->click();
    ExpectNoErrors();

    EXPECT_EQ(w.tsTabela->controlCounts.negative, 2);
    EXPECT_EQ(w.sbPanels[3]->text(), QStringLiteral("Próg: 0,3015"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 1), QStringLiteral(" std 12,5"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 2), QStringLiteral(" std 0,5"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 3), QStringLiteral("std 5 ng")); // kept as typed, not marked
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 4), kBelow);
    EXPECT_EQ(CountBelow(w), 6 * 8 - 5);

    dialogs.fileAnswers = {Path(QStringLiteral("standards.rap"))};
    w.Zapisz1Click();
    ExpectNoErrors();
    EXPECT_TRUE(ReadFile(QStringLiteral("standards.rap")).contains("\r\n A\t neg\t std\xA0" "12,5\t poni\xBF" "ej\t"));

    WriteFile(QStringLiteral("other.rap"), SampleReport());
    dialogs.fileAnswers = {Path(QStringLiteral("other.rap"))};
    w.Otwrz1Click();
    dialogs.fileAnswers = {Path(QStringLiteral("standards.rap"))};
    w.Otwrz1Click();
    ExpectNoErrors();
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 1), QStringLiteral(" std\u00A012,5"));
    w.commands->tbAnalizuj->click(); // only the marks: the report holds its analysis
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 1), QStringLiteral(" std 12,5"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 2), QStringLiteral(" std 0,5"));
}

} // namespace
