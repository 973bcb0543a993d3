#include "engine/daychart.h"

#include <array>

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// The Julian Day Number 11 is a Wood Rat day; so is 1 January 2024.
constexpr qint64 WoodRatDayNumber = 11;

// The stems go two by two through the elements, Wood first.
constexpr std::array<QStringView, 5> StemElements = {u"Wood", u"Fire", u"Earth", u"Metal",
                                                     u"Water"};
constexpr QStringView StemCharacters = u"甲乙丙丁戊己庚辛壬癸";
constexpr QStringView BranchCharacters = u"子丑寅卯辰巳午未申酉戌亥";
static_assert(StemCharacters.size() == 10 && BranchCharacters.size() == 12);

// A period begins on the Wood Rat day nearest its solstice; a moved one on the Wood Horse day
// 30 days before. Periods last 180 days, or 210 next to a moved beginning.
constexpr int HalfCycle = CycleLength / 2;
constexpr int LongGap = 240;
constexpr int ShortestPeriod = 180;
// Consecutive solstices are 178 to 187 days apart; anything far from that is not a pair.
constexpr qint64 FewestDaysBetweenSolstices = 170;
constexpr qint64 MostDaysBetweenSolstices = 195;

constexpr int wrapStar(qint64 n)
{
    return static_cast<int>(((n - 1) % 9 + 9) % 9) + 1;
}

int cycleIndexOf(QDate date)
{
    const qint64 offset = (date.toJulianDay() - WoodRatDayNumber) % CycleLength;
    return static_cast<int>(offset < 0 ? offset + CycleLength : offset);
}

// The Wood Rat day nearest the date: up to 29 days before it, else up to 30 after.
QDate nearestWoodRat(QDate date)
{
    const int k = cycleIndexOf(date);
    return k < HalfCycle ? date.addDays(-k) : date.addDays(CycleLength - k);
}

bool followEachOther(const SolsticeDay& earlier, const SolsticeDay& later)
{
    const qint64 days = earlier.date.daysTo(later.date);
    return earlier.date.isValid() && later.date.isValid() && earlier.kind != later.kind &&
           days >= FewestDaysBetweenSolstices && days <= MostDaysBetweenSolstices;
}

} // namespace

std::optional<StemBranch> DayStemBranch(QDate date)
{
    if (!date.isValid())
        return std::nullopt;
    return StemBranch{cycleIndexOf(date)};
}

QString StemBranchCharacters(StemBranch day)
{
    return StemCharacters.mid(day.stem(), 1) % BranchCharacters.mid(day.branch(), 1);
}

QString StemBranchName(StemBranch day)
{
    return StemElements[static_cast<std::size_t>(day.stem() / 2)] % u' ' %
           BranchNames[static_cast<std::size_t>(day.branch())];
}

DayStarPeriod DayStarPeriodNear(SolsticeDay solstice, QDate previousSolstice)
{
    const bool december = solstice.kind == Solstice::December;
    const QDate begins = nearestWoodRat(solstice.date);
    if (nearestWoodRat(previousSolstice).daysTo(begins) == LongGap)
        return {begins.addDays(-HalfCycle), december ? 7 : 3, december, true};
    return {begins, december ? 1 : 9, december, false};
}

int DayStarIn(const DayStarPeriod& period, QDate date)
{
    const qint64 days = period.begins.daysTo(date);
    return wrapStar(period.ascending ? period.firstStar + days : period.firstStar - days);
}

std::optional<DayStar> DayStarFrom(QDate date, std::span<const SolsticeDay> solstices)
{
    if (!date.isValid())
        return std::nullopt;
    std::optional<DayStarPeriod> found;
    bool later = false; // a period known to begin after the date
    for (std::size_t i = 1; i < solstices.size(); ++i) {
        if (!followEachOther(solstices[i - 1], solstices[i]))
            return std::nullopt;
        const DayStarPeriod period = DayStarPeriodNear(solstices[i], solstices[i - 1].date);
        if (period.begins > date) {
            later = true;
            break;
        }
        found = period;
    }
    // Without a later beginning the date is still in its period only within the shortest length.
    if (!found || (!later && found->begins.daysTo(date) >= ShortestPeriod))
        return std::nullopt;
    return DayStar{DayStarIn(*found, date), found->ascending, *found};
}

std::optional<Chart> DayChart(int principal, const DayStar& star, StemBranch day)
{
    return MakeChart(principal, star.star, day.branch());
}

PalaceSet FavourableInBoth(const Chart& first, const Chart& second)
{
    return first.favourable & second.favourable;
}

} // namespace Kistarra
