"""Headless Chromium for the viewer's page: finding the browser, taking a
screenshot or the DOM after the page's script ran, and reading a screenshot
back as pixels. Used by the browser test and by scripts/docs-pictures; run as
a script it takes one screenshot: headless.py URL OUT.png WIDTH HEIGHT."""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib


def find_browser():
    """The path of Chromium, or None when this machine has none."""
    for name in ("chromium", "chromium-browser"):
        path = shutil.which(name)
        if path:
            return path
    return None


def run(browser, url, action, width=900, height=900, budget=3000):
    """Runs the browser once on url in a fresh profile with nothing fetched from
    outside; action is ["--dump-dom"] or ["--screenshot=PATH"]. With a budget,
    the page's timers run in that many milliseconds of virtual time first;
    without, the action follows the page's load. Returns what the browser
    printed on standard output."""
    with tempfile.TemporaryDirectory(prefix="torsova-browser-") as profile:
        command = [
            browser, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
            "--no-first-run", "--disable-background-networking",
            "--disable-component-update", "--disable-sync", "--hide-scrollbars",
            "--user-data-dir=" + profile, "--window-size=%d,%d" % (width, height),
            *action, url,
        ]
        if budget is not None:
            command.insert(-2, "--virtual-time-budget=%d" % budget)
        done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              timeout=120)
    if done.returncode != 0:
        raise RuntimeError("%s failed with status %d: %s" % (
            os.path.basename(browser), done.returncode, done.stderr.decode(errors="replace")[-2000:]))
    return done.stdout.decode("utf-8", errors="replace")


def screenshot(browser, url, path, width=900, height=900):
    run(browser, url, ["--screenshot=" + path], width, height)
    if not os.path.isfile(path):
        raise RuntimeError("no screenshot written for " + url)


def read_png(path):
    """(width, height, channels, pixels) of an 8-bit RGB or RGBA PNG without
    interlacing, pixels as one bytearray of rows."""
    with open(path, "rb") as file:
        data = file.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + " is not a PNG")
    at, packed, header = 8, [], None
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            packed.append(body)
        at += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError("%s: PNG of depth %d, colour type %d is not read here" % (path, depth, colour))
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(b"".join(packed))
    stride = width * channels
    pixels = bytearray(stride * height)
    previous = bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, row = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        unfilter(kind, row, previous, channels)
        pixels[y * stride:(y + 1) * stride] = row
        previous = row
    return width, height, channels, pixels


def unfilter(kind, row, up, bpp):
    n = len(row)
    if kind == 1:
        for i in range(bpp, n):
            row[i] = (row[i] + row[i - bpp]) & 255
    elif kind == 2:
        for i in range(n):
            row[i] = (row[i] + up[i]) & 255
    elif kind == 3:
        for i in range(n):
            left = row[i - bpp] if i >= bpp else 0
            row[i] = (row[i] + ((left + up[i]) >> 1)) & 255
    elif kind == 4:
        for i in range(n):
            a = row[i - bpp] if i >= bpp else 0
            b = up[i]
            c = up[i - bpp] if i >= bpp else 0
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    elif kind != 0:
        raise ValueError("unknown PNG filter %d" % kind)


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit("usage: headless.py URL OUT.png WIDTH HEIGHT")
    found = find_browser()
    if not found:
        sys.exit("headless.py: no chromium on this machine")
    screenshot(found, sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]))
