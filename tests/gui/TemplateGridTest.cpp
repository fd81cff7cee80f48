// The edit grid as a template: text and colour modes, painting cells, the
// overlay of colours under the cell texts, and "Przenieś".
#include "TemplateGridFixture.h"

namespace {

// ---- Start ------------------------------------------------------------------

TEST_F(TemplateEditGrid, StartsInTextModeWithEveryCellInTheDefaultColour)
{
    TWel_Kor& w = StartOnTable();
    EXPECT_EQ(w.tsTabela->CellColours, AllDefault());
    EXPECT_EQ(w.tsTabela->PaintColour, kDefault);
    EXPECT_TRUE(w.tsTabela->textMode);
    EXPECT_TRUE(w.commands->Edycja1->isChecked());
    EXPECT_TRUE(w.commands->Edycjatekstu1->isChecked());
    EXPECT_NE(w.tsTabela->sgEdycja->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(w.tsTabela->colourMode);
    EXPECT_FALSE(w.commands->Edycjakolorw1->isChecked());
    EXPECT_EQ(w.tsTabela->CellWidth, 56);
    EXPECT_EQ(w.tsTabela->CellHeight, 25);
    EXPECT_EQ(w.tsTabela->TemplatePicture.size(), QSize(728, 225));
    EXPECT_EQ(w.tsTabela->CellBrush.size(), QSize(55, 24));
    EXPECT_EQ(w.tsTabela->CellBrush.pixel(27, 12), Rgb(kDefault));

    // Showing the window transferred the overlay: window-coloured cells with
    // white seams between them.
    EXPECT_TRUE(w.tsTabela->sgEdycja->overlayShown());
    const QImage img = Shown(w);
    for (const auto& [c, r] : {std::pair{0, 0}, {6, 4}, {12, 8}}) {
        EXPECT_EQ(img.pixel(Inside(c, r)), Rgb(kDefault)) << c << "," << r;
        EXPECT_EQ(img.pixel(SeamRight(c, r)), qRgb(255, 255, 255)) << c << "," << r;
        EXPECT_EQ(img.pixel(SeamBelow(c, r)), qRgb(255, 255, 255)) << c << "," << r;
    }
}

// ---- Painting ---------------------------------------------------------------

TEST_F(TemplateEditGrid, SelectingACellInColourModePaintsItUnderItsText)
{
    TWel_Kor& w = StartOnTable();
    w.tsTabela->sgEdycja->setCell(3, 2, QStringLiteral("WWWW"));
    PaintWith(w, kRed);
    w.tsTabela->sgEdycjaSelectCell(3, 2);

    welkor::CellColourArray expected = AllDefault();
    At(expected, 3, 2) = kRed;
    EXPECT_EQ(w.tsTabela->CellColours, expected);
    EXPECT_EQ(w.tsTabela->firstCornerColumn, 3);
    EXPECT_EQ(w.tsTabela->firstCornerRow, 2);

    const QImage img = Shown(w);
    EXPECT_EQ(img.pixel(Inside(3, 2)), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(3 * kPitchX + 1, 2 * kPitchY + 22), qRgb(255, 0, 0)); // lower left corner of the cell
    EXPECT_EQ(img.pixel(SeamRight(3, 2)), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(SeamBelow(3, 2)), qRgb(255, 255, 255));
    // The neighbours keep the default colour.
    EXPECT_EQ(img.pixel(Inside(4, 2)), Rgb(kDefault));
    EXPECT_EQ(img.pixel(Inside(3, 3)), Rgb(kDefault));

    // The text is written over the colour: dark pixels where the letters stand.
    int dark = 0;
    for (int y = 2 * kPitchY + 2; y < 2 * kPitchY + 16; ++y)
        for (int x = 3 * kPitchX + 2; x < 3 * kPitchX + 45; ++x)
            if (qRed(img.pixel(x, y)) < 100 && qGreen(img.pixel(x, y)) < 100)
                ++dark;
    EXPECT_GT(dark, 10);
}

TEST_F(TemplateEditGrid, MousePressInColourModePaintsThePressedCell)
{
    TWel_Kor& w = StartOnTable();
    PaintWith(w, kRed);
    w.tsTabela->sgDaneMouseDown(); // hides the popup's text-edit item
    Press(w.tsTabela->sgEdycja, 3, 2);
    Release(w.tsTabela->sgEdycja, 3, 2);
    ExpectNoErrors();

    EXPECT_FALSE(w.tsTabela->copySourceIsDane);
    EXPECT_TRUE(w.commands->Edycja1->isVisible());
    EXPECT_EQ(w.tsTabela->firstCornerColumn, 3);
    EXPECT_EQ(w.tsTabela->firstCornerRow, 2);
    welkor::CellColourArray expected = AllDefault();
    At(expected, 3, 2) = kRed;
    EXPECT_EQ(w.tsTabela->CellColours, expected);

    const QImage img = Shown(w);
    EXPECT_EQ(img.pixel(Inside(3, 2)), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(SeamRight(3, 2)), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(SeamBelow(3, 2)), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(Inside(2, 2)), Rgb(kDefault));
}

TEST_F(TemplateEditGrid, PressOutsideColourModePaintsNothing)
{
    TWel_Kor& w = StartOnTable();
    dialogs.colourAnswers = {kRed};
    w.tbKolorClick();
    ASSERT_FALSE(w.tsTabela->colourMode);
    Press(w.tsTabela->sgEdycja, 3, 2);
    Release(w.tsTabela->sgEdycja, 3, 2);
    w.tsTabela->sgEdycjaSelectCell(5, 5);

    EXPECT_EQ(w.tsTabela->CellColours, AllDefault());
    const QImage img = Shown(w);
    EXPECT_EQ(img.pixel(Inside(3, 2)), Rgb(kDefault));
    EXPECT_EQ(img.pixel(Inside(5, 5)), Rgb(kDefault));
}

TEST_F(TemplateEditGrid, StampAtTheFirstCornerShowsWhatATemplateSaveWrites)
{
    TWel_Kor& w = StartOnTable();
    PaintWith(w, kRed);
    Press(w.tsTabela->sgEdycja, 3, 2);
    Release(w.tsTabela->sgEdycja, 3, 2);
    dialogs.colourAnswers = {kBlue};
    w.commands->tbKolor->click();

    // Clicks, releases and repaints after a colour change show the cell's
    // stored colour, the one "Zapisz szablon" writes.
    w.tsTabela->sgEdycjaClick();
    w.FormPaint();
    EXPECT_EQ(At(w.tsTabela->CellColours, 3, 2), kRed);
    EXPECT_EQ(Shown(w).pixel(Inside(3, 2)), qRgb(255, 0, 0));

    // A cell selected in the measured grid is not painted behind the user's back.
    w.tsTabela->sgDaneSelectCell(5, 4);
    w.tsTabela->sgEdycjaMouseUp();
    EXPECT_EQ(At(w.tsTabela->CellColours, 5, 4), kDefault);
    EXPECT_EQ(Shown(w).pixel(Inside(5, 4)), Rgb(kDefault));

    // Pressing a cell paints it in the new colour, on the screen and in the array.
    Press(w.tsTabela->sgEdycja, 6, 6);
    Release(w.tsTabela->sgEdycja, 6, 6);
    EXPECT_EQ(At(w.tsTabela->CellColours, 6, 6), kBlue);
    EXPECT_EQ(Shown(w).pixel(Inside(6, 6)), qRgb(0, 0, 255));
}

TEST_F(TemplateEditGrid, ColourDialogIsNotPrimedAndCancelRefillsTheBrush)
{
    TWel_Kor& w = StartOnTable();
    dialogs.colourAnswers = {kRed, std::nullopt, kBlue};

    w.tbKolorClick();
    EXPECT_EQ(w.tsTabela->PaintColour, kRed);
    EXPECT_EQ(w.tsTabela->CellBrush.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(w.tsTabela->CellBrush.pixel(54, 23), qRgb(255, 0, 0));

    // Cancelling keeps the painting colour and fills the brush with it again.
    w.tsTabela->FillCellBrush(0x0000FF00);
    w.tbKolorClick();
    EXPECT_EQ(w.tsTabela->PaintColour, kRed);
    EXPECT_EQ(w.tsTabela->CellBrush.pixel(10, 10), qRgb(255, 0, 0));

    w.tbKolorClick();
    EXPECT_EQ(w.tsTabela->PaintColour, kBlue);

    // Black the first time, then always the colour it last returned.
    ASSERT_EQ(dialogs.colourDialogStarts.size(), 3);
    EXPECT_EQ(dialogs.colourDialogStarts[0], 0u);
    EXPECT_EQ(dialogs.colourDialogStarts[1], kRed);
    EXPECT_EQ(dialogs.colourDialogStarts[2], kRed);

    // The toolbar button and the menu item open the same dialog.
    dialogs.colourAnswers = {0x00008000};
    w.commands->tbKolor->click();
    EXPECT_EQ(w.tsTabela->PaintColour, 0x00008000u);
    dialogs.colourAnswers = {std::nullopt};
    w.commands->Kolor1->trigger();
    EXPECT_EQ(w.tsTabela->PaintColour, 0x00008000u);
    ASSERT_EQ(dialogs.colourDialogStarts.size(), 5);
    EXPECT_EQ(dialogs.colourDialogStarts[3], kBlue);
    EXPECT_EQ(dialogs.colourDialogStarts[4], 0x00008000u);
}

// ---- Text mode ----------------------------------------------------------------

TEST_F(TemplateEditGrid, TypingEditsACellOnlyInTextMode)
{
    TWel_Kor& w = StartOnTable();
    w.tsTabela->sgEdycja->setCurrentCell(2, 4);

    w.Edycja1Click();
    ASSERT_FALSE(w.tsTabela->textMode);
    SendKey(w.tsTabela->sgEdycja, Qt::Key_X, QStringLiteral("x"));
    EXPECT_EQ(OpenEditor(w.tsTabela->sgEdycja), nullptr);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(4, 2), QString());

    w.Edycja1Click();
    ASSERT_TRUE(w.tsTabela->textMode);
    SendKey(w.tsTabela->sgEdycja, Qt::Key_N, QStringLiteral("n"));
    QLineEdit* editor = OpenEditor(w.tsTabela->sgEdycja);
    ASSERT_NE(editor, nullptr);
    SendKey(editor, Qt::Key_E, QStringLiteral("e"));
    SendKey(editor, Qt::Key_G, QStringLiteral("g"));
    EXPECT_EQ(editor->text(), QStringLiteral("neg"));
    SendKey(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor commits on a queued call
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(4, 2), QStringLiteral("neg"));
}

TEST_F(TemplateEditGrid, BothTextEditItemsSwitchOneModeTogether)
{
    TWel_Kor& w = StartOnTable();
    auto expectTextMode = [&](bool on, const char* step) {
        EXPECT_EQ(w.tsTabela->textMode, on) << step;
        EXPECT_EQ(w.commands->Edycja1->isChecked(), on) << step;
        EXPECT_EQ(w.commands->Edycjatekstu1->isChecked(), on) << step;
        if (on)
            EXPECT_NE(w.tsTabela->sgEdycja->editTriggers(), QAbstractItemView::NoEditTriggers) << step;
        else
            EXPECT_EQ(w.tsTabela->sgEdycja->editTriggers(), QAbstractItemView::NoEditTriggers) << step;
        EXPECT_FALSE(w.tsTabela->colourMode) << step;
    };

    w.Edycja1Click();
    expectTextMode(false, "popup handler");
    w.Edycjatekstu1Click();
    expectTextMode(true, "main menu handler");
    w.Edycjatekstu1Click();
    expectTextMode(false, "main menu handler again");
    w.Edycja1Click();
    expectTextMode(true, "popup handler again");

    // Through the actions, which flip their own mark before the handler runs.
    w.commands->Edycja1->trigger();
    expectTextMode(false, "popup item");
    w.commands->Edycja1->trigger();
    expectTextMode(true, "popup item again");
    w.commands->Edycjatekstu1->trigger();
    expectTextMode(false, "main menu item");
    w.commands->Edycja1->trigger();
    expectTextMode(true, "popup item after the main menu item");
    ExpectNoErrors();
}

TEST_F(TemplateEditGrid, ColourModeIsIndependentOfTextMode)
{
    TWel_Kor& w = StartOnTable();
    w.commands->Edycjakolorw1->trigger();
    EXPECT_TRUE(w.tsTabela->colourMode);
    EXPECT_TRUE(w.commands->Edycjakolorw1->isChecked());
    EXPECT_TRUE(w.tsTabela->textMode);
    EXPECT_NE(w.tsTabela->sgEdycja->editTriggers(), QAbstractItemView::NoEditTriggers);

    w.commands->Edycja1->trigger();
    EXPECT_TRUE(w.tsTabela->colourMode);
    EXPECT_TRUE(w.commands->Edycjakolorw1->isChecked());
    EXPECT_FALSE(w.tsTabela->textMode);

    w.Edycjakolorw1Click();
    EXPECT_FALSE(w.tsTabela->colourMode);
    EXPECT_FALSE(w.commands->Edycjakolorw1->isChecked());
    EXPECT_FALSE(w.tsTabela->textMode);
    EXPECT_FALSE(w.commands->Edycjatekstu1->isChecked());
}

TEST_F(TemplateEditGrid, DragOutsideTextModeSelectsARangeAndPaintsOnlyThePressedCell)
{
    TWel_Kor& w = StartOnTable();
    w.Edycja1Click();
    PaintWith(w, kRed);

    Press(w.tsTabela->sgEdycja, 1, 1);
    for (const auto& [c, r] : {std::pair{2, 1}, {3, 2}, {4, 3}})
        SendMouse(w.tsTabela->sgEdycja->viewport(), QEvent::MouseMove, CellCentre(w.tsTabela->sgEdycja, c, r), Qt::NoButton,
                  Qt::LeftButton);
    Release(w.tsTabela->sgEdycja, 4, 3);
    ExpectNoErrors();

    const QList<QTableWidgetSelectionRange> ranges = w.tsTabela->sgEdycja->selectedRanges();
    ASSERT_EQ(ranges.size(), 1);
    EXPECT_EQ(ranges[0].leftColumn(), 1);
    EXPECT_EQ(ranges[0].topRow(), 1);
    EXPECT_EQ(ranges[0].rightColumn(), 4);
    EXPECT_EQ(ranges[0].bottomRow(), 3);
    EXPECT_EQ(w.tsTabela->firstCornerColumn, 1);
    EXPECT_EQ(w.tsTabela->firstCornerRow, 1);

    welkor::CellColourArray expected = AllDefault();
    At(expected, 1, 1) = kRed;
    EXPECT_EQ(w.tsTabela->CellColours, expected);
    const QImage img = Shown(w);
    EXPECT_EQ(img.pixel(Inside(1, 1)), qRgb(255, 0, 0));
    for (const auto& [c, r] : {std::pair{2, 1}, {3, 2}, {4, 3}, {1, 3}})
        EXPECT_EQ(img.pixel(Inside(c, r)), Rgb(kDefault)) << c << "," << r;
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 1), QString());
}

// ---- "Przenieś" -----------------------------------------------------------------

TEST_F(TemplateEditGrid, PrzeniesCopiesHeadingsAndValuesAndLeavesColoursAlone)
{
    WriteFile(QStringLiteral("plate.rap"), SampleReport());
    TWel_Kor& w = StartOnTable();
    PaintWith(w, kRed);
    w.tsTabela->sgEdycjaSelectCell(1, 1);
    ASSERT_FALSE(w.report.freshMeasurement());

    // Before any report: the headings and the placeholders.
    w.tbPrzeniesClick();
    EXPECT_TRUE(w.report.freshMeasurement());
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, 0), QString());
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 0), QStringLiteral("1"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(12, 0), QStringLiteral("12"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, 1), QStringLiteral("A"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, 8), QStringLiteral("H"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 1), QStringLiteral("0"));

    dialogs.fileAnswers = {Path(QStringLiteral("plate.rap"))};
    w.Otwrz1Click();
    ExpectNoErrors();
    w.tsTabela->sgEdycja->setCell(1, 1, QStringLiteral("neg"));
    w.tsTabela->sgEdycja->setCell(0, 0, QStringLiteral("uwaga"));
    w.tbAnalizujClick();
    ASSERT_FALSE(w.report.freshMeasurement());

    // The marks and results would be replaced: the user is asked first.
    dialogs.yesNoAnswers = {true};
    w.commands->tbPrzenies->click();
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].startsWith(QStringLiteral("Uwaga!|")));
    EXPECT_TRUE(w.report.freshMeasurement());
    EXPECT_EQ(w.tsTabela->sgEdycja->texts(), w.tsTabela->sgDane->texts());
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, 0), QString());
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 0), QStringLiteral("1"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, 1), QStringLiteral("A"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 1), QStringLiteral(" 0,100"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(12, 8), QStringLiteral(" 0,217"));

    // The menu item does the same.
    w.tsTabela->sgEdycja->setCell(2, 2, QStringLiteral("poz"));
    w.report.setFreshMeasurement(false);
    dialogs.yesNoAnswers = {true};
    w.commands->Przenie1->trigger();
    EXPECT_TRUE(w.report.freshMeasurement());
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 2), QStringLiteral(" 0,111"));

    welkor::CellColourArray expected = AllDefault();
    At(expected, 1, 1) = kRed;
    EXPECT_EQ(w.tsTabela->CellColours, expected);
    EXPECT_EQ(Shown(w).pixel(Inside(1, 1)), qRgb(255, 0, 0));
    ExpectNoErrors();
}

} // namespace
