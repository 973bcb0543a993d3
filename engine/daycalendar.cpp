#include "engine/daycalendar.h"

#include <algorithm>

#include "engine/daterange.h"
#include "engine/solarterms.h"

namespace Kistarra {

namespace {

std::optional<QDate> termLocalDate(int year, SolarTerm term, const QTimeZone& zone)
{
    const auto local = SolarTermLocalInstant(year, term, zone);
    return local ? std::optional(local->localDate()) : std::nullopt;
}

// The solstices from the December two years before the date's year to the June after, as far as
// the terms reach; a period near a solstice needs the one before it too.
struct SolsticesAround {
    std::array<SolsticeDay, 6> days{};
    std::size_t count = 0;

    SolsticesAround(int year, const QTimeZone& zone)
    {
        for (int y = year - 2; y <= year + 1; ++y) {
            for (const auto& [term, kind] :
                 {std::pair{SolarTerm::SummerSolstice, Solstice::June},
                  std::pair{SolarTerm::WinterSolstice, Solstice::December}}) {
                if ((y == year - 2 && kind == Solstice::June) ||
                    (y == year + 1 && kind == Solstice::December))
                    continue;
                if (const auto date = termLocalDate(y, term, zone))
                    days[count++] = {*date, kind};
            }
        }
    }

    [[nodiscard]] std::span<const SolsticeDay> span() const { return std::span(days).first(count); }
};

bool addMove(MonthCalendar& calendar, SolarDate solar, QDate from)
{
    const auto yearChart = YearChart(calendar.principal, solar.year);
    const auto monthChart = MonthChart(calendar.principal, solar);
    if (!yearChart || !monthChart || calendar.moveCount == static_cast<int>(calendar.moves.size()))
        return false;
    calendar.moves[static_cast<std::size_t>(calendar.moveCount++)] = {
        solar, from, *yearChart, *monthChart, FavourableInBoth(*yearChart, *monthChart), {}};
    return true;
}

// The day's stem and branch, star, chart, and the directions its chart and its solar month's
// chart both favour.
bool fillDay(CalendarDay& day, const MonthCalendar& calendar, const SolsticesAround& solstices)
{
    const auto star = DayStarFrom(day.date, solstices.span());
    const auto stemBranch = DayStemBranch(day.date);
    if (!star || !stemBranch)
        return false;
    const auto chart = DayChart(calendar.principal, *star, *stemBranch);
    if (!chart)
        return false;
    day.stemBranch = *stemBranch;
    day.star = *star;
    day.chart = *chart;
    const MoveDirections& move = calendar.moves[static_cast<std::size_t>(day.moveIndex)];
    day.journey = FavourableInBoth(move.month, day.chart);
    return true;
}

// The terms of the calendar year whose local dates fall in the month, on their days. A month holds
// two, now and then three near the ends of a zone's day.
void addTerms(MonthCalendar& calendar)
{
    const int month = calendar.month;
    const int first = std::max(0, 2 * month - 3);
    const int last = std::min(SolarTermCount - 1, 2 * month);
    for (const SolarTerm term : std::span(SolarTerms)
                                    .subspan(static_cast<std::size_t>(first),
                                             static_cast<std::size_t>(last - first + 1))) {
        const auto local = SolarTermLocalInstant(calendar.year, term, calendar.zone);
        if (!local)
            continue;
        const QDate date = local->localDate();
        if (date.year() != calendar.year || date.month() != month)
            continue;
        CalendarDay& day = calendar.days[static_cast<std::size_t>(date.day() - 1)];
        if (day.termCount < static_cast<int>(day.terms.size()))
            day.terms[static_cast<std::size_t>(day.termCount++)] = {term, *local};
    }
}

// The directions a chart favours for another principal number: the same stars, centre and branch.
PalaceSet FavourableFor(int principal, const Chart& chart)
{
    const auto own = MakeChart(principal, chart.centre, chart.branch);
    return own ? own->favourable : PalaceSet();
}

// The directions good for both the person and a partner: the charts are the same for everyone,
// so only the partner's favourable directions in them are worked out.
void addPartner(MonthCalendar& calendar, int partnerPrincipal)
{
    calendar.partnerPrincipal = partnerPrincipal;
    std::array<PalaceSet, 3> partnerMonths{};
    for (std::size_t index = 0; index < static_cast<std::size_t>(calendar.moveCount); ++index) {
        MoveDirections& move = calendar.moves[index];
        partnerMonths[index] = FavourableFor(partnerPrincipal, move.month);
        move.moveTogether =
            move.move & FavourableFor(partnerPrincipal, move.year) & partnerMonths[index];
    }
    for (CalendarDay& day :
         std::span(calendar.days).first(static_cast<std::size_t>(calendar.dayCount)))
        day.journeyTogether = day.journey & partnerMonths[static_cast<std::size_t>(day.moveIndex)] &
                              FavourableFor(partnerPrincipal, day.chart);
}

} // namespace

std::optional<DayStar> DayStarOf(QDate date, const QTimeZone& zone)
{
    if (!date.isValid() || !zone.isValid() || !DateRange::ContainsYear(date.year()))
        return std::nullopt;
    const SolsticesAround solstices(date.year(), zone);
    return DayStarFrom(date, solstices.span());
}

std::optional<DayAhead> ComputeDayAhead(int principal, QDate date, const QTimeZone& zone)
{
    const auto star = DayStarOf(date, zone);
    const auto stemBranch = DayStemBranch(date);
    if (!star || !stemBranch)
        return std::nullopt;
    const auto chart = DayChart(principal, *star, *stemBranch);
    if (!chart)
        return std::nullopt;
    return DayAhead{*stemBranch, *star, *chart};
}

std::optional<MonthCalendar> ComputeMonthCalendar(int principal, int year, int month,
                                                  const QTimeZone& zone,
                                                  std::optional<int> partnerPrincipal)
{
    if (partnerPrincipal && (*partnerPrincipal < 1 || *partnerPrincipal > 9))
        return std::nullopt;
    if (!DateRange::ContainsMonth(year, month) || !zone.isValid() || principal < 1 || principal > 9)
        return std::nullopt;
    MonthCalendar calendar;
    calendar.principal = principal;
    calendar.year = year;
    calendar.month = month;
    calendar.zone = zone;
    const QDate first(year, month, 1);
    calendar.dayCount = first.daysInMonth();

    const SolsticesAround solstices(year, zone);
    std::optional<TrueSolarMonth> solar;
    for (int d = 0; d < calendar.dayCount; ++d) {
        CalendarDay& day = calendar.days[static_cast<std::size_t>(d)];
        day.date = first.addDays(d);
        // A new solar month begins on its term's local date.
        if (!solar || day.date >= solar->ends.localDate()) {
            solar = TrueSolarMonthOf(day.date, zone);
            if (!solar || !addMove(calendar, solar->solar, day.date))
                return std::nullopt;
        }
        day.moveIndex = calendar.moveCount - 1;
        if (!fillDay(day, calendar, solstices))
            return std::nullopt;
    }
    addTerms(calendar);
    if (partnerPrincipal)
        addPartner(calendar, *partnerPrincipal);
    return calendar;
}

} // namespace Kistarra
