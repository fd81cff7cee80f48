#pragma once

#include "core/output/CopyRange.h"
#include "core/report/ReportTypes.h"

#include <QPointer>
#include <QTableWidget>

namespace welkor::gui {

// A 13 x 9 text grid whose heading row and column are ordinary cells, as
// both of the window's tables are. `fixedCells` makes row 0 and column 0 a
// heading band that cannot be selected or edited (the measured grid); with 0
// every cell is a plain cell (the edit grid).
//
// It reports the grid events the window reacts to: a cell being selected (by
// mouse or keyboard), mouse press, release and click.
class StringGrid : public QTableWidget {
    Q_OBJECT
public:
    StringGrid(int fixedCells, QWidget* parent = nullptr);

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);

    welkor::GridTexts texts() const;
    void setTexts(const welkor::GridTexts& texts);

    // Writes back only the cells that differ between `before` (what texts()
    // gave) and `after`: a cell holding characters code page 1250 lacks keeps
    // them unless the core really changed it.
    void applyChanges(const welkor::GridTexts& before, const welkor::GridTexts& after);

    // The rectangle "Kopiuj" takes: the cells the grid shows selected, or its
    // current cell when none is (or, before any, the cell at the fallback).
    welkor::CellRange selectionBox(int fallbackColumn, int fallbackRow) const;

    // Ends an open cell editor, keeping what was typed in it, so that a
    // command reading the grid sees the text the user sees. True when an
    // editor was open.
    bool commitOpenEditor();

    // Control characters (TAB, CR, LF, ... and DEL) become blanks: a cell
    // text is one field of one line in a saved report.
    static QString CellTextFromTyped(QString text);

    // Column pitch and row pitch in pixels, grid line included.
    static constexpr int kColumnPitch = 56;
    static constexpr int kRowPitch = 25;

signals:
    void selectCell(int column, int row);
    void mouseDown(Qt::MouseButton button);
    void mouseUp(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    friend class StringGridDelegate;
    int fixedCells_;
    bool pressing_ = false;
    QPointer<QWidget> openEditor_;
};

} // namespace welkor::gui
