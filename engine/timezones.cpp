#include "engine/timezones.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// Area/City/...: letters, digits and _ + - in each part, no part empty (so no leading slash, no
// dots and no "..").
bool looksLikeZoneName(QStringView id)
{
    if (id.isEmpty() || id.size() > 64)
        return false;
    QChar previous = u'/';
    for (const QChar c : id) {
        const bool partChar = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
                              (c >= u'0' && c <= u'9') || c == u'_' || c == u'+' || c == u'-';
        if (!partChar && !(c == u'/' && previous != u'/'))
            return false;
        previous = c;
    }
    return previous != u'/';
}

} // namespace

std::optional<QTimeZone> TimeZoneFromId(QStringView id)
{
    if (!looksLikeZoneName(id) && !id.startsWith(u"UTC"))
        return std::nullopt;
    const QByteArray ianaId = id.toLatin1();
    // The zones of the database's list and the fixed offsets; then the links beside them, which
    // are files of the database too. A zone is read from a regular file only: never from a
    // device or a pipe, which could keep the program waiting.
    const bool listed = QTimeZone::isTimeZoneIdAvailable(ianaId);
    if (!listed &&
        !(looksLikeZoneName(id) && QFileInfo(u"/usr/share/zoneinfo/"_s + id.toString()).isFile()))
        return std::nullopt;
    QTimeZone zone(ianaId);
    if (!zone.isValid())
        return std::nullopt;
    return zone;
}

QTimeZone ChosenTimeZone(const QByteArray& id)
{
    if (!id.isEmpty()) {
        if (auto zone = TimeZoneFromId(QString::fromLatin1(id)))
            return *zone;
    }
    return QTimeZone::systemTimeZone();
}

} // namespace Kistarra
