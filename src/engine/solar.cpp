// The Sun's position and the day's events.
//
// Low-precision solar coordinates (Meeus, "Astronomical Algorithms", 2nd ed., ch. 25, and the
// Astronomical Almanac's short series), mean sidereal time (Meeus eq. 12.4), and rise/set/twilight
// times from the hour angle at a fixed altitude, refined once with the Sun's position at the first
// estimate. The constants are the model's and are kept even where textbooks differ slightly.
#include <cmath>

#include "engine/engine.h"

namespace heliomark {

double JulianDay(int year, int month, int day, int hour, int minute, double seconds) {
    if (month < 3) {
        year -= 1;
        month += 12;
    }
    const double a = std::floor((month + 1) * 30.6001);
    // -15 + 1720996.5 fixes the Gregorian correction at its 1900-2100 value (no century term).
    return std::floor(year * 365.25) + a - 15 + 1720996.5 + day + hour / 24.0 + minute / 1440.0 +
           seconds / 86400.0;
}

double SunLongitude(double jd) {
    const double T = (jd - 2451545.0) / 36525.0;
    const double M = 357.5291 + 35999.0503 * T - 0.0001559 * std::pow(T, 2) - 0.00000048 * std::pow(T, 3);
    const double L0 = 280.457117 + 36000.76983 * T + 0.0003032 * std::pow(T, 2);
    const double k = Pi / 180;
    const double C = (1.9146 - 0.004817 * T - 0.000014 * std::pow(T, 2)) * std::sin(M * k) +
                     (0.019993 - 0.000101 * T) * std::sin(2 * M * k) + 0.00029 * std::sin(3 * M * k);
    return (L0 + C) * Pi / 180;
}

Equatorial EclipticToEquatorial(double lambda) {
    const double c = std::cos(lambda);
    // Opposite the equinox the half-angle form would divide by zero.
    if (c == -1) return {0, Pi};
    const double y = std::sin(lambda) * std::cos(Obliquity);
    const double z = std::sin(lambda) * std::sin(Obliquity);
    const double r = std::sqrt(1 - std::pow(z, 2));
    return {std::atan(z / r), 2 * std::atan(y / (c + r))};
}

double SiderealTime(double jd) {
    const double T = (jd - 2451545.0) / 36525.0;
    return 280.46061837 + 360.98564736629 * (jd - 2451545.0) + 0.000387933 * std::pow(T, 2) -
           std::pow(T, 3) / 38710000;
}

SolarState SolarStateFor(double latitudeDeg, double longitudeDeg, int year, int month, int day,
                         double zoneHours) {
    SolarState s;
    s.Latitude = DegToRad(latitudeDeg);
    s.Longitude = longitudeDeg;
    s.Year = static_cast<int16_t>(year);
    s.Month = static_cast<int16_t>(month);
    s.Day = static_cast<int16_t>(day);
    s.ZoneHours = zoneHours;
    return s;
}

SkyPosition SunPositionAtJulianDay(const SolarState& s, double jd) {
    const Equatorial eq = EclipticToEquatorial(SunLongitude(jd));
    const double dec = eq.Declination, ra = eq.RightAscension;
    const double lst = s.Longitude + FloorMod(SiderealTime(jd), 360);
    const double H = DegToRad(lst) - ra;
    const double lat = s.Latitude;
    SkyPosition p;
    p.RightAscension = ra;
    p.Altitude = ArcSin(std::cos(lat) * std::cos(H) * std::cos(dec) + std::sin(dec) * std::sin(lat));
    const double x = std::cos(H) * std::cos(dec) * std::sin(lat) - std::cos(lat) * std::sin(dec);
    const double y = std::sin(H) * std::cos(dec);
    p.Azimuth = ArcTan2(x, y) + Pi;
    return p;
}

void ComputeCurrentPosition(SolarState& s, int hour, int minute, double seconds) {
    const double jd = JulianDay(s.Year, s.Month, s.Day, hour, minute, seconds) - s.ZoneHours / 24;
    const SkyPosition p = SunPositionAtJulianDay(s, jd);
    s.RightAscension = p.RightAscension;
    s.Altitude = p.Altitude;
    s.Azimuth = p.Azimuth;
}

double EventHourAngle(double lat, double dec, double h) {
    const double c = (std::sin(h) - std::sin(lat) * std::sin(dec)) / (std::cos(lat) * std::cos(dec));
    if (-1 <= c && c <= 1) return HalfPi - ArcSin(c);
    return c > 1 ? 99 : -99;
}

namespace {

// Hour angle (degrees, (-180, 180]) at jdNoon, estimated from the Sun's position at `when`.
struct Refined {
    double HourAngle;  // H of the event at the refined declination, or +-99
    double NoonHourAngle;
};

Refined Refine(const SolarState& s, double jdNoon, double when, double h) {
    const Equatorial eq = EclipticToEquatorial(SunLongitude(when));
    const double g = FloorMod(SiderealTime(when), 360);
    double hn = FloorMod(s.Longitude + g - RadToDeg(eq.RightAscension) - (when - jdNoon) * 360, 360);
    if (hn > 180) hn = hn - 360;
    return {EventHourAngle(s.Latitude, eq.Declination, h), hn};
}

}  // namespace

EventPair ComputeEventPair(const SolarState& s, double jdNoon, double dec, double hNoon, double h,
                           int16_t& polarFlag) {
    EventPair out;
    // At a pole every direction is south (or north): no event, and the polar mark stays as it was.
    if (std::fabs(s.Latitude) == HalfPi) return out;

    double H0 = EventHourAngle(s.Latitude, dec, h);
    if (H0 == -99) H0 = 3.04159265358979;  // pi - 0.1: refine from near midnight
    if (H0 == 99) H0 = 0.1;                // refine from near noon
    const double beginEst = jdNoon - RadToDeg(H0) / 360 - hNoon / 360;
    const double endEst = jdNoon + RadToDeg(H0) / 360 - hNoon / 360;

    const Refined b = Refine(s, jdNoon, beginEst, h);
    if (std::fabs(b.HourAngle) != 99) {
        polarFlag = 0;
        out.Begin = jdNoon - RadToDeg(b.HourAngle) / 360 - b.NoonHourAngle / 360 + s.ZoneHours / 24 + 0.5;
    } else {
        out.Begin = NoValue;
        polarFlag = b.HourAngle == -99 ? 1 : -1;
    }

    const Refined e = Refine(s, jdNoon, endEst, h);
    if (std::fabs(e.HourAngle) != 99) {
        // A polar mark set by the beginning stays.
        out.End = jdNoon + RadToDeg(e.HourAngle) / 360 - e.NoonHourAngle / 360 + s.ZoneHours / 24 + 0.5;
    } else {
        out.End = NoValue;
        polarFlag = e.HourAngle == -99 ? 1 : -1;
    }
    return out;
}

LocalNoon ComputeLocalNoon(const SolarState& s) {
    LocalNoon n;
    const double jd0 = JulianDay(s.Year, s.Month, s.Day, 12, 0, 0);
    n.JulianDay = jd0 - s.Longitude / 360;  // UT of local mean noon
    const Equatorial eq = EclipticToEquatorial(SunLongitude(n.JulianDay));
    n.Declination = eq.Declination;
    n.RightAscension = eq.RightAscension;
    const double g = FloorMod(SiderealTime(n.JulianDay), 360);
    n.HourAngle = FloorMod(s.Longitude + g - RadToDeg(n.RightAscension), 360);
    if (n.HourAngle > 180) n.HourAngle = n.HourAngle - 360;
    return n;
}

void ComputeDayEvents(SolarState& s, bool withTwilights) {
    const LocalNoon noon = ComputeLocalNoon(s);
    const double jdNoon = noon.JulianDay, dec = noon.Declination, hNoon = noon.HourAngle;
    s.RightAscension = FloorMod(noon.RightAscension, TwoPi);
    s.Declination = dec;
    s.Transit = jdNoon + s.ZoneHours / 24 - hNoon / 360 + 0.5;
    s.MaxAltitude = 1.5707963267949 - std::fabs(s.Latitude - dec);

    const EventPair rs = ComputeEventPair(s, jdNoon, dec, hNoon, s.RiseSetAltitude, s.PolarScratch);
    s.Sunrise = rs.Begin;
    s.Sunset = rs.End;
    s.PolarState = s.PolarScratch;

    if (!withTwilights) return;
    const EventPair civil = ComputeEventPair(s, jdNoon, dec, hNoon, -DegToRad(6), s.PolarScratch);
    const EventPair nautical = ComputeEventPair(s, jdNoon, dec, hNoon, -DegToRad(12), s.PolarScratch);
    const EventPair astro = ComputeEventPair(s, jdNoon, dec, hNoon, -DegToRad(18), s.PolarScratch);
    s.CivilBegin = civil.Begin;
    s.CivilEnd = civil.End;
    s.NauticalBegin = nautical.Begin;
    s.NauticalEnd = nautical.End;
    s.AstroBegin = astro.Begin;
    s.AstroEnd = astro.End;
}

}  // namespace heliomark
