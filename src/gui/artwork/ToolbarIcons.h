#pragma once

#include <QIcon>

namespace welkor::gui {

// The toolbar and menu pictures, drawn in code so the program ships no
// artwork files.
enum class ToolIcon { Fetch, Open, Save, Export, Transfer, Analyse, Colour, Print, Close };

QIcon MakeToolIcon(ToolIcon which);

// The emblem shown on the plate page, `size` pixels on a screen of `ratio`
// device pixels to a pixel.
QPixmap MakeEmblem(const QSize& size, qreal ratio = 1);

} // namespace welkor::gui
