#pragma once

// What the template tests share: mouse and key events on a grid, template
// bytes, and the fixture.
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

constexpr std::uint32_t kDefault = 0xFF000005;
constexpr std::uint32_t kRed = 0x000000FF;
constexpr std::uint32_t kBlue = 0x00FF0000;
constexpr int kPitchX = 56;
constexpr int kPitchY = 25;

inline QRgb Rgb(std::uint32_t colour) { return ToQColor(colour).rgb(); }

// Points of cell (c, r) on the grid surface: inside the cell away from its
// text, on the seam to its right and on the seam below it.
inline QPoint Inside(int c, int r) { return {c * kPitchX + 50, r * kPitchY + 20}; }
inline QPoint SeamRight(int c, int r) { return {c * kPitchX + 55, r * kPitchY + 12}; }
inline QPoint SeamBelow(int c, int r) { return {c * kPitchX + 30, r * kPitchY + 24}; }

inline QPoint CellCentre(const StringGrid* grid, int c, int r)
{
    return grid->visualRect(grid->model()->index(r, c)).center();
}

inline void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

inline void Press(StringGrid* grid, int c, int r)
{
    SendMouse(grid->viewport(), QEvent::MouseButtonPress, CellCentre(grid, c, r), Qt::LeftButton, Qt::LeftButton);
}

inline void Release(StringGrid* grid, int c, int r)
{
    SendMouse(grid->viewport(), QEvent::MouseButtonRelease, CellCentre(grid, c, r), Qt::LeftButton, Qt::NoButton);
}

inline void SendKey(QWidget* target, int key, const QString& text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &event);
}

inline QLineEdit* OpenEditor(const StringGrid* grid)
{
    for (QLineEdit* editor : grid->findChildren<QLineEdit*>())
        if (editor->isVisible())
            return editor;
    return nullptr;
}

inline QByteArray Value(std::uint32_t colour)
{
    QByteArray bytes;
    for (int k = 0; k < 4; ++k)
        bytes += static_cast<char>((colour >> (8 * k)) & 0xFF);
    return bytes;
}

// The 468 bytes a template of these colours must give.
inline QByteArray TemplateBytes(const welkor::CellColourArray& colours)
{
    QByteArray bytes;
    for (int c = 0; c < 13; ++c)
        for (int r = 0; r < 9; ++r)
            bytes += Value(colours[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
    return bytes;
}

inline welkor::CellColourArray AllDefault()
{
    welkor::CellColourArray colours{};
    for (auto& row : colours)
        row.fill(kDefault);
    return colours;
}

inline std::uint32_t& At(welkor::CellColourArray& colours, int c, int r)
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
        w.pcZakladki->setCurrentWidget(w.tsTabela.tab());
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
