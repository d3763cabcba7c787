"""The page of a body figure in Chromium through Selenium WebDriver: torsova
writes the figures of three forms (the example, one lacking LELB and RKNE, one
with a mistyped right elbow), torsova-view their pages, and the test reads the
measures, the missing landmarks, the dashed lines across them and the names
of pointed-at points back from the browser.
Run as: body_page_test.py TORSOVA TORSOVA_VIEW EXAMPLE_FORM.
Status 77 (skipped) without Chromium, its driver or Selenium, except under CI=true."""

import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import headless  # noqa: E402
import webdriver_session  # noqa: E402

kSkip = 77


def check(holds, message):
    if not holds:
        raise AssertionError(message)


def start_browser(profile):
    return webdriver_session.open_browser(profile, 1100, 800)


def figure_of(torsova, folder, form_lines):
    """The figure torsova writes in `folder` for a form of these lines."""
    os.makedirs(folder)
    with open(os.path.join(folder, "BodyXYZ.CSV"), "w", newline="") as file:
        file.write("".join(form_lines))
    subprocess.run([torsova], cwd=folder, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True)
    return os.path.join(folder, "3D_BODY.ROT")


def page_of(view, figure):
    page = figure[:-4] + ".html"
    subprocess.run([view, "-o", page, figure], check=True, stdout=subprocess.DEVNULL)
    return page


def open_page(driver, page, view="view=front"):
    driver.get("file://" + os.path.abspath(page) + "#" + view)
    root = driver.find_element("tag name", "html")
    # Ready once the figure is drawn and the panel beside it laid out.
    panel = driver.find_element("id", "body-panel")
    for _ in range(100):
        if root.get_attribute("data-error") or (
                root.get_attribute("data-ready") and panel.get_attribute("data-waiting") is None):
            break
        time.sleep(0.05)
    check(root.get_attribute("data-error") is None,
          "%s: script error: %s" % (page, root.get_attribute("data-error")))
    return root


def front_places(page, canvas):
    """Where the front view (yaw 0, pitch 0, zoom 1) puts each body point, in
    CSS pixels from the canvas's top left: the file's first number to the
    right, the second up, about the centre of the box of all points and
    circles, so that the tallest or widest reach fills 92 %."""
    with open(page, encoding="utf-8") as file:
        data = json.loads(re.search(r'id="figure-data">(.*?)</script>', file.read(), re.S).group(1))
    ends = [data["lines"][j:j + 3] + [0] for j in range(0, len(data["lines"]), 3)]
    rings = [data["circles"][j:j + 3] + [abs(data["circles"][j + 3]) * data["size"] / 2]
             for j in range(0, len(data["circles"]), 4)]
    points = ends + rings
    centre = [(min(p[i] - p[3] for p in points) + max(p[i] + p[3] for p in points)) / 2
              for i in range(3)]
    reach = max(((p[0] - centre[0]) ** 2 + (p[2] - centre[2]) ** 2) ** 0.5 + p[3] for p in points)
    rise = max(abs(p[1] - centre[1]) + p[3] for p in points)
    width, height = (int(n) for n in canvas.split()[2:])
    k = 0.92 * min(width / 2 / reach, height / 2 / rise)
    return {p["code"]: (width / 2 + k * (p["at"][0] - centre[0]), height / 2 - k * (p["at"][1] - centre[1]))
            for p in data["body"]["points"] if p["at"]}


def point_at(driver, canvas, place, click=False):
    from selenium.webdriver.common.action_chains import ActionChains
    element = driver.find_element("id", "figure")
    x, y = place[0] - element.size["width"] / 2, place[1] - element.size["height"] / 2
    actions = ActionChains(driver).move_to_element_with_offset(element, round(x), round(y))
    (actions.click() if click else actions).perform()


def ink_along(driver, shot, canvas, start, end):
    """The share of 60 places along the middle of start..end (40 % to 90 %)
    where the canvas differs from its white background, and how often ink
    and background alternate there."""
    with open(shot, "wb") as file:
        file.write(driver.get_screenshot_as_png())
    width, _, channels, pixels = headless.read_png(shot)
    left, top = (int(n) for n in canvas.split()[:2])
    marks = []
    for n in range(60):
        s = 0.4 + 0.5 * n / 59
        x = round(left + start[0] + s * (end[0] - start[0]))
        y = round(top + start[1] + s * (end[1] - start[1]))
        at = (y * width + x) * channels
        marks.append(min(pixels[at:at + 3]) < 235)
    changes = sum(1 for a, b in zip(marks, marks[1:]) if a != b)
    return sum(marks) / len(marks), changes


def text(driver, selector):
    return driver.find_element("css selector", selector).text


def check_labels(driver, view, figure, absent, folder):
    """The drawing with --labels as the browser lays its texts out: no two
    codes overlap, and in the side view, where the two sides lie on each
    other, both codes of every pair the form gave are written."""
    drawing = os.path.join(folder, os.path.basename(os.path.dirname(figure)) + "-labels.svg")
    subprocess.run([view, "--labels", "-o", drawing, figure], check=True, stdout=subprocess.DEVNULL)
    driver.get("file://" + drawing)
    views = driver.execute_script("""
        const views = {};
        for (const g of document.querySelectorAll("g[id] > g.labels")) {
          views[g.parentNode.id] = [...g.querySelectorAll("text")].map((t) => {
            const b = t.getBBox();
            return [t.textContent, b.x, b.y, b.x + b.width, b.y + b.height];
          });
        }
        return views;""")
    check(sorted(views) == ["front", "side", "top"], "label groups %r" % sorted(views))
    boxes = [box for labels in views.values() for box in labels]
    for i, a in enumerate(boxes):
        for b in boxes[i + 1:]:
            check(a[3] <= b[1] or b[3] <= a[1] or a[4] <= b[2] or b[4] <= a[2],
                  "%s: %s and %s overlap" % (os.path.basename(drawing), a[0], b[0]))
    side = {box[0]: box for box in views["side"]}
    pairs = [code for code in side if code[0] == "R" and "L" + code[1:] in side]
    for code in pairs:
        check(side[code][3] <= side["L" + code[1:]][1] + 1,
              "%s: in the side view %s is not left of %s" % (os.path.basename(drawing), code, "L" + code[1:]))
    for code in (c for c in side if c[0] in "RL"):
        other = ("L" if code[0] == "R" else "R") + code[1:]
        check(other in side or other in absent,
              "%s: the side view writes %s but not the other side's" % (os.path.basename(drawing), code))
    given = [part for part in ("SHO", "ELB", "WRI", "FNG", "PEL", "KNE", "ANK", "TOE")
             if "R" + part not in absent and "L" + part not in absent]
    check(len(pairs) >= min(6, len(given)), "the side view writes only %r" % sorted(side))
    outside = driver.execute_script("""
        const svg = document.documentElement;
        const width = svg.width.baseVal.value, height = svg.height.baseVal.value;
        return [...document.querySelectorAll("text")].filter((t) => {
          const b = t.getBBox();
          return b.x < 0 || b.y < 0 || b.x + b.width > width || b.y + b.height > height;
        }).map((t) => t.textContent);""")
    check(not outside, "%s: texts outside the picture: %r" % (os.path.basename(drawing), outside))


def main(torsova, view, example_form):
    torsova, view = os.path.abspath(torsova), os.path.abspath(view)
    browser = headless.find_browser()
    try:
        import selenium  # noqa: F401
    except ImportError:
        selenium = None
    if not browser or not selenium or not shutil.which("chromedriver"):
        if os.environ.get("CI") == "true":
            print("no chromium, chromedriver or selenium, and CI=true: the page cannot be tested")
            return 1
        print("skipped: needs chromium, chromium-driver and python3-selenium")
        return kSkip
    with open(example_form, newline="") as file:
        form = file.readlines()
    lacking = [line for line in form if not line.startswith(("LELB,", "RKNE,"))]
    mistyped = [line.replace(",113.7", ",131.7") if line.startswith("RELB,") else line
                for line in form]
    with tempfile.TemporaryDirectory(prefix="torsova-body-page-") as folder:
        example = page_of(view, figure_of(torsova, os.path.join(folder, "example"), form))
        missing = page_of(view, figure_of(torsova, os.path.join(folder, "missing"), lacking))
        elbow = page_of(view, figure_of(torsova, os.path.join(folder, "elbow"), mistyped))
        check(os.path.getsize(example) < 60 * 1024,
              "the example's page holds %d bytes" % os.path.getsize(example))
        driver = start_browser(os.path.join(folder, "profile"))
        try:
            root = open_page(driver, example)
            shoulders = text(driver, '#measures tr[data-measure="shoulder_breadth"]')
            check(shoulders == "shoulder breadth 39.90", "the shoulder breadth reads %r" % shoulders)
            check(not driver.find_elements("css selector", "#measures tr.marked"),
                  "the example has a marked side difference")
            canvas = root.get_attribute("data-canvas")
            places = front_places(example, canvas)
            point_at(driver, canvas, places["RELB"])
            readout = text(driver, "#readout")
            check(readout == "RELB, right elbow: x -24.6, y 2.1, z 113.7", "pointing at RELB: %r" % readout)
            # Ankle and toe lie apart mostly in depth, which the front view hides.
            point_at(driver, canvas, places["RANK"], click=True)
            point_at(driver, canvas, places["RTOE"], click=True)
            distance = text(driver, "#distance")
            check(distance == "RANK to RTOE: 19.97 apart", "picking the right foot's ends: %r" % distance)
            # The cranium comes back from the head's centre only to two decimals.
            point_at(driver, canvas, places["CRAN"])
            readout = text(driver, "#readout")
            check(readout == "CRAN, cranium: x \u2248 0.01, y \u2248 1.5, z 172.4", "pointing at CRAN: %r" % readout)
            from selenium.webdriver.common.keys import Keys
            keys = driver.find_element("id", "keys")
            driver.find_element("tag name", "body").send_keys("?")
            check(keys.get_attribute("open") is not None, "? leaves the keys dialog closed")
            driver.find_element("tag name", "body").send_keys(Keys.ESCAPE)
            check(keys.get_attribute("open") is None, "Escape leaves the keys dialog open")

            root = open_page(driver, missing)
            listed = text(driver, "#missing")
            check(listed == "Not in the form: LELB left elbow, RKNE right knee",
                  "under the title: %r" % listed)
            canvas = root.get_attribute("data-canvas")
            places = front_places(missing, canvas)
            shot = os.path.join(folder, "shot.png")
            ink, changes = ink_along(driver, shot, canvas, places["CRAN"], places["LWRI"])
            check(0.2 < ink < 0.85 and changes >= 6,
                  "the line across LELB is not dashed: ink %.2f, %d changes" % (ink, changes))
            driver.find_element("id", "show-across").click()
            ink, changes = ink_along(driver, shot, canvas, places["CRAN"], places["LWRI"])
            check(ink == 0, "the switch leaves %.2f of the line across LELB" % ink)
            # The sides in their columns, and none for what touches a missing landmark.
            for measure, row in (("upper_arm", "upper arm 31.90 \u2014 \u2014"),
                                 ("shank", "shank \u2014 44.81 \u2014")):
                shown = text(driver, '#measures tr[data-measure="%s"]' % measure)
                check(shown == row, "the row of %s reads %r" % (measure, shown))
            # Pointing where the missing elbow would be, and at the wrist past it.
            point_at(driver, canvas, places["CRAN"])
            point_at(driver, canvas, places["LWRI"])
            check(root.get_attribute("data-error") is None, "pointing: %s" % root.get_attribute("data-error"))
            readout = text(driver, "#readout")
            check(readout == "LWRI, left wrist: x 26.8, y 5, z 87.3", "pointing at LWRI: %r" % readout)
            # The landmark list in the form's order of numbers; a missing one not pickable.
            driver.find_element("css selector", "#landmarks summary").click()
            rows = {row.find_element("css selector", "td").text: row
                    for row in driver.find_elements("css selector", "#landmarks tbody tr")}
            check(len(rows) == 20, "the landmark list has %d rows" % len(rows))
            check(rows["RELB"].text == "RELB right elbow -24.6 2.1 113.7", "RELB's row reads %r" % rows["RELB"].text)
            check(rows["CRAN"].text == "CRAN cranium \u2248 0.01 \u2248 1.5 172.4", "CRAN's row reads %r" % rows["CRAN"].text)
            check(rows["LELB"].text == "LELB left elbow not in the form", "LELB's row reads %r" % rows["LELB"].text)
            check(not rows["LELB"].find_elements("tag name", "button"), "the missing LELB can be picked")
            rows["RELB"].find_element("tag name", "button").click()
            rows["LWRI"].find_element("tag name", "button").click()
            distance = text(driver, "#distance")
            check(distance == "RELB to LWRI: 57.86 apart", "picking RELB and LWRI in the list: %r" % distance)

            torso = figure_of(torsova, os.path.join(folder, "torso"), form[:2] + [
                line for line in form if line.startswith(("CRAN,", "RSHO,", "LSHO,", "RPEL,", "LPEL,"))])
            for figure, absent in ((example[:-5] + ".ROT", ()), (missing[:-5] + ".ROT", ("LELB", "RKNE")),
                                   (torso, ("RELB", "RWRI", "RFNG", "LELB", "LWRI", "LFNG", "RKNE",
                                            "RANK", "RTOE", "LKNE", "LANK", "LTOE", "TAIL"))):
                check_labels(driver, view, figure, absent, folder)

            open_page(driver, elbow)
            marked = [row.get_attribute("data-measure")
                      for row in driver.find_elements("css selector", "#measures tr.marked")]
            warning = text(driver, "#measures tr.warning")
            check(marked == ["upper_arm", "forearm"], "marked measures %r" % marked)
            check(re.fullmatch(r"\u26a0 upper arm: the sides differ by \d+ %: check the form", warning),
                  "the warning reads %r" % warning)
        finally:
            driver.quit()
    print("body pages checked: measures, missing landmarks, dashed lines and switch, readout, distance")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: body_page_test.py TORSOVA TORSOVA_VIEW EXAMPLE_FORM")
    sys.exit(main(*sys.argv[1:]))
