#include <QDate>
#include <QObject>
#include <QString>
#include <QTest>
#include <QTimeZone>

#include "engine/calendarsigns.h"
#include "engine/daychart.h"
#include "reading/datetext.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

class TestCalendarSigns : public QObject {
    Q_OBJECT

private slots:
    void solarStemBranch_data();
    void solarStemBranch();
    void everySolarMonthAdvances();
    void avoidedWithReasons();
    void periodBeginnings_data();
    void periodBeginnings();
    void zoneWithOffset_data();
    void zoneWithOffset();
};

void TestCalendarSigns::solarStemBranch_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month"); // 0: the year itself
    QTest::addColumn<QString>("characters");
    QTest::addColumn<QString>("name");
    QTest::newRow("2026") << 2026 << 0 << u"丙午"_s << u"Fire Horse"_s;
    QTest::newRow("1900") << 1900 << 0 << u"庚子"_s << u"Metal Rat"_s;
    QTest::newRow("2024") << 2024 << 0 << u"甲辰"_s << u"Wood Dragon"_s;
    QTest::newRow("2026 month 11") << 2026 << 11 << u"庚子"_s << u"Metal Rat"_s;
    QTest::newRow("2026 month 10") << 2026 << 10 << u"己亥"_s << u"Earth Pig"_s;
    QTest::newRow("2026 month 1") << 2026 << 1 << u"庚寅"_s << u"Metal Tiger"_s;
    QTest::newRow("2024 month 1") << 2024 << 1 << u"丙寅"_s << u"Fire Tiger"_s;
    QTest::newRow("2025 month 1") << 2025 << 1 << u"戊寅"_s << u"Earth Tiger"_s;
    QTest::newRow("2028 month 12") << 2028 << 12 << u"乙丑"_s << u"Wood Ox"_s;
}

void TestCalendarSigns::solarStemBranch()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QString, characters);
    QFETCH(QString, name);
    const auto found =
        month == 0 ? std::optional(YearStemBranch(year)) : MonthStemBranch(SolarDate{year, month});
    QVERIFY(found);
    QCOMPARE(StemBranchCharacters(*found), characters);
    QCOMPARE(StemBranchName(*found), name);
}

// Counted on from 丙寅 (2) in solar month 1 of 2024, one place a month, so that every year's first
// month follows on from the year before's twelfth; and the year's branch its zodiac animal's.
void TestCalendarSigns::everySolarMonthAdvances()
{
    for (int year = 1900; year <= 2100; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const int counted = (((year - 2024) * 12 + month - 1 + 2) % 60 + 60) % 60;
            const auto found = MonthStemBranch({year, month});
            QVERIFY2(found && found->index == counted, qPrintable(u"%1-%2"_s.arg(year).arg(month)));
        }
        QCOMPARE(YearStemBranch(year).branch(), ((year - 4) % 12 + 12) % 12);
    }
    QVERIFY(!MonthStemBranch({2026, 13}));
}

// Principal number 3 in 2026: the Dark Sword and the Breaker both in the North.
void TestCalendarSigns::avoidedWithReasons()
{
    const auto chart = YearChart(3, 2026);
    QVERIFY(chart);
    const auto reasons = AvoidedDirections(*chart);
    const AvoidReasons north = reasons[PalaceIndex(Palace::N)];
    QVERIFY(north.has(Avoid::DarkSword) && north.has(Avoid::Breaker) && !north.has(Avoid::OwnStar));
    QVERIFY(reasons[PalaceIndex(Palace::S)].has(Avoid::FiveYellow));
    QVERIFY(reasons[PalaceIndex(Palace::W)].has(Avoid::OwnStar));
    QVERIFY(reasons[PalaceIndex(Palace::E)].has(Avoid::OppositeOwnStar));
    QVERIFY(!reasons[PalaceIndex(Palace::NE)].any());
}

void TestCalendarSigns::periodBeginnings_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("mark"); // -1 none, 0 ascending, 1 descending
    QTest::newRow("16 December 2026") << QDate(2026, 12, 16) << 0;
    QTest::newRow("15 December 2026") << QDate(2026, 12, 15) << -1;
    QTest::newRow("moved, 20 June 2020") << QDate(2020, 6, 20) << 1;
}

void TestCalendarSigns::periodBeginnings()
{
    QFETCH(QDate, date);
    QFETCH(int, mark);
    const auto calendar =
        ComputeMonthCalendar(3, date.year(), date.month(), QTimeZone("Asia/Tokyo"));
    QVERIFY(calendar);
    const auto found = PeriodBeginning(calendar->days[static_cast<std::size_t>(date.day() - 1)]);
    QCOMPARE(found ? static_cast<int>(*found) : -1, mark);
}

// The offset in force on the day the zone line speaks of.
void TestCalendarSigns::zoneWithOffset_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Tokyo") << QByteArray("Asia/Tokyo") << QDate(2026, 6, 1)
                           << u"Asia/Tokyo, UTC+09:00"_s;
    QTest::newRow("New York in winter")
        << QByteArray("America/New_York") << QDate(2026, 1, 15) << u"America/New_York, UTC-05:00"_s;
    QTest::newRow("New York in summer")
        << QByteArray("America/New_York") << QDate(2026, 7, 15) << u"America/New_York, UTC-04:00"_s;
    QTest::newRow("half an hour") << QByteArray("Asia/Kolkata") << QDate(2026, 7, 15)
                                  << u"Asia/Kolkata, UTC+05:30"_s;
    QTest::newRow("local mean time, seconds") << QByteArray("America/New_York") << QDate(1880, 1, 1)
                                              << u"America/New_York, UTC-04:56:02"_s;
}

void TestCalendarSigns::zoneWithOffset()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDate, day);
    QFETCH(QString, shown);
    QCOMPARE(ZoneWithOffset(QTimeZone(zone), day), shown);
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestCalendarSigns)
#include "tst_calendarsigns.moc"
