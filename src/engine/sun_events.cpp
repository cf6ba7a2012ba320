// Crossings of any altitude by the day-event method, and what the Sun Events window derives from
// them. The method and its constants are those of sunrise and sunset (solar.cpp), so that a
// crossing at the rise/set altitude is the sunrise or sunset the main window shows.
#include "engine/sun_events.h"

#include <cmath>

namespace heliomark {

AltitudeCrossings ComputeAltitudeEvents(const SolarState& state, double altitude) {
    const LocalNoon noon = ComputeLocalNoon(state);
    AltitudeCrossings out;
    // The refinements below overwrite this mark everywhere but at a pole, where the Sun keeps
    // nearly the same altitude all day: there the noon altitude says which side it keeps.
    const double maxAltitude = 1.5707963267949 - std::fabs(state.Latitude - noon.Declination);
    out.Status = maxAltitude > altitude ? 1 : -1;
    const EventPair pair =
        ComputeEventPair(state, noon.JulianDay, noon.Declination, noon.HourAngle, altitude, out.Status);
    out.Morning = pair.Begin;
    out.Evening = pair.End;
    return out;
}

LightHours ComputeLightHours(const SolarState& state) {
    const AltitudeCrossings blue = ComputeAltitudeEvents(state, DegToRad(BlueHourLowDeg));
    const AltitudeCrossings low = ComputeAltitudeEvents(state, DegToRad(GoldenHourLowDeg));
    const AltitudeCrossings high = ComputeAltitudeEvents(state, DegToRad(GoldenHourHighDeg));
    LightHours h;
    h.BlueMorningBegin = blue.Morning;
    h.BlueMorningEnd = low.Morning;
    h.GoldenMorningBegin = low.Morning;
    h.GoldenMorningEnd = high.Morning;
    h.GoldenEveningBegin = high.Evening;
    h.GoldenEveningEnd = low.Evening;
    h.BlueEveningBegin = low.Evening;
    h.BlueEveningEnd = blue.Evening;
    return h;
}

double AzimuthAtEvent(const SolarState& state, double dayNumber) {
    if (dayNumber == NoValue) return NoValue;
    // A day number is the Julian day + ZoneHours / 24 + 0.5.
    const double jd = dayNumber - 0.5 - state.ZoneHours / 24;
    return FloorMod(RadToDeg(SunPositionAtJulianDay(state, jd).Azimuth), 360);
}

StickShadow ComputeStickShadow(double refractedAltitude, double azimuth) {
    if (!(refractedAltitude > 0)) return {};
    return {1 / std::tan(refractedAltitude), FloorMod(RadToDeg(azimuth) + 180, 360)};
}

SolarState DayEventsOn(const SolarState& place, double date, double zoneHours) {
    SolarState day = place;
    day.Year = static_cast<int16_t>(YearOf(date));
    day.Month = static_cast<int16_t>(MonthOf(date));
    day.Day = static_cast<int16_t>(DayOf(date));
    day.ZoneHours = zoneHours;
    ComputeDayEvents(day, false);
    return day;
}

PolarSpan FindPolarSpan(const SolarState& state, const ZoneHoursOnDate& zoneHoursOn) {
    PolarSpan span;
    span.State = state.PolarState;
    if (state.PolarState == 0) return span;
    const double today = DateSerial(state.Year, state.Month, state.Day);
    // The first day `step` days at a time away from today whose sunset (or sunrise) exists.
    const auto search = [&](int step, bool sunset) -> std::optional<PolarEnd> {
        for (int k = 1; k <= PolarSearchDays; ++k) {
            const double date = today + step * k;
            const SolarState day = DayEventsOn(state, date, zoneHoursOn(date));
            const double time = sunset ? day.Sunset : day.Sunrise;
            if (time != NoValue) return PolarEnd{date, time, day.Transit};
        }
        return std::nullopt;
    };
    // A polar night began after the last sunset and ends at the next sunrise; a polar day began
    // after the last sunrise and ends at the next sunset.
    const bool night = state.PolarState != 1;
    span.Last = search(-1, night);
    span.Next = search(1, !night);
    return span;
}

}  // namespace heliomark
