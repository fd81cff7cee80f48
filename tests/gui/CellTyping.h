#pragma once

#include "gui/widgets/StringGrid.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace welkor::gui;

// Clicks cell (column, row) of the grid, then types `text` there as the user
// does: the first key opens the cell editor, the rest go into it. Nothing
// commits it; the open editor is returned (nullptr when none opened).
inline QLineEdit* StartTypingIntoCell(StringGrid* grid, int column, int row, const QString& text)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                      grid->visualRect(grid->model()->index(row, column)).center());
    QTest::keyClicks(grid, text.left(1));
    QLineEdit* editor = nullptr;
    for (QLineEdit* open : grid->findChildren<QLineEdit*>())
        if (open->isVisible())
            editor = open;
    if (editor != nullptr && text.size() > 1)
        QTest::keyClicks(editor, text.mid(1));
    return editor;
}

// The same, ended with Enter: the text is in the cell afterwards.
inline void TypeIntoCell(StringGrid* grid, int column, int row, const QString& text)
{
    QLineEdit* editor = StartTypingIntoCell(grid, column, row, text);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor commits on a queued call
}
