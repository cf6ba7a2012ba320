// The calendar table for other programs: CSV for spreadsheets (RFC 4180) and iCalendar for calendar
// programs (RFC 5545), computed by the same day loop as the text, plus the instants of the day's
// events that both the iCalendar file and the command line's JSON write.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/calendar.h"

namespace heliomark {

// ------------------------------------------------------------------ instants
// An event's moment: universal time, and the offset of the zone it was computed in (DST included).
struct EventInstant {
    int64_t UnixSeconds = 0;    // seconds since 1970-01-01 00:00 UTC
    int32_t OffsetSeconds = 0;  // ZoneHours in seconds
};
// The instant of an event of the state's day (Year, Month, Day, ZoneHours as ComputeDayEvents used
// them) from its day number; none for NoValue. The local clock time is taken to the whole second as
// FormatClockTime writes it with seconds (hours and minutes floored, seconds rounded), and the
// local day follows the day number's whole part, so an event of the day before or after (" Y",
// " T") lands on that day.
std::optional<EventInstant> EventInstantOf(const SolarState& state, double dayNumber);
// The local date and time with its offset: "2024-06-21T04:43:12+02:00" ("+00:00" for UTC).
std::string FormatIsoInstant(const EventInstant& instant);
// Universal time in iCalendar's basic form: "20240621T024312Z".
std::string FormatIcsUtc(int64_t unixSeconds);

// ------------------------------------------------------------------ CSV
// One field: quoted, with inner quotation marks doubled, when it holds a comma, a quotation mark,
// CR or LF; otherwise as it is.
std::string CsvField(std::string_view text);
// The calendar as CSV, UTF-8, every record ended by CR LF, nothing above the header row. Header:
// "Date", then ChosenCalendarColumns. One row per day: the ISO date ("2024-06-01"), then the values
// as the table writes them, angles in decimal degrees, an empty field where the table leaves the
// column out. Computes on a copy of `state`, like BuildCalendarText.
std::string BuildCalendarCsv(const CalendarRequest& request, const SolarState& state);

// ------------------------------------------------------------------ iCalendar
// A TEXT value with backslash, semicolon, comma and line ends escaped.
std::string EscapeIcsText(std::string_view text);
// A content line folded into lines of at most 75 octets each, CR LF not counted; every
// continuation line begins with one blank, which counts. Never cuts inside a UTF-8 sequence. The
// result ends with CR LF.
std::string FoldIcsLine(std::string_view line);
// The calendar as an iCalendar file: one event per day for sunrise and one for sunset, and one for
// the beginning and one for the end of every twilight kind whose Starts or Ends column is chosen,
// each at its instant in UTC. A day without the event (polar day or night) has none. Each event's
// UID is made of the place (latitude and longitude to 4 decimals), the day and the kind, so a
// second import of the same days updates the first. SUMMARY: "Sunrise 04:43 - Berlin". `stamp` is
// the DTSTAMP, the moment the file is made.
std::string BuildCalendarIcs(const CalendarRequest& request, const SolarState& state,
                             std::chrono::sys_seconds stamp);

}  // namespace heliomark
