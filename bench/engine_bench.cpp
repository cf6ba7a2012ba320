// Hot paths of the solar engine: the clock tick's position, a day's events, and a bulk year.
#include <benchmark/benchmark.h>

#include "engine/engine.h"

using namespace heliomark;

namespace {

SolarState Berlin() {
    return SolarStateFor(52.52, 13.405, 2024, 6, 21, 2);
}

void BM_ComputeCurrentPosition(benchmark::State& state) {
    SolarState s = Berlin();
    double seconds = 0;
    for (auto _ : state) {
        ComputeCurrentPosition(s, 12, 30, seconds);
        seconds += 0.01;
        if (seconds >= 60) seconds = 0;
        benchmark::DoNotOptimize(s.Altitude);
    }
}
BENCHMARK(BM_ComputeCurrentPosition);

void BM_ComputeDayEventsWithTwilights(benchmark::State& state) {
    SolarState s = Berlin();
    int day = 1;
    for (auto _ : state) {
        s.Day = static_cast<int16_t>(day);
        ComputeDayEvents(s, true);
        day = day % 28 + 1;
        benchmark::DoNotOptimize(s.Sunrise);
    }
}
BENCHMARK(BM_ComputeDayEventsWithTwilights);

// One year of day events with twilights for 1,000 places spread over the globe.
void BM_YearOfDayEventsFor1000Places(benchmark::State& state) {
    for (auto _ : state) {
        double sum = 0;
        for (int p = 0; p < 1000; ++p) {
            const double longitude = -180 + (p * 359.0) / 999;
            SolarState s = SolarStateFor(-65 + (p * 130.0) / 999, longitude, 2025, 1, 1,
                                         static_cast<int>(longitude / 15));
            for (double d = DateSerial(2025, 1, 1); d < DateSerial(2026, 1, 1); d += 1) {
                s.Month = static_cast<int16_t>(MonthOf(d));
                s.Day = static_cast<int16_t>(DayOf(d));
                ComputeDayEvents(s, true);
                sum += s.Transit;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_YearOfDayEventsFor1000Places)->Unit(benchmark::kMillisecond);

}  // namespace
