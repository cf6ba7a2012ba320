// The calendar's CSV and iCalendar files, read back by small readers written from the two RFCs.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "berlin_request.h"
#include "calendar/calendar_export.h"

using namespace heliomark;

namespace {

using Record = std::vector<std::string>;

// RFC 4180: fields split at commas, quoted fields may hold commas, CR LF and doubled quotes;
// every record ends in CR LF.
std::vector<Record> ParseCsv(const std::string& text) {
    std::vector<Record> records;
    Record record;
    std::string field;
    bool quoted = false, wasQuoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            EXPECT_TRUE(field.empty() && !wasQuoted) << "a quotation mark inside an unquoted field";
            quoted = wasQuoted = true;
        } else if (c == ',') {
            record.push_back(field);
            field.clear();
            wasQuoted = false;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            record.push_back(field);
            records.push_back(record);
            record.clear();
            field.clear();
            wasQuoted = false;
            ++i;
        } else {
            EXPECT_TRUE(c != '\r' && c != '\n') << "a bare line end at byte " << i;
            field += c;
        }
    }
    EXPECT_TRUE(record.empty() && field.empty() && !quoted) << "the last record does not end in CR LF";
    return records;
}

// RFC 5545 content lines: unfolded, each split into its name and value (no parameters are used).
struct IcsEvent {
    std::map<std::string, std::string> Properties;
};
struct Ics {
    std::vector<std::string> Lines;  // unfolded
    std::vector<IcsEvent> Events;
};
Ics ParseIcs(const std::string& text) {
    Ics ics;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "the file does not end in CR LF";
            break;
        }
        const std::string physical = text.substr(start, end - start);
        EXPECT_LE(physical.size(), 75u) << physical;
        EXPECT_EQ(physical.find_first_of("\r\n"), std::string::npos) << physical;
        if (!physical.empty() && physical[0] == ' ') {
            if (ics.Lines.empty())
                ADD_FAILURE() << "the file begins with a continuation";
            else
                ics.Lines.back() += physical.substr(1);
        } else {
            ics.Lines.push_back(physical);
        }
        start = end + 2;
    }
    IcsEvent* event = nullptr;
    for (const std::string& line : ics.Lines) {
        const std::size_t colon = line.find(':');
        EXPECT_NE(colon, std::string::npos) << line;
        const std::string name = line.substr(0, colon), value = line.substr(colon + 1);
        if (line == "BEGIN:VEVENT") {
            ics.Events.emplace_back();
            event = &ics.Events.back();
        } else if (line == "END:VEVENT") {
            event = nullptr;
        } else if (event) {
            EXPECT_EQ(event->Properties.count(name), 0u) << name << " twice in one event";
            event->Properties[name] = value;
        }
    }
    return ics;
}

// The text table's day lines split into their fields (the month-name lines and header left out).
std::vector<Record> TextTable(const CalendarRequest& r) {
    SolarState s;
    const std::string text = BuildCalendarText(r, s);
    std::vector<Record> rows;
    for (std::size_t start = text.find("\r\n\r\n") + 4, end; start < text.size(); start = end + 2) {
        end = text.find("\r\n", start);
        const std::string line = text.substr(start, end - start);
        if (!std::isdigit(static_cast<unsigned char>(line[0]))) continue;
        Record fields;
        for (std::size_t from = 0, gap;; from = gap + 2) {
            gap = line.find("  ", from);
            fields.push_back(line.substr(from, gap - from));
            if (gap == std::string::npos) break;
        }
        rows.push_back(fields);
    }
    return rows;
}

std::chrono::sys_seconds At(int year, int month, int day, int hour, int minute, int second) {
    using namespace std::chrono;
    return sys_days{std::chrono::year(year) / month / day} + hours(hour) + minutes(minute) + seconds(second);
}

}  // namespace

TEST(CalendarCsv, FieldsSurviveQuotingAndReadBack) {
    const std::vector<std::string> fields = {
        "plain", "", "a,b", "say \"hi\"", "two\r\nlines", "lone\nfeed", "\"", "São Paulo ° 52°", " blanks "};
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i ? "," : "") + CsvField(fields[i]);
    const auto records = ParseCsv(line + "\r\n");
    ASSERT_EQ(records.size(), 1u) << line;
    EXPECT_EQ(records[0], fields) << line;
    EXPECT_EQ(CsvField("04:43"), "04:43") << "plain values stay unquoted";
}

TEST(CalendarCsv, HeaderThenOneRowPerDayWithTheTablesValues) {
    CalendarRequest r = heliomark::testing::BerlinRequest(6);
    r.Columns = {true, true, true, true, true, true, true};
    r.Twilights[2] = {true, true, true, true};  // astronomical: no night at 52.5° N in late June
    r.AngleFormatSetting = true;                // the CSV keeps decimal degrees anyway
    r.RAFormatSetting = 2;
    r.ShowSecondsSetting = 1;
    SolarState s;
    const auto csv = ParseCsv(BuildCalendarCsv(r, s));
    ASSERT_EQ(csv.size(), 31u);
    EXPECT_EQ(csv[0], (Record{"Date", "Sunrise", "Sunset", "Day Length", "Max. Altitude", "Transit Time",
                              "Right Acsention", "Declination", "Astronomical Twilight Starts",
                              "Astronomical Twilight Ends", "Astronomical Twilight Length"}));

    CalendarRequest decimal = r;
    decimal.AngleFormatSetting = false;
    decimal.RAFormatSetting = 0;
    const auto text = TextTable(decimal);
    ASSERT_EQ(text.size(), 30u);
    for (int d = 1; d <= 30; ++d) {
        const Record& row = csv[d];
        const Record& line = text[d - 1];
        ASSERT_EQ(row.size(), 11u) << "day " << d;
        EXPECT_EQ(row[0], "2024-06-" + FormatPadded(d, 2));
        for (std::size_t k = 1; k < line.size(); ++k) {
            std::string want = line[k];
            if (want.ends_with("°")) want.erase(want.size() - 2);  // the degree sign is two bytes
            EXPECT_EQ(row[k], want) << "day " << d << " column " << csv[0][k];
        }
        // The table leaves the length out on these days; the CSV keeps its place, empty.
        if (line.size() == 10) {
            EXPECT_EQ(row[10], "") << "day " << d;
        }
    }
    EXPECT_EQ(csv[21][8], "-") << "no astronomical twilight on 21 June";
}

TEST(CalendarIcs, LinesFoldAt75OctetsWithoutSplittingACharacter) {
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
}

TEST(CalendarIcs, TextValuesAreEscaped) {
    EXPECT_EQ(EscapeIcsText("Sunrise 04:43 - 52.520° N , 13.405° E"),
              "Sunrise 04:43 - 52.520° N \\, 13.405° E");
    EXPECT_EQ(EscapeIcsText("a;b\\c\r\nd\ne"), "a\\;b\\\\c\\nd\\ne");
}

TEST(CalendarIcs, InstantsAreTheLocalTimesInUtcOnTheirOwnDay) {
    struct Case {
        const char* Name;
        double Zone;
        int DayShift;  // the day number's whole part against the listed day
        int Seconds;   // local clock time
        const char *Iso, *Utc;
    } cases[] = {
        {"summer time", 2, 0, 4 * 3600 + 43 * 60 + 12, "2024-06-21T04:43:12+02:00", "20240621T024312Z"},
        {"previous day", 1, -1, 23 * 3600 + 50 * 60, "2024-06-20T23:50:00+01:00", "20240620T225000Z"},
        {"next day, west", -3.5, 1, 30, "2024-06-22T00:00:30-03:30", "20240622T033030Z"},
        {"half-hour east", 5.75, 0, 3600, "2024-06-21T01:00:00+05:45", "20240620T191500Z"},
        {"UTC", 0, 0, 12 * 3600, "2024-06-21T12:00:00+00:00", "20240621T120000Z"},
    };
    for (const Case& c : cases) {
        SolarState s = SolarStateFor(0, 0, 2024, 6, 21, c.Zone);
        const double dayNumber =
            JulianDay(2024, 6, 21, 0, 0, 0) + 0.5 + c.DayShift + (c.Seconds + 0.2) / 86400.0;
        const auto instant = EventInstantOf(s, dayNumber);
        ASSERT_TRUE(instant) << c.Name;
        EXPECT_EQ(FormatIsoInstant(*instant), c.Iso) << c.Name;
        EXPECT_EQ(FormatIcsUtc(instant->UnixSeconds), c.Utc) << c.Name;
    }
    EXPECT_FALSE(EventInstantOf(SolarState{}, NoValue));
    EXPECT_EQ(FormatIcsUtc(-1), "19691231T235959Z");
}

TEST(CalendarIcs, OneEventPerEventfulDayReadBackWithStableUids) {
    CalendarRequest r = heliomark::testing::BerlinRequest(6);
    r.Twilights[0] = {true, false, true, false};  // civil Starts only
    r.Twilights[2] = {true, false, true, true};   // astronomical: none in Berlin's June nights
    SolarState s;
    const std::string first = BuildCalendarIcs(r, s, At(2024, 1, 2, 3, 4, 5));
    const std::string second = BuildCalendarIcs(r, s, At(2025, 6, 7, 8, 9, 10));
    const Ics ics = ParseIcs(first);
    ASSERT_GE(ics.Lines.size(), 6u);
    EXPECT_EQ(ics.Lines[0], "BEGIN:VCALENDAR");
    EXPECT_EQ(ics.Lines.back(), "END:VCALENDAR");
    for (const char* property : {"VERSION:2.0", "CALSCALE:GREGORIAN"})
        EXPECT_NE(std::find(ics.Lines.begin(), ics.Lines.end(), property), ics.Lines.end()) << property;
    EXPECT_TRUE(
        std::any_of(ics.Lines.begin(), ics.Lines.end(), [](auto& l) { return l.starts_with("PRODID:"); }));

    // Sunrise, sunset and civil dawn on each of the 30 days; the astronomical twilight never ends.
    ASSERT_EQ(ics.Events.size(), 90u);
    std::map<std::string, int> uids;
    const auto texts = TextTable(r);
    for (std::size_t i = 0; i < ics.Events.size(); ++i) {
        const auto& p = ics.Events[i].Properties;
        ++uids[p.at("UID")];
        EXPECT_EQ(p.at("DTSTAMP"), "20240102T030405Z");
        const std::string& start = p.at("DTSTART");
        ASSERT_EQ(start.size(), 16u) << start;
        const int day = static_cast<int>(i / 3) + 1;
        // Berlin's summer time: the UTC time is the local one less two hours, on the same day here.
        const std::string local =
            FormatPadded(std::stoi(start.substr(9, 2)) + 2, 2) + ":" + start.substr(11, 2);
        const char* kinds[] = {"Sunrise ", "Sunset ", "Civil Twilight Starts "};
        const std::string& tableTime = texts[day - 1][i % 3 == 2 ? 4 : i % 3 + 1];
        EXPECT_EQ(p.at("SUMMARY"), kinds[i % 3] + tableTime + " - Berlin") << start;
        EXPECT_EQ(start.substr(0, 9), "202406" + FormatPadded(day, 2) + "T") << p.at("SUMMARY");
        EXPECT_NEAR(std::stoi(local.substr(0, 2)) * 60 + std::stoi(local.substr(3)),
                    std::stoi(tableTime.substr(0, 2)) * 60 + std::stoi(tableTime.substr(3)), 1)
            << start << " against " << tableTime;
        EXPECT_EQ(p.at("GEO"), "52.520000;13.405000");
    }
    EXPECT_EQ(uids.size(), ics.Events.size()) << "one UID per place, day and kind";

    // A second export of the same days keeps every UID; another place or day changes them.
    std::vector<std::string> again;
    for (const auto& e : ParseIcs(second).Events)
        again.push_back(e.Properties.at("UID"));
    std::vector<std::string> once;
    for (const auto& e : ics.Events)
        once.push_back(e.Properties.at("UID"));
    EXPECT_EQ(once, again);
    EXPECT_EQ(once[0], "20240601-sunrise-52.5200N-13.4050E@heliomark");
    CalendarRequest south = r;
    south.Latitude = -south.Latitude;
    EXPECT_EQ(ParseIcs(BuildCalendarIcs(south, s, At(2024, 1, 1, 0, 0, 0))).Events[0].Properties.at("UID"),
              "20240601-sunrise-52.5200S-13.4050E@heliomark");
}

TEST(CalendarIcs, PolarDaysGiveNoEventAndPlacesWithoutCityAreNamedByCoordinates) {
    CalendarRequest r = heliomark::testing::BerlinRequest(6);
    r.Latitude = DegToRad(78.22);  // Longyearbyen: the Sun stays up all June
    r.Longitude = 15.65;
    SolarState s;
    EXPECT_TRUE(ParseIcs(BuildCalendarIcs(r, s, At(2024, 1, 1, 0, 0, 0))).Events.empty());
    r.Month = 3;
    const Ics march = ParseIcs(BuildCalendarIcs(r, s, At(2024, 1, 1, 0, 0, 0)));
    ASSERT_EQ(march.Events.size(), 62u);
    EXPECT_TRUE(march.Events[0].Properties.at("SUMMARY").ends_with(" - 78.220° N \\, 15.650° E"))
        << march.Events[0].Properties.at("SUMMARY");
}
