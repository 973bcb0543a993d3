#include "cli/terminaltext.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "cli/calendarjson.h"
#include "cli/readingjson.h"
#include "cli/yearaheadjson.h"
#include "reading/calendartext.h"
#include "reading/comparisontext.h"
#include "reading/yearaheadtext.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// The plain report for a terminal: control characters a name brought in are written out, so a
// crafted saved reading cannot move the cursor, retitle the terminal or forge a line. Only the
// name shown changes; the reading stays the one computed, year rule and all.
QString terminalReport(Reading reading)
{
    reading.details.name = OneLine(reading.details.name);
    return ReportText(reading).replace(u"\r\n"_s, u"\n"_s);
}

// The comparison in words, the names written out as in the report.
QString terminalComparison(Reading person, Reading partner, const Comparison& comparison)
{
    person.details.name = OneLine(person.details.name);
    partner.details.name = OneLine(partner.details.name);
    return ComparisonText(person, partner, comparison).plainText().replace(u"\r\n"_s, u"\n"_s);
}

// The day of the year ahead's date in words, after the year and the month.
QString dayText(const YearAhead& ahead, const std::optional<DayAhead>& day)
{
    if (!day)
        return QString();
    return ChartSectionText(u"This Day: "_s % LongDateText(ahead.date) % u", "_s %
                                StemBranchCharacters(day->stemBranch) % u' ' %
                                StemBranchName(day->stemBranch) % u", day star "_s %
                                QString::number(day->star.star) %
                                (day->star.ascending ? u", rising"_s : u", falling"_s),
                            u"this day", day->chart, ahead.principal);
}

// The year ahead's JSON with its date's day: "day" its chart, "dayStemBranch" its stem and branch.
QJsonObject forecastJson(const YearAhead& ahead, const std::optional<DayAhead>& day)
{
    QJsonObject forecast = YearAheadJson(ahead);
    if (day) {
        forecast.insert(u"day"_s, ChartJson(day->chart));
        forecast.insert(u"dayStemBranch"_s, StemBranchJson(day->stemBranch));
    }
    return forecast;
}

} // namespace

QString OneLine(const QString& message)
{
    QString line;
    line.reserve(message.size());
    for (const QChar c : message) {
        if (c == u'\n')
            line += u"\\n"_s;
        else if (c == u'\r')
            line += u"\\r"_s;
        else if (c == u'\t')
            line += u"\\t"_s;
        else if (c.category() == QChar::Other_Control)
            line += u"\\x"_s + QString::number(c.unicode(), 16).rightJustified(2, u'0');
        else
            line += c;
    }
    return line;
}

QString TerminalText(const CommandLineRequest& request, const Answer& answer)
{
    // The year ahead in words, or the comparison, takes the default report's place, not that of
    // one asked for.
    const bool yearAheadText = answer.ahead && !request.json;
    const bool comparisonText =
        answer.comparison && !request.json && (request.report || request.files.empty());
    const bool report = request.report || (!request.json && request.files.empty() &&
                                           !yearAheadText && !comparisonText);
    QString text;
    if (answer.calendar) {
        const QString partner = answer.partnerName();
        return request.json ? QString::fromUtf8(
                                  QJsonDocument(CalendarJson(*answer.calendar,
                                                             answer.reading.details.name, partner))
                                      .toJson(QJsonDocument::Indented))
                            : CalendarText(*answer.calendar, OneLine(partner));
    }
    if (report)
        text += terminalReport(answer.reading) + u'\n';
    if (comparisonText)
        text += (report ? u"\n"_s : QString()) +
                terminalComparison(answer.reading, *answer.partner, *answer.comparison);
    if (yearAheadText)
        text += (report ? u"\n"_s : QString()) + YearAheadText(*answer.ahead) + u'\n' +
                dayText(*answer.ahead, answer.day);
    if (request.json) {
        QJsonObject object = ReadingJson(answer.reading);
        if (answer.ahead)
            object.insert(u"forecast"_s, forecastJson(*answer.ahead, answer.day));
        if (answer.comparison)
            object.insert(u"comparison"_s, ComparisonJson(*answer.partner, *answer.comparison));
        text += QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    }
    return text;
}

} // namespace Kistarra
