#pragma once

#include <optional>

#include <QByteArray>
#include <QTimeZone>

#include "engine/ninestar.h"

namespace Kistarra {

// How the person asks for readings to be made: the year rule, the time zone the solar terms are
// dated in and whether the birth reading follows the true solar terms. The program holds one
// copy, the settings keep it and every window that makes or shows a reading is built with it; a
// new option is one more field here, one key in the settings and one menu entry.
struct ReadingOptions {
    YearRule yearRule = YearRule::Calendar;
    QByteArray timeZoneId; // as chosen; empty: the computer's own zone
    bool trueSolarTerms = false;

    // The zone the chosen id names; the computer's own for an empty id, or for one that no longer
    // names a zone (a stored choice outlives an update of the zone database).
    [[nodiscard]] QTimeZone zone() const;
    // The zone the birth reading takes its solar month from: zone() with the true solar terms on,
    // none with the fixed table's days.
    [[nodiscard]] std::optional<QTimeZone> trueTermsZone() const;

    friend bool operator==(const ReadingOptions&, const ReadingOptions&) = default;
};

} // namespace Kistarra
