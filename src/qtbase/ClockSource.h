#pragma once

#include <QDateTime>

// Where the window reads the date and the time; tests fix it.
class ClockSource {
public:
    virtual ~ClockSource() = default;
    virtual QDateTime now() = 0;
};

class SystemClock : public ClockSource {
public:
    QDateTime now() override { return QDateTime::currentDateTime(); }
};
