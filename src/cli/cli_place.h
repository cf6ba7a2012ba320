// The place, hour zone and daylight-saving rule of a command line, read from the program's own
// city list and rules, so that a city added in the city editor is found here too.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "calendar/calendar.h"
#include "cli/cli_options.h"
#include "data/data.h"
#include "data/program_folders.h"

namespace heliomark::cli {

// The data files the command line reads.
struct CliDataFiles {
    std::filesystem::path Refraction;  // refs.txt
    std::filesystem::path Cities;      // city_db.txt
    std::filesystem::path DstRules;    // dst_types.txt
};
// The files the program itself would read: the shipped refraction table, and the user's city list
// and rules when the user has edited them, else the shipped ones.
CliDataFiles DataFilesOf(const ProgramFolders& folders);

// The city list and the rules as the program loads them: a missing file is an empty list; a
// damaged one throws DataFileError naming it.
CityList LoadCityList(const CliDataFiles& files);
DstRuleList LoadRuleList(const CliDataFiles& files);

struct CliPlace {
    std::optional<CalendarCity> City;  // the city chosen with --city
    double Latitude = 0;               // degrees, north positive, as the latitude input holds it
    double Longitude = 0;              // degrees, east positive
    double Zone = 0;                   // hours east of Greenwich, without daylight saving
    std::string ZoneText = "GMT";      // as the hour-zone picker shows it: "GMT+05:30", "GMT"
    std::optional<DstRule> Rule;       // none: no daylight saving
};
// The place of the options (--city, or --lat and --lon; GMT without daylight saving unless --zone
// and --dst say otherwise). Throws UsageError for an unknown city or rule.
CliPlace ResolvePlace(const CliOptions& options, const CliDataFiles& files);
// The place's daylight-saving period in a year; none without a rule or when the rule has none then.
std::optional<DstPeriod> DstPeriodOf(const CliPlace& place, int year);
// The zone hours of any date, the daylight-saving hour included, as the main window takes them
// while it shows a date of `year`. Holds a pointer to the place's rule: keep the place alive.
ZoneSchedule ScheduleOf(const CliPlace& place, int year);

}  // namespace heliomark::cli
