#pragma once

#include <QString>
#include <QStringView>
#include <QTimeZone>

#include "engine/yearahead.h"
#include "reading/datetext.h"

// The year ahead in words: the command line's text, and the sentences its page shows.
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

// "a Horse", "an Ox": the zodiac branch 0..11 (0 = Rat) with its article.
[[nodiscard]] QString BranchWithArticle(int branch);

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
