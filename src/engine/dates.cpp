// OLE Automation dates (days since 1899-12-30) on the proleptic Gregorian calendar.
#include <cmath>

#include "engine/engine.h"

namespace heliomark {

namespace {
// 1899-12-30 counted from 1970-01-01.
constexpr int64_t OleEpochOffset = 25569;

int64_t FloorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
}  // namespace

// Days from civil (H. Hinnant, "chrono-Compatible Low-Level Date Algorithms"), shifted to the OLE epoch.
int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = FloorDiv(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + OleEpochOffset;
}

void CivilFromDays(int64_t z, int64_t& year, int& month, int& day) {
    z += 719468 - OleEpochOffset;
    const int64_t era = FloorDiv(z, 146097);
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = yoe + era * 400 + (month <= 2);
}

double DateSerial(int year, int month, int day) {
    int64_t y = year + FloorDiv(month - 1, 12);
    const int m = static_cast<int>((month - 1) - FloorDiv(month - 1, 12) * 12) + 1;
    return static_cast<double>(DaysFromCivil(y, m, 1) + (day - 1));
}

double TimeSerial(int hour, int minute, double seconds) {
    return (hour * 3600.0 + minute * 60.0 + seconds) / 86400.0;
}

double OleDatePart(double ole) {
    return std::trunc(ole);
}
double OleTimePart(double ole) {
    return std::fabs(ole - std::trunc(ole));
}

double OleDateTime(double date, double timeOfDay) {
    const double whole = std::floor(timeOfDay);
    const double day = std::trunc(date) + whole;
    const double frac = timeOfDay - whole;
    return day >= 0 ? day + frac : day - frac;
}

namespace {
void Civil(double ole, int64_t& y, int& m, int& d) {
    CivilFromDays(static_cast<int64_t>(OleDatePart(ole)), y, m, d);
}
}  // namespace

int YearOf(double ole) {
    int64_t y;
    int m, d;
    Civil(ole, y, m, d);
    return static_cast<int>(y);
}
int MonthOf(double ole) {
    int64_t y;
    int m, d;
    Civil(ole, y, m, d);
    return m;
}
int DayOf(double ole) {
    int64_t y;
    int m, d;
    Civil(ole, y, m, d);
    return d;
}
int WeekdayOf(double ole) {
    // 1899-12-30 was a Saturday (7).
    const int64_t days = static_cast<int64_t>(OleDatePart(ole));
    return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

std::chrono::sys_days ToSysDays(double ole) {
    return std::chrono::sys_days(std::chrono::days(static_cast<int64_t>(OleDatePart(ole)) - OleEpochOffset));
}
double FromSysDays(std::chrono::sys_days days) {
    return static_cast<double>(days.time_since_epoch().count() + OleEpochOffset);
}

std::string_view CalendarMonthName(int month) {
    static constexpr std::string_view Names[12] = {"January",   "February", "March",    "April",
                                                   "May",       "June",     "July",     "August",
                                                   "September", "October",  "November", "December"};
    if (month < 1 || month > 12) return {};
    return Names[month - 1];
}

bool InDstPeriod(double date, double start, double end) {
    if (start <= end) return start <= date && date < end;
    // Southern-hemisphere rules start late in the year and end early in it.
    return date >= start || date < end;
}

}  // namespace heliomark
