#pragma once

#include <QJsonObject>

#include "engine/daycalendar.h"

// The day and the month's calendar on the command line, as JSON.
namespace Kistarra {

// {"index": 42, "characters": "丙午", "name": "Fire Horse"}.
[[nodiscard]] QJsonObject StemBranchJson(StemBranch day);

// {"month": "2026-06", "timeZone", "name", "principal", "days": [{"date", "stemBranch", "star",
// "ascending", "palace", "journey": [codes], "move": [codes], "terms": [{"name", "local"}]}]}:
// the directions in the order N, NE, E, SE, S, SW, W, NW; a term's local time with its offset,
// to the minute.
// The name is the person's, as the reading's JSON gives it. With a partner (the calendar's
// partner principal) the object gains "partner": {"name", "principal"} and each day
// "journeyTogether" and "moveTogether", the directions good for both.
[[nodiscard]] QJsonObject CalendarJson(const MonthCalendar& calendar, const QString& name,
                                       const QString& partnerName = {});

} // namespace Kistarra
