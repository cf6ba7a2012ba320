// A whole year of day events for one place, as plain data for the Year window's picture: each
// local day with its own zone hours (so the daylight-saving jumps show where they happen), its
// sunrise, sunset and transit, the three twilights, and the bands of night, twilight and daylight
// over its 24 clock hours.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/sun_events.h"

namespace heliomark {

struct YearDay {
    double Date = 0;       // OLE date of the local day
    double ZoneHours = 0;  // hours added to universal time on that day, the DST hour included
    double Midnight = 0;   // day number of the local midnight that begins the day
    // As ComputeDayEvents gives them with that day's zone hours (day numbers or NoValue).
    double Transit = NoValue, Sunrise = NoValue, Sunset = NoValue;
    int16_t PolarState = 0;
    // Astronomical, nautical and civil twilight: the Sun's centre at -18°, -12° and -6°.
    std::array<AltitudeCrossings, 3> Twilights{};
};

// Every local day of `year` (365 or 366) for the place of `place` (its Latitude, Longitude and
// RiseSetAltitude), each with the zone hours `zoneHoursOn` gives for its date.
std::vector<YearDay> ComputeYearTable(const SolarState& place, int year, const ZoneHoursOnDate& zoneHoursOn);

// The indices of the days whose zone hours differ from the day before: the daylight-saving
// switches of the year (the first day in and the first day out of the period).
std::vector<int> ZoneSwitchDays(const std::vector<YearDay>& table);

// What the sky is like at a moment of a day: by how many of the altitudes -18°, -12°, -6° and the
// rise/set altitude the Sun's centre stands above.
enum class SkyBand : int8_t { Night = 0, Astronomical, Nautical, Civil, Daylight };
// The band at a local clock time, `hours` from the day's midnight (0..24).
SkyBand BandAt(const YearDay& day, double hours);

// The day cut into runs of one band each, in clock hours from 0 to 24, in order, neighbouring
// runs of different bands. At most one run more than the day's crossings (eight).
struct BandRun {
    double From = 0, To = 24;  // clock hours
    SkyBand Band = SkyBand::Night;
};
struct DayBands {
    std::array<BandRun, 9> Runs{};
    int Count = 0;
};
DayBands ComputeDayBands(const YearDay& day);

// The read-out for the day under the pointer, in the main window's formats:
// "21 Jun 2024: sunrise 04:43, sunset 21:33, day length 16:50" ("Polar Day" / "Polar Night" for
// the day length on a polar day or night, as the main window shows it).
std::string FormatYearDay(const YearDay& day, int32_t showSeconds);

}  // namespace heliomark
