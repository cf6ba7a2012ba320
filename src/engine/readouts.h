// The texts the main window and the twilights window show, made from the engine's results with
// the display settings (seconds shown, degrees-minutes-seconds, the right-ascension form), so that
// the windows and the command line write every value the same way.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/engine.h"

namespace heliomark {

// The day length: "Polar Day" or "Polar Night" by PolarState, "-" when rise or set is missing
// (at a pole the engine gives neither and keeps an earlier polar mark), else the duration.
std::string FormatDayLength(const SolarState& day, int32_t showSeconds);

// The "Day Properties" boxes, from the results of ComputeDayEvents. Sunrise and sunset carry the
// " Y"/" T" suffix of an event on the day before or after the transit's.
struct DayReadouts {
    std::string Sunrise, Sunset, DayLength, MaxAltitude, RightAscension, Declination, Transit;
};
// raFormat: 0 decimal degrees, 1 degrees-minutes-seconds, 2 hours ("3h49m11s").
DayReadouts FormatDayReadouts(const SolarState& day, int32_t showSeconds, bool useDMS, int16_t raFormat);

// The "Sun Position" boxes, from the results of ComputeCurrentPosition and the altitude after
// refraction (radians). The azimuth reads from north through east, in [0, 360).
struct PositionReadouts {
    std::string Altitude, AfterRefraction, Azimuth;
};
PositionReadouts FormatPositionReadouts(const SolarState& now, double refractedAltitude, bool useDMS);

// The twilights window, index 0 civil, 1 nautical, 2 astronomical: when each twilight starts and
// ends (with the day suffix) and how long its morning and evening parts last; "-" where an event
// is missing.
struct TwilightReadouts {
    std::array<std::string, 3> Starts, Ends, MorningLength, EveningLength;
};
TwilightReadouts FormatTwilightReadouts(const SolarState& day, int32_t showSeconds);

}  // namespace heliomark
