// What the user typed is never lost: an open cell editor is committed before a
// command reads the grid, a cell or a comment cannot break the file, unsaved
// work is not thrown away without a question. Driven through the keyboard,
// the mouse and the clipboard, as a user does it.
#include "CellTyping.h"
#include "WindowFixture.h"

#include "gui/analysis/EditGrid.h"
#include "gui/widgets/StringGrid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace welkor::gui;

namespace {

class TypedWork : public WindowTest {
protected:
    TWel_Kor& StartWithReport(const QByteArray& report = SampleReport())
    {
        WriteFile(QStringLiteral("pomiar.rap"), report);
        TWel_Kor& w = Start();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        Open(w, QStringLiteral("pomiar.rap"));
        w.pcZakladki->setCurrentWidget(w.tsTabela.tab());
        QCoreApplication::processEvents();
        return w;
    }

    void Open(TWel_Kor& w, const QString& name)
    {
        dialogs.fileAnswers.push_back(Path(name));
        w.commands->tbOtworzRaport->click();
    }

    // Clicks cell (c, r) of the edit grid, then types `text` there: the first
    // key opens the cell editor, the rest go into it. Nothing commits it.
    static QLineEdit* TypeIntoCell(TWel_Kor& w, int c, int r, const QString& text)
    {
        return StartTypingIntoCell(w.tsTabela->sgEdycja, c, r, text);
    }

    // Typing any character, also one no key of a Polish keyboard carries.
    static void TypeText(QWidget* widget, const QString& text)
    {
        for (QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }

    static QString Plain(QString text) { return text.replace(QChar::Nbsp, QLatin1Char(' ')); }

    void ExpectNoErrors() const
    {
        EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('\n')).toStdString();
    }
};

// ---- the open cell editor -----------------------------------------------------------

TEST_F(TypedWork, AnalysisAndSaveSeeTheMarkStillInTheEditor)
{
    TWel_Kor& w = StartWithReport();
    // Two negative controls, the second one still being typed.
    QTest::keyClick(TypeIntoCell(w, 1, 1, QStringLiteral("neg")), Qt::Key_Return);
    QLineEdit* editor = TypeIntoCell(w, 3, 1, QStringLiteral("neg"));
    ASSERT_NE(editor, nullptr);

    w.commands->tbAnalizuj->click();
    ExpectNoErrors();
    // 3 x (0,100 + 0,120) / 2
    EXPECT_EQ(w.sbPanels[3]->text(), QStringLiteral("Próg: 0,33"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(3, 1), QStringLiteral(" neg"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 1), QStringLiteral(" poniżej"));

    // Ctrl+S with a mark still in the editor writes that mark.
    QLineEdit* still = TypeIntoCell(w, 5, 5, QStringLiteral("poz"));
    ASSERT_NE(still, nullptr);
    dialogs.fileAnswers.push_back(Path(QStringLiteral("zapis.rap")));
    QTest::keyClick(still, Qt::Key_S, Qt::ControlModifier);
    ExpectNoErrors();
    EXPECT_TRUE(ReadFile(QStringLiteral("zapis.rap")).contains("\t poz\t"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(5, 5), QStringLiteral(" poz"));
}

// ---- what a cell may hold -------------------------------------------------------------

TEST_F(TypedWork, PastedSpreadsheetCellsAndInnerBlanksSurviveSaveAndReopen)
{
    TWel_Kor& w = StartWithReport();
    QApplication::clipboard()->setText(QStringLiteral("wklejone\tz\r\narkusza\n"));
    QLineEdit* editor = TypeIntoCell(w, 2, 2, QStringLiteral("x"));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(editor->text().contains(QLatin1Char('\n')));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(w.tsTabela->sgEdycja->cell(2, 2).contains(QRegularExpression(QStringLiteral("[\\x00-\\x1f]"))))
        << w.tsTabela->sgEdycja->cell(2, 2).toStdString();
    TypeIntoCell(w, 4, 3, QStringLiteral("pacjent Nowak 7"));

    dialogs.fileAnswers.push_back(Path(QStringLiteral("zapis.rap")));
    w.commands->tbZapiszRaport->click();
    dialogs.fileAnswers.push_back(Path(QStringLiteral("zapis.rap")));
    w.commands->tbOtworzRaport->click();
    ExpectNoErrors();

    EXPECT_EQ(Plain(w.tsTabela->sgEdycja->cell(4, 3)), QStringLiteral(" pacjent Nowak 7"));
    EXPECT_TRUE(Plain(w.tsTabela->sgEdycja->cell(2, 2)).startsWith(QStringLiteral(" wklejone z")));
    // Nothing after the pasted cell moved.
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(3, 2), QStringLiteral(" 0,121"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(12, 8), QStringLiteral(" 0,217"));
}

// ---- the comment ----------------------------------------------------------------------

TEST_F(TypedWork, CommentWithControlCharactersAndAroundTheOldBlockIsKept)
{
    TWel_Kor& w = StartWithReport();
    TypeIntoCell(w, 1, 1, QStringLiteral("neg"));
    w.commands->tbAnalizuj->click();
    dialogs.fileAnswers.push_back(Path(QStringLiteral("analiza.rap")));
    w.commands->tbZapiszRaport->click();
    Open(w, QStringLiteral("analiza.rap"));
    ASSERT_EQ(w.tsRaport->mKomentarz->toPlainText(), QStringLiteral("Komentarz\nPomiar kontrolny"));

    // A pasted form feed and escape, then lines typed at the end.
    QApplication::clipboard()->setText(QStringLiteral("strona\fdruga\x1b"));
    w.tsRaport->mKomentarz->setFocus();
    w.tsRaport->mKomentarz->moveCursor(QTextCursor::End);
    QTest::keyClick(w.tsRaport->mKomentarz, Qt::Key_Return);
    QTest::keyClick(w.tsRaport->mKomentarz, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(w.tsRaport->mKomentarz, Qt::Key_Return);
    QTest::keyClicks(w.tsRaport->mKomentarz, QStringLiteral("Analiza"));
    dialogs.fileAnswers.push_back(Path(QStringLiteral("analiza.rap")));
    dialogs.yesNoAnswers.push_back(true); // overwrite
    w.commands->tbZapiszRaport->click();
    Open(w, QStringLiteral("analiza.rap"));
    ExpectNoErrors();

    EXPECT_EQ(w.tsRaport->mKomentarz->toPlainText(), QStringLiteral("Komentarz\nPomiar kontrolny\nstrona druga \nAnaliza"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 1), QStringLiteral(" neg"));
    EXPECT_EQ(ReadFile(QStringLiteral("analiza.rap")).count("Kon_Kom_Pap"), 1);
}

TEST_F(TypedWork, CharactersTheFileCannotHoldAreNamedBeforeSaving)
{
    TWel_Kor& w = StartWithReport();
    w.tsRaport->mKomentarz->setFocus();
    w.tsRaport->mKomentarz->moveCursor(QTextCursor::End);
    TypeText(w.tsRaport->mKomentarz, QStringLiteral(" señal ✓ α² ≤ ✓"));

    dialogs.fileAnswers = {Path(QStringLiteral("a.rap")), Path(QStringLiteral("a.rap"))};
    dialogs.yesNoAnswers = {false, true};
    w.commands->tbZapiszRaport->click();
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].contains(QStringLiteral("ñ ✓ α ² ≤"))) << dialogs.questions[0].toStdString();
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("a.rap"))));

    w.commands->tbZapiszRaport->click();
    EXPECT_TRUE(ReadFile(QStringLiteral("a.rap")).contains("Pomiar kontrolny se?al ? ?? ? ?\r\n"));
}

// ---- a load starts clean ------------------------------------------------------------

TEST_F(TypedWork, ShortAnalysisBlockShowsNoMarkOfTheReportBefore)
{
    TWel_Kor& w = StartWithReport();
    TypeIntoCell(w, 12, 8, QStringLiteral("poz"));
    dialogs.fileAnswers.push_back(Path(QStringLiteral("pelny.rap")));
    w.commands->tbZapiszRaport->click();
    Open(w, QStringLiteral("pelny.rap"));
    ASSERT_EQ(w.tsTabela->sgEdycja->cell(12, 8), QStringLiteral(" poz"));

    WriteFile(QStringLiteral("krotki.rap"), SampleReport() + "Kon_Kom_Pap\r\n\r\nAnaliza\r\n  \t 1\t\r\n");
    Open(w, QStringLiteral("krotki.rap"));
    ExpectNoErrors();
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 0), QStringLiteral(" 1"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(12, 8), QString());
}

// ---- unsaved work ---------------------------------------------------------------------

TEST_F(TypedWork, ClosingOrOpeningAnotherReportAsksAboutUnsavedWork)
{
    TWel_Kor& w = StartWithReport();
    // Nothing changed: no question.
    w.commands->Zamknij1->trigger();
    EXPECT_TRUE(dialogs.saveQuestions.isEmpty());
    EXPECT_FALSE(w.isVisible());

    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    TypeIntoCell(w, 6, 6, QStringLiteral("neg")); // still in the editor
    dialogs.saveChoiceAnswers = {SaveChoice::Cancel};
    w.commands->Zamknij1->trigger();
    ASSERT_EQ(dialogs.saveQuestions.size(), 1);
    EXPECT_TRUE(dialogs.saveQuestions[0].endsWith(QStringLiteral("Zapisać zmiany?")));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(6, 6), QStringLiteral("neg"));

    // Opening another report: "Tak" saves first, then the other report opens.
    WriteFile(QStringLiteral("inny.rap"), SampleReport(" 9,999"));
    dialogs.saveChoiceAnswers = {SaveChoice::Save};
    dialogs.fileAnswers = {Path(QStringLiteral("inny.rap")), Path(QStringLiteral("zachowany.rap"))};
    w.commands->tbOtworzRaport->click();
    ExpectNoErrors();
    EXPECT_TRUE(ReadFile(QStringLiteral("zachowany.rap")).contains("\t neg\t"));
    EXPECT_EQ(w.tsTabela->sgDane->cell(1, 1), QStringLiteral(" 9,999"));

    // A painted template is unsaved work too when the window closes; "Nie" closes.
    w.commands->Edycjakolorw1->trigger();
    dialogs.colourAnswers = {0x000000FF};
    w.commands->tbKolor->click();
    QTest::mouseClick(w.tsTabela->sgEdycja->viewport(), Qt::LeftButton, {},
                      w.tsTabela->sgEdycja->visualRect(w.tsTabela->sgEdycja->model()->index(2, 2)).center());
    dialogs.saveChoiceAnswers = {SaveChoice::Discard};
    w.close();
    EXPECT_EQ(dialogs.saveQuestions.size(), 3);
    EXPECT_TRUE(dialogs.saveQuestions.last().contains(QStringLiteral("Kolory szablonu")));
    EXPECT_FALSE(w.isVisible());
}

// ---- destructive commands and the read-only report ------------------------------------

TEST_F(TypedWork, TemplateOfTheWrongSizeIsUsedOnlyWhenTheUserAgrees)
{
    TWel_Kor& w = StartWithReport();
    WriteFile(QStringLiteral("obcy.sza"), QByteArray(100, '\x7F'));
    const welkor::CellColourArray before = w.tsTabela->CellColours;
    dialogs.fileAnswers = {Path(QStringLiteral("obcy.sza"))};
    dialogs.yesNoAnswers = {false};
    w.commands->Otwrzscchemat1->trigger();
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].contains(QStringLiteral("ma 100 B"))) << dialogs.questions[0].toStdString();
    EXPECT_EQ(w.tsTabela->CellColours, before);
}

TEST_F(TypedWork, ReportTextCanBeSelectedAndCopiedButNotEdited)
{
    TWel_Kor& w = StartWithReport();
    w.pcZakladki->setCurrentWidget(w.tsRaport);
    const QString report = w.tsRaport->mOdebrany->toPlainText();
    w.tsRaport->mOdebrany->setFocus();
    QTest::keyClicks(w.tsRaport->mOdebrany, QStringLiteral("xyz"));
    QTest::keyClick(w.tsRaport->mOdebrany, Qt::Key_Delete);
    EXPECT_EQ(w.tsRaport->mOdebrany->toPlainText(), report);

    QTest::keyClick(w.tsRaport->mOdebrany, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w.tsRaport->mOdebrany, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().left(13), QStringLiteral("Welkor Lumo 1"));
}

} // namespace
