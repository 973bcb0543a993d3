#include "reading/calendarwords.h"

#include <QDateTime>
#include <QStringList>

#include "engine/ninestar.h"
#include "reading/calendartext.h"
#include "reading/datetext.h"
#include "reading/yearaheadtext.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr std::array<QStringView, 9> StarCharacters = {u"一白水星", u"二黒土星", u"三碧木星",
                                                       u"四緑木星", u"五黄土星", u"六白金星",
                                                       u"七赤金星", u"八白土星", u"九紫火星"};
constexpr std::array<QStringView, 9> StarNames = {
    u"One White Water", u"Two Black Earth",   u"Three Jade Wood",
    u"Four Green Wood", u"Five Yellow Earth", u"Six White Metal",
    u"Seven Red Metal", u"Eight White Earth", u"Nine Purple Fire"};

} // namespace

QStringView JourneySign(const CalendarDay& day)
{
    const int count = JourneyCount(day);
    return count == 0 ? QStringView() : count == 1 ? OneJourneySign : SeveralJourneysSign;
}

QStringView BothSign(const CalendarDay& day)
{
    return day.journeyTogether.empty() ? QStringView() : BothJourneySign;
}

QStringView PeriodSign(const CalendarDay& day)
{
    const auto mark = PeriodBeginning(day);
    return !mark ? QStringView() : *mark == PeriodMark::Ascending ? AscendingMark : DescendingMark;
}

QString CalendarDayExtras(const CalendarDay& day)
{
    QString text = u", avoid "_s % AvoidedDirectionsText(AvoidedDirections(day.chart));
    if (const auto mark = PeriodBeginning(day))
        text += u", "_s % PeriodMarkText(*mark);
    return text;
}

QString DayStarCharacters(int star)
{
    return star >= 1 && star <= 9 ? StarCharacters[static_cast<std::size_t>(star - 1)].toString()
                                  : QString();
}

QString DayStarName(int star)
{
    return star >= 1 && star <= 9 ? StarNames[static_cast<std::size_t>(star - 1)].toString()
                                  : QString();
}

QString PeriodMarkText(PeriodMark mark)
{
    return mark == PeriodMark::Ascending ? u"ascending period begins"_s
                                         : u"descending period begins"_s;
}

QString PeriodMarkCharacters(PeriodMark mark)
{
    return mark == PeriodMark::Ascending ? u"陽遁始め"_s : u"陰遁始め"_s;
}

QString AvoidReasonsText(AvoidReasons reasons)
{
    QStringList names;
    for (const Avoid avoid : Avoids) {
        if (reasons.has(avoid))
            names << AvoidName(avoid).toString();
    }
    return names.join(u", "_s);
}

QString AvoidedDirectionsText(const std::array<AvoidReasons, 9>& avoided)
{
    QStringList parts;
    for (const Palace palace : Palaces) {
        if (avoided[PalaceIndex(palace)].any())
            parts << PalaceName(palace) % u": "_s % AvoidReasonsText(avoided[PalaceIndex(palace)]);
    }
    return parts.isEmpty() ? NoDirection.toString() : parts.join(u"; "_s);
}

QString StemBranchText(StemBranch stemBranch)
{
    return StemBranchCharacters(stemBranch) % u' ' % StemBranchName(stemBranch);
}

QString CalendarOwnerText(const QString& name, const MonthCalendar& calendar,
                          const QString& partnerName, QDate day)
{
    const QString number = u"rincipal number "_s % QString::number(calendar.principal);
    QString owner = name.isEmpty() ? QString(u'P' % number) : QString(name % u", p"_s % number);
    if (calendar.hasPartner())
        owner += u", and "_s % partnerName % u", principal number "_s %
                 QString::number(calendar.partnerPrincipal);
    return owner % u" \u00b7 times in "_s % ZoneWithOffset(calendar.zone, day);
}

QString CalendarCycleText(const MonthCalendar& calendar)
{
    QStringList parts;
    int shownYear = 0;
    for (const MoveDirections& move : calendar.monthMoves()) {
        if (move.solar.year != shownYear) {
            shownYear = move.solar.year;
            parts << u"Year "_s % StemBranchText(YearStemBranch(shownYear));
        }
        const auto month = MonthStemBranch(move.solar);
        if (month)
            parts << u"month "_s % StemBranchText(*month) % u" from "_s %
                         QString::number(move.from.day()) % u' ' %
                         MonthNames[static_cast<std::size_t>(move.from.month() - 1)];
    }
    return parts.join(u" \u00b7 "_s);
}

} // namespace Kistarra
