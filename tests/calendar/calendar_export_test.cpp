// The calendar's CSV and iCalendar files, read back as the two RFCs say.

#include <algorithm>
#include <chrono>
#include <map>

#include "calendar/calendar_export.h"
#include "calendar_support.h"

using namespace heliomark;
using namespace heliomark::testing;

namespace {

// RFC 5545 content lines of at most 75 octets, unfolded, and each event's properties (no parameters).
struct Ics {
    Record Lines;
    std::vector<std::map<std::string, std::string>> Events;
};
Ics ParseIcs(const std::string& text) {
    Ics ics;
    for (const std::string& physical : Lines(text)) {
        EXPECT_LE(physical.size(), 75u) << physical;
        if (physical.starts_with(' ') && !ics.Lines.empty())
            ics.Lines.back() += physical.substr(1);
        else
            ics.Lines.push_back(physical);
    }
    bool inEvent = false;
    for (const std::string& line : ics.Lines) {
        const std::size_t colon = line.find(':');
        EXPECT_NE(colon, std::string::npos) << line;
        if (line == "BEGIN:VEVENT") ics.Events.emplace_back();
        if (inEvent && line != "END:VEVENT")
            ics.Events.back()[line.substr(0, colon)] = line.substr(colon + 1);
        inEvent = line == "BEGIN:VEVENT" || (inEvent && line != "END:VEVENT");
    }
    return ics;
}

const std::chrono::sys_seconds Stamp{std::chrono::seconds{1704164645}};  // 2024-01-02 03:04:05 UTC

}  // namespace

// RFC 4180: a field holding a comma, a quotation mark or a line end is quoted, its quotes doubled.
TEST(CalendarCsv, FieldsAreQuotedOnlyWhereTheyMustBe) {
    ExpectTexts({ROW(CsvField("a,b"), "\"a,b\""), ROW(CsvField("say \"hi\""), "\"say \"\"hi\"\"\""),
                 ROW(CsvField("\""), "\"\"\"\""), ROW(CsvField("two\r\nlines"), "\"two\r\nlines\""),
                 ROW(CsvField("lone\nfeed"), "\"lone\nfeed\""), ROW(CsvField("a\rb"), "\"a\rb\""),
                 ROW(CsvField("04:43"), "04:43"), ROW(CsvField(""), ""),
                 ROW(CsvField("São Paulo ° 52°"), "São Paulo ° 52°"), ROW(CsvField(" blanks "), " blanks ")});
}

TEST(CalendarCsv, HeaderThenOneRowPerDayWithTheTablesValues) {
    CalendarRequest r = Berlin(6);
    r.Columns = {true, true, true, true, true, true, true};
    r.Twilights[2] = {true, true, true, true};  // astronomical: no night at 52.5° N in late June
    r.AngleFormatSetting = true;                // the CSV keeps decimal degrees anyway
    r.RAFormatSetting = 2;
    r.ShowSecondsSetting = 1;
    SolarState s;
    const std::string file = BuildCalendarCsv(r, s);
    ASSERT_EQ(file.find('"'), std::string::npos) << "no field here needs quoting";
    const Record lines = Lines(file);
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ(Split(lines[0], ","),
              (Record{"Date", "Sunrise", "Sunset", "Day Length", "Max. Altitude", "Transit Time",
                      "Right Acsention", "Declination", "Astronomical Twilight Starts",
                      "Astronomical Twilight Ends", "Astronomical Twilight Length"}));
    // The table's values in decimal degrees whatever the settings; on 21 June the astronomical
    // twilight has no start, and the length the table leaves out keeps its place, empty.
    CalendarRequest decimal = r;
    decimal.AngleFormatSetting = false;
    decimal.RAFormatSetting = 0;
    Record want = TextTable(decimal).at(20);
    want[0] = "2024-06-21";
    for (std::string& v : want)
        if (v.ends_with("°")) v.erase(v.size() - 2);  // the degree sign is two bytes
    want.resize(11);
    EXPECT_EQ(Split(lines[21], ","), want);
    EXPECT_EQ(want[8], "-");
    EXPECT_TRUE(lines[30].starts_with("2024-06-30,")) << lines[30];
}

TEST(CalendarIcs, LinesFoldAt75OctetsWithoutSplittingACharacterAndTextsAreEscaped) {
    const std::string ascii = "DESCRIPTION:" + std::string(200, 'a');
    std::string mixed = "SUMMARY:";
    for (int i = 0; i < 60; ++i)
        mixed += i % 3 == 0 ? "°" : (i % 3 == 1 ? "€" : "x");  // two-, three- and one-byte characters
    const std::string fits = "X:" + std::string(73, 'b'), over = "X:" + std::string(74, 'c');
    for (const std::string& line : {ascii, mixed, fits, over}) {
        const std::string folded = FoldIcsLine(line);
        const Ics ics = ParseIcs(folded);  // checks the 75 octets
        ASSERT_EQ(ics.Lines.size(), 1u);
        EXPECT_EQ(ics.Lines[0], line);
        for (std::size_t i = folded.find("\r\n "); i != std::string::npos; i = folded.find("\r\n ", i + 1))
            EXPECT_NE(static_cast<unsigned char>(folded[i + 3]) & 0xC0, 0x80) << "cut inside a character";
    }
    EXPECT_EQ(FoldIcsLine(fits), fits + "\r\n") << "75 octets fit";
    EXPECT_EQ(FoldIcsLine(over), over.substr(0, 75) + "\r\n c\r\n");
    EXPECT_EQ(EscapeIcsText("Sunrise 04:43 - 52.520° N , 13.405° E"),
              "Sunrise 04:43 - 52.520° N \\, 13.405° E");
    EXPECT_EQ(EscapeIcsText("a;b\\c\r\nd\ne"), "a\\;b\\\\c\\nd\\ne");
}

TEST(CalendarIcs, InstantsAreTheLocalTimesInUtcOnTheirOwnDay) {
    // The zone, the day number's whole part against the listed day, and the local clock time.
    for (const auto& [zone, dayShift, seconds, iso, utc] : {
             std::tuple{2.0, 0, 4 * 3600 + 43 * 60 + 12, "2024-06-21T04:43:12+02:00", "20240621T024312Z"},
             {1.0, -1, 23 * 3600 + 50 * 60, "2024-06-20T23:50:00+01:00",
              "20240620T225000Z"},                                            // the day before
             {-3.5, 1, 30, "2024-06-22T00:00:30-03:30", "20240622T033030Z"},  // the day after
             {5.75, 0, 3600, "2024-06-21T01:00:00+05:45", "20240620T191500Z"},
         }) {
        const double dayNumber = JulianDay(2024, 6, 21, 0, 0, 0) + 0.5 + dayShift + (seconds + 0.2) / 86400.0;
        const auto instant = EventInstantOf(SolarStateFor(0, 0, 2024, 6, 21, zone), dayNumber);
        EXPECT_TRUE(instant && FormatIsoInstant(*instant) == iso && FormatIcsUtc(instant->UnixSeconds) == utc)
            << iso << " " << utc << ": " << (instant ? FormatIsoInstant(*instant) : "none");
    }
    EXPECT_FALSE(EventInstantOf(SolarState{}, NoValue));
    EXPECT_EQ(FormatIcsUtc(-1), "19691231T235959Z");
}

TEST(CalendarIcs, OneEventPerEventfulDayReadBackWithStableUids) {
    CalendarRequest r = Berlin(6);
    r.Twilights[0] = {true, false, true, false};  // civil Starts only
    r.Twilights[2] = {true, false, true, true};   // astronomical: none in Berlin's June nights
    SolarState s;
    const std::string first = BuildCalendarIcs(r, s, Stamp);
    const Ics ics = ParseIcs(first);
    ASSERT_GE(ics.Lines.size(), 6u);
    EXPECT_TRUE(ics.Lines[0] == "BEGIN:VCALENDAR" && ics.Lines.back() == "END:VCALENDAR" &&
                std::ranges::count(ics.Lines, "VERSION:2.0") == 1 &&
                std::ranges::count(ics.Lines, "CALSCALE:GREGORIAN") == 1 &&
                std::ranges::any_of(ics.Lines, [](auto& l) { return l.starts_with("PRODID:"); }))
        << first;

    // Sunrise, sunset and civil dawn on each of the 30 days; the astronomical twilight never ends.
    ASSERT_EQ(ics.Events.size(), 90u);
    Record once, again;
    const auto texts = TextTable(r);
    for (std::size_t i = 0; i < ics.Events.size(); ++i) {
        const auto& p = ics.Events[i];
        once.push_back(p.at("UID"));
        const std::string start = p.at("DTSTART");
        EXPECT_TRUE(p.at("DTSTAMP") == "20240102T030405Z" && p.at("GEO") == "52.520000;13.405000") << start;
        ASSERT_EQ(start.size(), 16u) << start;
        const int day = static_cast<int>(i / 3) + 1;
        const char* kinds[] = {"Sunrise ", "Sunset ", "Civil Twilight Starts "};
        EXPECT_EQ(p.at("SUMMARY"), kinds[i % 3] + texts[day - 1][i % 3 == 2 ? 4 : i % 3 + 1] + " - Berlin");
        EXPECT_EQ(start.substr(0, 9), "202406" + FormatPadded(day, 2) + "T") << p.at("SUMMARY");
    }

    // A second export of the same days keeps every UID; another place or day changes them.
    for (const auto& e : ParseIcs(BuildCalendarIcs(r, s, Stamp + std::chrono::hours(9999))).Events)
        again.push_back(e.at("UID"));
    EXPECT_EQ(once, again);
    EXPECT_EQ(once[0], "20240601-sunrise-52.5200N-13.4050E@heliomark");
    CalendarRequest south = r;
    south.Latitude = -south.Latitude;
    EXPECT_EQ(ParseIcs(BuildCalendarIcs(south, s, Stamp)).Events[0].at("UID"),
              "20240601-sunrise-52.5200S-13.4050E@heliomark");
}

TEST(CalendarIcs, PolarDaysGiveNoEventAndPlacesWithoutCityAreNamedByCoordinates) {
    CalendarRequest r = Berlin(6);
    r.Latitude = DegToRad(78.22);  // Longyearbyen: the Sun stays up all June
    r.Longitude = 15.65;
    SolarState s;
    EXPECT_TRUE(ParseIcs(BuildCalendarIcs(r, s, Stamp)).Events.empty());
    r.Month = 3;
    const Ics march = ParseIcs(BuildCalendarIcs(r, s, Stamp));
    ASSERT_EQ(march.Events.size(), 62u);
    EXPECT_TRUE(march.Events[0].at("SUMMARY").ends_with(" - 78.220° N \\, 15.650° E"))
        << march.Events[0].at("SUMMARY");
}
