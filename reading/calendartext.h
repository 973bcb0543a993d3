#pragma once

#include <QString>
#include <QStringView>

#include "engine/daycalendar.h"

// A month of days in words: for the command line, for a screen reader and for the printed page.
namespace Kistarra {

// What a list of directions shows when it holds none.
inline constexpr QStringView NoDirection = u"\u2014";

// "June 2026".
[[nodiscard]] QString CalendarMonthTitle(const MonthCalendar& calendar);

// The directions marked, in the order N, NE, E, SE, S, SW, W, NW: "NE, SE" or "North East, South
// East"; NoDirection for none.
[[nodiscard]] QString DirectionCodes(PalaceSet palaces);
[[nodiscard]] QString DirectionNames(PalaceSet palaces);

// "From 6 June 2026, solar month 5, a Horse month: North East, South East"; for both, the
// directions good for a move for the person and the partner.
[[nodiscard]] QString MoveText(const MoveDirections& move, bool forBoth = false);

// "Grain in Ear 00:48": the term and its local time.
[[nodiscard]] QString TermText(const TermOnDay& term);

// "Monday 1 June 2026, star 1, Fire Horse, good for a journey: North East", with a partner
// ", for both: North East", and the terms of the day: what a screen reader says for a day of the
// calendar.
[[nodiscard]] QString CalendarDayName(const CalendarDay& day, bool withPartner = false);

// The month as the command line prints it: a title, the directions good for a move, then one line
// a day: "Mon  1  star 1 up    丙午 Fire Horse    journey: NE    Grain in Ear 00:48". With a
// partner (the calendar's partner principal, this name) a line naming them, the directions good
// for a move for both and a column "both: NE" after the journey. The names are written as given:
// the caller makes them safe for a terminal. Every line ends in "\n".
[[nodiscard]] QString CalendarText(const MonthCalendar& calendar, const QString& partnerName = {});

} // namespace Kistarra
