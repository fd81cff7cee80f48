#include "qtbase/ClockTexts.h"

namespace {

// The format with every unquoted run of `letter` replaced by `replacement`
// (an empty replacement drops the run).
QString ReplaceField(const QString& format, QChar letter, const QString& replacement)
{
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar ch = format[i];
        if (ch == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || ch != letter) {
            out += ch;
            continue;
        }
        while (i + 1 < format.size() && format[i + 1] == letter)
            ++i;
        out += replacement;
    }
    return out;
}

} // namespace

QString TransmissionDate(const QLocale& locale, const QDate& date)
{
    const QString format = ReplaceField(locale.dateFormat(QLocale::ShortFormat), QLatin1Char('y'),
                                        QStringLiteral("yyyy"));
    return locale.toString(date, format);
}

QString ShortDateText(const QLocale& locale, const QDate& date)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QString LongTimeText(const QLocale& locale, const QTime& time)
{
    const QString format = ReplaceField(locale.timeFormat(QLocale::LongFormat), QLatin1Char('t'), QString());
    return locale.toString(time, format.simplified());
}
