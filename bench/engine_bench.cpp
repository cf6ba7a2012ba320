#include <benchmark/benchmark.h>
#include "engine/engine.h"
static void BM_Placeholder(benchmark::State& st) { for (auto _ : st) benchmark::DoNotOptimize(heliomark::SunLongitude(2451545.0)); }
BENCHMARK(BM_Placeholder);
