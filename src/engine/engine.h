// The solar engine: angle and time primitives with their display texts, the Sun's position, the
// day's events, refraction and the seasons. Plain C++, no windowing code; other programs may link it.
//
// The model is the low-precision solar model of the Astronomical Almanac (Meeus, "Astronomical
// Algorithms", ch. 25, with the fixed obliquity 23.43999°). Its constants, including pi as the
// 15-digit literal 3.14159265358979, are part of the program's visible results and are kept exactly.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace heliomark {

// ------------------------------------------------------------------ constants
inline constexpr double Pi = 3.14159265358979;
inline constexpr double HalfPi = 1.5707963267949;
inline constexpr double TwoPi = 6.28318530717958;
inline constexpr double Obliquity = 0.409105002134546;                 // radians, 23.43999°, no time term
inline constexpr double DefaultRiseSetAltitude = -0.0145385926691128;  // -0.833° in radians
// The time of an event that does not occur on a day ("-" on screen).
inline constexpr double NoValue = 1e200;

// ------------------------------------------------------------------ primitives
double RadToDeg(double x);  // x * 180 / pi
double DegToRad(double x);  // x * pi / 180
// Arcsine clamped to [-pi/2, pi/2]: arguments outside [-1, 1] give the end values, never NaN.
double ArcSin(double x);
// Quadrant arctangent with x FIRST; the result lies in (-pi/2, 3pi/2), not (-pi, pi].
double ArcTan2(double x, double y);
// a - floor(a / b) * b, in [0, b) for b > 0 (FloorMod(-10, 360) == 350).
double FloorMod(double a, double b);

// An angle split into whole degrees, whole minutes and seconds (rounded to 3 decimals) with a
// separate sign, so that angles between -1° and 0° keep their sign.
struct Dms {
    int16_t Degrees = 0;
    int16_t Minutes = 0;
    double Seconds = 0;
    int16_t Sign = 1;  // +1 or -1
};
Dms SplitDMS(double angle);
double FromDMS(int16_t deg, int16_t min, double sec, int16_t sign);

// ------------------------------------------------------------------ display texts
// Every number uses a full stop and no grouping, whatever the locale.
//
// "23.439°" (three decimals, half away from zero) or "-23° 30' 0''" (whole seconds, half to even).
// Zero, negative zero included, reads "0.000°"; -0.0001 reads "-0.000°".
std::string FormatAngle(double degrees, bool useDMS);
// Right ascension (radians) as "3h49m11s" / "1h54m35.5s" (seconds to one decimal, half to even).
std::string FormatRA(double ra);
// The clock time of a day number (only its fraction is used) as "hh:mm" or "hh:mm:ss";
// "-" for NoValue. Also formats durations shorter than a day.
std::string FormatClockTime(double dayNumber, int32_t showSeconds);
// " Y" when the event falls on the local day before the transit's, " T" on the day after, else "".
std::string DaySuffix(double transitDay, double eventDay);

// Number-to-text helpers shared by every formatter (locale independent).
// Fixed decimals, rounded half away from zero on the value's shortest decimal form ("0.000").
std::string FormatFixed(double value, int decimals);
// A whole number zero padded to at least `width` digits, with a leading "-" when negative ("00").
std::string FormatPadded(long long value, int width);
// The shortest text that reads back as the same double, without exponent for ordinary magnitudes
// ("7", "0.5", "1.26"): the general number form.
std::string FormatGeneral(double value);
// The leading number of a text: optional blanks, sign, digits, one full stop, digits, exponent;
// 0 when the text does not begin with a number ("12abc" -> 12, "abc" -> 0, "-.5" -> -0.5).
double LeadingNumber(std::string_view text);

// ------------------------------------------------------------------ dates
// Dates are OLE Automation dates: days since 1899-12-30 00:00 as a double, the fraction being the
// time of day (for dates before 1899-12-30 the fraction counts forward from the negative whole
// part's day, as in the OLE format: -1.25 is 1899-12-29 06:00).
// DateSerial carries like the classic date-serial function: month 13 is January of the next year,
// month 0 December of the year before, day 0 the last day of the previous month. Gregorian
// calendar throughout; no two-digit-year mapping here.
double DateSerial(int year, int month, int day);
// A time of day with carry, as a fraction of a day (may be negative or exceed 1).
double TimeSerial(int hour, int minute, double seconds);
// A date plus a time of day as one OLE value, honouring the OLE rule for negative dates.
double OleDateTime(double date, double timeOfDay);
double OleDatePart(double ole);  // the midnight of the value's day
double OleTimePart(double ole);  // the time of day in [0, 1)
int YearOf(double ole);
int MonthOf(double ole);
int DayOf(double ole);
int WeekdayOf(double ole);  // 1 Sunday .. 7 Saturday
// "January" .. "December" for 1..12, as the calendar and the DST editor show them; empty otherwise.
std::string_view CalendarMonthName(int month);
std::chrono::sys_days ToSysDays(double ole);
double FromSysDays(std::chrono::sys_days days);
// Whole days since 1899-12-30 for a (proleptic Gregorian) calendar date, and back.
int64_t DaysFromCivil(int64_t year, int month, int day);
void CivilFromDays(int64_t days, int64_t& year, int& month, int& day);

// ------------------------------------------------------------------ solar position
// Julian day of a Gregorian date and clock time. The Gregorian correction is fixed at its value for
// 1900-03-01..2100-02-28 (no century term), so dates outside that span drift.
double JulianDay(int year, int month, int day, int hour, int minute, double seconds);
// True ecliptic longitude in radians, not reduced to a range.
double SunLongitude(double jd);
struct Equatorial {
    double Declination;     // radians
    double RightAscension;  // radians, in (-pi, pi]
};
Equatorial EclipticToEquatorial(double lambda);
// Greenwich mean sidereal time in degrees, not reduced.
double SiderealTime(double jd);

// Inputs and results of one computation, under the program's own field names.
// Note the units: Latitude is radians (north positive) while Longitude is DEGREES (east positive).
struct SolarState {
    double Latitude = 0, Longitude = 0;
    int16_t Year = 2000, Month = 1, Day = 1;
    double ZoneHours = 0;                             // hours added to universal time; includes the DST hour
    double RiseSetAltitude = DefaultRiseSetAltitude;  // radians
    double RightAscension = 0, Declination = 0, Altitude = 0, Azimuth = 0;  // radians
    // Day numbers: JD of the event (UT) + ZoneHours/24 + 0.5; the fraction is the local clock time.
    double Transit = NoValue, Sunrise = NoValue, Sunset = NoValue;
    double MaxAltitude = 0;  // radians, geometric
    int16_t PolarState = 0;  // 0 normal, 1 polar day, -1 polar night
    // The polar mark each rise/set or twilight pair leaves; PolarState copies it after rise and set.
    // It survives between computations: at a pole no pair sets it, so PolarState keeps its last value.
    int16_t PolarScratch = 0;
    double CivilBegin = NoValue, CivilEnd = NoValue, NauticalBegin = NoValue, NauticalEnd = NoValue,
           AstroBegin = NoValue, AstroEnd = NoValue;
};

// A state for a place and a local date, as tests, benchmarks, tools and the calendar set one up:
// latitude and longitude in degrees (north and east positive), the zone in hours with any DST hour
// included. Every other field keeps its default.
SolarState SolarStateFor(double latitudeDeg, double longitudeDeg, int year, int month, int day,
                         double zoneHours);

// Right ascension (unreduced), geometric altitude and azimuth at a local clock time of the state's
// date. The azimuth lies in (pi/2, 5pi/2); displays reduce FloorMod(RadToDeg(Azimuth), 360).
void ComputeCurrentPosition(SolarState& s, int hour, int minute, double seconds);
// The same three values at an instant given as a Julian day in universal time, for the state's
// place; the state is not changed. ComputeCurrentPosition is this at its local clock time.
struct SkyPosition {
    double RightAscension = 0;  // radians, in (-pi, pi], not reduced
    double Altitude = 0;        // radians, geometric
    double Azimuth = 0;         // radians, in (pi/2, 5pi/2) like SolarState::Azimuth
};
SkyPosition SunPositionAtJulianDay(const SolarState& s, double jd);

// ------------------------------------------------------------------ day events
// Hour angle (radians, [0, pi]) at which the Sun's centre stands at altitude h; +99 when it never
// reaches h that day, -99 when it never goes below h.
double EventHourAngle(double lat, double dec, double h);
struct EventPair {
    double Begin = NoValue, End = NoValue;
};
// Where every event of a local day starts from: the Sun at local mean noon of the state's date.
struct LocalNoon {
    double JulianDay = 0;       // UT of local mean noon (12:00 of the date, shifted by the longitude)
    double Declination = 0;     // radians
    double RightAscension = 0;  // radians, in (-pi, pi]
    double HourAngle = 0;       // degrees, in (-180, 180]: the Sun's hour angle at JulianDay
};
LocalNoon ComputeLocalNoon(const SolarState& s);
// Rise/set-like pair for altitude h from the local-noon estimate, refined once. `polarFlag` is the
// scratch polar mark: set to 0/1/-1 by the refinements, untouched at the poles.
EventPair ComputeEventPair(const SolarState& s, double jdNoon, double dec, double hNoon, double h,
                           int16_t& polarFlag);
// Transit, rise and set, maximum altitude, noon right ascension and declination, polar state, and
// with `withTwilights` the civil, nautical and astronomical twilights (otherwise those keep their
// previous values).
void ComputeDayEvents(SolarState& s, bool withTwilights);

// ------------------------------------------------------------------ data files
// The error every reader of a data file throws; what() names the file and the problem.
struct DataFileError : std::runtime_error {
    DataFileError(std::filesystem::path file, const std::string& problem);
    std::filesystem::path File;
    std::string Problem;
};

// ------------------------------------------------------------------ refraction
// 139 (geometric altitude, refracted altitude) pairs in radians, keys ascending.
struct RefractionTable {
    std::array<double, 139> Key{}, Value{};
};
inline constexpr std::size_t RefractionFileSize = 139 * 16;  // 2224 bytes, no header
// Reads refs.txt (little-endian doubles, key then value). Throws DataFileError when the file is
// missing or shorter than 2224 bytes; bytes after the table are ignored.
RefractionTable LoadRefractionTable(const std::filesystem::path& file);
// Refracted altitude by binary search and linear interpolation; outside the keys the end segments
// are extended.
double RefractionLookup(const RefractionTable& table, double x);

// ------------------------------------------------------------------ seasons
// Local date-times (OLE dates) of the events asked for by flags: 1 March equinox, 2 June solstice,
// 4 September equinox, 8 December solstice. hourZone excludes DST; the DST hour is added when
// dstEnabled and the event's date lies in the DST period (a period whose start is after its end
// wraps the year). An event whose crossing is not found in the sampled days has no value.
struct Seasons {
    std::optional<double> Vernal, Summer, Autumnal, Winter;
};
Seasons ComputeSeasons(int year, int flags, double hourZone, double dstStart, double dstEnd, bool dstEnabled);
// True when `date` lies in the DST period [start, end); when start > end the period wraps the year
// (southern hemisphere): date >= start or date < end.
bool InDstPeriod(double date, double start, double end);

}  // namespace heliomark
