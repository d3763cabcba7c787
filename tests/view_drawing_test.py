#!/usr/bin/env python3
"""The three-view drawing of the example figure as other programs see it: it
parses as XML, holds the front, side and top groups with the figure's strokes,
and rsvg-convert renders it; a title with markup characters parses and shows
as itself. rsvg-convert and Inkscape draw the drawings of FIGURE and of
OTHER_FIGURES alike, table and scale bar included. Without rsvg-convert or
Inkscape the test is skipped (status 77), unless CI=true, where that is a
failure.

Usage: view_drawing_test.py TORSOVA_VIEW FIGURE [OTHER_FIGURE...]
"""
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "browser"))
import headless  # noqa: E402

SVG = "{http://www.w3.org/2000/svg}"
# Pixels that differ by more than this in a colour channel, on white, differ
# in what they show, not in how an edge is smoothed.
kUnlike = 96
kMostUnlike = 300


def on_white(png):
    """The rows of a picture as (r, g, b) on a white background."""
    width, height, channels, pixels = headless.read_png(png)
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            at = (y * width + x) * channels
            alpha = pixels[at + 3] if channels == 4 else 255
            row.append(tuple(v * alpha / 255 + 255 - alpha for v in pixels[at:at + 3]))
        rows.append(row)
    return rows


def unlike_pixels(first, second):
    """How many pixels of the area both pictures cover differ in what they show:
    renderers round a size that is no whole number of pixels either way."""
    a, b = on_white(first), on_white(second)
    count = 0
    for row_a, row_b in zip(a, b):
        for p, q in zip(row_a, row_b):
            count += max(abs(x - y) for x, y in zip(p, q)) > kUnlike
    return count


def main():
    viewer, figure = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as folder:
        drawing = os.path.join(folder, "figure.svg")
        subprocess.run([viewer, figure, "-o", drawing], check=True, stdout=subprocess.DEVNULL)
        root = ET.parse(drawing).getroot()
        assert root.tag == SVG + "svg", root.tag
        for view in ("front", "side", "top"):
            groups = [g for g in root.iter(SVG + "g") if g.get("id") == view]
            assert len(groups) == 1, f"{len(groups)} groups with id {view}"
            assert groups[0].find(SVG + "path") is not None, f"{view} draws no line"
            assert len(groups[0].findall(f"{SVG}g/{SVG}circle")) == 5, f"{view}: not 5 circles"

        titled = os.path.join(folder, "titled.rot")
        with open(titled, "wb") as out:
            out.write(b"#Tom & Jerry <3\r\n 0 0 0 0\r\n 1 2 3 7\r\n")
        subprocess.run([viewer, titled, "-o", titled + ".svg"], check=True,
                       stdout=subprocess.DEVNULL)
        root = ET.parse(titled + ".svg").getroot()
        shown = [t.text for t in root.findall(SVG + "text")]
        assert shown == ["Tom & Jerry <3"], f"visible title {shown}"
        assert root.find(SVG + "title").text == "Tom & Jerry <3"

        renderers = {name: shutil.which(name) for name in ("rsvg-convert", "inkscape")}
        lacking = [name for name, path in renderers.items() if path is None]
        if lacking:
            what = "%s missing (packages librsvg2-bin, inkscape)" % " and ".join(lacking)
            if os.environ.get("CI") == "true":
                print(what)
                return 1
            print("skipped: " + what)
            return 77
        for n, shown in enumerate(sys.argv[2:]):
            drawn = os.path.join(folder, "drawing%d.svg" % n)
            subprocess.run([viewer, shown, "-o", drawn], check=True, stdout=subprocess.DEVNULL)
            by_rsvg, by_inkscape = drawn + ".rsvg.png", drawn + ".inkscape.png"
            subprocess.run([renderers["rsvg-convert"], drawn, "-o", by_rsvg], check=True)
            subprocess.run([renderers["inkscape"], "--export-type=png",
                            "--export-filename=" + by_inkscape, drawn], check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                           env=dict(os.environ, HOME=folder))
            unlike = unlike_pixels(by_rsvg, by_inkscape)
            assert unlike <= kMostUnlike, \
                f"{os.path.basename(shown)}: rsvg-convert and Inkscape differ in {unlike} pixels"
    print("the drawing parses, has its three views, and two renderers draw it alike")
    return 0


if __name__ == "__main__":
    sys.exit(main())
