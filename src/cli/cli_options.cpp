#include "cli/cli_options.h"

#include <charconv>
#include <cmath>
#include <set>
#include <string_view>

#include "calendar/calendar.h"
#include "data/data.h"
#include "engine/sun_events_text.h"

namespace heliomark::cli {

namespace {

// Which commands take an option.
enum : unsigned { ForDay = 1, ForCalendar = 2, ForSeasons = 4, ForCities = 8, ForAll = 15 };

[[noreturn]] void Refuse(std::string_view argument, const std::string& problem) {
    throw UsageError(std::string(argument) + ": " + problem);
}

bool AllDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// A whole number of at most 9 digits, without sign or blanks.
int Whole(std::string_view name, std::string_view text, const char* what) {
    if (!AllDigits(text) || text.size() > 9) Refuse(name, ShownArgument(text) + " is not " + what);
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// A decimal number ("52.52", "-0.5", "+13.4", "1e1"); no blanks, no infinities.
double Decimal(std::string_view name, std::string_view text) {
    std::string_view digits = text;
    if (digits.starts_with('+')) digits.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    const bool signedTwice = digits.size() < text.size() && digits.starts_with('-');
    if (digits.empty() || signedTwice || ec != std::errc() || end != digits.data() + digits.size() ||
        !std::isfinite(value)) {
        Refuse(name, ShownArgument(text) + " is not a number of degrees");
    }
    return value;
}

double Degrees(std::string_view name, std::string_view text, double limit) {
    const double value = Decimal(name, text);
    if (std::fabs(value) > limit)
        Refuse(name, ShownArgument(text) + " is beyond " + std::to_string(int(limit)) + " degrees");
    return value;
}

CliDate ParseDate(std::string_view name, std::string_view text) {
    const bool shape = text.size() == 10 && text[4] == '-' && text[7] == '-' &&
                       AllDigits(text.substr(0, 4)) && AllDigits(text.substr(5, 2)) &&
                       AllDigits(text.substr(8, 2));
    if (!shape) Refuse(name, ShownArgument(text) + " is not a date like 2024-06-21");
    const CliDate d{Whole(name, text.substr(0, 4), ""), Whole(name, text.substr(5, 2), ""),
                    Whole(name, text.substr(8, 2), "")};
    if (!IsRealDate(d.Year, d.Month, d.Day)) Refuse(name, std::string(text) + " does not exist");
    return d;
}

CliTime ParseTime(std::string_view name, std::string_view text) {
    const std::size_t colon = text.find(':');
    const std::string_view hours = text.substr(0, colon);
    const std::string_view rest =
        colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1);
    const std::string_view minutes = rest.substr(0, 2);
    const std::string_view seconds = rest.size() > 2 ? rest.substr(3) : std::string_view();
    const bool shape = AllDigits(hours) && hours.size() <= 2 && minutes.size() == 2 && AllDigits(minutes) &&
                       (rest.size() == 2 || (rest.size() == 5 && rest[2] == ':' && AllDigits(seconds)));
    if (!shape) Refuse(name, ShownArgument(text) + " is not a time like 14:30 or 14:30:15");
    const CliTime t{Whole(name, hours, ""), Whole(name, minutes, ""),
                    seconds.empty() ? 0 : Whole(name, seconds, "")};
    if (t.Hour > 23 || t.Minute > 59 || t.Second > 59)
        Refuse(name, std::string(text) + " is not a time of day");
    return t;
}

CliZone ParseZone(std::string_view name, std::string_view text) {
    if (AllDigits(text)) {
        const int position = Whole(name, text, "a position 0-74");
        if (position >= HourZoneCount) Refuse(name, ShownArgument(text) + " is beyond the last position, 74");
        return {position, HourZoneOffset(position)};
    }
    const std::size_t colon = text.find(':');
    const bool shape = text.size() >= 5 && (text[0] == '+' || text[0] == '-') &&
                       colon != std::string_view::npos && colon >= 2 && colon <= 3 &&
                       AllDigits(text.substr(1, colon - 1)) && text.size() == colon + 3 &&
                       AllDigits(text.substr(colon + 1));
    if (!shape) Refuse(name, ShownArgument(text) + " is neither a position 0-74 nor an offset like +05:30");
    const int hours = Whole(name, text.substr(1, colon - 1), ""),
              minutes = Whole(name, text.substr(colon + 1), "");
    const double offset = (text[0] == '-' ? -1 : 1) * (hours + minutes / 60.0);
    if (minutes > 59 || offset < -12 || offset > 14)
        Refuse(name, std::string(text) + " is not an offset from -12:00 to +14:00");
    return {std::nullopt, offset};
}

std::vector<std::string> ParseColumns(std::string_view name, std::string_view text) {
    std::vector<std::string> keys;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        const std::string key(text.substr(start, comma - start));
        CalendarRequest probe;
        if (key != "all" && !SelectCalendarColumn(probe, key))
            Refuse(name, "no column is named " + ShownArgument(key) + " (see --help)");
        keys.push_back(key);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return keys;
}

CliFormat ParseFormat(std::string_view name, std::string_view text) {
    if (text == "text") return CliFormat::Text;
    if (text == "csv") return CliFormat::Csv;
    if (text == "ics") return CliFormat::Ics;
    if (text == "json") return CliFormat::Json;
    Refuse(name, ShownArgument(text) + " is not one of text, csv, ics, json");
}

std::string NonEmpty(std::string_view name, std::string_view text) {
    if (text.empty()) Refuse(name, "needs a value");
    return std::string(text);
}

using Apply = void (*)(CliOptions&, std::string_view name, std::string_view value);
struct OptionSpec {
    std::string_view Name;
    std::string_view Slot;  // options that set the same thing share a slot (--json, --format)
    bool TakesValue;
    unsigned Commands;
    Apply Set;
};

constexpr OptionSpec Options[] = {
    {"--city", "city", true, ForDay | ForCalendar | ForSeasons,
     [](CliOptions& o, auto n, auto v) { o.City = NonEmpty(n, v); }},
    {"--lat", "lat", true, ForDay | ForCalendar | ForSeasons,
     [](CliOptions& o, auto n, auto v) { o.Latitude = Degrees(n, v, 90); }},
    {"--lon", "lon", true, ForDay | ForCalendar | ForSeasons,
     [](CliOptions& o, auto n, auto v) { o.Longitude = Degrees(n, v, 180); }},
    {"--zone", "zone", true, ForDay | ForCalendar | ForSeasons,
     [](CliOptions& o, auto n, auto v) { o.Zone = ParseZone(n, v); }},
    {"--dst", "dst", true, ForDay | ForCalendar | ForSeasons,
     [](CliOptions& o, auto n, auto v) { o.Dst = NonEmpty(n, v); }},
    {"--date", "date", true, ForDay, [](CliOptions& o, auto n, auto v) { o.Date = ParseDate(n, v); }},
    {"--time", "time", true, ForDay, [](CliOptions& o, auto n, auto v) { o.Time = ParseTime(n, v); }},
    {"--altitude", "altitude", true, ForDay,
     [](CliOptions& o, auto n, auto v) {
         const auto altitude = ParseCustomAltitude(v);
         if (!altitude) Refuse(n, ShownArgument(v) + " is not a number of degrees from -18 to +89");
         o.Altitude = *altitude;
     }},
    {"--seconds", "seconds", false, ForDay | ForCalendar,
     [](CliOptions& o, auto, auto) { o.Seconds = true; }},
    {"--dms", "dms", false, ForDay | ForCalendar, [](CliOptions& o, auto, auto) { o.Dms = true; }},
    {"--ra-format", "ra", true, ForDay | ForCalendar,
     [](CliOptions& o, auto n, auto v) {
         if (v != "0" && v != "1" && v != "2") Refuse(n, ShownArgument(v) + " is not 0, 1 or 2");
         o.RaFormat = v[0] - '0';
     }},
    {"--year", "year", true, ForCalendar | ForSeasons,
     [](CliOptions& o, auto n, auto v) {
         o.Year = Whole(n, v, "a year");
         if (*o.Year < 1 || *o.Year > 9999) Refuse(n, ShownArgument(v) + " is not a year from 1 to 9999");
     }},
    {"--month", "month", true, ForCalendar,
     [](CliOptions& o, auto n, auto v) {
         o.Month = Whole(n, v, "a month");
         if (*o.Month < 1 || *o.Month > 12) Refuse(n, ShownArgument(v) + " is not a month from 1 to 12");
     }},
    {"--columns", "columns", true, ForCalendar,
     [](CliOptions& o, auto n, auto v) { o.Columns = ParseColumns(n, v); }},
    {"--format", "format", true, ForAll, [](CliOptions& o, auto n, auto v) { o.Format = ParseFormat(n, v); }},
    {"--json", "format", false, ForAll, [](CliOptions& o, auto, auto) { o.Format = CliFormat::Json; }},
    {"--output", "output", true, ForAll, [](CliOptions& o, auto n, auto v) { o.Output = NonEmpty(n, v); }},
};

struct CommandName {
    std::string_view Name;
    CliCommand Command;
    unsigned Bit;
};
constexpr CommandName Commands[] = {{"day", CliCommand::Day, ForDay},
                                    {"calendar", CliCommand::Calendar, ForCalendar},
                                    {"seasons", CliCommand::Seasons, ForSeasons},
                                    {"cities", CliCommand::Cities, ForCities}};

void CheckCombination(const CliOptions& o, std::string_view command) {
    if (o.City && (o.Latitude || o.Longitude)) Refuse("--city", "cannot be combined with --lat and --lon");
    if (o.Latitude && !o.Longitude) Refuse("--lat", "needs --lon as well");
    if (o.Longitude && !o.Latitude) Refuse("--lon", "needs --lat as well");
    const bool needsPlace = o.Command == CliCommand::Day || o.Command == CliCommand::Calendar;
    if (needsPlace && !o.City && !o.Latitude)
        Refuse(command, "needs a place: --city NAME, or --lat DEG and --lon DEG");
    if ((o.Format == CliFormat::Csv || o.Format == CliFormat::Ics) && o.Command != CliCommand::Calendar)
        Refuse("--format", "csv and ics are for the calendar command");
}

}  // namespace

std::string ShownArgument(std::string_view text) {
    std::string shown = "\"";
    for (const char c : text)
        shown += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
    return shown + "\"";
}

bool IsRealDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    return day <= DayOf(DateSerial(year, month + 1, 0));
}

CliOptions ParseCliArguments(std::span<const std::string> args) {
    CliOptions o;
    for (const std::string& a : args) {
        if (a == "--") break;
        if (a == "--help" || a == "-h") o.Help = true;
        if (a == "--version") o.Version = true;
    }
    if (o.Help || o.Version) return o;

    std::set<std::string_view> slots;
    std::vector<const OptionSpec*> given;
    std::string_view commandName;
    bool endOfOptions = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!endOfOptions && a == "--") {
            endOfOptions = true;
            continue;
        }
        if (endOfOptions || a.size() < 2 || a[0] != '-') {
            if (o.Command == CliCommand::None) {
                for (const CommandName& c : Commands) {
                    if (a != c.Name) continue;
                    o.Command = c.Command;
                    commandName = c.Name;
                }
                if (o.Command == CliCommand::None)
                    Refuse(ShownArgument(a), "unknown command (day, calendar, seasons or cities)");
            } else if (o.Command == CliCommand::Cities && !o.SearchText) {
                o.SearchText = a;
            } else {
                Refuse(ShownArgument(a), "unexpected argument");
            }
            continue;
        }
        const std::size_t equals = a.find('=');
        const std::string_view name = std::string_view(a).substr(0, equals);
        const OptionSpec* spec = nullptr;
        for (const OptionSpec& s : Options)
            if (s.Name == name) spec = &s;
        if (!spec) Refuse(ShownArgument(name), "unknown option (see --help)");
        std::string_view value;
        if (equals != std::string::npos) {
            if (!spec->TakesValue) Refuse(name, "takes no value");
            value = std::string_view(a).substr(equals + 1);
        } else if (spec->TakesValue) {
            if (i + 1 >= args.size()) Refuse(name, "needs a value");
            value = args[++i];
        }
        if (!slots.insert(spec->Slot).second) Refuse(name, "given twice");
        spec->Set(o, name, value);
        given.push_back(spec);
    }
    if (o.Command == CliCommand::None)
        throw UsageError("no command given (day, calendar, seasons or cities; see --help)");
    unsigned bit = 0;
    for (const CommandName& c : Commands)
        if (c.Command == o.Command) bit = c.Bit;
    for (const OptionSpec* spec : given) {
        if (!(spec->Commands & bit))
            Refuse(spec->Name, "is not an option of the " + std::string(commandName) + " command");
    }
    CheckCombination(o, commandName);
    return o;
}

}  // namespace heliomark::cli

namespace heliomark::cli {

std::string CliUsage() {
    return R"(Usage: heliomark-cli COMMAND [OPTIONS]

The Sun at any place on Earth, as Heliomark computes it.

Commands:
  day                 the day's values and the Sun's position at a time, as the windows show them
  calendar            the calendar table of a month or a year
  seasons             the year's equinoxes and solstices
  cities [TEXT]       the city list, or the cities whose name holds TEXT

Place (day, calendar, seasons):
  --city NAME         a city of Heliomark's city list (its zone and rule come with it)
  --lat DEG --lon DEG decimal degrees, negative south and west
  --zone ZONE         an hour-zone position 0-74, or an offset like +05:30 (default GMT)
  --dst RULE          a daylight-saving rule by name, or none

Day:
  --date YYYY-MM-DD   default today
  --time HH:MM[:SS]   local clock time, default now
  --altitude DEG      the altitude whose crossings are shown, -18 to +89, default 10

Display (day, calendar):
  --seconds           clock times with seconds
  --dms               angles in degrees, minutes and seconds
  --ra-format N       right ascension: 0 decimal degrees, 1 degrees-minutes-seconds, 2 hours

Calendar and seasons:
  --year Y            default this year
  --month M           one month (1-12) instead of the whole year
  --columns LIST      comma-separated: sunrise, sunset, day_length, max_altitude, transit,
                      right_ascension, declination, and for civil, nautical and astronomical
                      twilight civil_starts, civil_ends, civil_length (and so on), or all;
                      default sunrise,sunset,day_length

Output:
  --format FORMAT     text, json; the calendar also csv (spreadsheets) and ics (calendar programs)
  --json              the same as --format json
  --output FILE       write to FILE instead of the standard output
  --help, --version

Exit status: 0 done, 2 a wrong command line, 1 a data file or output file problem.
See heliomark-cli(1) for the JSON keys.
)";
}

}  // namespace heliomark::cli
