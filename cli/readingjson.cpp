#include "cli/readingjson.h"

#include <array>

#include <QJsonArray>

using namespace Qt::StringLiterals;

namespace Kistarra {

QJsonObject ReadingJson(const Reading& reading)
{
    QJsonObject loShu;
    for (std::size_t i = 0; i < reading.loShuCells.size(); ++i)
        loShu.insert(QString::number(i + 1), reading.loShuCells[i]);

    QJsonObject fengShui;
    if (reading.fengShuiNumber)
        fengShui.insert(u"number"_s, *reading.fengShuiNumber);
    if (reading.fengShui) {
        fengShui.insert(u"group"_s, reading.fengShui->group.toString());
        fengShui.insert(u"element"_s, reading.fengShui->element.toString());
        fengShui.insert(u"trigram"_s, reading.fengShui->trigram.toString());
    }

    QJsonObject object{
        {u"name"_s, reading.details.name},
        {u"day"_s, reading.details.day},
        {u"month"_s, reading.details.month},
        {u"year"_s, reading.details.year},
        {u"birthDate"_s, reading.birthDateText},
        {u"principal"_s, reading.principal},
        {u"solarMonth"_s, reading.solarMonth},
        {u"character"_s, reading.character},
        {u"energetic"_s, reading.energetic},
        {u"summary"_s, reading.starSummary},
        {u"loShu"_s, loShu},
        {u"fengShui"_s, fengShui},
        {u"yearRule"_s, reading.yearRule == YearRule::Solar ? u"solar"_s : u"calendar"_s},
        {u"readingYear"_s, reading.readingYear},
        {u"solarTerms"_s, reading.trueSolarTerms ? u"true"_s : u"fixed"_s},
    };
    return object;
}

namespace {

QJsonValue elementJson(const std::optional<Element>& element)
{
    return element ? QJsonValue(ElementWord(*element).toString()) : QJsonValue();
}

QJsonArray sectionsJson(SectionSet sections)
{
    static constexpr std::array<QStringView, 4> Keys = {u"support", u"control", u"drain",
                                                        u"controlled"};
    QJsonArray keys;
    for (const PartnerSection section : AllPartnerSections) {
        if (sections.contains(section))
            keys.append(Keys.at(static_cast<std::size_t>(section)).toString());
    }
    return keys;
}

} // namespace

QJsonObject ComparisonJson(const Reading& partner, const Comparison& comparison)
{
    static constexpr std::array<QStringView, 3> LevelKeys = {u"principal", u"character",
                                                             u"energetic"};
    QJsonArray levels;
    for (const LevelComparison& level : comparison.levels) {
        QJsonObject row{
            {u"level"_s, LevelKeys.at(static_cast<std::size_t>(level.level)).toString()},
            {u"person"_s, level.person},
            {u"partner"_s, level.partner},
            {u"personElement"_s, elementJson(level.personElement)},
            {u"partnerElement"_s, elementJson(level.partnerElement)},
            {u"sameElement"_s, level.sameElement},
            {u"compatibleForPerson"_s, level.compatibleForPerson},
            {u"compatibleForPartner"_s, level.compatibleForPartner},
        };
        if (level.level == StarLevel::Principal) {
            row.insert(u"personSide"_s, sectionsJson(level.personSide));
            row.insert(u"partnerSide"_s, sectionsJson(level.partnerSide));
        }
        levels.append(row);
    }
    const QJsonObject person{
        {u"name"_s, partner.details.name},   {u"birthDate"_s, partner.birthDateText},
        {u"principal"_s, partner.principal}, {u"character"_s, partner.character},
        {u"energetic"_s, partner.energetic},
    };
    return {{u"partner"_s, person}, {u"levels"_s, levels}};
}

} // namespace Kistarra
