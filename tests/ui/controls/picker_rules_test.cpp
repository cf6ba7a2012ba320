#include "ui/controls/picker_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/engine.h"

namespace heliomark {
namespace {

TEST(PickerRules, FieldWholeNumberRoundsHalfToEvenAndSaturates) {
    struct Case {
        const char* text;
        int value;
    } cases[] = {{"2.5", 2},   {"3.5", 4},       {"-2.5", -2}, {"12abc", 12},  {"abc", 0},
                 {" 7", 7},    {"", 0},          {"-0", 0},    {"1e9", 32767}, {"-1e9", -32768},
                 {"9e999", 0}, {"32767", 32767}, {"0.49", 0},  {"-.5", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(FieldWholeNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(PickerRules, SpinFieldTextAddsTheStepToTheLeadingNumber) {
    struct Case {
        const char* text;
        int step;
        const char* result;
    } cases[] = {{"59", 1, "60"},        {"-00", 1, "1"}, {"-01", 1, "0"},    {"00", -1, "-1"},
                 {"04.356", 1, "5.356"}, {"x", -1, "-1"}, {"2004", 1, "2005"}};
    for (const Case& c : cases)
        EXPECT_EQ(SpinFieldText(c.text, c.step), c.result) << '"' << c.text << "\" + " << c.step;
}

TEST(PickerRules, FormatTwoDigitFixedPadsTheWholePart) {
    struct Case {
        double value;
        int decimals;
        const char* text;
    } cases[] = {{4.356, 3, "04.356"}, {0.5, 3, "00.500"}, {59.96, 1, "60.0"}, {123.4, 1, "123.4"},
                 {-5, 3, "-05.000"},   {31.25, 1, "31.3"}, {0, 1, "00.0"}};
    for (const Case& c : cases)
        EXPECT_EQ(FormatTwoDigitFixed(c.value, c.decimals), c.text) << c.value << " to " << c.decimals;
}

TEST(PickerRules, NormalizedDateCarriesAndReadsTwoDigitYears) {
    struct Case {
        int y, m, d;
        int year, month, day;
    } cases[] = {
        {2004, 2, 30, 2004, 3, 1},    {2004, 3, 0, 2004, 2, 29},   {2003, 3, 0, 2003, 2, 28},
        {2004, 13, 31, 2005, 1, 31},  {2004, 0, 15, 2003, 12, 15}, {2004, -1, 1, 2003, 11, 1},
        {2004, 1, -30, 2003, 12, 1},  {2004, 1, 400, 2005, 2, 3},  {1900, 2, 29, 1900, 3, 1},
        {2000, 2, 29, 2000, 2, 29},   {0, 1, 1, 2000, 1, 1},       {29, 6, 1, 2029, 6, 1},
        {30, 6, 1, 1930, 6, 1},       {99, 13, 1, 2000, 1, 1},     {100, 1, 1, 100, 1, 1},
        {9999, 12, 31, 9999, 12, 31}, {99, 0, 1, 1998, 12, 1},
    };
    for (const Case& c : cases) {
        const auto date = NormalizedDate(c.y, c.m, c.d);
        ASSERT_TRUE(date) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(date->Year, c.year) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(date->Month, c.month) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(date->Day, c.day) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(date->Value, DateSerial(c.year, c.month, c.day)) << c.y << "-" << c.m << "-" << c.d;
    }
}

TEST(PickerRules, NormalizedDateRefusesYearsOutsideOneHundredToNineThousandNineHundredNinetyNine) {
    struct Case {
        int y, m, d;
    } cases[] = {{-1, 1, 1},     {-32768, 1, 1}, {10000, 1, 1}, {32767, 1, 1},
                 {9999, 12, 32}, {9999, 13, 1},  {100, 1, 0},   {100, 0, 1}};
    for (const Case& c : cases)
        EXPECT_FALSE(NormalizedDate(c.y, c.m, c.d)) << c.y << "-" << c.m << "-" << c.d;
    EXPECT_TRUE(IsPickerDate(DateSerial(100, 1, 1)));
    EXPECT_TRUE(IsPickerDate(DateSerial(9999, 12, 31) + 0.99));
    EXPECT_FALSE(IsPickerDate(DateSerial(99, 12, 31)));
    EXPECT_FALSE(IsPickerDate(std::nan("")));
}

TEST(PickerRules, NormalizedTimeCarriesAndWrapsAroundMidnight) {
    struct Case {
        int h, m;
        double s;
        int hour, minute;
        double second;
    } cases[] = {
        {23, 59, 60.5, 0, 0, 0.5}, {0, -1, 0, 23, 59, 0},  {-1, 0, 0, 23, 0, 0},
        {-25, 0, 0, 23, 0, 0},     {48, 0, 0, 0, 0, 0},    {0, 0, -0.25, 23, 59, 59.75},
        {10, 75, 0, 11, 15, 0},    {0, 0, 3661, 1, 1, 1},  {12, 30, 4.356, 12, 30, 4.356},
        {-24, -1, 0, 23, 59, 0},   {0, 0, 86400, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const ClockTime t = NormalizedTime(c.h, c.m, c.s);
        EXPECT_EQ(t.Hour, c.hour) << c.h << ":" << c.m << ":" << c.s;
        EXPECT_EQ(t.Minute, c.minute) << c.h << ":" << c.m << ":" << c.s;
        EXPECT_NEAR(t.Second, c.second, 1e-9) << c.h << ":" << c.m << ":" << c.s;
        EXPECT_EQ(t.Value, TimeSerial(c.hour, c.minute, std::floor(c.second)))
            << c.h << ":" << c.m << ":" << c.s;
    }
}

TEST(PickerRules, NormalizedTimeStaysInTheDayForAnyInput) {
    const double inputs[] = {9e99, -9e99, std::numeric_limits<double>::infinity(), std::nan("")};
    for (double s : inputs) {
        const ClockTime t = NormalizedTime(32767, -32768, s);
        EXPECT_TRUE(t.Hour >= 0 && t.Hour < 24 && t.Minute >= 0 && t.Minute < 60) << s;
        EXPECT_TRUE(t.Second >= 0 && t.Second < 60) << s;
        EXPECT_TRUE(t.Value >= 0 && t.Value < 1) << s;
    }
}

TEST(PickerRules, SplitTimeOfDayKeepsWholeSecondsOfTheTimePart) {
    struct Case {
        double value;
        int hour, minute, second;
    } cases[] = {{0.5, 12, 0, 0},
                 {TimeSerial(12, 0, 1), 12, 0, 1},
                 {TimeSerial(6, 30, 15.75), 6, 30, 15},
                 {DateSerial(2004, 5, 31) + 0.75, 18, 0, 0},
                 {-1.25, 6, 0, 0},  // OLE dates before 1899-12-30 count the time forward
                 {0.99999999999, 0, 0, 0}};
    for (const Case& c : cases) {
        const auto t = SplitTimeOfDay(c.value);
        ASSERT_TRUE(t) << c.value;
        EXPECT_EQ(t->Hour, c.hour) << c.value;
        EXPECT_EQ(t->Minute, c.minute) << c.value;
        EXPECT_EQ(t->Second, c.second) << c.value;
    }
    EXPECT_FALSE(SplitTimeOfDay(std::nan("")));
}

TEST(PickerRules, AngleFieldsKeepTheirSignAndRanges) {
    EXPECT_EQ(ParseDegreeField("-0").Sign, -1);
    EXPECT_EQ(ParseDegreeField("-0").Degrees, 0);
    EXPECT_EQ(ParseDegreeField("-125").Degrees, 125);
    EXPECT_EQ(ParseDegreeField(" -5").Sign, 1) << "only a minus as first character counts";
    EXPECT_EQ(ParseDegreeField("").Degrees, 0);
    EXPECT_EQ(ParseMinuteField("59.4"), 59);
    EXPECT_EQ(ParseMinuteField("59.5"), 0) << "60 after rounding is out of range";
    EXPECT_EQ(ParseMinuteField("-1"), 0);
    EXPECT_EQ(ParseAngleSecondField("59.99"), 59.99);
    EXPECT_EQ(ParseAngleSecondField("60"), 0);
    EXPECT_EQ(ParseAngleSecondField("-0.1"), 0);
    EXPECT_EQ(FormatDegreeField(0, -1), "-00");
    EXPECT_EQ(FormatDegreeField(7, 0), "07");
    EXPECT_EQ(FormatDegreeField(125, 1), "125");
}

}  // namespace
}  // namespace heliomark
