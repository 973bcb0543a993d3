#pragma once

#include "engine/ninestar.h"

class QSettings;

// The year rule the person chose with the birth details window's "Count Years From 4 February"
// entry, kept in the settings store beside the update reminder: section "Settings", key
// "SolarYear", the plain text "true" or "false".
namespace Kistarra {

// The stored rule; the calendar rule when nothing, or anything but "true", is stored.
[[nodiscard]] YearRule StoredYearRule(QSettings& settings);

// Stores the rule and writes the store out; false when it could not be written.
[[nodiscard]] bool StoreYearRule(QSettings& settings, YearRule rule);

} // namespace Kistarra
