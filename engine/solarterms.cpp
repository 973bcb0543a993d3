#include "engine/solarterms.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <mutex>

#include <erfam.h>

#include "engine/daterange.h"
#include "engine/deltat.h"
#include "engine/sunposition.h"

namespace Kistarra {

namespace {

struct TermWords {
    QStringView name;
    QStringView characters;
};

constexpr std::array<TermWords, SolarTermCount> TermNames = {{
    {u"Minor Cold", u"小寒"},
    {u"Major Cold", u"大寒"},
    {u"Start of Spring", u"立春"},
    {u"Rain Water", u"雨水"},
    {u"Awakening of Insects", u"啓蟄"},
    {u"Spring Equinox", u"春分"},
    {u"Clear and Bright", u"清明"},
    {u"Grain Rain", u"穀雨"},
    {u"Start of Summer", u"立夏"},
    {u"Grain Full", u"小満"},
    {u"Grain in Ear", u"芒種"},
    {u"Summer Solstice", u"夏至"},
    {u"Minor Heat", u"小暑"},
    {u"Major Heat", u"大暑"},
    {u"Start of Autumn", u"立秋"},
    {u"End of Heat", u"処暑"},
    {u"White Dew", u"白露"},
    {u"Autumn Equinox", u"秋分"},
    {u"Cold Dew", u"寒露"},
    {u"Frost's Descent", u"霜降"},
    {u"Start of Winter", u"立冬"},
    {u"Minor Snow", u"小雪"},
    {u"Major Snow", u"大雪"},
    {u"Winter Solstice", u"冬至"},
}};

static_assert(SolarTermLongitude(SolarTerm::MinorCold) == 285);
static_assert(SolarTermLongitude(SolarTerm::StartOfSpring) == 315);
static_assert(SolarTermLongitude(SolarTerm::SpringEquinox) == 0);
static_assert(SolarTermLongitude(SolarTerm::WinterSolstice) == 270);

// The years kept: the range and one on either side.
constexpr int FirstKeptYear = DateRange::FirstYear - 1;
constexpr int LastKeptYear = DateRange::LastYear + 1;
constexpr int YearCount = LastKeptYear - FirstKeptYear + 1;

// The Julian date of 1970-01-01 0h, the start of the seconds QDateTime counts.
constexpr double UnixEpochJd = 2440587.5;

std::size_t termSlot(SolarTerm term)
{
    return static_cast<std::size_t>(SolarTermIndex(term));
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

bool kept(int year)
{
    return year >= FirstKeptYear && year <= LastKeptYear;
}

// Only for a year kept.
qint64 termSeconds(int year, SolarTerm term)
{
    YearCache& years = cache();
    const auto slot = static_cast<std::size_t>(year - FirstKeptYear);
    std::call_once(years.once[slot], [&years, slot, year] {
        for (const SolarTerm each : SolarTerms)
            years.seconds[slot][termSlot(each)] = utcMinute(SolarTermDaysTT(year, each));
    });
    return years.seconds[slot][termSlot(term)];
}

} // namespace

QStringView SolarTermName(SolarTerm term)
{
    return TermNames[termSlot(term)].name;
}

QStringView SolarTermCharacters(SolarTerm term)
{
    return TermNames[termSlot(term)].characters;
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

std::optional<LocalInstant> SolarTermLocalInstant(int year, SolarTerm term, const QTimeZone& zone)
{
    if (!kept(year) || !zone.isValid())
        return std::nullopt;
    const qint64 seconds = termSeconds(year, term);
    return LocalInstant{seconds,
                        zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC))};
}

} // namespace Kistarra
