#include "cli/arguments.h"

#include <array>

#include <QCommandLineParser>

#include "cli/exitcodes.h"
#include "cli/options.h"
#include "engine/daterange.h"
#include "engine/ninestar.h"
#include "engine/solarterms.h"
#include "engine/timezones.h"
#include "savedreading/savedreading.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// Every option, in the order --help lists them.
void addOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        u"Kistarra gives a Nine Star Ki reading for a name and birth date.\n"
        u"Without options it opens its windows; with options it works in the terminal."_s);
    parser.addOptions(Options().all());
}

// One rule for every option: given twice it is refused, whatever names it was given by, since
// a run could only keep one of the two (and exit 0 would say that everything asked was done).
Done givenTwice(const QCommandLineParser& parser)
{
    const QList<QCommandLineOption> options = Options().all();
    QStringList seen;
    for (const QString& name : parser.optionNames()) {
        QString longName = name;
        for (const QCommandLineOption& option : options) {
            if (option.names().contains(name))
                longName = LongName(option);
        }
        if (seen.contains(longName))
            return Refused(u"--%1 given twice"_s.arg(longName));
        seen.append(longName);
    }
    return {};
}

// The options that give one person's birth details, and how refusals speak of that person.
struct PersonOptions {
    const QCommandLineOption& name;
    const QCommandLineOption& day;
    const QCommandLineOption& month;
    const QCommandLineOption& year;
    const QCommandLineOption& open;
    QString whose; // "" for the person, "partner's " for the partner
};

PersonOptions personOptions()
{
    const CommandLineOptions& option = Options();
    return {option.name, option.day, option.month, option.year, option.open, QString()};
}

PersonOptions partnerOptions()
{
    const CommandLineOptions& option = Options();
    return {option.partnerName, option.partnerDay,  option.partnerMonth,
            option.partnerYear, option.partnerOpen, u"partner's "_s};
}

// The day, month and year as the birth details lists hold them.
Result<QString> listDay(const QString& given, const QString& whose)
{
    const auto value = DecimalValue(given.trimmed());
    if (!value || *value < FirstListDay || *value > LastListDay)
        return Refused(u"%1day '%2' is not accepted; give a day from %3 to %4"_s.arg(
            whose, given, QString::number(FirstListDay), QString::number(LastListDay)));
    return QString::number(*value);
}

Result<QString> listMonth(const QString& given, const QString& whose)
{
    const QString trimmed = given.trimmed();
    if (const auto number = DecimalValue(trimmed); number && *number >= 1 && *number <= 12)
        return MonthNames[static_cast<std::size_t>(*number - 1)].toString();
    for (const QStringView name : MonthNames) {
        if (name.compare(trimmed, Qt::CaseInsensitive) == 0)
            return name.toString();
    }
    return Refused(u"%1month '%2' is not accepted; give a month name from January to December or "
                   u"its number from 1 to 12"_s.arg(whose, given));
}

Result<QString> listYear(const QString& given, const QString& whose)
{
    const auto value = DecimalValue(given.trimmed());
    if (!value || *value < FirstListYear || *value > LastListYear)
        return Refused(u"%1year '%2' is not accepted; give a year from %3 to %4"_s.arg(
            whose, given, QString::number(FirstListYear), QString::number(LastListYear)));
    return QString::number(*value);
}

// Each reader below takes one concern of the options into the request, or refuses; they run in
// the order of ParseArguments, which is the order their refusals take precedence.

Done readForecast(const QCommandLineParser& parser, QDate today, CommandLineRequest& request)
{
    const CommandLineOptions& option = Options();
    if (!parser.isSet(option.forecast))
        return {};
    const QString given = parser.value(option.forecast);
    request.forecast = ForecastDate(given, today);
    if (!request.forecast && given == u"today"_s)
        return Refused(u"today, %1 by this computer's clock, is outside the dates the year ahead "
                       u"covers, %2"_s.arg(today.toString(Qt::ISODate), ForecastDates()));
    if (!request.forecast)
        return Refused(u"forecast date '%1' is not accepted; give a date YYYY-MM-DD from %2, or "
                       u"today"_s.arg(given, ForecastDates()));
    return {};
}

Done readCalendar(const QCommandLineParser& parser, CommandLineRequest& request)
{
    const CommandLineOptions& option = Options();
    if (!parser.isSet(option.calendar))
        return {};
    if (parser.isSet(option.forecast))
        return Refused(u"give either --forecast or --calendar, not both"_s);
    const QString given = parser.value(option.calendar);
    request.calendar = CalendarMonthOf(given);
    if (!request.calendar)
        return Refused(u"calendar month '%1' is not accepted; give a month YYYY-MM from %2"_s.arg(
            given, CalendarMonths()));
    return {};
}

Done readTimeZone(const QCommandLineParser& parser, CommandLineRequest& request)
{
    const CommandLineOptions& option = Options();
    if (!parser.isSet(option.timeZone))
        return {};
    const QString given = parser.value(option.timeZone);
    request.timeZone = TimeZoneFromId(given.trimmed());
    if (!request.timeZone)
        return Refused(u"time zone '%1' is not known; give an IANA name such as Asia/Tokyo, UTC, "
                       u"or an offset such as UTC+09:00"_s.arg(given));
    return {};
}

// --solar-terms asks for the terms alone: only the zone and the JSON form go with it.
Done readSolarTerms(const QCommandLineParser& parser, CommandLineRequest& request)
{
    const CommandLineOptions& option = Options();
    const QString given = parser.value(option.solarTerms);
    const auto year = DecimalValue(given.trimmed());
    if (!year || !DateRange::ContainsYear(*year))
        return Refused(
            u"solar terms year '%1' is not accepted; give a year from %2 to %3"_s.arg(given)
                .arg(DateRange::FirstYear)
                .arg(DateRange::LastYear));
    for (const QString& name : parser.optionNames()) {
        const bool goesWith = option.solarTerms.names().contains(name) ||
                              option.timeZone.names().contains(name) ||
                              option.json.names().contains(name);
        if (!goesWith)
            return Refused(
                u"--solar-terms goes with --time-zone and --json only, not with --%1"_s.arg(name));
    }
    request.solarTermsYear = *year;
    request.json = parser.isSet(option.json);
    return {};
}

Result<BirthDetails> readDetailOptions(const QCommandLineParser& parser,
                                       const PersonOptions& person)
{
    for (const QCommandLineOption* needed :
         {&person.name, &person.day, &person.month, &person.year}) {
        if (!parser.isSet(*needed))
            return Refused(u"missing %1; give %2, %3, %4 and %5, or %6 FILE"_s.arg(
                Spelled(*needed), Spelled(person.name), Spelled(person.day), Spelled(person.month),
                Spelled(person.year), Spelled(person.open)));
    }
    BirthDetails details;
    details.name = TrimmedOfBlanks(parser.value(person.name));
    if (details.name.isEmpty())
        return Refused(
            u"the %1name is empty; give a name with %2"_s.arg(person.whose, Spelled(person.name)));
    if (IsBlankName(details.name))
        return Refused(u"the %1name is only white space; give a name with %2"_s.arg(
            person.whose, Spelled(person.name)));
    if (details.name.size() > MaxNameLength)
        return Refused(
            u"the %1name is longer than %2 characters"_s.arg(person.whose).arg(MaxNameLength));
    const Result<QString> day = listDay(parser.value(person.day), person.whose);
    if (!day)
        return day.failure();
    const Result<QString> month = listMonth(parser.value(person.month), person.whose);
    if (!month)
        return month.failure();
    const Result<QString> year = listYear(parser.value(person.year), person.whose);
    if (!year)
        return year.failure();
    details.day = *day;
    details.month = *month;
    details.year = *year;
    return details;
}

bool detailOptionGiven(const QCommandLineParser& parser, const PersonOptions& person)
{
    return parser.isSet(person.name) || parser.isSet(person.day) || parser.isSet(person.month) ||
           parser.isSet(person.year);
}

// One person's birth details come from the options or from a saved reading, never both: the
// details, or the saved reading's path.
Done readPerson(const QCommandLineParser& parser, const PersonOptions& person,
                std::optional<BirthDetails>& details, std::optional<QString>& openPath)
{
    const bool fromFile = parser.isSet(person.open);
    const bool fromOptions = detailOptionGiven(parser, person);
    if (fromFile && fromOptions)
        return Refused(u"give either %1 FILE or %2, %3, %4 and %5, not both"_s.arg(
            Spelled(person.open), Spelled(person.name), Spelled(person.day), Spelled(person.month),
            Spelled(person.year)));
    if (fromFile) {
        openPath = parser.value(person.open);
        return {};
    }
    Result<BirthDetails> read = readDetailOptions(parser, person);
    if (!read)
        return read.failure();
    details = *std::move(read);
    return {};
}

Done readBirthDetails(const QCommandLineParser& parser, CommandLineRequest& request)
{
    const CommandLineOptions& option = Options();
    request.yearRule = parser.isSet(option.solarYear) ? YearRule::Solar : YearRule::Calendar;
    request.trueSolarTerms = parser.isSet(option.trueSolarTerms);
    if (Done read = readPerson(parser, personOptions(), request.details, request.openPath); !read)
        return read;
    const PersonOptions partner = partnerOptions();
    if (!parser.isSet(partner.open) && !detailOptionGiven(parser, partner))
        return {};
    if (parser.isSet(option.forecast))
        return Refused(u"a partner does not go with --forecast; compare the two without it"_s);
    return readPerson(parser, partner, request.partnerDetails, request.partnerOpenPath);
}

void readOutputs(const QCommandLineParser& parser, CommandLineRequest& request)
{
    const CommandLineOptions& option = Options();
    request.json = parser.isSet(option.json);
    request.report = parser.isSet(option.report);
    const std::array<std::pair<OutputFile, const QCommandLineOption*>, 2> fileOptions = {{
        {OutputFile::SavedReading, &option.save},
        {OutputFile::Pdf, &option.pdf},
    }};
    for (const auto& [kind, fileOption] : fileOptions) {
        if (parser.isSet(*fileOption))
            request.files.push_back({kind, LongName(*fileOption), parser.value(*fileOption)});
    }
}

} // namespace

Result<CommandLineRequest> ParseArguments(const QStringList& arguments, QDate today)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments)) {
        QString problem = parser.errorText();
        if (problem.endsWith(u'.'))
            problem.chop(1);
        return Refused(problem + u"; see kistarra --help"_s);
    }
    if (Done once = givenTwice(parser); !once)
        return once.failure();
    const CommandLineOptions& option = Options();
    CommandLineRequest request;
    request.help = parser.isSet(option.help);
    request.version = parser.isSet(option.version);
    if (request.help)
        request.helpText = parser.helpText();
    if (request.help || request.version)
        return request;
    if (!parser.positionalArguments().isEmpty())
        return Refused(u"unexpected argument '%1'; see kistarra --help"_s.arg(
            parser.positionalArguments().constFirst()));

    if (Done read = readTimeZone(parser, request); !read)
        return read.failure();
    if (parser.isSet(option.solarTerms)) {
        if (Done read = readSolarTerms(parser, request); !read)
            return read.failure();
        return request;
    }
    if (Done read = readForecast(parser, today, request); !read)
        return read.failure();
    if (Done read = readCalendar(parser, request); !read)
        return read.failure();
    if (Done read = readBirthDetails(parser, request); !read)
        return read.failure();
    readOutputs(parser, request);
    return request;
}

} // namespace Kistarra
