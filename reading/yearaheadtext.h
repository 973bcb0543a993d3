#pragma once

#include <QString>

#include "engine/yearahead.h"

// The year ahead in words, for a terminal: the same things its page shows.
namespace Kistarra {

// Headings, the date, the solar year and month; for the year and for the month its chart with
// South at the top, where the person's star stands and what that palace brings, the directions
// to avoid by name and the favourable ones; then the nine-year cycle as a table. Every line ends
// in "\n"; paragraphs are wrapped to 78 columns. Meant for what ComputeYearAhead gives.
[[nodiscard]] QString YearAheadText(const YearAhead& ahead);

} // namespace Kistarra
