#pragma once

#include <QString>
#include <QStringView>
#include <QTimeZone>

#include "engine/yearahead.h"

// The year ahead in words, for a terminal: the same things its page shows.
namespace Kistarra {

// The year ahead's title: the heading of its text, its page's name and its tab's caption.
inline constexpr QStringView YearAheadTitle = u"Nine Star Ki Year Ahead";

// Headings, the date, the time zone, when the solar year and month begin and end; for the year and
// for the month its chart with South at the top, where the person's star stands and what that
// palace brings, the directions to avoid by name and the favourable ones; then the nine-year cycle
// as a table. Every line ends in "\n"; paragraphs are wrapped to 78 columns. Meant for what
// ComputeYearAhead gives.
[[nodiscard]] QString YearAheadText(const YearAhead& ahead);

// One chart's section of that text: the heading, the centre star, the grid, where the person's star
// stands in the period ("this day") and what that brings, the directions to avoid and the
// favourable ones.
[[nodiscard]] QString ChartSectionText(const QString& heading, QStringView period,
                                       const Chart& chart, int principal);

// "1 June 2026", written the same in every locale; "?" for an invalid date.
[[nodiscard]] QString YearAheadDateText(QDate date);

// "a Horse", "an Ox": the zodiac branch 0..11 (0 = Rat) with its article.
[[nodiscard]] QString BranchWithArticle(int branch);

// "4 February 2026 05:02": a term's local date and minute (the term's UTC minute in the zone).
[[nodiscard]] QString LocalMinuteText(const LocalInstant& instant);

// "2026-02-04T05:02+09:00" and "2026-02-03T20:02Z": ISO 8601, the term's minute; where the zone's
// offset has seconds the local time and the offset carry them ("1900-01-20T06:02:24-05:29:36").
[[nodiscard]] QString LocalMinuteIso(const LocalInstant& instant);
[[nodiscard]] QString UtcMinuteIso(const LocalInstant& instant);

// The zone's IANA name ("Asia/Tokyo"), "UTC", or its fixed offset ("UTC+09:00").
[[nodiscard]] QString TimeZoneName(const QTimeZone& zone);

// "from 4 February 2026 05:02 to 4 February 2027 10:46": when the solar year, and the solar
// month, of the year ahead begin and end in its zone.
[[nodiscard]] QString SolarYearSpanText(const YearAhead& ahead);
[[nodiscard]] QString SolarMonthSpanText(const YearAhead& ahead);

// Where the chart puts one direction to avoid, in words: "North", "none, the 5 stands in the
// Centre", "North, opposite the Horse in the South".
[[nodiscard]] QString AvoidedDirectionText(const Chart& chart, Avoid avoid);

// The favourable directions by name in the order of the palaces, or "none".
[[nodiscard]] QString FavourableDirectionsText(const Chart& chart);

} // namespace Kistarra
