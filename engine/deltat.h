#pragma once

// TT - UT (ΔT), which turns the Terrestrial Time the Sun's position is worked out in into the
// Universal Time the terms are shown in.
namespace Kistarra {

// TT - UT in seconds at a decimal Julian year (2000 + days from J2000.0 / 365.25): up to 1973 the
// historical values of Morrison, Stephenson, Hohenkerk and Zawilski (2021), from 1973 the IERS's
// observed values, and after the last of those a forecast that starts level from it and bends
// upwards as the tides slow the Earth. Meant for 1898..2102; outside, the nearest end's rule.
[[nodiscard]] double DeltaTSeconds(double decimalYear);

} // namespace Kistarra
