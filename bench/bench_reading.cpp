// The costs a reading is made of: the star numbers of one date, a whole reading with its composed
// texts, a saved reading file written and read back, the year ahead of one date, and the
// comparison of two readings.

#include <cstddef>
#include <vector>

#include <benchmark/benchmark.h>

#include <QDate>
#include <QString>
#include <QTemporaryDir>
#include <QTimeZone>

#include "engine/ninestar.h"
#include "engine/yearahead.h"
#include "reading/comparison.h"
#include "reading/reading.h"
#include "savedreading/savedreading.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr int Repetitions = 10;

// Every date the birth details lists offer: days 1..31 of every month of 1900..2050. Built once,
// outside every timed loop.
const std::vector<BirthDetails>& listDates()
{
    static const std::vector<BirthDetails> dates = [] {
        std::vector<BirthDetails> all;
        all.reserve(std::size_t{31} * MonthNames.size() * 151);
        for (int year = 1900; year <= 2050; ++year) {
            for (const QStringView month : MonthNames) {
                for (int day = 1; day <= 31; ++day)
                    all.push_back(
                        {u"Ann"_s, QString::number(day), month.toString(), QString::number(year)});
            }
        }
        return all;
    }();
    return dates;
}

void StarNumbers(benchmark::State& state)
{
    const QString day = u"15"_s;
    const QString month = u"October"_s;
    const QString year = u"1975"_s;
    for (auto _ : state) {
        const int principal = CalculatePrincipalNumber(year).value_or(0);
        const CharacterNumbers character =
            CalculateCharacterNumber(month, day, principal).value_or(CharacterNumbers{});
        const int energetic = CalculateEnergeticNumber(principal, character.character);
        benchmark::DoNotOptimize(principal);
        benchmark::DoNotOptimize(character);
        benchmark::DoNotOptimize(energetic);
    }
}

void ComputeReadingOfListDates(benchmark::State& state)
{
    const std::vector<BirthDetails>& dates = listDates();
    std::size_t next = 0;
    for (auto _ : state) {
        const Reading reading = ComputeReading(dates[next], YearRule::Calendar);
        benchmark::DoNotOptimize(reading);
        next = next + 1 == dates.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}

void SavedReadingRoundTrip(benchmark::State& state)
{
    const QTemporaryDir dir;
    if (!dir.isValid()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const QString path = dir.filePath(u"reading.nsk"_s);
    const BirthDetails details{u"\u0160\u00E1rka Zo\u00EB \u738B"_s, u"29"_s, u"February"_s,
                               u"2000"_s};
    for (auto _ : state) {
        if (!WriteSavedReading(path, details)) {
            state.SkipWithError("cannot write");
            break;
        }
        const Result<BirthDetails> read = ReadSavedReading(path);
        if (!read || *read != details) {
            state.SkipWithError("read back differs");
            break;
        }
        benchmark::DoNotOptimize(read);
    }
}

// Once the year's solar terms are known (the first call works them out, outside the loop).
void YearAheadOfOneDate(benchmark::State& state)
{
    const QDate date(2026, 6, 1);
    const QTimeZone zone(QByteArrayLiteral("Asia/Tokyo"));
    benchmark::DoNotOptimize(ComputeYearAhead(3, date, zone));
    for (auto _ : state) {
        const auto ahead = ComputeYearAhead(3, date, zone);
        benchmark::DoNotOptimize(ahead);
    }
}

// What a comparison adds to the two readings: every pair of principal numbers, each with other
// character and energetic numbers, compared in turn.
void CompareTwoReadings(benchmark::State& state)
{
    std::vector<Reading> readings;
    for (const int year : {1970, 1971, 1972, 1973, 1974, 1975, 1976, 1977, 1978}) {
        readings.push_back(ComputeReading({u"Ann"_s, u"1"_s, u"May"_s, QString::number(year)},
                                          YearRule::Calendar));
    }
    std::size_t next = 0;
    for (auto _ : state) {
        const Reading& person = readings[next % readings.size()];
        const Reading& partner = readings[(next / readings.size()) % readings.size()];
        benchmark::DoNotOptimize(CompareReadings(person, partner));
        ++next;
    }
}

} // namespace

BENCHMARK(CompareTwoReadings)->Repetitions(Repetitions)->DisplayAggregatesOnly(true);
BENCHMARK(StarNumbers)->Repetitions(Repetitions)->DisplayAggregatesOnly(true);
BENCHMARK(ComputeReadingOfListDates)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(Repetitions)
    ->DisplayAggregatesOnly(true);
BENCHMARK(SavedReadingRoundTrip)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(Repetitions)
    ->DisplayAggregatesOnly(true);
BENCHMARK(YearAheadOfOneDate)->Repetitions(Repetitions)->DisplayAggregatesOnly(true);

} // namespace Kistarra

BENCHMARK_MAIN();
