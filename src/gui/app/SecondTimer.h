#pragma once

#include <QObject>

class ClockSource;
class QTimer;

namespace welkor::gui {

// The window's one-second timer Timer1, kept on the second: each tick is due
// a few milliseconds after a whole second of the clock the window shows, so
// the time panel and the dial's second hand never skip or repeat a second.
// When a tick is off that mark (at start, after a busy moment or a clock
// change) Timer1Phase starts Timer1 again on the next second.
class SecondTimer : public QObject {
    Q_OBJECT
public:
    explicit SecondTimer(ClockSource& clock);

    void Start();

    QTimer* Timer1 = nullptr;
    QTimer* Timer1Phase = nullptr;

signals:
    void tick();

private:
    void KeepOnTheSecond();

    ClockSource& clock_;
};

} // namespace welkor::gui
