#!/usr/bin/env python3
"""torsova-view --measures over 10^4 body figures in one call: clock time,
processor time and peak memory. The figures are the example's, each with a
title of its own, in one folder. The run
should be bound by reading the files: well under a second.

Usage: measures_bench.py TORSOVA_VIEW FIGURE
"""
import os
import subprocess
import sys
import tempfile

COUNT = 10**4
GNU_TIME = "/usr/bin/time"  # Debian package time


def main():
    viewer = os.path.abspath(sys.argv[1])
    with open(sys.argv[2], "rb") as example:
        lines = example.read().split(b"\r\n")
    if not os.access(GNU_TIME, os.X_OK):
        sys.exit(f"{GNU_TIME} is missing (Debian package time)")
    with tempfile.TemporaryDirectory() as folder:
        names = []
        for i in range(COUNT):
            name = f"s{i:05}.ROT"
            title = f"#Subject {i}".encode()
            body = [title if line.startswith(b"#Example") else line for line in lines]
            with open(os.path.join(folder, name), "wb") as out:
                out.write(b"\r\n".join(body))
            names.append(name)
        stats = os.path.join(folder, "stats")
        with open(os.path.join(folder, "study.csv"), "wb") as csv:
            subprocess.run([GNU_TIME, "-f", "%e %U %S %M", "-o", stats, viewer, "--measures"] +
                           names, cwd=folder, check=True, stdout=csv)
        with open(stats) as numbers:
            seconds, user, system, kilobytes = numbers.read().split()[-4:]
        with open(os.path.join(folder, "study.csv"), "rb") as csv:
            rows = csv.read().count(b"\n") - 1
    print(f"--measures of {COUNT} figures: {float(seconds):.3f} s on the clock, "
          f"{float(user) + float(system):.2f} s processor, {int(kilobytes) / 1024:.1f} MB peak, "
          f"{rows} rows")
    if rows != COUNT:
        sys.exit(f"expected {COUNT} rows")


if __name__ == "__main__":
    main()
