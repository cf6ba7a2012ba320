#!/usr/bin/env python3
"""Compares the engine's sunrise, sunset and twilights with PyEphem (Debian: python3-ephem),
a high-precision ephemeris (VSOP87 via libastro), and prints the mean, RMS and maximum differences
in seconds. The model is a low-precision one: expect about a minute at moderate latitudes and no
systematic offset.

Usage: tools/check_ephemeris.py BUILD_DIR   (needs BUILD_DIR/tools/sun_events)
       tools/check_ephemeris.py --table FILE   writes the reference table the engine tests read
                                               (tests/engine/ephemeris_reference.csv)
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


if __name__ == "__main__":
    main()
