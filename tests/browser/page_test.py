"""The viewer's page in headless Chromium driven through Selenium WebDriver, end
to end: torsova-view writes the pages, the browser loads them from file://, and
the test drags, scrolls and reloads as a user would, reading back the DOM, the
address and screenshots. Run as: page_test.py TORSOVA_VIEW FIGURE.
Status 77 (skipped) when the machine lacks Chromium, its driver or Selenium,
except under CI=true. TORSOVA_BROWSER_SHOTS=DIR keeps the screenshots there."""

import html.parser
import math
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import headless  # noqa: E402
import webdriver_session  # noqa: E402

kSkip = 77
kHostileTitle = '<script>alert(1)</script>" onmouseover="x'

# A figure whose marks tell right from left, up from down and front from back
# in every view: (first, second = height, third) of each circle, and a spine.
kMarks = [(30, 70, 5), (-15, 25, 30), (5, 45, -25)]
kSpine = [(0, 0, 0), (0, 90, 0)]
kDiameter = 0.1  # of the figure's size, 90
kExtent = "extent x 45, y 55, z 90 (height)"
# Which numbers go to the right and up in each named view.
kAxes = {"front": (0, 1), "side": (2, 1), "top": (0, 2)}
kDragSpeed = 0.4  # degrees per pixel dragged


class Dom(html.parser.HTMLParser):
    """A page as written: every start tag, and the text right inside each
    element with an id."""

    def __init__(self, text):
        super().__init__()
        self.tags, self.texts, self.inside = [], {}, None
        self.feed(text)

    def handle_starttag(self, tag, attrs):
        self.tags.append((tag, dict(attrs)))
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


def missing_tools():
    """What this machine lacks to drive the browser, or None."""
    if not headless.find_browser():
        return "no chromium (install the chromium package)"
    if not shutil.which("chromedriver"):
        return "no chromedriver (install the chromium-driver package)"
    try:
        import selenium  # noqa: F401
    except ImportError:
        return "%s cannot import selenium (install python3-selenium)" % sys.executable
    return None


def open_browser(profile):
    return webdriver_session.open_browser(profile, 900, 800)


class Browser:
    """One browser for the whole test, and what a user of the page sees in it."""

    def __init__(self, driver, shots):
        self.driver, self.shots, self.count = driver, shots, 0

    def load(self, page, address):
        """Opens a page afresh (not as a jump within the page already shown)."""
        self.driver.get("about:blank")
        self.driver.get(page_url(page, address))
        self.ready(page)

    def ready(self, what):
        error = self.attribute("data-error")
        check(error is None, "%s: script error: %s" % (what, error))
        check(self.attribute("data-ready") is not None, "%s never reported a drawn frame" % what)

    def attribute(self, name):
        return self.driver.execute_script(
            "return document.documentElement.getAttribute(arguments[0])", name)

    def text(self, element_id):
        return self.driver.execute_script(
            "return document.getElementById(arguments[0]).textContent", element_id)

    def wait(self, what, condition, seconds=5):
        end = time.monotonic() + seconds
        while not condition():
            check(time.monotonic() < end, "waited in vain for " + what)
            time.sleep(0.05)

    def wait_angles(self, angles):
        self.wait("the view %r (shown: %r)" % (angles, self.text("angles")),
                  lambda: self.text("angles").startswith(angles))

    def canvas(self):
        from selenium.webdriver.common.by import By
        return self.driver.find_element(By.ID, "figure")

    def drag(self, start, dx, dy):
        """Drags the first button by (dx, dy) from start, pixels from the canvas's centre."""
        from selenium.webdriver import ActionChains
        ActionChains(self.driver).move_to_element_with_offset(self.canvas(), *start) \
            .click_and_hold().move_by_offset(dx, dy).release().perform()

    def wheel(self, x, y, delta):
        """Turns the wheel by delta pixels over (x, y), from the canvas's centre."""
        from selenium.webdriver import ActionChains
        from selenium.webdriver.common.actions.wheel_input import ScrollOrigin
        origin = ScrollOrigin.from_element(self.canvas(), round(x), round(y))
        ActionChains(self.driver).scroll_from_origin(origin, 0, delta).perform()

    def shot(self, name):
        self.count += 1
        path = os.path.join(self.shots, "%02d-%s.png" % (self.count, name))
        self.driver.save_screenshot(path)
        return Shot(path, self)


class Shot:
    """A screenshot and the canvas in it: its centre, its background colour and
    the scale, pixels per unit of the file, that the page's scale bar shows."""

    def __init__(self, path, browser):
        self.path = path
        self.width, self.height, self.channels, self.pixels = headless.read_png(path)
        left, top, w, h = (int(n) for n in browser.attribute("data-canvas").split())
        self.box = (left, top, w, h)
        self.centre = (left + w / 2, top + h / 2)
        self.back = self.pixel(left + 4, top + 4)
        bar = float(browser.driver.execute_script(
            "return document.getElementById('scale-bar').style.width").replace("px", ""))
        self.scale = bar / float(browser.text("scale-text"))

    def pixel(self, x, y):
        at = (int(y) * self.width + int(x)) * self.channels
        return tuple(self.pixels[at:at + 3])

    def ink(self, x, y):
        """Whether (x, y) differs clearly from the canvas's background."""
        left, top, w, h = self.box
        if not (left < x < left + w - 1 and top < y < top + h - 1):
            return False
        return max(abs(a - b) for a, b in zip(self.pixel(x, y), self.back)) > 48

    def at(self, offset, zoom=1):
        """The pixel of an offset (right, up) in units of the file from the
        centre, at the scale before a zoom by `zoom`."""
        scale = self.scale / zoom
        return (self.centre[0] + offset[0] * scale, self.centre[1] - offset[1] * scale)

    def ink_count(self):
        """(pixels, width, height) of all the ink on the canvas and its box."""
        left, top, w, h = self.box
        xs, ys = [], []
        for y in range(top + 3, top + h - 3):
            for x in range(left + 3, left + w - 3):
                if self.ink(x, y):
                    xs.append(x)
                    ys.append(y)
        if not xs:
            return 0, 0, 0
        return len(xs), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1


def figure_centre():
    """The middle of the box around the figure's points and circles: the point
    the page puts at the canvas's centre."""
    radius = kDiameter * 90 / 2
    low = [min([p[i] for p in kSpine] + [m[i] - radius for m in kMarks]) for i in range(3)]
    high = [max([p[i] for p in kSpine] + [m[i] + radius for m in kMarks]) for i in range(3)]
    return [(a + b) / 2 for a, b in zip(low, high)]


def in_view(view, point):
    """(right, up) of a point of the file from the figure's centre in a named view."""
    right, up = kAxes[view]
    centre = figure_centre()
    return point[right] - centre[right], point[up] - centre[up]


def away_from_figure(view, offset, clearance):
    """Whether an offset in a view is clear of every mark and of the spine."""
    marks = [in_view(view, m) for m in kMarks]
    if any(math.dist(offset, m) < clearance for m in marks):
        return False
    (ax, ay), (bx, by) = (in_view(view, p) for p in kSpine)
    length = max(math.dist((ax, ay), (bx, by)), 1e-9)
    t = max(0, min(1, ((offset[0] - ax) * (bx - ax) + (offset[1] - ay) * (by - ay)) / length**2))
    return math.dist(offset, (ax + t * (bx - ax), ay + t * (by - ay))) >= clearance


def marks_seen(shot, view, filled, zoom_about=None, zoom=1):
    """Checks that every mark lands where the view puts it, filled or as a
    ring, and that the places a mirrored or flipped view would put it are
    empty. zoom_about: an offset the view was zoomed about by `zoom`."""
    radius = kDiameter * 90 / 2
    for number, mark in enumerate(kMarks, 1):
        offset = in_view(view, mark)
        if zoom_about:
            offset = tuple(z + (o - z) * zoom for o, z in zip(offset, zoom_about))
        x, y = shot.at(offset, zoom)
        what = "%s: %s view: mark %d of %s" % (shot.path, view, number, mark)
        check(shot.ink(x, y) == filled, "%s is %s at %d,%d" % (
            what, "not filled" if filled else "not hollow", x, y))
        ring = shot.scale * radius
        check(any(shot.ink(x + ring + d, y) for d in range(-3, 4)),
              "%s has no edge %d pixels right of %d,%d" % (what, ring, x, y))
        if zoom_about:
            continue
        for mirror in ((-offset[0], offset[1]), (offset[0], -offset[1]), (-offset[0], -offset[1])):
            if away_from_figure(view, mirror, radius + 8 / shot.scale):
                mx, my = shot.at(mirror)
                check(not shot.ink(mx, my),
                      "%s: ink at %d,%d, where a mirrored view would put it" % (what, mx, my))


def write_figure(path, settings, title="Marks telling left from right"):
    with open(path, "w", encoding="utf-8", newline="\r\n") as file:
        file.write("#%s\n" % title)
        for setting in settings:
            file.write("s %s\n" % setting)
        file.write("s CircleDiameter %g\n" % kDiameter)
        for mark in kMarks:
            file.write("%g %g %g -7\n" % mark)
        file.write("%g %g %g 0\n%g %g %g 7\n" % (kSpine[0] + kSpine[1]))


def write_page(view, figure, page):
    subprocess.run([view, "-o", page, figure], check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def page_url(page, address):
    return "file://" + os.path.abspath(page).replace(os.sep, "/") + "#" + address


def views_land(browser, filled_page):
    """Each named view, from the address, puts each mark in its place."""
    for view in kAxes:
        browser.load(filled_page, "view=" + view)
        marks_seen(browser.shot(view), view, True)
    check(browser.text("extent") == kExtent, "the extent reads %r" % browser.text("extent"))


def each_setting_alone(browser, white_page, filled_page):
    """WhiteBack alone: a white canvas and rings; FillCircles alone: a dark
    canvas and discs."""
    browser.load(white_page, "view=front")
    shot = browser.shot("white-back")
    check(min(shot.back) > 235, "WhiteBack alone: the canvas is %s, not white" % (shot.back,))
    marks_seen(shot, "front", False)
    browser.load(filled_page, "view=front")
    shot = browser.shot("fill-circles")
    check(max(shot.back) < 60, "FillCircles alone: the canvas is %s, not dark" % (shot.back,))


def interaction(browser, page):
    """A drag turns, the address follows and a reload shows the same view, the
    wheel zooms about the pointer, and an address of no angles is ignored."""
    browser.load(page, "view=front")
    turn = round(90 / kDragSpeed)
    browser.drag((turn // 2, 0), -turn, 0)
    browser.wait_angles("yaw 90°, pitch 0°, zoom 100%")
    marks_seen(browser.shot("dragged-side"), "side", True)
    browser.wait("the address of the side view, not %s" % browser.driver.current_url,
                 lambda: browser.driver.current_url.endswith("#view=side"))
    browser.drag((0, 0), 100, 0)
    browser.wait_angles("yaw 50°, pitch 0°")
    browser.wait("the address #yaw=50&pitch=0, not %s" % browser.driver.current_url,
                 lambda: browser.driver.current_url.endswith("#yaw=50&pitch=0"))
    before = browser.shot("turned")
    browser.driver.refresh()
    browser.ready("the page reloaded")
    browser.wait_angles("yaw 50°, pitch 0°, zoom 100%")
    after = browser.shot("reloaded")
    changed = sum(1 for i in range(0, len(before.pixels), 3)
                  if before.pixels[i:i + 3] != after.pixels[i:i + 3])
    check(changed < 200, "the reload shows another view: %d pixels differ" % changed)

    browser.load(page, "view=front")
    browser.drag((0, -(turn // 2)), 0, turn)
    browser.wait_angles("yaw 0°, pitch 90°")
    marks_seen(browser.shot("dragged-top"), "top", True)

    browser.load(page, "view=front")
    shot = browser.shot("before-wheel")
    about = in_view("front", kMarks[2])
    browser.wheel(about[0] * shot.scale, -about[1] * shot.scale, -300)
    browser.wait_angles("yaw 0°, pitch 0°, zoom 182%")
    zoomed = browser.shot("wheel")
    marks_seen(zoomed, "front", True, about, zoomed.scale / shot.scale)

    for address in ("yaw=abc&pitch=x", "yaw=1e999&pitch=0", "yaw=90&pitch=", "yaw=0x10",
                    "view=back"):
        browser.load(page, address)
        shown = browser.text("angles")
        check(shown.startswith("yaw 0°, pitch 0°, zoom 100%"), "#%s shows %r" % (address, shown))
    marks_seen(browser.shot("no-angles"), "front", True)


def example_and_hostile_title(browser, view, figure, folder):
    """The example's page is small and draws the front tall, the top wide; a
    hostile title stays text in the page as written and as shown."""
    page = os.path.join(folder, "3D_BODY.html")
    write_page(view, figure, page)
    size = os.path.getsize(page)
    check(size < 60 * 1024, "the example's page holds %d bytes" % size)
    browser.load(page, "view=front")
    front = browser.shot("example-front").ink_count()
    browser.load(page, "view=top")
    top = browser.shot("example-top").ink_count()
    check(front[0] > 500, "front view nearly blank: %d ink pixels" % front[0])
    check(front[2] > 1.5 * front[1], "front view's ink %dx%d is not tall" % front[1:])
    check(top[0] > 500 and top[1] > top[2], "top view's ink %dx%d is not wide" % top[1:])

    hostile = os.path.join(folder, "hostile.ROT")
    with open(hostile, "w", encoding="utf-8", newline="\r\n") as file:
        file.write("#%s\n1 0 0 0\n1 10 0 7\n1 10 0 -7\n" % kHostileTitle)
    hostile_page = os.path.join(folder, "hostile.html")
    write_page(view, hostile, hostile_page)
    with open(hostile_page, encoding="utf-8") as file:
        written = Dom(file.read())
    check(written.texts.get("title") == kHostileTitle, "the title is written as %r" %
          written.texts.get("title"))
    check(sum(tag == "script" for tag, _ in written.tags) == 2 and
          not any("onmouseover" in attrs for _, attrs in written.tags),
          "the title became markup in the page as written")
    browser.load(hostile_page, "yaw=90&pitch=-30")
    check(browser.text("title") == kHostileTitle, "the title shows as %r" % browser.text("title"))
    markup = browser.driver.execute_script(
        "return document.scripts.length + ' ' + document.querySelectorAll('[onmouseover]').length")
    check(markup == "2 0", "the title became markup in the page as shown (%s)" % markup)
    browser.wait_angles("yaw 90°, pitch -30°")
    return front, top, size


def main(view, figure):
    lacking = missing_tools()
    if lacking:
        if os.environ.get("CI") == "true":
            print("%s, and CI=true: the page cannot be tested" % lacking)
            return 1
        print("skipped: " + lacking)
        return kSkip
    with tempfile.TemporaryDirectory(prefix="torsova-page-") as folder:
        shots = os.environ.get("TORSOVA_BROWSER_SHOTS") or folder
        os.makedirs(shots, exist_ok=True)
        white, filled = (os.path.join(folder, name) for name in ("white.html", "filled.html"))
        for page, setting in ((white, "WhiteBack"), (filled, "FillCircles")):
            write_figure(page + ".ROT", [setting])
            write_page(view, page + ".ROT", page)
        driver = open_browser(os.path.join(folder, "profile"))
        try:
            browser = Browser(driver, shots)
            front, top, size = example_and_hostile_title(browser, view, figure, folder)
            views_land(browser, filled)
            each_setting_alone(browser, white, filled)
            interaction(browser, filled)
        finally:
            driver.quit()
    print("page drawn: example front ink %dx%d, top ink %dx%d, %d bytes; marks, settings "
          "and interaction seen" % (front[1:] + top[1:] + (size,)))
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: page_test.py TORSOVA_VIEW FIGURE")
    sys.exit(main(sys.argv[1], sys.argv[2]))
