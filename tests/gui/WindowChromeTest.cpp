// The window around the work: its size and scrolling pages, texts shown as
// written, the real message boxes and open dialog, the grids' right button
// and the report memo's menu hints.
#include "WindowFixture.h"

#include "gui/analysis/EditGrid.h"
#include "gui/shell/HelpViewer.h"
#include "gui/dialogs/QtDialogs.h"
#include "gui/output/PrintSupport.h"
#include "gui/widgets/StringGrid.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <functional>

using namespace welkor::gui;

namespace {

// Runs `open`, which shows a modal dialog or menu, and `act` on that widget
// once it is up. A widget that never comes up is closed, so no test hangs.
void WithModal(const std::function<void()>& open, const std::function<void(QWidget*)>& act)
{
    int tries = 0;
    std::function<void()> poll = [&] {
        QWidget* shown = QApplication::activePopupWidget();
        if (!shown)
            shown = QApplication::activeModalWidget();
        if (shown) {
            act(shown);
            return;
        }
        if (++tries < 300) {
            QTimer::singleShot(10, poll);
            return;
        }
        ADD_FAILURE() << "no dialog came up";
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isModal() || qobject_cast<QMenu*>(top))
                top->close();
    };
    QTimer::singleShot(0, poll);
    open();
}

QPoint CellCentre(const StringGrid* grid, int column, int row)
{
    return grid->visualRect(grid->model()->index(row, column)).center();
}

QSize DesignedSize(TWel_Kor& w) { return QSize(742, 545 + w.menuBar()->sizeHint().height()); }

} // namespace

using WindowChrome = WindowTest;

TEST_F(WindowChrome, NeverSmallerThanDesignedAndPagesScrollRatherThanClip)
{
    TWel_Kor& w = Start();
    const QSize designed = DesignedSize(w);
    w.resize(400, 300);
    EXPECT_EQ(w.size(), designed);

    // At the designed size every page fits: nothing to scroll.
    auto* pages = qobject_cast<QScrollArea*>(w.centralWidget());
    ASSERT_NE(pages, nullptr);
    w.pcZakladki->setCurrentWidget(w.tsMikroplytka.tab());
    QCoreApplication::processEvents();
    EXPECT_FALSE(pages->verticalScrollBar()->isVisible());
    EXPECT_FALSE(pages->horizontalScrollBar()->isVisible());

    // Held smaller (a small screen), the plate page keeps its controls where
    // they are and scrolls.
    w.setMinimumSize(0, 0);
    w.resize(500, 350);
    QCoreApplication::processEvents();
    EXPECT_GE(w.tsMikroplytka->width(), 721);  // right edge of "Kalibracja", "Typ podglądu", "Legenda"
    EXPECT_GE(w.tsMikroplytka->height(), 449); // bottom of "Legenda"
    EXPECT_TRUE(pages->verticalScrollBar()->isVisible());
    EXPECT_TRUE(pages->horizontalScrollBar()->isVisible());
}

TEST_F(WindowChrome, TheGreenLabelStaysOnTheToolbarBesideTheReadersItems)
{
    SilentReader silent;
    reader = &silent;
    TWel_Kor& w = Start();
    w.resize(400, 300);
    QCoreApplication::processEvents();
    ASSERT_EQ(w.size(), DesignedSize(w));
    ASSERT_TRUE(w.commands->tbPobierz->isVisible() && w.commands->Label1->isVisible() && w.commands->udNumer->isVisible());

    // Every item on the bar, none in its overflow menu, the label's letters whole.
    auto* overflow = w.commands->ToolBar1->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
    EXPECT_TRUE(!overflow || !overflow->isVisible());
    ASSERT_TRUE(w.commands->lR->isVisible());
    EXPECT_TRUE(w.commands->ToolBar1->contentsRect().contains(w.commands->lR->geometry()));
    EXPECT_GE(w.commands->lR->contentsRect().width(), w.commands->lR->fontMetrics().horizontalAdvance(w.commands->lR->text().trimmed()));
    EXPECT_GT(w.commands->lR->x(), w.commands->udNumer->geometry().right());
}

// Qt's own print set-up offers the report's PDF in the report's folder,
// until the printer has a file of its own.
TEST_F(WindowChrome, PrintSetUpOffersTheReportsPdf)
{
    QtDialogs real;
    const PrintSupport& print = LoadPrintSupport(QStringLiteral(WELKOR_PRINT_MODULE));
    QPrinter printer(QPrinter::HighResolution);
    QStringList offered;
    auto read = [&](QWidget* shown) {
        auto* dialog = qobject_cast<QPrintDialog*>(shown);
        ASSERT_NE(dialog, nullptr);
        auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        ASSERT_NE(file, nullptr);
        offered << file->text();
        dialog->reject();
    };
    WithModal([&] { real.printerSetup(print, printer, Path(QStringLiteral("pomiar.pdf"))); }, read);
    printer.setOutputFileName(Path(QStringLiteral("wybrany.pdf")));
    WithModal([&] { real.printerSetup(print, printer, Path(QStringLiteral("pomiar.pdf"))); }, read);
    EXPECT_EQ(offered, QStringList({Path(QStringLiteral("pomiar.pdf")), Path(QStringLiteral("wybrany.pdf"))}));
}

TEST_F(WindowChrome, ReportMemoShowsAllFifteenLinesAtTheDesignedSize)
{
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    TWel_Kor& w = Start({Path(QStringLiteral("pomiar.rap"))});
    ASSERT_EQ(w.size(), DesignedSize(w));
    ASSERT_EQ(w.tsRaport->mOdebrany->document()->blockCount(), 15);
    const QRect last = w.tsRaport->mOdebrany->cursorRect(QTextCursor(w.tsRaport->mOdebrany->document()->lastBlock()));
    EXPECT_LE(last.bottom(), w.tsRaport->mOdebrany->viewport()->height());
    EXPECT_EQ(w.tsRaport->mOdebrany->verticalScrollBar()->maximum(), 0);
}

// An operator named "<h1>Ewa</h1>" is shown as typed, not as a heading.
TEST_F(WindowChrome, FileAndUserTextIsShownAsWritten)
{
    WriteFile(QStringLiteral("Operator.ini"), "Operator:\r\n<h1>Ewa</h1>\r\n");
    TWel_Kor& w = Start();
    QLabel* panel = w.sbPanels[4];
    EXPECT_EQ(panel->text(), QStringLiteral("Operator: <h1>Ewa</h1>"));
    EXPECT_EQ(panel->textFormat(), Qt::PlainText);
    EXPECT_EQ(panel->sizeHint().height(), w.sbPanels[1]->sizeHint().height()); // one plain line, like the date

    // The message boxes quote file names and values as they are, under their
    // own titles.
    QtDialogs real(&w);
    QStringList seen;
    auto record = [&](QWidget* shown) {
        auto* box = qobject_cast<QMessageBox*>(shown);
        ASSERT_NE(box, nullptr);
        seen << box->windowTitle() << QString::number(box->textFormat());
        box->done(QMessageBox::No);
    };
    WithModal([&] { real.error(QStringLiteral("Plik \"<b>a</b>.rap\" nie został otwarty.")); }, record);
    WithModal([&] { real.askYesNo(QStringLiteral("Uwaga!"), QStringLiteral("<i>x</i>")); }, record);
    const QString plain = QString::number(Qt::PlainText);
    EXPECT_EQ(seen, QStringList({QStringLiteral("Welkor Lumo 1"), plain, QStringLiteral("Uwaga!"), plain}));
}

// The open dialog, typed into as a user does: a report saved without an
// extension opens under its own name.
TEST_F(WindowChrome, OpenDialogAddsTheExtensionOnlyToANameThatDoesNotExist)
{
    WriteFile(QStringLiteral("bezrozszerzenia"), SampleReport());
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    QtDialogs real;
    auto typed = [&](const QString& name) {
        FileDialogState state{QStringLiteral("Otwieranie wyników"), QStringLiteral("Raport z pomiaru (*.rap)"),
                              QStringLiteral("rap"), QString()};
        bool accepted = false;
        WithModal([&] { accepted = real.openFile(state); },
                  [&](QWidget* shown) {
                      auto* dialog = qobject_cast<QFileDialog*>(shown);
                      ASSERT_NE(dialog, nullptr);
                      auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                      ASSERT_NE(edit, nullptr);
                      dialog->setDirectory(dir.path()); // the user is in the reports' folder
                      edit->clear();
                      QTest::keyClicks(edit, name);
                      QTest::keyClick(edit, Qt::Key_Return);
                      if (dialog->isVisible()) // the completer took the first Enter
                          QTest::keyClick(edit, Qt::Key_Return);
                  });
        EXPECT_TRUE(accepted) << name.toStdString();
        return state.fileName;
    };
    EXPECT_EQ(typed(QStringLiteral("bezrozszerzenia")), Path(QStringLiteral("bezrozszerzenia")));
    EXPECT_EQ(typed(QStringLiteral("pomiar")), Path(QStringLiteral("pomiar.rap")));
    EXPECT_EQ(typed(QStringLiteral("nowy")), Path(QStringLiteral("nowy.rap")));
    EXPECT_EQ(typed(QStringLiteral("pomiar.rap")), Path(QStringLiteral("pomiar.rap")));
}

// The right button opens the menu over what is highlighted: it moves
// neither the highlighted cell nor the copy range.
TEST_F(WindowChrome, RightClickInAGridMovesNeitherTheHighlightNorTheCopyRange)
{
    TWel_Kor& w = Start();
    w.pcZakladki->setCurrentWidget(w.tsTabela.tab());
    QCoreApplication::processEvents();
    for (StringGrid* grid : {w.tsTabela->sgDane, static_cast<StringGrid*>(w.tsTabela->sgEdycja)}) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(grid, 2, 2));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, CellCentre(grid, 4, 3));
        const QModelIndex current = grid->currentIndex();
        const QList<QTableWidgetSelectionRange> selection = grid->selectedRanges();
        const std::uint8_t column = w.tsTabela->firstCornerColumn;
        const std::uint8_t row = w.tsTabela->firstCornerRow;
        ASSERT_EQ(selection.size(), 1);
        ASSERT_EQ(selection[0].rowCount() * selection[0].columnCount(), 6);

        QTest::mouseClick(grid->viewport(), Qt::RightButton, Qt::NoModifier, CellCentre(grid, 7, 6));
        QTest::mouseDClick(grid->viewport(), Qt::RightButton, Qt::NoModifier, CellCentre(grid, 7, 6));
        EXPECT_EQ(grid->currentIndex(), current);
        ASSERT_EQ(grid->selectedRanges().size(), 1);
        EXPECT_EQ(grid->selectedRanges()[0].topRow(), selection[0].topRow());
        EXPECT_EQ(grid->selectedRanges()[0].rightColumn(), selection[0].rightColumn());
        EXPECT_EQ(w.tsTabela->firstCornerColumn, column);
        EXPECT_EQ(w.tsTabela->firstCornerRow, row);
        EXPECT_EQ(w.tsTabela->copySourceIsDane, grid == w.tsTabela->sgDane); // the press still tells which grid
    }
}

TEST_F(WindowChrome, ReportMemoMenuHintsReachPanelZero)
{
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    TWel_Kor& w = Start({Path(QStringLiteral("pomiar.rap"))});
    QString hint;
    WithModal(
        [&] {
            const QPoint at(20, 20);
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, w.tsRaport->mOdebrany->viewport()->mapToGlobal(at));
            QCoreApplication::sendEvent(w.tsRaport->mOdebrany->viewport(), &event);
        },
        [&](QWidget* shown) {
            auto* menu = qobject_cast<QMenu*>(shown);
            ASSERT_EQ(menu, w.tsRaport->pmTekst);
            QAction* selectAll = menu->actions().last();
            QTest::mouseMove(menu, menu->actionGeometry(selectAll).center());
            hint = w.sbPanels[0]->text();
            menu->close();
        });
    EXPECT_EQ(hint, QStringLiteral("Selects the entire document"));
}
