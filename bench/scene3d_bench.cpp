// One frame of the sky view at its heaviest settings: grid quality 50, every parallel and meridian
// (densities 4), the Sun's path shown. Budget: well under 2 ms per frame, so that dragging the view
// stays smooth.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string_view>
#include <type_traits>

#include "../tests/scene3d/recording_surface.h"
#include "engine/engine.h"
#include "heaviest_sky_scene.h"
#include "scene3d/sky_model.h"

namespace {

using namespace heliomark;

// A surface that draws nothing: the engine's own cost.
class NullSurface : public DrawSurface {
  public:
    NullSurface(float widthPixels, float heightPixels) : width_(widthPixels), height_(heightPixels) {}
    float WidthPixels() const override { return width_; }
    float HeightPixels() const override { return height_; }
    void SetScale(float, float, float, float) override {}
    void Clear() override {}
    void Line(float, float, float, float, Color32) override {}
    void Circle(float, float, float, Color32) override {}
    void Print(float, float, std::string_view) override {}

  private:
    float width_, height_;
};

template <typename Surface>
void BM_DrawScene(benchmark::State& st, Pose pose) {
    Settings settings;
    Surface surface(305, 209);
    SkyModel model(settings, surface);
    PrepareHeaviestScene(model, settings, pose);
    for (auto _ : st) {
        model.DrawScene();
        benchmark::ClobberMemory();
    }
    if constexpr (std::is_same_v<Surface, RecordingSurface>) {
        st.counters["lines"] = static_cast<double>(surface.Lines.size());
    }
}

void BM_DrawSceneRecording(benchmark::State& st, Pose pose) {
    BM_DrawScene<RecordingSurface>(st, pose);
}
void BM_DrawSceneNull(benchmark::State& st, Pose pose) {
    BM_DrawScene<NullSurface>(st, pose);
}

void BM_ComputeSunPath(benchmark::State& st) {
    Settings settings;
    settings.GridQuality = 50;
    NullSurface surface(305, 209);
    SkyModel model(settings, surface);
    model.BuildModel(true);
    SolarState state = SolarStateFor(48.2, 16.37, 2000, 1, 1, 0);
    for (auto _ : st) {
        model.ComputeSunPath(state);
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK_CAPTURE(BM_DrawSceneRecording, inside, Pose::Inside)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_DrawSceneRecording, outside, Pose::Outside)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_DrawSceneNull, inside, Pose::Inside)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_DrawSceneNull, outside, Pose::Outside)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ComputeSunPath)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
