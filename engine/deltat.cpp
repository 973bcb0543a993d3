#include "engine/deltat.h"

#include <cstddef>

#include "engine/deltattable.h"

namespace Kistarra {

namespace {

// Half the long-term acceleration of ΔT, 65 s per century squared: the tidal and glacial
// slowing of the Earth of the parabola of Stephenson, Morrison and Hohenkerk (2016), in seconds
// per year squared. Starting level keeps the forecast within the spread of current ones (about 70
// to 95 s by 2100) whichever way the last few months of observations happened to lean.
constexpr double ForecastCurvature = 32.5 / 10000.0;

template <std::size_t N>
double interpolated(const std::array<std::int32_t, N>& milliseconds, double first, double step,
                    double year)
{
    const double position = (year - first) / step;
    if (position <= 0)
        return milliseconds.front() / 1000.0;
    const auto index = static_cast<std::size_t>(position);
    if (index + 1 >= N)
        return milliseconds.back() / 1000.0;
    const double fraction = position - static_cast<double>(index);
    return (milliseconds[index] + fraction * (milliseconds[index + 1] - milliseconds[index])) /
           1000.0;
}

constexpr double MonthStep = 1.0 / 12.0;

// The last observed value's decimal year, where the forecast takes over.
constexpr double ObservedUntil =
    DeltaTTable::MonthlyFirst + static_cast<double>(DeltaTTable::Monthly.size() - 1) * MonthStep;

} // namespace

double DeltaTSeconds(double year)
{
    if (year < DeltaTTable::MonthlyFirst)
        return interpolated(DeltaTTable::Yearly, DeltaTTable::YearlyFirst, 1.0, year);
    if (year <= ObservedUntil)
        return interpolated(DeltaTTable::Monthly, DeltaTTable::MonthlyFirst, MonthStep, year);
    const double ahead = year - ObservedUntil;
    return DeltaTTable::Monthly.back() / 1000.0 + ForecastCurvature * ahead * ahead;
}

} // namespace Kistarra
