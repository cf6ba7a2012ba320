// A whole year with every column and all three twilights: the largest table the calendar builds.
// The calendar window rebuilds it on each Calculate, so it should stay well under 20 ms.
#include <benchmark/benchmark.h>

#include "calendar/calendar.h"

namespace {

heliomark::CalendarRequest FullYear() {
    heliomark::CalendarRequest r;
    r.Year = 2024;
    r.WholeYear = true;
    r.Columns = {true, true, true, true, true, true, true};
    for (auto& kind : r.Twilights)
        kind = {true, true, true, true};
    r.DstInUse = true;
    r.DstStart = heliomark::DateSerial(2024, 3, 31);
    r.DstEnd = heliomark::DateSerial(2024, 10, 27);
    r.Latitude = heliomark::DegToRad(52.52);
    r.Longitude = 13.405;
    r.HourZone = 1;
    r.HourZoneText = "GMT+01:00";
    r.SelectedCity = heliomark::CalendarCity{"Berlin", 52.52, 13.405};
    r.ShowSecondsSetting = 1;
    r.AngleFormatSetting = true;
    r.RAFormatSetting = 2;
    return r;
}

void BM_CalendarWholeYearAllColumns(benchmark::State& st) {
    const heliomark::CalendarRequest request = FullYear();
    heliomark::SolarState state;
    for (auto _ : st)
        benchmark::DoNotOptimize(heliomark::BuildCalendarText(request, state));
}
BENCHMARK(BM_CalendarWholeYearAllColumns)->Unit(benchmark::kMillisecond);

}  // namespace
