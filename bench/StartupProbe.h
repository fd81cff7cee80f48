#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <sys/resource.h>

// Ends the program as soon as `window` has been painted once, printing the
// process's peak resident memory for bench/startup to read.
class QuitWhenPainted : public QObject {
public:
    explicit QuitWhenPainted(QWidget* window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            QTimer::singleShot(0, qApp, [] {
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                std::printf("maxrss_kb %ld\n", usage.ru_maxrss);
                // WELKOR_PROBE_MAPS=1 lists the resident size of every mapping,
                // to see where the memory goes.
                if (qEnvironmentVariableIsSet("WELKOR_PROBE_MAPS")) {
                    if (FILE* maps = std::fopen("/proc/self/smaps", "r")) {
                        char line[512];
                        while (std::fgets(line, sizeof line, maps))
                            std::fputs(line, stderr);
                        std::fclose(maps);
                    }
                }
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool done_ = false;
};
