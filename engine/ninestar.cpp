#include "engine/ninestar.h"

#include "engine/numbertables.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

std::optional<int> DigitValue(QChar c)
{
    if (c < u'0' || c > u'9')
        return std::nullopt;
    return c.unicode() - u'0';
}

std::optional<int> DecimalValue(QStringView text)
{
    constexpr qsizetype MaxDigits = 9;
    if (text.isEmpty() || text.size() > MaxDigits)
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        const auto digit = DigitValue(c);
        if (!digit)
            return std::nullopt;
        value = value * 10 + *digit;
    }
    return value;
}

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

// The digits of a non-negative number, summed.
int digitSum(int value)
{
    int sum = 0;
    for (; value > 0; value /= 10)
        sum += value % 10;
    return sum;
}

// The day of a month on which the next solar month begins, with the solar months before and
// from that day. Any text other than "January" .. "November" falls into the last row.
struct SolarBoundary {
    QStringView month;
    int firstDay;
    int before;
    int from;
};

constexpr std::array<SolarBoundary, 12> SolarBoundaries = {{
    {u"January", 6, 11, 12},
    {u"February", 4, 12, 1},
    {u"March", 6, 1, 2},
    {u"April", 6, 2, 3},
    {u"May", 6, 3, 4},
    {u"June", 6, 4, 5},
    {u"July", 8, 5, 6},
    {u"August", 8, 6, 7},
    {u"September", 8, 7, 8},
    {u"October", 9, 8, 9},
    {u"November", 8, 9, 10},
    {u"December", 8, 10, 11},
}};

// The day as a number; only decimal digits are accepted, and at least one of them.
std::optional<int> dayNumber(QStringView day)
{
    if (day.isEmpty() || day.size() > 9)
        return std::nullopt;
    int value = 0;
    for (const QChar c : day) {
        const auto digit = DigitValue(c);
        if (!digit)
            return std::nullopt;
        value = value * 10 + *digit;
    }
    return value;
}

} // namespace

BirthDetails TrimmedDetails(const BirthDetails& details)
{
    return {details.name.trimmed(), details.day.trimmed(), details.month.trimmed(),
            details.year.trimmed()};
}

QString BirthDateText(const BirthDetails& details)
{
    return details.day % u' ' % details.month % u' ' % details.year;
}

int MonthNumber(QStringView month)
{
    for (std::size_t i = 0; i < MonthNames.size(); ++i) {
        if (month == MonthNames[i])
            return static_cast<int>(i) + 1;
    }
    return 0;
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
    const int principal = 11 - digitSum(firstSum);
    if (principal == 10)
        return 1;
    // Only digit sums the year lists never produce land here (29 gives 11 - 11 = 0).
    return IsStarNumber(principal) ? principal : 0;
}

std::optional<int> CalculateSolarMonth(QStringView month, QStringView day)
{
    const auto dayValue = dayNumber(day);
    if (!dayValue)
        return std::nullopt;
    const SolarBoundary* row = &SolarBoundaries.back();
    for (const SolarBoundary& boundary : SolarBoundaries) {
        if (month == boundary.month) {
            row = &boundary;
            break;
        }
    }
    return *dayValue < row->firstDay ? row->before : row->from;
}

std::optional<CharacterNumbers> CalculateCharacterNumber(QStringView month, QStringView day,
                                                         int principal)
{
    const auto solarMonth = CalculateSolarMonth(month, day);
    if (!solarMonth)
        return std::nullopt;
    const auto index = static_cast<std::size_t>(*solarMonth - 1);
    int character = 0;
    switch (principal) {
    case 1:
    case 4:
    case 7:
        character = CharacterTable147[index];
        break;
    case 2:
    case 5:
    case 8:
        character = CharacterTable258[index];
        break;
    case 3:
    case 6:
    case 9:
        character = CharacterTable369[index];
        break;
    default:
        break;
    }
    return CharacterNumbers{*solarMonth, character};
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
