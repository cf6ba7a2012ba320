#include "app/clock_rules.h"

#include <cmath>

#include "engine/engine.h"

namespace heliomark {

RateReading ReadRate(std::string_view text) {
    const double r = LeadingNumber(text);
    RateReading reading;
    if (r > MaxClockRate) {
        reading.Rate = static_cast<float>(MaxClockRate);
        reading.ShownText = "86000";
    } else if (r < MinClockRate || std::isnan(r)) {
        reading.Rate = static_cast<float>(MinClockRate);
        reading.ShownText = "0.01";
    } else {
        reading.Rate = static_cast<float>(r);
    }
    return reading;
}

float ElapsedSeconds(float secondsSinceMidnight, float& clockBase) {
    float e = secondsSinceMidnight - clockBase;
    if (e < -100.0f) {
        clockBase = clockBase - 86400.0f;
        e = e + 86400.0f;
    }
    return e;
}

double StopRoundedTimeOfDay(int hour, int minute, double seconds) {
    const double t = TimeSerial(hour, minute, std::nearbyint(seconds));
    return t - std::floor(t);
}

}  // namespace heliomark
