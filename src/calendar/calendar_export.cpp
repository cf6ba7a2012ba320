// CSV and iCalendar forms of the calendar table, and the instants of the day's events.
#include "calendar/calendar_export.h"

#include <cmath>

namespace heliomark {

namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr int64_t SecondsPerDay = 86400;
constexpr int64_t UnixEpochDay = 25569;  // 1970-01-01 in days since 1899-12-30

// Division rounding toward minus infinity, for instants before 1970.
int64_t FloorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

std::string IsoDate(int64_t daysSince1899) {
    int64_t year = 0;
    int month = 0, day = 0;
    CivilFromDays(daysSince1899, year, month, day);
    return FormatPadded(year, 4) + "-" + FormatPadded(month, 2) + "-" + FormatPadded(day, 2);
}

// "hh", "mm", "ss" of a number of seconds within a day, joined by `separator`.
std::string ClockText(int64_t seconds, std::string_view separator) {
    return FormatPadded(seconds / 3600, 2) + std::string(separator) + FormatPadded(seconds / 60 % 60, 2) +
           std::string(separator) + FormatPadded(seconds % 60, 2);
}

// ---------------------------------------------------------------- iCalendar events

struct IcsEventKind {
    std::string_view Id;     // in the UID
    std::string_view Title;  // in the SUMMARY
};

// "52.5200N-13.4050E": the place part of a UID, steady under the jitter of a radian round trip.
std::string PlaceId(const CalendarRequest& r) {
    const double lat = RadToDeg(r.Latitude);
    return FormatFixed(std::fabs(lat), 4) + (lat < 0 ? "S" : "N") + "-" +
           FormatFixed(std::fabs(r.Longitude), 4) + (r.Longitude < 0 ? "W" : "E");
}

class IcsWriter {
  public:
    IcsWriter(const CalendarRequest& r, std::chrono::sys_seconds stamp)
        : request_(r),
          stamp_(FormatIcsUtc(stamp.time_since_epoch().count())),
          place_(CalendarPlaceName(r)),
          placeId_(PlaceId(r)) {
        Line("BEGIN:VCALENDAR");
        Line("VERSION:2.0");
        Line("PRODID:-//Heliomark//Heliomark Calendar//EN");
        Line("CALSCALE:GREGORIAN");
        Line("METHOD:PUBLISH");
    }

    void Day(const SolarState& s) {
        Event(s, s.Sunrise, {"sunrise", "Sunrise"});
        Event(s, s.Sunset, {"sunset", "Sunset"});
        static constexpr IcsEventKind Begins[3] = {{"civil-begin", "Civil Twilight Starts"},
                                                   {"nautical-begin", "Nautical Twilight Starts"},
                                                   {"astronomical-begin", "Astronomical Twilight Starts"}};
        static constexpr IcsEventKind Ends[3] = {{"civil-end", "Civil Twilight Ends"},
                                                 {"nautical-end", "Nautical Twilight Ends"},
                                                 {"astronomical-end", "Astronomical Twilight Ends"}};
        for (int k = 0; k < 3; ++k) {
            const TwilightColumnFlags& f = request_.Twilights[k];
            if (!f.Any) continue;
            if (f.Start) Event(s, s.*TwilightKinds[k].Begin, Begins[k]);
            if (f.End) Event(s, s.*TwilightKinds[k].End, Ends[k]);
        }
    }

    std::string Finish() {
        Line("END:VCALENDAR");
        return std::move(text_);
    }

  private:
    void Line(std::string_view line) { text_ += FoldIcsLine(line); }

    void Event(const SolarState& s, double dayNumber, const IcsEventKind& kind) {
        const auto instant = EventInstantOf(s, dayNumber);
        if (!instant) return;
        const std::string day = FormatPadded(s.Year, 4) + FormatPadded(s.Month, 2) + FormatPadded(s.Day, 2);
        Line("BEGIN:VEVENT");
        Line("UID:" + day + "-" + std::string(kind.Id) + "-" + placeId_ + "@heliomark");
        Line("DTSTAMP:" + stamp_);
        Line("DTSTART:" + FormatIcsUtc(instant->UnixSeconds));
        Line("SUMMARY:" +
             EscapeIcsText(std::string(kind.Title) + " " +
                           FormatClockTime(dayNumber, request_.ShowSecondsSetting) + " - " + place_));
        Line("GEO:" + FormatFixed(RadToDeg(request_.Latitude), 6) + ";" + FormatFixed(request_.Longitude, 6));
        Line("TRANSP:TRANSPARENT");  // a sunrise does not make the user busy
        Line("END:VEVENT");
    }

    const CalendarRequest& request_;
    const std::string stamp_, place_, placeId_;
    std::string text_;
};

}  // namespace

std::optional<EventInstant> EventInstantOf(const SolarState& s, double dayNumber) {
    if (dayNumber == NoValue) return std::nullopt;
    // The clock time as FormatClockTime takes it apart, so the instant and the text agree.
    const double f = dayNumber - std::floor(dayNumber);
    const double h = f * 24;
    const double m = (h - std::floor(h)) * 60;
    const int64_t clock = static_cast<int64_t>(std::floor(h)) * 3600 +
                          static_cast<int64_t>(std::floor(m)) * 60 +
                          static_cast<int64_t>(std::round((m - std::floor(m)) * 60));
    // The day number's whole part counts local days as the Julian day at local midnight + 0.5 does.
    const double midnight = JulianDay(s.Year, s.Month, s.Day, 0, 0, 0) + 0.5;
    const int64_t dayShift = static_cast<int64_t>(std::floor(dayNumber) - midnight);
    const int64_t localDay = DaysFromCivil(s.Year, s.Month, s.Day) + dayShift;
    EventInstant instant;
    instant.OffsetSeconds = static_cast<int32_t>(std::llround(s.ZoneHours * 3600));
    instant.UnixSeconds = (localDay - UnixEpochDay) * SecondsPerDay + clock - instant.OffsetSeconds;
    return instant;
}

std::string FormatIsoInstant(const EventInstant& instant) {
    const int64_t local = instant.UnixSeconds + instant.OffsetSeconds;
    const int64_t day = FloorDiv(local, SecondsPerDay);
    const int64_t offset = std::abs(static_cast<int64_t>(instant.OffsetSeconds)) / 60;
    return IsoDate(day + UnixEpochDay) + "T" + ClockText(local - day * SecondsPerDay, ":") +
           (instant.OffsetSeconds < 0 ? "-" : "+") + FormatPadded(offset / 60, 2) + ":" +
           FormatPadded(offset % 60, 2);
}

std::string FormatIcsUtc(int64_t unixSeconds) {
    const int64_t day = FloorDiv(unixSeconds, SecondsPerDay);
    std::string date = IsoDate(day + UnixEpochDay);
    std::erase(date, '-');
    return date + "T" + ClockText(unixSeconds - day * SecondsPerDay, "") + "Z";
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string BuildCalendarCsv(const CalendarRequest& request, const SolarState& state) {
    std::string csv = "Date";
    for (const CalendarColumn& column : ChosenCalendarColumns(request))
        csv += "," + CsvField(column.Title);
    csv += LineEnd;
    ForEachCalendarDay(request, state, [&](const SolarState& s) {
        csv += IsoDate(DaysFromCivil(s.Year, s.Month, s.Day));
        for (const auto& value : CalendarDayValues(request, s, true)) {
            csv += ',';
            if (value) csv += CsvField(*value);
        }
        csv += LineEnd;
    });
    return csv;
}

std::string EscapeIcsText(std::string_view text) {
    std::string escaped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == ';' || c == ',') {
            escaped += '\\';
            escaped += c;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;  // CR LF is one line end
            escaped += "\\n";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string FoldIcsLine(std::string_view line) {
    constexpr std::size_t Octets = 75;
    const auto continuation = [&line](std::size_t i) {
        return i < line.size() && (static_cast<unsigned char>(line[i]) & 0xC0) == 0x80;
    };
    std::string folded;
    std::size_t start = 0;
    std::size_t room = Octets;  // the first line has all 75; the others give one to their blank
    while (line.size() - start > room) {
        std::size_t cut = start + room;
        while (cut > start + 1 && continuation(cut))
            --cut;  // back to the first byte of the character
        folded.append(line.substr(start, cut - start));
        folded += "\r\n ";
        start = cut;
        room = Octets - 1;
    }
    folded.append(line.substr(start));
    folded += LineEnd;
    return folded;
}

std::string BuildCalendarIcs(const CalendarRequest& request, const SolarState& state,
                             std::chrono::sys_seconds stamp) {
    IcsWriter writer(request, stamp);
    ForEachCalendarDay(request, state, [&writer](const SolarState& s) { writer.Day(s); });
    return writer.Finish();
}

}  // namespace heliomark
