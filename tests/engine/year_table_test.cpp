// The Year window's table: each day with the zone hours the main window would use on it, its
// bands of night, twilight and daylight, and the pointer's read-out.
#include <gtest/gtest.h>

#include "data/data.h"
#include "engine/sun_events_text.h"
#include "engine/year_table.h"

using namespace heliomark;

namespace {

const DstRule Europe{"Europe", {1, 5, 3}, {1, 5, 10}, {}};      // last Sunday of March to October
const DstRule AusSouth{"AusSouth", {1, 1, 10}, {1, 1, 4}, {}};  // first Sunday of October to April

std::vector<YearDay> Table(double lat, double lon, double zone, const DstRule* rule, int year = 2024) {
    ZoneSchedule schedule{zone, year, rule ? DstPeriodForYear(*rule, year) : std::nullopt, rule};
    return ComputeYearTable(SolarStateFor(lat, lon, year, 1, 1, 0), year,
                            [&](double date) { return schedule.ZoneHoursOn(date); });
}

int DayIndex(int year, int month, int day) {
    return static_cast<int>(DateSerial(year, month, day) - DateSerial(year, 1, 1));
}

}  // namespace

TEST(ZoneSchedule, DisplayedPeriodInItsYearTheRuleInOthers) {
    // A hand-edited period for 2024 (1 May to 1 September) and the rule for the other years.
    const ZoneSchedule edited{1, 2024, DstPeriod{DateSerial(2024, 5, 1), DateSerial(2024, 9, 1)}, &Europe};
    const struct {
        double Date, Hours;
    } cases[] = {{DateSerial(2024, 4, 30), 1}, {DateSerial(2024, 5, 1), 2},  {DateSerial(2024, 9, 1), 1},
                 {DateSerial(2025, 3, 29), 1}, {DateSerial(2025, 3, 30), 2}, {DateSerial(2023, 10, 29), 1}};
    for (const auto& c : cases)
        EXPECT_EQ(edited.ZoneHoursOn(c.Date), c.Hours) << FormatGeneral(c.Date);
    const ZoneSchedule none{-3.5, 2024, std::nullopt, nullptr};
    EXPECT_EQ(none.ZoneHoursOn(DateSerial(2025, 7, 1)), -3.5);
}

TEST(YearTable, NightAtMidnightAndDayAtNoonNorthAndSouth) {
    const struct {
        const char* Place;
        double Lat, Lon, Zone;
        const DstRule* Rule;
        int Month, Day;
        double Hour;
        SkyBand Band;
    } cases[] = {
        {"Berlin", 52.52, 13.405, 1, &Europe, 12, 21, 0, SkyBand::Night},
        {"Berlin", 52.52, 13.405, 1, &Europe, 12, 21, 12, SkyBand::Daylight},
        {"Berlin", 52.52, 13.405, 1, &Europe, 6, 21, 0.5, SkyBand::Astronomical},  // the Sun only 14° down
        {"Berlin", 52.52, 13.405, 1, &Europe, 12, 21, 7.75, SkyBand::Civil},       // sunrise 08:15
        {"Berlin", 52.52, 13.405, 1, &Europe, 12, 21, 7.25, SkyBand::Nautical},
        {"Sydney", -33.87, 151.21, 10, &AusSouth, 6, 21, 0, SkyBand::Night},
        {"Sydney", -33.87, 151.21, 10, &AusSouth, 12, 21, 13, SkyBand::Daylight},
        {"Tromso", 69.65, 18.96, 1, &Europe, 12, 21, 12, SkyBand::Civil},   // polar night, twilight at noon
        {"Tromso", 69.65, 18.96, 1, &Europe, 6, 21, 0, SkyBand::Daylight},  // polar day
        {"South Pole", -90, 0, 0, nullptr, 6, 21, 12, SkyBand::Night},      // no crossings: the side it keeps
        {"South Pole", -90, 0, 0, nullptr, 12, 21, 0, SkyBand::Daylight},
    };
    for (const auto& c : cases) {
        const std::vector<YearDay> table = Table(c.Lat, c.Lon, c.Zone, c.Rule);
        ASSERT_EQ(table.size(), 366u);
        const YearDay& day = table[static_cast<std::size_t>(DayIndex(2024, c.Month, c.Day))];
        EXPECT_EQ(BandAt(day, c.Hour), c.Band)
            << c.Place << " " << c.Month << "/" << c.Day << " " << c.Hour << " h";
        const DayBands bands = ComputeDayBands(day);
        ASSERT_GT(bands.Count, 0);
        EXPECT_EQ(bands.Runs[0].From, 0) << c.Place;
        EXPECT_EQ(bands.Runs[bands.Count - 1].To, 24) << c.Place;
        for (int k = 0; k < bands.Count; ++k) {
            if (k > 0) {
                EXPECT_EQ(bands.Runs[k].From, bands.Runs[k - 1].To) << c.Place;
                EXPECT_NE(bands.Runs[k].Band, bands.Runs[k - 1].Band) << c.Place;
            }
            // A run is its band right up to both its ends.
            for (const double at : {bands.Runs[k].From + 1e-6, bands.Runs[k].To - 1e-6})
                EXPECT_EQ(BandAt(day, at), bands.Runs[k].Band) << c.Place << " " << at << " h";
        }
    }
}

TEST(YearTable, DaylightSavingJumpsOnTheRulesSwitchDays) {
    const struct {
        const char* Place;
        double Lat, Lon, Zone;
        const DstRule* Rule;
        std::vector<int> Switches;  // first day in, first day out (in the year's order)
    } cases[] = {
        {"Berlin", 52.52, 13.405, 1, &Europe, {DayIndex(2024, 3, 31), DayIndex(2024, 10, 27)}},
        {"Sydney", -33.87, 151.21, 10, &AusSouth, {DayIndex(2024, 4, 7), DayIndex(2024, 10, 6)}},
        {"Lima", -12.05, -77.04, -5, nullptr, {}},
    };
    for (const auto& c : cases) {
        const std::vector<YearDay> table = Table(c.Lat, c.Lon, c.Zone, c.Rule);
        EXPECT_EQ(ZoneSwitchDays(table), c.Switches) << c.Place;
        for (const int day : c.Switches) {
            const double step = (table[day].Transit - table[day - 1].Transit - 1) * 1440;  // minutes
            const double sign = table[day].ZoneHours > table[day - 1].ZoneHours ? 1 : -1;
            EXPECT_NEAR(step, sign * 60, 1) << c.Place << " day " << day;
        }
    }
}

TEST(YearTable, PointerReadOutOfAPolarDayAndNight) {
    const std::vector<YearDay> tromso = Table(69.65, 18.96, 1, &Europe);
    EXPECT_EQ(FormatYearDay(tromso[DayIndex(2024, 12, 21)], 0),
              "21 Dec 2024: sunrise -, sunset -, Polar Night");
    EXPECT_EQ(FormatYearDay(tromso[DayIndex(2024, 6, 21)], 1), "21 Jun 2024: sunrise -, sunset -, Polar Day");
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
    const std::pair<double, SkyBand> at[] = {
        {1, SkyBand::Astronomical}, {12, SkyBand::Nautical}, {23, SkyBand::Astronomical}};
    for (const auto& [hours, band] : at)
        EXPECT_EQ(BandAt(day, hours), band) << hours << " h";
    day.PolarState = 1;
    EXPECT_EQ(BandAt(day, 23), SkyBand::Nautical);
    EXPECT_EQ(FormatHourLabel(6), "6h");
}
