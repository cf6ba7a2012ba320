// What both calendar suites start from: Berlin's request, and the calendar's texts cut into lines
// and fields as a reader of the saved file would.
#pragma once

#include "calendar/calendar.h"
#include "support/test_support.h"

namespace heliomark::testing {

using Record = std::vector<std::string>;

// Berlin in 2024, its city selected, DST from 31 March to 27 October, month mode, ISO dates.
inline CalendarRequest Berlin(int month = 3) {
    CalendarRequest r;
    r.Year = 2024;
    r.Month = month;
    r.Latitude = DegToRad(52.52);
    r.Longitude = 13.405;
    r.HourZone = 1;
    r.HourZoneText = "GMT+01:00";
    r.DstInUse = true;
    r.DstStart = DateSerial(2024, 3, 31);
    r.DstEnd = DateSerial(2024, 10, 27);
    r.SelectedCity = CalendarCity{"Berlin", 52.52, 13.405};
    return r;
}

inline Record Split(const std::string& text, const std::string& separator) {
    Record parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos;
         start = end + separator.size())
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}
// The lines of a text that ends with CR LF and holds no other line end.
inline Record Lines(const std::string& text) {
    auto lines = Split(text, "\r\n");
    EXPECT_EQ(lines.back(), "") << "the text ends with CR LF";
    lines.pop_back();
    for (const auto& l : lines)
        EXPECT_EQ(l.find_first_of("\r\n"), std::string::npos) << l;
    return lines;
}
// The day lines of the table, split into their fields (the header and month-name lines left out).
inline std::vector<Record> TextTable(const CalendarRequest& r) {
    SolarState s;
    const auto lines = Lines(BuildCalendarText(r, s));
    std::vector<Record> rows;
    for (std::size_t i = Lines(BuildCalendarHeader(r)).size(); i < lines.size(); ++i)
        if (std::isdigit(static_cast<unsigned char>(lines[i][0]))) rows.push_back(Split(lines[i], "  "));
    return rows;
}

}  // namespace heliomark::testing
