#include "reading/calendartext.h"

#include <QStringList>

#include "engine/ninestar.h"
#include "engine/solarterms.h"
#include "reading/yearaheadtext.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr std::array<QStringView, 7> DayNames = {u"Monday", u"Tuesday",  u"Wednesday", u"Thursday",
                                                 u"Friday", u"Saturday", u"Sunday"};

QStringView dayName(QDate date)
{
    return DayNames[static_cast<std::size_t>(date.dayOfWeek() - 1)];
}

QString directions(const std::array<bool, 9>& palaces, QStringView (*name)(Palace))
{
    QStringList names;
    for (const Palace palace : Palaces) {
        if (palace != Palace::C && palaces[PalaceIndex(palace)])
            names << name(palace).toString();
    }
    return names.isEmpty() ? NoDirection.toString() : names.join(u", "_s);
}

// "00:48": the term's local time, to the minute it falls in.
QString localTime(const TermOnDay& term)
{
    return LocalMinuteText(term.local).right(5);
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
    return MonthNames[static_cast<std::size_t>(calendar.month - 1)] % u' ' %
           QString::number(calendar.year);
}

QString DirectionCodes(const std::array<bool, 9>& palaces)
{
    return directions(palaces, &PalaceCode);
}

QString DirectionNames(const std::array<bool, 9>& palaces)
{
    return directions(palaces, &PalaceName);
}

QString MoveText(const MoveDirections& move)
{
    return u"From "_s % YearAheadDateText(move.from) % u", solar month "_s %
           QString::number(move.solar.month) % u", "_s % BranchWithArticle(move.month.branch) %
           u" month: "_s % DirectionNames(move.move);
}

QString TermText(const TermOnDay& term)
{
    return SolarTermNameAt(term.index).name % u' ' % localTime(term);
}

QString CalendarDayName(const CalendarDay& day)
{
    QString name = dayName(day.date) % u' ' % YearAheadDateText(day.date) % u", star "_s %
                   QString::number(day.star.star) % u", "_s % StemBranchName(day.stemBranch) %
                   u", good for a journey: "_s % DirectionNames(day.journey);
    for (const TermOnDay& term : day.dayTerms())
        name += u", "_s % SolarTermNameAt(term.index).name % u" at "_s % localTime(term);
    return name;
}

QString CalendarText(const MonthCalendar& calendar)
{
    QString out = u"Nine Star Ki Calendar: "_s % CalendarMonthTitle(calendar) % u'\n';
    out += u"Principal number "_s % QString::number(calendar.principal) % u", time zone "_s %
           TimeZoneName(calendar.zone) % u"\n\nGood for a move:\n"_s;
    for (const MoveDirections& move : calendar.monthMoves())
        out += u"    "_s % MoveText(move) % u'\n';
    out += u'\n';
    for (const CalendarDay& day : calendar.monthDays()) {
        QString line = dayName(day.date).left(3) % u' ' %
                       QString::number(day.date.day()).rightJustified(2) % u"  star "_s %
                       QString::number(day.star.star) %
                       (day.star.ascending ? u" up  "_s : u" down"_s) % u"  "_s %
                       StemBranchCharacters(day.stemBranch) % u' ' %
                       StemBranchName(day.stemBranch).leftJustified(14) % u"  journey: "_s %
                       DirectionCodes(day.journey);
        if (day.termCount > 0)
            line = line.leftJustified(70) % u"  "_s % termsText(day, u", ");
        while (line.endsWith(u' '))
            line.chop(1);
        out += line % u'\n';
    }
    return out;
}

} // namespace Kistarra
