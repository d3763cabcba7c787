"""The viewer's page in headless Chromium, end to end: torsova-view writes the
page of a figure, the browser loads it from file:// and the test reads back the
DOM and screenshots. Run as: page_test.py TORSOVA_VIEW FIGURE.
Status 77 (skipped) when the machine has no Chromium, except under CI=true."""

import html.parser
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import headless  # noqa: E402

kSkip = 77
kHostileTitle = '<script>alert(1)</script>" onmouseover="x'


class Dom(html.parser.HTMLParser):
    """A dumped DOM: the attributes of <html>, every start tag, and the text
    right inside each element with an id."""

    def __init__(self, text):
        super().__init__()
        self.root, self.tags, self.texts, self.inside = {}, [], {}, None
        self.feed(text)

    def handle_starttag(self, tag, attrs):
        self.tags.append((tag, dict(attrs)))
        if tag == "html":
            self.root = dict(attrs)
        self.inside = dict(attrs).get("id")

    def handle_endtag(self, tag):
        self.inside = None

    def handle_data(self, data):
        if self.inside:
            self.texts[self.inside] = self.texts.get(self.inside, "") + data


def check(holds, message):
    """A failed check, even under python -O, which drops asserts."""
    if not holds:
        raise AssertionError(message)


def load(browser, page, view):
    """The page's DOM after its script ran; fails unless it reports readiness."""
    dom = Dom(headless.run(browser, page_url(page, view), ["--dump-dom"]))
    error = dom.root.get("data-error")
    check(error is None, "%s: script error: %s" % (page, error))
    check("data-ready" in dom.root, "%s never reported a drawn frame" % page)
    return dom


def title_as_text(dom, what):
    heading = dom.texts.get("title")
    check(heading == kHostileTitle, "%s: the title shows as %r" % (what, heading))
    scripts = [tag for tag, _ in dom.tags if tag == "script"]
    handlers = [tag for tag, attrs in dom.tags if "onmouseover" in attrs]
    check(len(scripts) == 2 and not handlers, "%s: the title became markup" % what)


def page_url(page, view):
    return "file://" + os.path.abspath(page).replace(os.sep, "/") + "#" + view


def ink(browser, page, view, canvas, shot):
    """(pixels, width, height) of the figure's ink: the pixels of the canvas
    that differ clearly from its background, and the box around them."""
    headless.screenshot(browser, page_url(page, view), shot)
    width, _, channels, pixels = headless.read_png(shot)
    left, top, w, h = (int(n) for n in canvas.split())
    left, top, w, h = left + 3, top + 3, w - 6, h - 6  # inside the frame
    stride = width * channels
    at = top * stride + left * channels
    back = pixels[at:at + channels]
    count, xs, ys = 0, [], []
    for y in range(top, top + h):
        row = pixels[y * stride + left * channels:y * stride + (left + w) * channels]
        if row == back * w:
            continue
        for x in range(w):
            p = row[x * channels:(x + 1) * channels]
            if max(abs(p[i] - back[i]) for i in range(3)) > 48:
                count += 1
                xs.append(x)
                ys.append(y)
    if not count:
        return 0, 0, 0
    return count, max(xs) - min(xs) + 1, max(ys) - min(ys) + 1


def write_page(view, figure, page):
    subprocess.run([view, "-o", page, figure], check=True, stdout=subprocess.DEVNULL)


def main(view, figure):
    browser = headless.find_browser()
    if not browser:
        if os.environ.get("CI") == "true":
            print("no chromium on this machine, and CI=true: the page cannot be tested")
            return 1
        print("skipped: no chromium on this machine (install the chromium package)")
        return kSkip
    with tempfile.TemporaryDirectory(prefix="torsova-page-") as folder:
        page = os.path.join(folder, "3D_BODY.html")
        write_page(view, figure, page)
        size = os.path.getsize(page)
        check(size < 60 * 1024, "the example's page holds %d bytes" % size)

        canvas = load(browser, page, "view=front").root["data-canvas"]
        front = ink(browser, page, "view=front", canvas, os.path.join(folder, "front.png"))
        top = ink(browser, page, "view=top", canvas, os.path.join(folder, "top.png"))
        check(front[0] > 500, "front view nearly blank: %d ink pixels" % front[0])
        check(front[2] > 1.5 * front[1], "front view's ink %dx%d is not tall" % front[1:])
        check(top[0] > 500 and top[1] > top[2], "top view's ink %dx%d is not wide" % top[1:])

        hostile = os.path.join(folder, "hostile.ROT")
        with open(hostile, "w", encoding="utf-8", newline="\r\n") as file:
            file.write("#%s\n1 0 0 0\n1 10 0 7\n1 10 0 -7\n" % kHostileTitle)
        write_page(view, hostile, os.path.join(folder, "hostile.html"))
        with open(os.path.join(folder, "hostile.html"), encoding="utf-8") as file:
            title_as_text(Dom(file.read()), "the page as written")
        shown = load(browser, os.path.join(folder, "hostile.html"), "yaw=90&pitch=-30")
        title_as_text(shown, "the page as shown")
        angles = shown.texts.get("angles", "")
        check(angles.startswith("yaw 90°, pitch -30°"), "the address set %r" % angles)
    print("page drawn: front ink %dx%d, top ink %dx%d, %d bytes" % (front[1:] + top[1:] + (size,)))
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: page_test.py TORSOVA_VIEW FIGURE")
    sys.exit(main(sys.argv[1], sys.argv[2]))
