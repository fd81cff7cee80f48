#pragma once

#include <QIcon>

// The toolbar and menu pictures, drawn in code so the program ships no
// artwork files.
enum class ToolIcon { Fetch, Open, Save, Export, Transfer, Analyse, Colour, Print, Close };

QIcon MakeToolIcon(ToolIcon which);

// The emblem shown on the plate page.
QPixmap MakeEmblem(const QSize& size);
