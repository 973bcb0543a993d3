#include "app/commandline.h"

#include <optional>
#include <variant>

#include <QCommandLineParser>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextStream>

#include "app/yearaheadjson.h"
#include "savedreading/savedreading.h"
#include "platform/printing.h"
#include "reading/reading.h"
#include "reading/yearaheadtext.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

struct Problem {
    ExitCode code;
    QString message; // without the "kistarra: " prefix
};

// A whole number written in decimal digits only (leading zeros allowed), or nothing.
std::optional<int> decimalValue(QStringView text)
{
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    return text.toInt();
}

std::variant<QString, Problem> listDay(const QString& given)
{
    const auto value = decimalValue(given.trimmed());
    if (!value || *value < 1 || *value > 31)
        return Problem{ExitBadInput,
                       u"day '%1' is not accepted; give a day from 1 to 31"_s.arg(given)};
    return QString::number(*value);
}

std::variant<QString, Problem> listMonth(const QString& given)
{
    const QString month = given.trimmed();
    if (const auto number = decimalValue(month); number && *number >= 1 && *number <= 12)
        return MonthNames[static_cast<std::size_t>(*number - 1)].toString();
    for (const QStringView name : MonthNames) {
        if (name.compare(month, Qt::CaseInsensitive) == 0)
            return name.toString();
    }
    return Problem{ExitBadInput, u"month '%1' is not accepted; give a month name from January to "
                                 u"December or its number from 1 to 12"_s.arg(given)};
}

std::variant<QString, Problem> listYear(const QString& given)
{
    const auto value = decimalValue(given.trimmed());
    if (!value || *value < 1900 || *value > 2050)
        return Problem{ExitBadInput,
                       u"year '%1' is not accepted; give a year from 1900 to 2050"_s.arg(given)};
    return QString::number(*value);
}

std::variant<BirthDetails, Problem> detailsFromOptions(const QCommandLineParser& parser)
{
    const std::array<QString, 4> required = {u"name"_s, u"day"_s, u"month"_s, u"year"_s};
    for (const QString& option : required) {
        if (!parser.isSet(option))
            return Problem{
                ExitBadInput,
                u"missing --%1; give --name, --day, --month and --year, or --open FILE"_s.arg(
                    option)};
    }
    BirthDetails details;
    details.name = parser.value(u"name"_s).trimmed();
    if (details.name.isEmpty())
        return Problem{ExitBadInput, u"the name is empty; give a name with --name"_s};

    const auto day = listDay(parser.value(u"day"_s));
    if (const auto* problem = std::get_if<Problem>(&day))
        return *problem;
    const auto month = listMonth(parser.value(u"month"_s));
    if (const auto* problem = std::get_if<Problem>(&month))
        return *problem;
    const auto year = listYear(parser.value(u"year"_s));
    if (const auto* problem = std::get_if<Problem>(&year))
        return *problem;
    details.day = std::get<QString>(day);
    details.month = std::get<QString>(month);
    details.year = std::get<QString>(year);
    return details;
}

std::variant<BirthDetails, Problem> detailsFromFile(const QString& path)
{
    const SavedReadingResult result = ReadSavedReading(path);
    switch (result.error) {
    case SavedReadingError::None:
        break;
    case SavedReadingError::CannotRead:
    case SavedReadingError::CannotWrite:
        return Problem{ExitFileProblem, u"cannot read '%1'"_s.arg(path)};
    case SavedReadingError::NotASavedReading:
        return Problem{ExitFileProblem, u"'%1' is not a saved reading"_s.arg(path)};
    }
    if (result.details.name.trimmed().isEmpty())
        return Problem{ExitFileProblem, u"'%1' is a saved reading without a name"_s.arg(path)};
    return result.details;
}

QJsonObject readingJson(const Reading& reading)
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

    return QJsonObject{
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
    };
}

// The message with every control character a value brought into it written out (\n, \x1B), so a
// refusal is always exactly one line.
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

// What the report window's Print puts on paper, in the report's own font, as a PDF file.
bool WritePdfReport(const Reading& reading, const QString& path)
{
    QTextDocument document;
    document.setDefaultFont(ReportFont());
    QTextCursor(&document).insertText(PrintedReportText(reading));
    return PrintToPdf(document, path);
}

QString withUnixLineBreaks(QString text)
{
    return text.replace(u"\r\n"_s, u"\n"_s);
}

} // namespace

bool CommandLineNeedsFonts(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == u"--pdf"_s || arguments[i].startsWith(u"--pdf="_s))
            return true;
    }
    return false;
}

bool IsCommandLineRun(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i].startsWith(u'-'))
            return true;
    }
    return false;
}

int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Kistarra gives a Nine Star Ki reading for a name and birth date.\n"
        u"Without options it opens its windows; with options it works in the terminal."_s);
    parser.addOptions({
        {u"name"_s, u"The person's name."_s, u"text"_s},
        {u"day"_s, u"Day of birth, 1 to 31."_s, u"day"_s},
        {u"month"_s, u"Month of birth: January .. December (any case) or 1 .. 12."_s, u"month"_s},
        {u"year"_s, u"Year of birth, 1900 to 2050."_s, u"year"_s},
        {u"open"_s, u"Take the birth details from a saved reading (.nsk) file."_s, u"file"_s},
        {u"report"_s, u"Print the reading as the plain report (the default)."_s},
        {u"json"_s, u"Print the reading as one JSON object."_s},
        {u"forecast"_s,
         u"The year ahead from this date, YYYY-MM-DD (1900-02-04 to 2100-12-31) or today: "
         u"printed instead of the report, or added to the JSON as \"forecast\"."_s,
         u"date"_s},
        {u"save"_s, u"Save the birth details as a saved reading (.nsk) file."_s, u"file"_s},
        {u"pdf"_s, u"Write the printed report, attribution lines included, as a PDF file."_s,
         u"file"_s},
        {{u"h"_s, u"help"_s}, u"Show this help."_s},
        {{u"v"_s, u"version"_s}, u"Show the program's version."_s},
    });

    const auto fail = [&err](const Problem& problem) {
        err << u"kistarra: "_s << OneLine(problem.message) << Qt::endl;
        return static_cast<int>(problem.code);
    };

    if (!parser.parse(arguments)) {
        QString problem = parser.errorText();
        if (problem.endsWith(u'.'))
            problem.chop(1);
        return fail({ExitBadInput, problem + u"; see kistarra --help"_s});
    }
    if (parser.isSet(u"help"_s)) {
        out << parser.helpText() << Qt::flush;
        return ExitOk;
    }
    if (parser.isSet(u"version"_s)) {
        out << u"Kistarra 1.35"_s << Qt::endl;
        return ExitOk;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail({ExitBadInput, u"unexpected argument '%1'; see kistarra --help"_s.arg(
                                       parser.positionalArguments().constFirst())});

    std::optional<QDate> forecast;
    if (parser.isSet(u"forecast"_s)) {
        const QString given = parser.value(u"forecast"_s);
        forecast = ForecastDate(given, QDate::currentDate());
        if (!forecast)
            return fail(
                {ExitBadInput, u"forecast date '%1' is not accepted; give a date "
                               u"YYYY-MM-DD from 1900-02-04 to 2100-12-31, or today"_s.arg(given)});
    }

    const bool fromFile = parser.isSet(u"open"_s);
    const bool fromOptions = parser.isSet(u"name"_s) || parser.isSet(u"day"_s) ||
                             parser.isSet(u"month"_s) || parser.isSet(u"year"_s);
    if (fromFile && fromOptions)
        return fail({ExitBadInput,
                     u"give either --open FILE or --name, --day, --month and --year, not both"_s});

    const auto details =
        fromFile ? detailsFromFile(parser.value(u"open"_s)) : detailsFromOptions(parser);
    if (const auto* problem = std::get_if<Problem>(&details))
        return fail(*problem);
    const Reading reading = ComputeReading(std::get<BirthDetails>(details));
    const auto ahead = forecast ? ComputeYearAhead(reading.principal, *forecast) : std::nullopt;
    if (forecast && !ahead)
        return fail({ExitFileProblem, u"the birth year '%1' gives no principal number, so no "
                                      u"year ahead"_s.arg(reading.details.year)});

    if (parser.isSet(u"save"_s)) {
        const QString path = parser.value(u"save"_s);
        if (WriteSavedReading(path, reading.details) != SavedReadingError::None)
            return fail({ExitFileProblem, u"cannot write '%1'"_s.arg(path)});
    }

    if (parser.isSet(u"pdf"_s)) {
        const QString path = parser.value(u"pdf"_s);
        if (!WritePdfReport(reading, path))
            return fail({ExitFileProblem, u"cannot write '%1'"_s.arg(path)});
    }

    const bool json = parser.isSet(u"json"_s);
    const bool report =
        parser.isSet(u"report"_s) || (!json && !parser.isSet(u"save"_s) && !parser.isSet(u"pdf"_s));
    if (report || (ahead && !json))
        out << (ahead ? YearAheadText(*ahead)
                      : QString(withUnixLineBreaks(ReportText(reading)) + u'\n'));
    if (json) {
        QJsonObject object = readingJson(reading);
        if (ahead)
            object.insert(u"forecast"_s, YearAheadJson(*ahead));
        out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    }
    out << Qt::flush;
    return ExitOk;
}

} // namespace Kistarra
