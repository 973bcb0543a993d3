#include "engine/ninestar.h"

#include "engine/numbertables.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

QStringList NumberEntries(int first, int last)
{
    QStringList entries;
    entries.reserve(last - first + 1);
    for (int n = first; n <= last; ++n)
        entries.append(QString::number(n));
    return entries;
}

bool IsNumberEntry(QStringView text, int first, int last)
{
    const auto value = DecimalValue(text);
    return value && *value >= first && *value <= last && text == QString::number(*value);
}

} // namespace

QStringList DayListEntries()
{
    return NumberEntries(FirstListDay, LastListDay);
}

QStringList MonthListEntries()
{
    QStringList entries;
    for (const QStringView month : MonthNames)
        entries.append(month.toString());
    return entries;
}

QStringList YearListEntries()
{
    return NumberEntries(FirstListYear, LastListYear);
}

bool IsDayListEntry(QStringView day)
{
    return IsNumberEntry(day, FirstListDay, LastListDay);
}

bool IsYearListEntry(QStringView year)
{
    return IsNumberEntry(year, FirstListYear, LastListYear);
}

namespace {

// Each solar month follows the one before it, and each calendar month holds the start of the solar
// month after the one its first days belong to.
constexpr bool solarMonthsFollowOn()
{
    for (std::size_t i = 0; i < SolarMonthStarts.size(); ++i) {
        const SolarMonthStart& start = SolarMonthStarts[i];
        const int expectedFrom = i == 0 ? 12 : static_cast<int>(i);
        if (start.from != expectedFrom || start.before != (start.from == 1 ? 12 : start.from - 1))
            return false;
        if (start.firstDay < 2 || start.firstDay > 28)
            return false;
    }
    return true;
}

static_assert(solarMonthsFollowOn());
static_assert(SolarMonthStarts[1].firstDay == 4 && SolarMonthStarts[1].from == 1);

} // namespace

QString TrimmedOfBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text.at(first) == u' ')
        ++first;
    while (end > first && text.at(end - 1) == u' ')
        --end;
    return text.sliced(first, end - first);
}

bool IsBlankName(QStringView name)
{
    return name.trimmed().isEmpty();
}

BirthDetails TrimmedDetails(const BirthDetails& details)
{
    return {TrimmedOfBlanks(details.name), TrimmedOfBlanks(details.day),
            TrimmedOfBlanks(details.month), TrimmedOfBlanks(details.year)};
}

QString BirthDateText(const BirthDetails& details)
{
    return details.day % u' ' % details.month % u' ' % details.year;
}

std::optional<int> CalculatePrincipalNumber(QStringView year)
{
    int firstSum = 0;
    for (const QChar c : year) {
        const auto digit = DigitValue(c);
        if (!digit)
            return std::nullopt;
        firstSum += *digit;
    }
    return PrincipalNumberOfDigitSum(firstSum);
}

QString ReadingYear(QStringView day, QStringView month, QStringView year, YearRule rule)
{
    if (rule == YearRule::Calendar)
        return year.toString();
    const auto dayValue = DecimalValue(day);
    const auto yearValue = DecimalValue(year); // digits only, as for the day
    const bool beforeSpring = dayValue && BeforeSolarNewYear(MonthNumber(month), *dayValue);
    if (!beforeSpring || !yearValue || *yearValue == 0)
        return year.toString();
    return QString::number(*yearValue - 1).rightJustified(year.size(), u'0');
}

std::optional<CharacterNumbers> CalculateCharacterNumber(QStringView month, QStringView day,
                                                         int principal)
{
    const auto solarMonth = CalculateSolarMonth(month, day);
    if (!solarMonth)
        return std::nullopt;
    return CharacterNumbers{*solarMonth, CharacterTableEntry(principal, *solarMonth)};
}

int CalculateEnergeticNumber(int principal, int character)
{
    if (!IsStarNumber(principal))
        return 0;
    const int remainder = (principal - character + 4) % 9;
    return (remainder < 0 ? remainder + 9 : remainder) + 1;
}

std::optional<LoShuCells> CalculateLoShuGrid(QStringView day, QStringView month, QStringView year)
{
    QString dateDigits = day.toString();
    if (const int monthNumber = MonthNumber(month); monthNumber > 0)
        dateDigits += QString::number(monthNumber);
    dateDigits += year;

    LoShuCells cells;
    for (const QChar c : std::as_const(dateDigits)) {
        const auto digit = DigitValue(c);
        if (!digit)
            return std::nullopt;
        if (*digit > 0)
            cells[static_cast<std::size_t>(*digit - 1)] += c;
    }
    return cells;
}

QString LoShuCellCaption(int n, const QString& digits)
{
    return u'[' % QString::number(n) % u"]\r\n"_s % digits;
}

} // namespace Kistarra
