#include "reading/calendartext.h"

#include <QStringList>

#include "engine/solarterms.h"
#include "reading/datetext.h"
#include "reading/yearaheadtext.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// Where a day's line puts its columns: the directions for both after a journey of four
// directions ("NE, SE, SW, NW"), and the terms after either.
constexpr int JourneyColumnEnd = 63;
constexpr int TermsColumn = 70;
constexpr int BothColumnWidth = 22; // "  both: NE, SE, SW, NW"
constexpr int TermsColumnForTwo = TermsColumn + BothColumnWidth;

QString directions(PalaceSet palaces, QStringView (*name)(Palace))
{
    QStringList names;
    for (const Palace palace : Palaces) {
        if (palace != Palace::C && palaces.contains(palace))
            names << name(palace).toString();
    }
    return names.isEmpty() ? NoDirection.toString() : names.join(u", "_s);
}

QString termsText(const CalendarDay& day, QStringView separator)
{
    QStringList terms;
    for (const TermOnDay& term : day.dayTerms())
        terms << TermText(term);
    return terms.join(separator);
}

} // namespace

QString CalendarMonthTitle(const MonthCalendar& calendar)
{
    return MonthTitleText(calendar.year, calendar.month);
}

QString DirectionCodes(PalaceSet palaces)
{
    return directions(palaces, &PalaceCode);
}

QString DirectionNames(PalaceSet palaces)
{
    return directions(palaces, &PalaceName);
}

QString MoveText(const MoveDirections& move, bool forBoth)
{
    return u"From "_s % LongDateText(move.from) % u", solar month "_s %
           QString::number(move.solar.month) % u", "_s % BranchWithArticle(move.month.branch) %
           u" month: "_s % DirectionNames(forBoth ? move.moveTogether : move.move);
}

QString TermText(const TermOnDay& term)
{
    return SolarTermName(term.term) % u' ' % LocalTimeText(term.local);
}

QString CalendarDayName(const CalendarDay& day, bool withPartner)
{
    QString name = WeekdayText(day.date.dayOfWeek()) % u' ' % LongDateText(day.date) %
                   u", star "_s % QString::number(day.star.star) % u", "_s %
                   StemBranchName(day.stemBranch) % u", good for a journey: "_s %
                   DirectionNames(day.journey);
    if (withPartner)
        name += u", for both: "_s % DirectionNames(day.journeyTogether);
    for (const TermOnDay& term : day.dayTerms())
        name += u", "_s % SolarTermName(term.term) % u" at "_s % LocalTimeText(term.local);
    return name;
}

QString CalendarText(const MonthCalendar& calendar, const QString& partnerName)
{
    const bool together = calendar.hasPartner();
    QString out = u"Nine Star Ki Calendar: "_s % CalendarMonthTitle(calendar) % u'\n';
    out += u"Principal number "_s % QString::number(calendar.principal) % u", time zone "_s %
           TimeZoneName(calendar.zone) % u'\n';
    if (together)
        out += u"Partner "_s % partnerName % u", principal number "_s %
               QString::number(calendar.partnerPrincipal) % u'\n';
    out += u"\nGood for a move:\n"_s;
    for (const MoveDirections& move : calendar.monthMoves())
        out += u"    "_s % MoveText(move) % u'\n';
    if (together) {
        out += u"Good for a move for both:\n"_s;
        for (const MoveDirections& move : calendar.monthMoves())
            out += u"    "_s % MoveText(move, true) % u'\n';
    }
    out += u'\n';
    for (const CalendarDay& day : calendar.monthDays()) {
        QString line = WeekdayText(day.date.dayOfWeek()).left(3) % u' ' %
                       QString::number(day.date.day()).rightJustified(2) % u"  star "_s %
                       QString::number(day.star.star) %
                       (day.star.ascending ? u" up  "_s : u" down"_s) % u"  "_s %
                       StemBranchCharacters(day.stemBranch) % u' ' %
                       StemBranchName(day.stemBranch).leftJustified(14) % u"  journey: "_s %
                       DirectionCodes(day.journey);
        if (together)
            line = line.leftJustified(JourneyColumnEnd) % u"  both: "_s %
                   DirectionCodes(day.journeyTogether);
        if (day.termCount > 0)
            line = line.leftJustified(together ? TermsColumnForTwo : TermsColumn) % u"  "_s %
                   termsText(day, u", ");
        while (line.endsWith(u' '))
            line.chop(1);
        out += line % u'\n';
    }
    return out;
}

} // namespace Kistarra
