// The Sun Events and Year windows' computations: one altitude's crossings, every read-out of a day
// (an ordinary one and a polar night, whose search walks up to two years of days), and a year's
// table with its bands.
#include <benchmark/benchmark.h>

#include "engine/sun_events_text.h"
#include "engine/year_table.h"

using namespace heliomark;

namespace {

SolarState Day(double lat, double lon, int month, int day, double zone) {
    SolarState s = SolarStateFor(lat, lon, 2024, month, day, zone);
    ComputeDayEvents(s, false);
    return s;
}

double EuropeanZone(double date) {
    return InDstPeriod(date, DateSerial(YearOf(date), 3, 31), DateSerial(YearOf(date), 10, 27)) ? 2 : 1;
}

void BM_ComputeAltitudeEvents(benchmark::State& state) {
    const SolarState s = Day(52.52, 13.405, 6, 21, 2);
    double altitude = -0.3;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeAltitudeEvents(s, altitude));
        altitude = altitude > 1 ? -0.3 : altitude + 0.01;
    }
}
BENCHMARK(BM_ComputeAltitudeEvents);

void BM_SunEventsReadouts(benchmark::State& state) {
    const SolarState s = Day(52.52, 13.405, 6, 21, 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeSunEventsReadouts(s, 10, EuropeanZone, 1, false));
}
BENCHMARK(BM_SunEventsReadouts);

// The worst day: the polar night's search runs the daily computation for months each way.
void BM_SunEventsReadoutsPolarNight(benchmark::State& state) {
    const SolarState s = Day(78.22, 15.65, 12, 21, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeSunEventsReadouts(s, 10, EuropeanZone, 1, false));
}
BENCHMARK(BM_SunEventsReadoutsPolarNight);

void BM_ShadowReadouts(benchmark::State& state) {
    double altitude = 0.01;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeShadowReadouts(altitude, 3.5, false));
        altitude = altitude > 1.5 ? 0.01 : altitude + 0.001;
    }
}
BENCHMARK(BM_ShadowReadouts);

// What the Year window computes when the place, zone, rule or year change.
void BM_YearTableWithBands(benchmark::State& state) {
    const SolarState place = SolarStateFor(52.52, 13.405, 2024, 1, 1, 0);
    for (auto _ : state) {
        const std::vector<YearDay> table = ComputeYearTable(place, 2024, EuropeanZone);
        int runs = 0;
        for (const YearDay& day : table)
            runs += ComputeDayBands(day).Count;
        benchmark::DoNotOptimize(runs);
    }
}
BENCHMARK(BM_YearTableWithBands)->Unit(benchmark::kMillisecond);

}  // namespace
