// Prints the engine's day events for places read from standard input, one per line:
//     latitude_deg longitude_deg year month day
// Output per line: sunrise, sunset, civil begin/end, astronomical begin/end as Julian days (UT), or
// "-" for an event that does not occur. Used by tools/check_ephemeris.py to compare the model
// with a high-precision ephemeris.
#include <cstdio>

#include "engine/engine.h"

int main() {
    double lat, lon;
    int y, m, d;
    while (std::scanf("%lf %lf %d %d %d", &lat, &lon, &y, &m, &d) == 5) {
        heliomark::SolarState s = heliomark::SolarStateFor(lat, lon, y, m, d, 0);
        heliomark::ComputeDayEvents(s, true);
        for (double v : {s.Sunrise, s.Sunset, s.CivilBegin, s.CivilEnd, s.AstroBegin, s.AstroEnd}) {
            // Day numbers carry +0.5 so that their integer part changes at local midnight.
            if (v == heliomark::NoValue) {
                std::printf(" -");
            } else {
                std::printf(" %.8f", v - 0.5);
            }
        }
        std::printf("\n");
    }
    return 0;
}
