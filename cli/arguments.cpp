#include "cli/arguments.h"

#include <array>

#include <QCommandLineParser>

#include "cli/yearaheadjson.h"
#include "engine/daterange.h"
#include "engine/daycalendar.h"
#include "engine/ninestar.h"
#include "engine/solarterms.h"
#include "engine/timezones.h"
#include "savedreading/savedreading.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// The dates --forecast takes, as its help and its refusal name them: "1900-02-04 to 2100-12-31".
QString forecastDates()
{
    return DateRange::FirstDate().toString(Qt::ISODate) + u" to "_s +
           DateRange::LastDate().toString(Qt::ISODate);
}

// The months --calendar takes: "1900-02 to 2100-12".
QString calendarMonths()
{
    return DateRange::FirstDate().toString(u"yyyy-MM") + u" to "_s +
           DateRange::LastDate().toString(u"yyyy-MM");
}

// Every option, in the order --help lists them; they are returned too.
QList<QCommandLineOption> addOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        u"Kistarra gives a Nine Star Ki reading for a name and birth date.\n"
        u"Without options it opens its windows; with options it works in the terminal."_s);
    const QList<QCommandLineOption> options = {
        {u"name"_s, u"The person's name."_s, u"text"_s},
        {u"day"_s, u"Day of birth, %1 to %2."_s.arg(FirstListDay).arg(LastListDay), u"day"_s},
        {u"month"_s, u"Month of birth: January .. December (any case) or 1 .. 12."_s, u"month"_s},
        {u"year"_s, u"Year of birth, %1 to %2."_s.arg(FirstListYear).arg(LastListYear), u"year"_s},
        {u"open"_s, u"Take the birth details from a saved reading (.nsk) file."_s, u"file"_s},
        {u"report"_s, u"Print the reading as the plain report (the default)."_s},
        {u"json"_s, u"Print the reading as one JSON object."_s},
        {u"forecast"_s,
         u"The year ahead from this date, YYYY-MM-DD (%1) or today: printed instead of the "
         u"report (after it with --report), or added to the JSON as \"forecast\"."_s.arg(
             forecastDates()),
         u"date"_s},
        {u"calendar"_s,
         u"The month's calendar of good days and directions, YYYY-MM (%1): printed instead of "
         u"the report, as JSON with --json, and as its printed page (landscape A4) with --pdf."_s
             .arg(calendarMonths()),
         u"month"_s},
        {u"save"_s, u"Save the birth details as a saved reading (.nsk) file."_s, u"file"_s},
        {u"pdf"_s, u"Write the printed report, attribution lines included, as a PDF file."_s,
         u"file"_s},
        {u"solar-year"_s, u"Count years from 4 February: a birth before it takes its numbers "
                          u"from the year before."_s},
        {u"true-solar-terms"_s,
         u"Take the birth's solar month, and with --solar-year its year, from the true solar "
         u"terms in the time zone instead of the fixed days."_s},
        {u"time-zone"_s,
         u"The time zone the solar terms are dated in: an IANA name such as Asia/Tokyo, UTC, or "
         u"an offset in quarter hours from UTC-14:00 to UTC+14:00 such as UTC+09:00 or UTC+08:45 "
         u"(default: the computer's, or UTC when it is not known)."_s,
         u"zone"_s},
        {u"solar-terms"_s,
         u"Print the 24 solar terms of a year (%1 to %2) in the time zone; no birth details "
         u"needed."_s.arg(DateRange::FirstYear)
             .arg(DateRange::LastYear),
         u"year"_s},
        {{u"h"_s, u"help"_s}, u"Show this help."_s},
        {{u"v"_s, u"version"_s}, u"Show the program's version."_s},
    };
    parser.addOptions(options);
    return options;
}

// One rule for every option: given twice it is refused, whatever names it was given by, since
// a run could only keep one of the two (and exit 0 would say that everything asked was done).
std::optional<Refusal> givenTwice(const QCommandLineParser& parser,
                                  const QList<QCommandLineOption>& options)
{
    QStringList seen;
    for (const QString& name : parser.optionNames()) {
        QString longName = name;
        for (const QCommandLineOption& option : options) {
            if (option.names().contains(name))
                longName = option.names().constLast();
        }
        if (seen.contains(longName))
            return Refusal{ExitBadInput, u"--%1 given twice"_s.arg(longName)};
        seen.append(longName);
    }
    return std::nullopt;
}

std::optional<Refusal> listDay(const QString& given, QString& day)
{
    const auto value = DecimalValue(given.trimmed());
    if (!value || *value < FirstListDay || *value > LastListDay)
        return Refusal{ExitBadInput,
                       u"day '%1' is not accepted; give a day from %2 to %3"_s.arg(
                           given, QString::number(FirstListDay), QString::number(LastListDay))};
    day = QString::number(*value);
    return std::nullopt;
}

std::optional<Refusal> listMonth(const QString& given, QString& month)
{
    const QString trimmed = given.trimmed();
    if (const auto number = DecimalValue(trimmed); number && *number >= 1 && *number <= 12) {
        month = MonthNames[static_cast<std::size_t>(*number - 1)].toString();
        return std::nullopt;
    }
    for (const QStringView name : MonthNames) {
        if (name.compare(trimmed, Qt::CaseInsensitive) == 0) {
            month = name.toString();
            return std::nullopt;
        }
    }
    return Refusal{ExitBadInput, u"month '%1' is not accepted; give a month name from January to "
                                 u"December or its number from 1 to 12"_s.arg(given)};
}

std::optional<Refusal> listYear(const QString& given, QString& year)
{
    const auto value = DecimalValue(given.trimmed());
    if (!value || *value < FirstListYear || *value > LastListYear)
        return Refusal{ExitBadInput,
                       u"year '%1' is not accepted; give a year from %2 to %3"_s.arg(
                           given, QString::number(FirstListYear), QString::number(LastListYear))};
    year = QString::number(*value);
    return std::nullopt;
}

// Each reader below takes one concern of the options into the request, or refuses; they run in
// the order of ParseArguments, which is the order their refusals take precedence.

std::optional<Refusal> readForecast(const QCommandLineParser& parser, QDate today,
                                    CommandLineRequest& request)
{
    if (!parser.isSet(u"forecast"_s))
        return std::nullopt;
    const QString given = parser.value(u"forecast"_s);
    request.forecast = ForecastDate(given, today);
    if (!request.forecast && given == u"today"_s)
        return Refusal{ExitBadInput, u"today, %1 by this computer's clock, is outside the dates "
                                     u"the year ahead covers, %2"_s.arg(today.toString(Qt::ISODate),
                                                                        forecastDates())};
    if (!request.forecast)
        return Refusal{ExitBadInput, u"forecast date '%1' is not accepted; give a date "
                                     u"YYYY-MM-DD from %2, or today"_s.arg(given, forecastDates())};
    return std::nullopt;
}

// "2026-06": four digits, a hyphen, two digits, a month of the calendar's range.
std::optional<CalendarMonth> calendarMonth(QStringView text)
{
    if (text.size() != 7 || text[4] != u'-')
        return std::nullopt;
    for (const qsizetype at : {0, 1, 2, 3, 5, 6}) {
        if (text[at] < u'0' || text[at] > u'9')
            return std::nullopt;
    }
    const CalendarMonth month{text.left(4).toInt(), text.mid(5, 2).toInt()};
    if (!DateRange::ContainsMonth(month.year, month.month))
        return std::nullopt;
    return month;
}

std::optional<Refusal> readCalendar(const QCommandLineParser& parser, CommandLineRequest& request)
{
    if (!parser.isSet(u"calendar"_s))
        return std::nullopt;
    if (parser.isSet(u"forecast"_s))
        return Refusal{ExitBadInput, u"give either --forecast or --calendar, not both"_s};
    const QString given = parser.value(u"calendar"_s);
    request.calendar = calendarMonth(given);
    if (!request.calendar)
        return Refusal{ExitBadInput, u"calendar month '%1' is not accepted; give a month YYYY-MM "
                                     u"from %2"_s.arg(given, calendarMonths())};
    return std::nullopt;
}

std::optional<Refusal> readTimeZone(const QCommandLineParser& parser, CommandLineRequest& request)
{
    if (!parser.isSet(u"time-zone"_s))
        return std::nullopt;
    const QString given = parser.value(u"time-zone"_s);
    request.timeZone = TimeZoneFromId(given.trimmed());
    if (!request.timeZone)
        return Refusal{ExitBadInput,
                       u"time zone '%1' is not known; give an IANA name such as "
                       u"Asia/Tokyo, UTC, or an offset such as UTC+09:00"_s.arg(given)};
    return std::nullopt;
}

// --solar-terms asks for the terms alone: only the zone and the JSON form go with it.
std::optional<Refusal> readSolarTerms(const QCommandLineParser& parser, CommandLineRequest& request)
{
    const QString given = parser.value(u"solar-terms"_s);
    const auto year = DecimalValue(given.trimmed());
    if (!year || !DateRange::ContainsYear(*year))
        return Refusal{ExitBadInput, u"solar terms year '%1' is not accepted; give a year from "
                                     u"%2 to %3"_s.arg(given)
                                         .arg(DateRange::FirstYear)
                                         .arg(DateRange::LastYear)};
    for (const QString& option : parser.optionNames()) {
        if (option != u"solar-terms"_s && option != u"time-zone"_s && option != u"json"_s)
            return Refusal{ExitBadInput, u"--solar-terms goes with --time-zone and --json only, "
                                         u"not with --%1"_s.arg(option)};
    }
    request.solarTermsYear = *year;
    request.json = parser.isSet(u"json"_s);
    return std::nullopt;
}

std::optional<Refusal> readDetailOptions(const QCommandLineParser& parser,
                                         CommandLineRequest& request)
{
    for (const QString& option : {u"name"_s, u"day"_s, u"month"_s, u"year"_s}) {
        if (!parser.isSet(option))
            return Refusal{
                ExitBadInput,
                u"missing --%1; give --name, --day, --month and --year, or --open FILE"_s.arg(
                    option)};
    }
    BirthDetails details;
    details.name = TrimmedOfBlanks(parser.value(u"name"_s));
    if (details.name.isEmpty())
        return Refusal{ExitBadInput, u"the name is empty; give a name with --name"_s};
    if (IsBlankName(details.name))
        return Refusal{ExitBadInput, u"the name is only white space; give a name with --name"_s};
    if (details.name.size() > MaxNameLength)
        return Refusal{ExitBadInput, u"the name is longer than %1 characters"_s.arg(MaxNameLength)};
    if (auto refused = listDay(parser.value(u"day"_s), details.day))
        return refused;
    if (auto refused = listMonth(parser.value(u"month"_s), details.month))
        return refused;
    if (auto refused = listYear(parser.value(u"year"_s), details.year))
        return refused;
    request.details = details;
    return std::nullopt;
}

// The birth details come from the options or from a saved reading, never both.
std::optional<Refusal> readBirthDetails(const QCommandLineParser& parser,
                                        CommandLineRequest& request)
{
    const bool fromFile = parser.isSet(u"open"_s);
    const bool fromOptions = parser.isSet(u"name"_s) || parser.isSet(u"day"_s) ||
                             parser.isSet(u"month"_s) || parser.isSet(u"year"_s);
    if (fromFile && fromOptions)
        return Refusal{ExitBadInput,
                       u"give either --open FILE or --name, --day, --month and --year, not both"_s};
    request.yearRule = parser.isSet(u"solar-year"_s) ? YearRule::Solar : YearRule::Calendar;
    request.trueSolarTerms = parser.isSet(u"true-solar-terms"_s);
    if (!fromFile)
        return readDetailOptions(parser, request);
    request.openPath = parser.value(u"open"_s);
    return std::nullopt;
}

void readOutputs(const QCommandLineParser& parser, CommandLineRequest& request)
{
    request.json = parser.isSet(u"json"_s);
    request.report = parser.isSet(u"report"_s);
    const std::array<std::pair<OutputFile, QString>, 2> fileOptions = {{
        {OutputFile::SavedReading, u"save"_s},
        {OutputFile::Pdf, u"pdf"_s},
    }};
    for (const auto& [kind, option] : fileOptions) {
        if (parser.isSet(option))
            request.files.push_back({kind, option, parser.value(option)});
    }
}

} // namespace

std::variant<CommandLineRequest, Refusal> ParseArguments(const QStringList& arguments, QDate today)
{
    QCommandLineParser parser;
    const QList<QCommandLineOption> options = addOptions(parser);
    if (!parser.parse(arguments)) {
        QString problem = parser.errorText();
        if (problem.endsWith(u'.'))
            problem.chop(1);
        return Refusal{ExitBadInput, problem + u"; see kistarra --help"_s};
    }
    if (auto refused = givenTwice(parser, options))
        return *refused;
    CommandLineRequest request;
    request.help = parser.isSet(u"help"_s);
    request.version = parser.isSet(u"version"_s);
    if (request.help)
        request.helpText = parser.helpText();
    if (request.help || request.version)
        return request;
    if (!parser.positionalArguments().isEmpty())
        return Refusal{ExitBadInput, u"unexpected argument '%1'; see kistarra --help"_s.arg(
                                         parser.positionalArguments().constFirst())};

    if (auto refused = readTimeZone(parser, request))
        return *refused;
    if (parser.isSet(u"solar-terms"_s)) {
        if (auto refused = readSolarTerms(parser, request))
            return *refused;
        return request;
    }
    if (auto refused = readForecast(parser, today, request))
        return *refused;
    if (auto refused = readCalendar(parser, request))
        return *refused;
    if (auto refused = readBirthDetails(parser, request))
        return *refused;
    readOutputs(parser, request);
    return request;
}

} // namespace Kistarra
