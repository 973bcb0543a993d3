#pragma once

#include <optional>

#include <QString>

#include "cli/arguments.h"
#include "engine/daycalendar.h"
#include "engine/yearahead.h"
#include "reading/reading.h"

namespace Kistarra {

// What a run has read: the reading, and its year ahead when --forecast asks for it.
struct Answer {
    Reading reading;
    std::optional<YearAhead> ahead;
    std::optional<DayAhead> day;           // with the year ahead: its date's day
    std::optional<MonthCalendar> calendar; // from --calendar
};

// The message with every control character a value brought into it written out (\n, \x1B), so a
// refusal is always exactly one line.
[[nodiscard]] QString OneLine(const QString& message);

// What goes to standard output: the report (the default when no file is asked for), the year
// ahead in words (in the default report's place, or after a report asked for), and the JSON
// object.
[[nodiscard]] QString TerminalText(const CommandLineRequest& request, const Answer& answer);

} // namespace Kistarra
