#!/usr/bin/env python3
"""torsova-view on generated figures of 10^4, 10^5 and 10^6 point lines: the
time and the peak memory of writing the page and the drawing at each size,
and the growth from one size to the next (10x the lines should cost about 10x
the time). Targets at 10^6: under 1 s and under 200 MB each.

Usage: view_bench.py TORSOVA_VIEW [FOLDER]
"""
import os
import random
import subprocess
import sys
import tempfile

SIZES = (10**4, 10**5, 10**6)
GNU_TIME = "/usr/bin/time"  # Debian package time


def mask_number(value):
    """A value as the program's mask writes it: a space, 13 characters, a space."""
    return " " + f"{value:.2f}".rjust(13) + " "


def write_figure(path, count):
    """A random walk of point lines in the program's renderings: strokes of
    joined points, now and then a new stroke or a circle mark."""
    rng = random.Random(count)
    x = y = z = 0.0
    with open(path, "w", newline="") as out:
        out.write("#Generated figure\r\ns CircleDiameter 0.01\r\ns WhiteBack\r\n")
        out.write(f"#{count} point lines\r\n")
        for i in range(count):
            x += rng.uniform(-1, 1)
            y += rng.uniform(-1, 1)
            z += rng.uniform(-1, 1)
            roll = rng.random()
            code = "-7 " if roll < 0.02 else " 0 " if roll < 0.1 or i == 0 else " 7 "
            height = f"{z:.7g}"
            out.write(mask_number(x) + ("" if height.startswith("-") else " ") + height +
                      mask_number(y) + code + "\r\n")


def measure(command, folder):
    """Seconds on the clock, seconds of processor time (user and system) and
    peak resident megabytes of one run, taken by GNU time. The processor time
    tells the cost on a machine that other work keeps busy."""
    stats = os.path.join(folder, "stats")
    with open(os.devnull, "wb") as nothing:
        subprocess.run([GNU_TIME, "-f", "%e %U %S %M", "-o", stats] + command, check=True,
                       stdout=nothing)
    with open(stats) as numbers:
        seconds, user, system, kilobytes = numbers.read().split()[-4:]
    return float(seconds), float(user) + float(system), int(kilobytes) / 1024


def main():
    viewer = os.path.abspath(sys.argv[1])
    if not os.access(GNU_TIME, os.X_OK):
        sys.exit(f"{GNU_TIME} is missing (Debian package time)")
    with tempfile.TemporaryDirectory(dir=sys.argv[2] if len(sys.argv) > 2 else None) as folder:
        previous = {}
        print(f"{'point lines':>12} {'output':>8} {'seconds':>8} {'cpu s':>6} {'growth':>7} "
              f"{'peak MB':>8} {'bytes':>11}")
        for count in SIZES:
            figure = os.path.join(folder, f"figure{count}.ROT")
            write_figure(figure, count)
            for kind, ending in (("page", ".html"), ("drawing", ".svg")):
                output = os.path.join(folder, f"out{count}{ending}")
                seconds, cpu, megabytes = measure([viewer, figure, "-o", output], folder)
                growth = f"{seconds / previous[kind]:.1f}x" if kind in previous else "-"
                previous[kind] = seconds
                print(f"{count:>12} {kind:>8} {seconds:>8.3f} {cpu:>6.2f} {growth:>7} {megabytes:>8.1f} "
                      f"{os.path.getsize(output):>11}")


if __name__ == "__main__":
    main()
