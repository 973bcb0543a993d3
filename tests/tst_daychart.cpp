#include <initializer_list>
#include <optional>
#include <vector>

#include <QDate>
#include <QObject>
#include <QString>
#include <QTest>

#include "engine/daychart.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

using Solstices = std::vector<SolsticeDay>;

// Solstices by local date in Japan time, a December first, then taking turns.
Solstices solstices(std::initializer_list<QDate> dates)
{
    Solstices days;
    Solstice kind = Solstice::December;
    for (const QDate date : dates) {
        days.push_back({date, kind});
        kind = kind == Solstice::June ? Solstice::December : Solstice::June;
    }
    return days;
}

// 2019-2021 holds a moved June beginning, 2030-2032 the moved December one of the worked example.
const Solstices Around2020 =
    solstices({QDate(2018, 12, 22), QDate(2019, 6, 22), QDate(2019, 12, 22), QDate(2020, 6, 21),
               QDate(2020, 12, 21), QDate(2021, 6, 21)});
const Solstices Around2031 =
    solstices({QDate(2029, 12, 21), QDate(2030, 6, 21), QDate(2030, 12, 22), QDate(2031, 6, 21),
               QDate(2031, 12, 22), QDate(2032, 6, 21)});

} // namespace

class TestDayChart : public QObject {
    Q_OBJECT

private slots:
    void stemBranch_data();
    void stemBranch();
    void dayStar_data();
    void dayStar();
    void periodLengths_data();
    void periodLengths();
    void refused_data();
    void refused();
    void dayChart();
};

void TestDayChart::stemBranch_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("characters");
    QTest::addColumn<QString>("name");

    QTest::newRow("1 October 1949") << QDate(1949, 10, 1) << 0 << u"甲子"_s << u"Wood Rat"_s;
    QTest::newRow("1 January 2024") << QDate(2024, 1, 1) << 0 << u"甲子"_s << u"Wood Rat"_s;
    QTest::newRow("1 January 2000") << QDate(2000, 1, 1) << 54 << u"戊午"_s << u"Earth Horse"_s;
    QTest::newRow("1 January 1900") << QDate(1900, 1, 1) << 10 << u"甲戌"_s << u"Wood Dog"_s;
    QTest::newRow("1 June 2026") << QDate(2026, 6, 1) << 42 << u"丙午"_s << u"Fire Horse"_s;
    QTest::newRow("31 December 2100, last of the range")
        << QDate(2100, 12, 31) << 43 << u"丁未"_s << u"Fire Goat"_s;
    QTest::newRow("the day before a Wood Rat day wraps to 59")
        << QDate(2023, 12, 31) << 59 << u"癸亥"_s << u"Water Pig"_s;
}

void TestDayChart::stemBranch()
{
    QFETCH(QDate, date);
    QFETCH(int, index);
    QFETCH(QString, characters);
    QFETCH(QString, name);

    const auto day = DayStemBranch(date);
    QVERIFY(day.has_value());
    QCOMPARE(day->index, index);
    QCOMPARE(StemBranchCharacters(*day), characters);
    QCOMPARE(StemBranchName(*day), name);
}

void TestDayChart::dayStar_data()
{
    QTest::addColumn<Solstices>("given");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("star");
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<bool>("moved");

    // The worked example: the period from 24 May 2031 descends from 9; the December 2031
    // solstice (K = 32) would begin the next on 19 January 2032, 240 days later, so it begins on
    // 20 December 2031 at 7, ascending.
    QTest::newRow("24 May 2031 opens at 9")
        << Around2031 << QDate(2031, 5, 24) << 9 << false << false;
    QTest::newRow("19 December 2031") << Around2031 << QDate(2031, 12, 19) << 7 << false << false;
    QTest::newRow("20 December 2031 moved")
        << Around2031 << QDate(2031, 12, 20) << 7 << true << true;
    QTest::newRow("22 December 2031") << Around2031 << QDate(2031, 12, 22) << 9 << true << true;
    QTest::newRow("19 January 2032") << Around2031 << QDate(2032, 1, 19) << 1 << true << true;
    QTest::newRow("20 January 2032") << Around2031 << QDate(2032, 1, 20) << 2 << true << true;
    QTest::newRow("23 May 2031, end of an ascending period")
        << Around2031 << QDate(2031, 5, 23) << 9 << true << false;

    // A moved June beginning: the December 2019 period from 23 November 2019 (K = 29) ascends;
    // the June 2020 solstice (K = 31) would begin the next on 20 July 2020, so it begins on
    // 20 June 2020 at 3, descending, and the next on 16 January 2021.
    QTest::newRow("23 November 2019 opens at 1")
        << Around2020 << QDate(2019, 11, 23) << 1 << true << false;
    QTest::newRow("19 June 2020") << Around2020 << QDate(2020, 6, 19) << 3 << true << false;
    QTest::newRow("20 June 2020 moved") << Around2020 << QDate(2020, 6, 20) << 3 << false << true;
    QTest::newRow("15 January 2021") << Around2020 << QDate(2021, 1, 15) << 1 << false << true;
    QTest::newRow("16 January 2021 opens at 1")
        << Around2020 << QDate(2021, 1, 16) << 1 << true << false;
    QTest::newRow("a Wood Rat solstice begins its own period")
        << Solstices{{QDate(1899, 6, 22), Solstice::June},
                     {QDate(1899, 12, 22), Solstice::December}}
        << QDate(1899, 12, 22) << 1 << true << false;
}

void TestDayChart::dayStar()
{
    QFETCH(Solstices, given);
    QFETCH(QDate, date);
    QFETCH(int, star);
    QFETCH(bool, ascending);
    QFETCH(bool, moved);

    const auto day = DayStarFrom(date, given);
    QVERIFY(day.has_value());
    QCOMPARE(day->star, star);
    QCOMPARE(day->ascending, ascending);
    QCOMPARE(day->period.moved, moved);
    QCOMPARE(DayStemBranch(day->period.begins)->index, moved ? 30 : 0);
}

void TestDayChart::periodLengths_data()
{
    QTest::addColumn<Solstices>("given");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("days");

    QTest::newRow("before a moved December") << Around2031 << QDate(2031, 5, 24) << 210;
    QTest::newRow("after a moved December") << Around2031 << QDate(2031, 12, 20) << 210;
    QTest::newRow("before a moved June") << Around2020 << QDate(2019, 11, 23) << 210;
    QTest::newRow("a plain period") << Around2031 << QDate(2030, 11, 25) << 180;
}

// The star runs on without a jump to the last day of a period, and the next begins after the
// given number of days.
void TestDayChart::periodLengths()
{
    QFETCH(Solstices, given);
    QFETCH(QDate, from);
    QFETCH(int, days);

    const auto first = DayStarFrom(from, given);
    QVERIFY(first.has_value());
    QCOMPARE(first->period.begins, from);
    for (int day = 1; day < days; ++day) {
        const auto star = DayStarFrom(from.addDays(day), given);
        QVERIFY(star.has_value());
        QCOMPARE(star->period.begins, from);
    }
    const auto next = DayStarFrom(from.addDays(days), given);
    QVERIFY(next.has_value());
    QCOMPARE(next->period.begins, from.addDays(days));
    QVERIFY(next->ascending != first->ascending);
}

void TestDayChart::refused_data()
{
    QTest::addColumn<Solstices>("given");
    QTest::addColumn<QDate>("date");

    QTest::newRow("invalid date") << Around2031 << QDate();
    QTest::newRow("before the first period") << Around2031 << QDate(2030, 1, 1);
    QTest::newRow("past the last period's shortest length") << Around2031 << QDate(2033, 2, 1);
    QTest::newRow("one solstice alone") << solstices({QDate(2031, 12, 22)}) << QDate(2031, 6, 30);
    QTest::newRow("two Junes in a row")
        << Solstices{{QDate(2030, 6, 21), Solstice::June}, {QDate(2031, 6, 21), Solstice::June}}
        << QDate(2031, 6, 30);
    QTest::newRow("a month apart")
        << Solstices{{QDate(2031, 5, 21), Solstice::December}, {QDate(2031, 6, 21), Solstice::June}}
        << QDate(2031, 6, 30);
}

void TestDayChart::refused()
{
    QFETCH(Solstices, given);
    QFETCH(QDate, date);
    QVERIFY(!DayStarFrom(date, given).has_value());
}

// 20 December 2031 is a Wood Horse day with 7 in the Centre: the Horse stands in the South, so the
// day Breaker is North, where a person of 3 stands too.
void TestDayChart::dayChart()
{
    const auto star = DayStarFrom(QDate(2031, 12, 20), Around2031);
    QVERIFY(star.has_value());
    const auto day = DayStemBranch(QDate(2031, 12, 20));
    QCOMPARE(day->index, 30);
    const auto chart = DayChart(3, *star, *day);
    QVERIFY(chart.has_value());
    QCOMPARE(chart->centre, 7);
    QCOMPARE(chart->avoided(Avoid::Breaker), std::optional<Palace>(Palace::N));
    QCOMPARE(chart->palace, Palace::N);
    QVERIFY(!DayChart(0, *star, *day).has_value());

    const auto month = MakeChart(3, 1, 0);
    const auto both = FavourableInBoth(*chart, *month);
    for (const Palace palace : Palaces)
        QCOMPARE(both.contains(palace), chart->isFavourable(palace) && month->isFavourable(palace));
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestDayChart)
#include "tst_daychart.moc"
