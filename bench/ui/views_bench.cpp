// The Qt side of the Sun Events and Year windows: one update of the Sun Events read-outs as the
// main window calls it, and the Year picture computed and drawn whole (what a new place, zone, rule
// or year costs) at the pixel ratios of a 100 % and a 200 % screen. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "app/shared_state.h"
#include "engine/year_table.h"
#include "ui/views/sun_events_window.h"
#include "ui/views/year_picture.h"

using namespace heliomark;

namespace {

double EuropeanZone(double date) {
    return InDstPeriod(date, DateSerial(YearOf(date), 3, 31), DateSerial(YearOf(date), 10, 27)) ? 2 : 1;
}

SharedState Berlin(int month, int day) {
    SharedState s;
    static_cast<SolarState&>(s) = SolarStateFor(52.52, 13.405, 2024, month, day, 2);
    ComputeDayEvents(s, false);
    ComputeCurrentPosition(s, 17, 30, 0);
    return s;
}

void BM_SunEventsWindowUpdate(benchmark::State& state) {
    const SharedState s = Berlin(6, 21);
    SunEventsWindow window(s, EuropeanZone, nullptr);
    for (auto _ : state) {
        window.UpdateEventsData();
        window.UpdateShadow(0.3);
    }
}
BENCHMARK(BM_SunEventsWindowUpdate)->Unit(benchmark::kMicrosecond);

void BM_YearPictureComputeAndDraw(benchmark::State& state) {
    const qreal ratio = static_cast<qreal>(state.range(0));
    const SharedState s = Berlin(1, 1);
    YearPicture picture(nullptr);
    for (auto _ : state) {
        picture.SetTable(ComputeYearTable(s, 2024, EuropeanZone));
        benchmark::DoNotOptimize(picture.Render(ratio));
    }
}
BENCHMARK(BM_YearPictureComputeAndDraw)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
