// The edit grid as the analysis work sheet: text and colour modes, the cell
// colours drawn through the template picture, and template files.
#include "core/analysis/TemplateFile.h"
#include "gui/analysis/EditGrid.h"
#include "gui/app/FileIO.h"
#include "gui/app/TWel_Kor.h"

#include <QLabel>
#include <QMenu>

void TWel_Kor::ApplyTextMode()
{
    if (textMode)
        sgEdycja->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked
                                  | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    else
        sgEdycja->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void TWel_Kor::FillCellBrush(welkor::Colour colour)
{
    // A system colour is taken as it is at this moment.
    CellBrush.fill(ToQColor(colour));
}

void TWel_Kor::PaintTemplateCell(int column, int row)
{
    // The brush is one colour, so drawing it covers the cell with that colour.
    TemplatePicture.fillCell(column, row, CellBrush.pixel(0, 0));
    RefreshTemplateOverlay();
}

void TWel_Kor::RefreshTemplateOverlay()
{
    sgEdycja->transferOverlay();
    DrawTemplateTexts();
}

void TWel_Kor::DrawTemplateTexts()
{
    // The grid writes the texts over the picture each time it paints the
    // overlay; asking for a paint is all that is left to do here.
    sgEdycja->viewport()->update();
}

void TWel_Kor::ApplyTemplateColours()
{
    for (int c = 0; c < welkor::kGridColumns; ++c) {
        for (int r = 0; r < welkor::kGridRows; ++r) {
            welkor::Colour& colour = CellColours[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            if (colour == 0)
                colour = welkor::kSystemWindow;
            FillCellBrush(colour);
            TemplatePicture.fillCell(c, r, CellBrush.pixel(0, 0));
        }
    }
    RefreshTemplateOverlay();
    FillCellBrush(PaintColour);
}

void TWel_Kor::CopyValuesToEditGrid()
{
    if (FreshMeasurement)
        sgEdycja->setTexts(sgDane->texts());
    else
        sgEdycja->setTexts(StoredAnalysis);
}

void TWel_Kor::sgEdycjaSelectCell(int column, int row)
{
    firstCornerColumn = static_cast<std::uint8_t>(column);
    firstCornerRow = static_cast<std::uint8_t>(row);
    if (colourMode) {
        CellColours[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = PaintColour;
        PaintTemplateCell(column, row);
    }
}

void TWel_Kor::sgEdycjaDrawCell(int column, int row)
{
    secondCornerColumn = static_cast<std::uint8_t>(column);
    secondCornerRow = static_cast<std::uint8_t>(row);
}

void TWel_Kor::sgEdycjaMouseDown()
{
    copySourceIsDane = false;
    Edycja1->setVisible(true);
    N8->setVisible(true);
}

void TWel_Kor::sgEdycjaMouseUp()
{
    if (colourMode)
        PaintTemplateCell(firstCornerColumn, firstCornerRow);
}

void TWel_Kor::sgEdycjaClick()
{
    if (colourMode)
        PaintTemplateCell(firstCornerColumn, firstCornerRow);
    else
        RefreshTemplateOverlay();
    DrawTemplateTexts();
}

void TWel_Kor::FormPaint()
{
    if (colourMode)
        PaintTemplateCell(firstCornerColumn, firstCornerRow);
}

void TWel_Kor::Edycja1Click()
{
    // Both "Edycja tekstu" items show one state, whichever was clicked (the
    // menu flips only its own mark before the handler runs).
    textMode = !textMode;
    Edycja1->setChecked(textMode);
    Edycjatekstu1->setChecked(textMode);
    ApplyTextMode();
    RefreshTemplateOverlay();
}

void TWel_Kor::Edycjatekstu1Click() { Edycja1Click(); }

void TWel_Kor::Edycjakolorw1Click()
{
    colourMode = !colourMode;
    Edycjakolorw1->setChecked(colourMode);
}

void TWel_Kor::tbKolorClick()
{
    if (const std::optional<std::uint32_t> chosen = services_.dialogs->chooseColour(lastDialogColour)) {
        PaintColour = *chosen;
        lastDialogColour = *chosen;
    }
    FillCellBrush(PaintColour);
}

void TWel_Kor::tbPrzeniesClick()
{
    FreshMeasurement = true;
    CopyValuesToEditGrid();
    sbPanels[3]->clear(); // the old threshold does not belong to the new analysis
}

void TWel_Kor::Zapiszschemat1Click()
{
    SDSchem.filter = QStringLiteral("Szablon analizy (*.sza)");
    if (!services_.dialogs->saveFile(SDSchem))
        return;
    WriteFileAtomically(SDSchem.fileName, welkor::EncodeTemplate(CellColours));
}

void TWel_Kor::Otwrzscchemat1Click()
{
    ODSchem.filter = QStringLiteral("Szablon analizy (*.sza)");
    if (!services_.dialogs->openFile(ODSchem))
        return;
    // Only the first 468 bytes can matter; a longer file is not read further.
    const std::string bytes = ReadFilePrefix(ODSchem.fileName, static_cast<qint64>(welkor::kTemplateFileBytes));
    welkor::DecodeTemplate(bytes, CellColours);
    ApplyTemplateColours();
}
