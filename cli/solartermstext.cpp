#include "cli/solartermstext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "engine/solarterms.h"
#include "reading/datetext.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// The longest name, "Awakening of Insects", and two blanks.
constexpr int NameWidth = 22;

} // namespace

QString SolarTermsText(int year, const QTimeZone& zone)
{
    QString text;
    const QString zoneName = TimeZoneName(zone);
    for (const SolarTerm term : SolarTerms) {
        const auto instant = SolarTermLocalInstant(year, term, zone);
        if (!instant)
            continue;
        text += QString::number(SolarTermLongitude(term)).rightJustified(3) % u"  "_s %
                SolarTermName(term).toString().leftJustified(NameWidth) %
                SolarTermCharacters(term) % u"  "_s % LocalMinuteText(*instant) % u", "_s %
                zoneName % u'\n';
    }
    return text;
}

QString SolarTermsJson(int year, const QTimeZone& zone)
{
    QJsonArray terms;
    for (const SolarTerm term : SolarTerms) {
        const auto instant = SolarTermLocalInstant(year, term, zone);
        if (!instant)
            continue;
        terms.append(QJsonObject{
            {u"longitude"_s, SolarTermLongitude(term)},
            {u"name"_s, SolarTermName(term).toString()},
            {u"characters"_s, SolarTermCharacters(term).toString()},
            {u"local"_s, LocalMinuteIso(*instant)},
            {u"utc"_s, UtcMinuteIso(*instant)},
        });
    }
    const QJsonObject object{
        {u"year"_s, year}, {u"timeZone"_s, TimeZoneName(zone)}, {u"terms"_s, terms}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

} // namespace Kistarra
