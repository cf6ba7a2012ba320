// The calendar's day loop and its day lines.
#include <cmath>
#include <stdexcept>

#include "calendar/calendar.h"

namespace heliomark {

namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr std::string_view Gap = "  ";  // before every column

struct TwilightFields {
    double SolarState::*Begin;
    double SolarState::*End;
};
// Civil, nautical, astronomical: the order of the flags and of the columns.
constexpr TwilightFields TwilightKinds[3] = {
    {&SolarState::CivilBegin, &SolarState::CivilEnd},
    {&SolarState::NauticalBegin, &SolarState::NauticalEnd},
    {&SolarState::AstroBegin, &SolarState::AstroEnd},
};

std::string DayLengthColumn(const SolarState& s, int32_t showSeconds) {
    if (s.PolarState == 1) return "  Polar Day";
    if (s.PolarState != 0) return "  Polar Night";
    // At a pole the engine gives neither rise nor set and leaves the polar mark of an earlier day;
    // the difference of the two missing times would read as a day of "00:00".
    if (s.Sunrise == NoValue || s.Sunset == NoValue) return std::string(Gap) + "-";
    return std::string(Gap) + FormatClockTime(s.Sunset - s.Sunrise, showSeconds);
}

// The mean of the morning and evening twilight durations; none when either cannot be formed.
std::optional<double> TwilightLength(const SolarState& s, const TwilightFields& kind) {
    const double begin = s.*kind.Begin, end = s.*kind.End;
    const double morning = (begin == NoValue || s.Sunrise == NoValue) ? 0 : s.Sunrise - begin;
    const double evening = (end == NoValue || s.Sunset == NoValue) ? 0 : end - s.Sunset;
    if (morning != 0 && evening != 0) return (evening + morning) / 2;
    return std::nullopt;
}

std::string RightAscensionText(const SolarState& s, int16_t raFormat) {
    if (raFormat == 2) return FormatRA(FloorMod(s.RightAscension, TwoPi));
    return FormatCalendarAngle(RadToDeg(s.RightAscension), raFormat == 1);
}

}  // namespace

bool IsCalendarDST(const CalendarRequest& request, double day) {
    return request.DstInUse && InDstPeriod(day, request.DstStart, request.DstEnd);
}

std::string BuildCalendarDayLine(const CalendarRequest& request, const SolarState& s) {
    const CalendarColumns& c = request.Columns;
    const int32_t sec = request.ShowSecondsSetting;
    std::string line = FormatPadded(s.Day, 2);
    const auto add = [&line](const std::string& value) {
        line += Gap;
        line += value;
    };
    if (c.Sunrise) add(FormatClockTime(s.Sunrise, sec));
    if (c.Sunset) add(FormatClockTime(s.Sunset, sec));
    if (c.DayLength) line += DayLengthColumn(s, sec);
    if (c.MaxAltitude) add(FormatCalendarAngle(RadToDeg(s.MaxAltitude), request.AngleFormatSetting));
    if (c.Transit) add(FormatClockTime(s.Transit, sec));
    if (c.RightAscension) add(RightAscensionText(s, request.RAFormatSetting));
    if (c.Declination) add(FormatCalendarAngle(RadToDeg(s.Declination), request.AngleFormatSetting));
    for (int k = 0; k < 3; ++k) {
        const TwilightColumnFlags& f = request.Twilights[k];
        if (!f.Any) continue;
        const TwilightFields& kind = TwilightKinds[k];
        if (f.Start) add(FormatClockTime(s.*kind.Begin, sec));
        if (f.End) add(FormatClockTime(s.*kind.End, sec));
        if (f.Length) {
            if (const auto length = TwilightLength(s, kind)) add(FormatClockTime(*length, sec));
        }
    }
    line += LineEnd;
    return line;
}

std::string BuildCalendarText(const CalendarRequest& request, SolarState state) {
    if (request.Month < 1 || request.Month > 12) throw std::invalid_argument("calendar month out of range");
    state.Latitude = request.Latitude;
    state.Longitude = request.Longitude;
    state.Year = static_cast<int16_t>(request.Year);
    state.Month = static_cast<int16_t>(request.Month);

    std::string text = BuildCalendarHeader(request);
    const int firstMonth = request.WholeYear ? 1 : request.Month;
    const int lastMonth = request.WholeYear ? 12 : request.Month;
    text.reserve(text.size() + (lastMonth - firstMonth + 1) * 31 * 160);

    const bool twilights = request.Twilights[0].Any || request.Twilights[1].Any || request.Twilights[2].Any;
    for (int month = firstMonth; month <= lastMonth; ++month) {
        const int days = DayOf(DateSerial(request.Year, month + 1, 0));
        for (int day = 1; day <= days; ++day) {
            if (day == 1) {
                text += CalendarMonthName(month);
                text += LineEnd;
            }
            state.Month = static_cast<int16_t>(month);
            state.Day = static_cast<int16_t>(day);
            const bool dst = IsCalendarDST(request, DateSerial(request.Year, month, day));
            state.ZoneHours = request.HourZone + (dst ? 1 : 0);
            ComputeDayEvents(state, twilights);
            text += BuildCalendarDayLine(request, state);
        }
    }
    return text;
}

std::string FormatCalendarAngle(double degrees, bool useDMS) {
    if (!useDMS) return FormatFixed(degrees, 3) + "°";
    const Dms d = SplitDMS(degrees);
    const long long seconds = std::llrint(d.Seconds);  // half to even; a rounded 60 stays 60
    std::string text = d.Sign == -1 ? "-" : "";
    text +=
        std::to_string(d.Degrees) + "°" + std::to_string(d.Minutes) + "'" + std::to_string(seconds) + "''";
    return text;
}

std::string ExtractFolder(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return {};
    return std::string(path.substr(0, slash + 1));
}

}  // namespace heliomark
