#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include <QDate>
#include <QString>

#include "engine/yearahead.h"

// The day: its place in the sixty-day cycle of stems and branches, its star, and its chart. The
// day star runs in periods that begin on the Wood Rat day nearest each solstice; the solstices'
// local dates come in from the caller, so that these rules stay pure functions of dates.
namespace Kistarra {

inline constexpr int CycleLength = 60;

// A day's place in the sixty-day cycle: 0 is 甲子, Wood Rat.
struct StemBranch {
    int index = 0; // 0..59

    [[nodiscard]] constexpr int stem() const { return index % 10; }   // 0 = 甲, Wood
    [[nodiscard]] constexpr int branch() const { return index % 12; } // 0 = Rat

    friend constexpr bool operator==(StemBranch, StemBranch) = default;
};

// (Julian Day Number - 11) mod 60 of the calendar date; nothing for an invalid date.
[[nodiscard]] std::optional<StemBranch> DayStemBranch(QDate date);

// "丙午" and "Fire Horse".
[[nodiscard]] QString StemBranchCharacters(StemBranch day);
[[nodiscard]] QString StemBranchName(StemBranch day);

enum class Solstice : std::uint8_t { June, December };

// A solstice's local date in the chosen time zone.
struct SolsticeDay {
    QDate date;
    Solstice kind = Solstice::June;
};

// One period of the day star: the day it begins, the star of that day, and which way the star
// runs. A period near the December solstice ascends, one near the June solstice descends.
struct DayStarPeriod {
    QDate begins;
    int firstStar = 0;
    bool ascending = true;
    bool moved = false; // begun 30 days early, on the Wood Horse day

    friend bool operator==(const DayStarPeriod&, const DayStarPeriod&) = default;
};

// The period that begins near `solstice`, given the local date of the solstice before it: on the
// Wood Rat day nearest the solstice, at 1 ascending (December) or 9 descending (June); but when
// that day comes 240 days after the period before would have begun, 30 days earlier on the Wood
// Horse day, at 7 ascending or 3 descending, so that the periods on both sides last 210 days.
[[nodiscard]] DayStarPeriod DayStarPeriodNear(SolsticeDay solstice, QDate previousSolstice);

// The star of a date within its period, 1..9.
[[nodiscard]] int DayStarIn(const DayStarPeriod& period, QDate date);

struct DayStar {
    int star = 0;
    bool ascending = true;
    DayStarPeriod period;

    friend bool operator==(const DayStar&, const DayStar&) = default;
};

// The day star of a date from consecutive solstices in time order, June and December taking
// turns. Nothing when they do not alternate, are not about half a year apart, or do not reach
// the period of the date (the solstice before the one that begins it is needed too).
[[nodiscard]] std::optional<DayStar> DayStarFrom(QDate date,
                                                 std::span<const SolsticeDay> solstices);

// The day chart: the day star in the Centre, flown like the year's and the month's, with the
// day's branch for the Breaker. Nothing for a principal number outside 1..9.
[[nodiscard]] std::optional<Chart> DayChart(int principal, const DayStar& star, StemBranch day);

// The directions favourable in both charts.
[[nodiscard]] PalaceSet FavourableInBoth(const Chart& first, const Chart& second);

} // namespace Kistarra
