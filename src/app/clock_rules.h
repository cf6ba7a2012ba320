// The arithmetic of the main window's clock modes, kept apart from the window so it can be tested
// on its own. The clock fields are single precision (float) on purpose: the running clock's
// fractions of a second are those of single-precision seconds since midnight.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace heliomark {

inline constexpr double MinClockRate = 0.01;  // simulated seconds (or days) per real second
inline constexpr double MaxClockRate = 86000;

struct RateReading {
    float Rate = 1;
    std::optional<std::string> ShownText;  // the text txtRate must show when the rate was cut
};
// The leading number of the rate box (0 when it does not begin with one), cut to 0.01..86000.
RateReading ReadRate(std::string_view text);

// Real seconds since `clockBase` (seconds since midnight). When the computer's clock has passed
// midnight since the base was taken (the difference is below -100 s), the base moves back a day so
// the elapsed time stays continuous; small negative differences are used as they are.
float ElapsedSeconds(float secondsSinceMidnight, float& clockBase);

// The time of day (fraction of a day) a stopped clock is left on: the seconds rounded half to even
// to a whole number, 60 carrying into the next minute (and 24:00 wrapping to 00:00).
double StopRoundedTimeOfDay(int hour, int minute, double seconds);

}  // namespace heliomark
