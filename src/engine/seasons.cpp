// Equinoxes and solstices: the day on which the Sun's longitude crosses 0, 90, 180 or 270 degrees,
// found among six daily samples at 12:00 UT and interpolated linearly.
#include <cmath>

#include "engine/engine.h"

namespace heliomark {

namespace {

struct EventSpec {
    int Flag;
    int Month;
    int FirstDay;
    double Threshold;  // unused for March, where the reduced longitude wraps from 2pi to 0
};

constexpr EventSpec Events[] = {
    {1, 3, 18, 0},
    {2, 6, 19, 1.5707963267949},
    {4, 9, 20, 3.14159265358979},
    {8, 12, 19, 4.7123889803847},
};

std::optional<double> FindEvent(const EventSpec& e, int year, double hourZone, double dstStart, double dstEnd,
                                bool dstEnabled) {
    double arr[7] = {};
    for (int k = 1; k <= 6; ++k) {
        arr[k] = FloorMod(SunLongitude(JulianDay(year, e.Month, e.FirstDay + k - 1, 12, 0, 0)), TwoPi);
    }
    const double base = e.FirstDay - 0.5;
    for (int k = 2; k <= 6; ++k) {
        double t;
        if (e.Flag == 1) {
            if (!(arr[k] - arr[k - 1] < 0)) continue;
            t = k + base - arr[k] / (arr[k] - arr[k - 1] + TwoPi) + hourZone / 24;
        } else {
            if (!(arr[k] >= e.Threshold && arr[k - 1] < e.Threshold)) continue;
            t = k + base - (arr[k] - e.Threshold) / (arr[k] - arr[k - 1]) + hourZone / 24;
        }
        const double day = std::floor(t);
        const double hours = (t - day) * 24;
        int hour = static_cast<int>(std::floor(hours));
        const int minute = static_cast<int>(std::floor((hours - std::floor(hours)) * 60));
        const double date = DateSerial(year, e.Month, static_cast<int>(day));
        if (dstEnabled && InDstPeriod(date, dstStart, dstEnd)) hour = hour + 1;
        return OleDateTime(date, TimeSerial(hour, minute, 0));
    }
    // Far from the present the crossing leaves the sampled days: no value rather than a wrong one.
    return std::nullopt;
}

}  // namespace

Seasons ComputeSeasons(int year, int flags, double hourZone, double dstStart, double dstEnd,
                       bool dstEnabled) {
    Seasons out;
    std::optional<double>* slots[] = {&out.Vernal, &out.Summer, &out.Autumnal, &out.Winter};
    for (int i = 0; i < 4; ++i) {
        if (flags & Events[i].Flag)
            *slots[i] = FindEvent(Events[i], year, hourZone, dstStart, dstEnd, dstEnabled);
    }
    return out;
}

}  // namespace heliomark
