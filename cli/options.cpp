#include "cli/options.h"

#include "cli/datearguments.h"

#include "engine/daterange.h"
#include "engine/ninestar.h"
#include "engine/solarterms.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

CommandLineOptions makeOptions()
{
    return {
        .name = {u"name"_s, u"The person's name."_s, u"text"_s},
        .day = {u"day"_s, u"Day of birth, %1 to %2."_s.arg(FirstListDay).arg(LastListDay),
                u"day"_s},
        .month = {u"month"_s, u"Month of birth: January .. December (any case) or 1 .. 12."_s,
                  u"month"_s},
        .year = {u"year"_s, u"Year of birth, %1 to %2."_s.arg(FirstListYear).arg(LastListYear),
                 u"year"_s},
        .open = {u"open"_s, u"Take the birth details from a saved reading (.nsk) file."_s,
                 u"file"_s},
        .partnerName = {u"partner-name"_s,
                        u"A partner's name: compare the two people (with --calendar: the days "
                        u"good for both)."_s,
                        u"text"_s},
        .partnerDay = {u"partner-day"_s, u"The partner's day of birth, as --day."_s, u"day"_s},
        .partnerMonth = {u"partner-month"_s, u"The partner's month of birth, as --month."_s,
                         u"month"_s},
        .partnerYear = {u"partner-year"_s, u"The partner's year of birth, as --year."_s, u"year"_s},
        .partnerOpen = {u"partner-open"_s,
                        u"Take the partner's birth details from a saved reading (.nsk) file."_s,
                        u"file"_s},
        .report = {u"report"_s, u"Print the reading as the plain report (the default; with a "
                                u"partner, before the comparison)."_s},
        .json = {u"json"_s, u"Print the reading as one JSON object."_s},
        .forecast = {u"forecast"_s,
                     u"The year ahead from this date, YYYY-MM-DD (%1) or today: printed instead of "
                     u"the report (after it with --report), or added to the JSON as "
                     u"\"forecast\"."_s.arg(ForecastDates()),
                     u"date"_s},
        .calendar = {u"calendar"_s,
                     u"The month's calendar of good days and directions, YYYY-MM (%1): printed "
                     u"instead of the report, as JSON with --json, and as its printed page "
                     u"(landscape A4) with --pdf."_s.arg(CalendarMonths()),
                     u"month"_s},
        .save = {u"save"_s, u"Save the birth details as a saved reading (.nsk) file."_s, u"file"_s},
        .pdf = {u"pdf"_s,
                u"Write the printed report (with a partner the printed comparison), attribution "
                u"lines included, as a PDF file."_s,
                u"file"_s},
        .solarYear = {u"solar-year"_s, u"Count years from 4 February: a birth before it takes its "
                                       u"numbers from the year before."_s},
        .trueSolarTerms = {u"true-solar-terms"_s,
                           u"Take the birth's solar month, and with --solar-year its year, from "
                           u"the true solar terms in the time zone instead of the fixed days."_s},
        .timeZone = {u"time-zone"_s,
                     u"The time zone the solar terms are dated in: an IANA name such as "
                     u"Asia/Tokyo, UTC, or an offset in quarter hours from UTC-14:00 to UTC+14:00 "
                     u"such as UTC+09:00 or UTC+08:45 (default: the computer's, or UTC when it is "
                     u"not known)."_s,
                     u"zone"_s},
        .solarTerms = {u"solar-terms"_s,
                       u"Print the 24 solar terms of a year (%1 to %2) in the time zone; no birth "
                       u"details needed."_s.arg(DateRange::FirstYear)
                           .arg(DateRange::LastYear),
                       u"year"_s},
        .help = {{u"h"_s, u"help"_s}, u"Show this help."_s},
        .version = {{u"v"_s, u"version"_s}, u"Show the program's version."_s},
    };
}

} // namespace

QList<QCommandLineOption> CommandLineOptions::all() const
{
    return {name,       day,          month,       year,        open,      partnerName,
            partnerDay, partnerMonth, partnerYear, partnerOpen, report,    json,
            forecast,   calendar,     save,        pdf,         solarYear, trueSolarTerms,
            timeZone,   solarTerms,   help,        version};
}

const CommandLineOptions& Options()
{
    static const CommandLineOptions options = makeOptions();
    return options;
}

QString LongName(const QCommandLineOption& option)
{
    return option.names().constLast();
}

QString Spelled(const QCommandLineOption& option)
{
    return u"--"_s + LongName(option);
}

} // namespace Kistarra
