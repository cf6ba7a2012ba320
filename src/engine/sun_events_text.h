// The texts of the Sun Events and Year windows, in the main window's formats: clock times with the
// seconds setting and the " Y"/" T" day suffixes, angles with the angle setting, "-" for an event
// that does not happen. The windows show these texts as they are.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/sun_events.h"

namespace heliomark {

// An event's clock time as the main window shows a sunrise: "06:12" or "06:12:09", followed by
// " Y" or " T" when it falls on the local day before or after the transit's; "-" for NoValue.
std::string FormatEventTime(double transit, double event, int32_t showSeconds);
// "Jan" .. "Dec"; an empty text outside 1..12.
std::string MonthAbbreviation(int month);
// An OLE date as "27 Nov".
std::string FormatDayMonth(double date);
// The label of a line of the clock-hour grid: "0h", "6h", "24h".
std::string FormatHourLabel(int hour);

// The polar line: "Polar night since 27 Nov (last sunset 12:21), next sunrise 16 Jan at 11:43",
// or "Polar day since ... (last sunrise ...), next sunset ...". "since" names the first day after
// the last sunset (sunrise). Where the search found no such day: "Polar night for more than a
// year" and ", no sunrise within a year". Empty when the span is neither polar day nor night.
std::string FormatPolarLine(const PolarSpan& span, int32_t showSeconds);

// "2.75 m" (two decimals), "-" while the Sun is not above the horizon.
std::string FormatShadowLength(const StickShadow& shadow);
// A direction in degrees with the angle setting; "-" for NoValue.
std::string FormatDirection(double degrees, bool useDMS);

// The altitude typed into the Sun Events window: a decimal number of degrees with a full stop,
// an optional sign and blanks around it, from -18 to +89. Nothing for any other text.
inline constexpr double MinCustomAltitudeDeg = -18;
inline constexpr double MaxCustomAltitudeDeg = 89;
std::optional<double> ParseCustomAltitude(std::string_view text);
// What the window says when it refuses a typed altitude.
std::string CustomAltitudeRefusal(std::string_view typed);

// Every read-out of the Sun Events window that depends on the place and the date.
struct SunEventsReadouts {
    // Golden hour morning begin, morning end, evening begin, evening end; then the blue hour's four.
    std::array<std::string, 8> Bands;
    std::string RiseAzimuth, SetAzimuth;  // the Sun's azimuth at sunrise and at sunset
    std::string CustomRise, CustomSet;    // crossings of the typed altitude
    std::string Polar;                    // the polar line, empty on an ordinary day
    // The day numbers the band and crossing texts were made from (NoValue where there is none), for
    // outputs that also give each event as an instant.
    std::array<double, 8> BandDays{};
    double CustomRiseDay = NoValue, CustomSetDay = NoValue;
};
// `day` holds computed day events (ComputeDayEvents: Transit, Sunrise, Sunset, PolarState);
// customAltitudeDeg is geometric, degrees.
SunEventsReadouts ComputeSunEventsReadouts(const SolarState& day, double customAltitudeDeg,
                                           const ZoneHoursOnDate& zoneHoursOn, int32_t showSeconds,
                                           bool useDMS);

// The read-outs that follow the clock: the shadow of a 1 m stick and where it points.
struct ShadowReadouts {
    std::string Length, Direction;
};
// refractedAltitude and azimuth in radians, as ComputeStickShadow takes them.
ShadowReadouts ComputeShadowReadouts(double refractedAltitude, double azimuth, bool useDMS);

}  // namespace heliomark
