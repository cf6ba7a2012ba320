#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "berlin_request.h"
#include "calendar/calendar.h"

using namespace heliomark;

namespace {

// A day.month.year 24-hour locale, fixed so that the header's dates are known.
std::string GermanDate(double ole) {
    const double date = OleDatePart(ole);
    std::string text = FormatPadded(DayOf(date), 2) + "." + FormatPadded(MonthOf(date), 2) + "." +
                       std::to_string(YearOf(date));
    const long long s = std::llround(OleTimePart(ole) * 86400);
    if (s == 0) return text;
    return text + " " + FormatPadded(s / 3600, 2) + ":" + FormatPadded(s / 60 % 60, 2) + ":" +
           FormatPadded(s % 60, 2);
}
std::string GermanTime(double ole) {
    const long long m = std::llround(OleTimePart(ole) * 1440);
    return FormatPadded(m / 60, 2) + ":" + FormatPadded(m % 60, 2);
}
// A 12-hour locale: "8:51 PM".
std::string EnglishTime(double ole) {
    const long long m = std::llround(OleTimePart(ole) * 1440);
    const long long h = m / 60 % 12 == 0 ? 12 : m / 60 % 12;
    return std::to_string(h) + ":" + FormatPadded(m % 60, 2) + (m >= 720 ? " PM" : " AM");
}

// Berlin in 2024, DST from 31 March to 27 October, month mode for March.
CalendarRequest Berlin() {
    CalendarRequest r = testing::BerlinRequest(3);
    r.DateText = GermanDate;
    r.ShortTimeText = GermanTime;
    return r;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0, end;
    while ((end = text.find("\r\n", start)) != std::string::npos) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "text does not end with CR LF";
    for (const auto& l : lines)
        EXPECT_EQ(l.find_first_of("\r\n"), std::string::npos) << l;
    return lines;
}

std::vector<std::string> Header(const CalendarRequest& r) {
    return Lines(BuildCalendarHeader(r));
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0, end;
    while ((end = line.find("  ", start)) != std::string::npos) {
        fields.push_back(line.substr(start, end - start));
        start = end + 2;
    }
    fields.push_back(line.substr(start));
    return fields;
}

// The day line of one day of a month-mode calendar.
std::string DayLine(CalendarRequest r, int month, int day) {
    r.Month = month;
    r.WholeYear = false;
    SolarState s;
    const auto lines = Lines(BuildCalendarText(r, s));
    const std::string prefix = FormatPadded(day, 2);
    for (const auto& l : lines)
        if (l.rfind(prefix, 0) == 0) return l;
    ADD_FAILURE() << "no line for day " << day << " of month " << month;
    return {};
}

// The text with every run of digits written "#", except that the digits after a full stop keep
// one "#" each: "-7.306°" -> "-#.###°", "22h51m12.5s" -> "#h#m#.#s".
std::string Shape(const std::string& text) {
    std::string shape;
    bool afterPoint = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto digit = [&text](std::size_t k) {
            return std::isdigit(static_cast<unsigned char>(text[k]));
        };
        if (!digit(i)) {
            shape += text[i];
            afterPoint = text[i] == '.';
        } else if (afterPoint || i == 0 || !digit(i - 1)) {
            shape += '#';
        }
    }
    return shape;
}

// Season times are the true local times of the events; the model may differ by a few minutes.
bool SameHeaderLine(const std::string& line, const std::string& expected) {
    if (!Shape(expected).ends_with(" #:#")) return line == expected;
    const std::size_t cut = expected.size() - 5;
    if (line.size() != expected.size() || line.substr(0, cut) != expected.substr(0, cut)) return false;
    const auto minutes = [](const std::string& t) {
        return std::stoi(t.substr(0, 2)) * 60 + std::stoi(t.substr(3));
    };
    return std::abs(minutes(line.substr(cut)) - minutes(expected.substr(cut))) <= 5;
}

long long Seconds(const std::string& hhmmss) {
    return std::stoll(hhmmss.substr(0, 2)) * 3600 + std::stoll(hhmmss.substr(3, 2)) * 60 +
           std::stoll(hhmmss.substr(6, 2));
}

}  // namespace

TEST(CalendarText, MonthModeListsEveryDayOfTheMonthAfterItsName) {
    struct Case {
        int Year, Month, Days;
    } cases[] = {{2024, 2, 29}, {2023, 2, 28}, {2000, 2, 29}, {2100, 2, 28}, {2024, 4, 30}, {2024, 12, 31}};
    for (const Case& c : cases) {
        CalendarRequest r = Berlin();
        r.Year = c.Year;
        r.Month = c.Month;
        SolarState s;
        const auto lines = Lines(BuildCalendarText(r, s));
        const std::size_t header = Header(r).size();
        ASSERT_EQ(lines.size(), header + 1 + c.Days) << c.Year << "-" << c.Month;
        EXPECT_EQ(lines[header - 1], "") << "the header ends with an empty line";
        EXPECT_EQ(lines[header], CalendarMonthName(c.Month));
        for (int d = 1; d <= c.Days; ++d)
            EXPECT_EQ(lines[header + d].substr(0, 4), FormatPadded(d, 2) + "  ") << c.Year << "-" << c.Month;
    }
}

TEST(CalendarText, WholeYearListsEveryDayWithEachMonthAfterItsName) {
    for (int year : {2023, 2024}) {
        CalendarRequest r = Berlin();
        r.Year = year;
        r.WholeYear = true;
        SolarState s;
        const auto lines = Lines(BuildCalendarText(r, s));
        int dayLines = 0, month = 0;
        for (std::size_t i = Header(r).size(); i < lines.size(); ++i) {
            if (lines[i].rfind("01  ", 0) == 0) {
                ASSERT_LT(month, 12);
                EXPECT_EQ(lines[i - 1], CalendarMonthName(++month)) << year;
            }
            if (std::isdigit(static_cast<unsigned char>(lines[i][0]))) ++dayLines;
        }
        EXPECT_EQ(month, 12);
        EXPECT_EQ(dayLines, year == 2024 ? 366 : 365);
        // The state is left at the last day, with that day's zone.
        EXPECT_EQ(s.Month, 12);
        EXPECT_EQ(s.Day, 31);
        EXPECT_EQ(s.ZoneHours, 1);
    }
}

// Each day is computed with the plain zone or one hour more, as a fresh computation shows.
TEST(CalendarText, DaylightSavingAppliesFromItsFirstDayUpToItsEnd) {
    struct Case {
        const char* Name;
        double Start, End;
        int Month, Day;
        bool Dst;
    } cases[] = {
        {"north", DateSerial(2021, 3, 28), DateSerial(2021, 10, 31), 3, 27, false},
        {"north", DateSerial(2021, 3, 28), DateSerial(2021, 10, 31), 3, 28, true},
        {"north", DateSerial(2021, 3, 28), DateSerial(2021, 10, 31), 10, 30, true},
        {"north", DateSerial(2021, 3, 28), DateSerial(2021, 10, 31), 10, 31, false},
        {"south", DateSerial(2021, 10, 3), DateSerial(2021, 4, 4), 1, 15, true},
        {"south", DateSerial(2021, 10, 3), DateSerial(2021, 4, 4), 4, 3, true},
        {"south", DateSerial(2021, 10, 3), DateSerial(2021, 4, 4), 4, 4, false},
        {"south", DateSerial(2021, 10, 3), DateSerial(2021, 4, 4), 10, 2, false},
        {"south", DateSerial(2021, 10, 3), DateSerial(2021, 4, 4), 10, 3, true},
    };
    for (const Case& c : cases) {
        CalendarRequest r = Berlin();
        r.Year = 2021;
        r.DstStart = c.Start;
        r.DstEnd = c.End;
        r.ShowSecondsSetting = 1;
        r.Columns = {true, true, false, false, true, false, false};
        SolarState expected;
        expected.Latitude = r.Latitude;
        expected.Longitude = r.Longitude;
        expected.Year = 2021;
        expected.Month = static_cast<int16_t>(c.Month);
        expected.Day = static_cast<int16_t>(c.Day);
        expected.ZoneHours = r.HourZone + (c.Dst ? 1 : 0);
        ComputeDayEvents(expected, false);
        const std::string want = FormatPadded(c.Day, 2) + "  " + FormatClockTime(expected.Sunrise, 1) + "  " +
                                 FormatClockTime(expected.Sunset, 1) + "  " +
                                 FormatClockTime(expected.Transit, 1);
        EXPECT_EQ(DayLine(r, c.Month, c.Day), want) << c.Name << " " << c.Month << "/" << c.Day;
    }
}

TEST(CalendarText, PolarDaysShowNoRiseOrSetAndTheirText) {
    CalendarRequest r = Berlin();
    r.Latitude = DegToRad(70);
    EXPECT_EQ(DayLine(r, 6, 21), "21  -  -  Polar Day");
    EXPECT_EQ(DayLine(r, 12, 21), "21  -  -  Polar Night");
    // At the pole the engine gives neither time and no polar mark: no "00:00" day.
    r.Latitude = HalfPi;
    EXPECT_EQ(DayLine(r, 6, 21), "21  -  -  -");
}

TEST(CalendarText, ColumnsFollowTheirFixedOrderAndTheKindSwitch) {
    struct Case {
        const char* Name;
        CalendarColumns Columns;
        std::array<TwilightColumnFlags, 3> Twilights;
        std::size_t Fields;
    } cases[] = {
        {"day only", {false, false, false, false, false, false, false}, {}, 1},
        {"all seven", {true, true, true, true, true, true, true}, {}, 8},
        {"all twilights",
         {},
         {{{true, true, true, true}, {true, true, true, true}, {true, true, true, true}}},
         13},
        {"kind switched off", {}, {{{false, true, true, true}, {}, {}}}, 4},
        {"nautical length", {}, {{{}, {true, true, false, false}, {}}}, 5},
    };
    for (const Case& c : cases) {
        CalendarRequest r = Berlin();
        r.Columns = c.Columns;
        r.Twilights = c.Twilights;
        EXPECT_EQ(Fields(DayLine(r, 3, 1)).size(), c.Fields) << c.Name;
    }
    CalendarRequest r = Berlin();
    r.Columns = {true, true, false, false, false, false, false};
    r.ShowSecondsSetting = 1;
    r.Twilights[1] = {true, true, true, true};
    const auto f = Fields(DayLine(r, 3, 1));
    ASSERT_EQ(f.size(), 6u);
    // Starts, Ends, then the mean of the morning and evening twilights.
    const long long morning = Seconds(f[1]) - Seconds(f[3]), evening = Seconds(f[4]) - Seconds(f[2]);
    EXPECT_NEAR(Seconds(f[5]), (morning + evening) / 2.0, 1) << DayLine(r, 3, 1);
}

// At 55° N at midsummer the Sun reaches -6° but never -18°; at 49° N on 9 June 2024 it passes -18°
// on the morning side of the night only.
TEST(CalendarText, TwilightLengthThatCannotBeFormedIsLeftOut) {
    struct Case {
        double Latitude;
        int Month, Day;
        const char *AstroStart, *AstroEnd;  // "" for a time
    } cases[] = {{55, 6, 21, "-", "-"}, {49, 6, 9, "", "-"}};
    for (const Case& c : cases) {
        CalendarRequest r = Berlin();
        r.Latitude = DegToRad(c.Latitude);
        r.Twilights[0] = {true, true, true, true};
        r.Twilights[2] = {true, true, true, true};
        const std::string line = DayLine(r, c.Month, c.Day);
        const auto f = Fields(line);
        ASSERT_EQ(f.size(), 9u) << line;
        EXPECT_NE(f[6], "-") << "civil length: " << line;
        EXPECT_EQ(f[7] == "-", *c.AstroStart == '-') << line;
        EXPECT_EQ(f[8] == "-", *c.AstroEnd == '-') << line;
    }
}

// 1 March: altitude and right ascension positive, declination negative.
TEST(CalendarText, AngleColumnsFollowTheirFormats) {
    const std::string dec = "#.###°", dms = "#°#'#''", hours = "#h#m#s";
    struct Case {
        bool AngleDMS;
        int16_t RAFormat;
        std::string Alt, RA, Dec;
    } cases[] = {
        {false, 2, dec, hours, dec}, {false, 0, dec, dec, dec},  {false, 1, dec, dms, dec},
        {true, 0, dms, dec, dms},    {true, 2, dms, hours, dms},
    };
    for (const Case& c : cases) {
        CalendarRequest r = Berlin();
        r.Columns = {false, false, false, true, false, true, true};
        r.AngleFormatSetting = c.AngleDMS;
        r.RAFormatSetting = c.RAFormat;
        std::string line = Shape(DayLine(r, 3, 1));
        if (const auto tenths = line.find("m#.#s"); tenths != std::string::npos) line.erase(tenths + 2, 2);
        EXPECT_EQ(line, "#  " + c.Alt + "  " + c.RA + "  -" + c.Dec)
            << DayLine(r, 3, 1) << " (angle format " << c.AngleDMS << ", RA format " << c.RAFormat << ")";
    }
}

TEST(CalendarText, HalfHourZoneShiftsEveryTimeByFiveAndAHalfHours) {
    CalendarRequest r = Berlin();
    r.Month = 7;
    r.DstInUse = false;
    r.ShowSecondsSetting = 1;
    r.Columns = {true, true, false, false, true, false, false};
    SolarState s;
    r.HourZone = 0;
    const auto utc = Lines(BuildCalendarText(r, s));
    r.HourZone = 5.5;
    const auto india = Lines(BuildCalendarText(r, s));
    ASSERT_EQ(utc.size(), india.size());
    for (std::size_t i = Header(r).size() + 1; i < utc.size(); ++i) {
        const auto a = Fields(utc[i]), b = Fields(india[i]);
        for (std::size_t k = 1; k < a.size(); ++k) {
            const long long shift = (Seconds(b[k]) - Seconds(a[k]) + 86400) % 86400;
            EXPECT_NEAR(shift, 19800, 1) << utc[i] << " / " << india[i];
        }
    }
}

TEST(CalendarHeader, NamesTheCityOnlyWhenThePlaceIsItsRecord) {
    struct Case {
        const char* Name;
        double Lat, Lon;  // radians, degrees
        bool City;
    } cases[] = {
        {"the record", DegToRad(52.52), 13.405, true},
        {"below the rounding", DegToRad(52.52) + 1e-7, 13.405 + 1e-6, true},
        {"latitude off", DegToRad(52.52) + 2e-5, 13.405, false},
        {"longitude off", DegToRad(52.52), 13.405 + 2e-4, false},
    };
    for (const Case& c : cases) {
        CalendarRequest r = Berlin();
        r.Latitude = c.Lat;
        r.Longitude = c.Lon;
        EXPECT_EQ(IsCalendarCity(r), c.City) << c.Name;
        const std::string line = Header(r)[0];
        EXPECT_EQ(line.find("Berlin") != std::string::npos, c.City) << line;
    }
    CalendarRequest r = Berlin();
    EXPECT_EQ(Header(r)[0], "Calculated values are valid for year 2024 at Berlin (52.520° N , 13.405° E)");
    EXPECT_EQ(Header(r)[1], "Hour Zone: GMT+01:00");
    r.AngleFormatSetting = true;
    r.SelectedCity.reset();
    EXPECT_EQ(Header(r)[0],
              "Calculated values are valid for year 2024 at location: 52° 31' 12'' N , 13° 24' 18'' E");
    r.AngleFormatSetting = false;
    r.Latitude = -DegToRad(33.8688);
    r.Longitude = -70.6693;
    EXPECT_EQ(Header(r)[0], "Calculated values are valid for year 2024 at location: 33.869° S , 70.669° W");
    r.Latitude = r.Longitude = 0;
    EXPECT_EQ(Header(r)[0], "Calculated values are valid for year 2024 at location: 0.000° N , 0.000° E");
}

TEST(CalendarHeader, DaylightSavingAndSeasonLinesByMode) {
    struct Period {
        bool InUse;
        double Start, End;
    };
    const Period none{false, 0, 0}, north{true, DateSerial(2024, 3, 31), DateSerial(2024, 10, 27)};
    const Period south{true, DateSerial(2024, 10, 6), DateSerial(2024, 4, 7)};  // wraps the year
    const Period march{true, DateSerial(2024, 3, 3), DateSerial(2024, 3, 24)};  // holds the equinox
    struct Case {
        int Month;  // 0: whole year
        Period Dst;
        std::string Lines;  // between the zone line and the empty line, separated by "|"
    } cases[] = {
        {4, north, "Daylight saving time is enabled"},
        {1, north, "Daylight saving time is disabled"},
        {7, none, "Daylight saving time is disabled"},
        {10, north, "Daylight saving time ends at 27.10.2024"},
        {3, march, "Daylight saving time starts at 03.03.2024|Vernal Equinox at 20.03.2024 05:06"},
        {1, south, "Daylight saving time is enabled"},
        {6, south, "Daylight saving time is disabled|Summer Solstice at 20.06.2024 21:51"},
        {0, none,
         "Daylight saving time is disabled|Vernal Equinox at 20.03.2024 04:06|Summer Solstice at 20.06.2024 "
         "21:51|Autumnal Equinox at 22.09.2024 13:44|Winter Solstice at 21.12.2024 10:20"},
        {0, north,
         "Daylight saving time starts at 31.03.2024|Daylight saving time ends at 27.10.2024|Vernal Equinox "
         "at "
         "20.03.2024 04:06|Summer Solstice at 20.06.2024 22:51|Autumnal Equinox at 22.09.2024 14:44|Winter "
         "Solstice at 21.12.2024 10:20"},
    };
    for (const Case& c : cases) {
        CalendarRequest r = Berlin();
        r.WholeYear = c.Month == 0;
        r.Month = c.Month == 0 ? 5 : c.Month;
        r.DstInUse = c.Dst.InUse;
        r.DstStart = c.Dst.Start;
        r.DstEnd = c.Dst.End;
        std::vector<std::string> expected;
        for (std::size_t start = 0, bar;; start = bar + 1) {
            bar = c.Lines.find('|', start);
            expected.push_back(c.Lines.substr(start, bar - start));
            if (bar == std::string::npos) break;
        }
        const auto h = Header(r);
        ASSERT_EQ(h.size(), expected.size() + 3) << "month " << c.Month << ":\n" << BuildCalendarHeader(r);
        EXPECT_EQ(h.back(), "");
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_TRUE(SameHeaderLine(h[i + 2], expected[i])) << h[i + 2] << " for " << expected[i];
    }
}

TEST(CalendarHeader, SeasonTimesKeepTheLocalesAmPm) {
    CalendarRequest r = Berlin();
    r.HourZone = 0;
    r.DstInUse = false;
    r.Month = 6;
    r.ShortTimeText = EnglishTime;
    // The June solstice of 2024 fell at 20:51 UT.
    const std::string line = Header(r)[3];
    EXPECT_EQ(line.substr(0, 33), "Summer Solstice at 20.06.2024 8:5") << line;
    EXPECT_TRUE(line.ends_with(" PM") && line.size() == 37) << line;
}

TEST(CalendarHeader, SeasonWithoutDateIsShownAsMissing) {
    CalendarRequest r = Berlin();
    r.Year = 1000;  // the model's crossings leave the sampled days this far back
    r.WholeYear = true;
    const auto h = Header(r);
    ASSERT_EQ(h.size(), 9u);
    EXPECT_EQ(h[4], "Vernal Equinox at -");
    EXPECT_EQ(h[7], "Winter Solstice at -");
}

TEST(CalendarFormat, CompactAngles) {
    struct Case {
        double Degrees;
        bool DMS;
        const char* Text;
    } cases[] = {
        {5 + 3 / 60.0 + 7 / 3600.0, true, "5°3'7''"},
        {-0.5, true, "-0°30'0''"},
        {10 + 59.5 / 3600, true, "10°0'60''"},  // rounds half to even to 60 and stays 60
        {10 + 58.5 / 3600, true, "10°0'58''"},
        {0, false, "0.000°"},
        {23.4395, false, "23.440°"},
        {-7.3064, false, "-7.306°"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatCalendarAngle(c.Degrees, c.DMS), c.Text) << c.Degrees << " " << c.DMS;
}

TEST(CalendarFormat, ExtractFolderKeepsTheLastSeparator) {
    EXPECT_EQ(ExtractFolder("/home/ana/Cal1.txt"), "/home/ana/");
    EXPECT_EQ(ExtractFolder("Cal1.txt"), "");
    EXPECT_EQ(ExtractFolder("/Cal1.txt"), "/");
    EXPECT_EQ(ExtractFolder(""), "");
}
