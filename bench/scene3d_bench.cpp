// One frame of the sky view at its heaviest settings: grid quality 50, every parallel and meridian
// (densities 4), the Sun's path shown. Budget: well under 2 ms per frame, so that dragging the view
// stays smooth.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string_view>
#include <type_traits>

#include "../tests/scene3d/recording_surface.h"
#include "engine/engine.h"
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

enum class Pose { Inside, Outside };

void PrepareHeaviestScene(SkyModel& model, Settings& settings, Pose pose) {
    settings.GridQuality = 50;
    model.BuildModel(true);
    model.SetParallelsDensity(4);
    model.SetMeridiansDensity(4);
    SolarState state;
    state.Latitude = DegToRad(48.2);
    state.Longitude = 16.37;
    state.Year = 2024;
    state.Month = 6;
    state.Day = 21;
    state.ZoneHours = 2;
    model.ComputeSunPath(state);
    model.ShowSunPath(true);
    ComputeCurrentPosition(state, 15, 30, 0);
    model.SetSunPosition(state.Azimuth, state.Altitude);
    if (pose == Pose::Inside) {
        // Looking south-east, 20° up, zoom 1.
        model.SkyCamera.AnH = static_cast<float>(-DegToRad(135));
        model.SkyCamera.AnV = static_cast<float>(DegToRad(20));
    } else {
        // The whole sphere from 8 radii, zoom 2.51: every line of the scene is in view.
        const double alt = DegToRad(30), azm = DegToRad(200), r = 8;
        model.SkyCamera.X = static_cast<float>(r * std::cos(alt) * std::cos(azm));
        model.SkyCamera.Y = static_cast<float>(-std::cos(alt) * std::sin(azm) * r);
        model.SkyCamera.Z = static_cast<float>(std::sin(alt) * r);
        model.SkyCamera.AnH = static_cast<float>(3.14159265358979 - azm);
        model.SkyCamera.AnV = static_cast<float>(-alt);
        model.SetViewField(0.7f / 2.51f);
    }
}

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
    SolarState state;
    state.Latitude = DegToRad(48.2);
    state.Longitude = 16.37;
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
