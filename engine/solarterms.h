#pragma once

#include <optional>

#include <QDate>
#include <QDateTime>
#include <QStringView>
#include <QTimeZone>

// The 24 solar terms: the instants at which the Sun's apparent geocentric longitude (true equinox
// and ecliptic of date) reaches a multiple of 15 degrees. The twelve at 285 + 30k degrees begin the
// solar months; Start of Spring (315 degrees) begins the solar year. The instants are computed
// from the IAU's routines (ERFA) once per calendar year, when a year is first asked for, and kept.
namespace Kistarra {

inline constexpr int SolarTermCount = 24;

// The calendar years whose terms are given.
inline constexpr int SolarTermsFirstYear = 1900;
inline constexpr int SolarTermsLastYear = 2100;

struct SolarTermName {
    int longitude;
    QStringView name;
    QStringView characters;
};

// 0 = Minor Cold (285 degrees), 1 = Major Cold, 2 = Start of Spring, ... 11 = Summer Solstice
// (90 degrees), ... 23 = Winter Solstice (270 degrees): the order of a calendar year. An index
// outside 0..23 answers Minor Cold.
[[nodiscard]] const SolarTermName& SolarTermNameAt(int index);

// The index of the term that begins solar month 1..12 (Start of Spring for month 1, Minor Cold
// for month 12); -1 for any other month.
[[nodiscard]] int SolarMonthTermIndex(int solarMonth);

// The term's time (Qt::UTC): its UT instant rounded to the nearest minute, half a minute up, as
// the almanacs give it. Every local time and day of a term follows from this minute. Invalid
// outside 1900..2100 or 0..23.
[[nodiscard]] QDateTime SolarTermInstant(int year, int index);

// The term's local date in the zone; an invalid date outside the range or for an invalid zone.
[[nodiscard]] QDate SolarTermLocalDate(int year, int index, const QTimeZone& zone);

// A term as a zone sees it: the UTC minute and the zone's offset from UTC at that instant, from
// which its local date and time follow without asking the zone again.
struct LocalInstant {
    qint64 utcSeconds = 0;
    int offsetSeconds = 0;

    [[nodiscard]] QDate localDate() const;
    // With the offset (Qt::OffsetFromUTC); it has seconds only where the offset has them.
    [[nodiscard]] QDateTime localDateTime() const;

    friend constexpr bool operator==(const LocalInstant&, const LocalInstant&) = default;
};

// The term in the zone, for the years either side of the range too (1899 and 2101); nothing
// outside those or for an invalid zone.
[[nodiscard]] std::optional<LocalInstant> SolarTermLocalInstant(int year, int index,
                                                                const QTimeZone& zone);

// The term's Terrestrial Time as a Julian date, worked out afresh (the instants above are kept);
// NaN outside 1900..2100 or 0..23.
[[nodiscard]] double SolarTermJulianDateTT(int year, int index);

// The Sun's apparent geocentric ecliptic longitude of date in degrees [0, 360) at a Terrestrial
// Time given as a two-part Julian date (tt1 + tt2).
[[nodiscard]] double SunApparentLongitude(double tt1, double tt2);

} // namespace Kistarra
