#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>

#include <QDate>
#include <QStringView>
#include <QTimeZone>

#include "engine/solarterms.h"

// The year ahead of a person: the Nine Star Ki charts of the solar year and the solar month of a
// date, where the person's star stands in each, the directions to avoid and to favour, and the
// centre stars of nine years. Built on the principal-number formula, the solar months and the
// character tables of the birth reading, so that a reading and its year ahead always agree.
namespace Kistarra {

// The eight directions and the Centre, in the order every list shows them.
enum class Palace : std::uint8_t { N, NE, E, SE, S, SW, W, NW, C };

inline constexpr std::array<Palace, 9> Palaces = {Palace::N,  Palace::NE, Palace::E,
                                                  Palace::SE, Palace::S,  Palace::SW,
                                                  Palace::W,  Palace::NW, Palace::C};

// The palaces as a chart is drawn, row by row: South at the top, East on the left.
inline constexpr std::array<std::array<Palace, 3>, 3> ChartRows = {{
    {Palace::SE, Palace::S, Palace::SW},
    {Palace::E, Palace::C, Palace::W},
    {Palace::NE, Palace::N, Palace::NW},
}};

[[nodiscard]] constexpr std::size_t PalaceIndex(Palace palace)
{
    return static_cast<std::size_t>(palace);
}

// "N" .. "NW", "C" and "North" .. "North West", "Centre".
[[nodiscard]] QStringView PalaceCode(Palace palace);
[[nodiscard]] QStringView PalaceName(Palace palace);

// What a year or a month with the person's star in this palace tends to bring, and how to meet
// it: a few plain sentences.
[[nodiscard]] QStringView PalaceMeaning(Palace palace);

// N-S, NE-SW, E-W, SE-NW; the Centre is its own opposite.
[[nodiscard]] constexpr Palace OppositePalace(Palace palace)
{
    return palace == Palace::C ? Palace::C : static_cast<Palace>((PalaceIndex(palace) + 4) % 8);
}

// Where a chart puts its stars: the centre star in entry 0, the centre star + k (wrapped into
// 1..9) in entry k. With 5 in the Centre this is the Lo Shu square.
inline constexpr std::array<Palace, 9> FlightPath = {Palace::C,  Palace::NW, Palace::W,
                                                     Palace::NE, Palace::S,  Palace::N,
                                                     Palace::SW, Palace::E,  Palace::SE};

// The twelve zodiac branches from the Rat, and the direction each stands in.
inline constexpr std::array<QStringView, 12> BranchNames = {
    u"Rat",   u"Ox",   u"Tiger",  u"Rabbit",  u"Dragon", u"Snake",
    u"Horse", u"Goat", u"Monkey", u"Rooster", u"Dog",    u"Pig"};
inline constexpr std::array<Palace, 12> BranchPalaces = {
    Palace::N, Palace::NE, Palace::NE, Palace::E, Palace::SE, Palace::SE,
    Palace::S, Palace::SW, Palace::SW, Palace::W, Palace::NW, Palace::NW};

// A set of palaces: the directions a chart favours, or two charts both favour.
class PalaceSet {
public:
    [[nodiscard]] constexpr bool contains(Palace palace) const
    {
        return (m_bits >> PalaceIndex(palace) & 1U) != 0;
    }
    constexpr void insert(Palace palace)
    {
        m_bits |= static_cast<std::uint16_t>(1U << PalaceIndex(palace));
    }
    [[nodiscard]] constexpr bool empty() const { return m_bits == 0; }
    [[nodiscard]] constexpr int size() const { return std::popcount(m_bits); }
    // The palaces in both sets.
    [[nodiscard]] constexpr PalaceSet operator&(PalaceSet other) const
    {
        PalaceSet both;
        both.m_bits = m_bits & other.m_bits;
        return both;
    }

    friend constexpr bool operator==(PalaceSet, PalaceSet) = default;

private:
    std::uint16_t m_bits = 0; // bit PalaceIndex(palace)
};

// The directions a chart tells a person to avoid, in the order they are listed.
enum class Avoid : std::uint8_t { FiveYellow, DarkSword, OwnStar, OppositeOwnStar, Breaker };

inline constexpr std::array<Avoid, 5> Avoids = {Avoid::FiveYellow, Avoid::DarkSword, Avoid::OwnStar,
                                                Avoid::OppositeOwnStar, Avoid::Breaker};

// "Five Yellow", "Dark Sword", "Own Star", "Opposite Own Star", "Breaker".
[[nodiscard]] QStringView AvoidName(Avoid avoid);

// The solar year begins on 4 February with solar month 1; the days before belong to solar
// months 11 and 12 of the year before.
struct SolarDate {
    int year = 0;
    int month = 0; // 1..12

    friend constexpr bool operator==(const SolarDate&, const SolarDate&) = default;
};

// A solar month on the true solar terms in a zone: the term that begins it and the one that begins
// the month after.
struct TrueSolarMonth {
    SolarDate solar;
    LocalInstant begins;
    LocalInstant ends;

    friend constexpr bool operator==(const TrueSolarMonth&, const TrueSolarMonth&) = default;
};

// The solar month a local date belongs to: the one whose starting term's local date is on or
// before it, so the whole day of a term counts to the month it begins. Nothing for an invalid
// date or zone, or a date whose month begins or ends beyond the terms' years either side of
// DateRange.
[[nodiscard]] std::optional<TrueSolarMonth> TrueSolarMonthOf(QDate date, const QTimeZone& zone);

// The principal-number formula applied to the solar year, with the year's digits summed until one
// is left: 2024 gives 3, 2026 gives 1. Nothing for a year before 1.
[[nodiscard]] std::optional<int> YearStar(int solarYear);

// One year's or month's chart as it stands for one person.
struct Chart {
    int centre = 0;
    std::array<int, 9> stars{};                   // by Palace
    int branch = 0;                               // the year's or month's zodiac branch, 0 = Rat
    Palace palace = Palace::C;                    // where the person's principal number stands
    std::array<std::optional<Palace>, 5> avoid{}; // by Avoid; nothing where none exists
    PalaceSet favourable;                         // never the Centre

    [[nodiscard]] int star(Palace p) const { return stars[PalaceIndex(p)]; }
    [[nodiscard]] std::optional<Palace> avoided(Avoid a) const
    {
        return avoid[static_cast<std::size_t>(a)];
    }
    [[nodiscard]] bool isFavourable(Palace p) const { return favourable.contains(p); }

    friend bool operator==(const Chart&, const Chart&) = default;
};

// The chart with this centre star and branch for a principal number 1..9; nothing when the
// principal number, the centre or the branch is out of range.
[[nodiscard]] std::optional<Chart> MakeChart(int principal, int centre, int branch);
[[nodiscard]] std::optional<Chart> YearChart(int principal, int solarYear);
[[nodiscard]] std::optional<Chart> MonthChart(int principal, SolarDate solar);

struct CycleYear {
    int year = 0;
    int centre = 0;
    Palace palace = Palace::C;

    friend constexpr bool operator==(const CycleYear&, const CycleYear&) = default;
};

// Everything the year ahead shows for one date, in the zone it was worked out in.
struct YearAhead {
    QDate date;
    int principal = 0;
    SolarDate solar;
    QTimeZone zone;          // where the solar year and month begin and end as below
    LocalInstant yearBegins; // Start of Spring of the solar year
    LocalInstant yearEnds;   // and of the year after
    LocalInstant monthBegins;
    LocalInstant monthEnds;
    Chart year;
    Chart month;
    std::array<CycleYear, 9> cycle{}; // the solar year of the date and the eight after it

    friend bool operator==(const YearAhead&, const YearAhead&) = default;
};

// The solar year and month come from the true solar terms in the zone. Nothing for a principal
// number outside 1..9, a date that is invalid or outside DateRange, or an invalid zone.
[[nodiscard]] std::optional<YearAhead> ComputeYearAhead(int principal, QDate date,
                                                        const QTimeZone& zone);

} // namespace Kistarra
