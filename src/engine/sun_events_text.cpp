#include "engine/sun_events_text.h"

#include <charconv>
#include <cmath>

namespace heliomark {

std::string FormatEventTime(double transit, double event, int32_t showSeconds) {
    return FormatClockTime(event, showSeconds) + DaySuffix(transit, event);
}

std::string MonthAbbreviation(int month) {
    static constexpr const char* Names[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (month < 1 || month > 12) return {};
    return Names[month - 1];
}

std::string FormatDayMonth(double date) {
    return std::to_string(DayOf(date)) + " " + MonthAbbreviation(MonthOf(date));
}

std::string FormatHourLabel(int hour) {
    return std::to_string(hour) + "h";
}

std::string FormatPolarLine(const PolarSpan& span, int32_t showSeconds) {
    if (span.State == 0) return {};
    const bool night = span.State != 1;
    const std::string before = night ? "sunset" : "sunrise";
    const std::string after = night ? "sunrise" : "sunset";
    std::string line = night ? "Polar night" : "Polar day";
    if (span.Last)
        line += " since " + FormatDayMonth(span.Last->Date + 1) + " (last " + before + " " +
                FormatEventTime(span.Last->Transit, span.Last->Time, showSeconds) + ")";
    else
        line += " for more than a year";
    if (span.Next)
        line += ", next " + after + " " + FormatDayMonth(span.Next->Date) + " at " +
                FormatEventTime(span.Next->Transit, span.Next->Time, showSeconds);
    else
        line += ", no " + after + " within a year";
    return line;
}

std::string FormatShadowLength(const StickShadow& shadow) {
    if (shadow.Length == NoValue) return "-";
    return FormatFixed(shadow.Length, 2) + " m";
}

std::string FormatDirection(double degrees, bool useDMS) {
    return degrees == NoValue ? "-" : FormatAngle(degrees, useDMS);
}

std::optional<double> ParseCustomAltitude(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    if (value < MinCustomAltitudeDeg || value > MaxCustomAltitudeDeg) return std::nullopt;
    return value;
}

std::string CustomAltitudeRefusal(std::string_view typed) {
    return "\"" + std::string(typed) +
           "\" is not taken: the altitude must be a number of degrees from -18 to +89, such as 10 "
           "or -12.5.";
}

SunEventsReadouts ComputeSunEventsReadouts(const SolarState& day, double customAltitudeDeg,
                                           const ZoneHoursOnDate& zoneHoursOn, int32_t showSeconds,
                                           bool useDMS) {
    const LightHours h = ComputeLightHours(day);
    SunEventsReadouts out;
    out.BandDays = {h.GoldenMorningBegin, h.GoldenMorningEnd, h.GoldenEveningBegin, h.GoldenEveningEnd,
                    h.BlueMorningBegin,   h.BlueMorningEnd,   h.BlueEveningBegin,   h.BlueEveningEnd};
    for (int i = 0; i < 8; ++i)
        out.Bands[i] = FormatEventTime(day.Transit, out.BandDays[i], showSeconds);
    out.RiseAzimuth = FormatDirection(AzimuthAtEvent(day, day.Sunrise), useDMS);
    out.SetAzimuth = FormatDirection(AzimuthAtEvent(day, day.Sunset), useDMS);
    const AltitudeCrossings custom = ComputeAltitudeEvents(day, DegToRad(customAltitudeDeg));
    out.CustomRise = FormatEventTime(day.Transit, custom.Morning, showSeconds);
    out.CustomSet = FormatEventTime(day.Transit, custom.Evening, showSeconds);
    out.CustomRiseDay = custom.Morning;
    out.CustomSetDay = custom.Evening;
    out.Polar = FormatPolarLine(FindPolarSpan(day, zoneHoursOn), showSeconds);
    return out;
}

ShadowReadouts ComputeShadowReadouts(double refractedAltitude, double azimuth, bool useDMS) {
    const StickShadow shadow = ComputeStickShadow(refractedAltitude, azimuth);
    return {FormatShadowLength(shadow), FormatDirection(shadow.Direction, useDMS)};
}

}  // namespace heliomark
