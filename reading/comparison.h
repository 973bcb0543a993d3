#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "engine/numbertables.h"
#include "reading/composer.h"
#include "reading/reading.h"

// How two people meet, read from the tables the reading itself shows: the relationship page's
// four partner lists for the principal numbers, and for each of the three star numbers the
// element words and the compatible numbers. Nothing is scored; every fact is a table look-up.
namespace Kistarra {

// The relationship page's sections whose list holds a number: a bit per section.
class SectionSet {
public:
    constexpr void insert(PartnerSection section) { m_bits |= bit(section); }
    [[nodiscard]] constexpr bool contains(PartnerSection section) const
    {
        return (m_bits & bit(section)) != 0;
    }
    [[nodiscard]] constexpr bool empty() const { return m_bits == 0; }

    friend constexpr bool operator==(SectionSet, SectionSet) = default;

private:
    static constexpr std::uint8_t bit(PartnerSection section)
    {
        return static_cast<std::uint8_t>(1U << static_cast<unsigned>(section));
    }
    std::uint8_t m_bits = 0;
};

enum class StarLevel : std::uint8_t { Principal, Character, Energetic };
inline constexpr std::array<StarLevel, 3> AllStarLevels = {
    StarLevel::Principal, StarLevel::Character, StarLevel::Energetic};

struct LevelComparison {
    StarLevel level = StarLevel::Principal;
    int person = 0;                       // the person's star number of this level
    int partner = 0;                      // the partner's
    std::optional<Element> personElement; // none for a number outside 1..9
    std::optional<Element> partnerElement;
    bool sameElement = false;
    bool compatibleForPerson = false;  // the partner's number is among the person's compatible
    bool compatibleForPartner = false; // the person's number is among the partner's
    // On the principal level only: the person's page sections that list the partner's number,
    // and the partner's page sections that list the person's.
    SectionSet personSide;
    SectionSet partnerSide;

    friend bool operator==(const LevelComparison&, const LevelComparison&) = default;
};

struct Comparison {
    std::array<LevelComparison, 3> levels; // in the order of AllStarLevels

    [[nodiscard]] const LevelComparison& at(StarLevel level) const
    {
        return levels.at(static_cast<std::size_t>(level));
    }
    friend bool operator==(const Comparison&, const Comparison&) = default;
};

// The sections of the relationship page of a person with principal number `own` whose lists
// hold `other`; empty when either is outside 1..9.
[[nodiscard]] SectionSet SectionsNaming(int own, int other);

// True when `other` is among the compatible numbers of star number `own`.
[[nodiscard]] bool IsCompatible(int own, int other);

// The two readings side by side; both must be made with the same reading options.
[[nodiscard]] Comparison CompareReadings(const Reading& person, const Reading& partner);

// The star number of a reading at a level.
[[nodiscard]] int StarNumberAt(const Reading& reading, StarLevel level);

} // namespace Kistarra
