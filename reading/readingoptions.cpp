#include "reading/readingoptions.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include "engine/timezones.h"

namespace Kistarra {

namespace {

// The zone an id names, looked up in the zone database once a run: each window built with the
// options asks again, and the lookup reads the database's files.
std::optional<QTimeZone> NamedZone(const QByteArray& id)
{
    static QMutex guard;
    static QHash<QByteArray, std::optional<QTimeZone>> known;
    const QMutexLocker locked(&guard);
    const auto found = known.constFind(id);
    if (found != known.constEnd())
        return *found;
    return *known.insert(id, TimeZoneFromId(QString::fromLatin1(id)));
}

} // namespace

QTimeZone ReadingOptions::zone() const
{
    if (!timeZoneId.isEmpty()) {
        if (auto chosen = NamedZone(timeZoneId))
            return *chosen;
    }
    return ComputersTimeZone().zone;
}

std::optional<QTimeZone> ReadingOptions::trueTermsZone() const
{
    return trueSolarTerms ? std::optional(zone()) : std::nullopt;
}

} // namespace Kistarra
