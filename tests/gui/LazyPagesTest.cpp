// The pages behind "Raport" are built when first needed; built late, they
// are the pages the window would have shown had it built them at start.
#include "WindowFixture.h"

#include "gui/analysis/AnalysisPage.h"
#include "gui/analysis/EditGrid.h"
#include "gui/app/Commands.h"
#include "gui/plate/PlatePage.h"
#include "gui/plate/PlateView.h"
#include "gui/widgets/CircleShape.h"
#include "gui/widgets/StringGrid.h"

#include <QAction>
#include <QApplication>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace welkor::gui;

namespace {

// The tab clicked as the user does, then the page as the screen shows it.
QImage ClickTabAndGrab(TWel_Kor& w, int tab)
{
    QTabBar* bar = w.pcZakladki->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    QCoreApplication::processEvents();
    return w.pcZakladki->widget(tab)->grab().toImage();
}

} // namespace

using LazyPages = WindowTest;

TEST_F(LazyPages, BuiltAtTheFirstClickOnTheirTabAsTheyWouldHaveStoodSinceStartUp)
{
    SilentReader silent; // its number box is made after the pages
    reader = &silent;
    TWel_Kor& lazy = Start();
    const QSize tabsMinimum = lazy.pcZakladki->minimumSizeHint();
    // Opening the window, a paint and a tick of the timer build nothing.
    lazy.grab();
    clock.time = clock.time.addSecs(1);
    lazy.Timer1Timer();
    EXPECT_FALSE(lazy.tsTabela.built());
    EXPECT_FALSE(lazy.tsMikroplytka.built());
    // The menus show the edit grid's mode all the same.
    EXPECT_TRUE(lazy.commands->Edycjatekstu1->isChecked());
    EXPECT_TRUE(lazy.commands->Edycja1->isChecked());

    const QImage plateLate = ClickTabAndGrab(lazy, 2);
    ASSERT_TRUE(lazy.tsMikroplytka.built());
    EXPECT_FALSE(lazy.tsTabela.built());
    EXPECT_TRUE(lazy.tsMikroplytka->isVisible());
    EXPECT_EQ(lazy.tsMikroplytka->geometry(), lazy.tsMikroplytka.tab()->rect());
    const QImage tableLate = ClickTabAndGrab(lazy, 1);
    EXPECT_EQ(lazy.pcZakladki->minimumSizeHint(), tabsMinimum);
    // Tab goes through the page where its tab stands, not after the number
    // box (a widget joins the end of its window's tab chain). The grids keep
    // Tab for their cells, so the chain is read as focusNextChild follows it.
    QList<QWidget*> chain;
    for (QWidget* next = lazy.pcZakladki->tabBar()->nextInFocusChain(); chain.size() < 4;
         next = next->nextInFocusChain())
        if ((next->focusPolicy() & Qt::TabFocus) && next->isVisible())
            chain << next;
    EXPECT_EQ(chain, (QList<QWidget*>{lazy.tsTabela->sgDane, lazy.tsTabela->sgEdycja, lazy.centralWidget(),
                                      static_cast<QWidget*>(lazy.commands->udNumer)}));

    // The same window with every page built before it showed.
    window.reset();
    TWel_Kor& early = Start({}, false);
    early.BuildAllPages();
    early.show();
    early.Timer1Timer();
    EXPECT_EQ(ClickTabAndGrab(early, 2), plateLate);
    EXPECT_EQ(ClickTabAndGrab(early, 1), tableLate);
    EXPECT_EQ(early.pcZakladki->minimumSizeHint(), tabsMinimum);
}

TEST_F(LazyPages, ACommandFindsEveryPageBuiltBeforeItRuns)
{
    // What a report leaves on the plate page and the measured grid.
    struct Shown {
        std::vector<std::uint32_t> colours; // the wells' and the zero circle's fill and ring
        int upper = 0, lower = 0;
        welkor::GridTexts measured;
        bool operator==(const Shown&) const = default;
    };
    auto shown = [](TWel_Kor& w) {
        Shown s;
        for (int i = 0; i < 96; ++i) {
            const welkor::ShapeLook well = w.tsMikroplytka->plateView->well(i / 12, i % 12);
            s.colours.insert(s.colours.end(), {well.fill, well.outline});
        }
        s.colours.insert(s.colours.end(), {w.tsMikroplytka->sZero->fill(), w.tsMikroplytka->sZero->outline()});
        s.upper = w.tsMikroplytka->tbGorna->value();
        s.lower = w.tsMikroplytka->tbDolna->value();
        s.measured = w.tsTabela->sgDane->texts();
        return s;
    };
    QByteArray zeros = "Czytnik\r\nProgram\r\nFiltr\r\nTryb\r\nDATE: 08.12.2026 TIME: 09:12:44\r\nOPERATOR: X\r\n";
    for (int c = 0; c < 12; ++c)
        zeros += "Kol " + QByteArray::number(c + 1) + QByteArray(" 0\t").repeated(8) + "\r\n";
    for (const QByteArray& bytes : {SampleReport(), zeros}) {
        WriteFile(QStringLiteral("pomiar.rap"), bytes);
        TWel_Kor& w = Start();
        dialogs.fileAnswers = {Path(QStringLiteral("pomiar.rap"))};
        w.commands->Otwrz1->trigger();
        ASSERT_TRUE(w.tsMikroplytka.built());
        ASSERT_TRUE(w.tsTabela.built());
        const Shown opened = shown(w);

        // The same report loaded into a window whose pages were built at start.
        window.reset();
        TWel_Kor& early = Start({}, false);
        early.BuildAllPages();
        early.files->LoadReport(Path(QStringLiteral("pomiar.rap")));
        EXPECT_TRUE(shown(early) == opened) << bytes.left(20).toStdString();
    }
}
