// The solar terms: the Sun's position once, the 24 terms of one year worked out afresh, and a
// term's local date once its year is known.

#include <benchmark/benchmark.h>

#include <QDate>
#include <QTimeZone>

#include "engine/daterange.h"
#include "engine/solarterms.h"
#include "engine/sunposition.h"

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
    int year = DateRange::FirstYear;
    for (auto _ : state) {
        for (const SolarTerm term : SolarTerms)
            benchmark::DoNotOptimize(SolarTermDaysTT(year, term));
        year = year == DateRange::LastYear ? DateRange::FirstYear : year + 1;
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
    benchmark::DoNotOptimize(SolarTermLocalInstant(2026, SolarTerm::MinorCold, tokyo));
    std::size_t index = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            SolarTermLocalInstant(2026, SolarTerms[index], tokyo)->localDate());
        index = (index + 1) % SolarTerms.size();
    }
}
BENCHMARK(CachedLocalDate)->Repetitions(Repetitions)->ReportAggregatesOnly(true);

} // namespace

} // namespace Kistarra

BENCHMARK_MAIN();
