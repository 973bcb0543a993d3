#include "engine/yearahead.h"

#include "engine/daterange.h"
#include "engine/ninestar.h"
#include "engine/numbertables.h"

namespace Kistarra {

namespace {

constexpr std::array<QStringView, 9> PalaceCodes = {u"N",  u"NE", u"E",  u"SE", u"S",
                                                    u"SW", u"W",  u"NW", u"C"};
constexpr std::array<QStringView, 9> PalaceNames = {u"North",      u"North East", u"East",
                                                    u"South East", u"South",      u"South West",
                                                    u"West",       u"North West", u"Centre"};
constexpr std::array<QStringView, 5> AvoidNames = {u"Five Yellow", u"Dark Sword", u"Own Star",
                                                   u"Opposite Own Star", u"Breaker"};

constexpr int wrapStar(int n)
{
    return ((n - 1) % 9 + 9) % 9 + 1;
}

Element elementOf(int star)
{
    return StarAttributesOf(star)->element;
}

constexpr bool feeds(Element from, Element to)
{
    return (static_cast<int>(from) + 1) % 5 == static_cast<int>(to);
}

// The five is never favourable, nor the person's own number; any other star of the person's
// element, of the element that feeds it or of the element it feeds is.
bool supports(int star, int principal)
{
    if (star == 5 || star == principal)
        return false;
    const Element own = elementOf(principal);
    const Element other = elementOf(star);
    return other == own || feeds(other, own) || feeds(own, other);
}

// The palace in which a chart with this centre places a star.
constexpr Palace palaceOf(int centre, int star)
{
    return FlightPath[static_cast<std::size_t>(((star - centre) % 9 + 9) % 9)];
}

constexpr bool palacesInEnumOrder()
{
    for (std::size_t i = 0; i < Palaces.size(); ++i) {
        if (PalaceIndex(Palaces[i]) != i)
            return false;
    }
    return true;
}

constexpr bool flightVisitsEveryPalaceOnce()
{
    std::array<int, 9> visits{};
    for (const Palace palace : FlightPath)
        ++visits[PalaceIndex(palace)];
    for (const int count : visits) {
        if (count != 1)
            return false;
    }
    return FlightPath[0] == Palace::C;
}

// With 5 in the Centre every row, column and diagonal of the square sums to 15.
constexpr bool fiveInTheCentreIsMagic()
{
    std::array<int, 9> stars{};
    for (int k = 0; k < 9; ++k)
        stars[PalaceIndex(FlightPath[static_cast<std::size_t>(k)])] = wrapStar(5 + k);
    const auto at = [&stars](Palace p) { return stars[PalaceIndex(p)]; };
    using enum Palace;
    constexpr std::array<std::array<Palace, 3>, 8> lines = {{{SE, S, SW},
                                                             {E, C, W},
                                                             {NE, N, NW},
                                                             {SE, E, NE},
                                                             {S, C, N},
                                                             {SW, W, NW},
                                                             {SE, C, NW},
                                                             {SW, C, NE}}};
    for (const auto& line : lines) {
        if (at(line[0]) + at(line[1]) + at(line[2]) != 15)
            return false;
    }
    return at(N) == 1;
}

constexpr bool oppositesPair()
{
    for (const Palace palace : Palaces) {
        if (OppositePalace(OppositePalace(palace)) != palace)
            return false;
        if (palace != Palace::C && OppositePalace(palace) == palace)
            return false;
    }
    return OppositePalace(Palace::N) == Palace::S && OppositePalace(Palace::NE) == Palace::SW &&
           OppositePalace(Palace::E) == Palace::W && OppositePalace(Palace::SE) == Palace::NW;
}

// Every direction holds a branch, the corners two each; the Centre none.
constexpr bool branchesRoundTheCompass()
{
    std::array<int, 9> counts{};
    for (const Palace palace : BranchPalaces)
        ++counts[PalaceIndex(palace)];
    for (const Palace palace : Palaces) {
        const bool corner = palace == Palace::NE || palace == Palace::SE || palace == Palace::SW ||
                            palace == Palace::NW;
        const int expected = palace == Palace::C ? 0 : corner ? 2 : 1;
        if (counts[PalaceIndex(palace)] != expected)
            return false;
    }
    return true;
}

static_assert(palacesInEnumOrder());
static_assert(flightVisitsEveryPalaceOnce());
static_assert(fiveInTheCentreIsMagic());
static_assert(oppositesPair());
static_assert(branchesRoundTheCompass());
static_assert(PalaceIndex(Palace::C) == 8 && Avoids.size() == AvoidNames.size());
static_assert(static_cast<std::size_t>(Avoid::Breaker) == AvoidNames.size() - 1);

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;

    // QDate works its fields out of the day number on every call; one call gives all three.
    static CalendarDate of(QDate date)
    {
        CalendarDate parts;
        date.getDate(&parts.year, &parts.month, &parts.day);
        return parts;
    }
};

// The local instant of the term that begins a solar month 1..12; month 12 begins with Minor Cold
// early in the next calendar year.
std::optional<LocalInstant> monthBegins(SolarDate solar, const QTimeZone& zone)
{
    const auto term = SolarMonthTerm(solar.month);
    if (!term)
        return std::nullopt;
    return SolarTermLocalInstant(solar.month == 12 ? solar.year + 1 : solar.year, *term, zone);
}

// The zodiac branch 0..11 (0 = Rat) of a solar year, (year - 4) mod 12, and of a solar month
// 1..12 (1 = Tiger).
int yearBranch(int solarYear)
{
    return ((solarYear - 4) % 12 + 12) % 12;
}

int monthBranch(int solarMonth)
{
    return (solarMonth + 1) % 12;
}

} // namespace

QStringView PalaceCode(Palace palace)
{
    return PalaceCodes[PalaceIndex(palace)];
}

QStringView PalaceName(Palace palace)
{
    return PalaceNames[PalaceIndex(palace)];
}

QStringView AvoidName(Avoid avoid)
{
    return AvoidNames[static_cast<std::size_t>(avoid)];
}

std::optional<int> YearStar(int solarYear)
{
    if (solarYear < 1)
        return std::nullopt;
    // The digits summed until one is left; the formula then sees that one digit.
    return PrincipalNumberOfDigitSum((solarYear - 1) % 9 + 1);
}

std::optional<Chart> MakeChart(int principal, int centre, int branch)
{
    if (!IsStarNumber(centre) || !IsStarNumber(principal) || branch < 0 || branch > 11)
        return std::nullopt;
    Chart chart;
    chart.centre = centre;
    chart.branch = branch;
    for (std::size_t k = 0; k < FlightPath.size(); ++k)
        chart.stars[PalaceIndex(FlightPath[k])] = wrapStar(centre + static_cast<int>(k));
    chart.palace = palaceOf(centre, principal);

    const auto set = [&chart](Avoid avoid, Palace palace) {
        chart.avoid[static_cast<std::size_t>(avoid)] = palace;
    };
    if (const Palace five = palaceOf(centre, 5); five != Palace::C) {
        set(Avoid::FiveYellow, five);
        set(Avoid::DarkSword, OppositePalace(five));
    }
    if (chart.palace != Palace::C) {
        set(Avoid::OwnStar, chart.palace);
        set(Avoid::OppositeOwnStar, OppositePalace(chart.palace));
    }
    set(Avoid::Breaker, OppositePalace(BranchPalaces[static_cast<std::size_t>(branch)]));

    for (const Palace palace : Palaces) {
        bool avoided = palace == Palace::C;
        for (const auto& named : chart.avoid)
            avoided = avoided || named == palace;
        if (!avoided && supports(chart.star(palace), principal))
            chart.favourable.insert(palace);
    }
    return chart;
}

std::optional<Chart> YearChart(int principal, int solarYear)
{
    const auto centre = YearStar(solarYear);
    if (!centre)
        return std::nullopt;
    return MakeChart(principal, *centre, yearBranch(solarYear));
}

std::optional<Chart> MonthChart(int principal, SolarDate solar)
{
    const auto yearStar = YearStar(solar.year);
    if (!yearStar || solar.month < 1 || solar.month > 12)
        return std::nullopt;
    // The month's centre: the character table of the year star read at the solar month.
    return MakeChart(principal, CharacterTableEntry(*yearStar, solar.month),
                     monthBranch(solar.month));
}

std::optional<TrueSolarMonth> TrueSolarMonthOf(QDate date, const QTimeZone& zone)
{
    if (!date.isValid() || !zone.isValid())
        return std::nullopt;
    const CalendarDate calendar = CalendarDate::of(date);
    // Every calendar month holds the term that begins one solar month: Minor Cold (solar month 12
    // of the year before) in January, Start of Spring (month 1) in February, ..., Major Snow
    // (month 11) in December.
    SolarDate solar = calendar.month == 1 ? SolarDate{calendar.year - 1, 12}
                                          : SolarDate{calendar.year, calendar.month - 1};
    auto begins = monthBegins(solar, zone);
    if (begins && date < begins->localDate()) {
        solar = solar.month == 1 ? SolarDate{solar.year - 1, 12}
                                 : SolarDate{solar.year, solar.month - 1};
        begins = monthBegins(solar, zone);
    }
    const auto ends = monthBegins(solar.month == 12 ? SolarDate{solar.year + 1, 1}
                                                    : SolarDate{solar.year, solar.month + 1},
                                  zone);
    if (!begins || !ends)
        return std::nullopt;
    return TrueSolarMonth{solar, *begins, *ends};
}

std::optional<YearAhead> ComputeYearAhead(int principal, QDate date, const QTimeZone& zone)
{
    if (!IsStarNumber(principal) || !DateRange::Contains(date))
        return std::nullopt;
    const auto month = TrueSolarMonthOf(date, zone);
    if (!month)
        return std::nullopt;
    const SolarDate solar = month->solar;
    const auto yearBegins = SolarTermLocalInstant(solar.year, SolarTerm::StartOfSpring, zone);
    const auto yearEnds = SolarTermLocalInstant(solar.year + 1, SolarTerm::StartOfSpring, zone);
    const auto yearChart = YearChart(principal, solar.year);
    const auto monthChart = MonthChart(principal, solar);
    if (!yearBegins || !yearEnds || !yearChart || !monthChart)
        return std::nullopt;

    YearAhead ahead;
    ahead.date = date;
    ahead.principal = principal;
    ahead.solar = solar;
    ahead.zone = zone;
    ahead.yearBegins = *yearBegins;
    ahead.yearEnds = *yearEnds;
    ahead.monthBegins = month->begins;
    ahead.monthEnds = month->ends;
    ahead.year = *yearChart;
    ahead.month = *monthChart;
    for (std::size_t i = 0; i < ahead.cycle.size(); ++i) {
        const int cycleYear = solar.year + static_cast<int>(i);
        const auto centre = YearStar(cycleYear);
        if (!centre)
            return std::nullopt;
        ahead.cycle[i] = {cycleYear, *centre, palaceOf(*centre, principal)};
    }
    return ahead;
}

} // namespace Kistarra
