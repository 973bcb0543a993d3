#include "reading/yearaheadtext.h"

#include <array>

#include "engine/ninestar.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr qsizetype TextWidth = 78;
constexpr QStringView Indent = u"    ";

QString span(const LocalInstant& begins, const LocalInstant& ends)
{
    return u"from "_s % LocalMinuteText(begins) % u" to "_s % LocalMinuteText(ends);
}

void appendHeading(QString& out, const QString& heading, QChar rule)
{
    out += heading % u'\n' % QString(heading.size(), rule) % u'\n';
}

// A paragraph broken between words so that no line is longer than the text width.
void appendWrapped(QString& out, QStringView paragraph)
{
    QString line;
    for (const QStringView word : paragraph.tokenize(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > TextWidth) {
            out += line % u'\n';
            line.clear();
        }
        if (!line.isEmpty())
            line += u' ';
        line += word;
    }
    if (!line.isEmpty())
        out += line % u'\n';
}

void appendGrid(QString& out, const Chart& chart)
{
    for (const auto& row : ChartRows) {
        QString line = Indent.toString();
        for (const Palace palace : row)
            line += QString(PalaceCode(palace) % u' ' % QString::number(chart.star(palace)))
                        .leftJustified(8);
        while (line.endsWith(u' '))
            line.chop(1);
        out += line % u'\n';
    }
}

void appendChart(QString& out, const QString& heading, QStringView period, const Chart& chart,
                 int principal)
{
    appendHeading(out, heading, u'-');
    out += u"Centre star: "_s % QString::number(chart.centre) %
           u"\nThe chart, South at the top:\n\n"_s;
    appendGrid(out, chart);
    out += u"\nYour star "_s % QString::number(principal) % u" stands in the "_s %
           PalaceName(chart.palace) % u' ' % period % u".\n"_s;
    appendWrapped(out, PalaceMeaning(chart.palace));
    out += u"\nDirections to avoid:\n"_s;
    for (const Avoid avoid : Avoids)
        out += Indent % QString(AvoidName(avoid) % u':').leftJustified(19) %
               AvoidedDirectionText(chart, avoid) % u'\n';
    out += u"Favourable directions: "_s % FavourableDirectionsText(chart) % u"\n\n"_s;
}

} // namespace

QString AvoidedDirectionText(const Chart& chart, Avoid avoid)
{
    const auto palace = chart.avoided(avoid);
    switch (avoid) {
    case Avoid::FiveYellow:
    case Avoid::DarkSword:
        return palace ? PalaceName(*palace).toString() : u"none, the 5 stands in the Centre"_s;
    case Avoid::OwnStar:
    case Avoid::OppositeOwnStar:
        return palace ? PalaceName(*palace).toString() : u"none, your star stands in the Centre"_s;
    case Avoid::Breaker:
        break;
    }
    const auto branch = static_cast<std::size_t>(chart.branch);
    return PalaceName(palace.value_or(Palace::C)) % u", opposite the "_s % BranchNames[branch] %
           u" in the "_s % PalaceName(BranchPalaces[branch]);
}

QString FavourableDirectionsText(const Chart& chart)
{
    QStringList names;
    for (const Palace palace : Palaces) {
        if (chart.isFavourable(palace))
            names << PalaceName(palace).toString();
    }
    return names.isEmpty() ? u"none"_s : names.join(u", "_s);
}

QString BranchWithArticle(int branch)
{
    const QStringView name = BranchNames[static_cast<std::size_t>(branch)];
    return (name == u"Ox" ? u"an "_s : u"a "_s) % name;
}

QString SolarYearSpanText(const YearAhead& ahead)
{
    return span(ahead.yearBegins, ahead.yearEnds);
}

QString SolarMonthSpanText(const YearAhead& ahead)
{
    return span(ahead.monthBegins, ahead.monthEnds);
}

QString ChartSectionText(const QString& heading, QStringView period, const Chart& chart,
                         int principal)
{
    QString out;
    appendChart(out, heading, period, chart, principal);
    return out;
}

QString YearAheadText(const YearAhead& ahead)
{
    const SolarDate solar = ahead.solar;
    QString out;
    appendHeading(out, YearAheadTitle.toString(), u'=');
    out += u"\nDate:             "_s % LongDateText(ahead.date) % u'\n';
    out += u"Principal number: "_s % QString::number(ahead.principal) % u'\n';
    out += u"Time zone:        "_s % TimeZoneName(ahead.zone) % u'\n';
    out += u"Solar year:       "_s % QString::number(solar.year) % u", "_s %
           SolarYearSpanText(ahead) % u'\n';
    out += u"Solar month:      "_s % QString::number(solar.month) % u", "_s %
           SolarMonthSpanText(ahead) % u"\n\n"_s;

    appendChart(out,
                u"This Year: "_s % QString::number(solar.year) % u", "_s %
                    BranchWithArticle(ahead.year.branch) % u" year"_s,
                u"this year", ahead.year, ahead.principal);
    appendChart(out,
                u"This Month: solar month "_s % QString::number(solar.month) % u", "_s %
                    BranchWithArticle(ahead.month.branch) % u" month"_s,
                u"this month", ahead.month, ahead.principal);

    appendHeading(out, u"Nine-Year Cycle"_s, u'-');
    out += Indent % u"Year   Centre star   Your palace\n"_s;
    for (const CycleYear& year : ahead.cycle)
        out += Indent % QString::number(year.year).leftJustified(7) %
               QString::number(year.centre).leftJustified(14) % PalaceName(year.palace) % u'\n';
    return out;
}

} // namespace Kistarra
