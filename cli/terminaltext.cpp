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
// crafted saved reading cannot move the cursor, retitle the terminal or forge a line.
QString terminalReport(const Reading& reading)
{
    BirthDetails shown = reading.details;
    shown.name = OneLine(shown.name);
    QString text = shown.name == reading.details.name ? ReportText(reading)
                                                      : ReportText(ComputeReading(shown));
    return text.replace(u"\r\n"_s, u"\n"_s);
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
    const bool report = request.report || (!request.json && request.files.empty());
    QString text;
    if (answer.ahead && !request.json)
        text += YearAheadText(*answer.ahead);
    else if (report)
        text += terminalReport(answer.reading) + u'\n';
    if (request.json) {
        QJsonObject object = ReadingJson(answer.reading);
        if (answer.ahead)
            object.insert(u"forecast"_s, YearAheadJson(*answer.ahead));
        text += QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    }
    return text;
}

} // namespace Kistarra
