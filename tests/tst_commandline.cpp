#include <array>
#include <climits>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <QTextStream>

#include "cli/calendarjson.h"
#include "cli/commandline.h"
#include "engine/daycalendar.h"
#include "engine/ninestar.h"
#include "reading/comparisontext.h"
#include "reading/reading.h"
#include "savedreading/savedreading.h"
#include "tests/support/testfiles.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

const QStringList AnnOptions{u"--name"_s,  u"Ann"_s, u"--day"_s,  u"1"_s,
                             u"--month"_s, u"May"_s, u"--year"_s, u"1970"_s};

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run runInProcess(const QStringList& options)
{
    Run run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.exitCode = RunCommandLine(QStringList{u"kistarra"_s} + options, out, err);
    out.flush();
    err.flush();
    return run;
}

// The real program in its own process, as a shell would start it; without a display when asked,
// with the variables given as NAME=value set, its standard output into a file when one is named.
Run runBinary(const QStringList& options, bool withoutDisplay = false,
              const QStringList& variables = {}, const QString& standardOutput = {},
              const QString& program = QStringLiteral(KISTARRA_BINARY))
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    if (withoutDisplay) {
        for (const QString& name : {u"QT_QPA_PLATFORM"_s, u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s})
            environment.remove(name);
    }
    for (const QString& variable : variables)
        environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    process.setProcessEnvironment(environment);
    if (!standardOutput.isEmpty())
        process.setStandardOutputFile(standardOutput);
    process.start(program, options);
    Run run;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        run.err = u"did not finish"_s;
        return run;
    }
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// What every refusal looks like: one line, starting with the program's name.
bool isOneProblemLine(const QString& err)
{
    return err.startsWith(u"kistarra: "_s) && err.endsWith(u'\n') && err.count(u'\n') == 1;
}

QJsonObject parsedJson(const QString& out)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(out.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return QJsonObject{{u"unparsable"_s, out}};
    return document.object();
}

QString jsonText(const QJsonObject& object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

QJsonObject annJson()
{
    return QJsonObject{
        {u"name"_s, u"Ann"_s},
        {u"day"_s, u"1"_s},
        {u"month"_s, u"May"_s},
        {u"year"_s, u"1970"_s},
        {u"birthDate"_s, u"1 May 1970"_s},
        {u"principal"_s, 3},
        {u"solarMonth"_s, 3},
        {u"character"_s, 3},
        {u"energetic"_s, 5},
        {u"summary"_s, u"Your 9 Star Ki is: 3 Wood, 3 Wood, 5 Soil/ Earth"_s},
        {u"loShu"_s, QJsonObject{{u"1"_s, u"11"_s},
                                 {u"2"_s, u""_s},
                                 {u"3"_s, u""_s},
                                 {u"4"_s, u""_s},
                                 {u"5"_s, u"5"_s},
                                 {u"6"_s, u""_s},
                                 {u"7"_s, u"7"_s},
                                 {u"8"_s, u""_s},
                                 {u"9"_s, u"9"_s}}},
        {u"fengShui"_s, QJsonObject{{u"number"_s, 3},
                                    {u"group"_s, u"East"_s},
                                    {u"element"_s, u"Wood"_s},
                                    {u"trigram"_s, u"Chen"_s}}},
        {u"yearRule"_s, u"calendar"_s},
        {u"readingYear"_s, u"1970"_s},
        {u"solarTerms"_s, u"fixed"_s},
    };
}

// What a folder holds, entry by entry: kind, mode and bytes (or link target).
using Entries = std::map<QString, std::tuple<mode_t, QByteArray>>;

Entries entries(const QString& folder)
{
    Entries found;
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::System |
                                                      QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QString path = folder + u'/' + name;
        struct stat status {};
        ::lstat(QFile::encodeName(path).constData(), &status);
        const QByteArray contents = S_ISREG(status.st_mode) ? FileBytes(path)
                                    : S_ISLNK(status.st_mode)
                                        ? QFile::encodeName(QFileInfo(path).symLinkTarget())
                                        : QByteArray();
        found[name] = {status.st_mode, contents};
    }
    return found;
}

// A chart of the year ahead as the JSON gives it; an empty direction to avoid is null.
QJsonObject chartJson(int centre, const QJsonObject& stars, const QString& palace,
                      const QStringList& avoid, const QStringList& favourable)
{
    const QStringList keys = {u"fiveYellow"_s, u"darkSword"_s, u"ownStar"_s, u"oppositeOwnStar"_s,
                              u"breaker"_s};
    QJsonObject avoided;
    for (qsizetype i = 0; i < keys.size(); ++i)
        avoided.insert(keys[i], avoid[i].isEmpty() ? QJsonValue() : QJsonValue(avoid[i]));
    return QJsonObject{{u"centre"_s, centre},
                       {u"stars"_s, stars},
                       {u"palace"_s, palace},
                       {u"avoid"_s, avoided},
                       {u"favourable"_s, QJsonArray::fromStringList(favourable)}};
}

QStringList withForecast(const QString& date)
{
    return QStringList{u"--forecast"_s, date} + AnnOptions;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void binaryVersion();
    void binaryHelp();
    void binaryReport();
    void binaryJson();
    void binarySolarYear_data();
    void binarySolarYear();
    void binaryForecastJson();
    void forecastDates_data();
    void forecastDates();
    void forecastText_data();
    void forecastText();
    void binarySolarTerms_data();
    void binarySolarTerms();
    void binaryUnknownComputerZone_data();
    void binaryUnknownComputerZone();
    void binaryTrueSolarTerms_data();
    void binaryTrueSolarTerms();
    void binaryPdf_data();
    void binaryPdf();
    void binaryPdfUnwritable();
    void calendarText_data();
    void calendarText();
    void calendarJson();
    void calendarJsonForTwo();
    void binaryCalendarPdf();
    void binaryRefusals_data();
    void binaryRefusals();

    void refusals_data();
    void refusals();
    void saveWritesTheFile_data();
    void saveWritesTheFile();
    void failureWritesNothing_data();
    void failureWritesNothing();
    void openGivesTheSameReading_data();
    void openGivesTheSameReading();

    void binaryNeedsNoUsableDisplay_data();
    void binaryNeedsNoUsableDisplay();
    void binaryFullStandardOutput_data();
    void binaryFullStandardOutput();
    void binaryFileNamesAreExact_data();
    void binaryFileNamesAreExact();
    void outputsAllOrNothing_data();
    void outputsAllOrNothing();
    void binaryTargetChangedWhileStandardOutputWaits_data();
    void binaryTargetChangedWhileStandardOutputWaits();
    void binaryReportThenYearAhead();
    void binaryYearRuleKeptForEveryName_data();
    void binaryYearRuleKeptForEveryName();
    void binaryLongNameFromAFileIsNotSaved();
    void binaryReplacedFileStaysItsOwners_data();
    void binaryReplacedFileStaysItsOwners();
    void binaryTargetsAsTheKernelNamesThem_data();
    void binaryTargetsAsTheKernelNamesThem();
    void binarySavesInAFolderDeeperThanPathMax_data();
    void binarySavesInAFolderDeeperThanPathMax();
    void reportShowsControlCharacters_data();
    void reportShowsControlCharacters();

private:
    QTemporaryDir m_dir;
    QString m_notASavedReading;
    QString m_withoutName;
    QString m_blankName;
    QString m_regularFile;
};

void TestCommandLine::initTestCase()
{
    // The computer's time zone, which the year ahead follows unless told otherwise: Japan's, in
    // this process and the programs it starts.
    qputenv("TZ", "Asia/Tokyo");
    QCOMPARE(QTimeZone::systemTimeZoneId(), QByteArrayLiteral("Asia/Tokyo"));
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFile::exists(QStringLiteral(KISTARRA_BINARY)), KISTARRA_BINARY);
    QCOMPARE(FileBytes(AnnFilePath()).size(), 19);

    m_notASavedReading = m_dir.filePath(u"day 32.nsk"_s);
    QVERIFY(WriteFile(m_notASavedReading,
                      EncodeSavedReading({u"Ann"_s, u"32"_s, u"May"_s, u"1970"_s})));
    m_withoutName = m_dir.filePath(u"nameless.nsk"_s);
    QVERIFY(WriteFile(m_withoutName, EncodeSavedReading({QString(), u"1"_s, u"May"_s, u"1970"_s})));
    m_blankName = m_dir.filePath(u"blank name.nsk"_s);
    QVERIFY(WriteFile(m_blankName, EncodeSavedReading({u"\t"_s, u"1"_s, u"May"_s, u"1970"_s})));
    m_regularFile = m_dir.filePath(u"plain-file"_s);
    QVERIFY(WriteFile(m_regularFile, "not a folder"));
}

void TestCommandLine::binaryVersion()
{
    const Run run = runBinary({u"--version"_s});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, u"Kistarra 1.35\n"_s);
}

void TestCommandLine::binaryHelp()
{
    const Run run = runBinary({u"--help"_s});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    for (const QString& option : {u"--name"_s, u"--day"_s, u"--month"_s, u"--year"_s, u"--open"_s,
                                  u"--report"_s, u"--json"_s, u"--save"_s, u"--forecast"_s})
        QVERIFY2(run.out.contains(option), qPrintable(option));
}

void TestCommandLine::binaryReport()
{
    const Run run = runBinary(QStringList{u"--report"_s} + AnnOptions);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);

    QString expected = ReportText(ComputeReading(Ann, YearRule::Calendar));
    QVERIFY(expected.contains(u"\r\n"_s));
    expected.replace(u"\r\n"_s, u"\n"_s);
    QVERIFY(!run.out.contains(u'\r'));
    QCOMPARE(run.out, expected + u'\n');
}

void TestCommandLine::binaryJson()
{
    const Run run = runBinary(QStringList{u"--json"_s} + AnnOptions);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(jsonText(parsedJson(run.out)), jsonText(annJson()));
}

void TestCommandLine::binarySolarYear_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("dateLine");
    QTest::addColumn<QString>("yearRule");
    QTest::addColumn<QString>("readingYear");
    QTest::addColumn<int>("principal");
    QTest::addColumn<int>("solarMonth"); // differs from the character number on 20 January
    QTest::addColumn<int>("character");

    const QStringList january{u"--name"_s,  u"Ann"_s,     u"--day"_s,  u"20"_s,
                              u"--month"_s, u"January"_s, u"--year"_s, u"1990"_s};
    QTest::newRow("20 January 1990, --solar-year")
        << QStringList{u"--solar-year"_s} + january
        << u"Date of Birth: 20 January 1990 (year counted from 4 February: 1989)"_s << u"solar"_s
        << u"1989"_s << 2 << 12 << 9;
    QTest::newRow("20 January 1990") << january << u"Date of Birth: 20 January 1990"_s
                                     << u"calendar"_s << u"1990"_s << 1 << 12 << 6;
    QTest::newRow("1 May 1970, --solar-year")
        << AnnOptions + QStringList{u"--solar-year"_s} << u"Date of Birth: 1 May 1970"_s
        << u"solar"_s << u"1970"_s << 3 << 3 << 3;
}

// The rule holds for one run, whatever the windows' setting; the report's date line and the JSON
// say which year the numbers come from.
void TestCommandLine::binarySolarYear()
{
    QFETCH(QStringList, options);
    QFETCH(QString, dateLine);
    QFETCH(QString, yearRule);
    QFETCH(QString, readingYear);
    QFETCH(int, principal);
    QFETCH(int, solarMonth);
    QFETCH(int, character);

    const Run report = runBinary(QStringList{u"--report"_s} + options);
    QCOMPARE(report.err, QString());
    QCOMPARE(report.exitCode, 0);
    QCOMPARE(report.out.split(u'\n').value(2), dateLine);

    const Run json = runBinary(QStringList{u"--json"_s} + options);
    QCOMPARE(json.err, QString());
    QCOMPARE(json.exitCode, 0);
    const QJsonObject object = parsedJson(json.out);
    QCOMPARE(object.value(u"yearRule"_s).toString(), yearRule);
    QCOMPARE(object.value(u"readingYear"_s).toString(), readingYear);
    QCOMPARE(object.value(u"principal"_s).toInt(), principal);
    QCOMPARE(object.value(u"solarMonth"_s).toInt(), solarMonth);
    QCOMPARE(object.value(u"character"_s).toInt(), character);
    QCOMPARE(object.value(u"year"_s).toString(), options.at(options.indexOf(u"--year"_s) + 1));
}

// Ann's principal number is 3: the first worked example of the year ahead, field by field.
void TestCommandLine::binaryForecastJson()
{
    const Run run = runBinary(QStringList{u"--json"_s} + withForecast(u"2026-06-01"_s));
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QJsonObject json = parsedJson(run.out);
    const QJsonObject forecast = json.take(u"forecast"_s).toObject();
    QCOMPARE(jsonText(json), jsonText(annJson()));

    QCOMPARE(forecast.keys(),
             (QStringList{u"cycle"_s, u"date"_s, u"day"_s, u"dayStemBranch"_s, u"month"_s,
                          u"monthBegins"_s, u"monthEnds"_s, u"solarMonth"_s, u"solarYear"_s,
                          u"timeZone"_s, u"year"_s, u"yearBegins"_s}));
    QCOMPARE(forecast.value(u"dayStemBranch"_s).toObject(),
             (QJsonObject{
                 {u"index"_s, 42}, {u"characters"_s, u"丙午"_s}, {u"name"_s, u"Fire Horse"_s}}));
    // Day star 1 on a Horse day: the chart of the year 2026, with the Horse's Breaker.
    QCOMPARE(
        jsonText(forecast.value(u"day"_s).toObject()),
        jsonText(chartJson(1,
                           QJsonObject{{u"C"_s, 1},
                                       {u"N"_s, 6},
                                       {u"NE"_s, 4},
                                       {u"E"_s, 8},
                                       {u"SE"_s, 9},
                                       {u"S"_s, 5},
                                       {u"SW"_s, 7},
                                       {u"W"_s, 3},
                                       {u"NW"_s, 2}},
                           u"W"_s, {u"S"_s, u"N"_s, u"W"_s, u"E"_s, u"N"_s}, {u"NE"_s, u"SE"_s})));
    QCOMPARE(forecast.value(u"date"_s), QJsonValue(u"2026-06-01"_s));
    QCOMPARE(forecast.value(u"timeZone"_s), QJsonValue(u"Asia/Tokyo"_s));
    QCOMPARE(forecast.value(u"yearBegins"_s), QJsonValue(u"2026-02-04T05:02+09:00"_s));
    QCOMPARE(forecast.value(u"monthBegins"_s), QJsonValue(u"2026-05-05T20:49+09:00"_s));
    QCOMPARE(forecast.value(u"monthEnds"_s), QJsonValue(u"2026-06-06T00:48+09:00"_s));
    QCOMPARE(forecast.value(u"solarYear"_s), QJsonValue(2026));
    QCOMPARE(forecast.value(u"solarMonth"_s), QJsonValue(4));
    const QJsonObject year =
        chartJson(1,
                  QJsonObject{{u"C"_s, 1},
                              {u"N"_s, 6},
                              {u"NE"_s, 4},
                              {u"E"_s, 8},
                              {u"SE"_s, 9},
                              {u"S"_s, 5},
                              {u"SW"_s, 7},
                              {u"W"_s, 3},
                              {u"NW"_s, 2}},
                  u"W"_s, {u"S"_s, u"N"_s, u"W"_s, u"E"_s, u"N"_s}, {u"NE"_s, u"SE"_s});
    QCOMPARE(jsonText(forecast.value(u"year"_s).toObject()), jsonText(year));
    const QJsonObject month = chartJson(5,
                                        QJsonObject{{u"C"_s, 5},
                                                    {u"N"_s, 1},
                                                    {u"NE"_s, 8},
                                                    {u"E"_s, 3},
                                                    {u"SE"_s, 4},
                                                    {u"S"_s, 9},
                                                    {u"SW"_s, 2},
                                                    {u"W"_s, 7},
                                                    {u"NW"_s, 6}},
                                        u"E"_s, {QString(), QString(), u"E"_s, u"W"_s, u"NW"_s},
                                        {u"N"_s, u"SE"_s, u"S"_s});
    QCOMPARE(jsonText(forecast.value(u"month"_s).toObject()), jsonText(month));
    QVERIFY(forecast.value(u"month"_s)[u"avoid"_s][u"fiveYellow"_s].isNull());

    const QList<std::tuple<int, int, QString>> cycle = {
        {2026, 1, u"W"_s},  {2027, 9, u"NE"_s}, {2028, 8, u"S"_s},
        {2029, 7, u"N"_s},  {2030, 6, u"SW"_s}, {2031, 5, u"E"_s},
        {2032, 4, u"SE"_s}, {2033, 3, u"C"_s},  {2034, 2, u"NW"_s}};
    QJsonArray expected;
    for (const auto& [cycleYear, centre, palace] : cycle)
        expected.append(
            QJsonObject{{u"year"_s, cycleYear}, {u"centre"_s, centre}, {u"palace"_s, palace}});
    QCOMPARE(forecast.value(u"cycle"_s).toArray(), expected);
}

void TestCommandLine::forecastDates_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("date");
    QTest::newRow("a date") << u"2026-06-01"_s << u"2026-06-01"_s;
    QTest::newRow("first day") << u"1900-02-04"_s << u"1900-02-04"_s;
    QTest::newRow("last day") << u"2100-12-31"_s << u"2100-12-31"_s;
    QTest::newRow("leap day") << u"2024-02-29"_s << u"2024-02-29"_s;
    QTest::newRow("today") << u"today"_s << QDate::currentDate().toString(Qt::ISODate);
}

void TestCommandLine::forecastDates()
{
    QFETCH(QString, given);
    QFETCH(QString, date);
    const Run run = runInProcess(QStringList{u"--json"_s} + withForecast(given));
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    const QJsonObject forecast = parsedJson(run.out).value(u"forecast"_s).toObject();
    QCOMPARE(forecast.value(u"date"_s).toString(), date);
    QCOMPARE(forecast.value(u"cycle"_s).toArray().size(), 9);

    // The same date from the saved reading.
    const Run opened =
        runInProcess({u"--json"_s, u"--forecast"_s, given, u"--open"_s, AnnFilePath()});
    QCOMPARE(opened.exitCode, 0);
    QCOMPARE(jsonText(parsedJson(opened.out)), jsonText(parsedJson(run.out)));
}

void TestCommandLine::forecastText_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("line");

    const QStringList plain = withForecast(u"2026-06-01"_s);
    QTest::newRow("heading") << plain << u"Nine Star Ki Year Ahead"_s;
    QTest::newRow("date") << plain << u"Date:             1 June 2026"_s;
    QTest::newRow("time zone") << plain << u"Time zone:        Asia/Tokyo"_s;
    QTest::newRow("solar month")
        << plain << u"Solar month:      4, from 5 May 2026 20:49 to 6 June 2026 00:48"_s;
    QTest::newRow("year") << plain << u"This Year: 2026, a Horse year"_s;
    QTest::newRow("palace") << plain << u"Your star 3 stands in the West this year."_s;
    QTest::newRow("breaker") << plain
                             << u"    Breaker:           North, opposite the Horse in the South"_s;
    QTest::newRow("favourable") << plain << u"Favourable directions: North East, South East"_s;
    QTest::newRow("cycle") << plain << u"    2034   2             North West"_s;
    QTest::newRow("the day") << plain
                             << u"This Day: 1 June 2026, 丙午 Fire Horse, day star 1, rising"_s;
    QTest::newRow("the day's palace") << plain << u"Your star 3 stands in the West this day."_s;
    QTest::newRow("an Ox month") << withForecast(u"2027-01-10"_s)
                                 << u"This Month: solar month 12, an Ox month"_s;
    // A solar month that ends in the next calendar year, and one that runs in the year after its
    // solar year.
    QTest::newRow("month 11 into 2027")
        << withForecast(u"2026-12-31"_s)
        << u"Solar month:      11, from 7 December 2026 11:53 to 5 January 2027 23:10"_s;
    QTest::newRow("month 12 of 2026 in 2027")
        << withForecast(u"2027-01-10"_s)
        << u"Solar month:      12, from 5 January 2027 23:10 to 4 February 2027 10:46"_s;
}

// Without --json the year ahead is printed in words instead of the report.
void TestCommandLine::forecastText()
{
    QFETCH(QStringList, options);
    QFETCH(QString, line);
    const Run run = runInProcess(options);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.split(u'\n').contains(line), qPrintable(run.out));
    QVERIFY(!run.out.contains(u"Date of Birth"_s));
    QVERIFY(!run.out.contains(u'{'));
}

void TestCommandLine::binarySolarTerms_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("line"); // of 24
    QTest::addColumn<QString>("text");

    const QStringList tokyo = {u"--solar-terms"_s, u"2026"_s, u"--time-zone"_s, u"Asia/Tokyo"_s};
    QTest::newRow("Minor Cold, Japan")
        << tokyo << 0 << u"285  Minor Cold            小寒  5 January 2026 17:23, Asia/Tokyo"_s;
    QTest::newRow("Start of Spring, Japan") << tokyo << 2
                                            << u"315  Start of Spring       立春  4 February "
                                               u"2026 05:02, Asia/Tokyo"_s;
    QTest::newRow("Summer Solstice, Japan") << tokyo << 11
                                            << u" 90  Summer Solstice       夏至  21 June 2026 "
                                               u"17:25, Asia/Tokyo"_s;
    // The computer's zone (Japan's here) unless --time-zone names another.
    QTest::newRow("Start of Spring, the computer's zone")
        << QStringList{u"--solar-terms"_s, u"2026"_s} << 2
        << u"315  Start of Spring       立春  4 February 2026 05:02, Asia/Tokyo"_s;
    QTest::newRow("Start of Spring, UTC")
        << QStringList{u"--solar-terms"_s, u"2026"_s, u"--time-zone"_s, u"UTC"_s} << 2
        << u"315  Start of Spring       立春  3 February 2026 20:02, UTC"_s;
    // An offset outside Qt's own list: Eucla's, made from its minutes.
    QTest::newRow("Start of Spring, UTC+08:45")
        << QStringList{u"--solar-terms"_s, u"2026"_s, u"--time-zone"_s, u"UTC+08:45"_s} << 2
        << u"315  Start of Spring       立春  4 February 2026 04:47, UTC+08:45"_s;
    QTest::newRow("Clear and Bright 2013, New York")
        << QStringList{u"--solar-terms"_s, u"2013"_s, u"--time-zone"_s, u"America/New_York"_s} << 6
        << u" 15  Clear and Bright      清明  4 April 2013 11:02, America/New_York"_s;
}

// One line a term, the zone's date and time; with --json the same as one object.
void TestCommandLine::binarySolarTerms()
{
    QFETCH(QStringList, options);
    QFETCH(int, line);
    QFETCH(QString, text);
    const Run run = runBinary(options);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 24);
    QCOMPARE(lines.at(line), text);

    const Run json = runInProcess(options + QStringList{u"--json"_s});
    QCOMPARE(json.exitCode, 0);
    const QJsonObject object = parsedJson(json.out);
    QCOMPARE(object.keys(), (QStringList{u"terms"_s, u"timeZone"_s, u"year"_s}));
    const QJsonArray terms = object.value(u"terms"_s).toArray();
    QCOMPARE(terms.size(), 24);
    const QJsonObject term = terms.at(line).toObject();
    QCOMPARE(term.keys(),
             (QStringList{u"characters"_s, u"local"_s, u"longitude"_s, u"name"_s, u"utc"_s}));
    QVERIFY(text.startsWith(QString::number(term.value(u"longitude"_s).toInt()).rightJustified(3)));
    QVERIFY(text.contains(term.value(u"name"_s).toString() + u' '));
    QVERIFY(text.contains(term.value(u"characters"_s).toString()));
    QVERIFY(text.endsWith(u", "_s + object.value(u"timeZone"_s).toString()));
}

void TestCommandLine::binaryUnknownComputerZone_data()
{
    QTest::addColumn<QString>("tz");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("shows"); // in the output, dated in UTC

    const QString nowhere = u"Europe/Nowhere"_s;
    const QStringList terms = {u"--solar-terms"_s, u"2026"_s};
    QTest::newRow("solar terms") << nowhere << terms << u"立春  3 February 2026 20:02, UTC\n"_s;
    QTest::newRow("a zone file that is not there")
        << u":/nonexistent"_s << terms << u"立春  3 February 2026 20:02, UTC\n"_s;
    QTest::newRow("forecast") << nowhere << withForecast(u"2026-02-03"_s)
                              << u"Time zone:        UTC\n"_s;
    QTest::newRow("calendar") << nowhere << AnnOptions + QStringList{u"--calendar"_s, u"2026-02"_s}
                              << u"Principal number 3, time zone UTC\n"_s;
}

// A computer zone that is not known (TZ set where no zone data is) dates everything in UTC, as
// the C library does, and says so once.
void TestCommandLine::binaryUnknownComputerZone()
{
    QFETCH(QString, tz);
    QFETCH(QStringList, options);
    QFETCH(QString, shows);

    const Run run = runBinary(options, false, {u"TZ="_s + tz});

    QCOMPARE(run.err, u"kistarra: the computer's time zone '%1' is not known; using UTC\n"_s.arg(
                          tz.startsWith(u':') ? tz.sliced(1) : tz));
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains(shows), qPrintable(run.out));
}

void TestCommandLine::binaryTrueSolarTerms_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("readingYear");
    QTest::addColumn<int>("solarMonth");
    QTest::addColumn<bool>("onTheTermDay");

    const QStringList born3February2021 = {u"--name"_s,       u"Ann"_s,   u"--day"_s,  u"3"_s,
                                           u"--month"_s,      u"2"_s,     u"--year"_s, u"2021"_s,
                                           u"--solar-year"_s, u"--json"_s};
    // Start of Spring 2021 came at 23:59 on 3 February in Japan: the whole day is the new year.
    QTest::newRow("fixed days") << born3February2021 << u"2020"_s << 12 << false;
    QTest::newRow("true terms, Japan")
        << born3February2021 +
               QStringList{u"--true-solar-terms"_s, u"--time-zone"_s, u"Asia/Tokyo"_s}
        << u"2021"_s << 1 << true;
    QTest::newRow("true terms, the computer's zone")
        << born3February2021 + QStringList{u"--true-solar-terms"_s} << u"2021"_s << 1 << true;
    // 01:59 on 4 February in Sydney (summer time, UTC+11): the 3rd still closes the old year.
    QTest::newRow("true terms, Sydney")
        << born3February2021 +
               QStringList{u"--true-solar-terms"_s, u"--time-zone"_s, u"Australia/Sydney"_s}
        << u"2020"_s << 12 << false;
}

void TestCommandLine::binaryTrueSolarTerms()
{
    QFETCH(QStringList, options);
    QFETCH(QString, readingYear);
    QFETCH(int, solarMonth);
    QFETCH(bool, onTheTermDay);
    const Run run = runInProcess(options);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    const QJsonObject json = parsedJson(run.out);
    QCOMPARE(json.value(u"readingYear"_s).toString(), readingYear);
    QCOMPARE(json.value(u"solarMonth"_s).toInt(), solarMonth);
    QCOMPARE(json.value(u"solarTerms"_s).toString(),
             options.contains(u"--true-solar-terms"_s) ? u"true"_s : u"fixed"_s);

    options.removeAll(u"--json"_s);
    const Run report = runInProcess(options);
    QCOMPARE(report.exitCode, 0);
    QCOMPARE(report.out.contains(u"Born on the day solar month 1 begins ("_s), onTheTermDay);
}

void TestCommandLine::binaryPdf_data()
{
    QTest::addColumn<QStringList>("details");
    QTest::addColumn<bool>("withoutDisplay");
    QTest::newRow("Ann, no display at all") << AnnOptions << true;
    QTest::newRow("accented name, two pages and more")
        << QStringList{u"--name"_s,  u"Zo\u00eb \u00d8deg\u00e5rd"_s,
                       u"--day"_s,   u"9"_s,
                       u"--month"_s, u"September"_s,
                       u"--year"_s,  u"1999"_s}
        << false;
    QTest::newRow("tab in the name, years from 4 February")
        << QStringList{u"--solar-year"_s, u"--name"_s,  u"Ann\tB"_s, u"--day"_s, u"20"_s,
                       u"--month"_s,      u"January"_s, u"--year"_s, u"1990"_s}
        << false;
    QTest::newRow("a partner: the printed comparison")
        << AnnOptions +
               QStringList{u"--partner-name"_s,  u"Bob"_s,    u"--partner-day"_s,  u"12"_s,
                           u"--partner-month"_s, u"August"_s, u"--partner-year"_s, u"1985"_s}
        << true;
}

// The PDF holds exactly what Print puts on paper: its text, taken out again, is the printed
// report word for word, each line once, the attribution line above and below.
void TestCommandLine::binaryPdf()
{
    QFETCH(QStringList, details);
    QFETCH(bool, withoutDisplay);
    const QString pdf = m_dir.filePath(u"report.pdf"_s);
    QFile::remove(pdf);

    const Run run = runBinary(QStringList{u"--pdf"_s, pdf} + details, withoutDisplay);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.out, QString());
    QCOMPARE(run.exitCode, 0);

    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, {u"-nopgbrk"_s, u"-enc"_s, u"UTF-8"_s, pdf, u"-"_s});
    QVERIFY2(pdftotext.waitForFinished(30000), "pdftotext (poppler-utils) did not run");
    QCOMPARE(pdftotext.exitCode(), 0);
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());

    const auto readingOf = [&details](const QString& prefix) {
        const auto value = [&](const char16_t* option) {
            return details.value(details.indexOf(prefix + option) + 1);
        };
        return ComputeReading({value(u"name"), value(u"day"), value(u"month"), value(u"year")},
                              details.contains(u"--solar-year"_s) ? YearRule::Solar
                                                                  : YearRule::Calendar);
    };
    const Reading reading = readingOf(u"--"_s);
    const Reading partner = readingOf(u"--partner-"_s);
    const QString printed =
        details.contains(u"--partner-name"_s)
            ? PrintedComparison(reading, partner, CompareReadings(reading, partner)).plainText()
            : PrintedReportText(reading);
    QVERIFY(printed.startsWith(u"Report Generated By "_s));
    QCOMPARE(text.split(QRegularExpression(u"\\s+"_s), Qt::SkipEmptyParts),
             printed.split(QRegularExpression(u"\\s+"_s), Qt::SkipEmptyParts));
}

void TestCommandLine::binaryPdfUnwritable()
{
    const QString pdf = m_regularFile + u"/report.pdf"_s;
    const Run run = runBinary(QStringList{u"--pdf"_s, pdf} + AnnOptions, true);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(isOneProblemLine(run.err), qPrintable(run.err));
    QVERIFY(run.err.contains(pdf));
    QCOMPARE(run.out, QString());
    QVERIFY(!QFile::exists(pdf));
}

void TestCommandLine::calendarText_data()
{
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("line");

    QTest::newRow("title") << u"2026-06"_s << u"Nine Star Ki Calendar: June 2026"_s;
    QTest::newRow("zone") << u"2026-06"_s << u"Principal number 3, time zone Asia/Tokyo"_s;
    QTest::newRow("move before the term")
        << u"2026-06"_s << u"    From 1 June 2026, solar month 4, a Snake month: South East"_s;
    QTest::newRow("a day") << u"2026-06"_s
                           << u"Mon  1  star 1 up    丙午 Fire Horse      journey: SE"_s;
    QTest::newRow("a term")
        << u"2026-06"_s
        << u"Sat  6  star 6 up    辛亥 Metal Pig       journey: —                      Grain in "
           u"Ear 00:48"_s;
    QTest::newRow("the first month") << u"1900-02"_s << u"Nine Star Ki Calendar: February 1900"_s;
    QTest::newRow("the last month's last day")
        << u"2100-12"_s << u"Fri 31  star 8 down  丁未 Fire Goat       journey: —"_s;
}

// --calendar prints the month, one line a day, in place of the report.
void TestCommandLine::calendarText()
{
    QFETCH(QString, month);
    QFETCH(QString, line);
    const Run run = runInProcess(QStringList{u"--calendar"_s, month} + AnnOptions);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.split(u'\n').contains(line), qPrintable(run.out));
    QVERIFY(!run.out.contains(u"Date of Birth"_s));
}

void TestCommandLine::calendarJson()
{
    const Run run = runInProcess(QStringList{u"--calendar"_s, u"2026-06"_s, u"--json"_s} +
                                 QStringList{u"--open"_s, AnnFilePath()});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    const QJsonObject json = parsedJson(run.out);
    QCOMPARE(json.keys(),
             (QStringList{u"days"_s, u"month"_s, u"name"_s, u"principal"_s, u"timeZone"_s}));
    QCOMPARE(json.value(u"name"_s), QJsonValue(u"Ann"_s));
    QCOMPARE(json.value(u"month"_s), QJsonValue(u"2026-06"_s));
    QCOMPARE(json.value(u"timeZone"_s), QJsonValue(u"Asia/Tokyo"_s));
    const QJsonArray days = json.value(u"days"_s).toArray();
    QCOMPARE(days.size(), 30);
    const QJsonObject first{
        {u"date"_s, u"2026-06-01"_s},
        {u"stemBranch"_s,
         QJsonObject{{u"index"_s, 42}, {u"characters"_s, u"丙午"_s}, {u"name"_s, u"Fire Horse"_s}}},
        {u"star"_s, 1},
        {u"ascending"_s, true},
        {u"palace"_s, u"W"_s},
        {u"journey"_s, QJsonArray{u"SE"_s}},
        {u"move"_s, QJsonArray{u"SE"_s}},
        {u"terms"_s, QJsonArray{}}};
    QCOMPARE(jsonText(days.at(0).toObject()), jsonText(first));
    QCOMPARE(days.at(5)[u"terms"_s].toArray(),
             (QJsonArray{QJsonObject{{u"name"_s, u"Grain in Ear"_s},
                                     {u"local"_s, u"2026-06-06T00:48+09:00"_s}}}));
    QCOMPARE(days.at(5)[u"move"_s].toArray(), QJsonArray{});
    QCOMPARE(days.at(18)[u"ascending"_s], QJsonValue(false));
}

// Every day of 2026 for every pair of principal numbers: the directions good for both are those
// each person's own calendar calls good, and all else of the day is the person's calendar.
void TestCommandLine::calendarJsonForTwo()
{
    const auto bothHold = [](const QJsonValue& mine, const QJsonValue& theirs) {
        QJsonArray both;
        for (const QJsonValue& code : mine.toArray())
            if (theirs.toArray().contains(code))
                both.append(code);
        return both;
    };
    for (int month = 1; month <= 12; ++month) {
        const auto days = [month](int principal, std::optional<int> partner = {}) {
            return CalendarJson(
                *ComputeMonthCalendar(principal, 2026, month, QTimeZone("Asia/Tokyo"), partner),
                u"Ann"_s, u"Bob"_s);
        };
        for (int principal = 1; principal <= 9; ++principal) {
            const QJsonArray mine = days(principal)[u"days"_s].toArray();
            for (int partner = 1; partner <= 9; ++partner) {
                const QJsonObject two = days(principal, partner);
                QCOMPARE(two[u"partner"_s],
                         QJsonValue(QJsonObject{{u"name"_s, u"Bob"_s}, {u"principal"_s, partner}}));
                const QJsonArray theirs = days(partner)[u"days"_s].toArray();
                for (qsizetype i = 0; i < mine.size(); ++i) {
                    QJsonObject day = two[u"days"_s][i].toObject();
                    QCOMPARE(day.take(u"journeyTogether"_s).toArray(),
                             bothHold(mine[i][u"journey"_s], theirs[i][u"journey"_s]));
                    QCOMPARE(day.take(u"moveTogether"_s).toArray(),
                             bothHold(mine[i][u"move"_s], theirs[i][u"move"_s]));
                    QCOMPARE(day, mine[i].toObject());
                }
            }
        }
    }
}

// The printed month is one landscape A4 page, also for a month of six weeks.
void TestCommandLine::binaryCalendarPdf()
{
    const QString pdf = m_dir.filePath(u"august.pdf"_s);
    const Run run =
        runBinary(QStringList{u"--calendar"_s, u"2026-08"_s, u"--pdf"_s, pdf} + AnnOptions, true);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.startsWith(u"Nine Star Ki Calendar: August 2026\n"_s));

    QProcess info;
    info.start(u"pdfinfo"_s, {pdf});
    QVERIFY(info.waitForFinished(30000));
    const QString details = QString::fromUtf8(info.readAllStandardOutput());
    QVERIFY2(details.contains(QRegularExpression(u"Pages:\\s+1\n"_s)), qPrintable(details));
    QVERIFY2(details.contains(u"842 x 595 pts (A4)"_s), qPrintable(details));

    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, {u"-layout"_s, u"-enc"_s, u"UTF-8"_s, pdf, u"-"_s});
    QVERIFY(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const QString& expected :
         {u"Nine Star Ki Calendar: August 2026"_s, u"Ann, principal number 3"_s,
          u"From 7 August 2026, solar month 7"_s, u"Start of Autumn"_s, u"Fire Ox"_s, u"Sunday"_s})
        QVERIFY2(text.contains(expected), qPrintable(expected + u" in:\n"_s + text));
}

void TestCommandLine::binaryRefusals_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("mentions");

    QTest::newRow("day 32") << QStringList{u"--name"_s,  u"Ann"_s, u"--day"_s,  u"32"_s,
                                           u"--month"_s, u"May"_s, u"--year"_s, u"1970"_s}
                            << 2 << u"32"_s;
    QTest::newRow("unknown option") << QStringList{u"--colour"_s, u"red"_s} << 2 << u"colour"_s;
    const QString missing = m_dir.filePath(u"missing.nsk"_s);
    QTest::newRow("missing file") << QStringList{u"--open"_s, missing} << 1 << missing;
    QTest::newRow("not a saved reading")
        << QStringList{u"--open"_s, m_notASavedReading} << 1 << m_notASavedReading;
    QTest::newRow("calendar out of range")
        << QStringList{u"--calendar"_s, u"2101-01"_s} + AnnOptions << 2 << u"2101-01"_s;
    QTest::newRow("forecast 30 February")
        << QStringList{u"--json"_s} + withForecast(u"2026-02-30"_s) << 2 << u"2026-02-30"_s;
    // Exit 0 says that everything asked for was written: an output asked for twice is a slip.
    QTest::newRow("--save given twice")
        << AnnOptions + QStringList{u"--save"_s, m_dir.filePath(u"a.nsk"_s), u"--save"_s,
                                    m_dir.filePath(u"b.nsk"_s)}
        << 2 << u"kistarra: --save given twice\n"_s;
    // One rule for a blank name, the windows' own: only white space, of any kind, is no name.
    const QStringList date{u"--day"_s, u"1"_s, u"--month"_s, u"May"_s, u"--year"_s, u"1970"_s};
    for (const QString& blank : {u"\t"_s, u"\n"_s, u"\u3000"_s, u"\u00A0"_s, u" \t\u2028 "_s}) {
        QTest::addRow("name of only U+%04X", blank.back().unicode())
            << QStringList{u"--name"_s, blank} + date << 2 << u"white space"_s;
    }
}

void TestCommandLine::binaryRefusals()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, mentions);

    const Run run = runBinary(options);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(isOneProblemLine(run.err), qPrintable(run.err));
    QVERIFY2(run.err.contains(mentions), qPrintable(run.err));
    QCOMPARE(run.out, QString());
}

// The refusals that need a file, and that a refusal is one line on stderr; the options alone are
// refused in tst_arguments.
void TestCommandLine::refusals_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("mentions");

    // The offending text is repeated in the line; a line break in it must not make two.
    QTest::newRow("month holding a line break")
        << QStringList{u"--name"_s,  u"Ann"_s,   u"--day"_s,  u"1"_s,
                       u"--month"_s, u"Ma\ny"_s, u"--year"_s, u"1970"_s}
        << 2 << u"month"_s;

    const QString missing = m_dir.filePath(u"missing.nsk"_s);
    QTest::newRow("--open of a missing file") << QStringList{u"--open"_s, missing} << 1 << missing;
    QTest::newRow("--open of a directory")
        << QStringList{u"--open"_s, m_dir.path()} << 1 << m_dir.path();
    QTest::newRow("--open of a file that is not a saved reading")
        << QStringList{u"--open"_s, m_notASavedReading} << 1 << m_notASavedReading;
    QTest::newRow("--open of a saved reading without a name")
        << QStringList{u"--open"_s, m_withoutName} << 1 << m_withoutName;
    QTest::newRow("--open of a saved reading whose name is a tab")
        << QStringList{u"--open"_s, m_blankName} << 1 << m_blankName;
    const QString brokenName = m_dir.filePath(u"two\nlines.nsk"_s);
    QTest::newRow("--open of a file name holding a line break")
        << QStringList{u"--open"_s, brokenName} << 1 << u"two"_s;
}

void TestCommandLine::refusals()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, mentions);

    const Run run = runInProcess(options);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(isOneProblemLine(run.err), qPrintable(run.err));
    QVERIFY2(run.err.contains(mentions), qPrintable(run.err));
    QCOMPARE(run.out, QString());
}

void TestCommandLine::saveWritesTheFile_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("contents");

    const QByteArray ann = FileBytes(AnnFilePath());
    QTest::newRow("list entries") << AnnOptions << ann;
    QTest::newRow("other spellings of the same date")
        << QStringList{u"--name"_s,  u" Ann "_s, u"--day"_s,  u"01"_s,
                       u"--month"_s, u"mAY"_s,   u"--year"_s, u"01970"_s}
        << ann;
    QTest::newRow("month as a number")
        << QStringList{u"--name"_s,  u"Ann"_s, u"--day"_s,  u"1"_s,
                       u"--month"_s, u"5"_s,   u"--year"_s, u"1970"_s}
        << ann;
    QTest::newRow("from a saved reading") << QStringList{u"--open"_s, AnnFilePath()} << ann;
    QTest::newRow("name outside the shift")
        << QStringList{u"--name"_s,  u"Zo\u00EB"_s, u"--day"_s,  u"1"_s,
                       u"--month"_s, u"May"_s,      u"--year"_s, u"1970"_s}
        << QByteArray("\xAF\xC4&#235;\r\n\x86\r\n\xA2\xB6\xCE\r\n\x86\x8E\x8C\x85\r\n");
}

void TestCommandLine::saveWritesTheFile()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, contents);

    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"saved.nsk"_s);

    const Run run = runInProcess(options + QStringList{u"--save"_s, path});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(FileBytes(path), contents);
}

void TestCommandLine::failureWritesNothing_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("savePath");

    const QString fresh = m_dir.filePath(u"never-written.nsk"_s);
    const QString throughFile = m_regularFile + u"/reading.nsk"_s;
    const QString inMissingFolder = m_dir.filePath(u"missing/reading.nsk"_s);

    QTest::newRow("unwritable path with --report")
        << QStringList{u"--report"_s} + AnnOptions << 1 << throughFile;
    QTest::newRow("unwritable path with --json")
        << QStringList{u"--json"_s} + AnnOptions << 1 << throughFile;
    QTest::newRow("missing folder") << AnnOptions << 1 << inMissingFolder;
    QTest::newRow("bad day") << QStringList{u"--name"_s,  u"Ann"_s, u"--day"_s,  u"32"_s,
                                            u"--month"_s, u"May"_s, u"--year"_s, u"1970"_s}
                             << 2 << fresh;
    QTest::newRow("missing --name")
        << QStringList{u"--day"_s, u"1"_s, u"--month"_s, u"May"_s, u"--year"_s, u"1970"_s} << 2
        << fresh;
    QTest::newRow("--open of a file that is not a saved reading")
        << QStringList{u"--json"_s, u"--open"_s, m_notASavedReading} << 1 << fresh;
    QTest::newRow("--save given twice")
        << AnnOptions + QStringList{u"--save"_s, m_dir.filePath(u"first.nsk"_s)} << 2 << fresh;
}

void TestCommandLine::failureWritesNothing()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, savePath);

    const QStringList before =
        QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const Run run = runInProcess(options + QStringList{u"--save"_s, savePath});
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(isOneProblemLine(run.err), qPrintable(run.err));
    if (exitCode == ExitFileProblem && !options.contains(u"--open"_s))
        QVERIFY2(run.err.contains(savePath), qPrintable(run.err));
    QCOMPARE(run.out, QString());
    QVERIFY(!QFileInfo::exists(savePath));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QCOMPARE(FileBytes(m_regularFile), QByteArray("not a folder"));
}

void TestCommandLine::openGivesTheSameReading_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("Ann") << u"Ann"_s;
    QTest::newRow("Šárka") << u"\u0160\u00E1rka"_s;
    QTest::newRow("Zoë Ødegård") << u"Zo\u00EB \u00D8deg\u00E5rd"_s;
    QTest::newRow("王小明") << u"\u738B\u5C0F\u660E"_s;
    QTest::newRow("commas and quotes") << u"O'Neil, Mary \"May\""_s;
    QTest::newRow("2,000 CJK letters") << QString(2000, QChar(0x738B));
}

void TestCommandLine::openGivesTheSameReading()
{
    QFETCH(QString, name);

    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"reading.nsk"_s);
    const QStringList options{u"--name"_s,  name,     u"--day"_s,  u"1"_s,
                              u"--month"_s, u"May"_s, u"--year"_s, u"1970"_s};

    const Run saved = runInProcess(options + QStringList{u"--json"_s, u"--save"_s, path});
    QCOMPARE(saved.err, QString());
    QCOMPARE(saved.exitCode, 0);
    const QJsonObject fromOptions = parsedJson(saved.out);
    QCOMPARE(fromOptions.value(u"name"_s).toString(), name);

    const Run opened = runInProcess({u"--json"_s, u"--open"_s, path});
    QCOMPARE(opened.err, QString());
    QCOMPARE(opened.exitCode, 0);
    QCOMPARE(jsonText(parsedJson(opened.out)), jsonText(fromOptions));

    if (name == u"Ann") {
        const Run golden = runInProcess({u"--json"_s, u"--open"_s, AnnFilePath()});
        QCOMPARE(golden.exitCode, 0);
        QCOMPARE(jsonText(parsedJson(golden.out)), jsonText(annJson()));
    }
}

void TestCommandLine::binaryNeedsNoUsableDisplay_data()
{
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<QString>("output");

    const QStringList wayland{u"QT_QPA_PLATFORM=wayland"_s, u"WAYLAND_DISPLAY=kistarra-none"_s};
    const QStringList x11{u"QT_QPA_PLATFORM=xcb"_s, u"DISPLAY=:97"_s};
    QTest::newRow("Wayland without a compositor, report") << wayland << u"--report"_s;
    QTest::newRow("Wayland without a compositor, PDF") << wayland << u"--pdf"_s;
    QTest::newRow("X11 without its display, report") << x11 << u"--report"_s;
    QTest::newRow("X11 without its display, PDF") << x11 << u"--pdf"_s;
}

void TestCommandLine::binaryNeedsNoUsableDisplay()
{
    QFETCH(QStringList, variables);
    QFETCH(QString, output);
    const QString pdf = m_dir.filePath(u"display.pdf"_s);
    QFile::remove(pdf);
    const QStringList options =
        output == u"--pdf"_s ? QStringList{output, pdf} : QStringList{output};

    const Run run = runBinary(options + AnnOptions, true, variables);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    if (output == u"--pdf"_s)
        QVERIFY(FileBytes(pdf).startsWith("%PDF-"));
    else
        QVERIFY(run.out.startsWith(u"Name: Ann"_s));

    // The toolkit's own options are the person's arguments here, and refused as unknown.
    const Run toolkitOption =
        runBinary(options + AnnOptions + QStringList{u"--reverse"_s}, true, variables);
    QCOMPARE(toolkitOption.exitCode, 2);
    QVERIFY2(isOneProblemLine(toolkitOption.err), qPrintable(toolkitOption.err));
    QVERIFY(toolkitOption.err.contains(u"reverse"_s));
}

void TestCommandLine::binaryFullStandardOutput_data()
{
    QTest::addColumn<QStringList>("options");

    QTest::newRow("report") << QStringList{u"--report"_s} + AnnOptions;
    QTest::newRow("JSON") << QStringList{u"--json"_s} + AnnOptions;
    QTest::newRow("version") << QStringList{u"--version"_s};
    QTest::newRow("JSON with a file saved, which is then not saved")
        << QStringList{u"--json"_s, u"--save"_s, m_dir.filePath(u"unsaved.nsk"_s)} + AnnOptions;
}

void TestCommandLine::binaryFullStandardOutput()
{
    QFETCH(QStringList, options);

    const Run run = runBinary(options, false, {}, u"/dev/full"_s);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, u"kistarra: cannot write to standard output: No space left on device\n"_s);
    QVERIFY(!QFileInfo::exists(m_dir.filePath(u"unsaved.nsk"_s)));
}

void TestCommandLine::binaryFileNamesAreExact_data()
{
    QTest::addColumn<QString>("option");
    QTest::newRow("saving") << u"--save"_s;
    QTest::newRow("opening") << u"--open"_s;
    // Not every argument names a file: the refusal says so only of one that does.
    QTest::newRow("name") << u"--name"_s;
}

// Under a UTF-8 locale the byte E8 alone is no text; the name it is part of must be neither
// replaced by nor confused with the name that holds U+FFFD in its place.
void TestCommandLine::binaryFileNamesAreExact()
{
    QFETCH(QString, option);
    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString lookalike = dir.filePath(u"caf\uFFFD.nsk"_s);
    QVERIFY(WriteFile(lookalike, AnnFileBytes));
    const Entries before = entries(dir.path());

    // The shell gives the program the raw byte, which no QString argument could.
    const QStringList script{u"-c"_s,
                             u"cd \"$1\" && shift && exec \"$@\" \"$(printf 'caf\\350.nsk')\""_s,
                             u"sh"_s, dir.path(), QStringLiteral(KISTARRA_BINARY)};
    const QStringList details = option == u"--save"_s   ? AnnOptions
                                : option == u"--name"_s ? AnnOptions.mid(2)
                                                        : QStringList{};
    const Run run = runBinary(script + details + QStringList{u"--json"_s, option}, false,
                              {u"LC_ALL=C.UTF-8"_s}, {}, u"/bin/sh"_s);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(isOneProblemLine(run.err), qPrintable(run.err));
    QVERIFY2(run.err.contains(u"caf\\xe8.nsk"_s), qPrintable(run.err));
    QCOMPARE(run.err.contains(u"the file it names"_s), option != u"--name"_s);
    QCOMPARE(run.out, QString());
    QVERIFY(entries(dir.path()) == before);
}

void TestCommandLine::outputsAllOrNothing_data()
{
    QTest::addColumn<QStringList>("options"); // "@" stands for the test's folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<rlim_t>("fileSizeLimit");
    QTest::addColumn<QString>("changed"); // the one entry that becomes Ann's reading
    QTest::addColumn<QString>("reason");  // the end of the problem line, where it matters

    const rlim_t none = RLIM_INFINITY;
    const QStringList save = AnnOptions + QStringList{u"--save"_s};
    const QStringList pdf = AnnOptions + QStringList{u"--pdf"_s};
    // Full disks: the PDF does not fit in 1,000 bytes; Ann's 19-byte reading does.
    QTest::newRow("PDF onto a full disk") << pdf + QStringList{u"@old.pdf"_s} << 1 << rlim_t(1000)
                                          << QString() << u"File too large"_s;
    QTest::newRow("saved reading kept when the PDF does not fit")
        << save + QStringList{u"@keep.nsk"_s, u"--pdf"_s, u"@old.pdf"_s} << 1 << rlim_t(1000)
        << QString() << QString();
    QTest::newRow("saved reading kept when the PDF's folder is missing")
        << save + QStringList{u"@keep.nsk"_s, u"--pdf"_s, u"@missing/x.pdf"_s} << 1 << none
        << QString() << QString();
    // Two outputs in one file, or an output over the input.
    QTest::newRow("save and PDF into one new file")
        << save + QStringList{u"@new"_s, u"--pdf"_s, u"@new"_s} << 2 << none << QString()
        << QString();
    QTest::newRow("save and PDF into one file, spelt two ways")
        << save + QStringList{u"@keep.nsk"_s, u"--pdf"_s, u"@./keep.nsk"_s} << 2 << none
        << QString() << QString();
    QTest::newRow("PDF over the opened reading")
        << QStringList{u"--open"_s, u"@keep.nsk"_s, u"--pdf"_s, u"@keep.nsk"_s} << 2 << none
        << QString() << QString();
    QTest::newRow("PDF over the opened reading, opened through a link")
        << QStringList{u"--open"_s, u"@link.nsk"_s, u"--pdf"_s, u"@keep.nsk"_s} << 2 << none
        << QString() << QString();
    QTest::newRow("save through a dangling link and PDF into the file it names")
        << save + QStringList{u"@dang.nsk"_s, u"--pdf"_s, u"@nothere.nsk"_s} << 2 << none
        << QString() << QString();
    QTest::newRow("save onto a link loop") << save + QStringList{u"@l1"_s} << 1 << none << QString()
                                           << u"Too many levels of symbolic links"_s;
    // Targets that are not regular files, or are read-only (for root too).
    for (const QString& target : {u"fifo"_s, u"device"_s, u"readonly.nsk"_s}) {
        QTest::newRow(qPrintable(u"save onto "_s + target))
            << save + QStringList{u"@"_s + target} << 1 << none << QString() << QString();
        QTest::newRow(qPrintable(u"PDF onto "_s + target))
            << pdf + QStringList{u"@"_s + target} << 1 << none << QString() << QString();
    }
    // What keeps working.
    QTest::newRow("save through a link to a regular file")
        << save + QStringList{u"@link.nsk"_s} << 0 << none << u"keep.nsk"_s << QString();
    QTest::newRow("the opened reading saved over itself")
        << QStringList{u"--open"_s, u"@keep.nsk"_s, u"--save"_s, u"@keep.nsk"_s} << 0 << none
        << QString() << QString();
}

void TestCommandLine::outputsAllOrNothing()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(rlim_t, fileSizeLimit);
    QFETCH(QString, changed);

    QFETCH(QString, reason);

    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const auto path = [&dir](const QString& name) { return dir.filePath(name); };
    QVERIFY(QFile::link(u"nothere.nsk"_s, path(u"dang.nsk"_s)));
    QVERIFY(QFile::link(u"l2"_s, path(u"l1"_s)) && QFile::link(u"l1"_s, path(u"l2"_s)));
    QVERIFY(WriteFile(path(u"keep.nsk"_s),
                      EncodeSavedReading({u"Bea"_s, u"2"_s, u"June"_s, u"1980"_s})));
    QVERIFY(WriteFile(path(u"old.pdf"_s), "%PDF- the old report"));
    QVERIFY(WriteFile(path(u"readonly.nsk"_s), AnnFileBytes));
    QVERIFY(QFile::setPermissions(path(u"readonly.nsk"_s), QFileDevice::ReadOwner |
                                                               QFileDevice::ReadGroup |
                                                               QFileDevice::ReadOther));
    QVERIFY(QFile::link(u"keep.nsk"_s, path(u"link.nsk"_s)));
    QCOMPARE(::mkfifo(QFile::encodeName(path(u"fifo"_s)).constData(), 0600), 0);
    // A device node of our own (the kind of /dev/full) where that is allowed, /dev/full otherwise.
    QString device = path(u"device"_s);
    if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        device = u"/dev/full"_s;
    for (QString& option : options) {
        if (option == u"@device"_s)
            option = device;
        else if (option.startsWith(u'@'))
            option = path(option.mid(1));
    }
    Entries expected = entries(dir.path());
    if (!changed.isEmpty())
        std::get<1>(expected[changed]) = AnnFileBytes;

    Run run;
    {
        std::optional<FileSizeLimit> limit;
        if (fileSizeLimit != RLIM_INFINITY) {
            limit.emplace(fileSizeLimit);
            QVERIFY(limit->active());
        }
        // The child inherits the limit.
        run = runBinary(options);
    }
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode != 0) {
        QVERIFY2(isOneProblemLine(run.err), qPrintable(run.err));
        QVERIFY2(run.err.endsWith(u": "_s + reason + u'\n') || reason.isEmpty(),
                 qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }
    QVERIFY(entries(dir.path()) == expected);
}

void TestCommandLine::binaryTargetChangedWhileStandardOutputWaits_data()
{
    QTest::addColumn<bool>("temporaryGone"); // else the PDF turns into a folder
    QTest::addColumn<QString>("reason");
    QTest::newRow("the PDF turns into a folder") << false << u"not a regular file"_s;
    // The temporary beside the PDF removed: its replacement fails, and the saved reading already
    // in place is put back.
    QTest::newRow("the PDF's new bytes vanish") << true << u"No such file or directory"_s;
}

// All or nothing holds to the very end: a target that turns into a folder, or new bytes that
// cannot be put in place, while standard output waits for a slow reader stop every file, the
// ones before it included; standard output, written by then, stays written.
void TestCommandLine::binaryTargetChangedWhileStandardOutputWaits()
{
    QFETCH(bool, temporaryGone);
    QFETCH(QString, reason);
    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString saved = dir.filePath(u"keep.nsk"_s);
    const QString pdf = dir.filePath(u"old.pdf"_s);
    const QByteArray fifo = QFile::encodeName(dir.filePath(u"out"_s));
    const QByteArray bea = EncodeSavedReading({u"Bea"_s, u"2"_s, u"June"_s, u"1980"_s});
    QVERIFY(WriteFile(saved, bea) && WriteFile(pdf, "%PDF- the old report"));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    // The test holds the reading end and fills the pipe, so the program's first byte of output
    // waits until the test reads.
    const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    const int filler = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    QVERIFY(reader >= 0 && filler >= 0);
    const auto closed = qScopeGuard([reader] { ::close(reader); });
    while (::write(filler, "x", 1) == 1) {
    }
    ::close(filler);
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QFile::decodeName(fifo));
    process.start(QStringLiteral(KISTARRA_BINARY),
                  QStringList{u"--report"_s} + AnnOptions +
                      QStringList{u"--save"_s, saved, u"--pdf"_s, pdf});

    // Both files' bytes are written beside them before standard output is.
    const qsizetype before = entries(dir.path()).size();
    QTRY_COMPARE_WITH_TIMEOUT(entries(dir.path()).size(), before + 2, 20000);
    int removed = 0;
    for (const auto& [name, entry] : entries(dir.path())) {
        if (temporaryGone && name.startsWith(u".kistarra-"_s) && std::get<1>(entry) != AnnFileBytes)
            removed += QFile::remove(dir.filePath(name)) ? 1 : 0;
    }
    QCOMPARE(removed, temporaryGone ? 1 : 0);
    QVERIFY(temporaryGone || (QFile::remove(pdf) && QDir(dir.path()).mkdir(u"old.pdf"_s)));
    QByteArray shown;
    std::array<char, 4096> buffer{};
    for (bool finished = false; !finished;) {
        finished = process.waitForFinished(10);
        for (ssize_t got = 0; (got = ::read(reader, buffer.data(), buffer.size())) > 0;)
            shown.append(buffer.data(), got);
    }

    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
             u"kistarra: cannot write '%1': %2\n"_s.arg(pdf, reason));
    QVERIFY(shown.contains("Date of Birth: 1 May 1970"));
    QCOMPARE(FileBytes(saved), bea);
    QCOMPARE(entries(dir.path()).size(), before);
    QCOMPARE(QFileInfo(pdf).isDir(), !temporaryGone);
    QVERIFY(!temporaryGone || FileBytes(pdf) == "%PDF- the old report");
}

// Asked for both, the report comes first, then the year ahead, each as it comes alone.
void TestCommandLine::binaryReportThenYearAhead()
{
    const Run report = runBinary(QStringList{u"--report"_s} + AnnOptions);
    const Run ahead = runBinary(withForecast(u"2026-06-01"_s));
    QCOMPARE(report.exitCode, 0);
    QCOMPARE(ahead.exitCode, 0);

    const Run both = runBinary(QStringList{u"--report"_s} + withForecast(u"2026-06-01"_s));

    QCOMPARE(both.err, QString());
    QCOMPARE(both.exitCode, 0);
    QVERIFY(report.out.contains(u"Date of Birth: 1 May 1970"_s));
    QVERIFY(ahead.out.contains(u"Nine Star Ki Year Ahead"_s));
    QCOMPARE(both.out, report.out + u'\n' + ahead.out);
}

void TestCommandLine::binaryYearRuleKeptForEveryName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown"); // in the report's first line

    QTest::newRow("tab") << u"Ann\tB"_s << u"Ann\\tB"_s;
    QTest::newRow("escape") << u"Ann\u001B[2J"_s << u"Ann\\x1b[2J"_s;
    QTest::newRow("line break") << u"Ann\nB"_s << u"Ann\\nB"_s;
}

// A name the terminal shows with its control characters written out is the only thing that
// differs: the reading stays the one of the year rule asked for.
void TestCommandLine::binaryYearRuleKeptForEveryName()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    const QStringList date{u"--day"_s, u"20"_s, u"--month"_s, u"January"_s, u"--year"_s, u"1990"_s};
    const QStringList solarReport{u"--solar-year"_s, u"--report"_s};
    const Run plain = runBinary(solarReport + QStringList{u"--name"_s, u"Ann"_s} + date);
    QCOMPARE(plain.exitCode, 0);
    QVERIFY(plain.out.contains(u"(year counted from 4 February: 1989)"_s));

    const Run run = runBinary(solarReport + QStringList{u"--name"_s, name} + date);

    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QString expected = plain.out;
    expected.replace(u"Name: Ann\n"_s, u"Name: "_s + shown + u'\n');
    QCOMPARE(run.out, expected);
}

// A saved reading from elsewhere may hold a longer name than one may be saved with: saving it is
// refused as the same name given with --name is, and nothing is written.
void TestCommandLine::binaryLongNameFromAFileIsNotSaved()
{
    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString old = dir.filePath(u"old.nsk"_s);
    QVERIFY(WriteFile(
        old, EncodeSavedReading({QString(MaxNameLength + 1, u'x'), u"1"_s, u"May"_s, u"1970"_s})));
    const Entries before = entries(dir.path());

    const Run run = runBinary({u"--open"_s, old, u"--save"_s, dir.filePath(u"new.nsk"_s)});

    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.err, u"kistarra: the name in '%1' is longer than 4000 characters, more than a "
                      u"saved reading holds\n"_s.arg(old));
    QVERIFY(entries(dir.path()) == before);
    // Shown, it is as it is.
    QCOMPARE(runBinary({u"--open"_s, old, u"--json"_s}).exitCode, 0);
}

void TestCommandLine::binaryReplacedFileStaysItsOwners_data()
{
    QTest::addColumn<QString>("option");
    QTest::newRow("--save") << u"--save"_s;
    QTest::newRow("--pdf") << u"--pdf"_s;
}

// Root replacing another user's file leaves it theirs, set-group-ID bit and all.
void TestCommandLine::binaryReplacedFileStaysItsOwners()
{
    QFETCH(QString, option);
    if (::geteuid() != 0)
        QSKIP("handing a file to another user takes root");
    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(u"theirs"_s);
    const QByteArray name = QFile::encodeName(file);
    QVERIFY(WriteFile(file, "an earlier file"));
    QCOMPARE(::chown(name.constData(), 1234, 1234), 0);
    QCOMPARE(::chmod(name.constData(), 02664), 0);

    const Run run = runBinary(AnnOptions + QStringList{option, file});

    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QVERIFY(FileBytes(file) != "an earlier file");
    struct stat status {};
    QCOMPARE(::stat(name.constData(), &status), 0);
    QCOMPARE(status.st_uid, 1234u);
    QCOMPARE(status.st_gid, 1234u);
    QCOMPARE(status.st_mode & 07777u, 02664u);
}

void TestCommandLine::binaryTargetsAsTheKernelNamesThem_data()
{
    QTest::addColumn<QString>("target"); // relative to the folder the program runs in
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QByteArray>("written"); // the entry that becomes Ann's reading

    QTest::newRow("a link whose target is not UTF-8")
        << u"latin1.nsk"_s << 0 << QString() << QByteArray("caf\xe9.nsk");
    QTest::newRow("a new name ending in a slash")
        << u"newname/"_s << 1 << u"Is a directory"_s << QByteArray();
    QTest::newRow("a file's name ending in a slash")
        << u"keep.nsk/"_s << 1 << u"Not a directory"_s << QByteArray();
    QTest::newRow("one's own link in a sticky shared folder")
        << u"s/mine.nsk"_s << 0 << QString() << QByteArray("victim");
    QTest::newRow("another user's link in a sticky shared folder")
        << u"s/evil.nsk"_s << 1 << u"Permission denied"_s << QByteArray();
    QTest::newRow("the folder owner's link in a sticky shared folder")
        << u"t/theirs.nsk"_s << 0 << QString() << QByteArray("victim");
}

// Names are the kernel's bytes: a link's target is followed as it is spelt, a trailing slash
// names a folder, and a link planted in a shared folder by someone else is not followed.
void TestCommandLine::binaryTargetsAsTheKernelNamesThem()
{
    QFETCH(QString, target);
    QFETCH(int, exitCode);
    QFETCH(QString, reason);
    QFETCH(QByteArray, written);
    if ((target == u"s/evil.nsk"_s || target.startsWith(u"t/"_s)) && ::geteuid() != 0)
        QSKIP("a link of another user takes root to make");
    const QTemporaryDir dir;
    // clang-format off
    const QString made = uR"sh(cd "$1" && printf 'precious\n' >"$(printf 'caf\351.nsk')" &&
        ln -s "$(printf 'caf\351.nsk')" latin1.nsk && echo keep >keep.nsk && echo victim >victim &&
        mkdir -m 1777 s t && ln -s ../victim s/mine.nsk && { [ "$(id -u)" != 0 ] ||
        { ln -s ../victim s/evil.nsk && ln -s ../victim t/theirs.nsk &&
          chown -h nobody s/evil.nsk t/theirs.nsk t; }; })sh"_s;
    // clang-format on
    QCOMPARE(QProcess::execute(u"/bin/sh"_s, {u"-c"_s, made, u"sh"_s, dir.path()}), 0);
    const int folder = ::open(QFile::encodeName(dir.path()).constData(), O_PATH | O_DIRECTORY);
    const auto closed = qScopeGuard([folder] { ::close(folder); });
    EntriesAtFolder expected = EntriesAt(folder);
    if (!written.isEmpty())
        std::get<2>(expected[written]) = AnnFileBytes;

    const int here = ::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    QVERIFY(here >= 0 && ::fchdir(folder) == 0);
    const Run run = runBinary(AnnOptions + QStringList{u"--save"_s, target});
    QVERIFY(::fchdir(here) == 0 && ::close(here) == 0);

    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.err, reason.isEmpty()
                          ? QString()
                          : u"kistarra: cannot write '%1': %2\n"_s.arg(target, reason));
    QVERIFY(EntriesAt(folder) == expected);
}

void TestCommandLine::binarySavesInAFolderDeeperThanPathMax_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QByteArray>("starts");
    QTest::newRow("--save") << u"--save"_s << AnnFileBytes;
    QTest::newRow("--pdf") << u"--pdf"_s << QByteArray("%PDF-");
}

// A relative name is relative to the current folder, however long that folder's own name is.
void TestCommandLine::binarySavesInAFolderDeeperThanPathMax()
{
    QFETCH(QString, option);
    QFETCH(QByteArray, starts);
    const QTemporaryDir dir;
    const auto removed = qScopeGuard([&dir] {
        QProcess::execute(u"rm"_s, {u"-rf"_s, dir.path()});
    });
    const QByteArray level(200, 'd');
    std::vector<int> folders{::open(QFile::encodeName(dir.path()).constData(), O_PATH)};
    while (qsizetype(folders.size()) * level.size() <= PATH_MAX + level.size()) {
        QCOMPARE(::mkdirat(folders.back(), level.constData(), 0700), 0);
        folders.push_back(::openat(folders.back(), level.constData(), O_PATH | O_DIRECTORY));
    }

    const int here = ::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    QVERIFY(here >= 0 && ::fchdir(folders.back()) == 0);
    const Run run = runBinary(AnnOptions + QStringList{option, u"kistarra-deep"_s});
    QVERIFY(::fchdir(here) == 0 && ::close(here) == 0);
    ::unlink("/kistarra-deep"); // where the save went when the folder's name was too long

    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QVERIFY(std::get<2>(EntriesAt(folders.back())["kistarra-deep"]).startsWith(starts));
}

void TestCommandLine::reportShowsControlCharacters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");

    QTest::newRow("escape sequences and a bell")
        << u"Ann\x1B]0;owned\x07\x1B[2J"_s << u"Ann\\x1b]0;owned\\x07\\x1b[2J"_s;
    QTest::newRow("a forged report line") << u"Ann\r\nFake: line"_s << u"Ann\\r\\nFake: line"_s;
    QTest::newRow("C1 control") << u"Ann\u009B2J"_s << u"Ann\\x9b2J"_s;
}

// Names from a crafted saved reading are written out in the plain report; JSON escapes them itself.
void TestCommandLine::reportShowsControlCharacters()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"evil.nsk"_s);
    QVERIFY(WriteFile(path, EncodeSavedReading({name, u"1"_s, u"May"_s, u"1970"_s})));

    const Run run = runInProcess({u"--report"_s, u"--open"_s, path});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.startsWith(u"Name: "_s + shown + u'\n'));
    for (const QChar c : run.out)
        QVERIFY2(c == u'\n' || c.category() != QChar::Other_Control, qPrintable(run.out.left(80)));
    QVERIFY(!run.out.contains(u"\nFake: line"_s));
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestCommandLine)
#include "tst_commandline.moc"
