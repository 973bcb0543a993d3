#pragma once

#include <QString>
#include <QStringView>

#include "engine/yearahead.h"

// The year ahead in words, for a terminal: the same things its page shows.
namespace Kistarra {

// The year ahead's title: the heading of its text, its page's name and its tab's caption.
inline constexpr QStringView YearAheadTitle = u"Nine Star Ki Year Ahead";

// Headings, the date, the solar year and month; for the year and for the month its chart with
// South at the top, where the person's star stands and what that palace brings, the directions
// to avoid by name and the favourable ones; then the nine-year cycle as a table. Every line ends
// in "\n"; paragraphs are wrapped to 78 columns. Meant for what ComputeYearAhead gives.
[[nodiscard]] QString YearAheadText(const YearAhead& ahead);

// "1 June 2026", written the same in every locale; "?" for an invalid date.
[[nodiscard]] QString YearAheadDateText(QDate date);

// "a Horse", "an Ox": the zodiac branch 0..11 (0 = Rat) with its article.
[[nodiscard]] QString BranchWithArticle(int branch);

// "from 4 February 2026 to 3 February 2027": the days of a solar year, and of a solar month.
[[nodiscard]] QString SolarYearSpanText(int solarYear);
[[nodiscard]] QString SolarMonthSpanText(SolarDate solar);

// Where the chart puts one direction to avoid, in words: "North", "none, the 5 stands in the
// Centre", "North, opposite the Horse in the South".
[[nodiscard]] QString AvoidedDirectionText(const Chart& chart, Avoid avoid);

// The favourable directions by name in the order of the palaces, or "none".
[[nodiscard]] QString FavourableDirectionsText(const Chart& chart);

} // namespace Kistarra
