#pragma once

#include "core/analysis/CutoffAnalysis.h"
#include "core/analysis/TemplateFile.h"
#include "core/plate/Colour.h"
#include "gui/analysis/CellPicture.h"
#include "gui/dialogs/Dialogs.h"

#include <QImage>
#include <QWidget>

#include <cstdint>

class QAction;
class QMenu;

namespace welkor {
class ReportDocument;
}

namespace welkor::gui {

class EditGrid;
class StringGrid;

// The page "Tabela" (tsTabela): the measured grid sgDane above the edit grid
// sgEdycja, the analysis work sheet. It keeps the copy range of both grids,
// the edit grid's text and colour modes, the template's cell colours with
// their picture and brush, template files, and "Analizuj".
class AnalysisPage : public QWidget {
    Q_OBJECT
public:
    AnalysisPage(welkor::ReportDocument& report, Dialogs& dialogs, QWidget* parent = nullptr);

    // The grids' context menu and the menu items that show this page's
    // state: the two "Edycja tekstu" items and "Edycja kolorów", and the
    // separator N8 under the first.
    struct MenuItems {
        QMenu* pmTabela = nullptr;
        QAction* Edycja1 = nullptr;
        QAction* N8 = nullptr;
        QAction* Edycjatekstu1 = nullptr;
        QAction* Edycjakolorw1 = nullptr;
    };
    void UseMenuItems(const MenuItems& items) { items_ = items; }
    // The items' marks of the start-up mode (text editing), also before the
    // page is built.
    static void ShowStartModes(const MenuItems& items);

    // ---- Grids ----------------------------------------------------------------
    void ShowValuesInGrid(); // the measured grid of the report
    void ShowEditGrid();     // the edit grid of the report
    // Ends an open cell editor of either grid, keeping what was typed.
    void CommitOpenEditors();
    // True when a cell of the edit grid holds text "Przenieś" would replace.
    bool EditGridHoldsWork() const;
    void sgDaneSelectCell(int column, int row);
    void sgDaneMouseDown();
    void sgEdycjaSelectCell(int column, int row);
    void sgEdycjaMouseDown();
    void sgEdycjaMouseUp();
    void sgEdycjaClick();
    // The second corner follows the grid's visible selection; the first
    // corner stays the cell selected last.
    void FollowSelection(const StringGrid& grid);
    // The grid the copy commands read: the one pressed last.
    const StringGrid& CopySource() const;

    // ---- Template: modes, colours, files ------------------------------------
    // Start-up: text mode on, the cell sizes, the picture and the brush, every
    // cell in the window colour.
    void SetUpEditGrid();
    void ApplyTextMode();
    void FillCellBrush(welkor::Colour colour);
    void PaintTemplateCell(int column, int row);
    void RefreshTemplateOverlay();
    void DrawTemplateTexts();
    void ApplyTemplateColours();
    void CopyValuesToEditGrid();
    void FormPaint();
    void Edycja1Click();
    void Edycjatekstu1Click();
    void Edycjakolorw1Click();
    void tbKolorClick();
    void tbPrzeniesClick();
    void Zapiszschemat1Click();
    void Otwrzscchemat1Click();
    void MarkTemplateSaved();
    bool TemplateHasUnsavedChanges() const;

    // ---- Analysis -----------------------------------------------------------
    void tbAnalizujClick();
    // Status panel 3 without a threshold (and without its tool tip).
    void ClearThreshold();

    StringGrid* sgDane = nullptr;
    EditGrid* sgEdycja = nullptr;

    // Copy range and copy source (true: the measured grid was pressed last).
    std::uint8_t firstCornerColumn = 0, secondCornerColumn = 0, firstCornerRow = 0, secondCornerRow = 0;
    bool copySourceIsDane = false;

    // The two edit modes, shown by the check marks of their items.
    bool textMode = true;
    bool colourMode = false;
    int CellWidth = 56;
    int CellHeight = 25;
    CellPicture TemplatePicture;
    QImage CellBrush;
    welkor::CellColourArray CellColours{};
    welkor::Colour PaintColour = 0xFF000005;
    welkor::Colour lastDialogColour = 0x00000000; // what the colour dialog shows next

    welkor::ControlCounts controlCounts;

    FileDialogState SDSchem;
    FileDialogState ODSchem;

signals:
    // The threshold for status panel 3 and its tool tip (both empty: none).
    void thresholdShown(const QString& text, const QString& toolTip);

private:
    void WireGridEvents();

    welkor::ReportDocument& report_;
    Dialogs& dialogs_;
    MenuItems items_;
    welkor::CellColourArray savedTemplateColours_{};
};

} // namespace welkor::gui
