#include "cli/yearaheadjson.h"

#include <array>

#include <QJsonArray>

#include "engine/daterange.h"
#include "reading/yearaheadtext.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// The keys of the directions to avoid, in the order of Avoids.
constexpr std::array<QStringView, 5> AvoidKeys = {u"fiveYellow", u"darkSword", u"ownStar",
                                                  u"oppositeOwnStar", u"breaker"};
static_assert(AvoidKeys.size() == Avoids.size());

// The palaces in the order the JSON lists its stars: the Centre first.
constexpr std::array<Palace, 9> StarOrder = {Palace::C,  Palace::N,  Palace::NE,
                                             Palace::E,  Palace::SE, Palace::S,
                                             Palace::SW, Palace::W,  Palace::NW};

QString code(Palace palace)
{
    return PalaceCode(palace).toString();
}

} // namespace

QJsonObject ChartJson(const Chart& chart)
{
    QJsonObject stars;
    for (const Palace palace : StarOrder)
        stars.insert(code(palace), chart.star(palace));
    QJsonObject avoid;
    for (std::size_t i = 0; i < Avoids.size(); ++i) {
        const auto palace = chart.avoided(Avoids[i]);
        avoid.insert(AvoidKeys[i].toString(), palace ? QJsonValue(code(*palace)) : QJsonValue());
    }
    QJsonArray favourable;
    for (const Palace palace : Palaces) {
        if (chart.isFavourable(palace))
            favourable.append(code(palace));
    }
    return QJsonObject{
        {u"centre"_s, chart.centre},       {u"stars"_s, stars},
        {u"palace"_s, code(chart.palace)}, {u"avoid"_s, avoid},
        {u"favourable"_s, favourable},
    };
}

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

std::optional<QDate> ForecastDate(QStringView text, QDate today)
{
    QDate date;
    if (text == u"today") {
        date = today;
    } else {
        // QDate's own parser also takes "2026-6-1"; the form is checked by hand first.
        if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
            return std::nullopt;
        for (const qsizetype at : {0, 1, 2, 3, 5, 6, 8, 9}) {
            if (!isAsciiDigit(text[at]))
                return std::nullopt;
        }
        date = QDate(text.mid(0, 4).toInt(), text.mid(5, 2).toInt(), text.mid(8, 2).toInt());
    }
    if (!date.isValid() || date < DateRange::FirstDate() || date > DateRange::LastDate())
        return std::nullopt;
    return date;
}

QJsonObject YearAheadJson(const YearAhead& ahead)
{
    QJsonArray cycle;
    for (const CycleYear& year : ahead.cycle)
        cycle.append(QJsonObject{
            {u"year"_s, year.year}, {u"centre"_s, year.centre}, {u"palace"_s, code(year.palace)}});
    return QJsonObject{
        {u"date"_s, ahead.date.toString(Qt::ISODate)},
        {u"timeZone"_s, TimeZoneName(ahead.zone)},
        {u"solarYear"_s, ahead.solar.year},
        {u"yearBegins"_s, LocalMinuteIso(ahead.yearBegins)},
        {u"solarMonth"_s, ahead.solar.month},
        {u"monthBegins"_s, LocalMinuteIso(ahead.monthBegins)},
        {u"monthEnds"_s, LocalMinuteIso(ahead.monthEnds)},
        {u"year"_s, ChartJson(ahead.year)},
        {u"month"_s, ChartJson(ahead.month)},
        {u"cycle"_s, cycle},
    };
}

} // namespace Kistarra
