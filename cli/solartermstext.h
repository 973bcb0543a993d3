#pragma once

#include <QString>
#include <QTimeZone>

// --solar-terms: the 24 solar terms of a calendar year as the zone dates them.
namespace Kistarra {

// One line a term, in the order of the year: its longitude, English name, characters, and local
// date and time with the zone ("285  Minor Cold            小寒  5 January 2026 17:23,
// Asia/Tokyo"). The year must be one the terms are given for.
[[nodiscard]] QString SolarTermsText(int year, const QTimeZone& zone);

// {"year", "timeZone", "terms": [{"longitude", "name", "characters", "local", "utc"} x 24]}, the
// times in ISO 8601 to the minute ("2026-01-05T17:23+09:00", "2026-01-05T08:23Z"), indented.
[[nodiscard]] QString SolarTermsJson(int year, const QTimeZone& zone);

} // namespace Kistarra
