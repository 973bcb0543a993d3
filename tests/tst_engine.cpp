#include <algorithm>
#include <array>
#include <optional>

#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTest>

#include "engine/ninestar.h"
#include "engine/numbertables.h"
#include "reading/reading.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// The energetic number by character (row) and principal number (column), as the reading's
// authors tabulated it; kept literal so that a wrong formula cannot agree with itself.
constexpr std::array<std::array<int, 9>, 9> EnergeticByCharacterAndPrincipal = {{
    {5, 6, 7, 8, 9, 1, 2, 3, 4},
    {4, 5, 6, 7, 8, 9, 1, 2, 3},
    {3, 4, 5, 6, 7, 8, 9, 1, 2},
    {2, 3, 4, 5, 6, 7, 8, 9, 1},
    {1, 2, 3, 4, 5, 6, 7, 8, 9},
    {9, 1, 2, 3, 4, 5, 6, 7, 8},
    {8, 9, 1, 2, 3, 4, 5, 6, 7},
    {7, 8, 9, 1, 2, 3, 4, 5, 6},
    {6, 7, 8, 9, 1, 2, 3, 4, 5},
}};

// The day of each calendar month on which the next solar month begins; the solar month from that
// day on is the calendar month shifted back by one (February begins solar month 1).
constexpr std::array<int, 12> SolarThresholdDay = {6, 4, 6, 6, 6, 6, 8, 8, 8, 9, 8, 8};

// Character numbers by solar month for principal numbers 1/4/7, 2/5/8 and 3/6/9.
constexpr std::array<std::array<int, 12>, 3> CharacterBySolarMonth = {{
    {8, 7, 6, 5, 4, 3, 2, 1, 9, 8, 7, 6},
    {2, 1, 9, 8, 7, 6, 5, 4, 3, 2, 1, 9},
    {5, 4, 3, 2, 1, 9, 8, 7, 6, 5, 4, 3},
}};

int energeticFromTable(int principal, int character)
{
    return EnergeticByCharacterAndPrincipal[static_cast<std::size_t>(character - 1)]
                                           [static_cast<std::size_t>(principal - 1)];
}

// Digits summed over and over until one is left.
int repeatedDigitSum(int value)
{
    while (value > 9) {
        int sum = 0;
        for (; value > 0; value /= 10)
            sum += value % 10;
        value = sum;
    }
    return value;
}

int yearDigitSum(const QString& year)
{
    int sum = 0;
    for (const QChar c : year)
        sum += c.digitValue();
    return sum;
}

QString sortedNonZeroDigits(const QString& digits)
{
    QString kept;
    for (const QChar c : digits) {
        if (c != u'0')
            kept += c;
    }
    std::sort(kept.begin(), kept.end());
    return kept;
}

QStringList cellList(const LoShuCells& cells)
{
    return QStringList(cells.begin(), cells.end());
}

// Everything wrong with one date of the lists, or an empty text.
QString wholeRangeProblem(const QString& day, int monthIndex, const QString& year)
{
    const QStringView month = MonthNames[static_cast<std::size_t>(monthIndex)];
    // Built only for a failure message: the loop runs over every date of the lists.
    const auto date = [&]() -> QString { return day % u' ' % month % u' ' % year; };

    const auto principal = CalculatePrincipalNumber(year);
    if (!principal || !IsStarNumber(*principal))
        return date() % u": principal outside 1..9"_s;
    const int r = repeatedDigitSum(yearDigitSum(year));
    const int expectedPrincipal = r == 1 ? 1 : 11 - r;
    if (*principal != expectedPrincipal)
        return date() % u": principal "_s % QString::number(*principal) % u", expected "_s %
               QString::number(expectedPrincipal);

    const auto numbers = CalculateCharacterNumber(month, day, *principal);
    if (!numbers)
        return date() % u": no character number"_s;
    const int threshold = SolarThresholdDay[static_cast<std::size_t>(monthIndex)];
    const int solarFrom = (monthIndex + 11) % 12 + 1;
    const int solarBefore = (solarFrom + 10) % 12 + 1;
    const int expectedSolar = day.toInt() < threshold ? solarBefore : solarFrom;
    if (numbers->solarMonth != expectedSolar)
        return date() % u": solar month "_s % QString::number(numbers->solarMonth) %
               u", expected "_s % QString::number(expectedSolar);
    const int expectedCharacter =
        CharacterBySolarMonth[static_cast<std::size_t>((*principal - 1) % 3)]
                             [static_cast<std::size_t>(expectedSolar - 1)];
    if (numbers->character != expectedCharacter || !IsStarNumber(numbers->character))
        return date() % u": character "_s % QString::number(numbers->character) % u", expected "_s %
               QString::number(expectedCharacter);

    const int energetic = CalculateEnergeticNumber(*principal, numbers->character);
    if (energetic != energeticFromTable(*principal, numbers->character))
        return date() % u": energetic "_s % QString::number(energetic);

    const auto cells = CalculateLoShuGrid(day, month, year);
    if (!cells)
        return date() % u": no Lo Shu cells"_s;
    QString placed;
    for (std::size_t i = 0; i < cells->size(); ++i) {
        const QChar own(u'1' + static_cast<char16_t>(i));
        for (const QChar c : (*cells)[i]) {
            if (c != own)
                return date() % u": cell "_s % own % u" holds "_s % (*cells)[i];
        }
        placed += (*cells)[i];
    }
    const QString expectedDigits =
        sortedNonZeroDigits(day % QString::number(monthIndex + 1) % year);
    if (placed != expectedDigits)
        return date() % u": Lo Shu digits "_s % placed % u", expected "_s % expectedDigits;
    return {};
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT

private slots:
    void starNumbers_data();
    void starNumbers();
    void principalNumber_data();
    void principalNumber();
    void energeticTable();
    void wholeRange();
    void loShuGrid_data();
    void loShuGrid();
    void loShuCaption_data();
    void loShuCaption();
    void newDateReplacesCells();
    void nonDigits_data();
    void nonDigits();
    void nonDigitsLeaveTheirNumbersEmpty_data();
    void nonDigitsLeaveTheirNumbersEmpty();
    void solarYearRule_data();
    void solarYearRule();
    void yearWithoutPrincipal();
    void birthDateText();
    void starAttributes_data();
    void starAttributes();
    void outsideStarNumbers_data();
    void outsideStarNumbers();
};

void TestEngine::starNumbers_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("principal");
    QTest::addColumn<int>("solarMonth");
    QTest::addColumn<int>("character");
    QTest::addColumn<int>("energetic");

    QTest::newRow("3 February 1990, before the solar new year")
        << u"3"_s << u"February"_s << u"1990"_s << 1 << 12 << 6 << 9;
    QTest::newRow("4 February 1990, the solar new year")
        << u"4"_s << u"February"_s << u"1990"_s << 1 << 1 << 8 << 7;
    QTest::newRow("15 October 1975") << u"15"_s << u"October"_s << u"1975"_s << 7 << 9 << 9 << 3;
    QTest::newRow("10 June 2000") << u"10"_s << u"June"_s << u"2000"_s << 9 << 5 << 1 << 4;
    QTest::newRow("1 January 2008, 10 counts as 1")
        << u"1"_s << u"January"_s << u"2008"_s << 1 << 11 << 7 << 8;
    QTest::newRow("5 January 2008") << u"5"_s << u"January"_s << u"2008"_s << 1 << 11 << 7 << 8;
    QTest::newRow("6 January 2008") << u"6"_s << u"January"_s << u"2008"_s << 1 << 12 << 6 << 9;
    QTest::newRow("8 October 1975") << u"8"_s << u"October"_s << u"1975"_s << 7 << 8 << 1 << 2;
    QTest::newRow("9 October 1975") << u"9"_s << u"October"_s << u"1975"_s << 7 << 9 << 9 << 3;
    QTest::newRow("29 February 2000") << u"29"_s << u"February"_s << u"2000"_s << 9 << 1 << 5 << 9;
    QTest::newRow("31 February 1990 is not rejected")
        << u"31"_s << u"February"_s << u"1990"_s << 1 << 1 << 8 << 7;
    QTest::newRow("31 April 1990 is not rejected")
        << u"31"_s << u"April"_s << u"1990"_s << 1 << 3 << 6 << 9;
    QTest::newRow("30 November 1999") << u"30"_s << u"November"_s << u"1999"_s << 1 << 10 << 8 << 7;
    QTest::newRow("7 December 2050") << u"7"_s << u"December"_s << u"2050"_s << 4 << 10 << 8 << 1;
    QTest::newRow("8 December 2050") << u"8"_s << u"December"_s << u"2050"_s << 4 << 11 << 7 << 2;
    // January's row would give solar month 11 on the 5th and 12 on the 20th.
    QTest::newRow("5 january, lower case, counts as December")
        << u"5"_s << u"january"_s << u"2008"_s << 1 << 10 << 8 << 7;
    QTest::newRow("20 JANUARY, upper case, counts as December")
        << u"20"_s << u"JANUARY"_s << u"2008"_s << 1 << 11 << 7 << 8;
    QTest::newRow("3 february, lower case, counts as December")
        << u"3"_s << u"february"_s << u"1990"_s << 1 << 10 << 8 << 7;
}

void TestEngine::starNumbers()
{
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(int, principal);
    QFETCH(int, solarMonth);
    QFETCH(int, character);
    QFETCH(int, energetic);

    QCOMPARE(CalculatePrincipalNumber(year), std::optional<int>(principal));
    QCOMPARE(CalculateSolarMonth(month, day), std::optional<int>(solarMonth));
    const auto numbers = CalculateCharacterNumber(month, day, principal);
    QVERIFY(numbers);
    QCOMPARE(numbers->solarMonth, solarMonth);
    QCOMPARE(numbers->character, character);
    QCOMPARE(CalculateEnergeticNumber(principal, character), energetic);

    // The whole calculation gives the same, and repeating it changes nothing.
    const BirthDetails details{u"Ann"_s, day, month, year};
    const Reading first = ComputeReading(details, YearRule::Calendar);
    const Reading again = ComputeReading(details, YearRule::Calendar);
    for (const Reading* reading : {&first, &again}) {
        QCOMPARE(reading->principal, principal);
        QCOMPARE(reading->solarMonth, solarMonth);
        QCOMPARE(reading->character, character);
        QCOMPARE(reading->energetic, energetic);
    }
    QCOMPARE(again.starSummary, first.starSummary);
    QCOMPARE(again.readingText, first.readingText);
}

void TestEngine::principalNumber_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("principal");

    QTest::newRow("1975: 22, 4") << u"1975"_s << 7;
    QTest::newRow("1990: 19, 10") << u"1990"_s << 1;
    QTest::newRow("1999: 28, 10") << u"1999"_s << 1;
    QTest::newRow("1900, first of the list") << u"1900"_s << 1;
    QTest::newRow("2050, last of the list") << u"2050"_s << 4;
    QTest::newRow("2008: 10, 1, 10 counts as 1") << u"2008"_s << 1;
    QTest::newRow("2017") << u"2017"_s << 1;
    QTest::newRow("2026") << u"2026"_s << 1;
    QTest::newRow("2035") << u"2035"_s << 1;
    QTest::newRow("2044") << u"2044"_s << 1;
    QTest::newRow("1901") << u"1901"_s << 9;
    QTest::newRow("1989: 27, 9") << u"1989"_s << 2;
    QTest::newRow("2000") << u"2000"_s << 9;
    QTest::newRow("2001") << u"2001"_s << 8;
    QTest::newRow("2007") << u"2007"_s << 2;
}

void TestEngine::principalNumber()
{
    QFETCH(QString, year);
    QFETCH(int, principal);

    QCOMPARE(CalculatePrincipalNumber(year), std::optional<int>(principal));
}

void TestEngine::energeticTable()
{
    for (int principal = 1; principal <= 9; ++principal) {
        for (int character = 1; character <= 9; ++character) {
            const int energetic = CalculateEnergeticNumber(principal, character);
            QVERIFY2(
                energetic == energeticFromTable(principal, character),
                qPrintable(u"P %1 C %2 gives %3"_s.arg(principal).arg(character).arg(energetic)));
        }
    }
    // Without a principal number there is no cell to pick, whatever the character number.
    QCOMPARE(CalculateEnergeticNumber(0, 0), 0);
    QCOMPARE(CalculateEnergeticNumber(0, 5), 0);
    QCOMPARE(CalculateEnergeticNumber(10, 5), 0);
}

void TestEngine::wholeRange()
{
    QStringList days;
    for (int day = 1; day <= 31; ++day)
        days << QString::number(day);
    QStringList years;
    for (int year = 1900; year <= 2050; ++year)
        years << QString::number(year);

    int checked = 0;
    for (const QString& year : std::as_const(years)) {
        for (int monthIndex = 0; monthIndex < 12; ++monthIndex) {
            for (const QString& day : std::as_const(days)) {
                const QString problem = wholeRangeProblem(day, monthIndex, year);
                if (!problem.isEmpty())
                    QFAIL(qPrintable(problem));
                ++checked;
            }
        }
    }
    QCOMPARE(checked, 56172);
}

void TestEngine::loShuGrid_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QStringList>("cells");

    QTest::newRow("15 October 1975, the zero of 10 is shown nowhere")
        << u"15"_s << u"October"_s << u"1975"_s
        << QStringList{u"111"_s, {}, {}, {}, u"55"_s, {}, u"7"_s, {}, u"9"_s};
    QTest::newRow("3 February 1990")
        << u"3"_s << u"February"_s << u"1990"_s
        << QStringList{u"1"_s, u"2"_s, u"3"_s, {}, {}, {}, {}, {}, u"99"_s};
    QTest::newRow("9 September 1999")
        << u"9"_s << u"September"_s << u"1999"_s
        << QStringList{u"1"_s, {}, {}, {}, {}, {}, {}, {}, u"99999"_s};
    QTest::newRow("10 October 2010") << u"10"_s << u"October"_s << u"2010"_s
                                     << QStringList{u"111"_s, u"2"_s, {}, {}, {}, {}, {}, {}, {}};
    QTest::newRow("December adds 1 and 2")
        << u"5"_s << u"December"_s << u"2000"_s
        << QStringList{u"1"_s, u"22"_s, {}, {}, u"5"_s, {}, {}, {}, {}};
    QTest::newRow("January adds only 1")
        << u"5"_s << u"January"_s << u"2000"_s
        << QStringList{u"1"_s, u"2"_s, {}, {}, u"5"_s, {}, {}, {}, {}};
    QTest::newRow("lower-case month adds no digits")
        << u"15"_s << u"october"_s << u"1975"_s
        << QStringList{u"11"_s, {}, {}, {}, u"55"_s, {}, u"7"_s, {}, u"9"_s};
    QTest::newRow("unknown month text adds no digits")
        << u"28"_s << u"Smarch"_s << u"1963"_s
        << QStringList{u"1"_s, u"2"_s, u"3"_s, {}, {}, u"6"_s, {}, u"8"_s, u"9"_s};
    QTest::newRow("empty month adds no digits")
        << u"4"_s << QString() << u"1944"_s
        << QStringList{u"1"_s, {}, {}, u"444"_s, {}, {}, {}, {}, u"9"_s};
    QTest::newRow("31 December 1988, the digits in date order")
        << u"31"_s << u"December"_s << u"1988"_s
        << QStringList{u"111"_s, u"2"_s, u"3"_s, {}, {}, {}, {}, u"88"_s, u"9"_s};
}

void TestEngine::loShuGrid()
{
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(QStringList, cells);

    const auto grid = CalculateLoShuGrid(day, month, year);
    QVERIFY(grid);
    QCOMPARE(cellList(*grid), cells);

    const Reading reading = ComputeReading({u"Ann"_s, day, month, year}, YearRule::Calendar);
    QCOMPARE(cellList(reading.loShuCells), cells);
}

void TestEngine::loShuCaption_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("caption");

    QTest::newRow("cell 1 with three ones") << 1 << u"111"_s << u"[1]\r\n111"_s;
    QTest::newRow("empty cell ends with the line break") << 4 << QString() << u"[4]\r\n"_s;
    QTest::newRow("cell 9 with five nines") << 9 << u"99999"_s << u"[9]\r\n99999"_s;
}

void TestEngine::loShuCaption()
{
    QFETCH(int, cell);
    QFETCH(QString, digits);
    QFETCH(QString, caption);

    QCOMPARE(LoShuCellCaption(cell, digits), caption);
}

void TestEngine::newDateReplacesCells()
{
    const Reading earlier =
        ComputeReading({u"Ann"_s, u"9"_s, u"September"_s, u"1999"_s}, YearRule::Calendar);
    QCOMPARE(earlier.loShuCells[0], u"1"_s);
    const Reading later =
        ComputeReading({u"Ann"_s, u"10"_s, u"October"_s, u"2010"_s}, YearRule::Calendar);

    QCOMPARE(cellList(later.loShuCells),
             (QStringList{u"111"_s, u"2"_s, {}, {}, {}, {}, {}, {}, {}}));
}

void TestEngine::nonDigits_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<bool>("dayFails");
    QTest::addColumn<bool>("yearFails");

    QTest::newRow("letter in the year") << u"15"_s << u"October"_s << u"19x5"_s << false << true;
    QTest::newRow("letter in the day") << u"1a"_s << u"March"_s << u"1975"_s << true << false;
    QTest::newRow("blank inside the day") << u"1 5"_s << u"March"_s << u"1975"_s << true << false;
    QTest::newRow("sign before the year") << u"15"_s << u"March"_s << u"-1975"_s << false << true;
    QTest::newRow("letters in both") << u"x"_s << u"May"_s << u"y"_s << true << true;
}

void TestEngine::nonDigits()
{
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(bool, dayFails);
    QFETCH(bool, yearFails);

    QCOMPARE(CalculatePrincipalNumber(year).has_value(), !yearFails);
    QCOMPARE(CalculateSolarMonth(month, day).has_value(), !dayFails);
    QCOMPARE(CalculateCharacterNumber(month, day, 7).has_value(), !dayFails);
    QVERIFY(!CalculateLoShuGrid(day, month, year));
}

void TestEngine::nonDigitsLeaveTheirNumbersEmpty_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("principal");
    QTest::addColumn<int>("solarMonth");
    QTest::addColumn<int>("character");
    QTest::addColumn<int>("energetic");

    QTest::newRow("bad day and year give no number")
        << u"1a"_s << u"March"_s << u"19x5"_s << 0 << 0 << 0 << 0;
    QTest::newRow("bad year gives no principal, the day still gives the solar month")
        << u"10"_s << u"June"_s << u"19x5"_s << 0 << 5 << 0 << 0;
    QTest::newRow("bad day gives no solar month and character")
        << u"1a"_s << u"June"_s << u"2000"_s << 9 << 0 << 0 << 5;
}

void TestEngine::nonDigitsLeaveTheirNumbersEmpty()
{
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(int, principal);
    QFETCH(int, solarMonth);
    QFETCH(int, character);
    QFETCH(int, energetic);

    const Reading reading = ComputeReading({u"Bob"_s, day, month, year}, YearRule::Calendar);

    QCOMPARE(reading.principal, principal);
    QCOMPARE(reading.solarMonth, solarMonth);
    QCOMPARE(reading.character, character);
    QCOMPARE(reading.energetic, energetic);
    QCOMPARE(cellList(reading.loShuCells), QStringList(9));
    QCOMPARE(reading.details.name, u"Bob"_s);
    QCOMPARE(reading.birthDateText, day % u' ' % month % u' ' % year);
}

void TestEngine::solarYearRule_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("readingYear");
    QTest::addColumn<int>("principal");
    QTest::addColumn<int>("solarMonth");
    QTest::addColumn<int>("character");
    QTest::addColumn<int>("energetic");
    QTest::addColumn<int>("fengShui");

    QTest::newRow("20 January 1990 belongs to 1989")
        << u"20"_s << u"January"_s << u"1990"_s << u"1989"_s << 2 << 12 << 9 << 7 << 2;
    QTest::newRow("5 January 2008 belongs to 2007")
        << u"5"_s << u"January"_s << u"2008"_s << u"2007"_s << 2 << 11 << 1 << 6 << 3;
    QTest::newRow("3 February 1990, the last day of 1989")
        << u"3"_s << u"February"_s << u"1990"_s << u"1989"_s << 2 << 12 << 9 << 7 << 2;
    QTest::newRow("4 February 1990, the first day of 1990")
        << u"4"_s << u"February"_s << u"1990"_s << u"1990"_s << 1 << 1 << 8 << 7 << 1;
    QTest::newRow("1 January 1900 belongs to 1899, before the lists")
        << u"1"_s << u"January"_s << u"1900"_s << u"1899"_s << 2 << 11 << 1 << 6 << 1;
    QTest::newRow("1 January 2000 belongs to 1999")
        << u"1"_s << u"January"_s << u"2000"_s << u"1999"_s << 1 << 11 << 7 << 8 << 1;
    QTest::newRow("31 December 1989 stays in 1989")
        << u"31"_s << u"December"_s << u"1989"_s << u"1989"_s << 2 << 11 << 1 << 6 << 2;
    QTest::newRow("lower-case january counts as December")
        << u"20"_s << u"january"_s << u"1990"_s << u"1990"_s << 1 << 11 << 7 << 8 << 1;
}

// The solar rule moves the year, and everything taken from the year, of a date before 4 February:
// the reading is the calendar reading of that date in the year before, but for the date shown and
// the Lo Shu chart, which keep the date as entered.
void TestEngine::solarYearRule()
{
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(QString, readingYear);
    QFETCH(int, principal);
    QFETCH(int, solarMonth);
    QFETCH(int, character);
    QFETCH(int, energetic);
    QFETCH(int, fengShui);

    QCOMPARE(ReadingYear(day, month, year, YearRule::Solar), readingYear);
    QCOMPARE(ReadingYear(day, month, year, YearRule::Calendar), year);

    const BirthDetails details{u"Ann"_s, day, month, year};
    const Reading solar = ComputeReading(details, YearRule::Solar);
    QCOMPARE(solar.yearRule, YearRule::Solar);
    QCOMPARE(solar.readingYear, readingYear);
    QCOMPARE(solar.principal, principal);
    QCOMPARE(solar.solarMonth, solarMonth);
    QCOMPARE(solar.character, character);
    QCOMPARE(solar.energetic, energetic);
    QCOMPARE(solar.fengShuiNumber, std::optional<int>(fengShui));

    const Reading calendar = ComputeReading(details, YearRule::Calendar);
    QCOMPARE(calendar.yearRule, YearRule::Calendar);
    QCOMPARE(calendar.readingYear, year);
    QCOMPARE(solar.details, calendar.details);
    QCOMPARE(solar.birthDateText, calendar.birthDateText);
    QCOMPARE(cellList(solar.loShuCells), cellList(calendar.loShuCells));
    QCOMPARE(YearCountedFromSpring(solar), readingYear != year);
    QVERIFY(!YearCountedFromSpring(calendar));

    const Reading sameYear =
        ComputeReading({u"Ann"_s, day, month, readingYear}, YearRule::Calendar);
    QCOMPARE(solar.principal, sameYear.principal);
    QCOMPARE(solar.fengShui, sameYear.fengShui);
    QCOMPARE(solar.elementDescription, sameYear.elementDescription);
    QCOMPARE(solar.starSummary, sameYear.starSummary);
    QCOMPARE(solar.readingText, sameYear.readingText);
    QCOMPARE(solar.relationshipText, sameYear.relationshipText);
}

void TestEngine::yearWithoutPrincipal()
{
    // A digit sum of 29 gives 2 + 9 = 11 and 11 - 11 = 0: no table knows that number.
    QCOMPARE(CalculatePrincipalNumber(u"2999"), std::optional<int>(0));
    QCOMPARE(CalculatePrincipalNumber(u"9992"), std::optional<int>(0));
    const auto numbers = CalculateCharacterNumber(u"October", u"15", 0);
    QVERIFY(numbers);
    QCOMPARE(numbers->solarMonth, 9);
    QCOMPARE(numbers->character, 0);
    QCOMPARE(CalculateEnergeticNumber(0, 0), 0);

    const Reading reading =
        ComputeReading({u"Ann"_s, u"15"_s, u"October"_s, u"2999"_s}, YearRule::Calendar);
    QCOMPARE(reading.principal, 0);
    QCOMPARE(reading.solarMonth, 9);
    QCOMPARE(reading.character, 0);
    QCOMPARE(reading.energetic, 0);
    QVERIFY(reading.starSummary.isEmpty());
}

void TestEngine::birthDateText()
{
    const BirthDetails typed{u"  Ann Example "_s, u" 15"_s, u"October "_s, u" 1975 "_s};
    const BirthDetails kept = TrimmedDetails(typed);
    QCOMPARE(kept, (BirthDetails{u"Ann Example"_s, u"15"_s, u"October"_s, u"1975"_s}));
    QCOMPARE(BirthDateText(kept), u"15 October 1975"_s);
    // Only spaces are blanks: a tab, a no-break space and an ideographic space stay.
    QCOMPARE(TrimmedDetails({u" \tAnn\u00a0 "_s, u"1"_s, u"May"_s, u"1970"_s}).name,
             u"\tAnn\u00a0"_s);
    QCOMPARE(TrimmedOfBlanks(u"\u3000Ann  "_s), u"\u3000Ann"_s);
    QCOMPARE(TrimmedOfBlanks(u"   "_s), QString());

    const Reading reading = ComputeReading(typed, YearRule::Calendar);
    QCOMPARE(reading.details, kept);
    QCOMPARE(reading.birthDateText, u"15 October 1975"_s);
    QCOMPARE(reading.principal, 7);
    QCOMPARE(reading.solarMonth, 9);
}

void TestEngine::starAttributes_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("attributes"); // colours, element, careers, compatible
    QTest::addColumn<QStringList>("partners");   // support, control, drain, controlled

    const auto row = [](int number, const QStringList& attributes, const QStringList& partners) {
        QTest::addRow("%d", number) << number << attributes << partners;
    };
    row(1, {u"Blue, Black"_s, u"Water"_s, u"Arbitrators, Mediators and Lawyers"_s, u"9"_s},
        {u"6,7"_s, u"9"_s, u"3"_s, u"9"_s});
    row(2,
        {u"Red, White, Pink"_s, u"Soil/ Earth"_s,
         u"Teachers, Organizers, Managers and Team Leaders."_s, u"1"_s},
        {u"9"_s, u"1"_s, u"7,6"_s, u"3,4"_s});
    row(3,
        {u"Bright Green"_s, u"Wood"_s, u"Models, Entertainers, Anchors and Teachers"_s,
         u"2, 5, 8"_s},
        {u"1"_s, u"2,5,8"_s, u"9"_s, u"6"_s});
    row(4,
        {u"Dark Green, Red, Blue"_s, u"Wood"_s, u"Counselors, Musicians and Artists"_s,
         u"2, 5, 8"_s},
        {u"1"_s, u"2,5,8"_s, u"9"_s, u"7"_s});
    row(5,
        {u"Yellow"_s, u"Soil/ Earth"_s, u"Business Managers, Army Officers, Judge, Advocates"_s,
         u"1"_s},
        {u"9"_s, u"1"_s, u"7,6"_s, u"3,4"_s});
    row(6,
        {u"White, Black, Grey"_s, u"Metal"_s,
         u"Lawyers, Psychologists, Real Estate Dealers, Business Proprietors"_s, u"3, 4"_s},
        {u"2,5,8"_s, u"3,4"_s, u"1"_s, u"9"_s});
    row(7, {u"Red"_s, u"Metal"_s, u"Lawyers, Scientists, Comedians and Editors"_s, u"3, 4"_s},
        {u"2,5,8"_s, u"3,4"_s, u"1"_s, u"9"_s});
    row(8,
        {u"Black, Blue, Green"_s, u"Soil/ Earth"_s, u"Lawyers, Comedians, Scientists and Editors"_s,
         u"1"_s},
        {u"9"_s, u"1"_s, u"7,6"_s, u"3,4"_s});
    // Compatible numbers carry a blank after the comma, the partner lists none.
    row(9,
        {u"Purple, Red, Orange"_s, u"Fire"_s,
         u"Fashion Designer, Models, Politician, Journalists"_s, u"6, 7"_s},
        {u"3,4"_s, u"6,7"_s, u"2,5,8"_s, u"1"_s});
}

// Every entry of every star, so that two entries swapped between stars are seen.
void TestEngine::starAttributes()
{
    QFETCH(int, number);
    QFETCH(QStringList, attributes);
    QFETCH(QStringList, partners);

    const StarAttributes* const star = StarAttributesOf(number);
    QVERIFY(star != nullptr);
    QCOMPARE((QStringList{star->luckyColours.toString(), ElementWord(star->element).toString(),
                          star->careers.toString(), star->compatible.toString()}),
             attributes);
    const PartnerLists& lists = star->partners;
    QCOMPARE((QStringList{lists.support.toString(), lists.control.toString(),
                          lists.drain.toString(), lists.controlled.toString()}),
             partners);
}

void TestEngine::outsideStarNumbers_data()
{
    QTest::addColumn<int>("number");

    QTest::newRow("0") << 0;
    QTest::newRow("10") << 10;
    QTest::newRow("-1") << -1;
}

void TestEngine::outsideStarNumbers()
{
    QFETCH(int, number);

    QVERIFY(!IsStarNumber(number));
    QVERIFY(StarAttributesOf(number) == nullptr);
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestEngine)
#include "tst_engine.moc"
