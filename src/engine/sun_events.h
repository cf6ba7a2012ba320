// What people plan by, beyond sunrise and sunset: the times the Sun crosses any altitude, the golden
// and blue hours, where the Sun rises and sets, the shadow of a stick, and on a polar day or night
// when the Sun last set or rose and when it next will. Plain C++ over the day-event method of
// engine.h; nothing here changes the SolarState it is given.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "engine/engine.h"

namespace heliomark {

// ------------------------------------------------------------------ any altitude
struct AltitudeCrossings {
    double Morning = NoValue;  // day number of the rising crossing (fraction = local clock time)
    double Evening = NoValue;  // day number of the setting crossing
    // 0 when both crossings happen. Otherwise the side the Sun keeps where a crossing is missing:
    // 1 above the altitude all the time, -1 below it (the polar mark of ComputeEventPair).
    int16_t Status = 0;
};

// The instants at which the centre of the Sun passes the altitude `altitude` on the local day of
// `state`: rising in the morning, setting in the evening.
//
// Convention: the altitude is GEOMETRIC, the true altitude of the Sun's centre above the
// astronomical horizon, with no refraction and no allowance for the Sun's radius. The twilights
// (-6°, -12°, -18°) and the golden and blue hours are defined on it; the rise/set altitude
// (-0.833°) is the geometric altitude at which refraction lifts the Sun's upper limb to the horizon.
//
// state     Reads Latitude (radians, north positive, -pi/2..+pi/2), Longitude (DEGREES, east
//           positive), Year, Month, Day (the local date, Gregorian) and ZoneHours (hours added to
//           universal time, the DST hour included). Nothing is written, so its PolarState and
//           PolarScratch stay as ComputeDayEvents left them.
// altitude  Radians, -pi/2..+pi/2: DegToRad(10) for 10°, -DegToRad(6) for civil twilight.
//
// Method: that of sunrise and sunset (ComputeEventPair): the hour angle of the altitude at the
// Sun's declination at local mean noon, refined once with the Sun's position at that estimate.
// With altitude == state.RiseSetAltitude, Morning and Evening are bit for bit the Sunrise and
// Sunset of ComputeDayEvents. Accuracy: that of the low-precision solar model, within a minute for
// |latitude| <= 60° away from grazing crossings (an altitude within a few degrees of the day's
// highest or lowest); near those the single refinement may miss by more or find no crossing.
//
// "Not found" is a normal result, not an error: a crossing that does not happen on this local
// day is NoValue and Status tells which side of the altitude the Sun keeps. At a pole
// (|Latitude| == pi/2 exactly) there are no crossings and Status compares the noon altitude.
AltitudeCrossings ComputeAltitudeEvents(const SolarState& state, double altitude);

// ------------------------------------------------------------------ golden and blue hour
// Geometric altitudes of the Sun's centre, degrees. Golden hour: between -4° and +6°, in the
// morning from -4° rising to +6° rising, in the evening from +6° setting to -4° setting. Blue hour:
// between -6° and -4°, in the morning from -6° to -4° rising, in the evening from -4° to -6°.
inline constexpr double BlueHourLowDeg = -6;
inline constexpr double GoldenHourLowDeg = -4;  // also where the blue hour ends
inline constexpr double GoldenHourHighDeg = 6;

// Day numbers, NoValue where the crossing does not happen on the local day (a golden hour that
// never ends in a winter where the Sun stays below +6°, for one).
struct LightHours {
    double GoldenMorningBegin = NoValue, GoldenMorningEnd = NoValue;
    double GoldenEveningBegin = NoValue, GoldenEveningEnd = NoValue;
    double BlueMorningBegin = NoValue, BlueMorningEnd = NoValue;
    double BlueEveningBegin = NoValue, BlueEveningEnd = NoValue;
};
LightHours ComputeLightHours(const SolarState& state);

// ------------------------------------------------------------------ directions and shadow
// The Sun's azimuth, degrees from north through east in [0, 360), at the instant of an event given
// as a day number of the state's zone (a sunrise, say), for the state's place; NoValue for NoValue.
double AzimuthAtEvent(const SolarState& state, double dayNumber);

struct StickShadow {
    // Metres of shadow cast by a 1 m vertical stick on level ground: 1 / tan(refracted altitude),
    // NoValue while the Sun is not above the horizon.
    double Length = NoValue;
    // Where the shadow points, degrees from north through east in [0, 360): the Sun's azimuth + 180°.
    // NoValue with the length.
    double Direction = NoValue;
};
// refractedAltitude: radians, the apparent altitude (RefractionLookup of the geometric one), which
// is what casts the shadow. azimuth: radians, as SolarState::Azimuth.
StickShadow ComputeStickShadow(double refractedAltitude, double azimuth);

// ------------------------------------------------------------------ polar day and night
// The zone hours (the DST hour included) that the main window uses on a local date (an OLE date),
// so that a day's times computed here are those it shows on that day.
using ZoneHoursOnDate = std::function<double(double date)>;

// The usual daily computation (ComputeDayEvents without twilights) for the place of `place` on
// another local date with that date's zone hours.
SolarState DayEventsOn(const SolarState& place, double date, double zoneHours);

inline constexpr int PolarSearchDays = 366;  // how far the search goes each way

struct PolarEnd {
    double Date = 0;           // OLE date of the day that has the event
    double Time = NoValue;     // day number of the event, as the main window shows it on that day
    double Transit = NoValue;  // that day's transit (the event's " Y"/" T" suffix is relative to it)
};
struct PolarSpan {
    int16_t State = 0;  // the state's PolarState: 1 polar day, -1 polar night, 0 neither
    // Polar night: the last day before the state's date that has a sunset, and the first day after
    // it that has a sunrise. Polar day: the last day before with a sunrise, the first after with a
    // sunset. Empty when no such day lies within PolarSearchDays (and for State 0).
    std::optional<PolarEnd> Last, Next;
};
// For a state whose day events are computed (PolarState set), searches day by day, at most
// PolarSearchDays days each way, with DayEventsOn and the zone hours of each date.
PolarSpan FindPolarSpan(const SolarState& state, const ZoneHoursOnDate& zoneHoursOn);

}  // namespace heliomark
