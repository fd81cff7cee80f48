#include "WindowFixture.h"

#include "qtbase/OperatorIni.h"
#include "gui/dialogs/TOperator_1.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace welkor::gui;

namespace {

// Types text as key presses, letters outside Latin-1 included.
void Type(QWidget* widget, const QString& text)
{
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// The operator dialog as the user meets it: the name field is selected, so
// typing replaces the stored name.
std::function<void(QDialog&)> Enter(const QString& name, std::function<void(TOperator_1&)> finish)
{
    return [name, finish](QDialog& dialog) {
        auto& d = dynamic_cast<TOperator_1&>(dialog);
        d.eOperator->setFocus();
        d.eOperator->selectAll();
        Type(d.eOperator, name);
        finish(d);
    };
}

} // namespace

TEST_F(WindowTest, ConfirmedOperatorIsWrittenShownAndReadAtTheNextStart)
{
    TWel_Kor& w = Start();
    QString offered;
    dialogs.modalScripts.push_back(Enter(QStringLiteral("Ewa Zając"), [&](TOperator_1& d) {
        offered = d.windowTitle() + QLatin1Char('|') + d.Button1->text() + QLatin1Char('|') + d.Button2->text();
        QTest::mouseClick(d.Button1, Qt::LeftButton);
    }));
    w.commands->Operator1->trigger();

    EXPECT_EQ(offered, QStringLiteral("Operator|Zatwierdź|Odrzuć"));
    EXPECT_EQ(ReadFile(QStringLiteral("Operator.ini")).toHex(),
              QByteArray("4f70657261746f723a0d0a457761205a616ab9630d0a"));
    EXPECT_EQ(w.sbPanels[4]->text(), QStringLiteral("Operator: Ewa Zając"));
    EXPECT_EQ(w.shell->operatorName, QStringLiteral("Ewa Zając"));

    TWel_Kor& again = Start();
    EXPECT_EQ(again.sbPanels[4]->text(), QStringLiteral("Operator: Ewa Zając"));
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(WindowTest, OdrzucEscapeAndTheCloseBoxChangeNothing)
{
    WriteFile(QStringLiteral("Operator.ini"), "Operator:\r\nAnna\r\n");
    TWel_Kor& w = Start();
    const std::function<void(TOperator_1&)> ways[] = {
        [](TOperator_1& d) { QTest::mouseClick(d.Button2, Qt::LeftButton); },
        [](TOperator_1& d) { QTest::keyClick(d.eOperator, Qt::Key_Escape); },
        [](TOperator_1& d) { d.close(); },
    };
    for (const auto& leave : ways) {
        QString shown;
        dialogs.modalScripts.push_back([&](QDialog& dialog) {
            shown = dynamic_cast<TOperator_1&>(dialog).eOperator->text();
            Enter(QStringLiteral("Zenon"), leave)(dialog);
        });
        w.commands->Operator1->trigger();
        EXPECT_EQ(shown, QStringLiteral("Anna")); // each opening reads the file
        EXPECT_EQ(ReadFile(QStringLiteral("Operator.ini")), QByteArray("Operator:\r\nAnna\r\n"));
        EXPECT_EQ(w.sbPanels[4]->text(), QStringLiteral("Operator: Anna"));
    }
}

TEST_F(WindowTest, EnterConfirmsAndTheNameKeepsOnlyWhatTheFileCanHold)
{
    TWel_Kor& w = Start();
    QString typedNote, pastedNote;
    dialogs.modalScripts.push_back([&](QDialog& dialog) {
        auto& d = dynamic_cast<TOperator_1&>(dialog);
        d.eOperator->setFocus();
        d.eOperator->selectAll();
        Type(d.eOperator, QStringLiteral("Ñ")); // not kept, and the dialog says so
        typedNote = d.lPominiete->isVisible() ? d.lPominiete->text() : QString();
        d.eOperator->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("Jan\tя😀 Nowak\r\n"));
        QTest::keyClick(d.eOperator, Qt::Key_V, Qt::ControlModifier);
        pastedNote = d.lPominiete->text();
        QTest::keyClick(d.eOperator, Qt::Key_Return);
    });
    w.commands->Operator1->trigger();
    EXPECT_EQ(typedNote, QStringLiteral("Pominięto znaki nie do zapisania: Ñ"));
    EXPECT_EQ(pastedNote, QStringLiteral("Pominięto znaki nie do zapisania: U+0009 я 😀 U+000D U+000A"));
    EXPECT_EQ(ReadFile(QStringLiteral("Operator.ini")), QByteArray("Operator:\r\nJan Nowak\r\n"));
    EXPECT_EQ(w.sbPanels[4]->text(), QStringLiteral("Operator: Jan Nowak"));
}

TEST_F(WindowTest, OperatorThatCannotBeWrittenIsReportedAndKeptForTheRun)
{
    // A folder where the file should be: reading fails at start, writing on
    // confirming fails too.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Operator.ini")));
    TWel_Kor& w = Start();
    ASSERT_EQ(dialogs.errors.size(), 1);
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    dialogs.modalScripts.push_back(
        Enter(QStringLiteral("Ewa"), [](TOperator_1& d) { QTest::mouseClick(d.Button1, Qt::LeftButton); }));
    w.commands->Operator1->trigger();

    // Reported at start, at the dialog's opening and on writing.
    ASSERT_EQ(dialogs.errors.size(), 3) << dialogs.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(dialogs.errors[2].startsWith(QStringLiteral("Cannot create file \"")
                                             + Path(QStringLiteral("Operator.ini"))))
        << dialogs.errors[2].toStdString();
    EXPECT_EQ(w.sbPanels[4]->text(), QStringLiteral("Operator: Ewa"));
    EXPECT_TRUE(QFileInfo(Path(QStringLiteral("Operator.ini"))).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
}

TEST_F(WindowTest, UsersOwnOperatorIniComesFirstAndIsTheOneWritten)
{
    WriteFile(QStringLiteral("Operator.ini"), "Operator:\r\nJan\r\n");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("config")));
    WriteFile(QStringLiteral("config/Operator.ini"), "Operator:\r\n<h1>Ula</h1>\r\n");
    TWel_Kor& w = Start();
    EXPECT_EQ(w.sbPanels[4]->text(), QStringLiteral("Operator: <h1>Ula</h1>"));
    EXPECT_EQ(w.sbPanels[4]->textFormat(), Qt::PlainText); // a name is never read as markup

    dialogs.modalScripts.push_back(
        Enter(QStringLiteral("Ewa"), [](TOperator_1& d) { QTest::mouseClick(d.Button1, Qt::LeftButton); }));
    w.commands->Operator1->trigger();
    EXPECT_EQ(ReadFile(QStringLiteral("config/Operator.ini")), QByteArray("Operator:\r\nEwa\r\n"));
    EXPECT_EQ(ReadFile(QStringLiteral("Operator.ini")), QByteArray("Operator:\r\nJan\r\n"));
}

TEST(OperatorIni, AProgramFolderThatTakesNoFilesSendsTheFileToTheUsersFolder)
{
    QTemporaryDir dir;
    const OperatorIniPlaces installed{dir.filePath(QStringLiteral("cfg/welkor-lumo")),
                                      dir.filePath(QStringLiteral("no-such-folder"))};
    EXPECT_EQ(OperatorIniTarget(installed), installed.userFile());
    WriteOperatorIni(installed, QStringLiteral("Ewa"));
    EXPECT_EQ(ReadOperatorIni(installed), QStringLiteral("Ewa"));
    const OperatorIniPlaces portable{dir.filePath(QStringLiteral("other-cfg")), dir.path()};
    EXPECT_EQ(OperatorIniTarget(portable), portable.programFile());
    EXPECT_EQ(ReadOperatorIni(portable), QStringLiteral("Marvant"));
}
