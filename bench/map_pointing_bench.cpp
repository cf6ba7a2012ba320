// The world map's search for the city nearest the mouse, over the shipped city list. It runs on
// every mouse move over the map, so it must stay far below a frame: budget 0.1 ms per search.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "data/data.h"
#include "shading/map_pointing.h"

namespace {

using namespace heliomark;

void BM_FindNearestCity(benchmark::State& st) {
    const CityList cities =
        LoadCities(std::filesystem::path(HELIOMARK_SOURCE_DIR) / "resources" / "city_db.txt");
    // Pointer positions over the whole map, land and sea, visited in turn.
    std::vector<std::pair<double, double>> points;
    for (double lat = -80; lat <= 80; lat += 10)
        for (double lon = -180; lon <= 180; lon += 15)
            points.emplace_back(lat, lon);
    std::size_t i = 0;
    for (auto _ : st) {
        const auto& [lat, lon] = points[i++ % points.size()];
        benchmark::DoNotOptimize(FindNearestCity(cities, lat, lon));
    }
    st.counters["cities"] = static_cast<double>(cities.size());
}
BENCHMARK(BM_FindNearestCity)->Unit(benchmark::kMicrosecond);

}  // namespace
