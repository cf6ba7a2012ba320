// The calendar: its day lines, columns and header, as the user reads and saves them.

#include <cmath>

#include "calendar_support.h"

using namespace heliomark;
using namespace heliomark::testing;

namespace {

std::string HeaderLine(const CalendarRequest& r, std::size_t k) {
    const auto lines = Lines(BuildCalendarHeader(r));
    return k < lines.size() ? lines[k] : "(no line " + std::to_string(k) + ")";
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

}  // namespace

// A day in the DST period reads as the same day without DST one zone further east.
TEST(CalendarText, ZoneAndDaylightSavingHourMoveEveryTime) {
    const double north[] = {DateSerial(2021, 3, 28), DateSerial(2021, 10, 31)};
    const double south[] = {DateSerial(2021, 10, 3), DateSerial(2021, 4, 4)};  // wraps the year
    const std::tuple<const double*, int, int, double> cases[] = {
        {north, 3, 28, 2}, {north, 10, 31, 1}, {south, 4, 3, 2}, {south, 10, 3, 2}};
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
    // Rise, set, length, maximum altitude, transit, right ascension, declination. At the pole no times
    // and no polar mark (not a day of 00:00); seconds round half to even to 60 and stay 60.
    ExpectTexts(
        {ROW(DayLine(all, 3, 1), "01  06:52:00  17:46:07  10:54:07  30.174°  12:18:35  342.800°  -7.306°"),
         ROW(DayLine(hours, 3, 1), "01  30.174°  22h51m12.1s  -7.306°"),
         ROW(DayLine(raDms, 3, 1), "01  30.174°  342°48'1''  -7.306°"),
         ROW(DayLine(dms, 3, 1), "01  30°10'27''  342.800°  -7°18'21''"),
         ROW(DayLine(polar, 6, 21), "21  -  -  Polar Day"),
         ROW(DayLine(polar, 12, 21), "21  -  -  Polar Night"), ROW(DayLine(pole, 6, 21), "21  -  -  -"),
         ROW(FormatCalendarAngle(5 + 3 / 60.0 + 7 / 3600.0, true), "5°3'7''"),
         ROW(FormatCalendarAngle(-0.5, true), "-0°30'0''"),
         ROW(FormatCalendarAngle(10 + 59.5 / 3600, true), "10°0'60''"),
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
    CalendarRequest december = south;  // south of the equator the seasons are named the other way
    december.Month = 12;
    ExpectTexts(
        {ROW(HeaderLine(Berlin(), 0),
             "Calculated values are valid for year 2024 at Berlin (52.520° N , 13.405° E)"),
         ROW(HeaderLine(Berlin(), 1), "Hour Zone: GMT+01:00"),
         ROW(HeaderLine(dms, 0),
             "Calculated values are valid for year 2024 at location: 52° 31' 12'' N , 13° 24' 18'' E"),
         ROW(HeaderLine(south, 0),
             "Calculated values are valid for year 2024 at location: 33.869° S , 70.669° W"),
         ROW(HeaderLine(zero, 0),
             "Calculated values are valid for year 2024 at location: 0.000° N , 0.000° E"),
         ROW(HeaderLine(south, 3), "Autumnal Equinox at 2024-03-20 04:07"),
         ROW(HeaderLine(december, 3), "Summer Solstice at 2024-12-21 10:19"),
         ROW(HeaderLine(zero, 3), "Vernal Equinox at 2024-03-20 04:07")});
    const double north[] = {DateSerial(2024, 3, 31), DateSerial(2024, 10, 27)};
    const double wraps[] = {north[1] - 21, north[0] + 7},
                 march[] = {DateSerial(2024, 3, 3), DateSerial(2024, 3, 24)};
    for (const auto& [month, dst, expected] :
         {std::tuple{4, north, "Daylight saving time is enabled"},
          {1, north, "Daylight saving time is disabled"},
          {10, north, "Daylight saving time ends at 2024-10-27"},
          {3, march, "Daylight saving time starts at 2024-03-03|Vernal Equinox at 2024-03-20 05:07"},
          {6, wraps, "Daylight saving time is disabled|Summer Solstice at 2024-06-20 21:53"},
          {0, north,
           "Daylight saving time starts at 2024-03-31|Daylight saving time ends at 2024-10-27|Vernal Equinox "
           "at 2024-03-20 04:07|Summer Solstice at 2024-06-20 22:53|Autumnal Equinox at 2024-09-22 14:41|"
           "Winter Solstice at 2024-12-21 10:19"}}) {
        CalendarRequest r = Berlin();
        r.WholeYear = month == 0;
        r.Month = month == 0 ? 5 : month;
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
