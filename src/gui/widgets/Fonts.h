#pragma once

#include <QFont>
#include <QHash>
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

// The faces fontconfig matches the desktop's generic families with
// ("sans serif" -> "DejaVu Sans", keys case-folded). From then on a font
// that would be named by a generic family is named by its face: Qt finds it
// at once instead of failing on the generic name and searching for a stand-in
// for every size. The face drawn is the same. Call before the first font.
void UseGenericFaces(const QHash<QString, QString>& faces);

// `font`, named by the face behind its family where that is a generic one.
QFont NamedByFace(const QFont& font);

// The desktop's fixed-pitch font, named by its face.
QFont FixedPitchFont();

// Names the application font by its face too: every text box lays out its
// first, empty line in it before its own font applies. Left alone where the
// desktop gives some kinds of widget fonts of their own, which a new
// application font would drop.
void NameApplicationFontByFace();

// The window's face: "MS Sans Serif", or the desktop's own sans face.
QStringList WindowFamilies();
// The serif face of the green texts: Times New Roman, or the
// metric-compatible Liberation Serif, or DejaVu Serif.
QStringList SerifFamilies();
// Courier New, or the stand-ins Liberation Mono and DejaVu Sans Mono.
QStringList MonoFamilies();

} // namespace welkor::gui
