// The fetch sequence of the window over the real serial link, against the
// reader simulator on a pseudo-terminal: a good frame, silence until the
// time-out, a corrupted frame, half a frame, and a wait the user cancels.
#include "../gui/WindowFixture.h"
#include "Simulator.h"

#include "core/reader/Transmission.h"
#include "core/report/ReportFile.h"
#include "gui/analysis/EditGrid.h"
#include "gui/plate/PlateView.h"
#include "gui/reader/ModuleReaderLink.h"
#include "serial/SerialPortReason.h"
#include "serial/SerialReaderLink.h"
#include "gui/widgets/CircleShape.h"
#include "gui/widgets/StringGrid.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <memory>

#include <grp.h>
#include <unistd.h>

using namespace welkor::gui;

namespace {

// The sample report without its comment: the eighteen lines a reader sends.
QByteArray EighteenLines()
{
    QByteArray bytes = SampleReport();
    bytes.truncate(bytes.indexOf("Pomiar kontrolny"));
    return bytes;
}

// The example report a reader would send, and the lines of it the window
// must end up with after a fetch at the test clock's time.
QByteArray ExampleReport()
{
    QFile file(QStringLiteral(WELKOR_EXAMPLES_DIR "/pomiar_przyklad.rap"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

welkor::ReportLines FetchedLines(const QByteArray& sent)
{
    welkor::ReportLines lines = welkor::SplitReportText(sent.toStdString());
    for (std::string& line : lines)
        std::replace(line.begin(), line.end(), '.', ','); // the reader's full stops
    if (lines.back().empty() || lines.back().back() != '\t')
        lines.back() += '\t'; // the end sequence's CR ends the last field
    lines[4] = "DATE: 8.12.2026 TIME: 09:30:15";
    lines[5] = "OPERATOR: Marvant";
    lines.push_back("Transmisja zako\xF1" "czona powodzeniem.");
    return lines;
}

std::size_t FrameSize(const QByteArray& report)
{
    return welkor::FrameTransmission(welkor::SplitReportText(report.toStdString())).size();
}

// Runs `act` once, from the window's own timer, as soon as the reader's
// progress window says `text`: what a user does while the wait goes on.
void OnceProgressSays(TWel_Kor& w, const QString& text, std::function<void(QProgressDialog&)> act)
{
    w.timer->Timer1->setInterval(10);
    auto done = std::make_shared<bool>(false);
    QObject::connect(w.timer->Timer1, &QTimer::timeout, &w, [&w, text, act, done] {
        auto* progress = w.findChild<QProgressDialog*>();
        if (*done || !progress || !progress->isVisible() || !progress->labelText().contains(text))
            return;
        *done = true;
        act(*progress);
    });
}

void Cancel(QProgressDialog& progress) { QTest::mouseClick(progress.findChild<QPushButton*>(), Qt::LeftButton); }

class SerialLinkTest : public WindowTest {
protected:
    std::unique_ptr<Simulator> simulator;
    std::unique_ptr<SerialReaderLink> link;

    // A window whose reader is the simulator, waiting `seconds` for answers.
    TWel_Kor& StartWithReader(const QString& answers, double seconds, const QByteArray& report = EighteenLines(),
                              int paceMs = 20)
    {
        StartSimulator(answers, report, paceMs);
        return StartOn(simulator->device(), seconds);
    }

    void StartSimulator(const QString& answers, const QByteArray& report = EighteenLines(), int paceMs = 20)
    {
        WriteFile(QStringLiteral("czytnik.rap"), report);
        simulator = std::make_unique<Simulator>(Path(QStringLiteral("czytnik.rap")), answers, paceMs);
        EXPECT_TRUE(simulator->device().startsWith(QStringLiteral("/dev/"))) << simulator->device().toStdString();
    }

    void WriteSettings(const QString& port, double seconds)
    {
        QSettings settings(Path(QStringLiteral("welkor.ini")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Czytnik/Port"), port);
        settings.setValue(QStringLiteral("Czytnik/CzasOczekiwania"), seconds);
        settings.sync();
    }

    TWel_Kor& StartOn(const QString& port, double seconds)
    {
        WriteSettings(port, seconds);
        link = std::make_unique<SerialReaderLink>(Path(QStringLiteral("welkor.ini")), QString());
        reader = link.get();
        return Start();
    }

    // A report of the user's, opened before the fetch.
    void OpenUsersReport(TWel_Kor& w)
    {
        WriteFile(QStringLiteral("moj.rap"), SampleReport(" 1,5"));
        w.files->LoadReport(Path(QStringLiteral("moj.rap")));
        w.tsRaport->mKomentarz->appendPlainText(QStringLiteral("uwagi"));
    }
};

struct Kept {
    welkor::ReportLines lines;
    QString report, comment, caption;
    welkor::GridTexts grid;
};

Kept KeptOf(const TWel_Kor& w)
{
    return {w.report.lines(), w.tsRaport->mOdebrany->toPlainText(), w.tsRaport->mKomentarz->toPlainText(), w.windowTitle(), w.tsTabela->sgEdycja->texts()};
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
    w.commands->udNumer->setValue(10);
    QTest::mouseClick(w.commands->tbPobierz, Qt::LeftButton);
    ASSERT_TRUE(dialogs.informations.isEmpty()) << dialogs.informations.join(u'|').toStdString();
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(u'|').toStdString();
    EXPECT_EQ(w.reader->outgoingCommand, "020A03");
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Welkor Lumo 1 - Koniec pobieranie danych"));

    // The grid and the plate show the reader's values: the highest one (H12)
    // in the legend's colour for the maximum.
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 12; ++c)
            ASSERT_EQ(w.tsTabela->sgDane->cell(c + 1, r + 1), QStringLiteral(" 0,%1").arg(100 + c * 10 + r));
    EXPECT_EQ(w.tsMikroplytka->plateView->well(7, 11).fill, w.tsMikroplytka->sMaksymalna->fill());
    EXPECT_NE(w.tsMikroplytka->plateView->well(7, 11).fill, w.tsMikroplytka->plateView->well(0, 0).fill);

    // Saved at once: the reader's lines, this fetch's date and operator, the
    // success line as the comment, and the analysis block of a first save.
    dialogs.fileAnswers.push_back(Path(QStringLiteral("odebrany.rap")));
    w.commands->Zapisz1->trigger();
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
    EXPECT_FALSE(w.files->ReportHasUnsavedChanges());
}

// The program's own link: Qt's serial ports come with the serial module at
// the first step that needs a port. The window shows the reader's entries
// from the settings alone; without the module a fetch says so and changes
// nothing, and the module put in place later is taken at the next fetch.
TEST_F(SerialLinkTest, TheSerialModuleIsLoadedAtTheFirstFetchAndAMissingOneIsSaid)
{
    StartSimulator(QStringLiteral("good"));
    WriteSettings(simulator->device(), 20);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("moduly")));
    const QString module = Path(QStringLiteral("moduly/welkor-lumo-serial.so"));
    ModuleReaderLink programLink(module, Path(QStringLiteral("welkor.ini")), QString());
    reader = &programLink;
    TWel_Kor& w = Start();
    EXPECT_TRUE(w.commands->Pobierz1->isVisible());
    EXPECT_EQ(programLink.portSettings().portName, simulator->device());
    EXPECT_FALSE(programLink.loaded());

    w.commands->Pobierz1->trigger();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(
        QStringLiteral("Nie można wczytać obsługi portów szeregowych z pliku „%1”:").arg(module)))
        << dialogs.errors[0].toStdString();
    EXPECT_FALSE(w.report.hasData());

    ASSERT_TRUE(QFile::copy(QStringLiteral(WELKOR_SERIAL_MODULE), module));
    w.commands->Pobierz1->trigger();
    EXPECT_EQ(dialogs.errors.size(), 1) << dialogs.errors.join(u'|').toStdString();
    EXPECT_TRUE(programLink.loaded());
    EXPECT_TRUE(w.report.hasData());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Welkor Lumo 1 - Koniec pobieranie danych"));
}

TEST_F(SerialLinkTest, SilenceUntilTheTimeOutKeepsTheUsersReport)
{
    TWel_Kor& w = StartWithReader(QStringLiteral("silent"), 0.3);
    OpenUsersReport(w);
    const Kept before = KeptOf(w);
    dialogs.saveChoiceAnswers.push_back(SaveChoice::Discard);
    w.commands->Pobierz1->trigger();
    EXPECT_EQ(dialogs.informations,
              QStringList{QStringLiteral("Brak sygnału!\nCzytnik nie odpowiedział w ciągu 0,3 s (port %1).")
                              .arg(simulator->device())});
    ExpectKept(before, w);
    EXPECT_TRUE(w.report.hasData());
}

TEST_F(SerialLinkTest, CorruptedHalfOrTailAnswerIsRefusedSayingWhyAndTheNextGoodOneTaken)
{
    TWel_Kor& w = StartWithReader(QStringLiteral("corrupt,half,tail,good"), 0.5, ExampleReport());
    OpenUsersReport(w);
    const Kept before = KeptOf(w);
    for (int i = 0; i < 3; ++i) {
        dialogs.saveChoiceAnswers.push_back(SaveChoice::Discard);
        w.commands->Pobierz1->trigger();
    }
    const QString refused = QStringLiteral("Nieprawidłowa transmisja.\n");
    const QStringList expected = {
        refused + QStringLiteral("Odebrane dane nie są raportem z pomiaru: transmisja nie zaczyna się od spacji (pierwszy bajt 0x58)."),
        refused + QStringLiteral("Odpowiedź niepełna: urywa się po %1 bajtach (brak sekwencji końca transmisji).\n"
                                 "Czytnik przestał nadawać: przez 0,5 s nie nadszedł żaden bajt.")
                      .arg(FrameSize(ExampleReport()) / 2),
        // The rest of a frame whose first line was lost: every plate column
        // would have moved one line up.
        refused + QStringLiteral("Odebrane dane nie są raportem z pomiaru: wiersze 7-18 zawierają 88 wartości, a płytka ma 96 dołków."),
    };
    EXPECT_EQ(dialogs.informations, expected);
    ExpectKept(before, w);

    // After a cut-off frame the link still takes the next whole one.
    dialogs.saveChoiceAnswers.push_back(SaveChoice::Discard);
    w.commands->Pobierz1->trigger();
    EXPECT_EQ(dialogs.informations.size(), 3);
    EXPECT_EQ(w.report.lines(), FetchedLines(ExampleReport()));
}

// The user stops waiting while the reader is still sending, and fetches
// again: the rest of the first answer must not pass for the second.
TEST_F(SerialLinkTest, CancelledFetchLeavesNoTailForTheNextOne)
{
    TWel_Kor& w = StartWithReader(QStringLiteral("slow,good"), 5, ExampleReport(), 10);
    OnceProgressSays(w, QStringLiteral("Odbieranie danych"), Cancel);
    w.commands->Pobierz1->trigger();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Welkor Lumo 1"));
    EXPECT_FALSE(w.report.hasData());

    w.commands->Pobierz1->trigger();
    EXPECT_TRUE(dialogs.informations.isEmpty()) << dialogs.informations.join(u'|').toStdString();
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(u'|').toStdString();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Welkor Lumo 1 - Koniec pobieranie danych"));
    EXPECT_EQ(w.report.lines(), FetchedLines(ExampleReport()));
    EXPECT_EQ(w.tsTabela->sgDane->cell(1, 1), QStringLiteral(" blank"));
    EXPECT_EQ(w.tsTabela->sgDane->cell(12, 1), QStringLiteral(" 1,017"));
}

// A reader that takes longer than the waiting time but never pauses that
// long is heard out.
TEST_F(SerialLinkTest, SlowReaderIsHeardOutPastTheWaitingTime)
{
    TWel_Kor& w = StartWithReader(QStringLiteral("slow"), 0.8, EighteenLines(), 25);
    w.commands->Pobierz1->trigger(); // some 115 pieces, 25 ms apart: about 3 s
    EXPECT_TRUE(dialogs.informations.isEmpty()) << dialogs.informations.join(u'|').toStdString();
    EXPECT_EQ(w.report.lines(), FetchedLines(EighteenLines()));
}

TEST_F(SerialLinkTest, UserCancelsTheWaitWhileTheWindowClockTicks)
{
    TWel_Kor& w = StartWithReader(QStringLiteral("silent"), 600);
    OpenUsersReport(w);
    const Kept before = KeptOf(w);

    // The window's own timer cancels: it only can if the wait lets it tick.
    bool modal = false;
    OnceProgressSays(w, QStringLiteral("Oczekiwanie na odpowiedź"), [&](QProgressDialog& progress) {
        modal = QApplication::activeModalWidget() == &progress;
        Cancel(progress);
    });
    dialogs.saveChoiceAnswers.push_back(SaveChoice::Discard);
    w.commands->Pocztek1->trigger();
    EXPECT_TRUE(modal);
    EXPECT_TRUE(dialogs.informations.isEmpty());
    ExpectKept(before, w);
}

// The reader unplugged while the program keeps its port open: the port is
// closed at once (a hung-up line left open wakes the program thousands of
// times a second), and the next fetch says what happened.
TEST_F(SerialLinkTest, UnpluggedReaderIsClosedAtOnceAndTheNextFetchSaysSo)
{
    TWel_Kor& w = StartWithReader(QStringLiteral("good"), 1);
    w.commands->Pobierz1->trigger();
    ASSERT_TRUE(w.report.hasData());
    ASSERT_TRUE(link->portOpen());
    const Kept before = KeptOf(w);

    simulator->kill();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !link->portOpen(); }, 5000));
    dialogs.saveChoiceAnswers.push_back(SaveChoice::Discard);
    w.commands->Pobierz1->trigger();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(
        QStringLiteral("Nie można otworzyć portu czytnika „%1”.\n").arg(simulator->device())))
        << dialogs.errors[0].toStdString();
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("odłączony"))) << dialogs.errors[0].toStdString();
    ExpectKept(before, w);
}

TEST_F(SerialLinkTest, ReaderUnpluggedWhileSendingIsReported)
{
    TWel_Kor& w = StartWithReader(QStringLiteral("slow"), 5, EighteenLines(), 20);
    OnceProgressSays(w, QStringLiteral("Odbieranie danych"), [this](QProgressDialog&) { simulator->kill(); });
    w.commands->Pobierz1->trigger();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(
        QStringLiteral("Połączenie z czytnikiem zostało przerwane (port „%1”).\n").arg(simulator->device())))
        << dialogs.errors[0].toStdString();
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("odłączony"))) << dialogs.errors[0].toStdString();
    EXPECT_FALSE(link->portOpen());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Welkor Lumo 1"));
    EXPECT_FALSE(w.report.hasData());
}

TEST_F(SerialLinkTest, PortThatCannotBeOpenedIsReported)
{
    TWel_Kor& w = StartOn(Path(QStringLiteral("nie-ma-takiego-portu")), 1);
    w.commands->Pocztek1->trigger();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Nie można otworzyć portu czytnika"))) << dialogs.errors[0].toStdString();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Welkor Lumo 1"));
    EXPECT_EQ(w.tsRaport->mOdebrany->toPlainText(), QString());
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

// A port the user may not open: the message names the group that may, and
// joining that group is indeed what lets the same user fetch.
TEST_F(SerialLinkTest, PortTheUserMayNotOpenNamesTheGroupThatMay)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to hand the port to a group and run the window as another user";
    const group* dialout = getgrnam("dialout");
    if (!dialout)
        GTEST_SKIP() << "no group dialout on this machine";
    WriteFile(QStringLiteral("czytnik.rap"), EighteenLines());
    simulator = std::make_unique<Simulator>(Path(QStringLiteral("czytnik.rap")), QStringLiteral("good"));
    const QString device = simulator->device();
    // As a serial port is set up: root owns it, the group may read and write.
    ASSERT_EQ(chown(device.toLocal8Bit().constData(), 0, dialout->gr_gid), 0);
    ASSERT_EQ(chmod(device.toLocal8Bit().constData(), 0660), 0);

    const auto fetchAsNobody = [&](const QString& groups) {
        QProcess child;
        child.setProgram(QStringLiteral("setpriv"));
        child.setArguments({QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"), groups,
                            QStringLiteral("--"), QStringLiteral(WELKOR_FETCH_CHILD), device});
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("HOME"), QStringLiteral("/tmp"));
        child.setProcessEnvironment(environment);
        child.start();
        EXPECT_TRUE(child.waitForFinished(60000));
        EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
        return QString::fromUtf8(child.readAllStandardOutput());
    };
    const QString refused = fetchAsNobody(QStringLiteral("--clear-groups"));
    EXPECT_EQ(refused,
              QStringLiteral("komunikat: Nie można otworzyć portu czytnika „%1”. | Brak uprawnień do otwarcia portu. "
                             "Użytkownik „nobody” musi należeć do grupy „dialout”, do której należy urządzenie %1 "
                             "(polecenie: sudo usermod -a -G dialout nobody; zmiana działa po ponownym zalogowaniu).\n"
                             "tytul: Welkor Lumo 1\n")
                  .arg(device));
    EXPECT_EQ(fetchAsNobody(QStringLiteral("--groups=dialout")),
              QStringLiteral("tytul: Welkor Lumo 1 - Koniec pobieranie danych\n"));
}

// What Qt says in English, as the user reads it.
TEST(SerialPortReason, SystemReasonsAreSaidInPolish)
{
    const struct {
        QSerialPort::SerialPortError error;
        QString text;
        QString expected;
    } cases[] = {
        {QSerialPort::PermissionError, QStringLiteral("Permission error while locking the device"),
         QStringLiteral("Port jest zablokowany: używa go inny program (albo drugie okno tego programu).")},
        {QSerialPort::ResourceError, qt_error_string(EAGAIN),
         QStringLiteral("Urządzenie jest chwilowo niedostępne: czytnik nie odpowiada albo został odłączony.")},
        {QSerialPort::DeviceNotFoundError, qt_error_string(ENOENT),
         QStringLiteral("Nie ma takiego urządzenia: czytnik jest odłączony albo nazwa portu jest błędna.")},
        {QSerialPort::PermissionError, qt_error_string(EBUSY),
         QStringLiteral("Port jest zajęty: używa go inny program (albo drugie okno tego programu).")},
        {QSerialPort::UnsupportedOperationError, qt_error_string(ENOTTY),
         QStringLiteral("To urządzenie nie jest portem szeregowym albo nie przyjmuje tych ustawień.")},
        {QSerialPort::UnknownError, QStringLiteral("Strange things"),
         QStringLiteral("Nieznany błąd portu (komunikat systemu: Strange things).")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SerialPortReason(c.error, c.text, QStringLiteral("/dev/ttyUSB7")), c.expected) << c.text.toStdString();
}
