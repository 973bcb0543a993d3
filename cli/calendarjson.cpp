#include "cli/calendarjson.h"

#include <QJsonArray>

#include "reading/yearaheadtext.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

QJsonArray codes(PalaceSet palaces)
{
    QJsonArray list;
    for (const Palace palace : Palaces) {
        if (palace != Palace::C && palaces.contains(palace))
            list.append(PalaceCode(palace).toString());
    }
    return list;
}

QJsonObject dayJson(const CalendarDay& day, const MonthCalendar& calendar)
{
    QJsonArray terms;
    for (const TermOnDay& term : day.dayTerms())
        terms.append(QJsonObject{{u"name"_s, SolarTermName(term.term).toString()},
                                 {u"local"_s, LocalMinuteIso(term.local)}});
    const MoveDirections& move = calendar.moves[static_cast<std::size_t>(day.moveIndex)];
    QJsonObject object{
        {u"date"_s, day.date.toString(Qt::ISODate)},
        {u"stemBranch"_s, StemBranchJson(day.stemBranch)},
        {u"star"_s, day.star.star},
        {u"ascending"_s, day.star.ascending},
        {u"palace"_s, PalaceCode(day.chart.palace).toString()},
        {u"journey"_s, codes(day.journey)},
        {u"move"_s, codes(move.move)},
        {u"terms"_s, terms},
    };
    if (calendar.hasPartner()) {
        object.insert(u"journeyTogether"_s, codes(day.journeyTogether));
        object.insert(u"moveTogether"_s, codes(move.moveTogether));
    }
    return object;
}

} // namespace

QJsonObject StemBranchJson(StemBranch day)
{
    return QJsonObject{{u"index"_s, day.index},
                       {u"characters"_s, StemBranchCharacters(day)},
                       {u"name"_s, StemBranchName(day)}};
}

QJsonObject CalendarJson(const MonthCalendar& calendar, const QString& name,
                         const QString& partnerName)
{
    QJsonArray days;
    for (const CalendarDay& day : calendar.monthDays())
        days.append(dayJson(day, calendar));
    QJsonObject object{
        {u"month"_s, QDate(calendar.year, calendar.month, 1).toString(u"yyyy-MM"_s)},
        {u"timeZone"_s, TimeZoneName(calendar.zone)},
        {u"name"_s, name},
        {u"principal"_s, calendar.principal},
        {u"days"_s, days},
    };
    if (calendar.hasPartner())
        object.insert(u"partner"_s, QJsonObject{{u"name"_s, partnerName},
                                                {u"principal"_s, calendar.partnerPrincipal}});
    return object;
}

} // namespace Kistarra
