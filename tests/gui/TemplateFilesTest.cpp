// Template files (.sza): what a save writes, what an opened file of any
// length does to the colours, and the files that cannot be opened or written.
#include "TemplateGridFixture.h"

namespace {

// ---- Template files ---------------------------------------------------------------

TEST_F(TemplateFiles, SavingAtStartWritesTheDefaultColourIntoEveryValue)
{
    TWel_Kor& w = StartOnTable();
    dialogs.fileAnswers = {Path(QStringLiteral("start.sza"))};
    w.commands->Zapiszschemat1->trigger();
    ExpectNoErrors();

    QByteArray expected;
    for (int i = 0; i < 117; ++i)
        expected += QByteArray::fromHex("050000FF");
    const QByteArray written = ReadFile(QStringLiteral("start.sza"));
    EXPECT_EQ(written.size(), 468);
    EXPECT_EQ(written, expected);

    ASSERT_EQ(dialogs.fileDialogsShown.size(), 1);
    const FileDialogState& shown = dialogs.fileDialogsShown[0];
    EXPECT_EQ(shown.title, QStringLiteral("Zapis szablon"));
    EXPECT_EQ(shown.fileName, QStringLiteral("Szablon"));
    EXPECT_EQ(shown.filter, QStringLiteral("Szablon analizy (*.sza)"));
}

TEST_F(TemplateFiles, PaintedCellLandsAtItsColumnMajorOffset)
{
    TWel_Kor& w = StartOnTable();
    PaintWith(w, kRed);
    w.tsTabela->sgEdycjaSelectCell(2, 3);
    dialogs.fileAnswers = {Path(QStringLiteral("red.sza"))};
    w.Zapiszschemat1Click();

    const QByteArray written = ReadFile(QStringLiteral("red.sza"));
    ASSERT_EQ(written.size(), 468);
    EXPECT_EQ(written.mid(84, 4), QByteArray::fromHex("FF000000"));
    welkor::CellColourArray expected = AllDefault();
    At(expected, 2, 3) = kRed;
    EXPECT_EQ(written, TemplateBytes(expected));
}

TEST_F(TemplateFiles, SavingAndReopeningRestoresColoursExceptBlack)
{
    TWel_Kor& w = StartOnTable();
    const std::uint32_t system15 = 0xFF00000F;
    PaintWith(w, kRed);
    w.tsTabela->sgEdycjaSelectCell(0, 0);
    w.tsTabela->sgEdycjaSelectCell(12, 8);
    PaintWith(w, 0x00123456);
    w.tsTabela->sgEdycjaSelectCell(5, 4);
    PaintWith(w, 0);
    w.tsTabela->sgEdycjaSelectCell(7, 2);
    EXPECT_EQ(At(w.tsTabela->CellColours, 7, 2), 0u);
    EXPECT_EQ(Shown(w).pixel(Inside(7, 2)), qRgb(0, 0, 0));
    w.tsTabela->CellColours[6][9] = system15;
    const welkor::CellColourArray painted = w.tsTabela->CellColours;

    dialogs.fileAnswers = {Path(QStringLiteral("layout.sza"))};
    w.Zapiszschemat1Click();
    EXPECT_EQ(ReadFile(QStringLiteral("layout.sza")), TemplateBytes(painted));

    // Repaint a few cells, then read the layout back.
    PaintWith(w, kBlue);
    w.tsTabela->sgEdycjaSelectCell(0, 0);
    w.tsTabela->sgEdycjaSelectCell(5, 4);
    w.tsTabela->sgEdycjaSelectCell(1, 1);
    const std::uint32_t paintColour = w.tsTabela->PaintColour;
    w.Edycjakolorw1Click();
    dialogs.fileAnswers = {Path(QStringLiteral("layout.sza"))};
    w.Otwrzscchemat1Click();
    ExpectNoErrors();

    welkor::CellColourArray expected = painted;
    At(expected, 7, 2) = kDefault;
    EXPECT_EQ(w.tsTabela->CellColours, expected);
    EXPECT_EQ(w.tsTabela->PaintColour, paintColour);
    EXPECT_FALSE(w.tsTabela->colourMode);
    EXPECT_TRUE(w.tsTabela->textMode);
    EXPECT_EQ(w.tsTabela->CellBrush.pixel(5, 5), qRgb(0, 0, 255)); // the brush holds the painting colour again

    const QImage img = Shown(w);
    EXPECT_EQ(img.pixel(Inside(0, 0)), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(Inside(12, 8)), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(Inside(5, 4)), qRgb(0x56, 0x34, 0x12));
    EXPECT_EQ(img.pixel(Inside(7, 2)), Rgb(kDefault));
    EXPECT_EQ(img.pixel(Inside(1, 1)), Rgb(kDefault));
    EXPECT_EQ(img.pixel(Inside(9, 6)), Rgb(system15));
    EXPECT_EQ(img.pixel(SeamRight(5, 4)), qRgb(255, 255, 255));

    ASSERT_EQ(dialogs.fileDialogsShown.size(), 2);
    EXPECT_EQ(dialogs.fileDialogsShown[1].title, QStringLiteral("Otwieranie wyników"));
    EXPECT_EQ(dialogs.fileDialogsShown[1].filter, QStringLiteral("Szablon analizy (*.sza)"));
    EXPECT_EQ(dialogs.fileDialogsShown[1].fileName, QString());
}

TEST_F(TemplateFiles, OpenedTemplateShowsAndPaintingCarriesOn)
{
    welkor::CellColourArray layout = AllDefault();
    At(layout, 4, 4) = 0x0000FF00;
    WriteFile(QStringLiteral("green.sza"), TemplateBytes(layout));
    TWel_Kor& w = StartOnTable();
    w.tsTabela->sgEdycja->setCell(4, 4, QStringLiteral("poz"));
    dialogs.fileAnswers = {Path(QStringLiteral("green.sza"))};
    w.commands->Otwrzscchemat1->trigger();
    ExpectNoErrors();
    EXPECT_EQ(w.tsTabela->CellColours, layout);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(4, 4), QStringLiteral("poz"));
    EXPECT_EQ(Shown(w).pixel(Inside(4, 4)), qRgb(0, 255, 0));

    PaintWith(w, kRed);
    Press(w.tsTabela->sgEdycja, 6, 3);
    Release(w.tsTabela->sgEdycja, 6, 3);
    At(layout, 6, 3) = kRed;
    EXPECT_EQ(w.tsTabela->CellColours, layout);
    const QImage img = Shown(w);
    EXPECT_EQ(img.pixel(Inside(6, 3)), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(Inside(4, 4)), qRgb(0, 255, 0));
}

TEST_F(TemplateFiles, FortyByteFileReplacesColumnZeroAndTheFirstCellOfColumnOne)
{
    TWel_Kor& w = StartOnTable();
    PaintWith(w, kBlue);
    w.tsTabela->sgEdycjaSelectCell(0, 5);
    w.tsTabela->sgEdycjaSelectCell(1, 1);
    w.tsTabela->sgEdycjaSelectCell(5, 5);
    welkor::CellColourArray expected = w.tsTabela->CellColours;

    QByteArray bytes;
    for (int r = 0; r < 9; ++r)
        bytes += Value(0x00000010u + static_cast<std::uint32_t>(r));
    bytes += Value(0x00ABCDEF);
    ASSERT_EQ(bytes.size(), 40);
    WriteFile(QStringLiteral("short.sza"), bytes);
    dialogs.fileAnswers = {Path(QStringLiteral("short.sza"))};
    dialogs.yesNoAnswers = {true}; // not 468 bytes: used only when the user agrees
    w.Otwrzscchemat1Click();

    for (int r = 0; r < 9; ++r)
        At(expected, 0, r) = 0x00000010u + static_cast<std::uint32_t>(r);
    At(expected, 1, 0) = 0x00ABCDEF;
    EXPECT_EQ(w.tsTabela->CellColours, expected);
    const QImage img = Shown(w);
    EXPECT_EQ(img.pixel(Inside(0, 5)), qRgb(0x15, 0, 0));
    EXPECT_EQ(img.pixel(Inside(1, 0)), qRgb(0xEF, 0xCD, 0xAB));
    EXPECT_EQ(img.pixel(Inside(1, 1)), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(Inside(5, 5)), qRgb(0, 0, 255));
}

TEST_F(TemplateFiles, ThirtyEightByteFileReplacesOnlyTheLowBytesOfTheCutValue)
{
    TWel_Kor& w = StartOnTable();
    PaintWith(w, 0x00123456);
    w.tsTabela->sgEdycjaSelectCell(1, 0);
    w.tsTabela->sgEdycjaSelectCell(1, 1);
    welkor::CellColourArray expected = w.tsTabela->CellColours;

    QByteArray bytes;
    for (int r = 0; r < 9; ++r)
        bytes += Value(0x00202020);
    bytes += QByteArray::fromHex("AABB");
    ASSERT_EQ(bytes.size(), 38);
    WriteFile(QStringLiteral("cut.sza"), bytes);
    dialogs.fileAnswers = {Path(QStringLiteral("cut.sza"))};
    dialogs.yesNoAnswers = {true}; // not 468 bytes: used only when the user agrees
    w.Otwrzscchemat1Click();

    for (int r = 0; r < 9; ++r)
        At(expected, 0, r) = 0x00202020;
    At(expected, 1, 0) = 0x0012BBAA;
    EXPECT_EQ(w.tsTabela->CellColours, expected);
    EXPECT_EQ(Shown(w).pixel(Inside(1, 0)), qRgb(0xAA, 0xBB, 0x12));
}

TEST_F(TemplateFiles, EmptyFileKeepsTheColoursButRepaintsBlackInTheDefaultColour)
{
    TWel_Kor& w = StartOnTable();
    PaintWith(w, 0);
    w.tsTabela->sgEdycjaSelectCell(2, 2);
    PaintWith(w, kRed);
    w.tsTabela->sgEdycjaSelectCell(4, 4);
    ASSERT_EQ(At(w.tsTabela->CellColours, 2, 2), 0u);
    ASSERT_EQ(Shown(w).pixel(Inside(2, 2)), qRgb(0, 0, 0));

    WriteFile(QStringLiteral("empty.sza"), QByteArray());
    dialogs.fileAnswers = {Path(QStringLiteral("empty.sza"))};
    dialogs.yesNoAnswers = {true}; // not 468 bytes: used only when the user agrees
    w.Otwrzscchemat1Click();
    ExpectNoErrors();

    welkor::CellColourArray expected = AllDefault();
    At(expected, 4, 4) = kRed;
    EXPECT_EQ(w.tsTabela->CellColours, expected);
    const QImage img = Shown(w);
    EXPECT_EQ(img.pixel(Inside(2, 2)), Rgb(kDefault));
    EXPECT_EQ(img.pixel(Inside(4, 4)), qRgb(255, 0, 0));
}

TEST_F(TemplateFiles, BytesPastTheLastValueAreIgnored)
{
    welkor::CellColourArray layout = AllDefault();
    At(layout, 12, 8) = kBlue;
    QByteArray bytes = TemplateBytes(layout);
    bytes += QByteArray(64, '\x11');
    WriteFile(QStringLiteral("long.sza"), bytes);
    TWel_Kor& w = StartOnTable();
    dialogs.fileAnswers = {Path(QStringLiteral("long.sza"))};
    dialogs.yesNoAnswers = {true}; // not 468 bytes: used only when the user agrees
    w.Otwrzscchemat1Click();
    ExpectNoErrors();
    EXPECT_EQ(w.tsTabela->CellColours, layout);
}

TEST_F(TemplateFiles, SavingOverAnExistingFileAsksFirst)
{
    WriteFile(QStringLiteral("old.sza"), QByteArray(1000, 'x'));
    TWel_Kor& w = StartOnTable();
    PaintWith(w, kRed);
    w.tsTabela->sgEdycjaSelectCell(2, 3);
    dialogs.fileAnswers = {Path(QStringLiteral("old.sza")), Path(QStringLiteral("old.sza"))};
    dialogs.yesNoAnswers = {false, true};
    w.Zapiszschemat1Click();
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(dialogs.questions[0], QStringLiteral("Uwaga!|Już istnieje plik o nazwie:\r\n%1\r\nCzy mimo to go nadpisać?")
                                        .arg(Path(QStringLiteral("old.sza"))));
    EXPECT_EQ(ReadFile(QStringLiteral("old.sza")), QByteArray(1000, 'x'));
    EXPECT_TRUE(w.tsTabela->TemplateHasUnsavedChanges());

    w.Zapiszschemat1Click();
    EXPECT_FALSE(w.tsTabela->TemplateHasUnsavedChanges());
    const QByteArray written = ReadFile(QStringLiteral("old.sza"));
    EXPECT_EQ(written.size(), 468);
    EXPECT_EQ(written.mid(84, 4), QByteArray::fromHex("FF000000"));
}

TEST_F(TemplateFiles, CancelledDialogsChangeNothing)
{
    TWel_Kor& w = StartOnTable();
    PaintWith(w, kRed);
    w.tsTabela->sgEdycjaSelectCell(2, 3);
    const welkor::CellColourArray before = w.tsTabela->CellColours;
    dialogs.fileAnswers = {std::nullopt, std::nullopt};
    w.Zapiszschemat1Click();
    w.Otwrzscchemat1Click();
    EXPECT_EQ(dialogs.fileDialogsShown.size(), 2);
    EXPECT_EQ(w.tsTabela->CellColours, before);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    ExpectNoErrors();
}

TEST_F(TemplateFiles, TemplateThatCannotBeOpenedLeavesTheColoursAsTheyWere)
{
    TWel_Kor& w = StartOnTable();
    PaintWith(w, kRed);
    w.tsTabela->sgEdycjaSelectCell(2, 3);
    const welkor::CellColourArray before = w.tsTabela->CellColours;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.sza")));

    for (const QString& name : {QStringLiteral("missing.sza"), QStringLiteral("folder.sza")}) {
        dialogs.errors.clear();
        dialogs.fileAnswers = {Path(name)};
        w.commands->Otwrzscchemat1->trigger();
        ASSERT_EQ(dialogs.errors.size(), 1) << name.toStdString();
        EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Cannot open file \"") + Path(name) + QStringLiteral("\".")))
            << dialogs.errors[0].toStdString();
        EXPECT_EQ(w.tsTabela->CellColours, before) << name.toStdString();
        EXPECT_EQ(Shown(w).pixel(Inside(2, 3)), qRgb(255, 0, 0));
    }
}

TEST_F(TemplateFiles, TemplateThatCannotBeWrittenLeavesEveryFileAsItWas)
{
    WriteFile(QStringLiteral("plain.sza"), "abc");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.sza")));
    TWel_Kor& w = StartOnTable();
    const QString targets[] = {
        Path(QStringLiteral("no such dir/t.sza")),
        Path(QStringLiteral("folder.sza")),
        Path(QStringLiteral("plain.sza/t.sza")),
    };
    for (const QString& target : targets) {
        dialogs.errors.clear();
        dialogs.fileAnswers = {target};
        w.commands->Zapiszschemat1->trigger();
        ASSERT_EQ(dialogs.errors.size(), 1) << target.toStdString();
        EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Cannot create file \"") + target + QStringLiteral("\".")))
            << dialogs.errors[0].toStdString();
        EXPECT_FALSE(QFileInfo::exists(target) && QFileInfo(target).isFile()) << target.toStdString();
    }
    EXPECT_EQ(ReadFile(QStringLiteral("plain.sza")), QByteArray("abc"));
    EXPECT_TRUE(QFileInfo(Path(QStringLiteral("folder.sza"))).isDir());
    EXPECT_TRUE(QDir(Path(QStringLiteral("folder.sza"))).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("no such dir"))));
    EXPECT_EQ(w.tsTabela->CellColours, AllDefault());
}

} // namespace
