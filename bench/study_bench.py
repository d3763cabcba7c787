#!/usr/bin/env python3
"""torsova-view --study on generated studies of 10^2, 10^3 and 10^4 body
figures: the time to write the page (clock, processor, peak memory), the
page's size, its first frame in headless Chromium (data-ready, from the start
of navigation), and how long sorting by a column and switching to the flagged
rows take until the next frame, with the growth from one size to the next.
The figures are 200 that torsova wrote for generated subjects (two with typing
mistakes), copied with titles of their own. Targets: under 2 s to write 10^4,
under 8 MB, the first frame under 1.5 s, each step under 100 ms.

Usage: study_bench.py TORSOVA TORSOVA_VIEW EXAMPLE_FORM
"""
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "browser"))
import headless  # noqa: E402
import study_forms  # noqa: E402

SIZES = (10**2, 10**3, 10**4)
GNU_TIME = "/usr/bin/time"  # Debian package time

# Clicks a control and resolves with the milliseconds until the frame after it.
TIMED_CLICK = """
const [selector, done] = arguments;
const start = performance.now();
document.querySelector(selector).click();
requestAnimationFrame(() => setTimeout(() => done(performance.now() - start), 0));
"""


def write_studies(torsova, example, folder):
    originals = study_forms.write_study(torsova, os.path.join(folder, "originals"), example, 200,
                                        {17: "knees_high", 123: "right_elbow_up"})
    figures = []
    for path in originals:
        with open(os.path.join(folder, "originals", path), "rb") as file:
            figures.append(file.read().split(b"\r\n"))
    names = []
    for i in range(max(SIZES)):
        lines = figures[i % len(figures)]
        title = b"#Subject %05d" % i
        name = os.path.join("f", "s%05d.ROT" % i)
        os.makedirs(os.path.join(folder, "f"), exist_ok=True)
        with open(os.path.join(folder, name), "wb") as out:
            out.write(b"\r\n".join(title if line.startswith(b"#Subject") else line for line in lines))
        names.append(name)
    return names


def write_page(view, folder, names, count):
    stats = os.path.join(folder, "stats")
    page = "study%d.html" % count
    start = time.perf_counter()
    subprocess.run([GNU_TIME, "-f", "%U %S %M", "-o", stats, view, "--study", "-o", page] +
                   names[:count], cwd=folder, check=True, stdout=subprocess.DEVNULL)
    seconds = time.perf_counter() - start
    with open(stats) as numbers:
        user, system, kilobytes = numbers.read().split()[-3:]
    return (os.path.join(folder, page), seconds, float(user) + float(system),
            int(kilobytes) / 1024)


def first_frames(browser, page):
    times = []
    for _ in range(3):
        dom = headless.run(browser, "file://" + page, ["--dump-dom"], 1280, 900, budget=None)
        ready = re.search(r'<html[^>]* data-ready="(\d+)"', dom)
        if not ready or re.search(r"<html[^>]* data-error=", dom):
            sys.exit("study_bench.py: the page drew no frame")
        times.append(int(ready.group(1)))
    return statistics.median(times)


def steps(page, folder):
    """Median milliseconds of sorting by the right shank (both ways) and of
    switching the flagged rows on and off, five of each."""
    import webdriver_session
    driver = webdriver_session.open_browser(os.path.join(folder, "profile"), 1280, 900)
    try:
        driver.get("file://" + page)
        sort, flagged = [], []
        for _ in range(5):
            sort.append(driver.execute_async_script(
                TIMED_CLICK, '#study-table th[data-measure="shank_right"] button'))
            flagged.append(driver.execute_async_script(TIMED_CLICK, "#only-flagged"))
            flagged.append(driver.execute_async_script(TIMED_CLICK, "#only-flagged"))
        return statistics.median(sort), statistics.median(flagged)
    finally:
        driver.quit()


def growth(now, before):
    return "" if not before else " (x%.1f)" % (now / before)


def main(torsova, view, example):
    view = os.path.abspath(view)
    browser = headless.find_browser()
    if not os.access(GNU_TIME, os.X_OK) or not browser or not shutil.which("chromedriver"):
        sys.exit("study_bench.py needs %s, chromium and chromium-driver" % GNU_TIME)
    with tempfile.TemporaryDirectory(prefix="torsova-study-bench-") as folder:
        names = write_studies(os.path.abspath(torsova), example, folder)
        last = None
        for count in SIZES:
            page, seconds, processor, megabytes = write_page(view, folder, names, count)
            size = os.path.getsize(page) / 1e6
            frame = first_frames(browser, page)
            sort, flagged = steps(page, folder)
            now = (seconds, size, frame, sort, flagged)
            print("--study of %5d figures: written in %.3f s%s (%.2f s processor, %.1f MB peak), "
                  "page %.2f MB%s, first frame %d ms%s, sort %.1f ms%s, flagged switch %.1f ms%s" % (
                      count, seconds, growth(seconds, last and last[0]), processor, megabytes,
                      size, growth(size, last and last[1]), frame, growth(frame, last and last[2]),
                      sort, growth(sort, last and last[3]), flagged, growth(flagged, last and last[4])))
            last = now
        seconds, size, frame, sort, flagged = last
        missed = [what for what, bad in (("2 s to write", seconds >= 2), ("8 MB", size >= 8),
                                         ("1.5 s to the first frame", frame >= 1500),
                                         ("100 ms to sort", sort >= 100),
                                         ("100 ms to switch", flagged >= 100)) if bad]
        print("targets for 10^4: " + ("all met" if not missed else "missed " + ", ".join(missed)))


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: study_bench.py TORSOVA TORSOVA_VIEW EXAMPLE_FORM")
    main(*sys.argv[1:])
