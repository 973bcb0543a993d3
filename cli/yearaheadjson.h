#pragma once

#include <QJsonObject>

#include "engine/yearahead.h"

// The year ahead on the command line, as JSON.
namespace Kistarra {

// {"date", "timeZone", "solarYear", "yearBegins", "solarMonth", "monthBegins", "monthEnds",
// "year": chart, "month": chart, "cycle": [{"year", "centre", "palace"} x 9]}; the instants are
// local times with their offset, to the minute ("2026-02-04T05:02+09:00"). A chart is {"centre",
// "stars": {palace code: star}, "palace", "avoid": {"fiveYellow", "darkSword", "ownStar",
// "oppositeOwnStar", "breaker"}, "favourable": [palace codes]} with null for a direction to avoid
// that does not exist.
[[nodiscard]] QJsonObject YearAheadJson(const YearAhead& ahead);

// One chart as YearAheadJson gives it.
[[nodiscard]] QJsonObject ChartJson(const Chart& chart);

} // namespace Kistarra
