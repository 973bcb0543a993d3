#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include <QDate>
#include <QDateTime>
#include <QStringView>
#include <QTimeZone>

// The 24 solar terms: the instants at which the Sun's apparent geocentric longitude (true equinox
// and ecliptic of date) reaches a multiple of 15 degrees. The twelve at 285 + 30k degrees begin the
// solar months; Start of Spring (315 degrees) begins the solar year. The instants are computed
// from the IAU's routines (ERFA, engine/sunposition) once per calendar year, when a year is first
// asked for, and kept; the years kept are those of engine/daterange and one either side.
namespace Kistarra {

// In the order of a calendar year, from Minor Cold (285 degrees) early in January to Winter
// Solstice (270 degrees) late in December.
enum class SolarTerm : std::uint8_t {
    MinorCold,
    MajorCold,
    StartOfSpring,
    RainWater,
    AwakeningOfInsects,
    SpringEquinox,
    ClearAndBright,
    GrainRain,
    StartOfSummer,
    GrainFull,
    GrainInEar,
    SummerSolstice,
    MinorHeat,
    MajorHeat,
    StartOfAutumn,
    EndOfHeat,
    WhiteDew,
    AutumnEquinox,
    ColdDew,
    FrostsDescent,
    StartOfWinter,
    MinorSnow,
    MajorSnow,
    WinterSolstice,
};

inline constexpr int SolarTermCount = 24;

// Every term in the order of a calendar year.
inline constexpr std::array<SolarTerm, SolarTermCount> SolarTerms = [] {
    std::array<SolarTerm, SolarTermCount> terms{};
    for (std::size_t i = 0; i < terms.size(); ++i)
        terms[i] = static_cast<SolarTerm>(i);
    return terms;
}();

// 0 for Minor Cold .. 23 for Winter Solstice.
[[nodiscard]] constexpr int SolarTermIndex(SolarTerm term)
{
    return static_cast<int>(term);
}

// The Sun's longitude the term marks, in whole degrees 0..345.
[[nodiscard]] constexpr int SolarTermLongitude(SolarTerm term)
{
    return (285 + 15 * SolarTermIndex(term)) % 360;
}

// The term that begins solar month 1..12: Start of Spring month 1, ... Major Snow month 11, and
// Minor Cold, early in the next calendar year, month 12. Nothing for any other month.
[[nodiscard]] constexpr std::optional<SolarTerm> SolarMonthTerm(int solarMonth)
{
    if (solarMonth < 1 || solarMonth > 12)
        return std::nullopt;
    return SolarTerms[static_cast<std::size_t>(solarMonth == 12 ? 0 : 2 * solarMonth)];
}

// "Minor Cold" and "小寒".
[[nodiscard]] QStringView SolarTermName(SolarTerm term);
[[nodiscard]] QStringView SolarTermCharacters(SolarTerm term);

// A term as a zone sees it: the UTC minute and the zone's offset from UTC at that instant, from
// which its local date and time follow without asking the zone again.
struct LocalInstant {
    qint64 utcSeconds = 0;
    int offsetSeconds = 0;

    [[nodiscard]] QDate localDate() const;
    // With the offset (Qt::OffsetFromUTC); it has seconds only where the offset has them.
    [[nodiscard]] QDateTime localDateTime() const;

    friend constexpr bool operator==(const LocalInstant&, const LocalInstant&) = default;
};

// The term of a calendar year in the zone: its UT instant rounded to the nearest minute, half a
// minute up, as the almanacs give it, and the zone's offset then; every local time and day of a
// term follows from this minute. Given for the years of the range and the one either side (1899
// and 2101, which the first and last solar years reach); nothing outside those or for an invalid
// zone.
[[nodiscard]] std::optional<LocalInstant> SolarTermLocalInstant(int year, SolarTerm term,
                                                                const QTimeZone& zone);

} // namespace Kistarra
