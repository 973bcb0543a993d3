#include "cli/readingjson.h"

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

} // namespace Kistarra
