#include "reading/datetext.h"

#include <array>
#include <cstddef>

#include <QDateTime>
#include <QLocale>

#include "engine/timezones.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// "2026-02-04T05:02": the date and the minute; with seconds, "1900-01-20T06:02:24".
QString isoMinute(const QDateTime& moment, bool seconds = false)
{
    return moment.date().toString(Qt::ISODate) % u'T' %
           moment.time().toString(seconds ? u"HH:mm:ss" : u"HH:mm");
}

QString twoDigits(int number)
{
    return QString::number(number).rightJustified(2, u'0');
}

// "+09:00", "-05:29:36": an offset from UTC as ISO 8601 writes it, with seconds only where it has
// them (the local mean times of old).
QString offsetText(int offsetSeconds)
{
    const int magnitude = offsetSeconds < 0 ? -offsetSeconds : offsetSeconds;
    QString text = (offsetSeconds < 0 ? u'-' : u'+') % twoDigits(magnitude / 3600) % u':' %
                   twoDigits(magnitude / 60 % 60);
    if (magnitude % 60 != 0)
        text += u':' % twoDigits(magnitude % 60);
    return text;
}

// The names as QLocale::c() gives them, asked for once: a calendar month names every day.
struct Names {
    std::array<QString, 12> months;
    std::array<QString, 12> shortMonths;
    std::array<QString, 7> weekdays;
};

const Names& names()
{
    static const Names all = [] {
        const QLocale c = QLocale::c();
        Names made;
        for (int month = 1; month <= 12; ++month) {
            made.months[static_cast<std::size_t>(month - 1)] = c.monthName(month);
            made.shortMonths[static_cast<std::size_t>(month - 1)] =
                c.monthName(month, QLocale::ShortFormat);
        }
        for (int day = 1; day <= 7; ++day)
            made.weekdays[static_cast<std::size_t>(day - 1)] = c.dayName(day);
        return made;
    }();
    return all;
}

const QString& monthName(int month)
{
    return names().months.at(static_cast<std::size_t>(month - 1));
}

} // namespace

QString LongDateText(QDate date)
{
    if (!date.isValid())
        return u"?"_s;
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    return QString::number(day) % u' ' % monthName(month) % u' ' % QString::number(year);
}

QString ShortDateText(QDate date)
{
    return QString::number(date.day()) % u' ' %
           names().shortMonths.at(static_cast<std::size_t>(date.month() - 1));
}

QString WeekdayText(int dayOfWeek)
{
    return names().weekdays.at(static_cast<std::size_t>(dayOfWeek - 1));
}

QString MonthTitleText(int year, int month)
{
    return monthName(month) % u' ' % QString::number(year);
}

QString LocalMinuteText(const LocalInstant& instant)
{
    const QDateTime local = instant.localDateTime();
    return LongDateText(local.date()) % u' ' % local.time().toString(u"HH:mm");
}

QString LocalTimeText(const LocalInstant& instant)
{
    return instant.localDateTime().time().toString(u"HH:mm");
}

QString LocalMinuteIso(const LocalInstant& instant)
{
    // The local time is the term's UTC minute moved by the whole offset: where the offset has
    // seconds (the local mean times of old), so does the local time, and both are written out so
    // that the text names the same instant as the UTC minute beside it.
    const bool seconds = instant.offsetSeconds % 60 != 0;
    return isoMinute(instant.localDateTime(), seconds) % offsetText(instant.offsetSeconds);
}

QString UtcMinuteIso(const LocalInstant& instant)
{
    return isoMinute(QDateTime::fromSecsSinceEpoch(instant.utcSeconds, Qt::UTC)) % u'Z';
}

QString TimeZoneName(const QTimeZone& zone)
{
    return QString::fromUtf8(zone.id());
}

QString UtcOffsetText(int offsetSeconds)
{
    return u"UTC"_s % offsetText(offsetSeconds);
}

QString ZoneWithOffset(const QTimeZone& zone, QDate day)
{
    const QDateTime noon(day, QTime(12, 0), zone);
    return TimeZoneName(zone) % u", "_s % UtcOffsetText(zone.offsetFromUtc(noon));
}

QString ZoneInUseName(const QTimeZone& zone)
{
    if (zone == QTimeZone::utc() && !ComputersTimeZone().unknownName.isEmpty())
        return u"UTC (the computer's time zone is not known)"_s;
    return TimeZoneName(zone);
}

} // namespace Kistarra
