// The arithmetic behind the date, time and angle pickers: what a typed field stands for, the text a
// spin writes into a field, and the carry rules that turn three fields into one date or time of
// day. Plain C++ (no windowing code) so that the rules are tested apart from the widgets.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace heliomark {

// The leading number of a field's text (0 when there is none or when it does not fit a double, as
// a typed "9e999" would not).
double FieldNumber(std::string_view text);
// The leading number rounded half to even to a whole number and saturated to 16 bits, the range of
// every whole-number field ("1e9" in a four-character year field must not overflow).
int FieldWholeNumber(std::string_view text);
// The text a spin step writes into a field: its leading number plus the step in general number form
// ("59" + 1 -> "60", "-00" + 1 -> "1", "04.356" + 1 -> "5.356").
std::string SpinFieldText(std::string_view text, int step);
// A number with `decimals` fixed decimals and at least two integer digits: the "00.000" and "00.0"
// seconds formats.
std::string FormatTwoDigitFixed(double value, int decimals);

// ---------------------------------------------------------------- dates
// The supported years: OLE dates exist from 1 January 100 to 31 December 9999.
inline constexpr int MinPickerYear = 100;
inline constexpr int MaxPickerYear = 9999;

struct CalendarDate {
    int Year = 0, Month = 0, Day = 0;
    double Value = 0;  // OLE date (days since 1899-12-30), whole days
};
// Year, month and day with carry (month 13 is January of the next year, day 0 the last day of the
// previous month) on the Gregorian calendar. Years 0..29 mean 2000..2029 and 30..99 mean 1930..1999.
// No value when the year, before or after the carry, falls outside 100..9999.
std::optional<CalendarDate> NormalizedDate(int year, int month, int day);
// True when an OLE date lies between 1 January 100 and the end of 31 December 9999.
bool IsPickerDate(double oleDate);

// ---------------------------------------------------------------- times of day
struct ClockTime {
    int Hour = 0, Minute = 0;
    double Second = 0;  // whole seconds plus the fraction of the input
    double Value = 0;   // time of day as a fraction of a day, whole seconds only
};
// Hour, minute and seconds with carry: seconds outside 0..59 move whole minutes, minutes outside
// 0..59 move whole hours, and the total wraps around midnight (00:00:00 minus one minute is
// 23:59:00). The fraction of a second rides along untouched.
ClockTime NormalizedTime(int hour, int minute, double seconds);
// Hour, minute and whole second of a time of day (OLE date-time; only its time part counts); the
// fraction of a second is dropped. No value for a non-finite input.
std::optional<ClockTime> SplitTimeOfDay(double oleTime);

// ---------------------------------------------------------------- angle fields
struct DegreeField {
    int Degrees = 0;  // magnitude, >= 0
    int Sign = 1;     // -1 when the text begins with "-", else 1
};
// The degree field: the sign is read from the first character so that "-00" stays negative.
DegreeField ParseDegreeField(std::string_view text);
// The minute field: the leading number rounded half to even; anything outside 0..59 becomes 0.
int ParseMinuteField(std::string_view text);
// The seconds field: the leading number; anything outside [0, 60) becomes 0.
double ParseAngleSecondField(std::string_view text);
// "-" for sign -1 (any other sign shows none), then the degrees with at least two digits.
std::string FormatDegreeField(int degrees, int sign);

}  // namespace heliomark
