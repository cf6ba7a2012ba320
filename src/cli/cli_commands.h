// The commands of heliomark-cli. Each returns its whole output; RunCli writes it to the standard
// output or the --output file.
#pragma once

#include <string>

#include "cli/cli.h"
#include "cli/cli_options.h"
#include "cli/cli_place.h"

namespace heliomark::cli {

// Everything the main window and its views of the day write for a date and time: the day's values,
// the Sun's position, the twilights.
std::string DayCommand(const CliOptions& options, const CliEnvironment& env, const CliDataFiles& files);
// The calendar window's table for the place: text (the window's text, its header's dates in ISO
// form), CSV, iCalendar or JSON.
std::string CalendarCommand(const CliOptions& options, const CliEnvironment& env, const CliDataFiles& files);
// The year's equinoxes and solstices in the place's zone.
std::string SeasonsCommand(const CliOptions& options, const CliEnvironment& env, const CliDataFiles& files);
// The city list, or the cities whose name holds the search text (case-blind).
std::string CitiesCommand(const CliOptions& options, const CliDataFiles& files);

}  // namespace heliomark::cli
