#pragma once

#include <array>

#include <QStringView>

// The fixed attributes of the nine star numbers. Every table has nine entries; entry n - 1
// belongs to star number n. The lookup functions answer an empty text for a number outside 1..9,
// which has no entry.
namespace Kistarra {

using StarTable = std::array<QStringView, 9>;

inline constexpr StarTable LuckyColourTable = {u"Blue, Black",
                                               u"Red, White, Pink",
                                               u"Bright Green",
                                               u"Dark Green, Red, Blue",
                                               u"Yellow",
                                               u"White, Black, Grey",
                                               u"Red",
                                               u"Black, Blue, Green",
                                               u"Purple, Red, Orange"};

inline constexpr StarTable NumberElementTable = {u"Water", u"Soil/ Earth", u"Wood",
                                                 u"Wood",  u"Soil/ Earth", u"Metal",
                                                 u"Metal", u"Soil/ Earth", u"Fire"};

inline constexpr StarTable BestCareersTable = {
    u"Arbitrators, Mediators and Lawyers",
    u"Teachers, Organizers, Managers and Team Leaders.",
    u"Models, Entertainers, Anchors and Teachers",
    u"Counselors, Musicians and Artists",
    u"Business Managers, Army Officers, Judge, Advocates",
    u"Lawyers, Psychologists, Real Estate Dealers, Business Proprietors",
    u"Lawyers, Scientists, Comedians and Editors",
    u"Lawyers, Comedians, Scientists and Editors",
    u"Fashion Designer, Models, Politician, Journalists"};

inline constexpr StarTable CompatibleNumbersTable = {u"9",    u"1",    u"2, 5, 8", u"2, 5, 8", u"1",
                                                     u"3, 4", u"3, 4", u"1",       u"6, 7"};

// Partner lists of the relationship page, by principal number; no blank after the commas.
inline constexpr StarTable SupportNumbersTable = {u"6,7",   u"9",     u"1", u"1",  u"9",
                                                  u"2,5,8", u"2,5,8", u"9", u"3,4"};
inline constexpr StarTable ControlNumbersTable = {u"9",   u"1",   u"2,5,8", u"2,5,8", u"1",
                                                  u"3,4", u"3,4", u"1",     u"6,7"};
inline constexpr StarTable DrainNumbersTable = {u"3", u"7,6", u"9",   u"9",    u"7,6",
                                                u"1", u"1",   u"7,6", u"2,5,8"};
inline constexpr StarTable ControlledNumbersTable = {u"9", u"3,4", u"6",   u"7", u"3,4",
                                                     u"9", u"9",   u"3,4", u"1"};

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

[[nodiscard]] QStringView LuckyColour(int n);
[[nodiscard]] QStringView NumberElement(int n);
[[nodiscard]] QStringView BestCareers(int n);
[[nodiscard]] QStringView CompatibleNumbers(int n);
[[nodiscard]] QStringView SupportNumbers(int n);
[[nodiscard]] QStringView ControlNumbers(int n);
[[nodiscard]] QStringView DrainNumbers(int n);
[[nodiscard]] QStringView ControlledNumbers(int n);

// The star's description: an introduction naming the star, its trigram and whose energy it
// represents, an empty line (CR LF CR LF), and a paragraph on the person the number rules.
[[nodiscard]] QStringView NumberText(int n);

} // namespace Kistarra
