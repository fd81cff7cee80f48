#pragma once

#include <thread>

namespace welkor::gui {

// Reads the system's font configuration (every file under /etc/fonts and the
// font caches: the largest single step before the window can lay out its
// first text) on a thread of its own, started before the QApplication, while
// Qt loads its platform plugin and connects to the display. Wait() before the
// window is built: Qt reads the same configuration at its first text, and
// while the thread is still at it would read it a second time.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

    void Wait();

private:
    std::thread thread_;
};

} // namespace welkor::gui
