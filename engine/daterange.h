#pragma once

#include <QDate>

// The dates the program's sky is given for, in one place. The solar terms are worked out for the
// calendar years 1900 to 2100; the year ahead, the day chart and the calendar start where the first
// of those solar years does, on 4 February 1900, and end on the last day of 2100. (The birth
// details' year list, 1900 to 2050, is a list of its own: engine/ninestar.h.)
namespace Kistarra::DateRange {

inline constexpr int FirstYear = 1900;
inline constexpr int LastYear = 2100;
// The first solar year begins on the fixed date of Start of Spring.
inline constexpr int FirstMonth = 2;
inline constexpr int FirstDay = 4;

[[nodiscard]] constexpr bool ContainsYear(int year)
{
    return year >= FirstYear && year <= LastYear;
}

// February 1900 to December 2100; false for a month outside 1..12.
[[nodiscard]] constexpr bool ContainsMonth(int year, int month)
{
    return month >= 1 && month <= 12 && (year > FirstYear || month >= FirstMonth) &&
           year >= FirstYear && year <= LastYear;
}

// The Julian Day Numbers of 4 February 1900 and 31 December 2100, so that a date is placed without
// working out its fields.
inline constexpr qint64 FirstJulianDay = 2415055;
inline constexpr qint64 LastJulianDay = 2488434;

[[nodiscard]] constexpr QDate FirstDate()
{
    return QDate::fromJulianDay(FirstJulianDay);
}

[[nodiscard]] constexpr QDate LastDate()
{
    return QDate::fromJulianDay(LastJulianDay);
}

// A valid date from FirstDate to LastDate.
[[nodiscard]] constexpr bool Contains(QDate date)
{
    return date.isValid() && date.toJulianDay() >= FirstJulianDay &&
           date.toJulianDay() <= LastJulianDay;
}

} // namespace Kistarra::DateRange
