// Getting results out: the export file and the clipboard copies, driven
// the way a user drives them.
#include "OutputFixture.h"

namespace {

// ---- Export ---------------------------------------------------------------------------------

TEST_F(Output, ExportOfTheExampleIsExactWhateverTheFileType)
{
    Start().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(dialogs.informations, QStringList{QStringLiteral("Brak danych!")});
    EXPECT_TRUE(dialogs.fileDialogsShown.isEmpty());

    TWel_Kor& w = StartWithExample();
    // A report saved first: the export offers its name with the export's extension.
    dialogs.fileAnswers.push_back(Path(QStringLiteral("pomiar.rap")));
    dialogs.yesNoAnswers.push_back(true);
    w.commands->tbZapiszRaport->click();
    dialogs.fileDialogsShown.clear();

    Export([&] { w.commands->tbZapisz->click(); }, QStringLiteral("wyniki.xls"), 0);
    Export([&] { w.commands->Zapisz2->trigger(); }, QStringLiteral("wyniki.txt"), 1);
    Export([&] { w.commands->miZapisz->trigger(); }, QStringLiteral("wyniki.doc"), 2);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    const QByteArray expected = "\r\nPomiar\r\n" + Lines(kExampleRows, "\r\n")
        + "\r\nKomentarz\r\nKontrole ujemne: C1-E1, kontrole dodatnie: F1-H1.\r\n"
          "Surowica rozcie\xF1" "czona 1:100, inkubacja 30 min w 37 \xB0" "C.\r\n\r\nAnaliza\r\n"
        + Lines(kExampleRows, "\r\n");
    EXPECT_EQ(Readable(ReadFile(QStringLiteral("wyniki.xls"))), Readable(expected));
    EXPECT_EQ(ReadFile(QStringLiteral("wyniki.txt")), ReadFile(QStringLiteral("wyniki.xls")));
    EXPECT_EQ(ReadFile(QStringLiteral("wyniki.doc")), ReadFile(QStringLiteral("wyniki.xls")));

    ASSERT_EQ(dialogs.fileDialogsShown.size(), 3);
    for (const FileDialogState& shown : dialogs.fileDialogsShown) {
        EXPECT_EQ(shown.title, QStringLiteral("Eksport wyników"));
        EXPECT_EQ(shown.filter, QStringLiteral("Arkusz Excel (*.xls)|*.xls|Plik tekstowy (*.txt)|*txt|Dokument Word "
                                               "(*.doc)|*.doc|Text OpenOffice (*.sxw)|*.sxw|Plik formatowany (*.rtf)|*.rtf|"
                                               "Skoroszyt programu Excel (*.xlsx)|*.xlsx"));
    }
    // Each offers the report's own name in its folder, with the extension of
    // the type chosen last; the report save then offers the report's file.
    EXPECT_EQ(dialogs.fileDialogsShown[0].fileName, Path(QStringLiteral("pomiar.xls")));
    EXPECT_EQ(dialogs.fileDialogsShown[1].fileName, Path(QStringLiteral("pomiar.xls")));
    EXPECT_EQ(dialogs.fileDialogsShown[2].fileName, Path(QStringLiteral("pomiar.txt")));
    EXPECT_EQ(dialogs.fileDialogsShown[2].defaultSuffix, QStringLiteral("txt"));
    dialogs.fileAnswers.push_back(std::nullopt);
    w.commands->Zapisz1->trigger();
    EXPECT_EQ(dialogs.fileDialogsShown.last().fileName, Path(QStringLiteral("pomiar.rap")));

    // "Nie" to the overwrite question keeps the old file.
    dialogs.yesNoAnswers.push_back(false);
    Export([&] { w.commands->Zapisz2->trigger(); }, QStringLiteral("pomiar.rap"), 0);
    EXPECT_EQ(dialogs.questions.last(), QStringLiteral("Uwaga!|Już istnieje plik o nazwie:\r\n%1\r\nCzy mimo to go "
                                                       "nadpisać?").arg(Path(QStringLiteral("pomiar.rap"))));
    EXPECT_TRUE(ReadFile(QStringLiteral("pomiar.rap")).startsWith("Welkor Lumo 1"));
}

TEST_F(Output, ExportAfterAReportWithAnAnalysisHoldsTheCommentThenTheCurrentAnalysis)
{
    // The example's 18 lines, a comment line and an analysis block.
    QFile example(QStringLiteral(WELKOR_EXAMPLES_DIR "/pomiar_przyklad.rap"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    QList<QByteArray> report = example.readAll().split('\n').mid(0, 18);
    for (QByteArray& line : report)
        line.chop(1);
    report << "Odczyt powt\xF3rzony." << "Kon_Kom_Pap" << "" << "Analiza";
    QByteArray heading = "      \t";
    QList<QByteArray> analysis = {" "};
    for (int c = 1; c <= 12; ++c) {
        heading += "     " + QByteArray::number(c) + "\t";
        analysis[0] += "\t " + QByteArray::number(c);
    }
    report << heading;
    for (const char letter : QByteArray("ABCDEFGH")) {
        QByteArray line = QByteArray(" ") + letter + "\t";
        for (int c = 1; c <= 12; ++c)
            line += (c == 1 ? QByteArray(" neg") : QByteArray(" w") + letter + QByteArray::number(c)) + "\t";
        report << line;
        analysis << line.chopped(1);
    }
    WriteFile(QStringLiteral("analiza.rap"), Lines(report, "\r\n"));

    TWel_Kor& w = Start();
    dialogs.fileAnswers.push_back(Path(QStringLiteral("analiza.rap")));
    w.commands->Otwrz1->trigger();
    w.pcZakladki->setCurrentWidget(w.tsTabela.tab());
    QCoreApplication::processEvents();
    // A mark still being typed belongs to the current analysis.
    Press(w.tsTabela->sgEdycja, 5, 2);
    QTest::keyClicks(w.tsTabela->sgEdycja, QStringLiteral("p"));
    QLineEdit* editor = w.tsTabela->sgEdycja->findChild<QLineEdit*>();
    ASSERT_TRUE(editor && editor->isVisible());
    QTest::keyClicks(editor, QStringLiteral("oz"));
    analysis[2].replace(" wB5", "poz");

    Export([&] { w.commands->tbZapisz->click(); }, QStringLiteral("analiza.xls"), 0);
    EXPECT_EQ(Readable(ReadFile(QStringLiteral("analiza.xls"))),
              Readable("\r\nPomiar\r\n" + Lines(kExampleRows, "\r\n")
                       + "\r\nKomentarz\r\nOdczyt powt\xF3rzony.\r\n\r\nAnaliza\r\n" + Lines(analysis, "\r\n")));
}

// ---- Clipboard ------------------------------------------------------------------------------

TEST_F(Output, ClipboardTakesTheGridPressedLastAndExactlyItsSelection)
{
    TWel_Kor& w = StartWithExample();
    Press(w.tsTabela->sgDane, 4, 3);
    w.commands->Zaznaczwszystko1->trigger();
    QList<QByteArray> values;
    for (const QByteArray& row : kExampleRows.mid(1))
        values << row.mid(row.indexOf('\t') + 1);
    EXPECT_EQ(Readable(Clipboard().toLatin1()), Readable(Lines(values, "\r")));
    Press(w.tsTabela->sgEdycja, 4, 3);
    w.commands->Zaznaczwszystko1->trigger();
    EXPECT_EQ(Readable(Clipboard().toLatin1()), Readable(Lines(kExampleRows, "\r")));

    // One click, then the window covered and painted again: still that cell.
    Press(w.tsTabela->sgDane, 5, 3);
    w.grab();
    w.tsTabela->sgDane->viewport()->repaint();
    w.commands->Kopiuj1->trigger();
    EXPECT_EQ(Clipboard(), QStringLiteral(" 0,203\r"));

    // A drag on the edit grid from the lower right to the upper left: the
    // block between; the cell pressed stays the first corner (colour stamping).
    QTest::mousePress(w.tsTabela->sgEdycja->viewport(), Qt::LeftButton, {}, Cell(w.tsTabela->sgEdycja, 4, 5));
    QTest::mouseMove(w.tsTabela->sgEdycja->viewport(), Cell(w.tsTabela->sgEdycja, 3, 4));
    QTest::mouseMove(w.tsTabela->sgEdycja->viewport(), Cell(w.tsTabela->sgEdycja, 2, 3));
    QTest::mouseRelease(w.tsTabela->sgEdycja->viewport(), Qt::LeftButton, {}, Cell(w.tsTabela->sgEdycja, 2, 3));
    w.grab();
    w.commands->Kopiuj1->trigger();
    EXPECT_EQ(Clipboard(), QStringLiteral(" 0,073\t 1,392\t 0,471\r 0,287\t 1,324\t 1,070\r 0,194\t 0,140\t 0,195\r"));
    EXPECT_EQ(QList<int>({w.tsTabela->firstCornerColumn, w.tsTabela->firstCornerRow, w.tsTabela->secondCornerColumn, w.tsTabela->secondCornerRow}),
              QList<int>({4, 5, 2, 3}));
}

} // namespace
