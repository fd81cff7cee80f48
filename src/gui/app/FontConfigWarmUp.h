#pragma once

#include <QHash>
#include <QString>

#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace welkor::gui {

// Reads the system's font configuration (every file under /etc/fonts and the
// font caches: the largest single step before the window can lay out its
// first text) on a thread of its own, started before the QApplication, while
// Qt loads its platform plugin and connects to the display. Wait() before the
// window is built: Qt reads the same configuration at its first text, and
// while the thread is still at it would read it a second time.
//
// The same thread asks fontconfig which face stands behind each generic
// family Qt names the desktop's fonts by ("Sans Serif", "monospace"). Qt
// cannot open a generic family itself: each font asked for by one first
// fails to load and then sorts every installed face for a stand-in, once per
// size and face. Named by the face it ends with, the font is found at once.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

    void Wait();

    // After Wait(): generic family -> the face fontconfig matches it with.
    // Empty where fontconfig is not used.
    QHash<QString, QString> GenericFaces();

private:
    std::thread thread_;
    std::vector<std::pair<std::string, std::string>> faces_; // written by the thread only
};

} // namespace welkor::gui
