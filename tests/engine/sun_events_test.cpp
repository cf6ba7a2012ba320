// Altitude crossings, directions, the stick's shadow, the polar search and the Year window's table.

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "engine/sun_events.h"
#include "engine/sun_events_text.h"
#include "engine/year_table.h"
#include "support/test_support.h"

using namespace heliomark;
using namespace heliomark::testing;

namespace {

double AngleBetween(double a, double b) {
    return std::fabs(FloorMod(a - b + 180, 360) - 180);
}

const DstRule Europe{"Europe", {1, 5, 3}, {1, 5, 10}, {}};      // last Sunday of March to October
const DstRule AusSouth{"AusSouth", {1, 1, 10}, {1, 1, 4}, {}};  // first Sunday of October to April

std::vector<YearDay> Table(double lat, double lon, double zone, const DstRule* rule, int year = 2024) {
    ZoneSchedule schedule{zone, year, rule ? DstPeriodForYear(*rule, year) : std::nullopt, rule};
    return ComputeYearTable(SolarStateFor(lat, lon, year, 1, 1, 0), year,
                            [&](double date) { return schedule.ZoneHoursOn(date); });
}
int DayIndex(int month, int day) {
    return static_cast<int>(DateSerial(2024, month, day) - DateSerial(2024, 1, 1));
}

}  // namespace

TEST(SunEvents, MatchEphemerisReferenceTable) {
    const std::filesystem::path source(HELIOMARK_SOURCE_DIR);
    const RefractionTable refraction = LoadRefractionTable(source / "resources/refs.txt");
    std::ifstream in(source / "tests/engine/sun_events_reference.txt");
    ASSERT_TRUE(in) << "the reference table is missing";
    std::map<std::string, int> rows;  // per kind
    std::string line;
    const auto check = [&](const std::string& kind, double error, double tolerance) {
        ++rows[kind];
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
            EXPECT_TRUE(s.Azimuth > HalfPi && s.Azimuth < 2.5 * Pi)
                << "raw azimuth " << s.Azimuth << ": " << line;
            const StickShadow shadow =
                ComputeStickShadow(RefractionLookup(refraction, s.Altitude), s.Azimuth);
            // The altitude the length stands for, and the direction away from the Sun.
            check("shadow altitude deg", RadToDeg(std::atan(1 / shadow.Length)) - apparent, 0.2);
            check("shadow direction deg", AngleBetween(shadow.Direction, azimuth + 180), 0.2);
        }
    }
    EXPECT_EQ(rows.size(), 5u) << "every kind of row is read";
}

TEST(SunEvents, RiseSetAltitudeGivesTheDayEventsBitForBit) {
    // An ordinary day, a " Y" sunrise (east longitude, zone behind), polar night, a pole.
    for (const auto& [lat, lon, m, d, zone] : {std::tuple{52.52, 13.405, 6, 21, 2.0},
                                               {10.0, 170.0, 3, 1, -10.0},
                                               {69.65, 18.96, 12, 21, 1.0},
                                               {-90.0, 0.0, 1, 1, 0.0}}) {
        SolarState day = SolarStateFor(lat, lon, 2024, m, d, zone);
        ComputeDayEvents(day, false);
        const AltitudeCrossings got = ComputeAltitudeEvents(day, day.RiseSetAltitude);
        EXPECT_TRUE(got.Morning == day.Sunrise && got.Evening == day.Sunset) << lat << " " << m;  // exact
    }
}

TEST(SunEvents, ShadowOfAOneMetreStick) {
    // Altitude and azimuth in degrees; the read-outs as the window shows them.
    const auto shadow = [](double altitude, double azimuth, bool dms = false) {
        const ShadowReadouts r = ComputeShadowReadouts(DegToRad(altitude), DegToRad(azimuth), dms);
        return r.Length + ", " + r.Direction;
    };
    ExpectTexts({ROW(shadow(45, 90), "1.00 m, 270.000°"),     // the Sun in the east: the shadow points west
                 ROW(shadow(20, 350), "2.75 m, 170.000°"),    // just west of north: the shadow wraps past 360
                 ROW(shadow(89.9, 180), "0.00 m, 0.000°"),    // overhead
                 ROW(shadow(0.5, 270), "114.59 m, 90.000°"),  // at sunset
                 ROW(shadow(0, 180), "-, -"),                 // on the horizon: no shadow
                 ROW(shadow(-3, 180), "-, -"), ROW(shadow(20, 100, true), "2.75 m, 280° 0' 0''")});
}

TEST(SunEvents, PolarSearchFindsTheDaysTheDailyComputationShows) {
    // Longyearbyen with the European rule, a polar night and a polar day: the search ends on the
    // days a plain walk through the daily computation reaches first.
    const ZoneSchedule schedule{1, 2024, DstPeriodForYear(Europe, 2024), &Europe};
    const auto zone = [&](double date) { return schedule.ZoneHoursOn(date); };
    const auto on = [&](double date) {
        SolarState s = SolarStateFor(78.22, 15.65, YearOf(date), MonthOf(date), DayOf(date), zone(date));
        ComputeDayEvents(s, false);
        return s;
    };
    for (const double date : {DateSerial(2024, 1, 1), DateSerial(2024, 6, 21)}) {
        const SolarState polar = on(date);
        // After a polar night the next sunrise and before it the last sunset; the reverse for a day.
        const auto event = [&](double d, bool next) {
            const SolarState s = on(d);
            return (polar.PolarState == -1) == next ? s.Sunrise : s.Sunset;
        };
        double next = date + 1, last = date - 1;
        while (event(next, true) == NoValue)
            ++next;
        while (event(last, false) == NoValue)
            --last;
        const PolarSpan span = FindPolarSpan(polar, zone);
        ASSERT_TRUE(polar.PolarState != 0 && span.Next && span.Last) << FormatDayMonth(date);
        EXPECT_TRUE(span.Next->Date == next && span.Last->Date == last &&
                    span.Next->Time == event(next, true) && span.Last->Time == event(last, false))
            << FormatDayMonth(date) << ": " << FormatDayMonth(span.Last->Date) << " to "
            << FormatDayMonth(span.Next->Date);
    }
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
    EXPECT_EQ(FormatPolarLine({0, span.Last, span.Next}, 0), "");
}

TEST(SunEvents, TypedAltitudeIsADecimalNumberFromMinus18To89) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"10", 10},    {" -18 ", -18}, {"+89", 89}, {"-0.833", -0.833}, {"89.01", {}},
        {"-18.5", {}}, {"90", {}},     {"", {}},    {"ten", {}},        {"12abc", {}},
        {"1e1", {}},   {"nan", {}},    {"12,5", {}}};
    for (const auto& [text, degrees] : cases)
        EXPECT_EQ(ParseCustomAltitude(text), degrees) << '"' << text << '"';
}

TEST(ZoneSchedule, DisplayedPeriodInItsYearTheRuleInOthers) {
    // A hand-edited period for 2024 (1 May to 1 September) and the rule for the other years.
    const ZoneSchedule edited{1, 2024, DstPeriod{DateSerial(2024, 5, 1), DateSerial(2024, 9, 1)}, &Europe};
    const std::pair<double, double> cases[] = {{DateSerial(2024, 4, 30), 1}, {DateSerial(2024, 5, 1), 2},
                                               {DateSerial(2024, 9, 1), 1},  {DateSerial(2025, 3, 29), 1},
                                               {DateSerial(2025, 3, 30), 2}, {DateSerial(2023, 10, 29), 1}};
    for (const auto& [date, hours] : cases)
        EXPECT_EQ(edited.ZoneHoursOn(date), hours) << FormatGeneral(date);
    EXPECT_EQ((ZoneSchedule{-3.5, 2024, std::nullopt, nullptr}.ZoneHoursOn(DateSerial(2025, 7, 1))), -3.5);
}

TEST(YearTable, NightAtMidnightAndDayAtNoonNorthAndSouth) {
    std::map<std::string, std::vector<YearDay>> tables{{"Berlin", Table(52.52, 13.405, 1, &Europe)},
                                                       {"Tromso", Table(69.65, 18.96, 1, &Europe)},
                                                       {"South Pole", Table(-90, 0, 0, nullptr)}};
    const std::tuple<const char*, int, int, double, SkyBand> cases[] = {
        {"Berlin", 12, 21, 0, SkyBand::Night},         {"Berlin", 12, 21, 12, SkyBand::Daylight},
        {"Berlin", 6, 21, 0.5, SkyBand::Astronomical},  // the Sun only 14° down
        {"Berlin", 12, 21, 7.75, SkyBand::Civil},       // sunrise 08:15
        {"Tromso", 12, 21, 12, SkyBand::Civil},         // polar night, twilight at noon
        {"Tromso", 6, 21, 0, SkyBand::Daylight},        // polar day
        {"South Pole", 6, 21, 12, SkyBand::Night},      // no crossings: the side it keeps
        {"South Pole", 12, 21, 0, SkyBand::Daylight}};
    for (const auto& [place, month, dayOfMonth, hour, band] : cases) {
        ASSERT_EQ(tables[place].size(), 366u);
        const YearDay& day = tables[place][static_cast<std::size_t>(DayIndex(month, dayOfMonth))];
        EXPECT_EQ(BandAt(day, hour), band)
            << place << " " << month << "/" << dayOfMonth << " " << hour << " h";
        const DayBands bands = ComputeDayBands(day);
        ASSERT_GT(bands.Count, 0);
        EXPECT_TRUE(bands.Runs[0].From == 0 && bands.Runs[bands.Count - 1].To == 24) << place;
        for (int k = 0; k < bands.Count; ++k)  // a run is its band right up to both its ends
            for (const double at : {bands.Runs[k].From + 1e-6, bands.Runs[k].To - 1e-6})
                EXPECT_EQ(BandAt(day, at), bands.Runs[k].Band) << place << " " << at << " h";
    }
}

TEST(YearTable, DaylightSavingJumpsOnTheRulesSwitchDays) {
    // The first day in and the first day out, in the year's order.
    for (const auto& [place, table, switches] :
         {std::tuple{"Berlin", Table(52.52, 13.405, 1, &Europe),
                     std::vector{DayIndex(3, 31), DayIndex(10, 27)}},
          {"Sydney", Table(-33.87, 151.21, 10, &AusSouth), std::vector{DayIndex(4, 7), DayIndex(10, 6)}},
          {"Lima", Table(-12.05, -77.04, -5, nullptr), std::vector<int>{}}}) {
        EXPECT_EQ(ZoneSwitchDays(table), switches) << place;
        for (const int day : switches) {
            const double step = (table[day].Transit - table[day - 1].Transit - 1) * 1440;  // minutes
            EXPECT_NEAR(step, table[day].ZoneHours > table[day - 1].ZoneHours ? 60 : -60, 1)
                << place << " day " << day;
        }
    }
}

TEST(YearTable, AMissingCrossingLeavesTheSunOnTheSideItKeeps) {
    // A made-up day from day number 100: the Sun rises above -18° at 02:24 and stays up past
    // midnight, it stays above -12° from the day before until 21:36, never reaches -6°, and a
    // sunrise/sunset altitude it stays above all day (status 1) counts as day.
    YearDay day;
    day.Midnight = 100;
    day.Twilights = {AltitudeCrossings{100.1, NoValue, 1}, AltitudeCrossings{NoValue, 100.9, -1},
                     AltitudeCrossings{NoValue, NoValue, -1}};
    day.PolarState = -1;
    for (const auto& [hours, band] :
         {std::pair{1, SkyBand::Astronomical}, {12, SkyBand::Nautical}, {23, SkyBand::Astronomical}})
        EXPECT_EQ(BandAt(day, hours), band) << hours << " h";
    day.PolarState = 1;
    EXPECT_EQ(BandAt(day, 23), SkyBand::Nautical);
    EXPECT_EQ(FormatHourLabel(6), "6h");
}
