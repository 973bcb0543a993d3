#include "cli/solartermstext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "engine/solarterms.h"
#include "reading/yearaheadtext.h"

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
    for (int index = 0; index < SolarTermCount; ++index) {
        const SolarTermName& term = SolarTermNameAt(index);
        const auto instant = SolarTermLocalInstant(year, index, zone);
        if (!instant)
            continue;
        text += QString::number(term.longitude).rightJustified(3) % u"  "_s %
                term.name.toString().leftJustified(NameWidth) % term.characters % u"  "_s %
                LocalMinuteText(*instant) % u", "_s % zoneName % u'\n';
    }
    return text;
}

QString SolarTermsJson(int year, const QTimeZone& zone)
{
    QJsonArray terms;
    for (int index = 0; index < SolarTermCount; ++index) {
        const SolarTermName& term = SolarTermNameAt(index);
        const auto instant = SolarTermLocalInstant(year, index, zone);
        if (!instant)
            continue;
        terms.append(QJsonObject{
            {u"longitude"_s, term.longitude},
            {u"name"_s, term.name.toString()},
            {u"characters"_s, term.characters.toString()},
            {u"local"_s, LocalMinuteIso(*instant)},
            {u"utc"_s, UtcMinuteIso(*instant)},
        });
    }
    const QJsonObject object{
        {u"year"_s, year}, {u"timeZone"_s, TimeZoneName(zone)}, {u"terms"_s, terms}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

} // namespace Kistarra
