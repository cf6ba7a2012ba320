// The header names the equinoxes and solstices by the seasons of the place: south of the equator
// the March equinox begins autumn and the December solstice is midsummer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/calendar.h"

namespace heliomark {
namespace {

// The lines between the hour-zone line and the closing empty line, without their clock times: the
// titles and dates are what the hemisphere decides.
std::vector<std::string> SeasonLines(const CalendarRequest& r) {
    const std::string header = BuildCalendarHeader(r);
    std::vector<std::string> lines;
    for (std::size_t from = 0, end; (end = header.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(header.substr(from, end - from));
    // place, zone, the one daylight-saving line, ..., empty
    std::vector<std::string> seasons(lines.begin() + 3, lines.end() - 1);
    for (std::string& line : seasons)
        line.erase(line.rfind(' '));
    return seasons;
}

TEST(CalendarHeader, SeasonsAreNamedByTheHemisphere) {
    // 2024's events (USNO: 20 Mar 03:06, 20 Jun 20:51, 22 Sep 12:44, 21 Dec 09:20 UT) fall on these
    // dates at GMT+10.
    const std::string march = "Equinox at 2024-03-20", june = "Solstice at 2024-06-21",
                      september = "Equinox at 2024-09-22", december = "Solstice at 2024-12-21";
    struct Row {
        const char* Place;
        double Latitude;  // degrees
        int Month;        // 0: whole year
        std::vector<std::string> Lines;
    } rows[] = {
        {"Sydney",
         -33.87,
         0,
         {"Autumnal " + march, "Winter " + june, "Vernal " + september, "Summer " + december}},
        {"Sydney", -33.87, 3, {"Autumnal " + march}},
        {"Sydney", -33.87, 6, {"Winter " + june}},
        {"Sydney", -33.87, 9, {"Vernal " + september}},
        {"Sydney", -33.87, 12, {"Summer " + december}},
        {"a place on the equator",
         0.0,
         0,
         {"Vernal " + march, "Summer " + june, "Autumnal " + september, "Winter " + december}},
        {"Vladivostok", 43.12, 6, {"Summer " + june}},
    };
    for (const Row& row : rows) {
        CalendarRequest r;
        r.Year = 2024;
        r.WholeYear = row.Month == 0;
        r.Month = row.Month == 0 ? 1 : row.Month;
        r.Latitude = DegToRad(row.Latitude);
        r.Longitude = 151.21;
        r.HourZone = 10;
        EXPECT_EQ(SeasonLines(r), row.Lines)
            << row.Place << " at " << row.Latitude << "°, month " << row.Month;
    }
}

}  // namespace
}  // namespace heliomark
