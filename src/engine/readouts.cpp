#include "engine/readouts.h"

namespace heliomark {

namespace {

std::string EventText(const SolarState& day, double event, int32_t showSeconds) {
    return FormatClockTime(event, showSeconds) + DaySuffix(day.Transit, event);
}

// A duration between two events; "-" when either is missing.
std::string Span(double from, double to, int32_t showSeconds) {
    if (from == NoValue || to == NoValue) return "-";
    return FormatClockTime(to - from, showSeconds);
}

}  // namespace

std::string FormatDayLength(const SolarState& day, int32_t showSeconds) {
    if (day.PolarState == 1) return "Polar Day";
    if (day.PolarState != 0) return "Polar Night";
    return Span(day.Sunrise, day.Sunset, showSeconds);
}

DayReadouts FormatDayReadouts(const SolarState& day, int32_t showSeconds, bool useDMS, int16_t raFormat) {
    DayReadouts r;
    r.Sunrise = EventText(day, day.Sunrise, showSeconds);
    r.Sunset = EventText(day, day.Sunset, showSeconds);
    r.Transit = FormatClockTime(day.Transit, showSeconds);
    r.DayLength = FormatDayLength(day, showSeconds);
    r.MaxAltitude = FormatAngle(RadToDeg(day.MaxAltitude), useDMS);
    r.RightAscension = raFormat == 2 ? FormatRA(day.RightAscension)
                                     : FormatAngle(RadToDeg(day.RightAscension), raFormat == 1);
    r.Declination = FormatAngle(RadToDeg(day.Declination), useDMS);
    return r;
}

PositionReadouts FormatPositionReadouts(const SolarState& now, double refractedAltitude, bool useDMS) {
    return {FormatAngle(RadToDeg(now.Altitude), useDMS), FormatAngle(RadToDeg(refractedAltitude), useDMS),
            FormatAngle(FloorMod(RadToDeg(now.Azimuth), 360), useDMS)};
}

TwilightReadouts FormatTwilightReadouts(const SolarState& day, int32_t showSeconds) {
    const std::array<double, 3> begin{day.CivilBegin, day.NauticalBegin, day.AstroBegin};
    const std::array<double, 3> end{day.CivilEnd, day.NauticalEnd, day.AstroEnd};
    TwilightReadouts r;
    for (int i = 0; i < 3; ++i) {
        r.Starts[i] = EventText(day, begin[i], showSeconds);
        r.Ends[i] = EventText(day, end[i], showSeconds);
        r.MorningLength[i] = Span(begin[i], day.Sunrise, showSeconds);
        r.EveningLength[i] = Span(day.Sunset, end[i], showSeconds);
    }
    return r;
}

}  // namespace heliomark
