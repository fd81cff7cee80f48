// The fetch sequence of the window over the real serial link, against the
// reader simulator on a pseudo-terminal: a good frame, silence until the
// time-out, a corrupted frame, half a frame, and a wait the user cancels.
#include "../gui/WindowFixture.h"

#include "core/report/ReportFile.h"
#include "gui/analysis/EditGrid.h"
#include "gui/plate/PlateView.h"
#include "gui/reader/SerialReaderLink.h"
#include "gui/widgets/CircleShape.h"
#include "gui/widgets/StringGrid.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// The simulator, answering with the frame of `report`; ends with the test.
class Simulator {
public:
    Simulator(const QString& report, const QString& answers)
    {
        process_.setProgram(QStringLiteral(WELKOR_READER_SIM));
        process_.setArguments({QStringLiteral("--answers"), answers, report});
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
        while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
        }
        device_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    }
    ~Simulator()
    {
        process_.kill();
        process_.waitForFinished();
    }
    const QString& device() const { return device_; }

private:
    QProcess process_;
    QString device_;
};

// The sample report without its comment: the eighteen lines a reader sends.
QByteArray EighteenLines()
{
    QByteArray bytes = SampleReport();
    bytes.truncate(bytes.indexOf("Pomiar kontrolny"));
    return bytes;
}

class SerialLinkTest : public WindowTest {
protected:
    std::unique_ptr<Simulator> simulator;
    std::unique_ptr<SerialReaderLink> link;

    // A window whose reader is the simulator, waiting `seconds` for answers.
    TWel_Kor& StartWithReader(const QString& answers, double seconds)
    {
        WriteFile(QStringLiteral("czytnik.rap"), EighteenLines());
        simulator = std::make_unique<Simulator>(Path(QStringLiteral("czytnik.rap")), answers);
        EXPECT_TRUE(simulator->device().startsWith(QStringLiteral("/dev/"))) << simulator->device().toStdString();
        return StartOn(simulator->device(), seconds);
    }

    TWel_Kor& StartOn(const QString& port, double seconds)
    {
        QSettings settings(Path(QStringLiteral("welkor.ini")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Czytnik/Port"), port);
        settings.setValue(QStringLiteral("Czytnik/CzasOczekiwania"), seconds);
        settings.sync();
        link = std::make_unique<SerialReaderLink>(Path(QStringLiteral("welkor.ini")), QString());
        reader = link.get();
        return Start();
    }

    // A report of the user's, opened before the fetch.
    void OpenUsersReport(TWel_Kor& w)
    {
        WriteFile(QStringLiteral("moj.rap"), SampleReport(" 1,5"));
        w.LoadReport(Path(QStringLiteral("moj.rap")));
        w.mKomentarz->appendPlainText(QStringLiteral("uwagi"));
    }
};

struct Kept {
    welkor::ReportLines lines;
    QString report, comment, caption;
    welkor::GridTexts grid;
};

Kept KeptOf(const TWel_Kor& w)
{
    return {w.report.lines(), w.mOdebrany->toPlainText(), w.mKomentarz->toPlainText(), w.windowTitle(), w.sgEdycja->texts()};
}

void ExpectKept(const Kept& before, const TWel_Kor& w)
{
    const Kept now = KeptOf(w);
    EXPECT_EQ(now.lines, before.lines);
    EXPECT_EQ(now.report, before.report);
    EXPECT_EQ(now.comment, before.comment);
    EXPECT_EQ(now.caption, before.caption);
    EXPECT_EQ(now.grid, before.grid);
}

} // namespace

TEST_F(SerialLinkTest, GoodFrameBecomesTheReportAndSavesAsConverted)
{
    TWel_Kor& w = StartWithReader(QStringLiteral("good"), 20);
    w.udNumer->setValue(10);
    QTest::mouseClick(w.tbPobierz, Qt::LeftButton);
    ASSERT_TRUE(dialogs.informations.isEmpty()) << dialogs.informations.join(u'|').toStdString();
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(u'|').toStdString();
    EXPECT_EQ(w.outgoingCommand, "020A03");
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Welkor Lumo 1 - Koniec pobieranie danych"));

    // The grid and the plate show the reader's values: the highest one (H12)
    // in the legend's colour for the maximum.
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 12; ++c)
            ASSERT_EQ(w.sgDane->cell(c + 1, r + 1), QStringLiteral(" 0,%1").arg(100 + c * 10 + r));
    EXPECT_EQ(w.plateView->well(7, 11).fill, w.sMaksymalna->fill());
    EXPECT_NE(w.plateView->well(7, 11).fill, w.plateView->well(0, 0).fill);

    // Saved at once: the reader's lines, this fetch's date and operator, the
    // success line as the comment, and the analysis block of a first save.
    dialogs.fileAnswers.push_back(Path(QStringLiteral("odebrany.rap")));
    w.Zapisz1->trigger();
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(u'|').toStdString();
    const welkor::ReportLines source = welkor::SplitReportText(EighteenLines().toStdString());
    welkor::ReportLines expected(source.begin(), source.begin() + 4);
    expected.push_back("DATE: 8.12.2026 TIME: 09:30:15");
    expected.push_back("OPERATOR: Marvant");
    expected.insert(expected.end(), source.begin() + 6, source.end());
    expected.push_back("Transmisja zako\xF1" "czona powodzeniem.");
    expected.push_back("Kon_Kom_Pap");
    expected.push_back("");
    expected.push_back("Analiza");
    std::string headings = " ";
    for (int c = 0; c <= 12; ++c)
        headings += "     " + (c == 0 ? std::string() : std::to_string(c)) + "\t";
    expected.push_back(headings);
    for (int r = 0; r < 8; ++r) {
        std::string line = " " + std::string(1, "ABCDEFGH"[r]) + "\t";
        for (int c = 0; c < 12; ++c)
            line += " 0," + std::to_string(100 + c * 10 + r) + "\t";
        expected.push_back(line);
    }
    ASSERT_EQ(expected.size(), 31u);
    EXPECT_EQ(ReadFile(QStringLiteral("odebrany.rap")).toStdString(), welkor::JoinReportLines(expected));
    EXPECT_FALSE(w.ReportHasUnsavedChanges());
}

TEST_F(SerialLinkTest, SilenceUntilTheTimeOutKeepsTheUsersReport)
{
    TWel_Kor& w = StartWithReader(QStringLiteral("silent"), 0.3);
    OpenUsersReport(w);
    const Kept before = KeptOf(w);
    w.Pobierz1->trigger();
    EXPECT_EQ(dialogs.informations, QStringList{QStringLiteral("Brak sygnału!")});
    ExpectKept(before, w);
    EXPECT_TRUE(w.report.hasData());
}

TEST_F(SerialLinkTest, CorruptedOrHalfFrameIsRefusedAndTheNextGoodOneTaken)
{
    TWel_Kor& w = StartWithReader(QStringLiteral("corrupt,half,good"), 0.5);
    OpenUsersReport(w);
    const Kept before = KeptOf(w);
    w.Pobierz1->trigger();
    w.Pobierz1->trigger();
    EXPECT_EQ(dialogs.informations, QStringList(2, QStringLiteral("Nieprawidłowa transmisja.")));
    ExpectKept(before, w);

    // After a cut-off frame the link still takes the next whole one (once
    // the user lets the unsaved comment go).
    dialogs.saveChoiceAnswers.push_back(SaveChoice::Discard);
    w.Pobierz1->trigger();
    EXPECT_EQ(dialogs.saveQuestions.size(), 1);
    EXPECT_EQ(dialogs.informations.size(), 2);
    EXPECT_EQ(w.sgDane->cell(1, 1), QStringLiteral(" 0,100"));
}

TEST_F(SerialLinkTest, UserCancelsTheWaitWhileTheWindowClockTicks)
{
    TWel_Kor& w = StartWithReader(QStringLiteral("silent"), 600);
    OpenUsersReport(w);
    const Kept before = KeptOf(w);

    // The window's own timer cancels: it only can if the wait lets it tick.
    bool modal = false;
    w.Timer1->setInterval(10);
    QObject::connect(w.Timer1, &QTimer::timeout, &w, [&] {
        auto* progress = w.findChild<QProgressDialog*>();
        if (!progress || !progress->isVisible())
            return;
        modal = QApplication::activeModalWidget() == progress;
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    w.Pocztek1->trigger();
    EXPECT_TRUE(modal);
    EXPECT_TRUE(dialogs.informations.isEmpty());
    ExpectKept(before, w);
}

TEST_F(SerialLinkTest, PortThatCannotBeOpenedIsReported)
{
    TWel_Kor& w = StartOn(Path(QStringLiteral("nie-ma-takiego-portu")), 1);
    w.Pocztek1->trigger();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Nie można otworzyć portu czytnika"))) << dialogs.errors[0].toStdString();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Welkor Lumo 1"));
    EXPECT_EQ(w.mOdebrany->toPlainText(), QString());
}

TEST_F(SerialLinkTest, SettingsNameThePortAndChoosingOneStoresIt)
{
    const QString file = Path(QStringLiteral("ustawienia.ini"));
    ReaderPortSettings none = ReadReaderPortSettings(file, QString());
    EXPECT_TRUE(none.portName.isEmpty());
    EXPECT_EQ(none.baudRate, 9600);
    EXPECT_EQ(none.timeoutMs, 10000);
    {
        QSettings settings(file, QSettings::IniFormat);
        settings.setValue(QStringLiteral("Czytnik/Port"), QStringLiteral("ttyS1"));
        settings.setValue(QStringLiteral("Czytnik/Predkosc"), QStringLiteral("szybko"));
        settings.setValue(QStringLiteral("Czytnik/CzasOczekiwania"), 2.5);
    }
    const ReaderPortSettings fromFile = ReadReaderPortSettings(file, QString());
    EXPECT_EQ(fromFile.portName, QStringLiteral("ttyS1"));
    EXPECT_EQ(fromFile.baudRate, 9600);
    EXPECT_EQ(fromFile.timeoutMs, 2500);
    EXPECT_EQ(ReadReaderPortSettings(file, QStringLiteral("/dev/ttyUSB3")).portName, QStringLiteral("/dev/ttyUSB3"));

    SerialReaderLink chosen(file, QString());
    chosen.choosePort(QStringLiteral("ttyUSB0"));
    EXPECT_EQ(ReadReaderPortSettings(file, QString()).portName, QStringLiteral("ttyUSB0"));
    EXPECT_TRUE(chosen.portNames().contains(QStringLiteral("ttyUSB0")));
}
