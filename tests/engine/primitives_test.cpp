// Angle primitives, the display texts (what the user reads, to the character) and the OLE dates.

#include <chrono>
#include <cmath>
#include <sstream>

#include "engine/engine.h"
#include "support/test_support.h"

using namespace heliomark;
using namespace heliomark::testing;

TEST(Primitives, AngleFunctionsKeepTheirClassicRanges) {
    ExpectNear({ROW(ArcSin(1.0000001), HalfPi), ROW(ArcSin(-1), -HalfPi), ROW(ArcSin(0.5), std::asin(0.5)),
                ROW(ArcTan2(0, 0), HalfPi), ROW(ArcTan2(0, -2), -HalfPi), ROW(ArcTan2(-1, 0), Pi),
                ROW(ArcTan2(1, 1), Pi / 4), ROW(ArcTan2(-1, -1), 1.25 * Pi), ROW(ArcTan2(-1, 1), 0.75 * Pi),
                ROW(FloorMod(-10, 360), 350), ROW(FloorMod(720, 360), 0), ROW(FloorMod(359.5, 360), 359.5),
                ROW(RadToDeg(Pi), 180), ROW(DegToRad(-90), -HalfPi)},
               1e-13);
    // SplitDMS keeps the sign apart and carries a rounded 60 (10.99999999°: 59.99996'' is 60.000).
    const std::pair<double, const char*> splits[] = {{-0.5, "-1 0 30 0"},
                                                     {10.99999999, "1 11 0 0"},
                                                     {23.4392, "1 23 26 21.12"},
                                                     {-123.5125, "-1 123 30 45"},
                                                     {0.0, "1 0 0 0"}};
    for (const auto& [angle, text] : splits) {
        const Dms d = SplitDMS(angle);
        std::ostringstream got;
        got << d.Sign << " " << d.Degrees << " " << d.Minutes << " " << d.Seconds;
        EXPECT_EQ(got.str(), text) << "SplitDMS(" << angle << ")";
    }
    // Property: an angle split and joined again is the angle, to the millisecond of arc kept.
    for (double a = -180; a <= 180; a += 0.7371) {
        const Dms d = SplitDMS(a);
        EXPECT_NEAR(FromDMS(d.Degrees, d.Minutes, d.Seconds, d.Sign), a, 0.0005 / 3600) << a;
    }
}

TEST(Format, AngleRightAscensionAndClockTexts) {
    const double h = 1.0 / 24, m = h / 60, s = m / 60;
    // Decimal ties round away from zero; a negative value too small to show keeps its "-", zero has
    // none. In DMS the sign shows even with zero degrees, 60'' carries into the minutes and on into the
    // degrees, and whole seconds round half to even.
    ExpectTexts({ROW(FormatAngle(23.4392, false), "23.439°"), ROW(FormatAngle(-23.4395, false), "-23.440°"),
                 ROW(FormatAngle(-0.0004, false), "-0.000°"), ROW(FormatAngle(-0.0005, false), "-0.001°"),
                 ROW(FormatAngle(-0.0, false), "0.000°"), ROW(FormatAngle(0.0001, false), "0.000°"),
                 ROW(FormatAngle(-0.0, true), "0° 0' 0''"), ROW(FormatAngle(-1e-7, true), "-0° 0' 0''"),
                 ROW(FormatAngle(359.9999, false), "360.000°"), ROW(FormatAngle(-0.5, true), "-0° 30' 0''"),
                 ROW(FormatAngle(10 + 47 / 60.0 + 59.6 / 3600, true), "10° 48' 0''"),
                 ROW(FormatAngle(-(10 + 59 / 60.0 + 59.7 / 3600), true), "-11° 0' 0''"),
                 ROW(FormatAngle(1 + 2.5 / 3600, true), "1° 0' 2''"),
                 ROW(FormatAngle(1 + 3.5 / 3600, true), "1° 0' 4''")});
    // Right ascension carries a rounded 60.0s; clock times take only the fraction, round the minutes
    // (not truncate) and carry; " Y" marks an event on the local day before, " T" the day after.
    ExpectTexts({ROW(FormatRA(0.5), "1h54m35.5s"),
                 ROW(FormatRA(1.0), "3h49m11s"),
                 ROW(FormatRA((3 + 59 / 60.0 + 59.97 / 3600) / 12 * Pi), "4h0m0s"),
                 ROW(FormatClockTime(NoValue, 1), "-"),
                 ROW(FormatClockTime(2451545.75, 0), "18:00"),
                 ROW(FormatClockTime(2451545.75, 1), "18:00:00"),
                 ROW(FormatClockTime(-0.25, 0), "18:00"),
                 ROW(FormatClockTime(6 * h + 5 * m + 29.4 * s, 0), "06:05"),
                 ROW(FormatClockTime(6 * h + 5 * m + 30.2 * s, 0), "06:06"),
                 ROW(FormatClockTime(6 * h + 5 * m + 29.6 * s, 1), "06:05:30"),
                 ROW(FormatClockTime(12 * h + 34 * m + 59.6 * s, 1), "12:35:00"),
                 ROW(FormatClockTime(12 * h + 59 * m + 59.6 * s, 1), "13:00:00"),
                 ROW(FormatClockTime(23 * h + 59.7 * m, 0), "24:00"),
                 ROW(DaySuffix(2451545.5, 2451544.9), " Y"),
                 ROW(DaySuffix(2451545.5, 2451546.01), " T"),
                 ROW(DaySuffix(2451545.5, 2451545.0), ""),
                 ROW(DaySuffix(2451545.5, NoValue), ""),
                 ROW(FormatFixed(1.0005, 3), "1.001"),
                 ROW(FormatFixed(-2.5, 0), "-3"),
                 ROW(FormatFixed(99.9996, 3), "100.000"),
                 ROW(FormatPadded(-1, 2), "-01"),
                 ROW(FormatPadded(123, 2), "123"),
                 ROW(FormatGeneral(-0.01), "-0.01")});
    // The leading number of a text, as the classic Val reads it.
    const std::pair<const char*, double> numbers[] = {
        {"12abc", 12},  {"abc", 0}, {"  3.5", 3.5}, {"-.5", -0.5}, {"+7", 7},   {"1e3x", 1000},
        {"1E-2", 0.01}, {"1e", 1},  {"-", 0},       {".", 0},      {"1e999", 0}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(LeadingNumber(text), value) << '"' << text << '"';
}

TEST(Dates, DateSerialCarriesAndEveryDayReadsBack) {
    const std::tuple<int, int, int, const char*> dates[] = {
        {2024, 3, 0, "2024-2-29"},   {2023, 3, 0, "2023-2-28"},  {2024, 13, 1, "2025-1-1"},
        {2024, 0, 15, "2023-12-15"}, {2024, -1, 1, "2023-11-1"}, {2024, 12, 32, "2025-1-1"},
        {2024, 25, 1, "2026-1-1"},   {1900, 2, 29, "1900-3-1"},  {2000, 2, 29, "2000-2-29"},
        {2024, 1, -1, "2023-12-30"}, {100, 1, 1, "100-1-1"},     {9999, 12, 31, "9999-12-31"}};
    for (const auto& [y, m, d, expected] : dates) {
        const double date = DateSerial(y, m, d);
        EXPECT_EQ(std::to_string(YearOf(date)) + "-" + std::to_string(MonthOf(date)) + "-" +
                      std::to_string(DayOf(date)),
                  expected)
            << "DateSerial(" << y << ", " << m << ", " << d << ")";
    }
    ExpectNear({ROW(DateSerial(1899, 12, 30), 0), ROW(DateSerial(2000, 1, 1), 36526),
                ROW(DateSerial(1600, 1, 1), -109571), ROW(TimeSerial(13, 45, 30), 49530 / 86400.0),
                ROW(OleDateTime(DateSerial(1899, 12, 29), 0.25), -1.25),  // the OLE rule before the epoch
                ROW(OleTimePart(-1.25), 0.25), ROW(DayOf(-1.25), 29), ROW(OleDatePart(36526.75), 36526),
                ROW(OleDateTime(36526, TimeSerial(24, 0, 0)), 36527),
                ROW(WeekdayOf(DateSerial(1899, 12, 30)), 7),   // a Saturday
                ROW(WeekdayOf(DateSerial(1066, 10, 14)), 1)},  // a Sunday, proleptic Gregorian
               0);
    using namespace std::chrono;
    EXPECT_EQ(ToSysDays(DateSerial(1970, 1, 1)), sys_days(year(1970) / January / 1));
    EXPECT_EQ(FromSysDays(sys_days(year(2024) / June / 21)), DateSerial(2024, 6, 21));
    // Property: every day of four centuries reads back as the civil date it was made from.
    for (double d = DateSerial(1800, 1, 1), end = DateSerial(2200, 1, 1); d < end; ++d)
        ASSERT_EQ(DateSerial(YearOf(d), MonthOf(d), DayOf(d)), d) << d;
}
