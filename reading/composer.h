#pragma once

#include <array>
#include <cstdint>

#include <QString>

#include "engine/numbertables.h"

#include "reading/composedtext.h"

// Composes the reading text of the chart page, its one-line star summary and the relationship
// text from the three star numbers and the tables of the nine numbers.
namespace Kistarra {

struct ComposedReading {
    ComposedText reading;
    ComposedText relationship;
    QString starSummary;
};

// The relationship page's four sections of partners, in the page's order.
enum class PartnerSection : std::uint8_t { Support, Control, Drain, Controlled };
inline constexpr std::array<PartnerSection, 4> AllPartnerSections = {
    PartnerSection::Support, PartnerSection::Control, PartnerSection::Drain,
    PartnerSection::Controlled};

struct PartnerSectionWords {
    QStringView heading;   // "Who Supports Your Relationship", without a line break
    QStringView label;     // the words before the list of numbers
    QStringView paragraph; // the paragraph under the list, without a line break
};

[[nodiscard]] const PartnerSectionWords& WordsOf(PartnerSection section);

// The section's list of a principal number's partner lists, as the page shows it ("7,6").
[[nodiscard]] QStringView PartnerList(const PartnerLists& lists, PartnerSection section);

// A number outside 1..9 keeps its header line and explanation but gets no number block and adds
// nothing to the summary; only the principal number's block opens the summary with "Your 9 Star
// Ki is: ".
[[nodiscard]] ComposedReading ComposeReading(int principal, int character, int energetic);

} // namespace Kistarra
