#pragma once

#include <optional>

#include "engine/daycalendar.h"
#include "engine/yearahead.h"
#include "reading/comparison.h"
#include "reading/reading.h"

namespace Kistarra {

// What a run has worked out for its outputs: the reading; with --forecast its year ahead and the
// day of the forecast's date; with --calendar the month's calendar; with a partner the partner's
// reading and the comparison of the two.
struct Answer {
    Reading reading;
    std::optional<YearAhead> ahead;
    std::optional<DayAhead> day;           // with the year ahead: its date's day
    std::optional<MonthCalendar> calendar; // from --calendar
    std::optional<Reading> partner;
    std::optional<Comparison> comparison;

    // The partner's name, as given; empty without a partner.
    [[nodiscard]] QString partnerName() const
    {
        return partner ? partner->details.name : QString();
    }
};

} // namespace Kistarra
