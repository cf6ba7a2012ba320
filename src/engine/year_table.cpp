// The Year window's table: the usual daily computation for every day of a year, each day with the
// zone hours the main window would use on it.
#include "engine/year_table.h"

#include <algorithm>

#include "engine/sun_events_text.h"

namespace heliomark {

namespace {

// Whether the Sun stands above an altitude at day number t, from the day's two crossings of it.
// A missing crossing leaves the Sun on the side it keeps (status 1 above, -1 below).
bool Above(double morning, double evening, int16_t status, double t) {
    if (morning != NoValue && evening != NoValue) return morning <= t && t <= evening;
    if (morning != NoValue) return t >= morning;
    if (evening != NoValue) return t <= evening;
    return status == 1;
}

}  // namespace

std::vector<YearDay> ComputeYearTable(const SolarState& place, int year, const ZoneHoursOnDate& zoneHoursOn) {
    std::vector<YearDay> table;
    table.reserve(366);
    const double end = DateSerial(year + 1, 1, 1);
    for (double date = DateSerial(year, 1, 1); date < end; date += 1) {
        const double zone = zoneHoursOn(date);
        const SolarState s = DayEventsOn(place, date, zone);
        YearDay d;
        d.Date = date;
        d.ZoneHours = zone;
        // Local midnight: its universal time is the zone hours earlier, which the day number's
        // + ZoneHours / 24 cancels again.
        d.Midnight = JulianDay(s.Year, s.Month, s.Day, 0, 0, 0) + 0.5;
        d.Transit = s.Transit;
        d.Sunrise = s.Sunrise;
        d.Sunset = s.Sunset;
        d.PolarState = s.PolarState;
        // The altitudes the twilights window's times use, to the last bit.
        d.Twilights = {ComputeAltitudeEvents(s, -DegToRad(18)), ComputeAltitudeEvents(s, -DegToRad(12)),
                       ComputeAltitudeEvents(s, -DegToRad(6))};
        table.push_back(d);
    }
    return table;
}

std::vector<int> ZoneSwitchDays(const std::vector<YearDay>& table) {
    std::vector<int> days;
    for (std::size_t i = 1; i < table.size(); ++i)
        if (table[i].ZoneHours != table[i - 1].ZoneHours) days.push_back(static_cast<int>(i));
    return days;
}

SkyBand BandAt(const YearDay& day, double hours) {
    const double t = day.Midnight + hours / 24;
    int level = 0;
    for (const AltitudeCrossings& c : day.Twilights)
        level += Above(c.Morning, c.Evening, c.Status, t);
    level += Above(day.Sunrise, day.Sunset, day.PolarState, t);
    return static_cast<SkyBand>(level);
}

DayBands ComputeDayBands(const YearDay& day) {
    std::array<double, 10> cuts{};
    int n = 0;
    cuts[n++] = 0;
    const auto cut = [&](double t) {
        if (t == NoValue) return;
        const double hours = (t - day.Midnight) * 24;
        if (hours > 0 && hours < 24) cuts[n++] = hours;
    };
    for (const AltitudeCrossings& c : day.Twilights) {
        cut(c.Morning);
        cut(c.Evening);
    }
    cut(day.Sunrise);
    cut(day.Sunset);
    cuts[n++] = 24;
    std::sort(cuts.begin(), cuts.begin() + n);

    DayBands out;
    for (int i = 0; i + 1 < n; ++i) {
        if (!(cuts[i + 1] > cuts[i])) continue;
        const SkyBand band = BandAt(day, (cuts[i] + cuts[i + 1]) / 2);
        if (out.Count > 0 && out.Runs[out.Count - 1].Band == band)
            out.Runs[out.Count - 1].To = cuts[i + 1];
        else
            out.Runs[out.Count++] = {cuts[i], cuts[i + 1], band};
    }
    return out;
}

std::string FormatYearDay(const YearDay& day, int32_t showSeconds) {
    std::string length;
    if (day.PolarState == 0)
        length = "day length " + FormatClockTime(day.Sunset - day.Sunrise, showSeconds);
    else
        length = day.PolarState == 1 ? "Polar Day" : "Polar Night";
    return FormatDayMonth(day.Date) + " " + std::to_string(YearOf(day.Date)) + ": sunrise " +
           FormatEventTime(day.Transit, day.Sunrise, showSeconds) + ", sunset " +
           FormatEventTime(day.Transit, day.Sunset, showSeconds) + ", " + length;
}

}  // namespace heliomark
