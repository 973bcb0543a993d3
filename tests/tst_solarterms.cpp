#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include <erfa.h>
#include <erfam.h>

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QTest>
#include <QTimeZone>

#include "engine/solarterms.h"
#include "engine/timezones.h"
#include "reading/readingoptions.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr double ArcsecondsPerDegree = 3600.0;

QTimeZone zoneNamed(const char* id)
{
    const QTimeZone zone{QByteArray(id)};
    if (!zone.isValid())
        qFatal("the time zone %s is not installed (Debian tzdata)", id);
    return zone;
}

// A second computation of the Sun's apparent longitude by another road than the program's: the
// IAU 2006 precession to the mean ecliptic of date plus the IAU 2000A nutation in longitude.
double otherLongitude(double days)
{
    double pvh[2][3];
    double pvb[2][3];
    eraEpv00(ERFA_DJ00, days, pvh, pvb);
    double sun[3];
    eraSxp(-1.0, pvh[0], sun);
    double distance = 0;
    double direction[3];
    eraPn(sun, &distance, direction);
    double velocity[3];
    eraSxp(ERFA_AULT / ERFA_DAYSEC, pvb[1], velocity);
    const double speed = eraPm(velocity);
    double apparent[3];
    eraAb(direction, velocity, distance, std::sqrt(1.0 - speed * speed), apparent);
    double toEcliptic[3][3];
    eraEcm06(ERFA_DJ00, days, toEcliptic);
    double ecliptic[3];
    eraRxp(toEcliptic, apparent, ecliptic);
    double dpsi = 0;
    double deps = 0;
    eraNut06a(ERFA_DJ00, days, &dpsi, &deps);
    const double degrees = (std::atan2(ecliptic[1], ecliptic[0]) + dpsi) * ERFA_DR2D;
    return std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0);
}

// The same instant by bisection, bracketed from the calendar alone (the terms come about every
// 15.2 days from 6 January), then turned into UTC seconds with the program's TT - UT.
qint64 otherInstant(int year, int index)
{
    double djm0 = 0;
    double djm = 0;
    eraCal2jd(year, 1, 1, &djm0, &djm);
    const double guess = djm0 + djm - ERFA_DJ00 + 5.5 + index * 365.2422 / 24;
    const double target = SolarTermNameAt(index).longitude;
    // Before the term the Sun is short of the target: a negative difference in -180..180.
    const auto past = [target](double days) {
        return std::fmod(otherLongitude(days) - target + 540.0, 360.0) - 180.0 >= 0;
    };
    double low = guess - 4;
    double high = guess + 4;
    if (past(low) || !past(high))
        qFatal("no bracket for term %d of %d", index, year);
    while (high - low > 1e-7) {
        const double middle = (low + high) / 2;
        (past(middle) ? high : low) = middle;
    }
    const double tt = (low + high) / 2;
    const double ut = tt - DeltaTSeconds(2000.0 + tt / 365.25) / ERFA_DAYSEC;
    return std::llround((ERFA_DJ00 - 2440587.5 + ut) * ERFA_DAYSEC);
}

QDateTime local(int year, int index, const QTimeZone& zone)
{
    return SolarTermInstant(year, index).toTimeZone(zone);
}

} // namespace

class TestSolarTerms : public QObject {
    Q_OBJECT

private slots:
    void names();
    void meeusExample();
    void deltaT_data();
    void deltaT();
    void publishedInstants_data();
    void publishedInstants();
    void localDates_data();
    void localDates();
    void outOfRange();
    void agreesWithAnIndependentComputation();
    void monthTerms();
    void timeZones_data();
    void timeZones();
    void everyQuarterHourOffset();
};

void TestSolarTerms::names()
{
    QCOMPARE(SolarTermNameAt(0).name, u"Minor Cold");
    QCOMPARE(SolarTermNameAt(0).longitude, 285);
    QCOMPARE(SolarTermNameAt(2).characters, u"立春");
    QCOMPARE(SolarTermNameAt(5).longitude, 0);
    QCOMPARE(SolarTermNameAt(11).name, u"Summer Solstice");
    QCOMPARE(SolarTermNameAt(11).longitude, 90);
    QCOMPARE(SolarTermNameAt(23).name, u"Winter Solstice");
    QCOMPARE(SolarTermNameAt(23).characters, u"冬至");
}

// Meeus, Astronomical Algorithms, example 25.b: 13 October 1992, 0h TT.
void TestSolarTerms::meeusExample()
{
    const double longitude = SunApparentLongitude(2448908.5, 0.0);
    QVERIFY2(std::abs(longitude - 199.90599) * ArcsecondsPerDegree < 0.1,
             qPrintable(QString::number(longitude, 'f', 7)));
}

void TestSolarTerms::deltaT_data()
{
    QTest::addColumn<double>("year");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<double>("tolerance");
    // Observed values (Espenak and Meeus's table), which the polynomials follow to a few tenths,
    // one inside each polynomial; then the extrapolation, which meets itself at 2050.
    QTest::newRow("1910 observed") << 1910.0 << 10.38 << 0.2;
    QTest::newRow("1930 observed") << 1930.0 << 24.02 << 0.2;
    QTest::newRow("1950 observed") << 1950.0 << 29.07 << 0.2;
    QTest::newRow("1960 observed") << 1960.0 << 33.15 << 0.2;
    QTest::newRow("1975 observed") << 1975.0 << 45.48 << 0.2;
    QTest::newRow("1990 observed") << 1990.0 << 56.86 << 0.2;
    QTest::newRow("2000 observed") << 2000.0 << 63.83 << 0.2;
    QTest::newRow("2005 from the left") << 2004.9999 << 64.72 << 0.01;
    QTest::newRow("2005 from the right") << 2005.0 << 64.67 << 0.01;
    QTest::newRow("2050 from the left") << 2049.9999 << 93.0 << 0.01;
    QTest::newRow("2050 from the right") << 2050.0 << 93.0 << 0.01;
    QTest::newRow("2100") << 2100.0 << 202.74 << 0.01;
}

void TestSolarTerms::deltaT()
{
    QFETCH(double, year);
    QFETCH(double, seconds);
    QFETCH(double, tolerance);
    QVERIFY2(std::abs(DeltaTSeconds(year) - seconds) <= tolerance,
             qPrintable(QString::number(DeltaTSeconds(year))));
}

void TestSolarTerms::publishedInstants_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("index");
    QTest::addColumn<QDateTime>("published");
    const QTimeZone tokyo = zoneNamed("Asia/Tokyo");
    // NAOJ's almanac, to the minute in Japan time.
    QTest::newRow("2026 Start of Spring")
        << 2026 << 2 << QDateTime(QDate(2026, 2, 4), QTime(5, 2), tokyo);
    QTest::newRow("2026 Summer Solstice")
        << 2026 << 11 << QDateTime(QDate(2026, 6, 21), QTime(17, 24), tokyo);
    QTest::newRow("2013 Clear and Bright")
        << 2013 << 6 << QDateTime(QDate(2013, 4, 5), QTime(0, 2), tokyo);
    QTest::newRow("2021 Start of Spring")
        << 2021 << 2 << QDateTime(QDate(2021, 2, 3), QTime(23, 59), tokyo);
}

// The published minute truncates the instant: ours falls in it, give or take the 60 seconds
// the terms are held to.
void TestSolarTerms::publishedInstants()
{
    QFETCH(int, year);
    QFETCH(int, index);
    QFETCH(QDateTime, published);
    const QDateTime instant = SolarTermInstant(year, index);
    QCOMPARE(instant.timeSpec(), Qt::UTC);
    const qint64 early = published.secsTo(instant);
    QVERIFY2(early > -60 && early < 120, qPrintable(instant.toString(Qt::ISODate)));
}

void TestSolarTerms::localDates_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDate>("date");
    QTest::newRow("2021 Start of Spring, Japan")
        << 2021 << 2 << "Asia/Tokyo"_ba << QDate(2021, 2, 3);
    QTest::newRow("2025 Start of Spring, Japan")
        << 2025 << 2 << "Asia/Tokyo"_ba << QDate(2025, 2, 3);
    QTest::newRow("2026 Start of Spring, Japan")
        << 2026 << 2 << "Asia/Tokyo"_ba << QDate(2026, 2, 4);
    QTest::newRow("2026 Start of Spring, UTC") << 2026 << 2 << "UTC"_ba << QDate(2026, 2, 3);
    QTest::newRow("2013 Clear and Bright, Japan")
        << 2013 << 6 << "Asia/Tokyo"_ba << QDate(2013, 4, 5);
    QTest::newRow("2013 Clear and Bright, UTC") << 2013 << 6 << "UTC"_ba << QDate(2013, 4, 4);
    QTest::newRow("2013 Clear and Bright, fixed offset")
        << 2013 << 6 << "UTC+09:00"_ba << QDate(2013, 4, 5);
    // 15:02 UTC: in New York 11:02 under daylight saving time.
    QTest::newRow("2013 Clear and Bright, New York")
        << 2013 << 6 << "America/New_York"_ba << QDate(2013, 4, 4);
    QTest::newRow("1900 Minor Cold, Japan") << 1900 << 0 << "Asia/Tokyo"_ba << QDate(1900, 1, 6);
    QTest::newRow("2100 Winter Solstice, UTC") << 2100 << 23 << "UTC"_ba << QDate(2100, 12, 21);
}

void TestSolarTerms::localDates()
{
    QFETCH(int, year);
    QFETCH(int, index);
    QFETCH(QByteArray, zone);
    QFETCH(QDate, date);
    const QTimeZone timeZone = zoneNamed(zone.constData());
    QCOMPARE(SolarTermLocalDate(year, index, timeZone), date);
    QCOMPARE(local(year, index, timeZone).date(), date);
    const auto instant = SolarTermLocalInstant(year, index, timeZone);
    QVERIFY(instant.has_value());
    QCOMPARE(instant->localDate(), date);
    QCOMPARE(instant->localDateTime(), SolarTermInstant(year, index));
    QCOMPARE(instant->localDateTime().offsetFromUtc(),
             timeZone.offsetFromUtc(SolarTermInstant(year, index)));
}

void TestSolarTerms::outOfRange()
{
    const QTimeZone utc = zoneNamed("UTC");
    QVERIFY(!SolarTermInstant(1899, 23).isValid());
    QVERIFY(!SolarTermInstant(2101, 0).isValid());
    QVERIFY(!SolarTermInstant(2026, -1).isValid());
    QVERIFY(!SolarTermInstant(2026, 24).isValid());
    QVERIFY(!SolarTermLocalDate(1899, 0, utc).isValid());
    QVERIFY(!SolarTermLocalDate(2026, 24, utc).isValid());
    QVERIFY(!SolarTermLocalDate(2026, 2, QTimeZone()).isValid());
    QVERIFY(SolarTermInstant(1900, 0).isValid());
    QVERIFY(SolarTermInstant(2100, 23).isValid());
    // The year ahead's first and last days reach one year beyond the range.
    QVERIFY(SolarTermLocalInstant(1899, 23, utc).has_value());
    QVERIFY(SolarTermLocalInstant(2101, 2, utc).has_value());
    QVERIFY(!SolarTermLocalInstant(1898, 23, utc).has_value());
    QVERIFY(!SolarTermLocalInstant(2102, 0, utc).has_value());
    QVERIFY(!SolarTermLocalInstant(2026, 24, utc).has_value());
    QVERIFY(!SolarTermLocalInstant(2026, 2, QTimeZone()).has_value());
}

// Every year against the other computation for the terms that begin the year and a quarter of
// it; KISTARRA_ALL_SOLAR_TERMS=1 compares all 24 of every year (about a minute). The local dates
// agree in Japan time, UTC and New York except for a term within two minutes of midnight.
void TestSolarTerms::agreesWithAnIndependentComputation()
{
    const bool all = qEnvironmentVariableIntValue("KISTARRA_ALL_SOLAR_TERMS") == 1;
    const std::vector<int> sample = {2, 5, 11, 17, 23};
    const std::vector<QTimeZone> zones = {zoneNamed("Asia/Tokyo"), zoneNamed("UTC"),
                                          zoneNamed("America/New_York")};
    qint64 largest = 0;
    for (int year = SolarTermsFirstYear; year <= SolarTermsLastYear; ++year) {
        for (int index = 0; index < SolarTermCount; ++index) {
            if (!all && std::find(sample.begin(), sample.end(), index) == sample.end())
                continue;
            const qint64 other = otherInstant(year, index);
            const qint64 ours = SolarTermInstant(year, index).toSecsSinceEpoch();
            largest = std::max(largest, std::abs(ours - other));
            QVERIFY2(std::abs(ours - other) <= 2,
                     qPrintable(u"%1 term %2: %3 s"_s.arg(year).arg(index).arg(ours - other)));
            for (const QTimeZone& zone : zones) {
                const QDateTime otherLocal = QDateTime::fromSecsSinceEpoch(other, zone);
                const int fromMidnight = otherLocal.time().msecsSinceStartOfDay() / 1000;
                if (fromMidnight < 120 || fromMidnight > 86400 - 120)
                    continue;
                QCOMPARE(SolarTermLocalDate(year, index, zone), otherLocal.date());
            }
        }
    }
    qInfo("largest difference from the other computation: %lld s", largest);
}

void TestSolarTerms::monthTerms()
{
    QCOMPARE(SolarMonthTermIndex(1), 2);
    QCOMPARE(SolarTermNameAt(SolarMonthTermIndex(5)).name, u"Grain in Ear");
    QCOMPARE(SolarTermNameAt(SolarMonthTermIndex(11)).name, u"Major Snow");
    QCOMPARE(SolarTermNameAt(SolarMonthTermIndex(12)).name, u"Minor Cold");
    QCOMPARE(SolarMonthTermIndex(0), -1);
    QCOMPARE(SolarMonthTermIndex(13), -1);
}

void TestSolarTerms::timeZones_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("known");
    QTest::newRow("IANA name") << u"Asia/Tokyo"_s << true;
    QTest::newRow("UTC") << u"UTC"_s << true;
    QTest::newRow("fixed offset") << u"UTC+09:00"_s << true;
    QTest::newRow("negative half hour") << u"UTC-03:30"_s << true;
    QTest::newRow("an older name, a link") << u"US/Eastern"_s << true;
    QTest::newRow("Etc/UTC") << u"Etc/UTC"_s << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("no such zone") << u"Mars/Olympus_Mons"_s << false;
    QTest::newRow("offset without minutes") << u"UTC+9"_s << false;
    QTest::newRow("lower case") << u"asia/tokyo"_s << false;
    QTest::newRow("POSIX rule") << u"JST-9"_s << false;
    QTest::newRow("a path out of the database") << u"../../../etc/passwd"_s << false;
    QTest::newRow("an absolute path") << u"/etc/localtime"_s << false;
    QTest::newRow("a folder of the database") << u"America"_s << false;
    QTest::newRow("a device") << u"../../../dev/zero"_s << false;
    QTest::newRow("not Latin") << u"Asia/\u6771\u4eac"_s << false;
}

void TestSolarTerms::timeZones()
{
    QFETCH(QString, id);
    QFETCH(bool, known);
    const auto zone = TimeZoneFromId(id);
    QCOMPARE(zone.has_value(), known);
    if (zone)
        QVERIFY(zone->isValid());
    // A stored choice that names no zone means the computer's own.
    QCOMPARE((ReadingOptions{YearRule::Calendar, id.toLatin1()}.zone()),
             known ? *zone : QTimeZone::systemTimeZone());
}

// Every "UTC+HH:MM" and "UTC-HH:MM" up to 15:59: a zone of that many seconds when it lies
// within 14 hours and its minutes are whole quarter hours (Eucla's +08:45, Chatham's +12:45),
// and no zone otherwise, whether Qt's own list has the offset or not.
void TestSolarTerms::everyQuarterHourOffset()
{
    for (int offset = 1 - 16 * 60; offset < 16 * 60; ++offset) {
        const int minutes = std::abs(offset);
        const QString id = u"UTC%1%2:%3"_s.arg(offset < 0 ? u"-"_s : u"+"_s)
                               .arg(minutes / 60, 2, 10, QChar(u'0'))
                               .arg(minutes % 60, 2, 10, QChar(u'0'));
        const auto zone = TimeZoneFromId(id);
        QVERIFY2(zone.has_value() == (minutes % 15 == 0 && minutes <= 14 * 60), qPrintable(id));
        QVERIFY(!zone || (zone->offsetFromUtc(QDateTime::currentDateTimeUtc()) == offset * 60 &&
                          zone->id() == id.toLatin1()));
    }
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestSolarTerms)
#include "tst_solarterms.moc"
