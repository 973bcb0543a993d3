#include "reading/reading.h"

#include "engine/daterange.h"
#include "engine/numbertables.h"
#include "engine/yearahead.h"
#include "reading/composer.h"
#include "reading/datetext.h"
#include "reading/sites.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

struct BirthOnTerms {
    QDate date;
    TrueSolarMonth month;
};

// The birth date and its solar month on the true solar terms, when the terms can place it.
std::optional<BirthOnTerms> trueSolarMonth(const BirthDetails& kept,
                                           const std::optional<QTimeZone>& zone)
{
    if (!zone)
        return std::nullopt;
    const auto day = DecimalValue(kept.day);
    const auto year = DecimalValue(kept.year);
    if (!day || !year)
        return std::nullopt;
    const QDate date(*year, MonthNumber(kept.month), *day);
    if (!date.isValid() || !DateRange::ContainsYear(date.year()))
        return std::nullopt;
    const auto month = TrueSolarMonthOf(date, *zone);
    if (!month)
        return std::nullopt;
    return BirthOnTerms{date, *month};
}

QString termDayNote(const TrueSolarMonth& month, const QTimeZone& zone)
{
    return u"Born on the day solar month %1 begins (%2, %3): the month depends on the hour of "
           u"birth; this reading counts the whole day to the new month."_s.arg(
               QString::number(month.solar.month), LocalMinuteText(month.begins),
               TimeZoneName(zone));
}

} // namespace

Reading ComputeReading(const BirthDetails& details, YearRule rule,
                       const std::optional<QTimeZone>& trueTermsZone)
{
    Reading reading;
    reading.details = TrimmedDetails(details);
    const BirthDetails& kept = reading.details;
    reading.birthDateText = BirthDateText(kept);
    reading.yearRule = rule;
    reading.readingYear = ReadingYear(kept.day, kept.month, kept.year, rule);
    const auto birth = trueSolarMonth(kept, trueTermsZone);
    const std::optional<TrueSolarMonth> solar = birth ? std::optional(birth->month) : std::nullopt;
    if (birth) {
        reading.trueSolarTerms = true;
        // The year as entered, or the one before it written as wide, as under the fixed days.
        if (rule == YearRule::Solar)
            reading.readingYear =
                solar->solar.year == birth->date.year()
                    ? kept.year
                    : QString::number(solar->solar.year).rightJustified(kept.year.size(), u'0');
        if (solar->begins.localDate() == birth->date)
            reading.termDayNote = termDayNote(*solar, *trueTermsZone);
    }
    const QString& year = reading.readingYear;

    // The Feng Shui profile comes from the third and fourth characters of the year.
    reading.fengShuiNumber = CalculateFengShuiNumber(QStringView(year).mid(2, 2));
    if (reading.fengShuiNumber) {
        if (const auto profile = FengShuiProfileFor(*reading.fengShuiNumber)) {
            reading.fengShui = profile;
            if (auto description = ElementDescriptions(profile->element))
                reading.elementDescription = std::move(description);
            if (const auto key = ElementPictureKey(profile->element))
                reading.elementPictureKey = key;
            if (const auto key = TrigramPictureKey(profile->trigram))
                reading.trigramPictureKey = key;
        }
    }

    reading.loShuCells = CalculateLoShuGrid(kept.day, kept.month, kept.year).value_or(LoShuCells{});

    if (const auto principal = CalculatePrincipalNumber(year))
        reading.principal = *principal;
    if (solar) {
        reading.solarMonth = solar->solar.month;
        reading.character = CharacterTableEntry(reading.principal, reading.solarMonth);
    } else if (const auto character =
                   CalculateCharacterNumber(kept.month, kept.day, reading.principal)) {
        reading.solarMonth = character->solarMonth;
        reading.character = character->character;
    }
    reading.energetic = CalculateEnergeticNumber(reading.principal, reading.character);

    ComposedReading composed =
        ComposeReading(reading.principal, reading.character, reading.energetic);
    reading.readingText = std::move(composed.reading);
    reading.relationshipText = std::move(composed.relationship);
    reading.starSummary = std::move(composed.starSummary);
    return reading;
}

bool YearCountedFromSpring(const Reading& reading)
{
    return reading.readingYear != reading.details.year;
}

QString ReadingYearNote(const Reading& reading)
{
    if (!YearCountedFromSpring(reading))
        return {};
    return (reading.trueSolarTerms ? u"Year counted from the start of spring: "_s
                                   : u"Year counted from 4 February: "_s) %
           reading.readingYear;
}

QString ReportText(const Reading& reading)
{
    QString date = reading.birthDateText;
    if (YearCountedFromSpring(reading))
        date += (reading.trueSolarTerms ? u" (year counted from the start of spring: "_s
                                        : u" (year counted from 4 February: "_s) %
                reading.readingYear % u')';
    if (!reading.termDayNote.isEmpty())
        date += u"\r\n\r\n"_s % reading.termDayNote;
    return u"Name: "_s % reading.details.name % u"\r\n\r\nDate of Birth: "_s % date %
           u"\r\n\r\n"_s % reading.readingText.plainText() % u"\r\n\r\n"_s %
           reading.relationshipText.plainText();
}

QString AttributionLine()
{
    return u"Report Generated By "_s % Sites::MainSite;
}

QString PrintedReportText(const Reading& reading)
{
    const QString attribution = AttributionLine();
    return attribution % u"\r\n\r\n"_s % ReportText(reading) % u"\r\n\r\n"_s % attribution;
}

} // namespace Kistarra
