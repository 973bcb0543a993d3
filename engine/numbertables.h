#pragma once

#include <array>
#include <cstdint>

#include <QStringView>

// The fixed attributes of the nine star numbers, and the character-number tables.
namespace Kistarra {

// The five elements in the order in which each feeds the next; Metal feeds Water again.
enum class Element : std::uint8_t { Water, Wood, Fire, Earth, Metal };

// The element as the reading names it: "Water", "Wood", "Fire", "Soil/ Earth", "Metal".
[[nodiscard]] QStringView ElementWord(Element element);

// Partner lists of the relationship page, by principal number; no blank after the commas.
struct PartnerLists {
    QStringView support;    // who support the person's relationship
    QStringView control;    // who control it
    QStringView drain;      // who leave the person drained
    QStringView controlled; // whom the person controls
};

// What the reading says of one star number.
struct StarAttributes {
    // An introduction naming the star, its trigram and whose energy it represents, an empty line
    // (CR LF CR LF), and a paragraph on the person the number rules.
    QStringView description;
    QStringView luckyColours;
    Element element;
    QStringView careers;
    QStringView compatible; // with a blank after each comma
    PartnerLists partners;
};

// The attributes of star number n; nothing for a number outside 1..9.
[[nodiscard]] const StarAttributes* StarAttributesOf(int n);

// Character-number tables by solar month 1..12 (entry month - 1), one per group of principal
// numbers; each starts at 8, 2 or 5 and counts down, going from 1 back to 9.
inline constexpr std::array<int, 12> CharacterTable147 = {8, 7, 6, 5, 4, 3, 2, 1, 9, 8, 7, 6};
inline constexpr std::array<int, 12> CharacterTable258 = {2, 1, 9, 8, 7, 6, 5, 4, 3, 2, 1, 9};
inline constexpr std::array<int, 12> CharacterTable369 = {5, 4, 3, 2, 1, 9, 8, 7, 6, 5, 4, 3};

// The entry for a solar month 1..12 of the table a principal number chooses; 0 for a principal
// number outside 1..9 or a month outside 1..12.
[[nodiscard]] constexpr int CharacterTableEntry(int principal, int solarMonth)
{
    if (principal < 1 || principal > 9 || solarMonth < 1 || solarMonth > 12)
        return 0;
    constexpr std::array<const std::array<int, 12>*, 3> tables = {
        &CharacterTable147, &CharacterTable258, &CharacterTable369};
    return (*tables[static_cast<std::size_t>((principal - 1) % 3)])[static_cast<std::size_t>(
        solarMonth - 1)];
}

} // namespace Kistarra
