#include "reading/calendartext.h"

#include <QStringList>

#include "engine/solarterms.h"
#include "reading/datetext.h"
#include "reading/yearaheadtext.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

QString directions(PalaceSet palaces, QStringView (*name)(Palace))
{
    QStringList names;
    for (const Palace palace : Palaces) {
        if (palace != Palace::C && palaces.contains(palace))
            names << name(palace).toString();
    }
    return names.isEmpty() ? NoDirection.toString() : names.join(u", "_s);
}

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString termsText(const CalendarDay& day, QStringView separator)
{
    QStringList terms;
    for (const TermOnDay& term : day.dayTerms())
        terms << TermText(term);
    return terms.join(separator);
}

QString dayCellHtml(const CalendarDay& day)
{
    QString cell = u"<b>"_s % QString::number(day.date.day()) % u"</b> &nbsp;star "_s %
                   QString::number(day.star.star) %
                   (day.star.ascending ? u" \u2191"_s : u" \u2193"_s) % u"<br>"_s %
                   escaped(StemBranchCharacters(day.stemBranch)) % u' ' %
                   escaped(StemBranchName(day.stemBranch)) % u"<br>journey: "_s %
                   escaped(DirectionCodes(day.journey));
    if (day.termCount > 0)
        cell += u"<br><i>"_s % escaped(termsText(day, u"; ")) % u"</i>"_s;
    return cell;
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

QString MoveText(const MoveDirections& move)
{
    return u"From "_s % LongDateText(move.from) % u", solar month "_s %
           QString::number(move.solar.month) % u", "_s % BranchWithArticle(move.month.branch) %
           u" month: "_s % DirectionNames(move.move);
}

QString TermText(const TermOnDay& term)
{
    return SolarTermName(term.term) % u' ' % LocalTimeText(term.local);
}

QString CalendarDayName(const CalendarDay& day)
{
    QString name = WeekdayText(day.date.dayOfWeek()) % u' ' % LongDateText(day.date) %
                   u", star "_s % QString::number(day.star.star) % u", "_s %
                   StemBranchName(day.stemBranch) % u", good for a journey: "_s %
                   DirectionNames(day.journey);
    for (const TermOnDay& term : day.dayTerms())
        name += u", "_s % SolarTermName(term.term) % u" at "_s % LocalTimeText(term.local);
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
        QString line = WeekdayText(day.date.dayOfWeek()).left(3) % u' ' %
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

QString CalendarHtml(const MonthCalendar& calendar, Qt::DayOfWeek firstDay)
{
    QString html = u"<h2>Nine Star Ki Calendar: "_s % escaped(CalendarMonthTitle(calendar)) %
                   u"</h2><p>Principal number "_s % QString::number(calendar.principal) %
                   u", time zone "_s % escaped(TimeZoneName(calendar.zone)) %
                   u". Good for a move:"_s;
    for (const MoveDirections& move : calendar.monthMoves())
        html += u"<br>"_s % escaped(MoveText(move));
    html += u"</p><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><tr>"_s;
    for (int column = 0; column < 7; ++column) {
        const int weekday = (static_cast<int>(firstDay) - 1 + column) % 7;
        html += u"<th width=\"14%\">"_s % WeekdayText(weekday + 1) % u"</th>"_s;
    }
    html += u"</tr>"_s;
    const QDate first(calendar.year, calendar.month, 1);
    const int lead = (first.dayOfWeek() - static_cast<int>(firstDay) + 7) % 7;
    const int cells = (lead + calendar.dayCount + 6) / 7 * 7;
    for (int cell = 0; cell < cells; ++cell) {
        if (cell % 7 == 0)
            html += u"<tr>"_s;
        const int index = cell - lead;
        html += u"<td valign=\"top\">"_s %
                (index >= 0 && index < calendar.dayCount
                     ? dayCellHtml(calendar.days[static_cast<std::size_t>(index)])
                     : QString()) %
                u"</td>"_s;
        if (cell % 7 == 6)
            html += u"</tr>"_s;
    }
    return html % u"</table>"_s;
}

} // namespace Kistarra
