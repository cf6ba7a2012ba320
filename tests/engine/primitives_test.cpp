// Angle primitives and the display texts: the formats are what the user reads, to the character.
#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>

#include "engine/engine.h"

using namespace heliomark;

TEST(Primitives, ArcSinClampsInsteadOfFailing) {
    EXPECT_EQ(ArcSin(1.0000001), HalfPi);
    EXPECT_EQ(ArcSin(-1), -HalfPi);
    EXPECT_EQ(ArcSin(0), 0);
    EXPECT_NEAR(ArcSin(0.5), std::asin(0.5), 1e-15);
}

TEST(Primitives, ArcTan2TakesXFirstAndCoversMinusHalfPiToThreeHalvesPi) {
    struct Case {
        double x, y, expected;
    } cases[] = {
        {0, 0, HalfPi},
        {0, 2, HalfPi},
        {0, -2, -HalfPi},
        {-1, 0, Pi},
        {1, 1, std::atan(1.0)},
        {-1, -1, std::atan(1.0) + Pi},  // third quadrant lies above pi, not below -pi/2
        {-1, 1, std::atan(-1.0) + Pi},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ArcTan2(c.x, c.y), c.expected) << "x=" << c.x << " y=" << c.y;
    }
}

TEST(Primitives, FloorModRoundsTowardMinusInfinity) {
    EXPECT_EQ(FloorMod(-10, 360), 350);
    EXPECT_EQ(FloorMod(-90, 360), 270);
    EXPECT_EQ(FloorMod(720, 360), 0);
    EXPECT_EQ(FloorMod(359.5, 360), 359.5);
}

TEST(Primitives, SplitDmsKeepsTheSignApartAndCarriesRoundedSixty) {
    struct Case {
        double angle;
        int deg, min;
        double sec;
        int sign;
    } cases[] = {
        {-0.5, 0, 30, 0, -1},
        {10.99999999, 11, 0, 0, 1},  // 59.99996'' rounds to 60.000 and carries twice
        {23.4392, 23, 26, 21.12, 1},
        {0, 0, 0, 0, 1},
        {-123.5125, 123, 30, 45, -1},
        {59.99999999, 60, 0, 0, 1},
    };
    for (const auto& c : cases) {
        const Dms d = SplitDMS(c.angle);
        EXPECT_EQ(d.Degrees, c.deg) << c.angle;
        EXPECT_EQ(d.Minutes, c.min) << c.angle;
        EXPECT_NEAR(d.Seconds, c.sec, 1e-9) << c.angle;
        EXPECT_EQ(d.Sign, c.sign) << c.angle;
    }
}

TEST(Primitives, SplitAndJoinGiveTheAngleBackToAMillisecond) {
    for (double a = -180; a <= 180; a += 0.7371) {
        const Dms d = SplitDMS(a);
        EXPECT_NEAR(FromDMS(d.Degrees, d.Minutes, d.Seconds, d.Sign), a, 0.0005 / 3600) << a;
    }
}

TEST(Format, AngleTexts) {
    struct Case {
        double degrees;
        bool dms;
        const char* text;
    } cases[] = {
        {23.4392, false, "23.439°"},   {23.4395, false, "23.440°"},  // the decimal tie rounds away from zero
        {-23.4395, false, "-23.440°"}, {0.0004, false, "0.000°"},     {-0.0004, false, "-0.000°"},
        {0.9995, false, "1.000°"},     {359.9999, false, "360.000°"}, {-23.5, true, "-23° 30' 0''"},
        {-0.5, true, "-0° 30' 0''"},  // the sign shows even with zero degrees
        {5.0005, true, "5° 0' 2''"},

    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatAngle(c.degrees, c.dms), c.text) << c.degrees << " dms=" << c.dms;
    }
}

TEST(Format, AngleSecondsRoundingToSixtyCarry) {
    // 47' 59.6'' would read "47' 60''"; it carries into the minutes, and 59' into the degrees.
    EXPECT_EQ(FormatAngle(10 + 47 / 60.0 + 59.6 / 3600, true), "10° 48' 0''");
    EXPECT_EQ(FormatAngle(10 + 59 / 60.0 + 59.7 / 3600, true), "11° 0' 0''");
    EXPECT_EQ(FormatAngle(-(10 + 59 / 60.0 + 59.7 / 3600), true), "-11° 0' 0''");
    // Whole seconds round half to even: 2.5'' -> 2'', 3.5'' -> 4''.
    EXPECT_EQ(FormatAngle(1 + 2.5 / 3600, true), "1° 0' 2''");
    EXPECT_EQ(FormatAngle(1 + 3.5 / 3600, true), "1° 0' 4''");
}

TEST(Format, RightAscensionTexts) {
    EXPECT_EQ(FormatRA(0.5), "1h54m35.5s");
    EXPECT_EQ(FormatRA(1.0), "3h49m11s");
    EXPECT_EQ(FormatRA(0), "0h0m0s");
    // 3h49m59.97s rounds to 60.0 and carries.
    const double ra = (3 + 49 / 60.0 + 59.97 / 3600) / 12 * Pi;
    EXPECT_EQ(FormatRA(ra), "3h50m0s");
    const double ra2 = (3 + 59 / 60.0 + 59.97 / 3600) / 12 * Pi;
    EXPECT_EQ(FormatRA(ra2), "4h0m0s");
}

TEST(Format, ClockTimes) {
    struct Case {
        double day;
        int seconds;
        const char* text;
    } cases[] = {
        {NoValue, 0, "-"},
        {NoValue, 1, "-"},
        {2451545.75, 0, "18:00"},
        {2451545.75, 1, "18:00:00"},
        {2451545.0 + (6 + 5 / 60.0 + 29.5 / 3600) / 24, 0, "06:05"},
        {2451545.0 + (6 + 5 / 60.0 + 30.2 / 3600) / 24, 0, "06:06"},  // minutes round, not truncate
        {2451545.0 + (6 + 5 / 60.0 + 29.5 / 3600) / 24, 1, "06:05:30"},
        {0.5 / 24, 1, "00:30:00"},
        {-0.25, 0, "18:00"},  // only the fraction counts
        // Rounding that lifts the field to 60 carries into the next one.
        {(10 + 59.6 / 60) / 24, 0, "11:00"},
        {(12 + 34 / 60.0 + 59.6 / 3600) / 24, 1, "12:35:00"},
        {(12 + 59 / 60.0 + 59.6 / 3600) / 24, 1, "13:00:00"},
        {(23 + 59.7 / 60) / 24, 0, "24:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatClockTime(c.day, c.seconds), c.text) << std::setprecision(17) << c.day;
    }
}

TEST(Format, DaySuffixComparesLocalDays) {
    EXPECT_EQ(DaySuffix(2451545.5, 2451544.9), " Y");
    EXPECT_EQ(DaySuffix(2451545.5, 1e200), "");
    EXPECT_EQ(DaySuffix(2451545.5, 2451545.99), "");
    EXPECT_EQ(DaySuffix(2451545.5, 2451546.01), " T");
    EXPECT_EQ(DaySuffix(2451545.5, 2451545.0), "");
}

TEST(Format, NumberHelpersIgnoreTheLocale) {
    EXPECT_EQ(FormatFixed(1.0005, 3), "1.001");
    EXPECT_EQ(FormatFixed(-2.5, 0), "-3");
    EXPECT_EQ(FormatFixed(99.9996, 3), "100.000");
    EXPECT_EQ(FormatFixed(1e-7, 3), "0.000");
    EXPECT_EQ(FormatPadded(5, 2), "05");
    EXPECT_EQ(FormatPadded(123, 2), "123");
    EXPECT_EQ(FormatPadded(-1, 2), "-01");
    EXPECT_EQ(FormatGeneral(7), "7");
    EXPECT_EQ(FormatGeneral(0.5), "0.5");
    EXPECT_EQ(FormatGeneral(2.51), "2.51");
    EXPECT_EQ(FormatGeneral(-0.01), "-0.01");
}

TEST(Format, LeadingNumberReadsLikeTheClassicValFunction) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"12abc", 12}, {"abc", 0}, {"", 0},  {"  3.5", 3.5}, {"-.5", -0.5},      {"+7", 7},    {"1e3x", 1000},
        {"1e", 1},     {"-", 0},   {".", 0}, {"0.01", 0.01}, {"100000", 100000}, {"1e999", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LeadingNumber(c.text), c.value) << '"' << c.text << '"';
}
