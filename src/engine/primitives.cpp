// Angle primitives, the angle/time display texts and the locale-independent number texts.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "engine/engine.h"

namespace heliomark {

double RadToDeg(double x) {
    return x * 180 / Pi;
}
double DegToRad(double x) {
    return x * Pi / 180;
}

double ArcSin(double x) {
    if (x >= 1) return HalfPi;
    if (x <= -1) return -HalfPi;
    return std::atan(x / std::sqrt(1 - x * x));
}

double ArcTan2(double x, double y) {
    if (x == 0) return y >= 0 ? HalfPi : -HalfPi;
    if (x < 0) return std::atan(y / x) + Pi;
    return std::atan(y / x);
}

double FloorMod(double a, double b) {
    return a - std::floor(a / b) * b;
}

Dms SplitDMS(double angle) {
    Dms r;
    r.Sign = 1;
    if (angle < 0) {
        r.Sign = -1;
        angle = -angle;
    }
    const double deg = std::floor(angle);
    const double x = (angle - deg) * 60;
    const double min = std::floor(x);
    double sec = std::nearbyint((x - min) * 60 * 1000) / 1000;
    // Fields are 16-bit; a nonsense angle saturates instead of overflowing the conversion.
    int degrees = static_cast<int>(std::clamp(deg, 0.0, 32767.0));
    int minutes = static_cast<int>(std::clamp(min, 0.0, 59.0));
    if (sec == 60.0) {
        sec = 0;
        if (++minutes == 60) {
            minutes = 0;
            ++degrees;
        }
    }
    r.Degrees = static_cast<int16_t>(degrees);
    r.Minutes = static_cast<int16_t>(minutes);
    r.Seconds = sec;
    return r;
}

double FromDMS(int16_t deg, int16_t min, double sec, int16_t sign) {
    return (deg + min / 60.0 + sec / 3600) * sign;
}

namespace {

std::string ToShortestFixed(double value) {
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return std::string(buf, res.ptr);
}

std::string IntText(long long v) {
    return std::to_string(v);
}

}  // namespace

std::string FormatFixed(double value, int decimals) {
    // Round the shortest decimal form of the value, so that 23.4395 (which the double holds as
    // 23.43949999...) shows as 23.440, as a reader of the number expects.
    std::string s = ToShortestFixed(value);
    bool negative = false;
    if (!s.empty() && s[0] == '-') {
        negative = true;
        s.erase(0, 1);
    }
    std::string intPart = s, frac;
    if (auto dot = s.find('.'); dot != std::string::npos) {
        intPart = s.substr(0, dot);
        frac = s.substr(dot + 1);
    }
    bool roundUp = frac.size() > static_cast<std::size_t>(decimals) && frac[decimals] >= '5';
    frac.resize(decimals, '0');
    std::string digits = intPart + frac;
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0) {
            if (digits[i] == '9') {
                digits[i] = '0';
                --i;
            } else {
                ++digits[i];
                break;
            }
        }
        if (i < 0) digits.insert(digits.begin(), '1');
    }
    std::string out = negative ? "-" : "";
    const std::size_t intLen = digits.size() - decimals;
    out += digits.substr(0, intLen);
    if (decimals > 0) {
        out += '.';
        out.append(digits, intLen);
    }
    return out;
}

std::string FormatPadded(long long value, int width) {
    std::string digits = IntText(value < 0 ? -value : value);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

std::string FormatGeneral(double value) {
    if (value == 0) return "0";
    const double mag = std::fabs(value);
    char buf[400];
    auto fmt = (mag >= 1e-4 && mag < 1e15) ? std::chars_format::fixed : std::chars_format::scientific;
    auto res = std::to_chars(buf, buf + sizeof buf, value, fmt);
    return std::string(buf, res.ptr);
}

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::string num;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) num += text[i++];
    bool digits = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        num += text[i++];
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        num += text[i++];
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            num += text[i++];
            digits = true;
        }
    }
    if (!digits) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exp = "e";
        if (j < text.size() && (text[j] == '-' || text[j] == '+')) exp += text[j++];
        bool expDigits = false;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
            exp += text[j++];
            expDigits = true;
        }
        if (expDigits) num += exp;
    }
    double v = std::strtod(num.c_str(), nullptr);
    if (!std::isfinite(v)) return 0;
    return v;
}

std::string FormatAngle(double degrees, bool useDMS) {
    // Zero has no sign. A negative zero comes from a magnitude of 0 with the south or west
    // hemisphere (0 x -1); it is still the equator or the prime meridian. A negative value that
    // merely rounds to zero keeps its "-".
    if (degrees == 0) degrees = 0.0;
    if (!useDMS) return FormatFixed(degrees, 3) + "°";
    const Dms d = SplitDMS(degrees);
    int deg = d.Degrees, min = d.Minutes;
    long long sec = std::llrint(d.Seconds);  // half to even
    // A rounded 60 carries instead of showing a sexagesimal "60".
    if (sec == 60) {
        sec = 0;
        if (++min == 60) {
            min = 0;
            ++deg;
        }
    }
    std::string out = d.Sign == -1 ? "-" : "";
    out += IntText(deg) + "° " + IntText(min) + "' " + IntText(sec) + "''";
    return out;
}

std::string FormatRA(double ra) {
    const double h = ra / Pi * 12;
    long long hours = static_cast<long long>(std::floor(h));
    const double m = (h - std::floor(h)) * 60;
    long long minutes = static_cast<long long>(std::floor(m));
    double s = std::nearbyint((m - std::floor(m)) * 60 * 10) / 10;
    if (s >= 60) {
        s = 0;
        if (++minutes == 60) {
            minutes = 0;
            ++hours;
        }
    }
    return IntText(hours) + "h" + IntText(minutes) + "m" + FormatGeneral(s) + "s";
}

std::string FormatClockTime(double dayNumber, int32_t showSeconds) {
    if (dayNumber == NoValue) return "-";
    const double f = dayNumber - std::floor(dayNumber);
    const double h = f * 24;
    long long hours = static_cast<long long>(std::floor(h));
    const double m = (h - std::floor(h)) * 60;
    if (showSeconds != 0) {
        long long minutes = static_cast<long long>(std::floor(m));
        long long seconds = static_cast<long long>(std::round((m - std::floor(m)) * 60));
        if (seconds == 60) {
            seconds = 0;
            ++minutes;
        }
        if (minutes == 60) {
            minutes = 0;
            ++hours;
        }
        return FormatPadded(hours, 2) + ":" + FormatPadded(minutes, 2) + ":" + FormatPadded(seconds, 2);
    }
    long long minutes = static_cast<long long>(std::round(m));
    if (minutes == 60) {
        minutes = 0;
        ++hours;
    }
    return FormatPadded(hours, 2) + ":" + FormatPadded(minutes, 2);
}

std::string DaySuffix(double transitDay, double eventDay) {
    if (eventDay == NoValue) return "";
    const double e = std::floor(eventDay), t = std::floor(transitDay);
    if (e == t) return "";
    return e < t ? " Y" : " T";
}

DataFileError::DataFileError(std::filesystem::path file, const std::string& problem)
    : std::runtime_error(file.string() + ": " + problem), File(std::move(file)), Problem(problem) {}

}  // namespace heliomark
