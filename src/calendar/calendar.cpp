// The calendar's day loop and its day lines.
#include <cmath>
#include <stdexcept>

#include "calendar/calendar.h"
#include "data/data.h"
#include "engine/readouts.h"

namespace heliomark {

namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr std::string_view Gap = "  ";  // before every column

void RequireMonth(const CalendarRequest& request) {
    if (request.Month < 1 || request.Month > 12) throw std::invalid_argument("calendar month out of range");
}

// The mean of the morning and evening twilight durations; none when either cannot be formed.
std::optional<double> TwilightLength(const SolarState& s, const TwilightKind& kind) {
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

namespace {

struct PlainColumn {
    std::string_view Key, Title;
    bool CalendarColumns::*Flag;
};
constexpr PlainColumn PlainColumns[] = {
    {"sunrise", "Sunrise", &CalendarColumns::Sunrise},
    {"sunset", "Sunset", &CalendarColumns::Sunset},
    {"day_length", "Day Length", &CalendarColumns::DayLength},
    {"max_altitude", "Max. Altitude", &CalendarColumns::MaxAltitude},
    {"transit", "Transit Time", &CalendarColumns::Transit},
    {"right_ascension", "Right Acsention", &CalendarColumns::RightAscension},
    {"declination", "Declination", &CalendarColumns::Declination},
};
struct TwilightColumn {
    std::string_view Key, Title;  // after the kind's name
    bool TwilightColumnFlags::*Flag;
};
constexpr TwilightColumn TwilightColumns[] = {
    {"_starts", " Twilight Starts", &TwilightColumnFlags::Start},
    {"_ends", " Twilight Ends", &TwilightColumnFlags::End},
    {"_length", " Twilight Length", &TwilightColumnFlags::Length},
};

}  // namespace

std::vector<CalendarColumn> ChosenCalendarColumns(const CalendarRequest& request) {
    std::vector<CalendarColumn> columns;
    for (const PlainColumn& c : PlainColumns)
        if (request.Columns.*c.Flag) columns.push_back({std::string(c.Key), std::string(c.Title)});
    for (int k = 0; k < 3; ++k) {
        const TwilightColumnFlags& f = request.Twilights[k];
        if (!f.Any) continue;
        for (const TwilightColumn& c : TwilightColumns) {
            if (!(f.*c.Flag)) continue;
            const std::string_view kind = TwilightKinds[k].Name;
            columns.push_back(
                {LowerCaseName(kind) + std::string(c.Key), std::string(kind) + std::string(c.Title)});
        }
    }
    return columns;
}

bool SelectCalendarColumn(CalendarRequest& request, std::string_view key) {
    for (const PlainColumn& c : PlainColumns) {
        if (key != c.Key) continue;
        request.Columns.*c.Flag = true;
        return true;
    }
    for (int k = 0; k < 3; ++k) {
        for (const TwilightColumn& c : TwilightColumns) {
            if (key != LowerCaseName(TwilightKinds[k].Name) + std::string(c.Key)) continue;
            request.Twilights[k].*c.Flag = true;
            request.Twilights[k].Any = true;
            return true;
        }
    }
    return false;
}

std::vector<std::optional<std::string>> CalendarDayValues(const CalendarRequest& request, const SolarState& s,
                                                          bool decimalAngles) {
    const CalendarColumns& c = request.Columns;
    const int32_t sec = request.ShowSecondsSetting;
    const auto angle = [&](double radians, bool useDMS) {
        return decimalAngles ? FormatFixed(RadToDeg(radians), 3)
                             : FormatCalendarAngle(RadToDeg(radians), useDMS);
    };
    std::vector<std::optional<std::string>> values;
    if (c.Sunrise) values.emplace_back(FormatClockTime(s.Sunrise, sec));
    if (c.Sunset) values.emplace_back(FormatClockTime(s.Sunset, sec));
    if (c.DayLength) values.emplace_back(FormatDayLength(s, sec));
    if (c.MaxAltitude) values.emplace_back(angle(s.MaxAltitude, request.AngleFormatSetting));
    if (c.Transit) values.emplace_back(FormatClockTime(s.Transit, sec));
    if (c.RightAscension) {
        values.emplace_back(decimalAngles ? FormatFixed(RadToDeg(s.RightAscension), 3)
                                          : RightAscensionText(s, request.RAFormatSetting));
    }
    if (c.Declination) values.emplace_back(angle(s.Declination, request.AngleFormatSetting));
    for (int k = 0; k < 3; ++k) {
        const TwilightColumnFlags& f = request.Twilights[k];
        if (!f.Any) continue;
        const TwilightKind& kind = TwilightKinds[k];
        if (f.Start) values.emplace_back(FormatClockTime(s.*kind.Begin, sec));
        if (f.End) values.emplace_back(FormatClockTime(s.*kind.End, sec));
        if (f.Length) {
            const auto length = TwilightLength(s, kind);
            values.emplace_back(length ? std::optional(FormatClockTime(*length, sec)) : std::nullopt);
        }
    }
    return values;
}

std::string BuildCalendarDayLine(const CalendarRequest& request, const SolarState& s) {
    std::string line = FormatPadded(s.Day, 2);
    for (const auto& value : CalendarDayValues(request, s, false)) {
        if (!value) continue;  // left out with its separator
        line += Gap;
        line += *value;
    }
    line += LineEnd;
    return line;
}

void ForEachCalendarDay(const CalendarRequest& request, SolarState state,
                        const std::function<void(const SolarState&)>& visit) {
    RequireMonth(request);
    state.Latitude = request.Latitude;
    state.Longitude = request.Longitude;
    state.Year = static_cast<int16_t>(request.Year);
    state.Month = static_cast<int16_t>(request.Month);
    const int firstMonth = request.WholeYear ? 1 : request.Month;
    const int lastMonth = request.WholeYear ? 12 : request.Month;
    const bool twilights = request.Twilights[0].Any || request.Twilights[1].Any || request.Twilights[2].Any;
    for (int month = firstMonth; month <= lastMonth; ++month) {
        const int days = DayOf(DateSerial(request.Year, month + 1, 0));
        for (int day = 1; day <= days; ++day) {
            state.Month = static_cast<int16_t>(month);
            state.Day = static_cast<int16_t>(day);
            const bool dst = IsCalendarDST(request, DateSerial(request.Year, month, day));
            state.ZoneHours = request.HourZone + (dst ? 1 : 0);
            ComputeDayEvents(state, twilights);
            visit(state);
        }
    }
}

std::string BuildCalendarText(const CalendarRequest& request, const SolarState& state) {
    RequireMonth(request);
    std::string text = BuildCalendarHeader(request);
    const int months = request.WholeYear ? 12 : 1;
    text.reserve(text.size() + months * 31 * 160);
    ForEachCalendarDay(request, state, [&](const SolarState& day) {
        if (day.Day == 1) {
            text += CalendarMonthName(day.Month);
            text += LineEnd;
        }
        text += BuildCalendarDayLine(request, day);
    });
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
