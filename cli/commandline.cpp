#include "cli/commandline.h"

#include <cstdio>
#include <cstdlib>

#include <QFile>
#include <QTextStream>
#include <QTimeZone>

#include "cli/outputs.h"
#include "cli/solartermstext.h"
#include "cli/terminaltext.h"
#include "engine/timezones.h"
#include "savedreading/savedreading.h"
#include "version.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

std::variant<BirthDetails, Refusal> detailsFromFile(const QString& path)
{
    const SavedReadingResult result = ReadSavedReading(path);
    switch (result.error) {
    case SavedReadingError::None:
        break;
    case SavedReadingError::CannotRead:
        return Refusal{ExitFileProblem, u"cannot read '%1'"_s.arg(path)};
    case SavedReadingError::NotASavedReading:
        return Refusal{ExitFileProblem, u"'%1' is not a saved reading"_s.arg(path)};
    }
    if (IsBlankName(result.details.name))
        return Refusal{ExitFileProblem, u"'%1' is a saved reading without a name"_s.arg(path)};
    return result.details;
}

// The zone of the run: the one asked for, else the computer's, which says once that it is UTC in
// place of a zone the computer names but does not know. Asked for only when a date needs a zone.
QTimeZone zoneOf(const CommandLineRequest& request, QTextStream& err)
{
    if (request.timeZone)
        return *request.timeZone;
    const ComputerTimeZone computers = ComputersTimeZone();
    if (!computers.unknownName.isEmpty())
        err << OneLine(u"kistarra: the computer's time zone '%1' is not known; using UTC"_s.arg(
                   computers.unknownName))
            << Qt::endl;
    return computers.zone;
}

// The reading the request asks for, from its options or its saved reading, and its year ahead.
std::variant<Answer, Refusal> answerOf(const CommandLineRequest& request, QTextStream& err)
{
    const auto details = request.openPath ? detailsFromFile(*request.openPath) : *request.details;
    if (const auto* refused = std::get_if<Refusal>(&details))
        return *refused;
    const bool datesNeedAZone = request.trueSolarTerms || request.forecast || request.calendar;
    const QTimeZone zone = datesNeedAZone ? zoneOf(request, err) : QTimeZone::utc();
    Answer answer{ComputeReading(std::get<BirthDetails>(details), request.yearRule,
                                 request.trueSolarTerms ? std::optional(zone) : std::nullopt),
                  std::nullopt, std::nullopt, std::nullopt};
    const auto noPrincipal = [&answer](QStringView what) {
        return Refusal{ExitFileProblem,
                       u"the birth year '%1' gives no principal number, so no %2"_s.arg(
                           answer.reading.details.year, what)};
    };
    if (request.forecast) {
        answer.ahead = ComputeYearAhead(answer.reading.principal, *request.forecast, zone);
        if (!answer.ahead)
            return noPrincipal(u"year ahead");
        answer.day = ComputeDayAhead(answer.reading.principal, *request.forecast, zone);
    }
    if (request.calendar) {
        answer.calendar = ComputeMonthCalendar(answer.reading.principal, request.calendar->year,
                                               request.calendar->month, zone);
        if (!answer.calendar)
            return noPrincipal(u"calendar");
    }
    return answer;
}

// Whether the argument, after the one before it, names a file.
bool NamesFile(const QString& before, const QString& argument)
{
    for (const QString& option : {u"--open"_s, u"--save"_s, u"--pdf"_s}) {
        if (before == option || argument.startsWith(option + u'='))
            return true;
    }
    return !argument.startsWith(u'-') && !before.startsWith(u'-');
}

} // namespace

ArgumentsText DecodeArguments(int argc, const char* const argv[])
{
    ArgumentsText text;
    for (int i = 0; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        const QString argument = QFile::decodeName(bytes);
        if (text.inexact.isEmpty() && QFile::encodeName(argument) != bytes) {
            const QString before = i > 1 ? text.arguments.at(i - 1) : QString();
            text.inexactNamesFile = NamesFile(before, argument);
            for (const char byte : bytes) {
                const auto code = static_cast<unsigned char>(byte);
                if (code >= 0x20 && code < 0x7F)
                    text.inexact += QChar(char16_t{code});
                else
                    text.inexact += u"\\x"_s + QString::number(code, 16).rightJustified(2, u'0');
            }
        }
        text.arguments.append(argument);
    }
    return text;
}

void InstallTerminalMessageHandler()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtFatalMsg)
            return;
        const QByteArray line = (u"kistarra: "_s + OneLine(message) + u'\n').toLocal8Bit();
        std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
        std::fflush(stderr);
        std::_Exit(ExitFileProblem);
    });
}

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
    const auto fail = [&err](const Refusal& refusal) {
        err << u"kistarra: "_s << OneLine(refusal.message) << Qt::endl;
        return static_cast<int>(refusal.code);
    };
    const auto parsed = ParseArguments(arguments, QDate::currentDate());
    if (const auto* refused = std::get_if<Refusal>(&parsed))
        return fail(*refused);
    const auto& request = std::get<CommandLineRequest>(parsed);
    if (request.help || request.version) {
        out << (request.help ? request.helpText : u"Kistarra " KISTARRA_VERSION "\n"_s);
        const auto refused = FlushStandardOutput(out);
        return refused ? fail(*refused) : ExitOk;
    }

    if (request.solarTermsYear) {
        const QTimeZone zone = zoneOf(request, err);
        out << (request.json ? SolarTermsJson(*request.solarTermsYear, zone)
                             : SolarTermsText(*request.solarTermsYear, zone));
        const auto refused = FlushStandardOutput(out);
        return refused ? fail(*refused) : ExitOk;
    }

    const auto answer = answerOf(request, err);
    if (const auto* refused = std::get_if<Refusal>(&answer))
        return fail(*refused);
    const auto plan = PlanOutputs(request, std::get<Answer>(answer));
    if (const auto* refused = std::get_if<Refusal>(&plan))
        return fail(*refused);
    if (const auto refused = WriteOutputs(std::get<OutputPlan>(plan), out))
        return fail(*refused);
    return ExitOk;
}

} // namespace Kistarra
