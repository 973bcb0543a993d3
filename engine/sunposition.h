#pragma once

#include "engine/solarterms.h"

// The Sun's place from the IAU's routines (ERFA), and the instant it reaches a term's longitude:
// what engine/solarterms works out once a year and keeps.
namespace Kistarra {

// The Sun's apparent geocentric ecliptic longitude of date in degrees [0, 360) at a Terrestrial
// Time given as a two-part Julian date (tt1 + tt2).
[[nodiscard]] double SunApparentLongitude(double tt1, double tt2);

// The Terrestrial Time, in days from J2000.0 (Julian date 2451545.0), at which the Sun's apparent
// longitude reaches the term's in the calendar year, worked out afresh each time.
[[nodiscard]] double SolarTermDaysTT(int year, SolarTerm term);

} // namespace Kistarra
