// The edit grid as the analysis work sheet: text and colour modes, the cell
// colours drawn through the template picture, and template files.
#include "core/analysis/TemplateFile.h"
#include "gui/analysis/EditGrid.h"
#include "qtbase/FileIO.h"
#include "gui/app/TWel_Kor.h"

#include <QFileInfo>
#include <QLabel>
#include <QMenu>

namespace welkor::gui {

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
    // The picture shows the cell's stored colour, never only the brush: what
    // is on the screen is what a template save writes. (Selecting a cell in
    // colour mode stores the painting colour before it gets here.)
    const welkor::Colour stored = CellColours[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    TemplatePicture.fillCell(column, row, ToQColor(stored).rgb());
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
    report.CopyValuesToEditGrid();
    sgEdycja->setTexts(report.editGrid());
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

namespace {

// A cell text without the blanks around it (a save puts one in front).
QString Bare(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    auto blank = [](QChar ch) { return ch == QLatin1Char(' ') || ch == QChar::Nbsp; };
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

bool TWel_Kor::EditGridHoldsWork() const
{
    for (int r = 0; r < welkor::kGridRows; ++r) {
        for (int c = 0; c < welkor::kGridColumns; ++c) {
            const QString edit = Bare(sgEdycja->cell(c, r));
            if (!edit.isEmpty() && edit != Bare(sgDane->cell(c, r)))
                return true;
        }
    }
    return false;
}

void TWel_Kor::tbPrzeniesClick()
{
    if (EditGridHoldsWork()
        && !services_.dialogs->askYesNo(
            QStringLiteral("Uwaga!"),
            QStringLiteral("Tabela edycji zawiera oznaczenia, wyniki analizy lub wpisany tekst.\r\n"
                           "Przenieś zastąpi je wartościami pomiaru.\r\nCzy mimo to przenieść dane?")))
        return;
    report.Transfer();
    sgEdycja->setTexts(report.editGrid());
    ClearThreshold(); // the old threshold does not belong to the new analysis
}

void TWel_Kor::Zapiszschemat1Click()
{
    SDSchem.filter = QStringLiteral("Szablon analizy (*.sza)");
    if (!services_.dialogs->saveFile(SDSchem))
        return;
    if (!ConfirmOverwrite(SDSchem.fileName))
        return;
    const QString note = WriteFileAtomically(SDSchem.fileName, welkor::EncodeTemplate(CellColours));
    MarkTemplateSaved();
    if (!note.isEmpty())
        services_.dialogs->information(note);
}

void TWel_Kor::Otwrzscchemat1Click()
{
    ODSchem.filter = QStringLiteral("Szablon analizy (*.sza)");
    if (!services_.dialogs->openFile(ODSchem))
        return;
    // Only the first 468 bytes can matter; one more tells a longer file.
    const std::string bytes = ReadFilePrefix(ODSchem.fileName, static_cast<qint64>(welkor::kTemplateFileBytes) + 1);
    if (bytes.size() != welkor::kTemplateFileBytes) {
        const QString size = bytes.size() > welkor::kTemplateFileBytes
            ? QStringLiteral("jest dłuższy niż 468 bajtów")
            : QStringLiteral("ma %1 B").arg(bytes.size());
        const QString question = QStringLiteral("Plik:\r\n%1\r\n%2, a szablon analizy ma dokładnie 468 B.\r\n"
                                                "Może to nie być szablon. Czy mimo to go użyć?")
                                     .arg(QFileInfo(ODSchem.fileName).absoluteFilePath(), size);
        if (!services_.dialogs->askYesNo(QStringLiteral("Uwaga!"), question))
            return;
    }
    welkor::DecodeTemplate(std::string_view(bytes).substr(0, welkor::kTemplateFileBytes), CellColours);
    ApplyTemplateColours();
    MarkTemplateSaved();
}

} // namespace welkor::gui
