#include "engine/daycalendar.h"

#include <algorithm>

#include "engine/solarterms.h"

namespace Kistarra {

namespace {

constexpr int FirstCalendarYear = 1900;
constexpr int FirstCalendarMonth = 2; // the year ahead begins in February 1900
constexpr int LastCalendarYear = 2100;

constexpr int JuneSolsticeTerm = 11;
constexpr int DecemberSolsticeTerm = 23;
constexpr int StartOfSpringTerm = 2;

std::optional<QDateTime> termLocalTime(int year, int index, const QTimeZone& zone)
{
    const auto local = SolarTermLocalInstant(year, index, zone);
    return local ? std::optional(local->localDateTime()) : std::nullopt;
}

std::optional<QDate> termLocalDate(int year, int index, const QTimeZone& zone)
{
    const auto local = SolarTermLocalInstant(year, index, zone);
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
            for (const auto& [index, kind] :
                 {std::pair{JuneSolsticeTerm, Solstice::June},
                  std::pair{DecemberSolsticeTerm, Solstice::December}}) {
                if ((y == year - 2 && kind == Solstice::June) ||
                    (y == year + 1 && kind == Solstice::December))
                    continue;
                if (const auto date = termLocalDate(y, index, zone))
                    days[count++] = {*date, kind};
            }
        }
    }

    [[nodiscard]] std::span<const SolsticeDay> span() const { return std::span(days).first(count); }
};

// The month a term begins: Minor Cold (0) solar month 12, Start of Spring (2) month 1, ... Major
// Snow (22) month 11; 0 for a term in the middle of a month.
int monthBegunBy(int index)
{
    if (index % 2 != 0)
        return 0;
    return index == 0 ? 12 : index / 2;
}

// The solar date of a day on which a term begins solar month `month` of calendar year `year`.
SolarDate solarDateBegun(int year, int month)
{
    return {month == 12 ? year - 1 : year, month};
}

} // namespace

std::optional<DayStar> DayStarOf(QDate date, const QTimeZone& zone)
{
    if (!date.isValid() || !zone.isValid() || date.year() < FirstCalendarYear ||
        date.year() > LastCalendarYear)
        return std::nullopt;
    const SolsticesAround solstices(date.year(), zone);
    return DayStarFrom(date, solstices.span());
}

std::optional<SolarDate> TrueSolarDateOf(QDate date, const QTimeZone& zone)
{
    if (!date.isValid() || !zone.isValid())
        return std::nullopt;
    const int year = date.year();
    for (int index = DecemberSolsticeTerm - 1; index >= 0; index -= 2) {
        const auto begins = termLocalDate(year, index, zone);
        if (!begins)
            return std::nullopt;
        if (*begins <= date)
            return solarDateBegun(year, monthBegunBy(index));
    }
    // Before Minor Cold: the solar month begun by Major Snow of the year before.
    if (!termLocalDate(year - 1, DecemberSolsticeTerm - 1, zone))
        return std::nullopt;
    return SolarDate{year - 1, 11};
}

bool IsCalendarMonth(int year, int month)
{
    if (month < 1 || month > 12)
        return false;
    return (year > FirstCalendarYear ||
            (year == FirstCalendarYear && month >= FirstCalendarMonth)) &&
           year <= LastCalendarYear;
}

std::optional<MonthCalendar> ComputeMonthCalendar(int principal, int year, int month,
                                                  const QTimeZone& zone)
{
    if (!IsCalendarMonth(year, month) || !zone.isValid() || principal < 1 || principal > 9)
        return std::nullopt;
    const QDate first(year, month, 1);
    const auto firstSolar = TrueSolarDateOf(first, zone);
    if (!firstSolar)
        return std::nullopt;

    MonthCalendar calendar;
    calendar.principal = principal;
    calendar.year = year;
    calendar.month = month;
    calendar.zone = zone;
    calendar.dayCount = first.daysInMonth();

    // The terms of the calendar year whose local dates fall in this month, in time order.
    std::array<TermOnDay, 4> terms{};
    std::size_t termCount = 0;
    for (int index = std::max(0, 2 * month - 3); index <= std::min(23, 2 * month); ++index) {
        const auto local = termLocalTime(year, index, zone);
        if (local && local->date().year() == year && local->date().month() == month)
            terms[termCount++] = {index, *local};
    }

    const SolsticesAround solstices(year, zone);
    SolarDate solar = *firstSolar;
    for (int d = 0; d < calendar.dayCount; ++d) {
        CalendarDay& day = calendar.days[static_cast<std::size_t>(d)];
        day.date = first.addDays(d);
        for (std::size_t t = 0; t < termCount; ++t) {
            if (terms[t].local.date() != day.date)
                continue;
            if (const int begun = monthBegunBy(terms[t].index); begun != 0)
                solar = solarDateBegun(year, begun);
            if (day.termCount < static_cast<int>(day.terms.size()))
                day.terms[static_cast<std::size_t>(day.termCount++)] = terms[t];
        }
        if (calendar.moveCount == 0 ||
            !(calendar.moves[static_cast<std::size_t>(calendar.moveCount - 1)].solar == solar)) {
            if (calendar.moveCount == static_cast<int>(calendar.moves.size()))
                return std::nullopt;
            const auto yearChart = YearChart(principal, solar.year);
            const auto monthChart = MonthChart(principal, solar);
            if (!yearChart || !monthChart)
                return std::nullopt;
            calendar.moves[static_cast<std::size_t>(calendar.moveCount++)] = {
                solar, day.date, *yearChart, *monthChart,
                FavourableInBoth(*yearChart, *monthChart)};
        }
        day.moveIndex = calendar.moveCount - 1;
        const MoveDirections& move = calendar.moves[static_cast<std::size_t>(day.moveIndex)];

        const auto star = DayStarFrom(day.date, solstices.span());
        const auto stemBranch = DayStemBranch(day.date);
        if (!star || !stemBranch)
            return std::nullopt;
        day.stemBranch = *stemBranch;
        day.star = *star;
        const auto chart = DayChart(principal, *star, *stemBranch);
        if (!chart)
            return std::nullopt;
        day.chart = *chart;
        day.journey = FavourableInBoth(move.month, day.chart);
    }
    return calendar;
}

} // namespace Kistarra
