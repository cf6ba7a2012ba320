// The calendar header: where and for which year the table holds, its hour zone, its daylight-saving
// period and the year's equinoxes and solstices.
#include <cmath>

#include "calendar/calendar.h"

namespace heliomark {

namespace {

constexpr std::string_view LineEnd = "\r\n";

// Half to even on the scaled value, as the classic Round(x, decimals) did.
double RoundTo(double x, double scale) {
    return std::nearbyint(x * scale);
}

std::string LatitudeText(double latitude, bool useDMS) {
    if (latitude < 0) return FormatAngle(RadToDeg(-latitude), useDMS) + " S";
    return FormatAngle(RadToDeg(latitude), useDMS) + " N";
}

std::string LongitudeText(double longitude, bool useDMS) {
    if (longitude < 0) return FormatAngle(-longitude, useDMS) + " W";
    return FormatAngle(longitude, useDMS) + " E";
}

std::string Coordinates(const CalendarRequest& r) {
    return LatitudeText(r.Latitude, r.AngleFormatSetting) + " , " +
           LongitudeText(r.Longitude, r.AngleFormatSetting);
}

std::string PlaceLine(const CalendarRequest& r) {
    std::string line = "Calculated values are valid for year " + std::to_string(r.Year);
    if (IsCalendarCity(r)) {
        line += " at " + r.SelectedCity->Name + " (" + Coordinates(r) + ")";
    } else {
        line += " at location: " + Coordinates(r);
    }
    return line;
}

std::string DstLines(const CalendarRequest& r) {
    const std::string disabled = "Daylight saving time is disabled";
    if (!r.DstInUse) return disabled + std::string(LineEnd);
    const std::string starts = "Daylight saving time starts at " + r.DateText(r.DstStart);
    const std::string ends = "Daylight saving time ends at " + r.DateText(r.DstEnd);
    if (r.WholeYear) return starts + std::string(LineEnd) + ends + std::string(LineEnd);
    // Months are compared by number alone; when both ends fall in the month only the start shows.
    if (MonthOf(r.DstStart) == r.Month) return starts + std::string(LineEnd);
    if (MonthOf(r.DstEnd) == r.Month) return ends + std::string(LineEnd);
    // The same wrapping test the days use, so a southern-hemisphere January reads "enabled".
    const bool enabled = InDstPeriod(DateSerial(r.Year, r.Month, 1), r.DstStart, r.DstEnd);
    return (enabled ? "Daylight saving time is enabled" : disabled) + std::string(LineEnd);
}

// The event's date in the same text as the daylight-saving dates, then the locale's short time.
// (Cutting the general date to a fixed number of characters keeps seconds and drops AM/PM under
// many locales, so an evening solstice would read as morning.)
std::string SeasonLine(const CalendarRequest& r, std::string_view title, const std::optional<double>& when) {
    std::string line(title);
    if (when) {
        line += r.DateText(OleDatePart(*when)) + " " + r.ShortTimeText(*when);
    } else {
        line += MissingSeasonText;
    }
    return line + std::string(LineEnd);
}

}  // namespace

// The events keep their calendar order; their names follow the place's seasons. South of the
// equator the March equinox begins autumn and the June solstice is midwinter, so the same
// instants are titled the other way round. The equator itself counts as north, as in the place line.
std::string BuildCalendarSeasonLines(const CalendarRequest& r) {
    struct Event {
        int Flag;
        int Month;
        std::string_view NorthTitle;
        std::string_view SouthTitle;
        std::optional<double> Seasons::*Slot;
    };
    static constexpr Event Events[] = {
        {1, 3, "Vernal Equinox at ", "Autumnal Equinox at ", &Seasons::Vernal},
        {2, 6, "Summer Solstice at ", "Winter Solstice at ", &Seasons::Summer},
        {4, 9, "Autumnal Equinox at ", "Vernal Equinox at ", &Seasons::Autumnal},
        {8, 12, "Winter Solstice at ", "Summer Solstice at ", &Seasons::Winter},
    };
    const bool south = r.Latitude < 0;
    int mask = 0;
    for (const Event& e : Events) {
        if (r.WholeYear || r.Month == e.Month) mask |= e.Flag;
    }
    if (mask == 0) return {};
    const Seasons seasons = ComputeSeasons(r.Year, mask, r.HourZone, r.DstStart, r.DstEnd, r.DstInUse);
    std::string lines;
    for (const Event& e : Events) {
        if (mask & e.Flag) lines += SeasonLine(r, south ? e.SouthTitle : e.NorthTitle, seasons.*e.Slot);
    }
    return lines;
}

bool IsAtCity(double latitude, double longitude, double cityLatitude, double cityLongitude) {
    return RoundTo(latitude, 1e5) == RoundTo(DegToRad(cityLatitude), 1e5) &&
           RoundTo(longitude, 1e4) == RoundTo(cityLongitude, 1e4);
}

bool IsCalendarCity(const CalendarRequest& request) {
    if (!request.SelectedCity) return false;
    const CalendarCity& city = *request.SelectedCity;
    return IsAtCity(request.Latitude, request.Longitude, city.Latitude, city.Longitude);
}

std::string CalendarPlaceName(const CalendarRequest& request) {
    return IsCalendarCity(request) ? request.SelectedCity->Name : Coordinates(request);
}

std::string BuildCalendarHeader(const CalendarRequest& request) {
    std::string header = PlaceLine(request) + std::string(LineEnd);
    header += "Hour Zone: " + request.HourZoneText + std::string(LineEnd);
    header += DstLines(request);
    header += BuildCalendarSeasonLines(request);
    header += LineEnd;
    return header;
}

std::string CalendarRequest::IsoDateText(double oleDateTime) {
    double date = OleDatePart(oleDateTime);
    long long seconds = std::llround(OleTimePart(oleDateTime) * 86400);
    if (seconds == 86400) {  // a time a hair before midnight
        date = OleDateTime(date, 1);
        seconds = 0;
    }
    std::string text = FormatPadded(YearOf(date), 4) + "-" + FormatPadded(MonthOf(date), 2) + "-" +
                       FormatPadded(DayOf(date), 2);
    if (seconds == 0) return text;
    return text + " " + FormatPadded(seconds / 3600, 2) + ":" + FormatPadded(seconds / 60 % 60, 2) + ":" +
           FormatPadded(seconds % 60, 2);
}

std::string CalendarRequest::IsoShortTimeText(double oleDateTime) {
    const long long minutes = std::llround(OleTimePart(oleDateTime) * 86400) / 60;
    return FormatPadded(minutes / 60 % 24, 2) + ":" + FormatPadded(minutes % 60, 2);
}

}  // namespace heliomark
