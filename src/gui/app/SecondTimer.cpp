#include "gui/app/SecondTimer.h"

#include "qtbase/ClockSource.h"

#include <QTimer>

#include <algorithm>

namespace welkor::gui {

SecondTimer::SecondTimer(ClockSource& clock) : clock_(clock)
{
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, [this] {
        emit tick();
        KeepOnTheSecond();
    });
    Timer1Phase = new QTimer(this);
    Timer1Phase->setSingleShot(true);
    Timer1Phase->setTimerType(Qt::PreciseTimer);
    connect(Timer1Phase, &QTimer::timeout, this, [this] {
        Timer1->start(); // its ticks fall on the second from now on
        emit tick();
    });
}

void SecondTimer::Start()
{
    Timer1->start();
    KeepOnTheSecond();
}

void SecondTimer::KeepOnTheSecond()
{
    // Dropping the milliseconds rounds the wait up, never down.
    constexpr int kPastTheSecond = 5;
    constexpr int kLateness = 50;
    if (Timer1->interval() != 1000 || Timer1Phase->isActive())
        return;
    const int msec = std::clamp(clock_.now().time().msec(), 0, 999);
    if (msec >= kPastTheSecond && msec <= kPastTheSecond + kLateness)
        return;
    Timer1Phase->start(1000 - msec + kPastTheSecond);
}

} // namespace welkor::gui
