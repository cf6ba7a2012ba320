#!/usr/bin/env python3
"""Compares the engine's sunrise, sunset and twilights with PyEphem (Debian: python3-ephem),
a high-precision ephemeris (VSOP87 via libastro), and prints the mean, RMS and maximum differences
in seconds. The model is a low-precision one: expect about a minute at moderate latitudes and no
systematic offset.

Usage: tools/check_ephemeris.py BUILD_DIR   (needs BUILD_DIR/tools/sun_events)
"""
import math
import random
import subprocess
import sys

import ephem


def main():
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
