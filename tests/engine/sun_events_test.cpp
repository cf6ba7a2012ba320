// Crossings of any altitude, the golden and blue hours, directions, the stick's shadow and the polar
// search: against PyEphem's reference table (tools/check_ephemeris.py --write-reference), against
// the day events they must reproduce, and against the daily computation day by day.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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
};

double AngleBetween(double a, double b) {
    return std::fabs(FloorMod(a - b + 180, 360) - 180);
}

}  // namespace

TEST(SunEvents, MatchEphemerisReferenceTable) {
    const std::filesystem::path source(HELIOMARK_SOURCE_DIR);
    const RefractionTable refraction = LoadRefractionTable(source / "resources/refs.txt");
    std::ifstream in(source / "tests/engine/sun_events_reference.txt");
    ASSERT_TRUE(in) << "the reference table is missing";
    std::map<std::string, ErrorSummary> errors;
    std::string line;
    const auto check = [&](const std::string& kind, double error, double tolerance) {
        ErrorSummary& e = errors[kind];
        ++e.Count;
        e.SumSquares += error * error;
        e.Max = std::max(e.Max, std::fabs(error));
        EXPECT_LE(std::fabs(error), tolerance) << kind << ": " << line;
    };
    while (std::getline(in, line)) {
        std::istringstream row(line);
        std::string kind;
        double lat, lon;
        int y, m, d;
        if (!(row >> kind >> lat >> lon >> y >> m >> d)) continue;  // comments
        // Zone 0: a day number is the Julian day (UT) + 0.5.
        SolarState s = SolarStateFor(lat, lon, y, m, d, 0);
        ComputeDayEvents(s, false);
        if (kind == "cross") {
            double altitude;
            std::string want[2];
            row >> altitude >> want[0] >> want[1];
            const AltitudeCrossings got = ComputeAltitudeEvents(s, DegToRad(altitude));
            const double times[2] = {got.Morning, got.Evening};
            for (int k = 0; k < 2; ++k) {
                if (want[k] == "-")
                    EXPECT_EQ(times[k], NoValue) << line;
                else
                    check(std::fabs(altitude) == 4 || std::fabs(altitude) == 6 ? "golden/blue hour s"
                                                                               : "other altitude s",
                          (times[k] - 0.5 - std::stod(want[k])) * 86400, 60);
            }
        } else if (kind == "azimuth") {
            double rise, set, riseAz, setAz;
            row >> rise >> set >> riseAz >> setAz;
            check("rise/set azimuth deg", AngleBetween(AzimuthAtEvent(s, s.Sunrise), riseAz), 0.2);
            check("rise/set azimuth deg", AngleBetween(AzimuthAtEvent(s, s.Sunset), setAz), 0.2);
        } else if (kind == "shadow") {
            int hour, minute;
            double azimuth, apparent;
            row >> hour >> minute >> azimuth >> apparent;
            ComputeCurrentPosition(s, hour, minute, 0);
            const StickShadow shadow =
                ComputeStickShadow(RefractionLookup(refraction, s.Altitude), s.Azimuth);
            // The altitude the length stands for, and the direction away from the Sun.
            check("shadow altitude deg", RadToDeg(std::atan(1 / shadow.Length)) - apparent, 0.2);
            check("shadow direction deg", AngleBetween(shadow.Direction, azimuth + 180), 0.2);
        }
    }
    ASSERT_EQ(errors.size(), 5u) << "every kind of row is read";
    for (const auto& [what, e] : errors)
        std::printf("  %-22s n=%3d  rms %7.3f  max %7.3f\n", what.c_str(), e.Count,
                    std::sqrt(e.SumSquares / e.Count), e.Max);
}

TEST(SunEvents, RiseSetAltitudeGivesTheDayEventsBitForBit) {
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
        const AltitudeCrossings got = ComputeAltitudeEvents(day, day.RiseSetAltitude);
        EXPECT_EQ(got.Morning, day.Sunrise) << c.Lat << " " << c.M;  // exact: == on doubles
        EXPECT_EQ(got.Evening, day.Sunset) << c.Lat << " " << c.M;
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

TEST(SunEvents, PolarLineWhenTheSearchFindsNothing) {
    // At the pole itself no day of the search has a sunrise; an ordinary day has no line.
    SolarState pole = SolarStateFor(-90, 0, 2024, 6, 21, 0);
    pole.PolarState = -1;
    std::vector<double> asked;  // every date the search computes, a year each way
    const PolarSpan span = FindPolarSpan(pole, [&](double date) {
        asked.push_back(date);
        return 0.0;
    });
    ASSERT_EQ(asked.size(), 732u);
    EXPECT_EQ(*std::min_element(asked.begin(), asked.end()), DateSerial(2024, 6, 21) - 366);
    EXPECT_EQ(*std::max_element(asked.begin(), asked.end()), DateSerial(2024, 6, 21) + 366);
    EXPECT_EQ(FormatPolarLine(span, 0), "Polar night for more than a year, no sunrise within a year");
    pole.PolarState = 1;
    EXPECT_EQ(FormatPolarLine(FindPolarSpan(pole, [](double) { return 0.0; }), 0),
              "Polar day for more than a year, no sunset within a year");
    EXPECT_EQ(FormatPolarLine({0, span.Last, span.Next}, 0), "");
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
}
