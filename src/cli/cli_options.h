// The command line of heliomark-cli: its options and commands, read into CliOptions. Every value is
// checked here, so that the commands only meet values that make sense; a bad argument throws
// UsageError with one line that names the argument and the problem.
#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace heliomark::cli {

// A wrong command line; what() is the line to show, naming the argument ("--lat: ...").
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CliDate {
    int Year = 0, Month = 0, Day = 0;
};
struct CliTime {
    int Hour = 0, Minute = 0, Second = 0;
};
// --zone: a position in the hour-zone table, or an offset of its own.
struct CliZone {
    std::optional<int> Position;  // 0..74
    double Hours = 0;             // east of Greenwich, without daylight saving
};

enum class CliCommand { None, Day, Calendar, Seasons, Cities };
enum class CliFormat { Text, Csv, Ics, Json };

struct CliOptions {
    CliCommand Command = CliCommand::None;
    bool Help = false;
    bool Version = false;

    // The place: a city of the city list, or a latitude and longitude (degrees, north and east
    // positive); the zone and rule, when given, replace the city's.
    std::optional<std::string> City;
    std::optional<double> Latitude, Longitude;
    std::optional<CliZone> Zone;
    std::optional<std::string> Dst;

    std::optional<CliDate> Date;  // day: default today
    std::optional<CliTime> Time;  // day: default now
    double Altitude = 10;         // day: the altitude whose crossings are shown, degrees (geometric)

    // The display settings.
    bool Seconds = false;
    bool Dms = false;
    int RaFormat = 0;

    // calendar and seasons
    std::optional<int> Year;
    std::optional<int> Month;                         // calendar: month mode
    std::optional<std::vector<std::string>> Columns;  // calendar: column keys, in the order given
    std::optional<std::string> Output;                // a file instead of the standard output

    // --format (csv and ics for the calendar only); --json is --format json.
    CliFormat Format = CliFormat::Text;

    std::optional<std::string> SearchText;  // cities
};

// Reads the arguments after the program's name. Throws UsageError.
CliOptions ParseCliArguments(std::span<const std::string> args);

// The --help text.
std::string CliUsage();

// An argument quoted for a message, on one line whatever bytes it holds: "Atlantis".
std::string ShownArgument(std::string_view text);

// A date that exists in the proleptic Gregorian calendar, years 1 to 9999.
bool IsRealDate(int year, int month, int day);

}  // namespace heliomark::cli
