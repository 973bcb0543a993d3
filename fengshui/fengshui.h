#pragma once

#include <array>
#include <optional>

#include <QString>
#include <QStringView>

// The Feng Shui profile of a birth year: a number 1..9 from the year's last two digits, and from
// it the East or West group, an element and a trigram. Its element names ("Earth") are its own;
// the reading text says "Soil/ Earth".
namespace Kistarra {

struct FengShuiProfile {
    QStringView group;
    QStringView element;
    QStringView trigram;

    friend bool operator==(const FengShuiProfile&, const FengShuiProfile&) = default;
};

// Profiles by Feng Shui number (entry n - 1). 9 belongs to the West group; 5 shares everything
// with 2.
inline constexpr std::array<FengShuiProfile, 9> FengShuiProfiles = {{
    {u"East", u"Water", u"Kan"},
    {u"West", u"Earth", u"Kun"},
    {u"East", u"Wood", u"Chen"},
    {u"East", u"Wood", u"Sun"},
    {u"West", u"Earth", u"Kun"},
    {u"West", u"Metal", u"Chien"},
    {u"West", u"Metal", u"Tui"},
    {u"West", u"Earth", u"Ken"},
    {u"West", u"Fire", u"Li"},
}};

// The five element names, in the order of their descriptions.
inline constexpr std::array<QStringView, 5> FengShuiElements = {u"Water", u"Earth", u"Wood",
                                                                u"Metal", u"Fire"};

// Keys of the element and trigram pictures, in the order they are searched.
inline constexpr std::array<QStringView, 5> ElementPictureKeys = {u"Earth", u"Fire", u"Metal",
                                                                  u"Water", u"Wood"};
inline constexpr std::array<QStringView, 8> TrigramPictureKeys = {
    u"Chen", u"Chien", u"Kan", u"Ken", u"Kun", u"Li", u"Sun", u"Tui"};

// From the two-character year text ("75" for 1975): the digits summed, a two-digit sum's digits
// summed once more, taken from 10; 10 itself counts as 1. Nothing when a character is not a
// digit.
[[nodiscard]] std::optional<int> CalculateFengShuiNumber(QStringView yearDigits);

// The profile of a number 1..9; nothing for any other number.
[[nodiscard]] std::optional<FengShuiProfile> FengShuiProfileFor(int fengShuiNumber);

// The description of an element, its compatible and its challenging elements, each separated by
// an empty line (CR LF CR LF). Nothing for a text that is not exactly one of the five names.
[[nodiscard]] std::optional<QString> ElementDescriptions(QStringView element);

// The picture key equal to the given element or trigram word, searched in list order; nothing
// when none is equal.
[[nodiscard]] std::optional<QStringView> ElementPictureKey(QStringView element);
[[nodiscard]] std::optional<QStringView> TrigramPictureKey(QStringView trigram);

} // namespace Kistarra
