// Crossings of any altitude, the golden and blue hours, directions, the stick's shadow and the polar
// search: against PyEphem's reference table (tools/check_ephemeris.py --write-reference), against
// the day events they must reproduce, and against the daily computation day by day.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "data/data.h"
#include "engine/sun_events.h"
#include "engine/sun_events_text.h"

using namespace heliomark;

namespace {

// Differences against the reference, summed per kind so the test can print RMS and maximum.
struct ErrorSummary {
    int Count = 0;
    double SumSquares = 0, Max = 0;
    void Add(double error) {
        ++Count;
        SumSquares += error * error;
        Max = std::max(Max, std::fabs(error));
    }
};

// The day's midnight-based zone: the reference is in UT, so zone 0 keeps day numbers = JD + 0.5.
SolarState Place(double lat, double lon, int y, int m, int d) {
    SolarState s = SolarStateFor(lat, lon, y, m, d, 0);
    ComputeDayEvents(s, false);
    return s;
}

double JulianOf(double dayNumber) {
    return dayNumber == NoValue ? NoValue : dayNumber - 0.5;
}

double AngleBetween(double a, double b) {
    return std::fabs(FloorMod(a - b + 180, 360) - 180);
}

}  // namespace

TEST(SunEvents, MatchEphemerisReferenceTable) {
    const RefractionTable refraction =
        LoadRefractionTable(std::filesystem::path(HELIOMARK_SOURCE_DIR) / "resources" / "refs.txt");
    std::ifstream in(std::filesystem::path(HELIOMARK_SOURCE_DIR) / "tests/engine/sun_events_reference.txt");
    ASSERT_TRUE(in) << "the reference table is missing";
    std::map<std::string, ErrorSummary> errors;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream row(line);
        std::string kind;
        double lat, lon;
        int y, m, d;
        if (!(row >> kind >> lat >> lon >> y >> m >> d)) continue;  // comments
        const SolarState s = Place(lat, lon, y, m, d);
        if (kind == "cross") {
            double altitude;
            std::string want[2];
            row >> altitude >> want[0] >> want[1];
            const AltitudeCrossings got = ComputeAltitudeEvents(s, DegToRad(altitude));
            const double times[2] = {JulianOf(got.Morning), JulianOf(got.Evening)};
            for (int k = 0; k < 2; ++k) {
                if (want[k] == "-") {
                    EXPECT_EQ(times[k], NoValue) << line;
                    EXPECT_EQ(got.Status, altitude > 0 ? -1 : 1) << line;
                    continue;
                }
                ASSERT_NE(times[k], NoValue) << line;
                const double seconds = (times[k] - std::stod(want[k])) * 86400;
                errors[altitude == -6 || altitude == -4 || altitude == 6 ? "golden/blue s" : "custom s"].Add(
                    seconds);
                EXPECT_LE(std::fabs(seconds), 60) << line << (k == 0 ? " morning" : " evening");
            }
        } else if (kind == "azimuth") {
            double rise, set, riseAz, setAz;
            row >> rise >> set >> riseAz >> setAz;
            const double got[2] = {AzimuthAtEvent(s, s.Sunrise), AzimuthAtEvent(s, s.Sunset)};
            const double want[2] = {riseAz, setAz};
            for (int k = 0; k < 2; ++k) {
                errors["rise/set azimuth deg"].Add(AngleBetween(got[k], want[k]));
                EXPECT_LE(AngleBetween(got[k], want[k]), 0.2) << line << (k == 0 ? " sunrise" : " sunset");
            }
        } else if (kind == "shadow") {
            int hour, minute;
            double azimuth, apparent;
            row >> hour >> minute >> azimuth >> apparent;
            SolarState now = s;
            ComputeCurrentPosition(now, hour, minute, 0);
            const StickShadow shadow =
                ComputeStickShadow(RefractionLookup(refraction, now.Altitude), now.Azimuth);
            ASSERT_NE(shadow.Length, NoValue) << line;
            const double castBy =
                RadToDeg(std::atan(1 / shadow.Length));  // the altitude the length stands for
            errors["shadow altitude deg"].Add(castBy - apparent);
            errors["shadow direction deg"].Add(AngleBetween(shadow.Direction, azimuth + 180));
            EXPECT_LE(std::fabs(castBy - apparent), 0.2) << line;
            EXPECT_LE(AngleBetween(shadow.Direction, azimuth + 180), 0.2) << line;
        }
    }
    ASSERT_EQ(errors.size(), 5u) << "every kind of row is read";
    for (const auto& [what, e] : errors)
        std::printf("  %-22s n=%3d  rms %7.3f  max %7.3f\n", what.c_str(), e.Count,
                    std::sqrt(e.SumSquares / e.Count), e.Max);
}

TEST(SunEvents, RiseSetAltitudeGivesTheDayEventsBitForBitAndLeavesThePolarMark) {
    // Ordinary days, a " Y" sunrise (east longitude, zone behind), polar day and night, a pole.
    const struct {
        double Lat, Lon;
        int Y, M, D;
        double Zone;
    } cases[] = {{52.52, 13.405, 2024, 6, 21, 2}, {-33.87, 151.21, 2024, 12, 1, 11},
                 {10, 170, 2024, 3, 1, -10},      {69.65, 18.96, 2024, 12, 21, 1},
                 {78.22, 15.65, 2024, 6, 21, 2},  {-90, 0, 2024, 1, 1, 0},
                 {66.3, -30, 2031, 12, 10, -2.5}};
    for (const auto& c : cases) {
        SolarState day = SolarStateFor(c.Lat, c.Lon, c.Y, c.M, c.D, c.Zone);
        ComputeDayEvents(day, false);
        SolarState s = day;
        s.PolarState = 7;
        s.PolarScratch = 7;
        const AltitudeCrossings got = ComputeAltitudeEvents(s, s.RiseSetAltitude);
        EXPECT_EQ(std::memcmp(&got.Morning, &day.Sunrise, sizeof(double)), 0) << c.Lat << " " << c.M;
        EXPECT_EQ(std::memcmp(&got.Evening, &day.Sunset, sizeof(double)), 0) << c.Lat << " " << c.M;
        EXPECT_EQ(s.PolarState, 7) << "untouched";
        EXPECT_EQ(s.PolarScratch, 7) << "untouched";
    }
}

TEST(SunEvents, GoldenAndBlueHoursAreTheirAltitudesRisingAndSetting) {
    // Each boundary: the altitude the Sun stands at then, and whether it is rising.
    const struct {
        double LightHours::*Time;
        double Altitude;
        bool Rising;
    } bounds[] = {
        {&LightHours::GoldenMorningBegin, -4, true}, {&LightHours::GoldenMorningEnd, 6, true},
        {&LightHours::GoldenEveningBegin, 6, false}, {&LightHours::GoldenEveningEnd, -4, false},
        {&LightHours::BlueMorningBegin, -6, true},   {&LightHours::BlueMorningEnd, -4, true},
        {&LightHours::BlueEveningBegin, -4, false},  {&LightHours::BlueEveningEnd, -6, false},
    };
    for (const double lat : {-35.0, 0.0, 48.0}) {
        const SolarState s = Place(lat, 20, 2025, 4, 10);
        const LightHours hours = ComputeLightHours(s);
        for (const auto& b : bounds) {
            const double jd = JulianOf(hours.*(b.Time));
            const double now = SunPositionAtJulianDay(s, jd).Altitude;
            const double later = SunPositionAtJulianDay(s, jd + 60 / 86400.0).Altitude;
            EXPECT_NEAR(RadToDeg(now), b.Altitude, 0.05) << "lat " << lat << " altitude " << b.Altitude;
            EXPECT_EQ(later > now, b.Rising) << "lat " << lat << " altitude " << b.Altitude;
        }
    }
}

TEST(SunEvents, ShadowOfAOneMetreStick) {
    const struct {
        double Altitude, Azimuth;
        const char *Length, *Direction;
    } cases[] = {
        {45, 90, "1.00 m", "270.000°"},     // the Sun in the east: the shadow points west
        {20, 350, "2.75 m", "170.000°"},    // just west of north: the shadow wraps past 360
        {89.9, 180, "0.00 m", "0.000°"},    // overhead
        {0.5, 270, "114.59 m", "90.000°"},  // at sunset
        {0, 180, "-", "-"},                 // on the horizon: no shadow
        {-3, 180, "-", "-"},
    };
    for (const auto& c : cases) {
        const ShadowReadouts r = ComputeShadowReadouts(DegToRad(c.Altitude), DegToRad(c.Azimuth), false);
        EXPECT_EQ(r.Length, c.Length) << "altitude " << c.Altitude;
        EXPECT_EQ(r.Direction, c.Direction) << "azimuth " << c.Azimuth;
    }
    EXPECT_EQ(ComputeShadowReadouts(DegToRad(20), DegToRad(100), true).Direction, "280° 0' 0''");
}

TEST(SunEvents, PolarSearchFindsTheDaysTheDailyComputationShowsThroughAYear) {
    // Longyearbyen with the European rule: a year of polar days and nights, and the dates the
    // main window would show a sunrise or sunset on, taken from a plain table of every day.
    const DstRule europe{"Europe", {1, 5, 3}, {1, 5, 10}, {}};
    const ZoneSchedule schedule{1, 2024, DstPeriodForYear(europe, 2024), &europe};
    const auto zone = [&](double date) { return schedule.ZoneHoursOn(date); };
    const double first = DateSerial(2023, 1, 1), last = DateSerial(2026, 1, 1);
    std::vector<SolarState> days;
    for (double date = first; date < last; date += 1) {
        days.push_back(SolarStateFor(78.22, 15.65, YearOf(date), MonthOf(date), DayOf(date), zone(date)));
        ComputeDayEvents(days.back(), false);
    }
    int polar = 0;
    for (std::size_t i = 365; i < 365 + 366; ++i) {
        if (days[i].PolarState == 0) continue;
        ++polar;
        const bool night = days[i].PolarState == -1;
        const PolarSpan span = FindPolarSpan(days[i], zone);
        std::size_t next = i + 1, previous = i - 1;
        while ((night ? days[next].Sunrise : days[next].Sunset) == NoValue)
            ++next;
        while ((night ? days[previous].Sunset : days[previous].Sunrise) == NoValue)
            --previous;
        const std::string date = FormatDayMonth(first + static_cast<double>(i));
        ASSERT_TRUE(span.Next && span.Last) << date;
        EXPECT_EQ(span.Next->Date, first + static_cast<double>(next)) << date;
        EXPECT_EQ(span.Last->Date, first + static_cast<double>(previous)) << date;
        EXPECT_EQ(span.Next->Time, night ? days[next].Sunrise : days[next].Sunset) << date;
        EXPECT_EQ(span.Last->Time, night ? days[previous].Sunset : days[previous].Sunrise) << date;
    }
    EXPECT_GT(polar, 200);
}

TEST(SunEvents, PolarLineTexts) {
    const double lastSunset = JulianDay(2024, 11, 26, 12, 21, 0) + 0.5;
    const double nextSunrise = JulianDay(2025, 1, 16, 11, 43, 20) + 0.5;
    const PolarEnd last{DateSerial(2024, 11, 26), lastSunset, lastSunset};
    const PolarEnd next{DateSerial(2025, 1, 16), nextSunrise, nextSunrise + 0.6};
    EXPECT_EQ(FormatPolarLine({-1, last, next}, 0),
              "Polar night since 27 Nov (last sunset 12:21), next sunrise 16 Jan at 11:43 Y");
    EXPECT_EQ(FormatPolarLine({1, last, next}, 1),
              "Polar day since 27 Nov (last sunrise 12:21:00), next sunset 16 Jan at 11:43:20 Y");
    EXPECT_EQ(FormatPolarLine({-1, std::nullopt, std::nullopt}, 0),
              "Polar night for more than a year, no sunrise within a year");
    EXPECT_EQ(FormatPolarLine({0, last, next}, 0), "");
    // At the pole itself no day of the search has a sunrise.
    SolarState pole = SolarStateFor(-90, 0, 2024, 6, 21, 0);
    pole.PolarState = -1;
    EXPECT_EQ(FormatPolarLine(FindPolarSpan(pole, [](double) { return 0.0; }), 0),
              "Polar night for more than a year, no sunrise within a year");
}

TEST(SunEvents, TypedAltitudeIsADecimalNumberFromMinus18To89) {
    const struct {
        const char* Text;
        std::optional<double> Degrees;
    } cases[] = {{"10", 10},    {" -18 ", -18}, {"+89", 89}, {"-0.833", -0.833}, {"89.01", {}},
                 {"-18.5", {}}, {"90", {}},     {"", {}},    {"ten", {}},        {"12abc", {}},
                 {"1e1", {}},   {"nan", {}},    {"12,5", {}}};
    for (const auto& c : cases)
        EXPECT_EQ(ParseCustomAltitude(c.Text), c.Degrees) << '"' << c.Text << '"';
    EXPECT_EQ(CustomAltitudeRefusal("95"),
              "\"95\" is not taken: the altitude must be a number of degrees from -18 to +89, such as 10 "
              "or -12.5.");
}
