#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace welkor::gui {

// The face to name for a font designed in the first of `candidates`: the
// first of them that is installed; where none is, the face Qt's own fallback
// search finds for them, looked for once in the program's run. A font named
// by an installed face is found at once, without a search of its own.
QString InstalledFamily(const QStringList& candidates);

// A font of that face.
QFont FontOf(const QStringList& candidates);

// The window's face: "MS Sans Serif", or the desktop's own sans face.
QStringList WindowFamilies();
// The serif face of the green texts: Times New Roman, or the
// metric-compatible Liberation Serif, or DejaVu Serif.
QStringList SerifFamilies();
// Courier New, or the stand-ins Liberation Mono and DejaVu Sans Mono.
QStringList MonoFamilies();

} // namespace welkor::gui
