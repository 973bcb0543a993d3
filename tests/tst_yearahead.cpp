#include <optional>

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimeZone>

#include "engine/daterange.h"
#include "engine/ninestar.h"
#include "engine/numbertables.h"
#include "engine/yearahead.h"
#include "reading/reading.h"
#include "reading/yearaheadtext.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// The solar date on the fixed days of the reading's table, to hold the true solar terms against.
std::optional<SolarDate> SolarDateOf(QDate date)
{
    if (!date.isValid())
        return std::nullopt;
    const bool yearBefore = BeforeSolarNewYear(date.month(), date.day());
    return SolarDate{yearBefore ? date.year() - 1 : date.year(),
                     SolarMonthOfDay(date.month(), date.day())};
}

// The first day of a solar month on the fixed days: solar month 1 of 2026 begins on 4 February
// 2026, solar month 12 of 2026 on 6 January 2027.
QDate SolarMonthBegins(SolarDate solar)
{
    for (std::size_t i = 0; i < SolarMonthStarts.size(); ++i) {
        if (SolarMonthStarts[i].from == solar.month) {
            const int month = static_cast<int>(i) + 1;
            return {month == 1 ? solar.year + 1 : solar.year, month, SolarMonthStarts[i].firstDay};
        }
    }
    qFatal("no solar month %d", solar.month);
}

// "centre | stars N..NW | palace | avoid in list order, - for none | favourable".
QString describe(const Chart& chart)
{
    QStringList stars;
    QStringList avoided;
    QStringList favourable;
    for (const Palace palace : Palaces) {
        if (palace != Palace::C)
            stars << PalaceCode(palace) % QString::number(chart.star(palace));
        if (chart.isFavourable(palace))
            favourable << PalaceCode(palace).toString();
    }
    for (const Avoid avoid : Avoids) {
        const auto palace = chart.avoided(avoid);
        avoided << (palace ? PalaceCode(*palace).toString() : u"-"_s);
    }
    return QString::number(chart.centre) % u" | "_s % stars.join(u' ') % u" | "_s %
           PalaceCode(chart.palace) % u" | "_s % avoided.join(u' ') % u" | "_s %
           favourable.join(u' ');
}

// The zone the suite reads the solar terms in, unless a case names another.
QTimeZone tokyo()
{
    static const QTimeZone zone(QByteArrayLiteral("Asia/Tokyo"));
    if (!zone.isValid())
        qFatal("the time zone Asia/Tokyo is not installed (Debian tzdata)");
    return zone;
}

YearAhead computed(int principal, QDate date)
{
    const auto ahead = ComputeYearAhead(principal, date, tokyo());
    if (!ahead)
        qFatal("no year ahead for %d on %s", principal, qPrintable(date.toString(Qt::ISODate)));
    return *ahead;
}

} // namespace

class TestYearAhead : public QObject {
    Q_OBJECT

private slots:
    void charts_data();
    void charts();
    void solarDate_data();
    void solarDate();
    void trueSolarMonth_data();
    void trueSolarMonth();
    void trueMonthsFollowEachOther();
    void birthOnTrueTerms_data();
    void birthOnTrueTerms();
    void agreesWithTheReading();
    void branches_data();
    void branches();
    void favourableNeverAvoided();
    void cycle();
    void refused_data();
    void refused();
    void text_data();
    void text();
};

void TestYearAhead::charts_data()
{
    QTest::addColumn<int>("principal");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("solarYear");
    QTest::addColumn<int>("solarMonth");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");

    QTest::newRow("3 on 1 June 2026, 5 in the month's Centre")
        << 3 << QDate(2026, 6, 1) << 2026 << 4
        << u"1 | N6 NE4 E8 SE9 S5 SW7 W3 NW2 | W | S N W E N | NE SE"_s
        << u"5 | N1 NE8 E3 SE4 S9 SW2 W7 NW6 | E | - - E W NW | N SE S"_s;
    QTest::newRow("5 on 10 January 2027, solar month 12 of 2026")
        << 5 << QDate(2027, 1, 10) << 2026 << 12
        << u"1 | N6 NE4 E8 SE9 S5 SW7 W3 NW2 | S | S N S N N | E SE SW NW"_s
        << u"6 | N2 NE9 E4 SE5 S1 SW3 W8 NW7 | SE | SE NW SE NW SW | N NE W"_s;
    QTest::newRow("9 on 3 February 2024, still solar 2023")
        << 9 << QDate(2024, 2, 3) << 2023 << 12
        << u"4 | N9 NE7 E2 SE3 S8 SW1 W6 NW5 | N | NW SE N S W | E"_s
        << u"6 | N2 NE9 E4 SE5 S1 SW3 W8 NW7 | NE | SE NW NE SW SW | N E W"_s;
    QTest::newRow("3 in 2033, the person's star in the Centre")
        << 3 << QDate(2033, 6, 1) << 2033 << 4
        << u"3 | N8 NE6 E1 SE2 S7 SW9 W5 NW4 | C | W E - - SW | NW"_s
        << u"2 | N7 NE5 E9 SE1 S6 SW8 W4 NW3 | NW | NE SW NW SE NW | E W"_s;
    QTest::newRow("5 in 2022, the person's 5 in the Centre")
        << 5 << QDate(2022, 6, 1) << 2022 << 4
        << u"5 | N1 NE8 E3 SE4 S9 SW2 W7 NW6 | C | - - - - SW | NE S W NW"_s
        << u"8 | N4 NE2 E6 SE7 S3 SW5 W1 NW9 | SW | SW NE SW NE NW | E SE"_s;
}

void TestYearAhead::charts()
{
    QFETCH(int, principal);
    QFETCH(QDate, date);
    QFETCH(int, solarYear);
    QFETCH(int, solarMonth);
    QFETCH(QString, year);
    QFETCH(QString, month);

    const YearAhead ahead = computed(principal, date);
    QCOMPARE(ahead.date, date);
    QCOMPARE(ahead.solar, (SolarDate{solarYear, solarMonth}));
    QCOMPARE(describe(ahead.year), year);
    QCOMPARE(describe(ahead.month), month);
    QCOMPARE(ahead.cycle[0], (CycleYear{solarYear, ahead.year.centre, ahead.year.palace}));
}

void TestYearAhead::solarDate_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("solarYear");
    QTest::addColumn<int>("solarMonth");
    QTest::addColumn<QDate>("monthBegins");
    QTest::addColumn<int>("trueMonth"); // on the true terms in Japan time
    QTest::addColumn<int>("yearStar");
    QTest::addColumn<int>("monthStar");

    // The fixed table's days; the year ahead follows the terms, which differ on 5 January 2026
    // (Minor Cold at 17:23) and 8 October 2026 (Cold Dew).
    QTest::newRow("3 February") << QDate(2026, 2, 3) << 2025 << 12 << QDate(2026, 1, 6) << 12 << 2
                                << 9;
    QTest::newRow("4 February") << QDate(2026, 2, 4) << 2026 << 1 << QDate(2026, 2, 4) << 1 << 1
                                << 8;
    QTest::newRow("5 January") << QDate(2026, 1, 5) << 2025 << 11 << QDate(2025, 12, 8) << 12 << 2
                               << 9;
    QTest::newRow("6 January") << QDate(2026, 1, 6) << 2025 << 12 << QDate(2026, 1, 6) << 12 << 2
                               << 9;
    QTest::newRow("31 December") << QDate(2025, 12, 31) << 2025 << 11 << QDate(2025, 12, 8) << 11
                                 << 2 << 1;
    QTest::newRow("29 February") << QDate(2024, 2, 29) << 2024 << 1 << QDate(2024, 2, 4) << 1 << 3
                                 << 5;
    QTest::newRow("8 October") << QDate(2026, 10, 8) << 2026 << 8 << QDate(2026, 9, 8) << 9 << 1
                               << 9;
    QTest::newRow("9 October") << QDate(2026, 10, 9) << 2026 << 9 << QDate(2026, 10, 9) << 9 << 1
                               << 9;
}

void TestYearAhead::solarDate()
{
    QFETCH(QDate, date);
    QFETCH(int, solarYear);
    QFETCH(int, solarMonth);
    QFETCH(QDate, monthBegins);
    QFETCH(int, trueMonth);
    QFETCH(int, yearStar);
    QFETCH(int, monthStar);

    const SolarDate solar{solarYear, solarMonth};
    QCOMPARE(SolarDateOf(date), std::optional<SolarDate>(solar));
    QCOMPARE(SolarMonthBegins(solar), monthBegins);
    const YearAhead ahead = computed(1, date);
    QCOMPARE(ahead.solar.month, trueMonth);
    QCOMPARE(ahead.year.centre, yearStar);
    QCOMPARE(ahead.month.centre, monthStar);
}

void TestYearAhead::trueSolarMonth_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<int>("solarYear");
    QTest::addColumn<int>("solarMonth");
    QTest::addColumn<QString>("begins");
    QTest::addColumn<QString>("ends");

    // The year began on 3 February in Japan time in 2021 and 2025; in 2026 on the 4th there, but
    // on the 3rd in UTC. A term's minute is its instant rounded: 2021 began at 23:58:48, 23:59.
    QTest::newRow("2021, Japan") << QDate(2021, 2, 3) << "Asia/Tokyo"_ba << 2021 << 1
                                 << u"2021-02-03T23:59+09:00"_s << u"2021-03-05T17:54+09:00"_s;
    QTest::newRow("2025, Japan") << QDate(2025, 2, 3) << "Asia/Tokyo"_ba << 2025 << 1
                                 << u"2025-02-03T23:10+09:00"_s << u"2025-03-05T17:07+09:00"_s;
    QTest::newRow("2026 day before, Japan")
        << QDate(2026, 2, 3) << "Asia/Tokyo"_ba << 2025 << 12 << u"2026-01-05T17:23+09:00"_s
        << u"2026-02-04T05:02+09:00"_s;
    QTest::newRow("2026, UTC") << QDate(2026, 2, 3) << "UTC"_ba << 2026 << 1
                               << u"2026-02-03T20:02+00:00"_s << u"2026-03-05T13:59+00:00"_s;
    // Clear and Bright 2013 came at 00:02 on 5 April in Japan, still 4 April in UTC and New York.
    QTest::newRow("4 April 2013, Japan")
        << QDate(2013, 4, 4) << "Asia/Tokyo"_ba << 2013 << 2 << u"2013-03-05T19:15+09:00"_s
        << u"2013-04-05T00:02+09:00"_s;
    QTest::newRow("5 April 2013, Japan")
        << QDate(2013, 4, 5) << "Asia/Tokyo"_ba << 2013 << 3 << u"2013-04-05T00:02+09:00"_s
        << u"2013-05-05T17:18+09:00"_s;
    QTest::newRow("4 April 2013, UTC")
        << QDate(2013, 4, 4) << "UTC"_ba << 2013 << 3 << u"2013-04-04T15:02+00:00"_s
        << u"2013-05-05T08:18+00:00"_s;
    QTest::newRow("4 April 2013, New York, summer time")
        << QDate(2013, 4, 4) << "America/New_York"_ba << 2013 << 3 << u"2013-04-04T11:02-04:00"_s
        << u"2013-05-05T04:18-04:00"_s;
    // Havana's local mean time was 5:29:36 behind UTC: the term's UTC minute moved by all of it.
    QTest::newRow("1900, Havana") << QDate(1900, 2, 10) << "America/Havana"_ba << 1900 << 1
                                  << u"1900-02-04T00:21:24-05:29:36"_s
                                  << u"1900-03-05T18:52:24-05:29:36"_s;
    QTest::newRow("last day, month ends in 2101")
        << QDate(2100, 12, 31) << "UTC"_ba << 2100 << 11 << u"2100-12-07T01:42+00:00"_s
        << u"2101-01-05T13:09+00:00"_s;
}

void TestYearAhead::trueSolarMonth()
{
    QFETCH(QDate, date);
    QFETCH(QByteArray, zone);
    QFETCH(int, solarYear);
    QFETCH(int, solarMonth);
    QFETCH(QString, begins);
    QFETCH(QString, ends);

    const QTimeZone timeZone(zone);
    QVERIFY(timeZone.isValid());
    const auto month = TrueSolarMonthOf(date, timeZone);
    QVERIFY(month);
    QCOMPARE(month->solar, (SolarDate{solarYear, solarMonth}));
    QCOMPARE(LocalMinuteIso(month->begins), begins);
    QCOMPARE(LocalMinuteIso(month->ends), ends);
    QVERIFY(month->begins.localDate() <= date && date < month->ends.localDate());

    const auto ahead = ComputeYearAhead(1, date, timeZone);
    QVERIFY(ahead);
    QCOMPARE(ahead->solar, month->solar);
    QCOMPARE(ahead->monthBegins, month->begins);
    QCOMPARE(ahead->monthEnds, month->ends);
    QCOMPARE(ahead->yearBegins,
             SolarTermLocalInstant(solarYear, SolarTerm::StartOfSpring, timeZone));
    QCOMPARE(ahead->yearEnds,
             SolarTermLocalInstant(solarYear + 1, SolarTerm::StartOfSpring, timeZone));
    QCOMPARE(std::optional(ahead->year.centre), YearStar(solarYear));
}

// Every day of a stretch of years lies in the month the terms say, whose neighbours meet.
void TestYearAhead::trueMonthsFollowEachOther()
{
    for (const QByteArray& id : {"Asia/Tokyo"_ba, "UTC"_ba, "America/New_York"_ba}) {
        const QTimeZone zone(id);
        auto before = TrueSolarMonthOf(QDate(2019, 12, 31), zone);
        QVERIFY(before);
        for (QDate date(2020, 1, 1); date.year() < 2030; date = date.addDays(1)) {
            const auto month = TrueSolarMonthOf(date, zone);
            QVERIFY(month);
            if (month->solar != before->solar) {
                QCOMPARE(month->begins, before->ends);
                QCOMPARE(month->begins.localDate(), date);
                const int next = before->solar.month % 12 + 1;
                QCOMPARE(month->solar.month, next);
                QCOMPARE(month->solar.year, before->solar.year + (next == 1 ? 1 : 0));
            }
            before = month;
        }
    }
}

void TestYearAhead::birthOnTrueTerms_data()
{
    QTest::addColumn<BirthDetails>("details");
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<YearRule>("rule");
    QTest::addColumn<int>("solarMonth");
    QTest::addColumn<QString>("readingYear");
    QTest::addColumn<QString>("note"); // what the note begins with; empty for none

    const auto born = [](const char* day, const char* month, const char* year) {
        return BirthDetails{u"Ann"_s, QString::fromLatin1(day), QString::fromLatin1(month),
                            QString::fromLatin1(year)};
    };
    QTest::newRow("3 February 2021, Japan: the year begins that day")
        << born("3", "February", "2021") << "Asia/Tokyo"_ba << YearRule::Solar << 1 << u"2021"_s
        << u"Born on the day solar month 1 begins (3 February 2021 23:59, Asia/Tokyo): the month "
           u"depends on the hour of birth; this reading counts the whole day to the new month."_s;
    QTest::newRow("3 February 2025, Japan")
        << born("3", "February", "2025") << "Asia/Tokyo"_ba << YearRule::Solar << 1 << u"2025"_s
        << u"Born on the day solar month 1 begins (3 February 2025 23:10, Asia/Tokyo)"_s;
    QTest::newRow("3 February 2026, Japan: the old year")
        << born("3", "February", "2026") << "Asia/Tokyo"_ba << YearRule::Solar << 12 << u"2025"_s
        << QString();
    QTest::newRow("3 February 2026, calendar rule")
        << born("3", "February", "2026") << "Asia/Tokyo"_ba << YearRule::Calendar << 12 << u"2026"_s
        << QString();
    QTest::newRow("5 April 2013, Japan")
        << born("5", "April", "2013") << "Asia/Tokyo"_ba << YearRule::Calendar << 3 << u"2013"_s
        << u"Born on the day solar month 3 begins (5 April 2013 "
           u"00:02, Asia/Tokyo)"_s;
    QTest::newRow("4 April 2013, Japan") << born("4", "April", "2013") << "Asia/Tokyo"_ba
                                         << YearRule::Calendar << 2 << u"2013"_s << QString();
    QTest::newRow("4 April 2013, UTC")
        << born("4", "April", "2013") << "UTC"_ba << YearRule::Calendar << 3 << u"2013"_s
        << u"Born on the day solar month 3 begins (4 April 2013 15:02, UTC)"_s;
    QTest::newRow("5 January 2026, Japan: the fixed days say month 11")
        << born("5", "January", "2026") << "Asia/Tokyo"_ba << YearRule::Solar << 12 << u"2025"_s
        << u"Born on the day solar month 12 begins (5 January 2026 17:23, Asia/Tokyo)"_s;
}

// The solar month, the year under the solar rule, the numbers that follow and the note of a
// birth on a term's day; the report carries the note after the date.
void TestYearAhead::birthOnTrueTerms()
{
    QFETCH(BirthDetails, details);
    QFETCH(QByteArray, zone);
    QFETCH(YearRule, rule);
    QFETCH(int, solarMonth);
    QFETCH(QString, readingYear);
    QFETCH(QString, note);

    const Reading reading = ComputeReading(details, rule, QTimeZone(zone));
    QVERIFY(reading.trueSolarTerms);
    QCOMPARE(reading.solarMonth, solarMonth);
    QCOMPARE(reading.readingYear, readingYear);
    QCOMPARE(reading.principal, CalculatePrincipalNumber(readingYear).value_or(0));
    QCOMPARE(reading.character, CharacterTableEntry(reading.principal, solarMonth));
    QVERIFY2(note.isEmpty() ? reading.termDayNote.isEmpty() : reading.termDayNote.startsWith(note),
             qPrintable(reading.termDayNote));
    const QString report = ReportText(reading);
    QCOMPARE(report.contains(u"\r\n\r\nBorn on the day solar month "_s), !note.isEmpty());
    if (readingYear != details.year) {
        QCOMPARE(ReadingYearNote(reading),
                 u"Year counted from the start of spring: "_s + readingYear);
        QVERIFY(
            report.contains(u"(year counted from the start of spring: "_s + readingYear + u')'));
    }

    // Without the terms the fixed days hold, and nothing says otherwise.
    const Reading fixed = ComputeReading(details, rule);
    QVERIFY(!fixed.trueSolarTerms);
    QVERIFY(fixed.termDayNote.isEmpty());
    QVERIFY(!ReportText(fixed).contains(u"Born on the day"_s));
    QVERIFY(!ReportText(fixed).contains(u"start of spring"_s));
}

// Every date of the range falls in the reading's solar month and inside the solar month that the
// year ahead says began on or before it; every year star is the reading's principal number.
void TestYearAhead::agreesWithTheReading()
{
    for (int year = 1900; year <= 2108; ++year)
        QCOMPARE(YearStar(year), CalculatePrincipalNumber(QString::number(year)));

    int checked = 0;
    for (QDate date = DateRange::FirstDate(); date <= DateRange::LastDate();
         date = date.addDays(1)) {
        const auto solar = SolarDateOf(date);
        const auto reading = CalculateSolarMonth(MonthNames[std::size_t(date.month() - 1)],
                                                 QString::number(date.day()));
        const SolarDate next = solar->month == 12 ? SolarDate{solar->year + 1, 1}
                                                  : SolarDate{solar->year, solar->month + 1};
        if (solar->month != reading || SolarMonthBegins(*solar) > date ||
            SolarMonthBegins(next) <= date)
            QFAIL(qPrintable(date.toString(Qt::ISODate)));
        ++checked;
    }
    QCOMPARE(checked, 73380);
}

void TestYearAhead::branches_data()
{
    QTest::addColumn<int>("solarYear");
    QTest::addColumn<int>("solarMonth"); // 0 for the year chart
    QTest::addColumn<int>("centre");
    QTest::addColumn<QString>("branch");
    QTest::addColumn<Palace>("breaker");

    const QStringList names = {u"Rat"_s,    u"Ox"_s,      u"Tiger"_s, u"Rabbit"_s,
                               u"Dragon"_s, u"Snake"_s,   u"Horse"_s, u"Goat"_s,
                               u"Monkey"_s, u"Rooster"_s, u"Dog"_s,   u"Pig"_s};
    const Palace breakers[] = {Palace::S,  Palace::SW, Palace::SW, Palace::W,
                               Palace::NW, Palace::NW, Palace::N,  Palace::NE,
                               Palace::NE, Palace::E,  Palace::SE, Palace::SE};
    const int centres[] = {7, 6, 5, 4, 3, 2, 1, 9, 8, 7, 6, 5};
    for (int i = 0; i < 12; ++i)
        QTest::addRow("%d, %s", 2020 + i, qPrintable(names[i]))
            << 2020 + i << 0 << centres[i] << names[i] << breakers[i];
    QTest::newRow("solar month 1, Tiger") << 2026 << 1 << 8 << u"Tiger"_s << Palace::SW;
    QTest::newRow("solar month 11, Rat") << 2026 << 11 << 7 << u"Rat"_s << Palace::S;
    QTest::newRow("solar month 12, Ox") << 2026 << 12 << 6 << u"Ox"_s << Palace::SW;
}

void TestYearAhead::branches()
{
    QFETCH(int, solarYear);
    QFETCH(int, solarMonth);
    QFETCH(int, centre);
    QFETCH(QString, branch);
    QFETCH(Palace, breaker);

    const auto chart =
        solarMonth == 0 ? YearChart(1, solarYear) : MonthChart(1, SolarDate{solarYear, solarMonth});
    QVERIFY(chart);
    QCOMPARE(chart->centre, centre);
    QCOMPARE(BranchNames[std::size_t(chart->branch)], branch);
    QCOMPARE(chart->avoided(Avoid::Breaker), std::optional<Palace>(breaker));
}

void TestYearAhead::favourableNeverAvoided()
{
    int favourable = 0;
    for (int principal = 1; principal <= 9; ++principal) {
        for (int centre = 1; centre <= 9; ++centre) {
            for (int branch = 0; branch < 12; ++branch) {
                const auto chart = MakeChart(principal, centre, branch);
                QVERIFY(chart);
                QCOMPARE(chart->star(chart->palace), principal);
                QVERIFY(!chart->isFavourable(Palace::C));
                for (const Palace palace : Palaces) {
                    if (!chart->isFavourable(palace))
                        continue;
                    ++favourable;
                    QVERIFY(chart->star(palace) != 5 && chart->star(palace) != principal);
                    for (const Avoid avoid : Avoids)
                        QVERIFY(chart->avoided(avoid) != palace);
                }
            }
        }
    }
    QVERIFY(favourable > 972);
}

void TestYearAhead::cycle()
{
    const YearAhead ahead = computed(3, QDate(2026, 6, 1));
    QStringList cycle;
    for (const CycleYear& year : ahead.cycle)
        cycle << QString::number(year.year) % u' ' % QString::number(year.centre) % u' ' %
                     PalaceCode(year.palace);
    QCOMPARE(cycle.join(u", "_s), u"2026 1 W, 2027 9 NE, 2028 8 S, 2029 7 N, 2030 6 SW, 2031 5 E, "
                                  u"2032 4 SE, 2033 3 C, 2034 2 NW"_s);
}

void TestYearAhead::refused_data()
{
    QTest::addColumn<int>("principal");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("given");

    QTest::newRow("first day") << 1 << QDate(1900, 2, 4) << true;
    QTest::newRow("last day, cycle to 2108") << 9 << QDate(2100, 12, 31) << true;
    QTest::newRow("day before the first") << 1 << QDate(1900, 2, 3) << false;
    QTest::newRow("day after the last") << 1 << QDate(2101, 1, 1) << false;
    QTest::newRow("invalid date") << 1 << QDate() << false;
    QTest::newRow("principal 0") << 0 << QDate(2026, 6, 1) << false;
    QTest::newRow("principal 10") << 10 << QDate(2026, 6, 1) << false;
}

void TestYearAhead::refused()
{
    QFETCH(int, principal);
    QFETCH(QDate, date);
    QFETCH(bool, given);

    const auto ahead = ComputeYearAhead(principal, date, tokyo());
    QCOMPARE(ahead.has_value(), given);
    if (ahead) {
        for (const CycleYear& year : ahead->cycle)
            QVERIFY(IsStarNumber(year.centre));
    }
}

void TestYearAhead::text_data()
{
    QTest::addColumn<QString>("line");

    QTest::newRow("date") << u"Date:             1 June 2026"_s;
    QTest::newRow("time zone") << u"Time zone:        Asia/Tokyo"_s;
    QTest::newRow("solar year")
        << u"Solar year:       2026, from 4 February 2026 05:02 to 4 February 2027 10:46"_s;
    QTest::newRow("solar month")
        << u"Solar month:      4, from 5 May 2026 20:49 to 6 June 2026 00:48"_s;
    QTest::newRow("year heading") << u"This Year: 2026, a Horse year"_s;
    QTest::newRow("chart, South on top") << u"    SE 9    S 5     SW 7"_s;
    QTest::newRow("palace") << u"Your star 3 stands in the West this year."_s;
    QTest::newRow("Five Yellow") << u"    Five Yellow:       South"_s;
    QTest::newRow("Opposite Own Star") << u"    Opposite Own Star: East"_s;
    QTest::newRow("Breaker") << u"    Breaker:           North, opposite the Horse in the South"_s;
    QTest::newRow("favourable") << u"Favourable directions: North East, South East"_s;
    QTest::newRow("month heading") << u"This Month: solar month 4, a Snake month"_s;
    QTest::newRow("no Dark Sword") << u"    Dark Sword:        none, the 5 stands in the Centre"_s;
    QTest::newRow("month favourable") << u"Favourable directions: North, South East, South"_s;
    QTest::newRow("cycle in the Centre") << u"    2033   3             Centre"_s;
}

void TestYearAhead::text()
{
    QFETCH(QString, line);

    const QString text = YearAheadText(computed(3, QDate(2026, 6, 1)));
    QVERIFY(text.endsWith(u'\n'));
    const QStringList lines = text.split(u'\n');
    QVERIFY2(lines.contains(line), qPrintable(text));
    for (const QString& each : lines)
        QVERIFY2(each.size() <= 78 && !each.endsWith(u' '), qPrintable(each));
    QVERIFY(text.simplified().contains(PalaceMeaning(Palace::W).toString().simplified()));
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestYearAhead)
#include "tst_yearahead.moc"
