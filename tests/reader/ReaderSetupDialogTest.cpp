// The reader's set-up dialog driven with keys and clicks against the
// simulator on a pseudo-terminal, and over a link that lists ports.
#include "../gui/WindowFixture.h"
#include "Simulator.h"

#include "core/reader/ReaderCommands.h"
#include "core/reader/Transmission.h"
#include "gui/reader/ReaderSetupDialog.h"
#include "serial/SerialReaderLink.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <grp.h>
#include <unistd.h>

namespace {

const QString kExample = QStringLiteral(WELKOR_EXAMPLES_DIR "/pomiar_przyklad.rap");

class ReaderSetupDialogTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString ini = dir.filePath(QStringLiteral("welkor.ini"));

    // Replaces what the seconds field holds by `text`, as typed.
    static void TypeSeconds(ReaderSetupDialog& dialog, const QString& text)
    {
        QTest::keyClick(dialog.seCzas, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(dialog.seCzas, text);
    }
};

// The machine's ports as a system with a USB adapter lists them.
class ListedPorts : public ReaderLink {
public:
    QList<ReaderPortSettings> stored;
    bool configured() const override { return true; }
    ReaderAnswer exchange(const std::string&, QWidget*) override { return {}; }
    QList<ReaderPortInfo> ports() const override
    {
        return {{QStringLiteral("ttyS0"), QStringLiteral("/dev/ttyS0"), {}, {}, {}},
                {QStringLiteral("ttyUSB0"), QStringLiteral("/dev/ttyUSB0"), QStringLiteral("USB-Serial Controller"),
                 QStringLiteral("Prolific Technology Inc."), QStringLiteral("A1B2C3")}};
    }
    ReaderPortSettings portSettings() const override { return {QStringLiteral("/dev/ttyS0"), 250000, 350}; }
    QString environmentPort() const override { return QStringLiteral("/dev/ttyACM0"); }
    QString refusal; // why storing fails; empty: it works
    QString storeSettings(const ReaderPortSettings& settings) override
    {
        if (refusal.isEmpty())
            stored.push_back(settings);
        return refusal;
    }
};

} // namespace

TEST_F(ReaderSetupDialogTest, TypedPseudoTerminalAnswersIsStoredAndASilentOneIsNoAnswer)
{
    Simulator simulator(kExample, QStringLiteral("good"));
    const QString device = simulator.device();
    SerialReaderLink link(ini, QString());
    {
        ReaderSetupDialog dialog(link, nullptr);
        dialog.show();
        QTest::keyClicks(dialog.ePort, device); // a pseudo-terminal is in no list of serial ports
        QTest::keyClick(dialog.cmbPredkosc, Qt::Key_Down);
        TypeSeconds(dialog, QStringLiteral("2,5"));
        QTest::mouseClick(dialog.bSprawdz, Qt::LeftButton);
        EXPECT_EQ(dialog.lWynik->text(), QStringLiteral("Port „%1”: czytnik odpowiada (1 B: 06).").arg(device));
        QTest::mouseClick(dialog.bZapisz, Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    const ReaderPortSettings chosen{device, 19200, 2500};
    EXPECT_TRUE(link.portSettings() == chosen && ReadReaderPortSettings(ini, QString()) == chosen);

    // The next start takes the plate through the stored port, and its dialog
    // shows the stored choice and tries the port the link holds open.
    SerialReaderLink next(ini, QString());
    EXPECT_TRUE(welkor::EndsWithEndSequence(next.exchange(welkor::CompoundCommand(1), nullptr).bytes));
    ASSERT_TRUE(next.portOpen());
    ReaderSetupDialog again(next, nullptr);
    again.show();
    EXPECT_EQ(again.ePort->text(), device);
    EXPECT_EQ(again.cmbPredkosc->currentText(), QStringLiteral("19200"));
    EXPECT_EQ(again.seCzas->text(), QStringLiteral("2,5 s"));
    QTest::mouseClick(again.bSprawdz, Qt::LeftButton);
    EXPECT_EQ(again.lWynik->text(), QStringLiteral("Port „%1”: czytnik odpowiada (1 B: 06).").arg(device));
    // The check tries the port shown, not the one the link holds open.
    EXPECT_TRUE(welkor::EndsWithEndSequence(next.exchange(welkor::CompoundCommand(1), nullptr).bytes));
    ASSERT_TRUE(next.portOpen());
    Simulator silent(kExample, QStringLiteral("silent"));
    QTest::keyClick(again.ePort, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(again.ePort, silent.device());
    TypeSeconds(again, QStringLiteral("0,3"));
    QTest::mouseClick(again.bSprawdz, Qt::LeftButton);
    EXPECT_EQ(again.lWynik->text(),
              QStringLiteral("Port „%1”: brak odpowiedzi w ciągu 0,3 s. Sprawdź, czy czytnik jest włączony i podłączony "
                             "do tego portu i czy ma tę samą prędkość (19200 bodów).")
                  .arg(silent.device()));
    // Escape stores nothing: the link keeps its port and takes the next plate.
    QTest::keyClick(&again, Qt::Key_Escape);
    EXPECT_EQ(again.result(), QDialog::Rejected);
    EXPECT_TRUE(next.portSettings() == chosen && ReadReaderPortSettings(ini, QString()) == chosen);
    EXPECT_TRUE(welkor::EndsWithEndSequence(next.exchange(welkor::CompoundCommand(1), nullptr).bytes));
}

TEST_F(ReaderSetupDialogTest, ListedPortIsPickedByClickAndTheRestStaysAsStored)
{
    ListedPorts link;
    ReaderSetupDialog dialog(link, nullptr);
    dialog.show();
    ASSERT_EQ(dialog.lvPorty->topLevelItemCount(), 2);
    QTreeWidgetItem* usb = dialog.lvPorty->topLevelItem(1);
    EXPECT_EQ(QStringList({usb->text(0), usb->text(1), usb->text(2), usb->text(3)}),
              QStringList({QStringLiteral("ttyUSB0"), QStringLiteral("USB-Serial Controller"),
                           QStringLiteral("Prolific Technology Inc."), QStringLiteral("A1B2C3")}));
    // The stored device path is the listed ttyS0, and stays as written.
    EXPECT_EQ(dialog.lvPorty->currentItem(), dialog.lvPorty->topLevelItem(0));
    EXPECT_EQ(dialog.ePort->text(), QStringLiteral("/dev/ttyS0"));
    EXPECT_TRUE(dialog.lZmienna->isVisible());
    EXPECT_TRUE(dialog.lZmienna->text().contains(QStringLiteral("WELKOR_CZYTNIK („/dev/ttyACM0”)")));

    QTest::mouseClick(dialog.lvPorty->viewport(), Qt::LeftButton, {}, dialog.lvPorty->visualItemRect(usb).center());
    EXPECT_EQ(dialog.ePort->text(), QStringLiteral("ttyUSB0"));
    // Storing fails once: the dialog stays as it was and says why.
    link.refusal = QStringLiteral("Nie można zapisać ustawień czytnika.");
    QTest::keyClick(dialog.ePort, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.lWynik->text(), link.refusal);
    link.refusal.clear();
    QTest::keyClick(dialog.ePort, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // A speed outside the usual ones and a waiting time in milliseconds are
    // stored as they were.
    EXPECT_TRUE(link.stored == QList<ReaderPortSettings>({{QStringLiteral("ttyUSB0"), 250000, 350}}));
}

// The check names the group that may open the port, and joining it is what
// makes the reader answer.
TEST_F(ReaderSetupDialogTest, PortTheUserMayNotOpenNamesTheGroupToJoin)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to hand the port to a group and run the dialog as another user";
    const group* dialout = getgrnam("dialout");
    if (!dialout)
        GTEST_SKIP() << "no group dialout on this machine";
    Simulator simulator(kExample, QStringLiteral("good"));
    const QString device = simulator.device();
    ASSERT_EQ(chown(device.toLocal8Bit().constData(), 0, dialout->gr_gid), 0);
    ASSERT_EQ(chmod(device.toLocal8Bit().constData(), 0660), 0);

    const auto checkAsNobody = [&](const QString& groups) {
        QProcess child; // on the offscreen platform, as this test
        child.start(QStringLiteral("setpriv"), {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"), groups,
                                                QStringLiteral("--"), QStringLiteral(WELKOR_READER_SETUP_CHILD), device});
        EXPECT_TRUE(child.waitForFinished(60000));
        EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
        return QString::fromUtf8(child.readAllStandardOutput());
    };
    const QString refused = checkAsNobody(QStringLiteral("--clear-groups"));
    EXPECT_TRUE(refused.startsWith(QStringLiteral("Nie można otworzyć portu czytnika „%1”. | ").arg(device))
                && refused.contains(QStringLiteral("„nobody” musi należeć do grupy „dialout”"))) << refused.toStdString();
    EXPECT_EQ(checkAsNobody(QStringLiteral("--groups=dialout")),
              QStringLiteral("Port „%1”: czytnik odpowiada (1 B: 06).\n").arg(device));
}

// Narzędzia → "Czytnik…" in a window started without a reader: the port
// typed and stored there brings the reader's entries, and "Pobierz" takes the
// plate through it.
TEST_F(WindowTest, CzytnikSetsUpTheReaderAndItsEntriesAppear)
{
    Simulator simulator(kExample, QStringLiteral("good"));
    SerialReaderLink link(Path(QStringLiteral("welkor.ini")), QString());
    reader = &link;
    TWel_Kor& w = Start();
    ASSERT_FALSE(w.commands->Pobierz1->isVisible());
    ASSERT_FALSE(w.commands->Narzdzia1->menuAction()->isVisible());

    // Escape changes nothing.
    dialogs.modalScripts.push_back([](QDialog& shown) { QTest::keyClick(&shown, Qt::Key_Escape); });
    w.commands->Czytnik1->trigger();
    EXPECT_FALSE(w.commands->Pobierz1->isVisible());

    dialogs.modalScripts.push_back([&](QDialog& shown) {
        auto& dialog = dynamic_cast<ReaderSetupDialog&>(shown);
        QTest::keyClicks(dialog.ePort, simulator.device());
        QTest::mouseClick(dialog.bZapisz, Qt::LeftButton);
    });
    w.commands->Czytnik1->trigger();
    EXPECT_EQ(dialogs.modalsShown.size(), 2);
    EXPECT_TRUE(w.commands->Pobierz1->isVisible());
    EXPECT_TRUE(w.commands->Narzdzia1->menuAction()->isVisible());
    EXPECT_TRUE(w.commands->Port1->menuAction()->isVisible());

    w.commands->Pobierz1->trigger();
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    ASSERT_TRUE(w.report.hasData());
    QFile example(kExample);
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    const welkor::OpenedReport sent = welkor::ReportDocument::Open(example.readAll().toStdString());
    ASSERT_TRUE(sent.ok());
    EXPECT_EQ(w.report.values().cells, sent.document->values().cells);
}
