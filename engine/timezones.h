#pragma once

#include <optional>

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QTimeZone>

// The time zone a person chooses, by its id: an IANA name ("Asia/Tokyo", also the older names the
// database keeps as links, such as "US/Eastern"), "UTC", or a fixed offset ("UTC+09:00").
namespace Kistarra {

// The zone an id names; nothing for an id that names none. Only names of the zone database
// installed under /usr/share/zoneinfo count (a POSIX rule such as "JST-9" does not), and a name
// is never read as a path elsewhere. A fixed offset is "UTC+HH:MM" or "UTC-HH:MM" from -14:00 to
// +14:00 in whole quarter hours (minutes 00, 15, 30 or 45), as every offset in use is.
[[nodiscard]] std::optional<QTimeZone> TimeZoneFromId(QStringView id);

// The computer's own zone, as this program uses it. A computer may name a zone it has no data for
// (TZ set in a container without the zone database, or a name misspelt): its times are then in
// UTC, as the C library falls back to it, and unknownName says what the computer named.
struct ComputerTimeZone {
    QTimeZone zone;
    QString unknownName; // empty when the computer's zone is known
};
[[nodiscard]] ComputerTimeZone ComputersTimeZone();

} // namespace Kistarra
