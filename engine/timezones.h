#pragma once

#include <optional>

#include <QByteArray>
#include <QStringView>
#include <QTimeZone>

// The time zone a person chooses, by its id: an IANA name ("Asia/Tokyo", also the older names the
// database keeps as links, such as "US/Eastern"), "UTC", or a fixed offset ("UTC+09:00").
namespace Kistarra {

// The zone an id names; nothing for an id that names none. Only names of the zone database
// installed under /usr/share/zoneinfo count (a POSIX rule such as "JST-9" does not), and a name
// is never read as a path elsewhere.
[[nodiscard]] std::optional<QTimeZone> TimeZoneFromId(QStringView id);

// The zone a stored choice names: the computer's own for an empty choice, or for one that no
// longer names a zone.
[[nodiscard]] QTimeZone ChosenTimeZone(const QByteArray& id);

} // namespace Kistarra
