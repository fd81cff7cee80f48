#pragma once

#include <QImage>
#include <QString>

namespace welkor::gui {

// The maker's logo printed in the top-left corner of a report: the plate
// emblem beside the name, on white. The build draws it once into
// "Marvant.bmp" beside the executable; the program reads that file at the first print.
inline const QString kLogoFileName = QStringLiteral("Marvant.bmp");

// The logo picture, 600 x 250 pixels (1 x 0.42 inch on a printed page).
QImage DrawLogo();

// The logo file in `directory`, or a null image when it is missing or cannot
// be read (the report is then printed without it).
QImage LoadLogo(const QString& directory);

} // namespace welkor::gui
