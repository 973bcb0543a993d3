#include "app/commandline.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <variant>
#include <vector>

#include <sys/stat.h>

#include <QBuffer>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextStream>

#include "app/yearaheadjson.h"
#include "platform/printing.h"
#include "reading/reading.h"
#include "reading/yearaheadtext.h"
#include "savedreading/savedreading.h"
#include "savedreading/wholefiles.h"
#include "version.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

struct Problem {
    ExitCode code;
    QString message; // without the "kistarra: " prefix
};

std::variant<QString, Problem> listDay(const QString& given)
{
    const auto value = DecimalValue(given.trimmed());
    if (!value || *value < FirstListDay || *value > LastListDay)
        return Problem{ExitBadInput,
                       u"day '%1' is not accepted; give a day from %2 to %3"_s.arg(
                           given, QString::number(FirstListDay), QString::number(LastListDay))};
    return QString::number(*value);
}

std::variant<QString, Problem> listMonth(const QString& given)
{
    const QString month = given.trimmed();
    if (const auto number = DecimalValue(month); number && *number >= 1 && *number <= 12)
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
    const auto value = DecimalValue(given.trimmed());
    if (!value || *value < FirstListYear || *value > LastListYear)
        return Problem{ExitBadInput,
                       u"year '%1' is not accepted; give a year from %2 to %3"_s.arg(
                           given, QString::number(FirstListYear), QString::number(LastListYear))};
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
    details.name = TrimmedOfBlanks(parser.value(u"name"_s));
    if (details.name.isEmpty())
        return Problem{ExitBadInput, u"the name is empty; give a name with --name"_s};
    if (details.name.size() > MaxNameLength)
        return Problem{ExitBadInput, u"the name is longer than %1 characters"_s.arg(MaxNameLength)};

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
    if (TrimmedOfBlanks(result.details.name).isEmpty())
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
        {u"yearRule"_s, reading.yearRule == YearRule::Solar ? u"solar"_s : u"calendar"_s},
        {u"readingYear"_s, reading.readingYear},
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

// What the report window's Print puts on paper, in the report's own font, as PDF bytes.
std::variant<QByteArray, QString> pdfReport(const Reading& reading)
{
    QTextDocument document;
    document.setDefaultFont(ReportFont());
    QTextCursor(&document).insertText(PrintedReportText(reading));
    QBuffer buffer;
    if (!PrintToPdf(document, buffer) || buffer.data().isEmpty())
        return u"the report could not be laid out"_s;
    return buffer.data();
}

std::variant<QByteArray, QString> savedReading(const Reading& reading)
{
    if (reading.details.name.size() > MaxNameLength)
        return u"the name is longer than %1 characters"_s.arg(MaxNameLength);
    return EncodeSavedReading(reading.details);
}

// A file option: what it writes, and whether it may name the saved reading given to --open
// (saving a reading over itself rewrites the same birth details).
struct FileOption {
    QString name;
    bool mayRewriteTheInput;
    std::variant<QByteArray, QString> (*contents)(const Reading&); // the bytes, or why none
};

const std::array<FileOption, 2> FileOptions = {{
    {u"save"_s, true, &savedReading},
    {u"pdf"_s, false, &pdfReport},
}};

// The same file, however it is spelt: device and inode of a file that exists, else its folder's
// canonical path and its name.
QString fileIdentity(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0)
        return u"%1:%2"_s.arg(status.st_dev).arg(status.st_ino);
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + u'/' + info.fileName();
}

struct PlannedFile {
    const FileOption* option;
    QString path;
    QByteArray bytes;
};

// The files the options ask for, each a new file or a regular one that may be replaced, no two
// the same and none the opened reading unless its option allows it.
std::variant<std::vector<PlannedFile>, Problem> planFiles(const QCommandLineParser& parser)
{
    const QString input =
        parser.isSet(u"open"_s) ? fileIdentity(parser.value(u"open"_s)) : QString();
    std::vector<PlannedFile> files;
    for (const FileOption& option : FileOptions) {
        if (!parser.isSet(option.name))
            continue;
        const QString path = parser.value(option.name);
        const QString identity = fileIdentity(path);
        for (const PlannedFile& earlier : files) {
            if (fileIdentity(earlier.path) == identity)
                return Problem{ExitBadInput,
                               u"--%1 and --%2 name the same file '%3'; give each "
                               u"its own file"_s.arg(earlier.option->name, option.name, path)};
        }
        if (!option.mayRewriteTheInput && identity == input)
            return Problem{
                ExitBadInput,
                u"--%1 names the saved reading given to --open, '%2'"_s.arg(option.name, path)};
        if (const QString refused = RefusedTarget(path); !refused.isEmpty())
            return Problem{ExitFileProblem, u"cannot write '%1': %2"_s.arg(path, refused)};
        files.push_back({&option, path, {}});
    }
    return files;
}

// Standard output, written out now: false when any of it could not be.
bool flushed(QTextStream& out, QString& reason)
{
    out.flush();
    if (out.status() == QTextStream::Ok)
        return true;
    reason = out.device() ? out.device()->errorString() : u"write error"_s;
    return false;
}

} // namespace

ArgumentsText DecodeArguments(int argc, const char* const argv[])
{
    ArgumentsText text;
    for (int i = 0; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        const QString argument = QFile::decodeName(bytes);
        if (text.inexact.isEmpty() && QFile::encodeName(argument) != bytes) {
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

namespace {

// The dates --forecast takes, as its help and its refusal name them: "1900-02-04 to 2100-12-31".
QString forecastDates()
{
    return YearAheadFirstDate().toString(Qt::ISODate) + u" to "_s +
           YearAheadLastDate().toString(Qt::ISODate);
}

void addOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        u"Kistarra gives a Nine Star Ki reading for a name and birth date.\n"
        u"Without options it opens its windows; with options it works in the terminal."_s);
    parser.addOptions({
        {u"name"_s, u"The person's name."_s, u"text"_s},
        {u"day"_s, u"Day of birth, %1 to %2."_s.arg(FirstListDay).arg(LastListDay), u"day"_s},
        {u"month"_s, u"Month of birth: January .. December (any case) or 1 .. 12."_s, u"month"_s},
        {u"year"_s, u"Year of birth, %1 to %2."_s.arg(FirstListYear).arg(LastListYear), u"year"_s},
        {u"open"_s, u"Take the birth details from a saved reading (.nsk) file."_s, u"file"_s},
        {u"report"_s, u"Print the reading as the plain report (the default)."_s},
        {u"json"_s, u"Print the reading as one JSON object."_s},
        {u"forecast"_s,
         u"The year ahead from this date, YYYY-MM-DD (%1) or today: printed instead of the "
         u"report, or added to the JSON as \"forecast\"."_s.arg(forecastDates()),
         u"date"_s},
        {u"save"_s, u"Save the birth details as a saved reading (.nsk) file."_s, u"file"_s},
        {u"pdf"_s, u"Write the printed report, attribution lines included, as a PDF file."_s,
         u"file"_s},
        {u"solar-year"_s, u"Count years from 4 February: a birth before it takes its numbers "
                          u"from the year before."_s},
        {{u"h"_s, u"help"_s}, u"Show this help."_s},
        {{u"v"_s, u"version"_s}, u"Show the program's version."_s},
    });
}

// What the options ask to be read: the reading, and its year ahead when --forecast is given.
struct Request {
    Reading reading;
    std::optional<YearAhead> ahead;
};

std::variant<Request, Problem> readRequest(const QCommandLineParser& parser)
{
    std::optional<QDate> forecast;
    if (parser.isSet(u"forecast"_s)) {
        const QString given = parser.value(u"forecast"_s);
        forecast = ForecastDate(given, QDate::currentDate());
        if (!forecast)
            return Problem{ExitBadInput,
                           u"forecast date '%1' is not accepted; give a date "
                           u"YYYY-MM-DD from %2, or today"_s.arg(given, forecastDates())};
    }

    const bool fromFile = parser.isSet(u"open"_s);
    const bool fromOptions = parser.isSet(u"name"_s) || parser.isSet(u"day"_s) ||
                             parser.isSet(u"month"_s) || parser.isSet(u"year"_s);
    if (fromFile && fromOptions)
        return Problem{ExitBadInput,
                       u"give either --open FILE or --name, --day, --month and --year, not both"_s};

    const auto details =
        fromFile ? detailsFromFile(parser.value(u"open"_s)) : detailsFromOptions(parser);
    if (const auto* problem = std::get_if<Problem>(&details))
        return *problem;
    const YearRule rule = parser.isSet(u"solar-year"_s) ? YearRule::Solar : YearRule::Calendar;
    Request request{ComputeReading(std::get<BirthDetails>(details), rule), std::nullopt};
    if (forecast) {
        request.ahead = ComputeYearAhead(request.reading.principal, *forecast);
        if (!request.ahead)
            return Problem{ExitFileProblem, u"the birth year '%1' gives no principal number, so "
                                            u"no year ahead"_s.arg(request.reading.details.year)};
    }
    return request;
}

// The files the options ask for, each target checked and its bytes made in memory.
std::variant<std::vector<PlannedFile>, Problem> prepareFiles(const QCommandLineParser& parser,
                                                             const Reading& reading)
{
    auto planned = planFiles(parser);
    if (const auto* problem = std::get_if<Problem>(&planned))
        return *problem;
    auto& files = std::get<std::vector<PlannedFile>>(planned);
    for (PlannedFile& file : files) {
        auto contents = file.option->contents(reading);
        if (const auto* reason = std::get_if<QString>(&contents))
            return Problem{ExitFileProblem, u"cannot write '%1': %2"_s.arg(file.path, *reason)};
        file.bytes = std::get<QByteArray>(std::move(contents));
    }
    return std::move(files);
}

// What goes to standard output: the report (the default when no file is asked for), or the year
// ahead in words in its place, and the JSON object.
QString terminalText(const QCommandLineParser& parser, const Request& request, bool writesFiles)
{
    const bool json = parser.isSet(u"json"_s);
    const bool report = parser.isSet(u"report"_s) || (!json && !writesFiles);
    QString text;
    if (request.ahead && !json)
        text += YearAheadText(*request.ahead);
    else if (report)
        text += terminalReport(request.reading) + u'\n';
    if (json) {
        QJsonObject object = readingJson(request.reading);
        if (request.ahead)
            object.insert(u"forecast"_s, YearAheadJson(*request.ahead));
        text += QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    }
    return text;
}

Problem writeFailure(const WholeFiles& written)
{
    return {ExitFileProblem,
            u"cannot write '%1': %2"_s.arg(written.failedPath(), written.reason())};
}

} // namespace

int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    addOptions(parser);
    const auto fail = [&err](const Problem& problem) {
        err << u"kistarra: "_s << OneLine(problem.message) << Qt::endl;
        return static_cast<int>(problem.code);
    };
    const auto finish = [&out, &fail] {
        QString reason;
        if (!flushed(out, reason))
            return fail({ExitFileProblem, u"cannot write to standard output: "_s + reason});
        return static_cast<int>(ExitOk);
    };

    if (!parser.parse(arguments)) {
        QString problem = parser.errorText();
        if (problem.endsWith(u'.'))
            problem.chop(1);
        return fail({ExitBadInput, problem + u"; see kistarra --help"_s});
    }
    if (parser.isSet(u"help"_s) || parser.isSet(u"version"_s)) {
        out << (parser.isSet(u"help"_s) ? parser.helpText() : u"Kistarra " KISTARRA_VERSION "\n"_s);
        return finish();
    }
    if (!parser.positionalArguments().isEmpty())
        return fail({ExitBadInput, u"unexpected argument '%1'; see kistarra --help"_s.arg(
                                       parser.positionalArguments().constFirst())});

    const auto request = readRequest(parser);
    if (const auto* problem = std::get_if<Problem>(&request))
        return fail(*problem);
    // Every output is made in memory and every target checked before anything is written; the
    // files then go into temporaries, standard output is written, and only when all of that
    // worked do the files replace their targets.
    const auto files = prepareFiles(parser, std::get<Request>(request).reading);
    if (const auto* problem = std::get_if<Problem>(&files))
        return fail(*problem);
    const auto& planned = std::get<std::vector<PlannedFile>>(files);
    const QString text = terminalText(parser, std::get<Request>(request), !planned.empty());

    WholeFiles written;
    for (const PlannedFile& file : planned) {
        if (!written.add(file.path, file.bytes))
            return fail(writeFailure(written));
    }
    out << text;
    if (const int code = finish(); code != ExitOk)
        return code;
    if (!written.commit())
        return fail(writeFailure(written));
    return ExitOk;
}

} // namespace Kistarra
