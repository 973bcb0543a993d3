#include "reading/readingoptions.h"

#include "engine/timezones.h"

namespace Kistarra {

QTimeZone ReadingOptions::zone() const
{
    if (!timeZoneId.isEmpty()) {
        if (auto chosen = TimeZoneFromId(QString::fromLatin1(timeZoneId)))
            return *chosen;
    }
    return ComputersTimeZone().zone;
}

std::optional<QTimeZone> ReadingOptions::trueTermsZone() const
{
    return trueSolarTerms ? std::optional(zone()) : std::nullopt;
}

} // namespace Kistarra
