#!/usr/bin/env python3
"""torsova-form check against torsova's own run of the same form, for forms of
10^4, 10^5 and 10^6 landmark rows: clock time, processor time and peak memory
(medians of five), check's share of the run's clock time, and the growth from
one size to the next. check reads the form once into memory and runs
torsova's stages on it in a thread of its own while it makes its findings, so
on two free cores its clock time should stay within the run's, and both grow
linearly.

Usage: form_bench.py TORSOVA TORSOVA_FORM
"""
import os
import random
import statistics
import subprocess
import sys
import tempfile

GNU_TIME = "/usr/bin/time"  # Debian package time
LABELS = ("CRAN RSHO RELB RWRI RFNG LSHO LELB LWRI LFNG "
          "RPEL RKNE RANK RTOE LPEL LKNE LANK LTOE TAIL").split()
REPEATS = 5


def form_of_rows(rows):
    """As the whole-run benchmark's forms: the 18 labels in turn, coordinates
    of one decimal between -200 and 200."""
    pick = random.Random(7)
    lines = ["Benchmark subject,,,", "Label,X,Y,Z"]
    for i in range(rows):
        cells = [LABELS[i % len(LABELS)]]
        for _ in range(3):
            tenths = pick.randint(-2000, 2000)
            cells.append(f"{'-' if tenths < 0 else ''}{abs(tenths) // 10}.{abs(tenths) % 10}")
        lines.append(",".join(cells))
    return ("\r\n".join(lines) + "\r\n").encode()


def timed(command, folder, stdin):
    """Clock seconds, processor seconds and peak KiB of one run."""
    stats = os.path.join(folder, "..", "stats")
    with open(os.devnull, "wb") as sink:
        subprocess.run([GNU_TIME, "-f", "%e %U %S %M", "-o", stats] + command, cwd=folder,
                       input=stdin, stdout=sink, check=False)
    with open(stats) as numbers:
        clock, user, system, kib = numbers.read().split()[-4:]
    return float(clock), float(user) + float(system), int(kib)


def medians(command, folder, stdin):
    runs = [timed(command, folder, stdin) for _ in range(REPEATS)]
    return tuple(statistics.median(run[k] for run in runs) for k in range(3))


def main():
    torsova, form_program = (os.path.abspath(path) for path in sys.argv[1:3])
    if not os.access(GNU_TIME, os.X_OK):
        sys.exit(f"{GNU_TIME} is missing (Debian package time)")
    previous = None
    with tempfile.TemporaryDirectory() as scratch:
        folder = os.path.join(scratch, "run")
        os.mkdir(folder)
        for rows in (10**4, 10**5, 10**6):
            with open(os.path.join(folder, "BodyXYZ.CSV"), "wb") as form:
                form.write(form_of_rows(rows))
            run = medians([torsova], folder, b"k")
            check = medians([form_program, "check"], folder, b"")
            line = (f"form check {rows:>8} rows: {check[0]:6.2f} s clock, {check[1]:6.2f} s "
                    f"processor, {check[2] / 1024:6.1f} MiB; torsova's run {run[0]:6.2f} s clock, "
                    f"{run[1]:6.2f} s processor, {run[2] / 1024:6.1f} MiB; "
                    f"check/run clock {check[0] / max(run[0], 1e-3):.2f}")
            if previous:
                line += f", {check[0] / max(previous, 1e-3):.1f} times the previous size's clock"
            print(line, flush=True)
            previous = check[0]


if __name__ == "__main__":
    main()
