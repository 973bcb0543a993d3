#include "reading/comparison.h"

namespace Kistarra {

namespace {

// True when the list, as the reading shows it ("7,6", "2, 5, 8"), holds the single digit.
constexpr bool listHolds(QStringView list, int number)
{
    if (number < 1 || number > 9)
        return false;
    const QChar digit(u'0' + number);
    for (qsizetype i = 0; i < list.size(); ++i) {
        const bool alone =
            (i == 0 || !list[i - 1].isDigit()) && (i + 1 == list.size() || !list[i + 1].isDigit());
        if (list[i] == digit && alone)
            return true;
    }
    return false;
}

std::optional<Element> elementOf(int number)
{
    const StarAttributes* const star = StarAttributesOf(number);
    return star == nullptr ? std::nullopt : std::optional<Element>(star->element);
}

} // namespace

SectionSet SectionsNaming(int own, int other)
{
    SectionSet sections;
    const StarAttributes* const star = StarAttributesOf(own);
    if (star == nullptr)
        return sections;
    for (const PartnerSection section : AllPartnerSections) {
        if (listHolds(PartnerList(star->partners, section), other))
            sections.insert(section);
    }
    return sections;
}

bool IsCompatible(int own, int other)
{
    const StarAttributes* const star = StarAttributesOf(own);
    return star != nullptr && listHolds(star->compatible, other);
}

int StarNumberAt(const Reading& reading, StarLevel level)
{
    switch (level) {
    case StarLevel::Principal:
        return reading.principal;
    case StarLevel::Character:
        return reading.character;
    case StarLevel::Energetic:
        break;
    }
    return reading.energetic;
}

Comparison CompareReadings(const Reading& person, const Reading& partner)
{
    Comparison comparison;
    for (const StarLevel level : AllStarLevels) {
        LevelComparison& row = comparison.levels.at(static_cast<std::size_t>(level));
        row.level = level;
        row.person = StarNumberAt(person, level);
        row.partner = StarNumberAt(partner, level);
        row.personElement = elementOf(row.person);
        row.partnerElement = elementOf(row.partner);
        row.sameElement = row.personElement && row.personElement == row.partnerElement;
        row.compatibleForPerson = IsCompatible(row.person, row.partner);
        row.compatibleForPartner = IsCompatible(row.partner, row.person);
        if (level == StarLevel::Principal) {
            row.personSide = SectionsNaming(row.person, row.partner);
            row.partnerSide = SectionsNaming(row.partner, row.person);
        }
    }
    return comparison;
}

} // namespace Kistarra
