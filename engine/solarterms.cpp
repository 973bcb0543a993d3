#include "engine/solarterms.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <mutex>

#include <erfa.h>
#include <erfam.h>

#include "engine/deltat.h"

namespace Kistarra {

namespace {

constexpr std::array<SolarTermName, SolarTermCount> TermNames = {{
    {285, u"Minor Cold", u"小寒"},
    {300, u"Major Cold", u"大寒"},
    {315, u"Start of Spring", u"立春"},
    {330, u"Rain Water", u"雨水"},
    {345, u"Awakening of Insects", u"啓蟄"},
    {0, u"Spring Equinox", u"春分"},
    {15, u"Clear and Bright", u"清明"},
    {30, u"Grain Rain", u"穀雨"},
    {45, u"Start of Summer", u"立夏"},
    {60, u"Grain Full", u"小満"},
    {75, u"Grain in Ear", u"芒種"},
    {90, u"Summer Solstice", u"夏至"},
    {105, u"Minor Heat", u"小暑"},
    {120, u"Major Heat", u"大暑"},
    {135, u"Start of Autumn", u"立秋"},
    {150, u"End of Heat", u"処暑"},
    {165, u"White Dew", u"白露"},
    {180, u"Autumn Equinox", u"秋分"},
    {195, u"Cold Dew", u"寒露"},
    {210, u"Frost's Descent", u"霜降"},
    {225, u"Start of Winter", u"立冬"},
    {240, u"Minor Snow", u"小雪"},
    {255, u"Major Snow", u"大雪"},
    {270, u"Winter Solstice", u"冬至"},
}};

constexpr bool termsStepFifteenDegrees()
{
    for (std::size_t i = 0; i < TermNames.size(); ++i) {
        if (TermNames[i].longitude != (285 + 15 * static_cast<int>(i)) % 360)
            return false;
    }
    return true;
}
static_assert(termsStepFifteenDegrees());

// The years kept: the range and one on either side.
constexpr int FirstKeptYear = SolarTermsFirstYear - 1;
constexpr int LastKeptYear = SolarTermsLastYear + 1;
constexpr int YearCount = LastKeptYear - FirstKeptYear + 1;

// The Julian date of 1970-01-01 0h, the start of the seconds QDateTime counts.
constexpr double UnixEpochJd = 2440587.5;

// The Sun's mean longitude at J2000.0 and its mean motion in degrees a day: only the first guess
// of each term, which Newton's method then corrects.
constexpr double MeanLongitudeJ2000 = 280.46646;
constexpr double MeanMotion = 36000.76983 / 36525.0;

// Newton's steps stop once a step is this short (in days): the step after would be a
// thousandth of it, well below a second.
constexpr double StepTolerance = 1e-3;
constexpr int MaxSteps = 12;

double wrapDegrees(double degrees)
{
    const double wrapped = std::fmod(degrees, 360.0);
    return wrapped < 0 ? wrapped + 360.0 : wrapped;
}

// -180..180: how far the longitude still has to go to reach the target.
double degreesShort(double target, double longitude)
{
    return wrapDegrees(target - longitude + 180.0) - 180.0;
}

struct SunState {
    double longitude; // degrees
    double rate;      // degrees a day
};

// The Sun's apparent longitude of date at ERFA_DJ00 + days (TT), and the rate of its geometric
// longitude, which is all Newton's method needs of the derivative.
SunState sunAt(double days)
{
    double pvh[2][3];
    double pvb[2][3];
    eraEpv00(ERFA_DJ00, days, pvh, pvb);

    // Geocentric direction of the Sun; the Earth's barycentric velocity in units of c.
    double sun[3];
    double sunVelocity[3];
    eraSxp(-1.0, pvh[0], sun);
    eraSxp(-1.0, pvh[1], sunVelocity);
    double distance = 0;
    double direction[3];
    eraPn(sun, &distance, direction);
    double velocity[3];
    eraSxp(ERFA_AULT / ERFA_DAYSEC, pvb[1], velocity);
    const double speed = eraPm(velocity);
    double apparent[3];
    eraAb(direction, velocity, distance, std::sqrt(1.0 - speed * speed), apparent);

    // To the true equator and equinox of date (IAU 2000B), then about the x axis by the true
    // obliquity to the ecliptic of date.
    double dpsi = 0;
    double deps = 0;
    double epsa = 0;
    double rb[3][3];
    double rp[3][3];
    double rbp[3][3];
    double rn[3][3];
    double rbpn[3][3];
    eraPn00b(ERFA_DJ00, days, &dpsi, &deps, &epsa, rb, rp, rbp, rn, rbpn);
    const double obliquity = epsa + deps;
    const double c = std::cos(obliquity);
    const double s = std::sin(obliquity);
    const auto toEcliptic = [&rbpn, c, s](double(&v)[3], double& x, double& y) {
        double ofDate[3];
        eraRxp(rbpn, v, ofDate);
        x = ofDate[0];
        y = c * ofDate[1] + s * ofDate[2];
    };

    double x = 0;
    double y = 0;
    toEcliptic(apparent, x, y);
    double px = 0;
    double py = 0;
    double vx = 0;
    double vy = 0;
    toEcliptic(sun, px, py);
    toEcliptic(sunVelocity, vx, vy);
    return {wrapDegrees(std::atan2(y, x) * ERFA_DR2D),
            (px * vy - py * vx) / (px * px + py * py) * ERFA_DR2D};
}

// The first moment (TT, days from J2000.0) of the calendar year, near enough: 1 January 0h.
double yearStartDays(int year)
{
    double djm0 = 0;
    double djm = 0;
    eraCal2jd(year, 1, 1, &djm0, &djm);
    return djm0 + djm - ERFA_DJ00;
}

// TT, in days from J2000.0, at which the Sun's apparent longitude reaches the term's longitude.
double solveTerm(int year, int index)
{
    const double target = TermNames[static_cast<std::size_t>(index)].longitude;
    const double start = yearStartDays(year);
    const double meanAtStart = MeanLongitudeJ2000 + MeanMotion * start;
    double days = start + wrapDegrees(target - meanAtStart) / MeanMotion;
    for (int step = 0; step < MaxSteps; ++step) {
        const SunState sun = sunAt(days);
        const double correction = degreesShort(target, sun.longitude) / sun.rate;
        days += correction;
        if (std::abs(correction) < StepTolerance)
            break;
    }
    return days;
}

// The term's time as the almanacs give it: its instant in UT, to the second, rounded to the
// nearest minute, half a minute up. Every date and time shown of a term comes from this minute,
// so that a term's day is the day of the minute shown beside it.
qint64 utcMinute(double ttDays)
{
    const double utDays = ttDays - DeltaTSeconds(2000.0 + ttDays / 365.25) / ERFA_DAYSEC;
    const qint64 seconds = std::llround((ERFA_DJ00 - UnixEpochJd + utDays) * ERFA_DAYSEC);
    // Rounded down, also before 1970, after the half minute is added.
    const qint64 shifted = seconds + 30;
    return (shifted >= 0 ? shifted / 60 : -((-shifted + 59) / 60)) * 60;
}

// Each year's 24 minutes (seconds since 1970 UTC), computed the first time the year is asked for;
// call_once makes that safe from any thread and leaves the later look-ups a flag test.
struct YearCache {
    std::array<std::once_flag, YearCount> once;
    std::array<std::array<qint64, SolarTermCount>, YearCount> seconds{};
};

YearCache& cache()
{
    static YearCache years;
    return years;
}

bool inRange(int year, int index)
{
    return year >= SolarTermsFirstYear && year <= SolarTermsLastYear && index >= 0 &&
           index < SolarTermCount;
}

bool kept(int year, int index)
{
    return year >= FirstKeptYear && year <= LastKeptYear && index >= 0 && index < SolarTermCount;
}

// Only for a year and index kept.
qint64 termSeconds(int year, int index)
{
    YearCache& years = cache();
    const auto slot = static_cast<std::size_t>(year - FirstKeptYear);
    std::call_once(years.once[slot], [&years, slot, year] {
        for (int i = 0; i < SolarTermCount; ++i)
            years.seconds[slot][static_cast<std::size_t>(i)] = utcMinute(solveTerm(year, i));
    });
    return years.seconds[slot][static_cast<std::size_t>(index)];
}

} // namespace

const SolarTermName& SolarTermNameAt(int index)
{
    return TermNames[index >= 0 && index < SolarTermCount ? static_cast<std::size_t>(index) : 0];
}

int SolarMonthTermIndex(int solarMonth)
{
    if (solarMonth < 1 || solarMonth > 12)
        return -1;
    return solarMonth == 12 ? 0 : 2 * solarMonth;
}

QDateTime SolarTermInstant(int year, int index)
{
    if (!inRange(year, index))
        return {};
    return QDateTime::fromSecsSinceEpoch(termSeconds(year, index), Qt::UTC);
}

QDate LocalInstant::localDate() const
{
    // Whole days since 1970 rounded down, also before 1970.
    constexpr qint64 DaySeconds = 86400;
    const qint64 local = utcSeconds + offsetSeconds;
    const qint64 days = local >= 0 ? local / DaySeconds : -((-local + DaySeconds - 1) / DaySeconds);
    return QDate(1970, 1, 1).addDays(days);
}

QDateTime LocalInstant::localDateTime() const
{
    return QDateTime::fromSecsSinceEpoch(utcSeconds, Qt::OffsetFromUTC, offsetSeconds);
}

std::optional<LocalInstant> SolarTermLocalInstant(int year, int index, const QTimeZone& zone)
{
    if (!kept(year, index) || !zone.isValid())
        return std::nullopt;
    const qint64 seconds = termSeconds(year, index);
    return LocalInstant{seconds,
                        zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC))};
}

QDate SolarTermLocalDate(int year, int index, const QTimeZone& zone)
{
    if (!inRange(year, index))
        return {};
    const auto instant = SolarTermLocalInstant(year, index, zone);
    return instant ? instant->localDate() : QDate();
}

double SolarTermJulianDateTT(int year, int index)
{
    if (!inRange(year, index))
        return std::numeric_limits<double>::quiet_NaN();
    return ERFA_DJ00 + solveTerm(year, index);
}

double SunApparentLongitude(double tt1, double tt2)
{
    return sunAt(tt1 - ERFA_DJ00 + tt2).longitude;
}

} // namespace Kistarra
