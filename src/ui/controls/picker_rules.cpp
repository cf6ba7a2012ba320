#include "ui/controls/picker_rules.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/engine.h"

namespace heliomark {

double FieldNumber(std::string_view text) {
    const double v = LeadingNumber(text);
    return std::isfinite(v) ? v : 0.0;
}

int FieldWholeNumber(std::string_view text) {
    const double v = std::nearbyint(FieldNumber(text));  // half to even
    constexpr double lo = std::numeric_limits<int16_t>::min(), hi = std::numeric_limits<int16_t>::max();
    if (v < lo) return static_cast<int>(lo);
    if (v > hi) return static_cast<int>(hi);
    return static_cast<int>(v);
}

std::string SpinFieldText(std::string_view text, int step) {
    return FormatGeneral(FieldNumber(text) + step);
}

std::string FormatTwoDigitFixed(double value, int decimals) {
    std::string s = FormatFixed(value, decimals);
    const std::size_t digitsStart = (!s.empty() && s[0] == '-') ? 1 : 0;
    std::size_t intEnd = s.find('.');
    if (intEnd == std::string::npos) intEnd = s.size();
    if (intEnd - digitsStart < 2) s.insert(digitsStart, 2 - (intEnd - digitsStart), '0');
    return s;
}

std::optional<CalendarDate> NormalizedDate(int year, int month, int day) {
    // Two-digit years, as the classic date functions read them.
    if (year >= 0 && year <= 29) {
        year += 2000;
    } else if (year >= 30 && year <= 99) {
        year += 1900;
    }
    if (year < MinPickerYear || year > MaxPickerYear) return std::nullopt;
    const double value = DateSerial(year, month, day);
    if (!IsPickerDate(value)) return std::nullopt;
    return CalendarDate{YearOf(value), MonthOf(value), DayOf(value), value};
}

bool IsPickerDate(double oleDate) {
    static const double first = DateSerial(MinPickerYear, 1, 1);
    static const double afterLast = DateSerial(MaxPickerYear + 1, 1, 1);
    return oleDate >= first && oleDate < afterLast;  // false for NaN
}

namespace {
ClockTime FromSecondOfDay(int64_t secondOfDay) {
    ClockTime t;
    t.Hour = static_cast<int>(secondOfDay / 3600);
    t.Minute = static_cast<int>(secondOfDay / 60 % 60);
    t.Second = static_cast<double>(secondOfDay % 60);
    t.Value = TimeSerial(t.Hour, t.Minute, t.Second);
    return t;
}
}  // namespace

ClockTime NormalizedTime(int hour, int minute, double seconds) {
    const double whole = std::floor(seconds);
    double fraction = seconds - whole;
    if (!std::isfinite(fraction)) fraction = 0;
    if (hour < 0) hour += 24;
    // The whole seconds may be huge (a typed "9e99"); reduce in floating point, where every value
    // that can be typed exactly stays exact, and refuse what is not a number.
    double total = FloorMod(hour * 3600.0 + minute * 60.0 + whole, 86400.0);
    if (!(total >= 0 && total < 86400)) total = 0;
    ClockTime t = FromSecondOfDay(static_cast<int64_t>(total));
    t.Second += fraction;
    return t;
}

std::optional<ClockTime> SplitTimeOfDay(double oleTime) {
    if (!std::isfinite(oleTime)) return std::nullopt;
    // Counted in milliseconds first so that a time stored as 12:00:01 does not read back as
    // 12:00:00.9999999 and lose its second.
    int64_t ms = std::llround(OleTimePart(oleTime) * 86400000.0);
    int64_t second = ms / 1000;
    if (second >= 86400) second -= 86400;
    return FromSecondOfDay(second);
}

DegreeField ParseDegreeField(std::string_view text) {
    DegreeField f;
    f.Sign = (!text.empty() && text[0] == '-') ? -1 : 1;
    f.Degrees = std::abs(FieldWholeNumber(text));
    return f;
}

int ParseMinuteField(std::string_view text) {
    const int m = FieldWholeNumber(text);
    return (m < 0 || m >= 60) ? 0 : m;
}

double ParseAngleSecondField(std::string_view text) {
    const double s = FieldNumber(text);
    return (s < 0 || s >= 60) ? 0.0 : s;
}

std::string FormatDegreeField(int degrees, int sign) {
    std::string text = sign == -1 ? "-" : "";
    text += FormatPadded(degrees, 2);
    return text;
}

}  // namespace heliomark
