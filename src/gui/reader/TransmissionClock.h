#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

// The date and time a converted transmission carries in its line 4, both from
// one reading of the clock.

// The locale's short date format, always with a four-digit year: a report
// must not become ambiguous because the machine's locale writes "12/8/26".
QString TransmissionDate(const QLocale& locale, const QDate& date);

// The locale's long time format without the time zone ("14:05:09").
QString TransmissionTime(const QLocale& locale, const QTime& time);
