// The calendar: a day-by-day table of solar values for one month or a whole year, with a header
// naming the place, the hour zone, the daylight-saving period and the year's equinoxes and
// solstices, as the text the calendar window shows and saves. Plain C++, no windowing code: the
// window gathers a CalendarRequest from what the main window's inputs say and its own choices, and
// shows the returned text.
//
// Every line ends in CR LF. Columns carry no titles and no padding: each is introduced by exactly
// two blanks and takes as many characters as its format gives.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.h"

namespace heliomark {

// The twilight columns wanted for one kind (civil, nautical or astronomical). The window keeps
// Any == Length || Start || End; the calendar honours Any alone as the switch for the kind.
struct TwilightColumnFlags {
    bool Any = false;
    bool Length = false;
    bool Start = false;
    bool End = false;
};

// The twilight kinds in the table's order, with the fields that hold their beginning and end.
struct TwilightKind {
    std::string_view Name;  // "Civil", "Nautical", "Astronomical"
    double SolarState::*Begin;
    double SolarState::*End;
};
inline constexpr TwilightKind TwilightKinds[3] = {
    {"Civil", &SolarState::CivilBegin, &SolarState::CivilEnd},
    {"Nautical", &SolarState::NauticalBegin, &SolarState::NauticalEnd},
    {"Astronomical", &SolarState::AstroBegin, &SolarState::AstroEnd},
};

// The seven plain columns; a day line always begins with the day of the month. The defaults are
// the boxes checked when the calendar window opens.
struct CalendarColumns {
    bool Sunrise = true;
    bool Sunset = true;
    bool DayLength = true;
    bool MaxAltitude = false;
    bool Transit = false;
    bool RightAscension = false;
    bool Declination = false;
};

// The city selected in the main window's list: its name as listed and its record's position.
struct CalendarCity {
    std::string Name;
    double Latitude = 0;   // degrees, north positive (as the city record stores it)
    double Longitude = 0;  // degrees, east positive
};

// Locale texts for the header; only the header's dates follow the user's locale.
using CalendarDateFormatter = std::function<std::string(double oleDateTime)>;

// Everything one Calculate reads from the main window and the calendar window.
struct CalendarRequest {
    int Year = 2000;
    int Month = 1;           // 1..12; the month listed in month mode
    bool WholeYear = false;  // false: month mode

    CalendarColumns Columns;
    std::array<TwilightColumnFlags, 3> Twilights{};  // 0 civil, 1 nautical, 2 astronomical

    // The daylight-saving period shown in the main window: whole days (OLE dates), End being the
    // first day outside it. A Start after End wraps the year (southern hemisphere). Start and End
    // are ignored when DstInUse is false.
    bool DstInUse = false;
    double DstStart = 0;
    double DstEnd = 0;

    double Latitude = 0;       // radians, north positive
    double Longitude = 0;      // degrees, east positive (note the two different units)
    double HourZone = 0;       // hours east of Greenwich without daylight saving; fractions kept
    std::string HourZoneText;  // the hour-zone picker's text, e.g. "GMT+01:00"
    std::optional<CalendarCity> SelectedCity;  // none when the main window's list has no selection

    int32_t ShowSecondsSetting = 0;   // non-zero: times as hh:mm:ss
    bool AngleFormatSetting = false;  // true: degrees, minutes, seconds
    int16_t RAFormatSetting = 0;      // 0 decimal degrees, 1 degrees-minutes-seconds, 2 hours

    // The locale's date text ("general date": the short date, plus a blank and the long time
    // unless the time is exactly midnight). It writes the daylight-saving dates, and the date of
    // each season event (handed the event's midnight, so only the short date appears).
    CalendarDateFormatter DateText = IsoDateText;
    // The locale's short time (hours and minutes, with AM/PM where the locale uses it); it writes
    // the time of each season event after its date and one blank.
    CalendarDateFormatter ShortTimeText = IsoShortTimeText;

    // Locale-free stand-ins: "2024-03-31" or "2024-03-31 02:30:00", and "14:05".
    static std::string IsoDateText(double oleDateTime);
    static std::string IsoShortTimeText(double oleDateTime);
};

// The header's season lines show this after "... at " when the engine finds no date for the
// event (the year lies so far from the present that its crossing leaves the sampled days).
inline constexpr std::string_view MissingSeasonText = "-";

// True when the place is the selected city: the latitudes agree when rounded to 5 decimals of a
// radian, the longitudes when rounded to 4 decimals of a degree. Rounding is half to even on the
// scaled binary value (nearbyint(x * 10^n)), as the classic Round did.
bool IsCalendarCity(const CalendarRequest& request);
// The same test for a place (latitude in radians, longitude in degrees) and a city's record values
// (both in degrees). The main window uses it to tell when a typed or clicked place has left the
// selected city.
bool IsAtCity(double latitude, double longitude, double cityLatitude, double cityLongitude);
// Whether a day (midnight, OLE date) is computed with the extra daylight-saving hour.
bool IsCalendarDST(const CalendarRequest& request, double day);

// The header: place, hour zone, daylight saving, the season lines and the closing empty line.
std::string BuildCalendarHeader(const CalendarRequest& request);
// The header's season lines alone: the four events of the year in whole-year mode, the month's
// event (if any) in month mode.
std::string BuildCalendarSeasonLines(const CalendarRequest& request);
// One day's line (with its CR LF, without a month-name line) from the results of ComputeDayEvents
// in `state`; `state.Day` is the day of the month.
std::string BuildCalendarDayLine(const CalendarRequest& request, const SolarState& state);
// The whole calendar text, computed by ForEachCalendarDay on its own copy of `state`, so the
// caller's state is left as it was.
std::string BuildCalendarText(const CalendarRequest& request, const SolarState& state);

// The day loop every calendar output shares: for each day of the request's period in ascending
// order, writes Latitude, Longitude, Year, Month, Day and ZoneHours (the zone plus the day's
// daylight-saving hour) into its copy of `state`, runs ComputeDayEvents (with the twilights when
// any kind is wanted) and hands the copy to `visit`. Throws std::invalid_argument for a month
// outside 1..12.
void ForEachCalendarDay(const CalendarRequest& request, SolarState state,
                        const std::function<void(const SolarState&)>& visit);

// A column after the day: its key for scripts ("sunrise", "day_length", "civil_starts") and its
// title, the caption of its check box ("Sunrise", "Day Length", "Civil Twilight Starts").
struct CalendarColumn {
    std::string Key;
    std::string Title;
};
// The chosen columns in the table's order: "Sunrise", "Sunset", "Day Length", "Max. Altitude",
// "Transit Time", "Right Acsention", "Declination", then for each wanted twilight kind (civil,
// nautical, astronomical) its Starts, Ends and Twilight Length.
std::vector<CalendarColumn> ChosenCalendarColumns(const CalendarRequest& request);
// Ticks the column with that key (a twilight column also switches its kind on); false when no
// column has the key.
bool SelectCalendarColumn(CalendarRequest& request, std::string_view key);
// One day's values for those columns, as the table writes them; none where the table leaves the
// column out (a twilight length that cannot be formed). With `decimalAngles` the three angles are
// plain decimal degrees ("23.440", no degree sign) whatever the angle and right-ascension settings.
std::vector<std::optional<std::string>> CalendarDayValues(const CalendarRequest& request,
                                                          const SolarState& state, bool decimalAngles);
// The place as the header names it: the city's name when the place is the selected city, else
// "52.520° N , 13.405° E" in the angle setting's form.
std::string CalendarPlaceName(const CalendarRequest& request);

// The calendar's compact angle text: "23.440°" (three decimals, half away from zero) or "5°3'7''"
// (whole seconds, half to even; no blanks and no padding). Unlike FormatAngle, seconds that round
// to 60 are written as 60 ("10°0'60''") rather than carried.
std::string FormatCalendarAngle(double degrees, bool useDMS);
// The folder part of a file path, up to and including its last "/"; empty when it has none.
std::string ExtractFolder(std::string_view path);

}  // namespace heliomark
