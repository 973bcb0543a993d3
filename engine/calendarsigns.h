#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "engine/daycalendar.h"

// What the calendar marks beside a day's star and journey: the solar year's and month's place in
// the sixty-cycle, the directions a day's chart warns against and why, and the days a new period
// of the day star begins, so that a repeated star reads as the rule it is.
namespace Kistarra {

// The solar year's place in the cycle of sixty: (Y - 4) mod 60, 2026 giving 42, 丙午.
[[nodiscard]] StemBranch YearStemBranch(int solarYear);

// A solar month's: its branch runs from 寅 (month 1) to 丑 (month 12), and the first month's stem
// follows the year's (甲 or 己 → 丙寅, 乙/庚 → 戊寅, 丙/辛 → 庚寅, 丁/壬 → 壬寅, 戊/癸 → 甲寅),
// both moving on one a month. Nothing for a month outside 1..12.
[[nodiscard]] std::optional<StemBranch> MonthStemBranch(SolarDate solar);

// The reasons a chart gives for avoiding one direction, as bits of 1 << Avoid.
struct AvoidReasons {
    std::uint8_t bits = 0;

    [[nodiscard]] constexpr bool any() const { return bits != 0; }
    [[nodiscard]] constexpr bool has(Avoid avoid) const
    {
        return (bits & (1U << static_cast<unsigned>(avoid))) != 0;
    }
    friend constexpr bool operator==(AvoidReasons, AvoidReasons) = default;
};

// By palace: every reason the chart gives to avoid it (the Centre has none).
[[nodiscard]] std::array<AvoidReasons, 9> AvoidedDirections(const Chart& chart);

// A period of the day star that begins on the day: ascending from the December solstice's
// period, descending from the June one's.
enum class PeriodMark : std::uint8_t { Ascending, Descending };

[[nodiscard]] std::optional<PeriodMark> PeriodBeginning(const CalendarDay& day);

// How many directions a day is good for a journey in.
[[nodiscard]] int JourneyCount(const CalendarDay& day);

} // namespace Kistarra
