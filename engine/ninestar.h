#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <optional>

#include <QString>
#include <QStringList>
#include <QStringView>

// The star-number engine: the principal, character and energetic numbers of a birth date and the
// digits of its Lo Shu chart. Every operation is a pure function of the texts the person picked;
// one that meets a character that is not a digit returns std::nullopt, and the reading leaves
// that number empty.
namespace Kistarra {

// The twelve English month names; position + 1 is the calendar month number. Compared exactly,
// letter case included.
inline constexpr std::array<QStringView, 12> MonthNames = {
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December"};

// The birth details lists: the days FirstListDay..LastListDay, the twelve MonthNames and the years
// FirstListYear..LastListYear, each entry in decimal digits without leading zeros.
inline constexpr int FirstListDay = 1;
inline constexpr int LastListDay = 31;
inline constexpr int FirstListYear = 1900;
inline constexpr int LastListYear = 2050;

// The entries of the day, month and year lists, in their order.
[[nodiscard]] QStringList DayListEntries();
[[nodiscard]] QStringList MonthListEntries();
[[nodiscard]] QStringList YearListEntries();

// True when the text is an entry of the day or the year list, written exactly as the list writes
// it ("7", not "07" or " 7").
[[nodiscard]] bool IsDayListEntry(QStringView day);
[[nodiscard]] bool IsYearListEntry(QStringView year);

// The value of one decimal digit '0'..'9', or nothing for any other character. This and the two
// below are defined here, inline, because every reading calls them per character.
[[nodiscard]] constexpr std::optional<int> DigitValue(QChar c)
{
    if (c < u'0' || c > u'9')
        return std::nullopt;
    return c.unicode() - u'0';
}

// A whole number written in decimal digits only, leading zeros allowed, at most nine of them; or
// nothing for any other text, the empty one and signs and blanks included.
[[nodiscard]] constexpr std::optional<int> DecimalValue(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    // Leading zeros, however many, add nothing; more significant digits than an int holds do.
    while (text.size() > 1 && text.front() == u'0')
        text = text.sliced(1);
    constexpr qsizetype MaxDigits = 9;
    if (text.size() > MaxDigits)
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

// The birth details as entered: the name field and the texts of the three lists.
struct BirthDetails {
    QString name;
    QString day;
    QString month;
    QString year;

    friend bool operator==(const BirthDetails&, const BirthDetails&) = default;
};

// The text without the spaces (U+0020) at either end; tabs and other white space stay.
[[nodiscard]] QString TrimmedOfBlanks(const QString& text);

// True when the name is empty or only white space (any Unicode white space: tabs, line breaks,
// no-break and ideographic spaces): no name, for the windows and the command line alike.
[[nodiscard]] bool IsBlankName(QStringView name);

// The details as the reading keeps them: every field without blanks at either end.
[[nodiscard]] BirthDetails TrimmedDetails(const BirthDetails& details);

// Day, month and year joined by single blanks: "15 October 1975".
[[nodiscard]] QString BirthDateText(const BirthDetails& details);

// For each length of text, the months whose names are that long, as bits 0..11 (January first):
// at most three names share a length, so a text is compared with no more than those.
inline constexpr std::array<std::uint16_t, 10> MonthsOfLength = [] {
    std::array<std::uint16_t, 10> months{};
    for (std::size_t i = 0; i < MonthNames.size(); ++i)
        months.at(static_cast<std::size_t>(MonthNames[i].size())) |=
            static_cast<std::uint16_t>(1U << i);
    return months;
}();

// 1..12 for one of the twelve names, 0 for any other text.
[[nodiscard]] constexpr int MonthNumber(QStringView month)
{
    if (month.size() >= static_cast<qsizetype>(MonthsOfLength.size()))
        return 0;
    for (unsigned months = MonthsOfLength[static_cast<std::size_t>(month.size())]; months != 0;
         months &= months - 1) {
        const int index = std::countr_zero(months);
        const QStringView name = MonthNames[static_cast<std::size_t>(index)];
        qsizetype same = 0;
        while (same < name.size() && name[same] == month[same])
            ++same;
        if (same == name.size())
            return index + 1;
    }
    return 0;
}

[[nodiscard]] constexpr bool IsStarNumber(int n)
{
    return n >= 1 && n <= 9;
}

// The principal number from the sum of a year's digits: that sum's digits summed once more,
// subtracted from 11; 10 counts as 1. A sum of 29 or more gives 0, which no table knows.
[[nodiscard]] constexpr int PrincipalNumberOfDigitSum(int yearDigitSum)
{
    int secondSum = 0;
    for (int rest = yearDigitSum; rest > 0; rest /= 10)
        secondSum += rest % 10;
    const int principal = 11 - secondSum;
    if (principal == 10)
        return 1;
    return IsStarNumber(principal) ? principal : 0;
}

// The year's digits summed, then PrincipalNumberOfDigitSum. Years 1900..2050 give 1..9.
[[nodiscard]] std::optional<int> CalculatePrincipalNumber(QStringView year);

// Where the solar months fall in one calendar month: the day on which the next solar month
// begins, the solar month of the days before it and of the days from it on.
struct SolarMonthStart {
    int firstDay;
    int before;
    int from;
};

// By calendar month (entry month - 1). Solar month 1 begins on 4 February, and with it the solar
// year: January's days and February's first three belong to the solar year before.
inline constexpr std::array<SolarMonthStart, 12> SolarMonthStarts = {{
    {6, 11, 12},
    {4, 12, 1},
    {6, 1, 2},
    {6, 2, 3},
    {6, 3, 4},
    {6, 4, 5},
    {8, 5, 6},
    {8, 6, 7},
    {8, 7, 8},
    {9, 8, 9},
    {8, 9, 10},
    {8, 10, 11},
}};

// The solar month of a day of calendar month 1..12; a month outside 1..12 counts as December.
[[nodiscard]] constexpr int SolarMonthOfDay(int calendarMonth, int day)
{
    const bool known = calendarMonth >= 1 && calendarMonth <= 12;
    const SolarMonthStart& start =
        SolarMonthStarts[known ? static_cast<std::size_t>(calendarMonth - 1) : 11];
    return day < start.firstDay ? start.before : start.from;
}

// A day of January, or of February before the 4th, closes the solar year before its calendar
// year; calendarMonth is 1..12 (any other value is no such day).
[[nodiscard]] constexpr bool BeforeSolarNewYear(int calendarMonth, int day)
{
    return (calendarMonth == 1 || calendarMonth == 2) && SolarMonthOfDay(calendarMonth, day) >= 11;
}

// Which year the star numbers and the Feng Shui profile are taken from: the calendar year of
// birth, or the year counted from the start of spring on 4 February, so that a birth in January
// or on 1, 2 or 3 February belongs to the year before.
enum class YearRule { Calendar, Solar };

// The year text the numbers come from under the rule. The solar rule gives the year before, with
// as many digits as the year had, for a date before 4 February of one of the twelve month names;
// a day or year that is not a number, or a year that has none before it, stays as it is.
[[nodiscard]] QString ReadingYear(QStringView day, QStringView month, QStringView year,
                                  YearRule rule);

// The solar month (1 = the month that begins on 4 February) of a day of a named month. A month
// text other than the twelve names counts as December. Inline, as every reading asks for it.
[[nodiscard]] constexpr std::optional<int> CalculateSolarMonth(QStringView month, QStringView day)
{
    const auto dayValue = DecimalValue(day);
    if (!dayValue)
        return std::nullopt;
    return SolarMonthOfDay(MonthNumber(month), *dayValue);
}

struct CharacterNumbers {
    int solarMonth = 0;
    int character = 0; // 0 when the principal number has no table
};

[[nodiscard]] std::optional<CharacterNumbers>
CalculateCharacterNumber(QStringView month, QStringView day, int principal);

// 0 when the principal number lies outside 1..9.
[[nodiscard]] int CalculateEnergeticNumber(int principal, int character);

// Digits collected per Lo Shu cell: entry n - 1 holds the digit n once for every time it occurs
// in day, month number and year written one after the other. A month text other than the twelve
// names adds no digits.
using LoShuCells = std::array<QString, 9>;
[[nodiscard]] std::optional<LoShuCells> CalculateLoShuGrid(QStringView day, QStringView month,
                                                           QStringView year);

// The caption of cell n: "[n]", CR LF, then its digits.
[[nodiscard]] QString LoShuCellCaption(int n, const QString& digits);

} // namespace Kistarra
