// The calendar: its day lines, columns and header as the user reads and saves them, and its CSV and
// iCalendar files, read back by small readers written from the two RFCs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/calendar_export.h"
#include "support/test_support.h"

using namespace heliomark;
using heliomark::testing::ExpectTexts;

namespace {

using Record = std::vector<std::string>;

// Berlin in 2024, its city selected, DST from 31 March to 27 October, month mode, ISO dates.
CalendarRequest Berlin(int month = 3) {
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

Record Split(const std::string& text, const std::string& separator) {
    Record parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos;
         start = end + separator.size())
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}
// The lines of a text that ends with CR LF and holds no other line end.
Record Lines(const std::string& text) {
    auto lines = Split(text, "\r\n");
    EXPECT_EQ(lines.back(), "") << "the text ends with CR LF";
    lines.pop_back();
    for (const auto& l : lines)
        EXPECT_EQ(l.find_first_of("\r\n"), std::string::npos) << l;
    return lines;
}
std::string HeaderLine(const CalendarRequest& r, std::size_t k) {
    const auto lines = Lines(BuildCalendarHeader(r));
    return k < lines.size() ? lines[k] : "(no line " + std::to_string(k) + ")";
}
// The day lines of the table, split into their fields (the header and month-name lines left out).
std::vector<Record> TextTable(const CalendarRequest& r) {
    SolarState s;
    const auto lines = Lines(BuildCalendarText(r, s));
    std::vector<Record> rows;
    for (std::size_t i = Lines(BuildCalendarHeader(r)).size(); i < lines.size(); ++i)
        if (std::isdigit(static_cast<unsigned char>(lines[i][0]))) rows.push_back(Split(lines[i], "  "));
    return rows;
}
// The day line of one day of a month-mode calendar.
std::string DayLine(CalendarRequest r, int month, int day) {
    r.Month = month;
    r.WholeYear = false;
    SolarState s;
    return Lines(BuildCalendarText(r, s)).at(Lines(BuildCalendarHeader(r)).size() + day);
}
long long Seconds(const std::string& hhmmss) {
    return std::stoll(hhmmss.substr(0, 2)) * 3600 + std::stoll(hhmmss.substr(3, 2)) * 60 +
           std::stoll(hhmmss.substr(6, 2));
}

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
        if (inEvent && line != "END:VEVENT") {
            EXPECT_TRUE(ics.Events.back().emplace(line.substr(0, colon), line.substr(colon + 1)).second)
                << line << ": twice in one event";
        }
        inEvent = line == "BEGIN:VEVENT" || (inEvent && line != "END:VEVENT");
    }
    return ics;
}

const std::chrono::sys_seconds Stamp{std::chrono::seconds{1704164645}};  // 2024-01-02 03:04:05 UTC

}  // namespace

TEST(CalendarText, EveryDayFollowsItsMonthsName) {
    // Year, month (0: the whole year) and the days listed.
    const std::tuple<int, int, int> cases[] = {{2024, 2, 29},  {2023, 2, 28},  {2100, 2, 28}, {2024, 4, 30},
                                               {2024, 12, 31}, {2023, 0, 365}, {2024, 0, 366}};
    for (const auto& [year, month, days] : cases) {
        CalendarRequest r = Berlin();
        r.Year = year;
        r.Month = month == 0 ? 5 : month;
        r.WholeYear = month == 0;
        SolarState s;
        const auto lines = Lines(BuildCalendarText(r, s));
        const std::size_t header = Lines(BuildCalendarHeader(r)).size();
        EXPECT_EQ(lines[header - 1], "") << "the header ends with an empty line";
        int count = 0, name = month == 0 ? 0 : month - 1, next = 1;
        for (std::size_t i = header; i < lines.size(); ++i) {
            const bool day = std::isdigit(static_cast<unsigned char>(lines[i][0]));
            const std::string expected =
                day ? FormatPadded(next++, 2) + lines[i].substr(2) : std::string(CalendarMonthName(++name));
            EXPECT_EQ(lines[i], expected) << year << "-" << month << ", line " << i;
            count += day;
            next = day ? next : 1;
        }
        EXPECT_EQ(count, days) << year << "-" << month;
        EXPECT_TRUE(s.Month == 1 && s.Day == 1 && s.ZoneHours == 0)
            << "the calendar computes on its own copy: the caller's state keeps its day and zone";
    }
}

// A day in the DST period reads as the same day without DST one zone further east, and a half-hour
// zone moves every time by exactly that much.
TEST(CalendarText, ZoneAndDaylightSavingHourMoveEveryTime) {
    const double north[] = {DateSerial(2021, 3, 28), DateSerial(2021, 10, 31)};
    const double south[] = {DateSerial(2021, 10, 3), DateSerial(2021, 4, 4)};  // wraps the year
    const std::tuple<const double*, int, int, double> cases[] = {
        {north, 3, 27, 1}, {north, 3, 28, 2}, {north, 10, 30, 2}, {north, 10, 31, 1}, {south, 1, 15, 2},
        {south, 4, 3, 2},  {south, 4, 4, 1},  {south, 10, 2, 1},  {south, 10, 3, 2}};
    for (const auto& [dst, month, day, zone] : cases) {
        CalendarRequest r = Berlin();
        r.Year = 2021;
        r.DstStart = dst[0];
        r.DstEnd = dst[1];
        r.ShowSecondsSetting = 1;
        r.Columns = {true, true, true, true, true, true, true};
        r.Twilights = {{{true, true, true, true}, {true, true, true, true}, {}}};
        CalendarRequest plain = r;
        plain.DstInUse = false;
        plain.HourZone = zone;
        EXPECT_EQ(DayLine(r, month, day), DayLine(plain, month, day))
            << (dst == north ? "north " : "south ") << month << "/" << day;
    }
    CalendarRequest utc = Berlin();
    utc.DstInUse = false;
    utc.ShowSecondsSetting = 1;
    utc.Columns = {true, true, false, false, true, false, false};
    utc.HourZone = 0;
    CalendarRequest india = utc;
    india.HourZone = 5.5;
    for (int day : {1, 15, 31}) {
        const auto a = Split(DayLine(utc, 7, day), "  "), b = Split(DayLine(india, 7, day), "  ");
        for (std::size_t k = 1; k < a.size(); ++k)
            EXPECT_NEAR((Seconds(b[k]) - Seconds(a[k]) + 86400) % 86400, 19800, 1) << a[k] << " / " << b[k];
    }
}

TEST(CalendarText, DayLinesReadAsTheColumnsAsk) {
    CalendarRequest all = Berlin(), hours = Berlin(), dms = Berlin(), raDms = Berlin(), polar = Berlin(),
                    pole = Berlin();
    all.Columns = {true, true, true, true, true, true, true};
    all.ShowSecondsSetting = 1;
    hours.Columns = dms.Columns = raDms.Columns = {false, false, false, true, false, true, true};
    hours.RAFormatSetting = 2;
    raDms.RAFormatSetting = 1;
    dms.AngleFormatSetting = true;
    polar.Latitude = DegToRad(70);
    pole.Latitude = HalfPi;
    ExpectTexts(
        {// Rise, set, length, maximum altitude, transit, right ascension, declination.
         ROW(DayLine(all, 3, 1), "01  06:52:00  17:46:07  10:54:07  30.174°  12:18:35  342.800°  -7.306°"),
         ROW(DayLine(hours, 3, 1), "01  30.174°  22h51m12.1s  -7.306°"),
         ROW(DayLine(raDms, 3, 1), "01  30.174°  342°48'1''  -7.306°"),
         ROW(DayLine(dms, 3, 1), "01  30°10'27''  342.800°  -7°18'21''"),
         ROW(DayLine(polar, 6, 21), "21  -  -  Polar Day"),
         ROW(DayLine(polar, 12, 21), "21  -  -  Polar Night"),
         ROW(DayLine(pole, 6, 21),
             "21  -  -  -"),  // the pole: no times and no polar mark, not a day of 00:00
         ROW(FormatCalendarAngle(5 + 3 / 60.0 + 7 / 3600.0, true), "5°3'7''"),
         ROW(FormatCalendarAngle(-0.5, true), "-0°30'0''"),
         ROW(FormatCalendarAngle(10 + 59.5 / 3600, true),
             "10°0'60''"),  // rounds half to even to 60 and stays 60
         ROW(FormatCalendarAngle(10 + 58.5 / 3600, true), "10°0'58''"),
         ROW(FormatCalendarAngle(23.4395, false), "23.440°")});
    // The kind switch turns a twilight's columns off; the length is the mean of morning and evening.
    const TwilightColumnFlags on{true, true, true, true}, off{false, true, true, true};
    CalendarRequest r = Berlin();
    r.Twilights = {on, on, on};
    EXPECT_EQ(Split(DayLine(r, 3, 1), "  ").size(), 13u) << "every twilight column";
    r.Twilights = {off, {}, {}};
    EXPECT_EQ(Split(DayLine(r, 3, 1), "  ").size(), 4u) << "a kind switched off";
    r = Berlin();
    r.Columns = {true, true, false, false, false, false, false};
    r.ShowSecondsSetting = 1;
    r.Twilights[1] = on;
    const auto f = Split(DayLine(r, 3, 1), "  ");
    ASSERT_EQ(f.size(), 6u);
    EXPECT_NEAR(Seconds(f[5]), (Seconds(f[1]) - Seconds(f[3]) + Seconds(f[4]) - Seconds(f[2])) / 2.0, 1)
        << DayLine(r, 3, 1);
    // At 55° N at midsummer the Sun never reaches -18°; at 49° N on 9 June 2024 it passes -18° on the
    // morning side of the night only: a length that cannot be formed is left out.
    for (const auto& [lat, day] : {std::pair{55.0, 21}, {49.0, 9}}) {
        r = Berlin();
        r.Latitude = DegToRad(lat);
        r.Twilights[0] = r.Twilights[2] = on;
        const auto g = Split(DayLine(r, 6, day), "  ");
        EXPECT_TRUE(g.size() == 9 && g[6] != "-" && (g[7] == "-") == (lat == 55) && g[8] == "-")
            << DayLine(r, 6, day);
    }
}

TEST(CalendarHeader, PlaceZoneDaylightSavingAndSeasons) {
    for (const auto& [what, lat, lon, city] :
         {std::tuple{"the record", DegToRad(52.52), 13.405, true},
          {"below the rounding", DegToRad(52.52) + 1e-7, 13.405 + 1e-6, true},
          {"latitude off", DegToRad(52.52) + 2e-5, 13.405, false},
          {"longitude off", DegToRad(52.52), 13.405 + 2e-4, false}}) {
        CalendarRequest r = Berlin();
        r.Latitude = lat;
        r.Longitude = lon;
        EXPECT_EQ(IsCalendarCity(r), city) << what;
        EXPECT_EQ(HeaderLine(r, 0).find("Berlin") != std::string::npos, city) << what;
    }
    CalendarRequest dms = Berlin(), south = Berlin();
    dms.AngleFormatSetting = true;
    dms.SelectedCity.reset();
    CalendarRequest zero = Berlin();
    zero.Latitude = zero.Longitude = 0;
    south.Latitude = -DegToRad(33.8688);
    south.Longitude = -70.6693;
    ExpectTexts(
        {ROW(HeaderLine(Berlin(), 0),
             "Calculated values are valid for year 2024 at Berlin (52.520° N , 13.405° E)"),
         ROW(HeaderLine(Berlin(), 1), "Hour Zone: GMT+01:00"),
         ROW(HeaderLine(dms, 0),
             "Calculated values are valid for year 2024 at location: 52° 31' 12'' N , 13° 24' 18'' E"),
         ROW(HeaderLine(south, 0),
             "Calculated values are valid for year 2024 at location: 33.869° S , 70.669° W"),
         ROW(HeaderLine(zero, 0),
             "Calculated values are valid for year 2024 at location: 0.000° N , 0.000° E")});
    const double none[] = {0, 0}, north[] = {DateSerial(2024, 3, 31), DateSerial(2024, 10, 27)};
    const double wraps[] = {north[1] - 21, north[0] + 7},
                 march[] = {DateSerial(2024, 3, 3), DateSerial(2024, 3, 24)};
    for (const auto& [month, dst, expected] :
         {std::tuple{4, north, "Daylight saving time is enabled"},
          {1, north, "Daylight saving time is disabled"},
          {7, none, "Daylight saving time is disabled"},
          {10, north, "Daylight saving time ends at 2024-10-27"},
          {1, wraps, "Daylight saving time is enabled"},
          {3, march, "Daylight saving time starts at 2024-03-03|Vernal Equinox at 2024-03-20 05:07"},
          {6, wraps, "Daylight saving time is disabled|Summer Solstice at 2024-06-20 21:53"},
          {0, none,
           "Daylight saving time is disabled|Vernal Equinox at 2024-03-20 04:07|Summer Solstice at "
           "2024-06-20 "
           "21:53|Autumnal Equinox at 2024-09-22 13:41|Winter Solstice at 2024-12-21 10:19"},
          {0, north,
           "Daylight saving time starts at 2024-03-31|Daylight saving time ends at 2024-10-27|Vernal Equinox "
           "at 2024-03-20 04:07|Summer Solstice at 2024-06-20 22:53|Autumnal Equinox at 2024-09-22 14:41|"
           "Winter Solstice at 2024-12-21 10:19"}}) {
        CalendarRequest r = Berlin();
        r.WholeYear = month == 0;
        r.Month = month == 0 ? 5 : month;
        r.DstInUse = dst != none;
        r.DstStart = dst[0];
        r.DstEnd = dst[1];
        const auto h = Lines(BuildCalendarHeader(r));
        std::string middle;
        for (std::size_t i = 2; i + 1 < h.size(); ++i)
            middle += (i > 2 ? "|" : "") + h[i];
        EXPECT_EQ(middle + (h.back().empty() ? "" : " (no closing empty line)"), expected)
            << "month " << month;
    }
}

TEST(CalendarHeader, SeasonDatesAndTimesComeFromTheLocaleOrReadMissing) {
    CalendarRequest r = Berlin();
    r.HourZone = 0;
    r.DstInUse = false;
    r.Month = 6;
    r.DateText = [](double ole) {
        return FormatPadded(DayOf(ole), 2) + "." + FormatPadded(MonthOf(ole), 2) + "." +
               std::to_string(YearOf(ole));
    };
    r.ShortTimeText = [](double ole) {  // a 12-hour locale
        const long long m = std::llround(OleTimePart(ole) * 1440);
        return std::to_string(m / 60 % 12 == 0 ? 12 : m / 60 % 12) + ":" + FormatPadded(m % 60, 2) +
               (m >= 720 ? " PM" : " AM");
    };
    EXPECT_EQ(HeaderLine(r, 3), "Summer Solstice at 20.06.2024 8:53 PM");
    r.Year = 1000;  // the model's crossings leave the sampled days this far back
    r.WholeYear = true;
    EXPECT_TRUE(HeaderLine(r, 3) == "Vernal Equinox at -" && HeaderLine(r, 6) == "Winter Solstice at -")
        << BuildCalendarHeader(r);
    ExpectTexts({ROW(CalendarRequest::IsoDateText(DateSerial(2024, 3, 31) + 0.5), "2024-03-31 12:00:00"),
                 ROW(CalendarRequest::IsoDateText(DateSerial(2024, 3, 31) + 0.99999999), "2024-04-01"),
                 ROW(CalendarRequest::IsoShortTimeText(DateSerial(2024, 3, 31) + 0.25), "06:00"),
                 ROW(ExtractFolder("/home/ana/Cal1.txt"), "/home/ana/"), ROW(ExtractFolder("Cal1.txt"), ""),
                 ROW(ExtractFolder("/Cal1.txt"), "/")});
}

// South of the equator the March equinox begins autumn and the December solstice is midsummer.
TEST(CalendarHeader, SeasonsAreNamedByTheHemisphere) {
    // 2024's events (USNO: 20 Mar 03:06, 20 Jun 20:51, 22 Sep 12:44, 21 Dec 09:20 UT) at GMT+10.
    const std::string mar = "Equinox at 2024-03-20", jun = "Solstice at 2024-06-21",
                      sep = "Equinox at 2024-09-22", dec = "Solstice at 2024-12-21";
    // Sydney, the equator and Vladivostok; month 0 is the whole year.
    const std::tuple<double, int, Record> rows[] = {
        {-33.87, 0, {"Autumnal " + mar, "Winter " + jun, "Vernal " + sep, "Summer " + dec}},
        {-33.87, 3, {"Autumnal " + mar}},
        {-33.87, 6, {"Winter " + jun}},
        {-33.87, 9, {"Vernal " + sep}},
        {-33.87, 12, {"Summer " + dec}},
        {43.12, 6, {"Summer " + jun}},
        {0, 0, {"Vernal " + mar, "Summer " + jun, "Autumnal " + sep, "Winter " + dec}}};
    for (const auto& [lat, month, expected] : rows) {
        CalendarRequest r;
        r.Year = 2024;
        r.WholeYear = month == 0;
        r.Month = month == 0 ? 1 : month;
        r.Latitude = DegToRad(lat);
        r.Longitude = 151.21;
        r.HourZone = 10;
        const Record h = Lines(BuildCalendarHeader(r));
        Record seasons(h.begin() + 3, h.end() - 1);  // after place, zone and DST; before the empty line
        for (std::string& line : seasons)
            line.erase(line.rfind(' '));  // the clock time
        EXPECT_EQ(seasons, expected) << lat << "°, month " << month;
    }
}

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
    std::vector<Record> csv;
    for (const std::string& line : Lines(file))
        csv.push_back(Split(line, ","));
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
        EXPECT_TRUE(line.size() != 10 || row[10] == "") << "day " << d;
    }
    EXPECT_EQ(csv[21][8], "-") << "no astronomical twilight on 21 June";
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
    for (const auto& [zone, dayShift, seconds, iso, utc] :
         {std::tuple{2.0, 0, 4 * 3600 + 43 * 60 + 12, "2024-06-21T04:43:12+02:00", "20240621T024312Z"},
          {1.0, -1, 23 * 3600 + 50 * 60, "2024-06-20T23:50:00+01:00", "20240620T225000Z"},  // the day before
          {-3.5, 1, 30, "2024-06-22T00:00:30-03:30", "20240622T033030Z"},                   // the day after
          {5.75, 0, 3600, "2024-06-21T01:00:00+05:45", "20240620T191500Z"},
          {0.0, 0, 12 * 3600, "2024-06-21T12:00:00+00:00", "20240621T120000Z"}}) {
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
    const std::string second = BuildCalendarIcs(r, s, Stamp + std::chrono::hours(9999));
    const Ics ics = ParseIcs(first);
    ASSERT_GE(ics.Lines.size(), 6u);
    EXPECT_TRUE(ics.Lines[0] == "BEGIN:VCALENDAR" && ics.Lines.back() == "END:VCALENDAR" &&
                std::ranges::count(ics.Lines, "VERSION:2.0") == 1 &&
                std::ranges::count(ics.Lines, "CALSCALE:GREGORIAN") == 1 &&
                std::ranges::any_of(ics.Lines, [](auto& l) { return l.starts_with("PRODID:"); }))
        << first;

    // Sunrise, sunset and civil dawn on each of the 30 days; the astronomical twilight never ends.
    ASSERT_EQ(ics.Events.size(), 90u);
    std::set<std::string> uids;
    Record once, again;
    const auto texts = TextTable(r);
    for (std::size_t i = 0; i < ics.Events.size(); ++i) {
        const auto& p = ics.Events[i];
        uids.insert(p.at("UID"));
        once.push_back(p.at("UID"));
        const std::string start = p.at("DTSTART");
        EXPECT_TRUE(p.at("DTSTAMP") == "20240102T030405Z" && p.at("GEO") == "52.520000;13.405000") << start;
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
    }
    EXPECT_EQ(uids.size(), ics.Events.size()) << "one UID per place, day and kind";

    // A second export of the same days keeps every UID; another place or day changes them.
    for (const auto& e : ParseIcs(second).Events)
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
