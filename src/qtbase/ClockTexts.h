#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

// The date and the time as the program shows and writes them: the status
// bar's panels and line 4 of a converted transmission.

// The locale's short date format, always with a four-digit year: a report
// must not become ambiguous because the machine's locale writes "12/8/26".
QString TransmissionDate(const QLocale& locale, const QDate& date);

// The locale's short date format as it is (the status bar's date).
QString ShortDateText(const QLocale& locale, const QDate& date);

// The locale's long time format without the time zone: the wall clock as the
// laboratory reads it ("14:05:09").
QString LongTimeText(const QLocale& locale, const QTime& time);
