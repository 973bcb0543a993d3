// The solar terms: the Sun's position once, the 24 terms of one year worked out afresh, and a
// term's local date once its year is known.

#include <benchmark/benchmark.h>

#include <QDate>
#include <QTimeZone>

#include "engine/solarterms.h"

namespace Kistarra {

namespace {

constexpr int Repetitions = 10;

void SunApparentLongitudeOnce(benchmark::State& state)
{
    double tt = 2461000.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SunApparentLongitude(tt, 0.0));
        tt += 0.37;
    }
}
BENCHMARK(SunApparentLongitudeOnce)->Repetitions(Repetitions)->ReportAggregatesOnly(true);

// What the first look-up of a year costs: its 24 terms solved.
void TermsOfOneYear(benchmark::State& state)
{
    int year = SolarTermsFirstYear;
    for (auto _ : state) {
        for (int index = 0; index < SolarTermCount; ++index)
            benchmark::DoNotOptimize(SolarTermJulianDateTT(year, index));
        year = year == SolarTermsLastYear ? SolarTermsFirstYear : year + 1;
    }
    state.SetLabel("24 terms");
}
BENCHMARK(TermsOfOneYear)
    ->Repetitions(Repetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

void CachedLocalDate(benchmark::State& state)
{
    const QTimeZone tokyo("Asia/Tokyo");
    benchmark::DoNotOptimize(SolarTermLocalDate(2026, 0, tokyo));
    int index = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SolarTermLocalDate(2026, index, tokyo));
        index = (index + 1) % SolarTermCount;
    }
}
BENCHMARK(CachedLocalDate)->Repetitions(Repetitions)->ReportAggregatesOnly(true);

} // namespace

} // namespace Kistarra

BENCHMARK_MAIN();
