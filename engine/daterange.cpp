#include "engine/daterange.h"

#include "engine/ninestar.h"

namespace Kistarra::DateRange {

static_assert(SolarMonthStarts[FirstMonth - 1].firstDay == FirstDay,
              "the range begins with the first solar year");

// The day numbers against the calendar: 1 January 1900 is day 2415021, and the 201 years to the
// end of 2100 hold 49 leap days (2000 is a leap year, 1900 and 2100 are not).
constexpr qint64 FirstOf1900 = 2415021;
static_assert(FirstJulianDay == FirstOf1900 + 31 + (FirstDay - 1));
static_assert(LastJulianDay == FirstOf1900 + 201 * 365 + 49 - 1);

} // namespace Kistarra::DateRange
