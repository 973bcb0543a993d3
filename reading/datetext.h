#pragma once

#include <QDate>
#include <QString>
#include <QTimeZone>

#include "engine/solarterms.h"

// Dates, times and zones in words, the same in every locale (QLocale::c()): what the reading, the
// year ahead, the calendar, the command line and the windows write. The one date written in the
// person's own regional format, the update reminder's stored day, is the settings' business.
namespace Kistarra {

// "1 June 2026"; "?" for an invalid date.
[[nodiscard]] QString LongDateText(QDate date);

// "7 Nov": a day within a year that is named beside it.
[[nodiscard]] QString ShortDateText(QDate date);

// "Monday" for day 1 of the week, as QDate::dayOfWeek() counts, ... "Sunday" for day 7.
[[nodiscard]] QString WeekdayText(int dayOfWeek);

// "June 2026": a month 1..12.
[[nodiscard]] QString MonthTitleText(int year, int month);

// "4 February 2026 05:02": a term's local date and minute (the term's UTC minute in the zone).
[[nodiscard]] QString LocalMinuteText(const LocalInstant& instant);

// "05:02": the local time alone.
[[nodiscard]] QString LocalTimeText(const LocalInstant& instant);

// "2026-02-04T05:02+09:00" and "2026-02-03T20:02Z": ISO 8601, the term's minute; where the zone's
// offset has seconds the local time and the offset carry them ("1900-01-20T06:02:24-05:29:36").
[[nodiscard]] QString LocalMinuteIso(const LocalInstant& instant);
[[nodiscard]] QString UtcMinuteIso(const LocalInstant& instant);

// The zone's IANA name ("Asia/Tokyo"), "UTC", or its fixed offset ("UTC+09:00").
[[nodiscard]] QString TimeZoneName(const QTimeZone& zone);

// "UTC+09:00", "UTC-05:29:36" (seconds only where the offset has them), "UTC+00:00".
[[nodiscard]] QString UtcOffsetText(int offsetSeconds);

// "Asia/Tokyo, UTC+09:00": the zone and the offset in force on that day (at its noon).
[[nodiscard]] QString ZoneWithOffset(const QTimeZone& zone, QDate day);

// The zone in use as the windows name it: its name; "UTC (the computer's time zone is not known)"
// for UTC while the computer's zone is not known, which is then what the computer's choice uses.
[[nodiscard]] QString ZoneInUseName(const QTimeZone& zone);

} // namespace Kistarra
