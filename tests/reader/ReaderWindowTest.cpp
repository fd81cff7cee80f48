// The reader's commands through the window, with a scripted reader: which
// bytes each command sends, what a received report replaces, and that a
// refused, silent, cancelled or failed exchange leaves the user's work alone.
#include "../gui/WindowFixture.h"
#include "../gui/WindowState.h"

#include "core/reader/Transmission.h"
#include "core/report/ReportFile.h"
#include "gui/analysis/EditGrid.h"
#include "gui/plate/PlateView.h"
#include "gui/reader/ReaderLink.h"
#include "qtbase/ClockTexts.h"
#include "gui/widgets/CircleShape.h"
#include "gui/widgets/StringGrid.h"

#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <deque>
#include <functional>

using namespace welkor::gui;

namespace {

// A reader that answers from a script and remembers what it was sent.
class ScriptedReader : public ReaderLink {
public:
    std::deque<ReaderAnswer> answers; // silence once they run out
    std::vector<std::string> sent;
    std::function<void()> duringWait; // runs while the window waits
    QStringList ports = {QStringLiteral("ttyS0"), QStringLiteral("ttyUSB0")};
    QString chosen = QStringLiteral("ttyUSB0");

    bool configured() const override { return true; }
    ReaderAnswer exchange(const std::string& command, QWidget*) override
    {
        sent.push_back(command);
        if (duringWait)
            duringWait();
        if (answers.empty())
            return {};
        ReaderAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QStringList portNames() const override { return ports; }
    QString portName() const override { return chosen; }
    void choosePort(const QString& name) override { chosen = name; }

    void answer(const std::string& bytes) { answers.push_back({ReaderAnswer::Outcome::Answered, bytes, {}, {}}); }
};

std::string Bytes(const QByteArray& bytes) { return bytes.toStdString(); }

// The framed transmission of the sample report.
std::string SampleFrame() { return welkor::FrameTransmission(welkor::SplitReportText(Bytes(SampleReport()))); }

welkor::ShapeLook LookOf(const CircleShape* shape)
{
    return {shape->fill(), shape->outline(), shape->outlineWidth()};
}

class ReaderWindowTest : public WindowTest {
protected:
    ScriptedReader scripted;
    void SetUp() override
    {
        WindowTest::SetUp();
        reader = &scripted;
    }
};

} // namespace

TEST_F(ReaderWindowTest, ConfiguredReaderShowsItsEntriesAndPorts)
{
    TWel_Kor& w = Start();
    EXPECT_TRUE(w.commands->tbPobierz->isVisible());
    EXPECT_TRUE(w.commands->Pobierz1->isVisible());
    EXPECT_TRUE(w.commands->Narzdzia1->menuAction()->isVisible());
    EXPECT_TRUE(w.commands->udNumer->isVisible());
    EXPECT_TRUE(w.commands->Label1->isVisible());
    ASSERT_TRUE(w.commands->Port1->menuAction()->isVisible());

    emit w.commands->Port1->aboutToShow();
    const QList<QAction*> items = w.commands->Port1->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), QStringLiteral("ttyS0"));
    EXPECT_FALSE(items[0]->isChecked());
    EXPECT_TRUE(items[1]->isChecked());
    items[0]->trigger();
    EXPECT_EQ(scripted.chosen, QStringLiteral("ttyS0"));
}

TEST_F(ReaderWindowTest, EachCommandSendsItsCodeAndSilenceEmptiesAnEmptyWindow)
{
    TWel_Kor& w = Start();
    w.tsTabela->sgEdycja->setCell(3, 2, QStringLiteral("neg"));
    for (QAction* item : {w.commands->UruchomTekst1, w.commands->Zatrzymajtekst1, w.commands->Pytanie1, w.commands->Potwierdzenie1, w.commands->Start1, w.commands->Stop1,
                          w.commands->Bezpotwierdzenia1})
        item->trigger();
    EXPECT_EQ(dialogs.informations, QStringList(7, QStringLiteral("Brak sygnału!")));
    EXPECT_EQ(w.tsRaport->mOdebrany->toPlainText(), QStringLiteral("Brak sygnału!"));
    EXPECT_EQ(w.tsTabela->sgDane->cell(12, 8), QStringLiteral("0"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(3, 2), QStringLiteral("neg")); // a simple command leaves the edit grid
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Welkor Lumo 1"));

    // A fetch fills the edit grid: the typed text is asked about first, and
    // the answer "Nie" sends nothing.
    w.commands->udNumer->setValue(10);
    QTest::mouseClick(w.commands->tbPobierz, Qt::LeftButton);
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].startsWith(QStringLiteral("Uwaga!|Tabela edycji zawiera")));
    EXPECT_EQ(scripted.sent.size(), 7u);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(3, 2), QStringLiteral("neg"));
    dialogs.yesNoAnswers.push_back(true);
    QTest::mouseClick(w.commands->tbPobierz, Qt::LeftButton);
    w.commands->udNumer->setValue(255);
    w.commands->Pocztek1->trigger(); // the grid now holds the zeros: nothing to ask

    const std::vector<std::string> expected = {"\x02", "\x03", "\x05", "\x06", "\x0B", "\x0D", "\x0F", "020A03",
                                               "02FF03"};
    EXPECT_EQ(scripted.sent, expected);
    EXPECT_EQ(dialogs.questions.size(), 2);
    EXPECT_EQ(dialogs.informations, QStringList(9, QStringLiteral("Brak sygnału!")));
    w.commands->Zapisz1->trigger();
    EXPECT_EQ(dialogs.informations.last(), QStringLiteral("Brak danych!"));
}

// No answer to a fetch on a window without a report: the silence in the
// report memo, "0" in every well of both tables, the edit grid filled from
// the measured grid, the plate coloured as a plate of zeros.
TEST_F(ReaderWindowTest, FetchWithoutAnswerOnAnEmptyWindowShowsAPlateOfZeros)
{
    QByteArray zeros = "Czytnik\r\nProgram\r\nFiltr\r\nTryb\r\nDATE: 08.12.2026 TIME: 09:12:44\r\nOPERATOR: X\r\n";
    for (int c = 0; c < 12; ++c)
        zeros += "Kol " + QByteArray::number(c + 1) + QByteArray(" 0\t").repeated(8) + "\r\n";
    WriteFile(QStringLiteral("zera.rap"), zeros);
    TWel_Kor& w = Start();
    scripted.answers.push_back({ReaderAnswer::Outcome::Answered, {}, {}, QStringLiteral("Czytnik nie odpowiedział w ciągu 10 s (port ttyUSB0).")});
    w.commands->Pobierz1->trigger();

    EXPECT_EQ(dialogs.informations,
              QStringList{QStringLiteral("Brak sygnału!\nCzytnik nie odpowiedział w ciągu 10 s (port ttyUSB0).")});
    EXPECT_EQ(w.tsRaport->mOdebrany->toPlainText(), QStringLiteral("Brak sygnału!"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Welkor Lumo 1 - Koniec pobieranie danych"));
    EXPECT_FALSE(w.report.hasData());
    for (int i = 0; i < 96; ++i) {
        EXPECT_EQ(w.report.values().at(i / 12, i % 12), "0");
        EXPECT_EQ(w.tsTabela->sgDane->cell(i % 12 + 1, i / 12 + 1), QStringLiteral("0"));
    }
    EXPECT_EQ(w.tsTabela->sgEdycja->texts(), w.tsTabela->sgDane->texts());
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(12, 0).trimmed(), QStringLiteral("12")); // the headings came along
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, 8).trimmed(), QStringLiteral("H"));

    WindowServices services;
    services.dialogs = &dialogs;
    services.clock = &clock;
    services.executableDir = dir.path();
    TWel_Kor loaded(services);
    loaded.files->LoadReport(Path(QStringLiteral("zera.rap")));
    for (int i = 0; i < 96; ++i)
        EXPECT_EQ(w.tsMikroplytka->plateView->well(i / 12, i % 12), loaded.tsMikroplytka->plateView->well(i / 12, i % 12)) << "well " << i;
    EXPECT_EQ(LookOf(w.tsMikroplytka->sZero), LookOf(loaded.tsMikroplytka->sZero));
}

TEST_F(ReaderWindowTest, FetchedReportLooksAsTheSameReportLoaded)
{
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    TWel_Kor& w = Start();
    const welkor::ShapeLook legendAtStart = LookOf(w.tsMikroplytka->sMaksymalna);
    w.tsRaport->mKomentarz->moveCursor(QTextCursor::End);
    QTest::keyClicks(w.tsRaport->mKomentarz, QStringLiteral(" przed pomiarem"));
    w.shell->operatorName = QStringLiteral("Anna Kowalska");
    w.sbPanels[3]->setText(QStringLiteral("Próg: 0,3165")); // an earlier plate's threshold
    scripted.answer(SampleFrame());
    QTest::mouseClick(w.commands->tbPobierz, Qt::LeftButton);

    EXPECT_TRUE(dialogs.informations.isEmpty()) << dialogs.informations.join(u'|').toStdString();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Welkor Lumo 1 - Koniec pobieranie danych"));
    EXPECT_EQ(w.report.lines()[4], "DATE: 8.12.2026 TIME: 09:30:15");
    EXPECT_EQ(w.report.lines()[5], "OPERATOR: Anna Kowalska");
    EXPECT_EQ(w.tsRaport->mKomentarz->toPlainText(),
              QStringLiteral("Komentarz\nPomiar kontrolny\t\nTransmisja zakończona powodzeniem."));
    EXPECT_TRUE(w.report.hasData());
    EXPECT_TRUE(w.report.freshMeasurement());
    EXPECT_NE(LookOf(w.tsMikroplytka->sMaksymalna), legendAtStart);

    // The same plate opened from a file, in a window of its own.
    WindowServices services;
    services.dialogs = &dialogs;
    services.clock = &clock;
    services.executableDir = dir.path();
    TWel_Kor loaded(services);
    loaded.files->LoadReport(Path(QStringLiteral("pomiar.rap")));
    EXPECT_EQ(w.tsTabela->sgDane->texts(), loaded.tsTabela->sgDane->texts());
    EXPECT_EQ(w.tsTabela->sgEdycja->texts(), loaded.tsTabela->sgEdycja->texts());
    EXPECT_EQ(w.tsMikroplytka->tbGorna->value(), loaded.tsMikroplytka->tbGorna->value());
    EXPECT_EQ(w.tsMikroplytka->tbDolna->value(), loaded.tsMikroplytka->tbDolna->value());
    EXPECT_EQ(w.tsMikroplytka->lGorna->text(), loaded.tsMikroplytka->lGorna->text());
    EXPECT_EQ(w.sbPanels[3]->text(), QString());
    const std::pair<CircleShape*, CircleShape*> shapes[] = {{w.tsMikroplytka->sMaksymalna, loaded.tsMikroplytka->sMaksymalna},
                                                            {w.tsMikroplytka->sMinimalna, loaded.tsMikroplytka->sMinimalna},
                                                            {w.tsMikroplytka->sPonizej, loaded.tsMikroplytka->sPonizej},
                                                            {w.tsMikroplytka->sZero, loaded.tsMikroplytka->sZero}};
    for (const auto& [fetched, opened] : shapes)
        EXPECT_EQ(LookOf(fetched), LookOf(opened));
    for (int i = 0; i < 96; ++i)
        EXPECT_EQ(w.tsMikroplytka->plateView->well(i / 12, i % 12), loaded.tsMikroplytka->plateView->well(i / 12, i % 12)) << "well " << i;
}

TEST_F(ReaderWindowTest, RefusedSilentCancelledOrFailedExchangeKeepsTheUsersWork)
{
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    TWel_Kor& w = Start({Path(QStringLiteral("pomiar.rap"))});
    w.tsRaport->mKomentarz->moveCursor(QTextCursor::End);
    QTest::keyClick(w.tsRaport->mKomentarz, Qt::Key_Return);
    QTest::keyClicks(w.tsRaport->mKomentarz, QStringLiteral("moja uwaga"));
    w.tsTabela->sgEdycja->setCell(1, 1, QStringLiteral("neg"));
    const Shown before = Capture(w);
    ASSERT_TRUE(before.dataPresent);

    std::string wrongStart = SampleFrame();
    wrongStart[0] = 'X';
    std::string wrongEnd = SampleFrame();
    wrongEnd.back() = '\x04';
    welkor::ReportLines shortReport = welkor::SplitReportText(Bytes(SampleReport()));
    shortReport.resize(12);
    const QByteArray word = SampleReport(" abc");
    for (const std::string& frame : {wrongStart, wrongEnd, welkor::FrameTransmission(shortReport),
                                     welkor::FrameTransmission(welkor::SplitReportText(Bytes(word)))})
        scripted.answer(frame);
    const QString silence = QStringLiteral("Czytnik przestał nadawać: przez 10 s nie nadszedł żaden bajt.");
    scripted.answers.push_back({ReaderAnswer::Outcome::Answered, SampleFrame().substr(0, 100), {}, silence});
    scripted.answer("");
    scripted.answers.push_back({ReaderAnswer::Outcome::Cancelled, SampleFrame(), {}, {}});
    scripted.answers.push_back({ReaderAnswer::Outcome::Failed, {}, QStringLiteral("Port zajęty"), {}});

    // The user lets the unsaved work go each time; nothing comes that could
    // replace it, so it stays.
    for (int i = 0; i < 8; ++i) {
        dialogs.saveChoiceAnswers.push_back(SaveChoice::Discard);
        w.commands->Pocztek1->trigger();
        ExpectSame(before, Capture(w));
    }
    EXPECT_EQ(dialogs.saveQuestions.size(), 8);
    // Each refusal says why (the reasons are the conversion's); after a
    // broken-off answer comes how the wait ended.
    ASSERT_EQ(dialogs.informations.size(), 6);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(dialogs.informations[i].startsWith(QStringLiteral("Nieprawidłowa transmisja.\n"))) << i;
    EXPECT_TRUE(dialogs.informations[4].endsWith(QStringLiteral("po 100 bajtach (brak sekwencji końca transmisji).\n") + silence));
    EXPECT_EQ(dialogs.informations[5], QStringLiteral("Brak sygnału!"));
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("Port zajęty")});
}

// A fetch would replace the report: unsaved work is asked about before the
// command goes out, so "Anuluj" costs the user nothing, not even a
// measurement the reader already sent.
TEST_F(ReaderWindowTest, UnsavedWorkIsAskedAboutBeforeTheCommandGoesOut)
{
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport(" 1,5"));
    TWel_Kor& w = Start({Path(QStringLiteral("pomiar.rap"))});
    QTest::keyClicks(w.tsRaport->mKomentarz, QStringLiteral("uwaga "));
    const Shown before = Capture(w);
    scripted.answer(SampleFrame());

    QTest::mouseClick(w.commands->tbPobierz, Qt::LeftButton); // "Anuluj"
    EXPECT_EQ(dialogs.saveQuestions.size(), 1);
    EXPECT_TRUE(scripted.sent.empty());
    ExpectSame(before, Capture(w));
    EXPECT_TRUE(dialogs.informations.isEmpty());

    std::size_t questionsWhenSent = 0;
    scripted.duringWait = [&] { questionsWhenSent = static_cast<std::size_t>(dialogs.saveQuestions.size()); };
    dialogs.saveChoiceAnswers.push_back(SaveChoice::Discard);
    w.commands->Pobierz1->trigger(); // "Nie"
    EXPECT_EQ(questionsWhenSent, 2u);
    EXPECT_EQ(scripted.sent.size(), 1u);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Welkor Lumo 1 - Koniec pobieranie danych"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 1), QStringLiteral(" 0,100"));
    EXPECT_TRUE(w.files->ReportHasUnsavedChanges()); // the measurement is in no file yet
}

TEST(TransmissionClock, DateHasAFourDigitYearInEveryLocale)
{
    const QDate date(2026, 12, 8);
    EXPECT_EQ(TransmissionDate(QLocale(QLocale::English, QLocale::UnitedStates), date).toStdString(), "12/8/2026");
    EXPECT_EQ(TransmissionDate(QLocale(QLocale::Polish, QLocale::Poland), date).toStdString(), "8.12.2026");
    EXPECT_EQ(LongTimeText(QLocale(QLocale::Polish, QLocale::Poland), QTime(14, 5, 9)).toStdString(), "14:05:09");
}

// Around midnight two readings of the clock would pair the old date with the
// new time: line 4 comes from one reading.
TEST_F(ReaderWindowTest, DateAndTimeOfTheReportComeFromOneReading)
{
    class SteppingClock : public ClockSource {
    public:
        QDateTime next = QDateTime(QDate(2026, 12, 7), QTime(23, 59, 59));
        QDateTime now() override
        {
            const QDateTime reading = next;
            next = next.addSecs(1);
            return reading;
        }
    } stepping;
    WindowServices services;
    services.dialogs = &dialogs;
    services.clock = &stepping;
    services.executableDir = dir.path();
    services.reader = &scripted;
    TWel_Kor w(services);
    scripted.answer(SampleFrame());
    scripted.duringWait = [&] { stepping.next = QDateTime(QDate(2026, 12, 7), QTime(23, 59, 59)); };
    w.Pocztek1Click();
    EXPECT_EQ(w.report.lines()[4], "DATE: 7.12.2026 TIME: 23:59:59");
}
