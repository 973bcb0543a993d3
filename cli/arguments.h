#pragma once

#include <optional>
#include <vector>

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTimeZone>

#include "cli/datearguments.h"
#include "files/result.h"
#include "reading/reading.h"

// What the options of a terminal run ask for, read from the arguments alone: no file is opened
// and nothing is written here, so every refusal of a wrong or missing option is known before the
// run touches the file system.
namespace Kistarra {

// The files a run can write, in the order they are checked and made.
enum class OutputFile { SavedReading, Pdf };

struct RequestedFile {
    OutputFile kind;
    QString option; // the option that named it, without "--"
    QString path;
};

// What a run is asked to do. With `help` or `version` set nothing else is read; with
// `solarTermsYear` only the time zone and `json`.
struct CommandLineRequest {
    bool help = false;
    bool version = false;
    QString helpText;

    std::optional<BirthDetails> details; // from --name, --day, --month, --year
    std::optional<QString> openPath;     // from --open: the details are in this saved reading
    // A partner to compare with, from --partner-name, -day, -month and -year, or from the saved
    // reading of --partner-open; with neither, no partner.
    std::optional<BirthDetails> partnerDetails;
    std::optional<QString> partnerOpenPath;
    YearRule yearRule = YearRule::Calendar;
    std::optional<QDate> forecast;
    std::optional<CalendarMonth> calendar;
    std::optional<QTimeZone> timeZone; // --time-zone; the computer's zone when not given
    bool trueSolarTerms = false;       // --true-solar-terms
    std::optional<int> solarTermsYear; // --solar-terms: the terms of that year, nothing else

    bool json = false;
    bool report = false;
    std::vector<RequestedFile> files;

    [[nodiscard]] bool hasPartner() const { return partnerDetails || partnerOpenPath; }
};

// The arguments (arguments[0] is the program) as a request, or why they are refused (a Request
// failure, whose reason is the line to print). `today` is the date "--forecast today" names.
[[nodiscard]] Result<CommandLineRequest> ParseArguments(const QStringList& arguments, QDate today);

} // namespace Kistarra
