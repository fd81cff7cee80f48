#pragma once

#include "gui/analysis/CellPicture.h"
#include "gui/widgets/StringGrid.h"

namespace welkor::gui {

// The edit grid: a plain 13 x 9 grid over which the template picture (cell
// colours with one-pixel white seams) is laid once it has been transferred,
// with every cell text written over the colours on a transparent background.
// The selection shows as a tint over the colours, so painting never hides
// which cells are selected.
class EditGrid : public StringGrid {
    Q_OBJECT
public:
    explicit EditGrid(QWidget* parent = nullptr);

    // The picture the overlay is copied from; owned by the window.
    void setTemplatePicture(const CellPicture* picture) { picture_ = picture; }

    // Lays the picture and the texts over the grid (from now on every repaint
    // keeps them there).
    void transferOverlay();
    bool overlayShown() const { return overlayShown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CellPicture* picture_ = nullptr;
    bool overlayShown_ = false;
};

} // namespace welkor::gui
