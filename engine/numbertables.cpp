#include "engine/numbertables.h"

#include "engine/ninestar.h"

namespace Kistarra {

namespace {

QStringView entry(const StarTable& table, int n)
{
    return IsStarNumber(n) ? table[static_cast<std::size_t>(n - 1)] : QStringView();
}

constexpr bool rowCountsDown(const std::array<int, 12>& row)
{
    for (std::size_t i = 1; i < row.size(); ++i) {
        if (row[i] != (row[i - 1] == 1 ? 9 : row[i - 1] - 1))
            return false;
    }
    return true;
}

static_assert(rowCountsDown(CharacterTable147) && CharacterTable147[0] == 8);
static_assert(rowCountsDown(CharacterTable258) && CharacterTable258[0] == 2);
static_assert(rowCountsDown(CharacterTable369) && CharacterTable369[0] == 5);

} // namespace

QStringView LuckyColour(int n)
{
    return entry(LuckyColourTable, n);
}
QStringView NumberElement(int n)
{
    return entry(NumberElementTable, n);
}
QStringView BestCareers(int n)
{
    return entry(BestCareersTable, n);
}
QStringView CompatibleNumbers(int n)
{
    return entry(CompatibleNumbersTable, n);
}
QStringView SupportNumbers(int n)
{
    return entry(SupportNumbersTable, n);
}
QStringView ControlNumbers(int n)
{
    return entry(ControlNumbersTable, n);
}
QStringView DrainNumbers(int n)
{
    return entry(DrainNumbersTable, n);
}
QStringView ControlledNumbers(int n)
{
    return entry(ControlledNumbersTable, n);
}

} // namespace Kistarra
