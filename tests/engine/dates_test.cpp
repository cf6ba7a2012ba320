// OLE dates with date-serial carries.
#include <gtest/gtest.h>

#include "engine/engine.h"

using namespace heliomark;

TEST(Dates, DateSerialCarriesMonthsAndDays) {
    struct Case {
        int y, m, d;
        int ey, em, ed;
    } cases[] = {
        {2024, 3, 0, 2024, 2, 29},   {2023, 3, 0, 2023, 2, 28},  {2024, 13, 1, 2025, 1, 1},
        {2024, 0, 15, 2023, 12, 15}, {2024, -1, 1, 2023, 11, 1}, {2024, 1, 32, 2024, 2, 1},
        {2024, 12, 32, 2025, 1, 1},  {1900, 2, 29, 1900, 3, 1},  {2000, 2, 29, 2000, 2, 29},
        {2024, 1, -1, 2023, 12, 30}, {100, 1, 1, 100, 1, 1},     {9999, 12, 31, 9999, 12, 31},
    };
    for (const auto& c : cases) {
        const double d = DateSerial(c.y, c.m, c.d);
        EXPECT_EQ(YearOf(d), c.ey) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(MonthOf(d), c.em) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(DayOf(d), c.ed) << c.y << "-" << c.m << "-" << c.d;
    }
    EXPECT_EQ(DateSerial(1899, 12, 30), 0);
    EXPECT_EQ(DateSerial(2000, 1, 1), 36526);
}

TEST(Dates, WeekdaysAndChronoConversions) {
    EXPECT_EQ(WeekdayOf(DateSerial(1899, 12, 30)), 7);  // Saturday
    EXPECT_EQ(WeekdayOf(DateSerial(2024, 3, 31)), 1);   // Sunday
    EXPECT_EQ(WeekdayOf(DateSerial(1066, 10, 14)), 1);  // proleptic Gregorian
    using namespace std::chrono;
    EXPECT_EQ(ToSysDays(DateSerial(1970, 1, 1)), sys_days(year(1970) / January / 1));
    EXPECT_EQ(FromSysDays(sys_days(year(2024) / June / 21)), DateSerial(2024, 6, 21));
}

TEST(Dates, DateTimesBeforeTheEpochFollowTheOleRule) {
    const double t = OleDateTime(DateSerial(1899, 12, 29), TimeSerial(6, 0, 0));
    EXPECT_EQ(t, -1.25);
    EXPECT_EQ(DayOf(t), 29);
    EXPECT_EQ(OleTimePart(t), 0.25);
    EXPECT_EQ(OleDateTime(DateSerial(2024, 1, 1), TimeSerial(24, 0, 0)), DateSerial(2024, 1, 2));
    EXPECT_EQ(OleDatePart(OleDateTime(DateSerial(2024, 1, 1), 0.75)), DateSerial(2024, 1, 1));
}

TEST(Dates, DaylightSavingPeriodIsHalfOpenAndWrapsTheYear) {
    const double s = DateSerial(2024, 3, 31), e = DateSerial(2024, 10, 27);
    EXPECT_TRUE(InDstPeriod(s, s, e));
    EXPECT_TRUE(InDstPeriod(e - 1, s, e));
    EXPECT_FALSE(InDstPeriod(e, s, e));
    EXPECT_FALSE(InDstPeriod(s - 1, s, e));
    // Southern hemisphere: October to April.
    const double so = DateSerial(2024, 10, 6), eo = DateSerial(2024, 4, 7);
    EXPECT_TRUE(InDstPeriod(DateSerial(2024, 1, 15), so, eo));
    EXPECT_TRUE(InDstPeriod(so, so, eo));
    EXPECT_TRUE(InDstPeriod(DateSerial(2024, 12, 31), so, eo));
    EXPECT_FALSE(InDstPeriod(eo, so, eo));
    EXPECT_FALSE(InDstPeriod(DateSerial(2024, 6, 1), so, eo));
}
