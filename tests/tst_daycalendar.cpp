#include <optional>

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QTest>
#include <QTimeZone>

#include "engine/daycalendar.h"
#include "engine/solarterms.h"
#include "reading/calendartext.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

const QDate FirstDay(1900, 1, 1);
const QDate LastDay(2100, 12, 31);

QTimeZone zoneNamed(const QString& id)
{
    return QTimeZone(id.toUtf8());
}

// The solstice's local date the plain way: its UTC instant turned into a local date by QDateTime.
QDate solsticeDate(int year, bool december, const QTimeZone& zone)
{
    const auto local = SolarTermLocalInstant(
        year, december ? SolarTerm::WinterSolstice : SolarTerm::SummerSolstice, zone);
    if (!local)
        qFatal("no solstice in %d", year);
    return QDateTime::fromSecsSinceEpoch(local->utcSeconds, zone).date();
}

// A day-by-day walk of 1900..2100 written straight from the rule, sharing nothing with the
// program but the solstices' instants: each day's cycle index counted on from 1 January 1900
// (甲戌, 10); each period's first day searched for day by day from its solstice; the star
// carried on by one each day and set anew on each first day.
struct Walk {
    QList<QDate> dates;
    QList<int> indexes;
    QList<int> stars;
    QList<bool> ascending;
};

QDate nearestWoodRat(QDate solstice, QDate firstDay, int firstIndex)
{
    const auto indexOf = [&](QDate d) {
        return static_cast<int>(((firstDay.daysTo(d) + firstIndex) % 60 + 60) % 60);
    };
    for (int back = 0; back <= 29; ++back) {
        if (indexOf(solstice.addDays(-back)) == 0)
            return solstice.addDays(-back);
    }
    for (int on = 1; on <= 30; ++on) {
        if (indexOf(solstice.addDays(on)) == 0)
            return solstice.addDays(on);
    }
    qFatal("no Wood Rat day near %s", qPrintable(solstice.toString(Qt::ISODate)));
}

Walk walk(const QTimeZone& zone)
{
    struct Beginning {
        QDate day;
        int star;
        bool ascending;
    };
    QList<Beginning> beginnings;
    QDate previous;
    for (int year = 1899; year <= 2100; ++year) {
        for (const bool december : {false, true}) {
            const QDate nominal = nearestWoodRat(solsticeDate(year, december, zone), FirstDay, 10);
            if (previous.isValid() && previous.daysTo(nominal) == 240)
                beginnings.append({nominal.addDays(-30), december ? 7 : 3, december});
            else if (previous.isValid())
                beginnings.append({nominal, december ? 1 : 9, december});
            previous = nominal;
        }
    }
    Walk result;
    int star = 0;
    bool up = true;
    qsizetype next = 0;
    int index = 10;
    for (QDate day = beginnings.first().day; day <= LastDay; day = day.addDays(1)) {
        if (next < beginnings.size() && beginnings[next].day == day) {
            star = beginnings[next].star;
            up = beginnings[next].ascending;
            ++next;
        } else {
            star = up ? star % 9 + 1 : (star + 7) % 9 + 1;
        }
        if (day >= FirstDay) {
            result.dates.append(day);
            result.indexes.append(index);
            result.stars.append(star);
            result.ascending.append(up);
            index = (index + 1) % 60;
        }
    }
    return result;
}

} // namespace

class TestDayCalendar : public QObject {
    Q_OBJECT

private slots:
    void movedBeginningsInJapan();
    void everyDay_data();
    void everyDay();
    void month_data();
    void month();
    void refused_data();
    void refused();
    void text();
};

void TestDayCalendar::movedBeginningsInJapan()
{
    const QStringList expected = {
        u"1905-12-21"_s, u"1917-06-21"_s, u"1928-12-20"_s, u"1939-12-23"_s, u"1951-12-20"_s,
        u"1962-12-22"_s, u"1974-06-22"_s, u"1985-12-21"_s, u"1997-06-21"_s, u"2008-12-20"_s,
        u"2020-06-20"_s, u"2031-12-20"_s, u"2042-12-22"_s, u"2054-12-19"_s, u"2065-12-21"_s,
        u"2077-06-21"_s, u"2088-12-20"_s, u"2100-06-21"_s};
    const QTimeZone tokyo = zoneNamed(u"Asia/Tokyo"_s);
    QStringList moved;
    for (QDate day = FirstDay; day <= LastDay; day = day.addDays(1)) {
        const auto star = DayStarOf(day, tokyo);
        QVERIFY2(star.has_value(), qPrintable(day.toString(Qt::ISODate)));
        if (star->period.moved && star->period.begins == day)
            moved << day.toString(Qt::ISODate);
    }
    QCOMPARE(moved, expected);
}

void TestDayCalendar::everyDay_data()
{
    QTest::addColumn<QString>("zone");
    QTest::newRow("Japan") << u"Asia/Tokyo"_s;
    QTest::newRow("UTC") << u"UTC"_s;
    QTest::newRow("New York, with daylight saving time") << u"America/New_York"_s;
}

// Every day of 1900..2100: the stem and branch and the day star as the walk has them.
void TestDayCalendar::everyDay()
{
    QFETCH(QString, zone);
    const QTimeZone timeZone = zoneNamed(zone);
    QVERIFY(timeZone.isValid());
    const Walk expected = walk(timeZone);
    QCOMPARE(expected.dates.first(), FirstDay);
    QCOMPARE(expected.dates.last(), LastDay);
    for (qsizetype i = 0; i < expected.dates.size(); ++i) {
        const QDate day = expected.dates[i];
        const auto star = DayStarOf(day, timeZone);
        QVERIFY2(star.has_value(), qPrintable(day.toString(Qt::ISODate)));
        if (star->star != expected.stars[i] || star->ascending != expected.ascending[i] ||
            DayStemBranch(day)->index != expected.indexes[i])
            QFAIL(qPrintable(
                u"%1: star %2 %3, index %4; the walk has %5 %6, %7"_s.arg(day.toString(Qt::ISODate))
                    .arg(star->star)
                    .arg(star->ascending)
                    .arg(DayStemBranch(day)->index)
                    .arg(expected.stars[i])
                    .arg(expected.ascending[i])
                    .arg(expected.indexes[i])));
    }
}

void TestDayCalendar::month_data()
{
    QTest::addColumn<int>("principal");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<int>("days");
    QTest::addColumn<QStringList>("moves"); // solar year-month from day
    QTest::addColumn<QStringList>("terms"); // day: name local time

    QTest::newRow("June 2026 in Japan")
        << 3 << 2026 << 6 << u"Asia/Tokyo"_s << 30
        << QStringList{u"2026-4 from 1"_s, u"2026-5 from 6"_s}
        << QStringList{u"6: Grain in Ear 00:48"_s, u"21: Summer Solstice 17:25"_s};
    QTest::newRow("February 1900, the first month")
        << 1 << 1900 << 2 << u"Asia/Tokyo"_s << 28
        << QStringList{u"1899-12 from 1"_s, u"1900-1 from 4"_s}
        << QStringList{u"4: Start of Spring 14:51"_s, u"19: Rain Water 11:01"_s};
    QTest::newRow("December 2100, the last month")
        << 9 << 2100 << 12 << u"UTC"_s << 31
        << QStringList{u"2100-10 from 1"_s, u"2100-11 from 7"_s}
        << QStringList{u"7: Major Snow 01:42"_s, u"21: Winter Solstice 19:53"_s};
}

// The month's days, its solar months with their move directions, and its terms; every day's
// journey is what its month chart and its day chart both favour.
void TestDayCalendar::month()
{
    QFETCH(int, principal);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QString, zone);
    QFETCH(int, days);
    QFETCH(QStringList, moves);
    QFETCH(QStringList, terms);

    const auto calendar = ComputeMonthCalendar(principal, year, month, zoneNamed(zone));
    QVERIFY(calendar.has_value());
    QCOMPARE(calendar->dayCount, days);
    QStringList givenMoves;
    for (const MoveDirections& move : calendar->monthMoves()) {
        givenMoves
            << u"%1-%2 from %3"_s.arg(move.solar.year).arg(move.solar.month).arg(move.from.day());
        for (const Palace palace : Palaces)
            QCOMPARE(move.move.contains(palace),
                     move.year.isFavourable(palace) && move.month.isFavourable(palace));
    }
    QCOMPARE(givenMoves, moves);
    QStringList givenTerms;
    QDate expectedDate(year, month, 1);
    for (const CalendarDay& day : calendar->monthDays()) {
        QCOMPARE(day.date, expectedDate);
        expectedDate = expectedDate.addDays(1);
        QCOMPARE(day.star, *DayStarOf(day.date, zoneNamed(zone)));
        const MoveDirections& move = calendar->moves[static_cast<std::size_t>(day.moveIndex)];
        QCOMPARE(move.solar, TrueSolarMonthOf(day.date, zoneNamed(zone))->solar);
        QCOMPARE(day.chart.centre, day.star.star);
        for (const Palace palace : Palaces)
            QCOMPARE(day.journey.contains(palace),
                     day.chart.isFavourable(palace) && move.month.isFavourable(palace));
        for (const TermOnDay& term : day.dayTerms())
            givenTerms << QString::number(day.date.day()) % u": "_s % TermText(term);
    }
    QCOMPARE(givenTerms, terms);
}

void TestDayCalendar::refused_data()
{
    QTest::addColumn<int>("principal");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("zone");

    QTest::newRow("January 1900") << 1 << 1900 << 1 << u"UTC"_s;
    QTest::newRow("January 2101") << 1 << 2101 << 1 << u"UTC"_s;
    QTest::newRow("month 13") << 1 << 2026 << 13 << u"UTC"_s;
    QTest::newRow("month 0") << 1 << 2026 << 0 << u"UTC"_s;
    QTest::newRow("principal 0") << 0 << 2026 << 6 << u"UTC"_s;
    QTest::newRow("principal 10") << 10 << 2026 << 6 << u"UTC"_s;
    QTest::newRow("no such zone") << 1 << 2026 << 6 << u"Mars/Olympus"_s;
}

void TestDayCalendar::refused()
{
    QFETCH(int, principal);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QString, zone);
    QVERIFY(!ComputeMonthCalendar(principal, year, month, zoneNamed(zone)).has_value());
    // What is refused for the person is refused for the partner too.
    QVERIFY(!ComputeMonthCalendar(1, year, month, zoneNamed(zone), principal).has_value());
}

void TestDayCalendar::text()
{
    const auto calendar = ComputeMonthCalendar(3, 2026, 6, zoneNamed(u"Asia/Tokyo"_s));
    QVERIFY(calendar.has_value());
    const QString text = CalendarText(*calendar);
    const QStringList lines = text.split(u'\n');
    QCOMPARE(lines.first(), u"Nine Star Ki Calendar: June 2026"_s);
    QVERIFY2(text.contains(u"\nMon  1  star "_s), qPrintable(text));
    QCOMPARE(CalendarDayName(calendar->days[0]).left(44),
             u"Monday 1 June 2026, star %1, Fire Horse, good"_s.arg(calendar->days[0].star.star));
    // With a partner: whose, the moves for both, and a column of the directions good for both that
    // keeps the terms in a column of their own.
    const QStringList forTwo =
        CalendarText(*ComputeMonthCalendar(3, 2026, 6, zoneNamed(u"Asia/Tokyo"_s), 6), u"Bob"_s)
            .split(u'\n');
    QCOMPARE((QStringList{forTwo.at(2), forTwo.at(7), forTwo.at(9), forTwo.at(15), forTwo.at(16)}),
             (QStringList{
                 u"Partner Bob, principal number 6"_s, u"Good for a move for both:"_s,
                 u"    From 6 June 2026, solar month 5, a Horse month: —"_s,
                 u"Fri  5  star 5 up    庚戌 Metal Dog       journey: N, S            both: N"_s,
                 u"Sat  6  star 6 up    辛亥 Metal Pig       journey: —               both: —"
                 u"                      Grain in Ear 00:48"_s}));
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestDayCalendar)
#include "tst_daycalendar.moc"
