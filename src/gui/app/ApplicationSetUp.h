#pragma once

namespace welkor::gui {

class FontConfigWarmUp;

// What the program sets up between its QApplication and its main window:
// Qt's own texts in Polish, the desktop entry and the window icon, the
// faces behind the desktop's generic fonts (waiting for `fonts`), and the
// style. The start-up benchmark starts the window the same way.
void SetUpApplication(FontConfigWarmUp& fonts);

} // namespace welkor::gui
