#include "engine/daterange.h"

#include "engine/ninestar.h"

namespace Kistarra::DateRange {

static_assert(SolarMonthStarts[FirstMonth - 1].firstDay == FirstDay,
              "the range begins with the first solar year");

QDate FirstDate()
{
    return {FirstYear, FirstMonth, FirstDay};
}

QDate LastDate()
{
    return {LastYear, 12, 31};
}

bool Contains(QDate date)
{
    return date.isValid() && date >= FirstDate() && date <= LastDate();
}

} // namespace Kistarra::DateRange
