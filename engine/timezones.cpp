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

// "UTC+08:45": an offset in whole quarter hours from -14:00 to +14:00, made from its seconds, as
// Qt's own list of offsets leaves out several in use (Eucla, Lord Howe, Chatham).
std::optional<QTimeZone> fixedOffset(QStringView id)
{
    if (id.size() != 9 || !id.startsWith(u"UTC") || (id[3] != u'+' && id[3] != u'-') ||
        id[6] != u':')
        return std::nullopt;
    for (const qsizetype at : {4, 5, 7, 8}) {
        if (id[at] < u'0' || id[at] > u'9')
            return std::nullopt;
    }
    const int minutes = id.sliced(7, 2).toInt();
    const int seconds = (id.sliced(4, 2).toInt() * 60 + minutes) * 60;
    if (minutes % 15 != 0 || minutes >= 60 || seconds > 14 * 3600)
        return std::nullopt;
    // Qt names a zone made from whole hours "UTC+09"; the one of its list keeps "UTC+09:00".
    const QByteArray listed = id.toLatin1();
    if (QTimeZone::isTimeZoneIdAvailable(listed))
        return QTimeZone(listed);
    return QTimeZone(id[3] == u'-' ? -seconds : seconds);
}

} // namespace

std::optional<QTimeZone> TimeZoneFromId(QStringView id)
{
    if (id.startsWith(u"UTC") && id.size() > 3)
        return fixedOffset(id);
    if (!looksLikeZoneName(id))
        return std::nullopt;
    const QByteArray ianaId = id.toLatin1();
    // The zones of the database's list; then the links beside them, which
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

ComputerTimeZone ComputersTimeZone()
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    if (zone.isValid())
        return {zone, {}};
    // Qt names the zone as TZ gives it, without the colon of ":Area/City"; without TZ the name
    // comes from /etc/localtime.
    QByteArray name = QTimeZone::systemTimeZoneId();
    if (name.isEmpty())
        name = qgetenv("TZ");
    return {QTimeZone::utc(), QString::fromLocal8Bit(name)};
}

} // namespace Kistarra
