#!/usr/bin/env python3
"""Writes hourly-temperatures.csv: a year (2026) of hourly air temperatures in Berlin, invented but
plausible (a seasonal cycle, a daily cycle peaking in the afternoon, and weather that wanders from day to
day), with ISO 8601 timestamps in local time and their offsets, so that the clock changes of March and
October show in the file as they would in a logger's. The numbers come from a seeded generator: running
the script again writes the same file.
Usage: make-hourly-temperatures.py [OUT.csv]   (default: hourly-temperatures.csv beside the script)
"""
import datetime
import math
import pathlib
import random
import sys
import zoneinfo

BERLIN = zoneinfo.ZoneInfo("Europe/Berlin")


def temperatures():
    rng = random.Random(2026)
    start = datetime.datetime(2026, 1, 1, tzinfo=BERLIN).astimezone(datetime.timezone.utc)
    end = datetime.datetime(2027, 1, 1, tzinfo=BERLIN).astimezone(datetime.timezone.utc)
    weather = 0.0
    t = start
    while t < end:
        local = t.astimezone(BERLIN)
        day = (t - start).total_seconds() / 86400
        season = math.sin(2 * math.pi * (day - 110) / 365)           # warmest in late July
        daily = math.cos(2 * math.pi * (local.hour - 15) / 24)       # warmest at 15:00
        weather = 0.985 * weather + rng.gauss(0, 0.35)               # fronts that come and go
        yield local, 9.5 + 9.5 * season + (3.5 + 2.0 * season) * daily + weather
        t += datetime.timedelta(hours=1)


def main():
    default = pathlib.Path(__file__).with_name("hourly-temperatures.csv")
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write("time,temperature\n")
        for local, celsius in temperatures():
            f.write(f"{local.isoformat(timespec='minutes')},{celsius:.1f}\n")


if __name__ == "__main__":
    main()
