#include <QDate>
#include <QObject>
#include <QStringList>
#include <QTest>

#include "cli/arguments.h"
#include "cli/exitcodes.h"
#include "savedreading/savedreading.h"
#include "tests/support/testfiles.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

const QDate Today(2026, 6, 1);

QStringList withDate(const QString& day, const QString& month, const QString& year)
{
    return {u"--name"_s, u"Ann"_s, u"--day"_s, day, u"--month"_s, month, u"--year"_s, year};
}

const QStringList AnnOptions = withDate(u"1"_s, u"May"_s, u"1970"_s);

Result<CommandLineRequest> parsed(const QStringList& options)
{
    return ParseArguments(QStringList{u"kistarra"_s} + options, Today);
}

} // namespace

// The arguments of a terminal run as a request or a refusal, with no process and no file.
class TestArguments : public QObject {
    Q_OBJECT

private slots:
    void normalisation_data();
    void normalisation();
    void refusals_data();
    void refusals();
    void todayOutsideTheYearAhead_data();
    void todayOutsideTheYearAhead();
    void requests();
};

void TestArguments::normalisation_data()
{
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QStringList>("listed"); // day, month, year as the lists hold them

    const QStringList annListed{u"1"_s, u"May"_s, u"1970"_s};
    QTest::newRow("list entries as they are")
        << QStringList{u"1"_s, u"May"_s, u"1970"_s} << annListed;
    QTest::newRow("day 05") << QStringList{u"05"_s, u"May"_s, u"1970"_s}
                            << QStringList{u"5"_s, u"May"_s, u"1970"_s};
    QTest::newRow("day 31") << QStringList{u"31"_s, u"May"_s, u"1970"_s}
                            << QStringList{u"31"_s, u"May"_s, u"1970"_s};
    QTest::newRow("day with blanks")
        << QStringList{u" 7 "_s, u"May"_s, u"1970"_s} << QStringList{u"7"_s, u"May"_s, u"1970"_s};
    QTest::newRow("month may") << QStringList{u"1"_s, u"may"_s, u"1970"_s} << annListed;
    QTest::newRow("month MAY") << QStringList{u"1"_s, u"MAY"_s, u"1970"_s} << annListed;
    QTest::newRow("month 5") << QStringList{u"1"_s, u"5"_s, u"1970"_s} << annListed;
    QTest::newRow("month 05") << QStringList{u"1"_s, u"05"_s, u"1970"_s} << annListed;
    QTest::newRow("month 12") << QStringList{u"1"_s, u"12"_s, u"1970"_s}
                              << QStringList{u"1"_s, u"December"_s, u"1970"_s};
    QTest::newRow("month sEpTeMbEr") << QStringList{u"1"_s, u"sEpTeMbEr"_s, u"1970"_s}
                                     << QStringList{u"1"_s, u"September"_s, u"1970"_s};
    QTest::newRow("year 01970") << QStringList{u"1"_s, u"May"_s, u"01970"_s} << annListed;
    QTest::newRow("ten digits and more, leading zeros")
        << QStringList{u"0000000001"_s, u"000000000005"_s, u"00000000001970"_s} << annListed;
    QTest::newRow("first list date") << QStringList{u"01"_s, u"january"_s, u"1900"_s}
                                     << QStringList{u"1"_s, u"January"_s, u"1900"_s};
    QTest::newRow("last list date") << QStringList{u"31"_s, u"DECEMBER"_s, u"2050"_s}
                                    << QStringList{u"31"_s, u"December"_s, u"2050"_s};
}

// Every spelling the options take becomes the entries of the birth details lists, so all that is
// derived from them is what the list entries themselves give.
void TestArguments::normalisation()
{
    QFETCH(QStringList, given);
    QFETCH(QStringList, listed);

    const auto result = parsed(withDate(given[0], given[1], given[2]));
    QVERIFY(result.ok());
    const CommandLineRequest& request = *result;
    QVERIFY(request.details.has_value());
    QCOMPARE(*request.details, (BirthDetails{u"Ann"_s, listed[0], listed[1], listed[2]}));
}

void TestArguments::refusals_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("mentions");

    QTest::newRow("day 0") << withDate(u"0"_s, u"May"_s, u"1970"_s) << 2 << u"day '0'"_s;
    QTest::newRow("day 32") << withDate(u"32"_s, u"May"_s, u"1970"_s) << 2 << u"day '32'"_s;
    QTest::newRow("day x") << withDate(u"x"_s, u"May"_s, u"1970"_s) << 2 << u"day 'x'"_s;
    QTest::newRow("day empty") << withDate(QString(), u"May"_s, u"1970"_s) << 2 << u"day"_s;
    QTest::newRow("day 1.5") << withDate(u"1.5"_s, u"May"_s, u"1970"_s) << 2 << u"1.5"_s;
    QTest::newRow("day in Arabic-Indic digits")
        << withDate(u"\u0665"_s, u"May"_s, u"1970"_s) << 2 << u"day"_s;
    QTest::newRow("day 0000000000")
        << withDate(u"0000000000"_s, u"May"_s, u"1970"_s) << 2 << u"day"_s;
    // 2^32 + 1: a parser that let ten digits through would wrap it round to day 1.
    QTest::newRow("day 4294967297")
        << withDate(u"4294967297"_s, u"May"_s, u"1970"_s) << 2 << u"day '4294967297'"_s;
    QTest::newRow("month 13") << withDate(u"1"_s, u"13"_s, u"1970"_s) << 2 << u"month '13'"_s;
    QTest::newRow("month 0") << withDate(u"1"_s, u"0"_s, u"1970"_s) << 2 << u"month '0'"_s;
    QTest::newRow("month Mai") << withDate(u"1"_s, u"Mai"_s, u"1970"_s) << 2 << u"month 'Mai'"_s;
    QTest::newRow("month abbreviated")
        << withDate(u"1"_s, u"Sep"_s, u"1970"_s) << 2 << u"month 'Sep'"_s;
    QTest::newRow("year 1899") << withDate(u"1"_s, u"May"_s, u"1899"_s) << 2 << u"year '1899'"_s;
    QTest::newRow("year 2051") << withDate(u"1"_s, u"May"_s, u"2051"_s) << 2 << u"year '2051'"_s;
    QTest::newRow("year 2999") << withDate(u"1"_s, u"May"_s, u"2999"_s) << 2 << u"year '2999'"_s;
    QTest::newRow("year 70") << withDate(u"1"_s, u"May"_s, u"70"_s) << 2 << u"year '70'"_s;

    QTest::newRow("missing --name")
        << QStringList{u"--day"_s, u"1"_s, u"--month"_s, u"May"_s, u"--year"_s, u"1970"_s} << 2
        << u"--name"_s;
    QTest::newRow("missing --year")
        << QStringList{u"--name"_s, u"Ann"_s, u"--day"_s, u"1"_s, u"--month"_s, u"May"_s} << 2
        << u"--year"_s;
    QTest::newRow("nothing at all") << QStringList{} << 2 << u"--name"_s;
    QTest::newRow("name over the length limit")
        << QStringList{u"--name"_s,  QString(MaxNameLength + 1, u'a'),
                       u"--day"_s,   u"1"_s,
                       u"--month"_s, u"May"_s,
                       u"--year"_s,  u"1970"_s}
        << 2 << QString::number(MaxNameLength);
    QTest::newRow("name of blanks") << QStringList{u"--name"_s,  u"  "_s,  u"--day"_s,  u"1"_s,
                                                   u"--month"_s, u"May"_s, u"--year"_s, u"1970"_s}
                                    << 2 << u"name"_s;
    QTest::newRow("--open together with --name")
        << QStringList{u"--open"_s, AnnFilePath(), u"--name"_s, u"Ann"_s} << 2 << u"--open"_s;
    QTest::newRow("unknown option") << QStringList{u"--colour"_s, u"red"_s} << 2 << u"colour"_s;
    QTest::newRow("option without its value") << QStringList{u"--open"_s} << 2 << u"open"_s;
    // One rule for every option: a run keeps one value of each.
    QTest::newRow("year given twice")
        << AnnOptions + QStringList{u"--year"_s, u"1971"_s} << 2 << u"--year given twice"_s;
    for (const QString& date :
         {u"2026-02-30"_s, u"2026-6-1"_s, u"2026-06-1"_s, u"1900-02-03"_s, u"2101-01-01"_s,
          u"26-06-01"_s, u"2026/06/01"_s, u"2026-06/01"_s, u"2026-06-01T00:00"_s, u" 2026-06-01"_s,
          u"Today"_s, u"tomorrow"_s, u"+2026-06-01"_s, u"\uFF12\uFF10\uFF12\uFF16-06-01"_s,
          u"2026-13-01"_s}) {
        QTest::addRow("forecast '%s'", qPrintable(date))
            << QStringList{u"--forecast"_s, date} + AnnOptions << 2 << date;
    }
    for (const QString& month : {u"1900-01"_s, u"2101-01"_s, u"2026-13"_s, u"2026-00"_s,
                                 u"2026-6"_s, u"2026-06-01"_s, u"June 2026"_s, u"x"_s}) {
        QTest::addRow("calendar '%s'", qPrintable(month))
            << QStringList{u"--calendar"_s, month} + AnnOptions << 2 << month;
    }
    QTest::newRow("calendar with forecast")
        << QStringList{u"--calendar"_s, u"2026-06"_s, u"--forecast"_s, u"today"_s} + AnnOptions << 2
        << u"--calendar"_s;
    QTest::newRow("forecast without birth details")
        << QStringList{u"--forecast"_s, u"2026-06-01"_s} << 2 << u"--name"_s;
    QTest::newRow("positional argument")
        << QStringList{AnnOptions} + QStringList{u"extra"_s} << 2 << u"extra"_s;
    for (const QString& zone : {u"Mars/Olympus_Mons"_s, u"JST-9"_s, u"UTC+9"_s, u"/etc/localtime"_s,
                                u"../../../dev/zero"_s, QString()}) {
        QTest::addRow("time zone '%s'", qPrintable(zone))
            << QStringList{u"--time-zone"_s, zone} + AnnOptions << 2
            << u"time zone '%1' is not known"_s.arg(zone);
    }
    for (const QString& year : {u"1899"_s, u"2101"_s, u"twenty"_s, u"2026.5"_s}) {
        QTest::addRow("solar terms of '%s'", qPrintable(year))
            << QStringList{u"--solar-terms"_s, year} << 2 << u"year '%1'"_s.arg(year);
    }
    QTest::newRow("solar terms with birth details")
        << QStringList{u"--solar-terms"_s, u"2026"_s} + AnnOptions << 2 << u"--name"_s;
    QTest::newRow("solar terms with a forecast")
        << QStringList{u"--solar-terms"_s, u"2026"_s, u"--forecast"_s, u"today"_s} << 2
        << u"--forecast"_s;
    QTest::newRow("solar terms with a bad zone")
        << QStringList{u"--solar-terms"_s, u"2026"_s, u"--time-zone"_s, u"Nowhere"_s} << 2
        << u"'Nowhere'"_s;
}

void TestArguments::refusals()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, mentions);

    const auto result = parsed(options);
    QVERIFY(!result);
    const Failure& refusal = result.failure();
    QCOMPARE(static_cast<int>(ExitCodeOf(refusal)), exitCode);
    QVERIFY2(refusal.reason.contains(mentions), qPrintable(refusal.reason));
}

void TestArguments::todayOutsideTheYearAhead_data()
{
    QTest::addColumn<QDate>("today");
    QTest::newRow("clock past the last date") << QDate(2101, 1, 1);
    QTest::newRow("clock before the first date") << QDate(1900, 2, 3);
}

// A clock outside the year ahead's dates: the refusal names the date the clock gives and the
// dates there are, not just the word.
void TestArguments::todayOutsideTheYearAhead()
{
    QFETCH(QDate, today);

    const auto result =
        ParseArguments(QStringList{u"kistarra"_s, u"--forecast"_s, u"today"_s} + AnnOptions, today);

    QVERIFY(!result);
    const Failure& refusal = result.failure();
    QCOMPARE(static_cast<int>(ExitCodeOf(refusal)), 2);
    QCOMPARE(refusal.reason,
             u"today, %1 by this computer's clock, is outside the dates the year ahead covers, "
             u"1900-02-04 to 2100-12-31"_s.arg(today.toString(Qt::ISODate)));
}

// What an accepted request holds: where the details come from, the year rule, the forecast date
// ("today" is the date the run is given), and the files in the order they are made.
void TestArguments::requests()
{
    const auto solar = parsed(QStringList{u"--solar-year"_s, u"--json"_s} + AnnOptions);
    QVERIFY(solar.ok());
    QCOMPARE(solar->yearRule, YearRule::Solar);
    QVERIFY(solar->json);
    QVERIFY(!solar->report);

    const auto opened = parsed({u"--forecast"_s, u"today"_s, u"--pdf"_s, u"b.pdf"_s, u"--save"_s,
                                u"a.nsk"_s, u"--open"_s, u"ann.nsk"_s});
    QVERIFY(opened.ok());
    const CommandLineRequest& request = *opened;
    QCOMPARE(request.openPath, std::optional<QString>(u"ann.nsk"_s));
    QVERIFY(!request.details);
    QCOMPARE(request.yearRule, YearRule::Calendar);
    QCOMPARE(request.forecast, std::optional<QDate>(Today));
    QCOMPARE(request.files.size(), std::size_t{2});
    QCOMPARE(request.files[0].kind, OutputFile::SavedReading);
    QCOMPARE(request.files[0].path, u"a.nsk"_s);
    QCOMPARE(request.files[1].kind, OutputFile::Pdf);
    QCOMPARE(request.files[1].path, u"b.pdf"_s);

    for (const auto& [given, year, month] :
         {std::tuple{u"1900-02"_s, 1900, 2}, std::tuple{u"2100-12"_s, 2100, 12},
          std::tuple{u"2026-06"_s, 2026, 6}}) {
        const auto calendar = parsed(QStringList{u"--calendar"_s, given} + AnnOptions);
        QVERIFY2(calendar.ok(), qPrintable(given));
        const auto asked = calendar->calendar;
        QVERIFY(asked.has_value());
        QCOMPARE(asked->year, year);
        QCOMPARE(asked->month, month);
    }
    QVERIFY(!request.timeZone);
    QVERIFY(!request.trueSolarTerms);
    QVERIFY(!request.solarTermsYear);

    const auto onTerms =
        parsed(QStringList{u"--true-solar-terms"_s, u"--time-zone"_s, u"UTC+09:00"_s} + AnnOptions);
    QVERIFY(onTerms.ok());
    QVERIFY(onTerms->trueSolarTerms);
    QCOMPARE(onTerms->timeZone->id(), QByteArray("UTC+09:00"));

    // The terms of a year need no birth details.
    const auto terms =
        parsed({u"--solar-terms"_s, u" 2026"_s, u"--json"_s, u"--time-zone"_s, u"Asia/Tokyo"_s});
    QVERIFY(terms.ok());
    QCOMPARE(terms->solarTermsYear, std::optional<int>(2026));
    QVERIFY(terms->json);
    QCOMPARE(terms->timeZone->id(), QByteArray("Asia/Tokyo"));
    QVERIFY(!terms->details);
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestArguments)
#include "tst_arguments.moc"
