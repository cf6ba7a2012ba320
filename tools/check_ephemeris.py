#!/usr/bin/env python3
"""Compares the engine's sunrise, sunset and twilights with PyEphem (Debian: python3-ephem),
a high-precision ephemeris (VSOP87 via libastro), and prints the mean, RMS and maximum differences
in seconds. The model is a low-precision one: expect about a minute at moderate latitudes and no
systematic offset.

Usage: tools/check_ephemeris.py BUILD_DIR   (needs BUILD_DIR/tools/sun_events)
       tools/check_ephemeris.py --table FILE   writes the reference table the engine tests read
                                               (tests/engine/ephemeris_reference.csv)
       tools/check_ephemeris.py --write-reference FILE

With --write-reference FILE it writes the Sun Events reference table the engine tests read
(tests/engine/sun_events_reference.txt): PyEphem's own values for random places and dates with
|latitude| <= 60, away from grazing crossings, independent of the engine:
    cross   lat lon year month day altitude_deg morning_jd evening_jd
            the Sun's centre at a geometric altitude (no refraction), rising and setting around
            local mean noon; "-" where it stays above or below that altitude all day
    azimuth lat lon year month day sunrise_jd sunset_jd sunrise_az sunset_az
            sunrise and sunset (centre at -0:50, no refraction) with the Sun's azimuth then
    shadow  lat lon year month day hour minute azimuth apparent_altitude
            the Sun's azimuth and its altitude after refraction (1010 mbar, 10 °C) at a UT time
Julian days are UT; angles are degrees.
"""
import math
import random
import subprocess
import sys

import ephem


# The reference table: places on every continent and both hemispheres, dates from 1960 to 2045
# (equinoxes, solstices and days between), the zone each place keeps in winter.
PLACES = [
    ("London", 51.5074, -0.1278, 0), ("Paris", 48.8566, 2.3522, 1), ("New York", 40.7128, -74.0060, -5),
    ("Los Angeles", 34.0522, -118.2437, -8), ("Quito", -0.1807, -78.4678, -5),
    ("Buenos Aires", -34.6037, -58.3816, -3), ("Cape Town", -33.9249, 18.4241, 2),
    ("Delhi", 28.6139, 77.2090, 5.5), ("Kathmandu", 27.7172, 85.3240, 5.75), ("Tokyo", 35.6762, 139.6503, 9),
    ("Sydney", -33.8688, 151.2093, 10), ("Reykjavik", 64.1466, -21.9426, 0), ("Tromso", 69.6492, 18.9553, 1),
]
DATES = [(1960, 3, 20), (1975, 6, 21), (1990, 9, 23), (2005, 12, 21), (2024, 2, 10), (2024, 6, 21),
         (2031, 8, 5), (2045, 11, 15)]
# Polar day and night, and a night without a dark sky, where the engine must find no event either.
POLAR = [("Tromso", 69.6492, 18.9553, 1, (2024, 6, 21)), ("Tromso", 69.6492, 18.9553, 1, (2024, 12, 21)),
         ("Longyearbyen", 78.2232, 15.6267, 1, (2024, 12, 21)),
         ("Ushuaia", -54.8019, -68.3030, -3, (2024, 12, 21))]
# (column, horizon, rising); transit is found separately.
EVENTS = [("sunrise", "-0:50", True), ("sunset", "-0:50", False), ("civil begin", "-6", True),
          ("civil end", "-6", False), ("nautical begin", "-12", True), ("nautical end", "-12", False)]


def clock(t, zone):
    """Local clock time hh:mm:ss of an ephem date in a zone (hours east of Greenwich)."""
    seconds = round(((float(t) + 0.5 + zone / 24.0) % 1.0) * 86400) % 86400
    return "%02d:%02d:%02d" % (seconds // 3600, seconds // 60 % 60, seconds % 60)


def write_table(path):
    rows = []
    cases = [(p, d) for i, p in enumerate(PLACES) for d in DATES[i % 2::2]] + [(p[:4], p[4]) for p in POLAR]
    for (name, lat, lon, zone), (year, month, day) in cases:
        obs = ephem.Observer()
        obs.lat, obs.lon = str(lat), str(lon)
        obs.pressure = 0
        obs.elevation = 0
        noon_ut = ephem.Date("%d/%d/%d 12:00" % (year, month, day)) - lon / 360.0
        sun = ephem.Sun()
        obs.date = noon_ut - 0.5
        values = [clock(obs.next_transit(sun), zone)]
        for _, horizon, rising in EVENTS:
            obs.horizon = horizon
            obs.date = noon_ut
            try:
                t = obs.previous_rising(sun, use_center=True) if rising else \
                    obs.next_setting(sun, use_center=True)
                values.append(clock(t, zone))
            except (ephem.AlwaysUpError, ephem.NeverUpError):
                values.append("-")
        rows.append("%s,%.4f,%.4f,%d-%02d-%02d,%g,%s" % (name, lat, lon, year, month, day, zone,
                                                        ",".join(values)))
    with open(path, "w", newline="\n") as out:
        out.write("# Reference times of the Sun's day events from PyEphem %s (VSOP87), made by\n"
                  % ephem.__version__)
        out.write("# tools/check_ephemeris.py --table. Local clock times in the zone given (hours east of\n")
        out.write("# Greenwich, no daylight saving); '-' where the event does not happen that day. Rise and\n")
        out.write("# set at -0.833 degrees, twilights at -6 and -12 degrees, the Sun's centre, no refraction.\n")
        out.write("place,latitude,longitude,date,zone,transit,sunrise,sunset,civil begin,civil end,"
                  "nautical begin,nautical end\n")
        out.write("".join(r + "\n" for r in rows))


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--table":
        write_table(sys.argv[2])
        return
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    rng = random.Random(20241206)
    cases = []
    for _ in range(3000):
        lat = rng.uniform(-60, 60)
        lon = rng.uniform(-180, 180)
        year = rng.randint(1950, 2050)
        month = rng.randint(1, 12)
        day = rng.randint(1, 28)
        cases.append((lat, lon, year, month, day))
    text = "".join("%.6f %.6f %d %d %d\n" % c for c in cases)
    out = subprocess.run([build + "/tools/sun_events"], input=text, capture_output=True, text=True,
                         check=True).stdout.splitlines()
    names = ["sunrise", "sunset", "civil begin", "civil end", "astro begin", "astro end"]
    horizons = ["-0:50", "-0:50", "-6", "-6", "-18", "-18"]
    diffs = {n: [] for n in names}
    for (lat, lon, year, month, day), line in zip(cases, out):
        values = line.split()
        obs = ephem.Observer()
        obs.lat, obs.lon = str(lat), str(lon)
        obs.pressure = 0  # the engine's -0.833° already includes refraction and the Sun's radius
        obs.elevation = 0
        # Local mean noon of that date, the engine's starting point.
        noon_ut = ephem.Date("%d/%d/%d 12:00" % (year, month, day)) - lon / 360.0
        sun = ephem.Sun()
        for i, name in enumerate(names):
            if values[i] == "-":
                continue
            obs.horizon = horizons[i]
            obs.date = noon_ut
            try:
                if i % 2 == 0:
                    t = obs.previous_rising(sun, use_center=True)
                else:
                    t = obs.next_setting(sun, use_center=True)
            except (ephem.AlwaysUpError, ephem.NeverUpError):
                continue
            jd = float(t) + 2415020.0  # ephem dates count from 1899-12-31 12:00 UT
            diffs[name].append((float(values[i]) - jd) * 86400)
    for name in names:
        d = diffs[name]
        mean = sum(d) / len(d)
        rms = math.sqrt(sum(x * x for x in d) / len(d))
        print("%-12s n=%4d mean %+6.1f s  rms %5.1f s  max %6.1f s" % (name, len(d), mean, rms,
                                                                       max(abs(x) for x in d)))


GRAZING_DEG = 3.0  # crossings this close to the day's highest or lowest altitude are left out


def noon_ut(lon, year, month, day):
    return ephem.Date("%d/%d/%d 12:00" % (year, month, day)) - lon / 360.0


def observer(lat, lon, pressure):
    obs = ephem.Observer()
    obs.lat, obs.lon = str(lat), str(lon)
    obs.elevation = 0
    obs.pressure = pressure
    obs.temp = 10
    return obs


def extreme_altitudes(lat, noon):
    """The Sun's highest and lowest altitude that day, from its declination at local noon."""
    dec = math.degrees(float(ephem.Sun(noon).dec))
    return 90 - abs(lat - dec), -90 + abs(lat + dec)


def crossings(lat, lon, date, altitude):
    noon = noon_ut(lon, *date)
    obs = observer(lat, lon, 0)
    obs.horizon = str(altitude)
    sun = ephem.Sun()
    out = []
    for search in (obs.previous_rising, obs.next_setting):
        obs.date = noon
        try:
            out.append(float(search(sun, use_center=True)) + 2415020.0)
        except (ephem.AlwaysUpError, ephem.NeverUpError):
            out.append(None)
    return out


def jd_text(jd):
    return "-" if jd is None else "%.6f" % jd


def random_place(rng):
    return (rng.uniform(-60, 60), rng.uniform(-180, 180),
            (rng.randint(1970, 2050), rng.randint(1, 12), rng.randint(1, 28)))


def write_reference(path):
    rng = random.Random(20250301)
    lines = ["# Sun events from PyEphem %s, written by tools/check_ephemeris.py --write-reference"
             % ephem.__version__]
    fixed = [-6.0, -4.0, 6.0]
    n = 0
    while n < 160:
        lat, lon, date = random_place(rng)
        altitude = fixed[n % 4] if n % 4 < 3 else round(rng.uniform(-18, 60), 2)
        high, low = extreme_altitudes(lat, noon_ut(lon, *date))
        if abs(altitude - high) < GRAZING_DEG or abs(altitude - low) < GRAZING_DEG:
            continue
        morning, evening = crossings(lat, lon, date, altitude)
        if (morning is None) != (low < altitude < high):
            lines.append("cross %.4f %.4f %d %d %d %.2f %s %s" % (lat, lon, *date, altitude,
                                                                  jd_text(morning), jd_text(evening)))
            n += 1
    n = 0
    while n < 60:
        lat, lon, date = random_place(rng)
        high, low = extreme_altitudes(lat, noon_ut(lon, *date))
        if not low + GRAZING_DEG < -50 / 60.0 < high - GRAZING_DEG:
            continue
        obs = observer(lat, lon, 0)
        obs.horizon = "-0:50"
        sun = ephem.Sun()
        times, azimuths = [], []
        for search in (obs.previous_rising, obs.next_setting):
            obs.date = noon_ut(lon, *date)
            t = search(sun, use_center=True)
            obs.date = t
            sun.compute(obs)
            times.append(float(t) + 2415020.0)
            azimuths.append(math.degrees(float(sun.az)))
        lines.append("azimuth %.4f %.4f %d %d %d %.6f %.6f %.4f %.4f"
                     % (lat, lon, *date, times[0], times[1], azimuths[0], azimuths[1]))
        n += 1
    n = 0
    while n < 60:
        lat, lon, date = random_place(rng)
        hour, minute = rng.randint(0, 23), rng.randint(0, 59)
        obs = observer(lat, lon, 1010)
        obs.date = "%d/%d/%d %d:%d" % (*date, hour, minute)
        sun = ephem.Sun(obs)
        altitude = math.degrees(float(sun.alt))
        if altitude < 3:
            continue
        lines.append("shadow %.4f %.4f %d %d %d %d %d %.4f %.4f"
                     % (lat, lon, *date, hour, minute, math.degrees(float(sun.az)), altitude))
        n += 1
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--write-reference":
        write_reference(sys.argv[2])
    else:
        main()
