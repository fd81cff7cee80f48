// The edit grid as a template: text and colour modes, painting cells, the
// overlay of colours under the cell texts, "Przenieś", and template files.
#include "WindowFixture.h"

#include "gui/analysis/EditGrid.h"
#include "qtbase/QtText.h"
#include "gui/widgets/StringGrid.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabWidget>
#include <QToolButton>

#include <cstdint>

using namespace welkor::gui;

namespace {

constexpr std::uint32_t kDefault = 0xFF000005;
constexpr std::uint32_t kRed = 0x000000FF;
constexpr std::uint32_t kBlue = 0x00FF0000;
constexpr int kPitchX = 56;
constexpr int kPitchY = 25;

QRgb Rgb(std::uint32_t colour) { return ToQColor(colour).rgb(); }

// Points of cell (c, r) on the grid surface: inside the cell away from its
// text, on the seam to its right and on the seam below it.
QPoint Inside(int c, int r) { return {c * kPitchX + 50, r * kPitchY + 20}; }
QPoint SeamRight(int c, int r) { return {c * kPitchX + 55, r * kPitchY + 12}; }
QPoint SeamBelow(int c, int r) { return {c * kPitchX + 30, r * kPitchY + 24}; }

QPoint CellCentre(const StringGrid* grid, int c, int r)
{
    return grid->visualRect(grid->model()->index(r, c)).center();
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void Press(StringGrid* grid, int c, int r)
{
    SendMouse(grid->viewport(), QEvent::MouseButtonPress, CellCentre(grid, c, r), Qt::LeftButton, Qt::LeftButton);
}

void Release(StringGrid* grid, int c, int r)
{
    SendMouse(grid->viewport(), QEvent::MouseButtonRelease, CellCentre(grid, c, r), Qt::LeftButton, Qt::NoButton);
}

void SendKey(QWidget* target, int key, const QString& text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &event);
}

QLineEdit* OpenEditor(const StringGrid* grid)
{
    for (QLineEdit* editor : grid->findChildren<QLineEdit*>())
        if (editor->isVisible())
            return editor;
    return nullptr;
}

QByteArray Value(std::uint32_t colour)
{
    QByteArray bytes;
    for (int k = 0; k < 4; ++k)
        bytes += static_cast<char>((colour >> (8 * k)) & 0xFF);
    return bytes;
}

// The 468 bytes a template of these colours must give.
QByteArray TemplateBytes(const welkor::CellColourArray& colours)
{
    QByteArray bytes;
    for (int c = 0; c < 13; ++c)
        for (int r = 0; r < 9; ++r)
            bytes += Value(colours[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
    return bytes;
}

welkor::CellColourArray AllDefault()
{
    welkor::CellColourArray colours{};
    for (auto& row : colours)
        row.fill(kDefault);
    return colours;
}

std::uint32_t& At(welkor::CellColourArray& colours, int c, int r)
{
    return colours[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
}

class TemplateEditGrid : public WindowTest {
protected:
    // Starts the window with the edit grid's page in front, so the grid has
    // its real size when it is grabbed.
    TWel_Kor& StartOnTable()
    {
        TWel_Kor& w = Start();
        w.pcZakladki->setCurrentWidget(w.tsTabela);
        QCoreApplication::processEvents();
        return w;
    }

    // What the grid shows, selection tint left out.
    QImage Shown(TWel_Kor& w)
    {
        w.tsTabela->sgEdycja->clearSelection();
        return w.tsTabela->sgEdycja->viewport()->grab().toImage();
    }

    // Colour mode on and a painting colour taken from the dialog.
    void PaintWith(TWel_Kor& w, std::uint32_t colour)
    {
        if (!w.tsTabela->colourMode)
            w.Edycjakolorw1Click();
        dialogs.colourAnswers = {colour};
        w.tbKolorClick();
        ASSERT_EQ(w.tsTabela->PaintColour, colour);
    }

    void ExpectNoErrors() const
    {
        EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('\n')).toStdString();
    }
};

class TemplateFiles : public TemplateEditGrid {};

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
