#include "cli/commandline.h"

#include <cstdio>
#include <cstdlib>

#include <QFile>
#include <QTextStream>
#include <QTimeZone>

#include "cli/exitcodes.h"
#include "cli/options.h"
#include "cli/outputs.h"
#include "cli/solartermstext.h"
#include "cli/terminaltext.h"
#include "engine/timezones.h"
#include "savedreading/savedreading.h"
#include "version.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

Result<BirthDetails> detailsFromFile(const QString& path)
{
    Result<BirthDetails> details = ReadSavedReading(path);
    if (!details && details.failure().kind == FailureKind::Content)
        return FileProblem(u"'%1' is not a saved reading"_s.arg(path), path);
    if (!details)
        return FileProblem(u"cannot read '%1': %2"_s.arg(path, details.failure().reason), path);
    if (IsBlankName(details->name))
        return FileProblem(u"'%1' is a saved reading without a name"_s.arg(path), path);
    return details;
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
Result<Answer> answerOf(const CommandLineRequest& request, QTextStream& err)
{
    const Result<BirthDetails> details =
        request.openPath ? detailsFromFile(*request.openPath) : *request.details;
    if (!details)
        return details.failure();
    const bool datesNeedAZone = request.trueSolarTerms || request.forecast || request.calendar;
    const QTimeZone zone = datesNeedAZone ? zoneOf(request, err) : QTimeZone::utc();
    const std::optional<QTimeZone> trueTermsZone =
        request.trueSolarTerms ? std::optional(zone) : std::nullopt;
    Answer answer;
    answer.reading = ComputeReading(*details, request.yearRule, trueTermsZone);
    if (request.hasPartner()) {
        const Result<BirthDetails> partner = request.partnerOpenPath
                                                 ? detailsFromFile(*request.partnerOpenPath)
                                                 : *request.partnerDetails;
        if (!partner)
            return partner.failure();
        answer.partner = ComputeReading(*partner, request.yearRule, trueTermsZone);
        answer.comparison = CompareReadings(answer.reading, *answer.partner);
    }
    const auto noPrincipal = [&answer](QStringView what) {
        return FileProblem(u"the birth year '%1' gives no principal number, so no %2"_s.arg(
            answer.reading.details.year, what));
    };
    if (request.forecast) {
        answer.ahead = ComputeYearAhead(answer.reading.principal, *request.forecast, zone);
        if (!answer.ahead)
            return noPrincipal(u"year ahead");
        answer.day = ComputeDayAhead(answer.reading.principal, *request.forecast, zone);
    }
    if (request.calendar) {
        answer.calendar = ComputeMonthCalendar(
            answer.reading.principal, request.calendar->year, request.calendar->month, zone,
            answer.partner ? std::optional(answer.partner->principal) : std::nullopt);
        if (!answer.calendar)
            return noPrincipal(u"calendar");
    }
    return answer;
}

// Whether the argument, after the one before it, names a file.
bool NamesFile(const QString& before, const QString& argument)
{
    const CommandLineOptions& option = Options();
    for (const QCommandLineOption& file :
         {option.open, option.partnerOpen, option.save, option.pdf}) {
        const QString spelled = Spelled(file);
        if (before == spelled || argument.startsWith(spelled + u'='))
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
    const QString pdf = Spelled(Options().pdf);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == pdf || arguments[i].startsWith(pdf + u'='))
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
    const auto fail = [&err](const Failure& failure) {
        err << u"kistarra: "_s << OneLine(failure.reason) << Qt::endl;
        return static_cast<int>(ExitCodeOf(failure));
    };
    const Result<CommandLineRequest> parsed = ParseArguments(arguments, QDate::currentDate());
    if (!parsed)
        return fail(parsed.failure());
    const CommandLineRequest& request = *parsed;
    if (request.help || request.version) {
        out << (request.help ? request.helpText : u"Kistarra " KISTARRA_VERSION "\n"_s);
        const Done flushed = FlushStandardOutput(out);
        return flushed ? ExitOk : fail(flushed.failure());
    }

    if (request.solarTermsYear) {
        const QTimeZone zone = zoneOf(request, err);
        out << (request.json ? SolarTermsJson(*request.solarTermsYear, zone)
                             : SolarTermsText(*request.solarTermsYear, zone));
        const Done flushed = FlushStandardOutput(out);
        return flushed ? ExitOk : fail(flushed.failure());
    }

    const Result<Answer> answer = answerOf(request, err);
    if (!answer)
        return fail(answer.failure());
    const Result<OutputPlan> plan = PlanOutputs(request, *answer);
    if (!plan)
        return fail(plan.failure());
    if (const Done written = WriteOutputs(*plan, out); !written)
        return fail(written.failure());
    return ExitOk;
}

} // namespace Kistarra
