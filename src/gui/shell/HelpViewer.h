#pragma once

#include <QWidget>

class QTextBrowser;

namespace welkor::gui {

// The program's help, an HTML file in Polish, in a window of its own that
// stays open beside the main window. Links between topics work inside it.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* owner);

    // Shows the file at its top, or at the anchor when one is given
    // ("indeks" is the alphabetical index).
    void showTopic(const QString& helpFile, const QString& anchor = {});

    QTextBrowser* browser = nullptr;
};

} // namespace welkor::gui
