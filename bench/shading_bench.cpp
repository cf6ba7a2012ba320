// One full day-view update (344 positions, blend, pointer, curve) and one full world-map update
// (Sun, 450 x 222 pixels, disc, marker) per iteration. The running clock may ask for both a hundred
// times a second, so they must stay well under 10 ms together (budget: map 1 ms, day view 0.5 ms).
#include <benchmark/benchmark.h>

#include <cstdint>

#include "shading/day_view.h"
#include "shading/world_map.h"

namespace {

using namespace heliomark;

// A deterministic picture with bytes spread over the whole range, so no blend is trivially constant.
PixelBuffer NoisePicture(int32_t width, int32_t height) {
    PixelBuffer b = CreatePixelBuffer(width, height);
    uint32_t x = 12345;
    for (uint8_t& byte : b.Bits) {
        x = x * 1664525u + 1013904223u;
        byte = static_cast<uint8_t>(x >> 24);
    }
    return b;
}

SolarState Paris() {
    return SolarStateFor(48.85, 2.35, 2026, 3, 20, 1);
}

void BM_DayViewUpdate(benchmark::State& st) {
    DayView view(NoisePicture(DayViewWidth, 2 * DayViewHeight));
    SolarState s = Paris();
    for (auto _ : st) {
        view.UpdateGrafData(s, 13, 45, 10.5);
        benchmark::DoNotOptimize(view.Result().Bits.data());
    }
}
BENCHMARK(BM_DayViewUpdate)->Unit(benchmark::kMicrosecond);

void BM_WorldMapUpdate(benchmark::State& st) {
    WorldMap map(NoisePicture(MapWidth, 2 * MapHeight));
    const SolarState s = Paris();
    for (auto _ : st) {
        map.UpdateMapData(s, 13, 45, 10.5);
        benchmark::DoNotOptimize(map.Result().Bits.data());
    }
}
BENCHMARK(BM_WorldMapUpdate)->Unit(benchmark::kMicrosecond);

}  // namespace
