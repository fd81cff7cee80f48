// Saving reports through the window: the dialog, the bytes written, what
// is asked before a file is replaced, and a save opened again.
#include "ReportFilesFixture.h"

namespace {

// =====================================================================================
// Saving
// =====================================================================================

TEST_F(ReportSaveTest, NothingLoadedMeansNoData)
{
    TWel_Kor& w = Start();
    w.commands->tbZapiszRaport->click();
    EXPECT_EQ(dialogs.informations, QStringList{QStringLiteral("Brak danych!")});
    EXPECT_TRUE(dialogs.fileDialogsShown.isEmpty());
    ExpectNoErrors();
}

// The save offers the current report's own file, never a name chosen for
// another plate; after "save as" the new file is the report's.
TEST_F(ReportSaveTest, DialogCarriesTitleFilterSuffixAndTheReportsOwnName)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    WriteFile(QStringLiteral("drugi.rap"), SampleReport());
    Open(w, QStringLiteral("pomiar.rap"));
    dialogs.fileDialogsShown.clear();

    Save(w, QStringLiteral("pierwszy.rap"));
    dialogs.fileAnswers.push_back(std::nullopt);
    w.commands->Zapisz1->trigger();
    Open(w, QStringLiteral("drugi.rap"));
    dialogs.fileAnswers.push_back(std::nullopt);
    w.commands->Zapisz1->trigger();
    ASSERT_EQ(dialogs.fileDialogsShown.size(), 4);
    for (const FileDialogState& shown : {dialogs.fileDialogsShown[0], dialogs.fileDialogsShown[1], dialogs.fileDialogsShown[3]}) {
        EXPECT_EQ(shown.title, QStringLiteral("Zapis wyników"));
        EXPECT_EQ(shown.filter, kFilter);
        EXPECT_EQ(shown.defaultSuffix, QStringLiteral("rap"));
    }
    EXPECT_EQ(dialogs.fileDialogsShown[0].fileName, Path(QStringLiteral("pomiar.rap")));
    EXPECT_EQ(dialogs.fileDialogsShown[1].fileName, Path(QStringLiteral("pierwszy.rap")));
    EXPECT_EQ(dialogs.fileDialogsShown[3].fileName, Path(QStringLiteral("drugi.rap")));
    ExpectNoErrors();
}

// Another program rewrote the report after it was opened: the overwrite
// question says so, and "Nie" keeps that program's content.
TEST_F(ReportSaveTest, AFileChangedOnDiskSinceItWasOpenedIsNamedInTheQuestion)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    Open(w, QStringLiteral("pomiar.rap"));
    const QByteArray theirs = SampleReport() + "Dopisane w innym programie\r\n";
    WriteFile(QStringLiteral("pomiar.rap"), theirs);

    Save(w, QStringLiteral("pomiar.rap"), false);
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].contains(QStringLiteral("zmienił się na dysku"))) << dialogs.questions[0].toStdString();
    EXPECT_TRUE(dialogs.questions[0].contains(Path(QStringLiteral("pomiar.rap"))));
    EXPECT_EQ(ReadFile(QStringLiteral("pomiar.rap")), theirs);

    // "Tak" replaces it; the next save of the unchanged file asks the usual question.
    Save(w, QStringLiteral("pomiar.rap"), true);
    EXPECT_NE(ReadFile(QStringLiteral("pomiar.rap")), theirs);
    Save(w, QStringLiteral("pomiar.rap"), true);
    ASSERT_EQ(dialogs.questions.size(), 3);
    EXPECT_TRUE(dialogs.questions[2].startsWith(QStringLiteral("Uwaga!|Już istnieje plik o nazwie:"))) << dialogs.questions[2].toStdString();
    ExpectNoErrors();
}

// A saved report with an analysis, loaded and saved again: the bytes are
// fixed down to the code page 1250 letters, the no-break space in the
// comment, the CR LF line ends and the headings now read back with blanks.
TEST_F(ReportSaveTest, SavedReportSavedAgainGivesExactBytes)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("wzor.rap"), SavedReport());
    Open(w, QStringLiteral("wzor.rap"));
    Save(w, QStringLiteral("kopia.rap"));
    ExpectNoErrors();

    QList<QByteArray> expected = SampleHead();
    expected << kCommentDone << kCommentDilution << "Kon_Kom_Pap" << "" << "Analiza";
    expected << AnalysisLines(true);
    const QByteArray written = ReadFile(QStringLiteral("kopia.rap"));
    EXPECT_FALSE(written.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(Readable(written), Readable(expected));
    EXPECT_TRUE(written.contains("zako\xF1" "czona"));
    EXPECT_TRUE(written.contains(" poni\xBF" "ej\t"));

    // Saving once more changes nothing: the format has settled.
    Open(w, QStringLiteral("kopia.rap"));
    Save(w, QStringLiteral("kopia2.rap"));
    ExpectNoErrors();
    EXPECT_EQ(Readable(ReadFile(QStringLiteral("kopia2.rap"))), Readable(written));
}

TEST_F(ReportSaveTest, MarksTypedIntoTheEditGridGetALeadingBlank)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    Open(w, QStringLiteral("pomiar.rap"));
    w.tsTabela->sgEdycja->setCell(2, 3, QStringLiteral("neg"));
    w.tsTabela->sgEdycja->setCell(3, 3, QStringLiteral(" neg"));
    w.tsTabela->sgEdycja->setCell(4, 3, QString());
    w.tsTabela->sgEdycja->setCell(5, 3, QStringLiteral("poniżej progu"));
    Save(w, QStringLiteral("znaczniki.rap"));
    ExpectNoErrors();

    auto cell = [](int column, int row) -> QByteArray {
        if (row == 3) {
            switch (column) {
            case 2: return " neg";
            case 3: return " neg";
            case 4: return " ";
            case 5: return " poni\xBF" "ej\xA0progu"; // read back whole
            }
        }
        return SampleToken(row - 1, column - 1);
    };
    QList<QByteArray> expected = CrLfLines(SampleReport());
    expected << "Kon_Kom_Pap" << "" << "Analiza";
    expected << AnalysisLines(false, cell);
    EXPECT_EQ(Readable(ReadFile(QStringLiteral("znaczniki.rap"))), Readable(expected));

    // The blanks stay in the edit grid itself.
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 3), QStringLiteral(" neg"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(3, 3), QStringLiteral(" neg"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(4, 3), QStringLiteral(" "));
    // Headings are written as they are.
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 0), QStringLiteral("1"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, 1), QStringLiteral("A"));
}

TEST_F(ReportSaveTest, CancelledDialogWritesNothingButTheBlanksStay)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    Open(w, QStringLiteral("pomiar.rap"));
    w.tsTabela->sgEdycja->setCell(1, 1, QStringLiteral("poz"));
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    dialogs.fileAnswers.push_back(std::nullopt);
    w.commands->Zapisz1->trigger();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 1), QStringLiteral(" poz"));
    EXPECT_TRUE(dialogs.questions.isEmpty());
}

TEST_F(ReportSaveTest, OverwriteQuestionAndBothAnswers)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    Open(w, QStringLiteral("pomiar.rap"));
    const QByteArray old = "stary raport\r\n";
    WriteFile(QStringLiteral("istnieje.rap"), old);
    const QString question = QStringLiteral("Uwaga!|Już istnieje plik o nazwie:\r\n") +
                             Path(QStringLiteral("istnieje.rap")) + QStringLiteral("\r\nCzy mimo to go nadpisać?");

    w.tsTabela->sgEdycja->setCell(6, 6, QStringLiteral("neg"));
    Save(w, QStringLiteral("istnieje.rap"), false);
    EXPECT_EQ(dialogs.questions, QStringList{question});
    EXPECT_EQ(ReadFile(QStringLiteral("istnieje.rap")), old);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(6, 6), QStringLiteral(" neg"));
    EXPECT_EQ(dialogs.fileDialogsShown.size(), 2) << "the dialog must not be shown again after No";

    Save(w, QStringLiteral("istnieje.rap"), true);
    EXPECT_EQ(dialogs.questions, (QStringList{question, question}));
    const QList<QByteArray> lines = CrLfLines(ReadFile(QStringLiteral("istnieje.rap")));
    ASSERT_EQ(lines.size(), 18 + 1 + 3 + 9);
    EXPECT_EQ(Readable(lines.mid(0, 18)), Readable(SampleHead()));
    EXPECT_TRUE(lines[22 + 6].contains("\t neg\t")) << lines[22 + 6].toStdString();
    ExpectNoErrors();
}

TEST_F(ReportSaveTest, NewFileIsWrittenWithoutAQuestion)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    Open(w, QStringLiteral("pomiar.rap"));
    Save(w, QStringLiteral("nowy.rap"));
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_EQ(CrLfLines(ReadFile(QStringLiteral("nowy.rap"))).size(), 31);
    ExpectNoErrors();
}

TEST_F(ReportSaveTest, UnwritableTargetsReportAndKeepWhatExists)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    Open(w, QStringLiteral("pomiar.rap"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("katalog.rap")));
    WriteFile(QStringLiteral("katalog.rap/w_srodku.txt"), "zawartosc");
    const QStringList filesBefore = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

    const struct {
        const char* what;
        QString name;
    } cases[] = {
        {"path in a missing directory", QStringLiteral("brak/raport.rap")},
        // A directory is refused at once: no question about overwriting it.
        {"name of a directory", QStringLiteral("katalog.rap")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.errors.clear();
        dialogs.questions.clear();
        Save(w, c.name, std::nullopt);
        EXPECT_TRUE(dialogs.questions.isEmpty());
        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Cannot create file \"") + Path(c.name)))
            << dialogs.errors[0].toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("brak"))));
    EXPECT_TRUE(QFileInfo(Path(QStringLiteral("katalog.rap"))).isDir());
    EXPECT_EQ(ReadFile(QStringLiteral("katalog.rap/w_srodku.txt")), QByteArray("zawartosc"));
    EXPECT_EQ(QDir(Path(QStringLiteral("katalog.rap"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("w_srodku.txt")});
    // No half-written or temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), filesBefore);
    EXPECT_EQ(ReadFile(QStringLiteral("pomiar.rap")), SampleReport());
}

// A report that already holds an analysis gets exactly one block, the
// current one; comment lines typed before the old block are kept.
TEST_F(ReportSaveTest, OldAnalysisBlockIsReplacedNotRepeated)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("analiza.rap"), SavedReport());
    Open(w, QStringLiteral("analiza.rap"));
    InsertCommentLine(w, 2, QStringLiteral("Wynik sprawdził: J. Nowak"));
    w.tsTabela->sgEdycja->setCell(7, 7, QStringLiteral("poz"));
    Save(w, QStringLiteral("ponownie.rap"));
    ExpectNoErrors();

    const QList<QByteArray> lines = CrLfLines(ReadFile(QStringLiteral("ponownie.rap")));
    EXPECT_EQ(lines.count("Kon_Kom_Pap"), 1);
    EXPECT_EQ(lines.count("Analiza"), 1);
    auto cell = [](int column, int row) { return column == 7 && row == 7 ? QByteArray(" poz") : StoredCell(column, row); };
    QList<QByteArray> expected = SampleHead();
    expected << kCommentDone << kCommentDilution << "Wynik sprawdzi\xB3: J. Nowak"
             << "Kon_Kom_Pap" << "" << "Analiza";
    expected << AnalysisLines(true, cell);
    EXPECT_EQ(Readable(lines), Readable(expected));

    Open(w, QStringLiteral("ponownie.rap"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(7, 7), QStringLiteral(" poz"));
    EXPECT_FALSE(w.report.freshMeasurement());
}

TEST_F(ReportSaveTest, ReportMemoEditsAreNotSavedCommentEditsAre)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    Open(w, QStringLiteral("pomiar.rap"));
    w.tsRaport->mOdebrany->setPlainText(QStringLiteral("przepisany raport\nOPERATOR: ktoś inny"));
    w.tsRaport->mKomentarz->appendPlainText(QStringLiteral("Dopisek: próbka mętna"));
    Save(w, QStringLiteral("memo.rap"));
    ExpectNoErrors();

    QList<QByteArray> expected = CrLfLines(SampleReport());
    expected << "Dopisek: pr\xF3" "bka m\xEAtna" << "Kon_Kom_Pap" << "" << "Analiza";
    expected << AnalysisLines(false, [](int c, int r) { return SampleToken(r - 1, c - 1); });
    EXPECT_EQ(Readable(ReadFile(QStringLiteral("memo.rap"))), Readable(expected));
}

// The comment is written as the memo holds it, minus its first line.
TEST_F(ReportSaveTest, CommentMemoLinesAsWritten)
{
    const struct {
        const char* what;
        QString memo;
        QList<QByteArray> comment;
    } cases[] = {
        {"empty memo", QString(), {}},
        {"heading only", QStringLiteral("Komentarz"), {}},
        {"heading deleted: every line is the user's", QStringLiteral("pierwszy\ndrugi"), {"pierwszy", "drugi"}},
        {"line break typed with Shift+Enter", QStringLiteral("Komentarz\ngóra") + QChar(QChar::LineSeparator) +
                                                   QStringLiteral("dół"),
         {"g\xF3ra", "d\xF3\xB3"}},
        {"no-break space kept", QStringLiteral("Komentarz\n12") + QChar(QChar::Nbsp) + QStringLiteral("345 komórek"),
         {"12\xA0" "345 kom\xF3rek"}},
        {"empty lines kept", QStringLiteral("Komentarz\n\nśrodek\n"), {"", "\x9Crodek", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TWel_Kor& w = Start();
        WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
        Open(w, QStringLiteral("pomiar.rap"));
        w.tsRaport->mKomentarz->setPlainText(c.memo);
        QFile::remove(Path(QStringLiteral("k.rap")));
        Save(w, QStringLiteral("k.rap"));
        ExpectNoErrors();
        const QList<QByteArray> lines = CrLfLines(ReadFile(QStringLiteral("k.rap")));
        ASSERT_EQ(lines.size(), 18 + c.comment.size() + 3 + 9);
        EXPECT_EQ(lines.mid(18, c.comment.size()), c.comment);
        EXPECT_EQ(lines[18 + c.comment.size()], QByteArray("Kon_Kom_Pap"));
    }
}

// =====================================================================================
// Round trip
// =====================================================================================

TEST_F(ReportRoundTripTest, PrzeniesTypeSaveLoadRestoresTheEditGrid)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("analiza.rap"), SavedReport());
    Open(w, QStringLiteral("analiza.rap"));
    ASSERT_EQ(w.tsTabela->sgEdycja->cell(2, 1), QStringLiteral(" poniżej"));

    // "Przenieś" drops the stored analysis for the measured values.
    dialogs.yesNoAnswers = {true};
    w.tbPrzeniesClick();
    EXPECT_TRUE(w.report.freshMeasurement());
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 1), QStringLiteral(" 0,110"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 0), QStringLiteral("1"));

    w.tsTabela->sgEdycja->setCell(1, 2, QStringLiteral("neg"));
    w.tsTabela->sgEdycja->setCell(1, 3, QStringLiteral("neg"));
    w.tsTabela->sgEdycja->setCell(12, 8, QStringLiteral("poz"));
    w.tsTabela->sgEdycja->setCell(6, 4, QString());
    Save(w, QStringLiteral("obieg.rap"));
    ExpectNoErrors();

    // Something else in between, so the grid really comes from the file.
    WriteFile(QStringLiteral("inny.rap"), SampleReport());
    Open(w, QStringLiteral("inny.rap"));
    ASSERT_EQ(w.tsTabela->sgEdycja->cell(1, 2), QStringLiteral(" 0,101"));

    Open(w, QStringLiteral("obieg.rap"));
    ExpectNoErrors();
    EXPECT_FALSE(w.report.freshMeasurement());
    ExpectStoredHeadings(w);
    for (int r = 1; r <= 8; ++r) {
        for (int c = 1; c <= 12; ++c) {
            QString expected = QString::fromLatin1(SampleToken(r - 1, c - 1));
            if (c == 1 && (r == 2 || r == 3))
                expected = QStringLiteral(" neg");
            else if (c == 12 && r == 8)
                expected = QStringLiteral(" poz");
            else if (c == 6 && r == 4)
                expected = QStringLiteral(" ");
            EXPECT_EQ(w.tsTabela->sgEdycja->cell(c, r), expected) << c << "," << r;
        }
    }
    // The comment of the first file came through once, without the old block.
    EXPECT_EQ(w.tsRaport->mKomentarz->toPlainText().count(QStringLiteral("Analiza")), 0);
    EXPECT_TRUE(w.tsRaport->mKomentarz->toPlainText().startsWith(QStringLiteral("Komentarz\nTransmisja zakończona powodzeniem.\n")));
}

} // namespace
