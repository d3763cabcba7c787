"""How long headless Chromium takes to show the first frame of the viewer's
page for a large figure. Run as: page_first_frame.py TORSOVA_VIEW [POINT_LINES],
or page_first_frame.py TORSOVA_VIEW --figure FIGURE [--against PAGE] for the
page of one figure (such as the example form's, a body figure with its measures
and landmarks), side by side with an older page of it when one is given
(scripts/bench gives the example's page as the viewer wrote it before the body
panel).
Writes a figure of POINT_LINES point lines (10^5 by default: a coil of strokes
of 1000 points), its page, and prints for three loads the milliseconds from the
start of loading to the first drawn frame (the page's data-ready) and the whole
browser run that takes the screenshot, beside the same run for a 2-point page."""

import math
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "browser"))
import headless  # noqa: E402


def write_figure(path, count):
    with open(path, "w") as file:
        file.write("#Coil of %d points\ns WhiteBack\n" % count)
        for i in range(count):
            turn = i / count * 2 * math.pi * 50
            file.write("%.3f %.3f %.3f %d\n" % (50 * math.cos(turn), 150 * i / count,
                                               50 * math.sin(turn), 0 if i % 1000 == 0 else 7))


def screenshot_seconds(browser, url, shot):
    start = time.monotonic()
    headless.run(browser, url, ["--screenshot=" + shot], 900, 900, budget=None)
    return time.monotonic() - start


def main(view, count):
    browser = headless.find_browser()
    if not browser:
        sys.exit("page_first_frame.py: no chromium on this machine")
    with tempfile.TemporaryDirectory(prefix="torsova-bench-") as folder:
        pages = {}
        for name, lines in (("small", 2), ("large", count)):
            figure = os.path.join(folder, name + ".ROT")
            write_figure(figure, lines)
            subprocess.run([view, figure], check=True, stdout=subprocess.DEVNULL)
            pages[name] = "file://" + os.path.join(folder, name + ".html")
        size = os.path.getsize(os.path.join(folder, "large.html"))
        print("page of %d point lines: %.1f MB" % (count, size / 1e6))
        shot = os.path.join(folder, "shot.png")
        for _ in range(3):
            dom = headless.run(browser, pages["large"], ["--dump-dom"], 900, 900, budget=None)
            ready = re.search(r'<html[^>]* data-ready="(\d+)"', dom)
            if not ready or re.search(r"<html[^>]* data-error=", dom):
                sys.exit("page_first_frame.py: the page drew no frame")
            large = screenshot_seconds(browser, pages["large"], shot)
            small = screenshot_seconds(browser, pages["small"], shot)
            print("first frame after %s ms; screenshot run %.2f s (%.2f s for 2 points)" % (
                ready.group(1), large, small))


def first_frame_ms(browser, page):
    dom = headless.run(browser, "file://" + page, ["--dump-dom"], 900, 900, budget=None)
    ready = re.search(r'<html[^>]* data-ready="(\d+)"', dom)
    if not ready or re.search(r"<html[^>]* data-error=", dom):
        sys.exit("page_first_frame.py: %s drew no frame" % page)
    return int(ready.group(1))


def figure_first_frame(view, figure, older=None, loads=31):
    """Loads of the page of `figure`, each followed by one of `older` when
    given, so that both meet the same load of the machine: the first frame's
    milliseconds, their medians and, with `older`, the ratio of the medians."""
    browser = headless.find_browser()
    if not browser:
        sys.exit("page_first_frame.py: no chromium on this machine")
    with tempfile.TemporaryDirectory(prefix="torsova-bench-") as folder:
        page = os.path.join(folder, "page.html")
        subprocess.run([view, "-o", page, figure], check=True, stdout=subprocess.DEVNULL)
        older = os.path.abspath(older) if older else None
        pages = [page] + ([older] if older else [])
        times = {p: [] for p in pages}
        for _ in range(loads if older else 5):
            for p in pages:
                times[p].append(first_frame_ms(browser, p))
        medians = {p: statistics.median(times[p]) for p in pages}
        print("page of %s (%d bytes): first frame after %s ms, median %d ms" % (
            os.path.basename(figure), os.path.getsize(page), ", ".join(map(str, times[page])),
            medians[page]))
        if older:
            print("older page %s (%d bytes): first frame median %d ms (%s)" % (
                os.path.basename(older), os.path.getsize(older), medians[older],
                ", ".join(map(str, times[older]))))
            ratio = medians[page] / medians[older]
            print("first frame: %.2f times the older page's (target: at most 1.1): %s" % (
                ratio, "met" if ratio <= 1.1 else "NOT MET"))


if __name__ == "__main__":
    if len(sys.argv) in (4, 6) and sys.argv[2] == "--figure":
        if len(sys.argv) == 6 and sys.argv[4] != "--against":
            sys.exit("usage: page_first_frame.py TORSOVA_VIEW --figure FIGURE [--against PAGE]")
        figure_first_frame(sys.argv[1], sys.argv[3], sys.argv[5] if len(sys.argv) == 6 else None)
        sys.exit(0)
    if len(sys.argv) not in (2, 3):
        sys.exit("usage: page_first_frame.py TORSOVA_VIEW [POINT_LINES]")
    main(sys.argv[1], int(sys.argv[2]) if len(sys.argv) == 3 else 100000)
