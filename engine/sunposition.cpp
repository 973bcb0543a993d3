#include "engine/sunposition.h"

#include <cmath>

#include <erfa.h>
#include <erfam.h>

namespace Kistarra {

namespace {

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

} // namespace

double SolarTermDaysTT(int year, SolarTerm term)
{
    const double target = SolarTermLongitude(term);
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

double SunApparentLongitude(double tt1, double tt2)
{
    return sunAt(tt1 - ERFA_DJ00 + tt2).longitude;
}

} // namespace Kistarra
