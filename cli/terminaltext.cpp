#include "cli/terminaltext.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "cli/readingjson.h"
#include "cli/yearaheadjson.h"
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
    // The year ahead in words takes the default report's place, not that of one asked for.
    const bool yearAheadText = answer.ahead && !request.json;
    const bool report =
        request.report || (!request.json && request.files.empty() && !yearAheadText);
    QString text;
    if (report)
        text += terminalReport(answer.reading) + u'\n';
    if (yearAheadText)
        text += (report ? u"\n"_s : QString()) + YearAheadText(*answer.ahead);
    if (request.json) {
        QJsonObject object = ReadingJson(answer.reading);
        if (answer.ahead)
            object.insert(u"forecast"_s, YearAheadJson(*answer.ahead));
        text += QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    }
    return text;
}

} // namespace Kistarra
