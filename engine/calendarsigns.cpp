#include "engine/calendarsigns.h"

namespace Kistarra {

namespace {

constexpr int Stems = 10;
constexpr int TigerBranch = 2;

// The place in the cycle with this stem and branch: the one number below 60 that leaves both
// remainders (6 * stem - 5 * branch, by the Chinese remainder theorem for 10 and 12).
constexpr int CycleIndex(int stem, int branch)
{
    return ((6 * stem - 5 * branch) % CycleLength + CycleLength) % CycleLength;
}

} // namespace

StemBranch YearStemBranch(int solarYear)
{
    return {((solarYear - 4) % CycleLength + CycleLength) % CycleLength};
}

std::optional<StemBranch> MonthStemBranch(SolarDate solar)
{
    if (solar.month < 1 || solar.month > 12)
        return std::nullopt;
    // 甲 and 己 years open on 丙, and each stem after them two stems further.
    const int firstStem = (2 * (YearStemBranch(solar.year).stem() % 5) + 2) % Stems;
    const int first = CycleIndex(firstStem, TigerBranch);
    return StemBranch{(first + solar.month - 1) % CycleLength};
}

std::array<AvoidReasons, 9> AvoidedDirections(const Chart& chart)
{
    std::array<AvoidReasons, 9> reasons{};
    for (const Avoid avoid : Avoids) {
        if (const auto palace = chart.avoided(avoid); palace && *palace != Palace::C)
            reasons[PalaceIndex(*palace)].bits |=
                static_cast<std::uint8_t>(1U << static_cast<unsigned>(avoid));
    }
    return reasons;
}

std::optional<PeriodMark> PeriodBeginning(const CalendarDay& day)
{
    if (!day.date.isValid() || day.date != day.star.period.begins)
        return std::nullopt;
    return day.star.period.ascending ? PeriodMark::Ascending : PeriodMark::Descending;
}

int JourneyCount(const CalendarDay& day)
{
    return day.journey.size();
}

} // namespace Kistarra
