#include "WindowFixture.h"

#include "gui/analysis/EditGrid.h"
#include "gui/widgets/StringGrid.h"

#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QCoreApplication>
#include <QSpinBox>
#include <QStatusTipEvent>
#include <QToolButton>

#include <functional>
#include <sys/stat.h>

using namespace welkor::gui;

TEST_F(WindowTest, StartsOnTheReportPageWithHeadingsAndPlaceholders)
{
    TWel_Kor& w = Start();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Welkor Lumo 1"));
    EXPECT_EQ(w.pcZakladki->currentWidget(), w.tsRaport);
    EXPECT_EQ(w.pcZakladki->tabText(0), QStringLiteral("Raport"));
    EXPECT_EQ(w.pcZakladki->tabText(1), QStringLiteral("Tabela"));
    EXPECT_EQ(w.pcZakladki->tabText(2), QStringLiteral("Mikropłytka"));
    EXPECT_TRUE(w.tsRaport->mOdebrany->toPlainText().isEmpty());
    EXPECT_EQ(w.tsRaport->mKomentarz->toPlainText(), QStringLiteral("Komentarz"));

    EXPECT_EQ(w.tsTabela->sgDane->cell(0, 0), QString());
    for (int c = 1; c <= 12; ++c)
        EXPECT_EQ(w.tsTabela->sgDane->cell(c, 0), QString::number(c));
    const QString letters = QStringLiteral("ABCDEFGH");
    for (int r = 1; r <= 8; ++r)
        EXPECT_EQ(w.tsTabela->sgDane->cell(0, r), letters.mid(r - 1, 1));
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 12; ++c)
            EXPECT_EQ(w.tsTabela->sgDane->cell(c, r), QStringLiteral("0")) << c << "," << r;
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 13; ++c)
            EXPECT_TRUE(w.tsTabela->sgEdycja->cell(c, r).isEmpty());
    EXPECT_FALSE(w.report.hasData());
    EXPECT_FALSE(w.report.freshMeasurement());
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(WindowTest, StatusBarShowsDateTimeAndDefaultOperator)
{
    TWel_Kor& w = Start();
    EXPECT_EQ(w.sbPanels[4]->text(), QStringLiteral("Operator: Marvant"));
    EXPECT_TRUE(w.sbPanels[1]->text().startsWith(QStringLiteral("Data: ")));
    EXPECT_TRUE(w.sbPanels[1]->text().contains(QStringLiteral("2026")) || w.sbPanels[1]->text().contains(QStringLiteral("26")));
    EXPECT_EQ(w.sbPanels[2]->text(), QStringLiteral("Czas: 09:30:15"));
    EXPECT_TRUE(w.sbPanels[3]->text().isEmpty());
    EXPECT_EQ(w.sbPanels[0]->width(), 220);
    EXPECT_EQ(w.sbPanels[1]->width(), 110);
    EXPECT_EQ(w.sbPanels[2]->width(), 110);
    EXPECT_EQ(w.sbPanels[3]->width(), 100);
}

TEST_F(WindowTest, OperatorComesFromOperatorIniBesideTheProgram)
{
    WriteFile(QStringLiteral("Operator.ini"), "Operator:\r\nAnna Kowalska\r\n");
    TWel_Kor& w = Start();
    EXPECT_EQ(w.sbPanels[4]->text(), QStringLiteral("Operator: Anna Kowalska"));
}

TEST_F(WindowTest, OperatorIniWithoutNameStillStartsCompletely)
{
    WriteFile(QStringLiteral("Operator.ini"), "Operator:");
    TWel_Kor& w = Start();
    EXPECT_EQ(w.sbPanels[4]->text(), QStringLiteral("Operator: "));
    EXPECT_EQ(w.pcZakladki->currentWidget(), w.tsRaport);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(WindowTest, TimerTickShowsTheNewTime)
{
    TWel_Kor& w = Start();
    clock.time = QDateTime(QDate(2026, 12, 9), QTime(23, 59, 58));
    w.Timer1Timer();
    EXPECT_EQ(w.sbPanels[2]->text(), QStringLiteral("Czas: 23:59:58"));
    EXPECT_EQ(w.sbPanels[1]->text(),
              QStringLiteral("Data: ") + QLocale::system().toString(QDate(2026, 12, 9), QLocale::ShortFormat));
}

TEST_F(WindowTest, HiddenAndShownCommandsAtStart)
{
    TWel_Kor& w = Start();
    EXPECT_FALSE(w.commands->tbPobierz->isVisible());
    EXPECT_FALSE(w.commands->Pobierz1->isVisible());
    EXPECT_FALSE(w.commands->Port1->menuAction()->isVisible());
    EXPECT_FALSE(w.commands->Narzdzia1->menuAction()->isVisible());
    EXPECT_TRUE(!w.commands->udNumer || !w.commands->udNumer->isVisible());
    EXPECT_TRUE(w.commands->tbOtworzRaport->isVisible());
    EXPECT_EQ(w.commands->tbOtworzRaport->text(), QStringLiteral("Otwórz"));
    EXPECT_EQ(w.commands->tbOtworzRaport->toolTip(), QStringLiteral("Otwarcie raportu"));
    EXPECT_EQ(w.commands->Otwrz1->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(w.commands->Zapisz1->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(w.commands->OWelkor11->text(), QStringLiteral("O Welkor Lumo 1"));
    EXPECT_TRUE(w.commands->Edycja1->isChecked());
    EXPECT_TRUE(w.commands->Edycjatekstu1->isChecked());
    EXPECT_FALSE(w.commands->Edycjakolorw1->isChecked());
}

TEST_F(WindowTest, ContextMenuOfTheTablesFollowsTheGridPressedLast)
{
    TWel_Kor& w = Start();
    EXPECT_TRUE(w.commands->Edycja1->isVisible());
    w.tsTabela->sgDaneMouseDown();
    EXPECT_TRUE(w.tsTabela->copySourceIsDane);
    EXPECT_FALSE(w.commands->Edycja1->isVisible());
    EXPECT_FALSE(w.commands->N8->isVisible());
    w.tsTabela->sgEdycjaMouseDown();
    EXPECT_FALSE(w.tsTabela->copySourceIsDane);
    EXPECT_TRUE(w.commands->Edycja1->isVisible());
    EXPECT_TRUE(w.commands->N8->isVisible());
}

TEST_F(WindowTest, CommandLineJoinsTwoArgumentsAndDropsTrailingBlanks)
{
    struct Case {
        QStringList args;
        QString expected;
    };
    const Case cases[] = {
        {{}, QString()},
        {{QStringLiteral("/tmp/a.rap")}, QStringLiteral("/tmp/a.rap")},
        {{QStringLiteral("/tmp/a.rap ")}, QStringLiteral("/tmp/a.rap")},
        {{QStringLiteral("/tmp/moje"), QStringLiteral("dane.rap")}, QStringLiteral("/tmp/moje dane.rap")},
        {{QStringLiteral("/tmp/a"), QStringLiteral("b.rap"), QStringLiteral("ignored")}, QStringLiteral("/tmp/a b.rap")},
    };
    for (const Case& c : cases) {
        TWel_Kor& w = Start(c.args, false);
        EXPECT_EQ(w.CommandLineFileName(), c.expected) << c.args.join(QLatin1Char('|')).toStdString();
    }
}

TEST_F(WindowTest, CommandLineOpensTheJoinedFileBeforeTheWindowShows)
{
    WriteFile(QStringLiteral("moje dane.rap"), SampleReport());
    TWel_Kor& w = Start({dir.filePath(QStringLiteral("moje")), QStringLiteral("dane.rap")});
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Welkor Lumo 1 - ") + Path(QStringLiteral("moje dane.rap")));
    EXPECT_TRUE(w.report.hasData());
    EXPECT_EQ(w.tsTabela->sgDane->cell(1, 1), QStringLiteral(" 0,100"));
}

TEST_F(WindowTest, CommandLineNamingTheProgramItselfOpensNothing)
{
    TWel_Kor& w = Start({dir.filePath(QStringLiteral("welkor-lumo"))});
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Welkor Lumo 1"));
    EXPECT_FALSE(w.report.hasData());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(WindowTest, HintsGoToTheFirstStatusPanel)
{
    TWel_Kor& w = Start();
    QStatusTipEvent tip(QStringLiteral("Otwarcie raportu"));
    QCoreApplication::sendEvent(&w, &tip);
    EXPECT_EQ(w.sbPanels[0]->text(), QStringLiteral("Otwarcie raportu"));
}

// An Operator.ini that cannot be used is reported, the operator is the one
// of no file, and start-up completes; a FIFO does not hold it up.
TEST_F(WindowTest, UnusableOperatorIniIsReportedAndStartUpCompletesWithMarvant)
{
    const QString ini = Path(QStringLiteral("Operator.ini"));
    const struct {
        const char* what;
        std::function<void()> make;
        QString reason;
    } cases[] = {
        {"a folder", [&] { ASSERT_TRUE(QDir().mkdir(ini)); }, QStringLiteral("To jest katalog, nie plik.")},
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(QFile::encodeName(ini).constData(), 0600), 0); },
         QStringLiteral("To jest potok nazwany (FIFO), nie zwykły plik.")},
        {"a file over the size limit",
         [&] { WriteFile(QStringLiteral("Operator.ini"), "Operator:\r\nJan\r\n" + QByteArray(64 * 1024, ' ')); },
         QStringLiteral("Plik jest za duży")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.make();
        dialogs.errors.clear();
        TWel_Kor& w = Start();
        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Cannot open file \"%1\". %2").arg(ini, c.reason)))
            << dialogs.errors[0].toStdString();
        EXPECT_EQ(w.sbPanels[4]->text(), QStringLiteral("Operator: Marvant"));
        // The steps after the operator still ran.
        EXPECT_EQ(w.pcZakladki->currentWidget(), w.tsRaport);
        EXPECT_TRUE(w.commands->Edycjatekstu1->isChecked());
        EXPECT_EQ(w.tsTabela->TemplatePicture.size(), QSize(728, 225));
        EXPECT_EQ(w.tsTabela->CellBrush.size(), QSize(55, 24));
        QDir().rmdir(ini);
        QFile::remove(ini);
    }
}

// The help, the logo and the print module: beside the program (a build, a
// copy on a stick), else where an installation puts them; beside it when
// neither has the file, so a message names the first place looked at.
TEST_F(WindowTest, ShippedFilesAreFoundBesideTheProgramThenWhereAnInstallationPutsThem)
{
    struct Case {
        const char* name;
        QString (WindowServices::*find)(const QString&) const;
        const char* installed;
    };
    const Case cases[] = {
        {"Brosalin 1.html", &WindowServices::DataFilePath, "share/welkor-lumo"},
        {"welkor-lumo-print.so", &WindowServices::ModuleFilePath, "lib/welkor-lumo/modules"},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromUtf8(c.name);
        const QString root = Path(name + QStringLiteral("-prefix"));
        ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/bin")));
        ASSERT_TRUE(QDir().mkpath(root + QLatin1Char('/') + QString::fromUtf8(c.installed)));
        WindowServices services;
        services.executableDir = root + QStringLiteral("/bin");
        const QString beside = services.executableDir + QLatin1Char('/') + name;
        const QString installed = root + QLatin1Char('/') + QString::fromUtf8(c.installed) + QLatin1Char('/') + name;
        EXPECT_EQ((services.*c.find)(name), beside) << c.name;
        ASSERT_TRUE(QFile(installed).open(QIODevice::WriteOnly));
        EXPECT_EQ((services.*c.find)(name), installed) << c.name;
        ASSERT_TRUE(QFile(beside).open(QIODevice::WriteOnly));
        EXPECT_EQ((services.*c.find)(name), beside) << c.name;
    }
}
