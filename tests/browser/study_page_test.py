"""The study page in Chromium through Selenium WebDriver: torsova writes the
figures of 200 generated subjects (s017 with both knees typed 40 higher, s123
with the right elbow typed too high, s150 without a right knee, s001 short and
s002 tall), torsova-view --study their page, and the test sorts, filters,
points and selects as a user would, reading the results back from the page.
Run as: study_page_test.py TORSOVA TORSOVA_VIEW EXAMPLE_FORM.
Status 77 (skipped) without Chromium, its driver or Selenium, except under CI=true."""

import json
import os
import re
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import study_forms  # noqa: E402
import webdriver_session  # noqa: E402

KNEES, ELBOW, NO_KNEE, SHORT, TALL = "s017", "s123", "s150", "s001", "s002"


def check(holds, message):
    if not holds:
        raise AssertionError(message)


def figure(name):
    return name + "/3D_BODY.ROT"


def wait_until(what, seconds=5):
    deadline = time.monotonic() + seconds
    while True:
        value = what()
        if value or time.monotonic() > deadline:
            return value
        time.sleep(0.05)


def rows(driver):
    """The paths of the table's rows in the DOM, in their order."""
    return driver.execute_script(
        "return [...document.querySelectorAll('#study-table tr[data-figure]')].map(r => r.dataset.figure)")


def scroll_table(driver, to):
    driver.execute_script(
        "const box = document.getElementById('table-box');"
        "box.scrollTop = arguments[0] === 'end' ? box.scrollHeight : 0;"
        "box.dispatchEvent(new Event('scroll'));", to)


def sort_by(driver, measure):
    driver.find_element("css selector", '#study-table th[data-measure="%s"] button' % measure).click()


def ink_top(driver, column):
    """The highest canvas row with ink in the column-th cell of the first row
    of all the bodies (64 by 150 CSS pixels)."""
    return driver.execute_script("""
        const canvas = document.getElementById('bodies');
        const ratio = canvas.width / canvas.clientWidth;
        const x0 = Math.round(arguments[0] * 64 * ratio), w = Math.round(64 * ratio);
        const h = Math.round(150 * ratio);
        const pixels = canvas.getContext('2d').getImageData(x0, 0, w, h).data;
        for (let y = 0; y < h; y++)
          for (let x = 4; x < w - 4; x++) {
            const at = (y * w + x) * 4;
            if (pixels[at] < 160 && pixels[at + 1] < 160) return y / ratio;
          }
        return null;""", column)


def scatter_place(data, driver, column):
    """Where the scatter plot puts a body's dot: the axes span the heights and
    values of the bodies whose height the study did not flag, widened by 6 %,
    inside margins of 56, 16, 14 and 40 CSS pixels."""
    canvas = driver.find_element("id", "scatter")
    width, height = canvas.size["width"], canvas.size["height"]

    def span(c):
        values = [b["values"][c] for b in data["bodies"] if b["values"][c] is not None and
                  not any(f[0] == 0 and "study" in f[1] for f in b["flags"])]
        low, high = min(values), max(values)
        return low - (high - low) * 0.06, high + (high - low) * 0.06

    (xl, xh), (yl, yh) = span(0), span(column)
    return lambda body: (56 + (body["values"][0] - xl) / (xh - xl) * (width - 72),
                         height - 40 - (body["values"][column] - yl) / (yh - yl) * (height - 54))


def main(torsova, view, example_form):
    torsova, view = os.path.abspath(torsova), os.path.abspath(view)
    missing = webdriver_session.unavailable()
    if missing is not None:
        return missing
    from selenium.webdriver.common.action_chains import ActionChains
    with tempfile.TemporaryDirectory(prefix="torsova-study-page-") as folder:
        paths = study_forms.write_study(
            torsova, folder, example_form, 200,
            {17: "knees_high", 123: "right_elbow_up", 150: "no_right_knee"}, {1: 0.88, 2: 1.12})
        done = subprocess.run([view, "--study"] + paths, cwd=folder, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, check=True)
        check(done.stdout == b"study.html: 200 figures, 200 body figures, 2 flagged\n",
              "--study printed %r %r" % (done.stdout, done.stderr))
        page = os.path.join(folder, "study.html")
        with open(page, encoding="utf-8") as file:
            data = json.loads(re.search(r'id="study-data">(.*?)</script>', file.read(), re.S).group(1))
        driver = webdriver_session.open_browser(os.path.join(folder, "profile"), 1280, 900)
        try:
            driver.get("file://" + page)
            root = driver.find_element("tag name", "html")
            wait_until(lambda: root.get_attribute("data-ready") or root.get_attribute("data-error"))
            check(root.get_attribute("data-error") is None, "script error: %s" % root.get_attribute("data-error"))
            summary = driver.find_element("id", "summary").text
            check(summary.startswith("200 figures, 200 body figures, 2 flagged"), "the heading reads %r" % summary)

            # Only the rows in sight are in the page; the flags sit on their cells.
            shown = rows(driver)
            check(10 < len(shown) < 60, "%d rows of 200 in the page" % len(shown))
            flags = {(c.get_attribute("data-measure"), c.get_attribute("data-flag"))
                     for c in driver.find_elements("css selector", 'tr[data-figure="%s"] td[data-flag]' % figure(KNEES))}
            check(flags == {("thigh_right", "study"), ("thigh_left", "study"), ("shank_right", "study"),
                            ("shank_left", "study")}, "the knees' flags %r" % flags)
            reason = driver.find_element(
                "css selector", 'tr[data-figure="%s"] td[data-measure="shank_right"]' % figure(KNEES)).get_attribute("title")
            check(re.fullmatch(r"right shank \d+ % of height, the study's median \d+ %: check the form", reason),
                  "the shank's reason %r" % reason)

            # Sorting by the right shank: the planted knee's longest shank
            # last, the form without a right knee after it, both ways.
            sort_by(driver, "shank_right")
            scroll_table(driver, "end")
            last = wait_until(lambda: rows(driver)[-2:] == [figure(KNEES), figure(NO_KNEE)])
            check(last, "ascending, the table ends %r" % rows(driver)[-3:])
            count = driver.find_element("id", "study-table").get_attribute("aria-rowcount")
            check(count == "201", "aria-rowcount %r" % count)
            sort_by(driver, "shank_right")
            scroll_table(driver, "top")
            check(wait_until(lambda: rows(driver)[0] == figure(KNEES)), "descending, it starts %r" % rows(driver)[:2])
            scroll_table(driver, "end")
            check(wait_until(lambda: rows(driver)[-1] == figure(NO_KNEE)), "descending, it ends %r" % rows(driver)[-2:])
            scroll_table(driver, "top")

            # The filter by path or title, and the switch for flagged rows.
            box = driver.find_element("id", "filter")
            box.send_keys("subject 01")
            check(wait_until(lambda: len(rows(driver)) == 10), "filtered rows %r" % rows(driver))
            box.clear()
            box.send_keys("s12")
            check(wait_until(lambda: sorted(rows(driver)) == [figure("s%03d" % n) for n in range(120, 130)]),
                  "rows for s12: %r" % rows(driver))
            driver.find_element("id", "only-flagged").click()
            check(wait_until(lambda: rows(driver) == [figure(ELBOW)]), "flagged among s12*: %r" % rows(driver))
            elbow = {(c.get_attribute("data-measure"), c.get_attribute("data-flag"))
                     for c in driver.find_elements("css selector", "td[data-flag]")}
            check(elbow == {("upper_arm_right", "side study"), ("upper_arm_left", "side"),
                            ("forearm_right", "side study"), ("forearm_left", "side")}, "the elbow's flags %r" % elbow)
            box.clear()
            box.send_keys(" ")
            check(wait_until(lambda: sorted(rows(driver)) == [figure(KNEES), figure(ELBOW)]),
                  "flagged rows %r" % rows(driver))
            driver.find_element("id", "only-flagged").click()
            box.clear()
            box.send_keys(" ")
            driver.find_element("css selector", '#study-table th[data-column="path"] button').click()
            check(wait_until(lambda: rows(driver)[:2] == [figure(SHORT), figure(TALL)]), "by path %r" % rows(driver)[:3])

            # The small front views share one scale: the taller body's drawing is the taller.
            driver.execute_script("document.getElementById('bodies-section').scrollIntoView()")
            short_top, tall_top = ink_top(driver, 0), ink_top(driver, 1)
            check(short_top is not None and tall_top is not None and tall_top + 15 < short_top,
                  "the short body's head at %r, the tall one's at %r" % (short_top, tall_top))

            # Pointing at a dot of the scatter names its figure.
            place = scatter_place(data, driver, 13)
            canvas = driver.find_element("id", "scatter")
            driver.execute_script("arguments[0].scrollIntoView()", canvas)
            knees = next(b for b in data["bodies"] if b["path"] == figure(KNEES))
            x, y = place(knees)
            ActionChains(driver).move_to_element_with_offset(
                canvas, round(x - canvas.size["width"] / 2), round(y - canvas.size["height"] / 2)).perform()
            named = driver.find_element("id", "scatter-pointed").text
            check(named.startswith(figure(KNEES) + ", Subject 017: right shank "),
                  "pointing at the knees' dot names %r" % named)
            ActionChains(driver).click().perform()
            legend = driver.find_elements("css selector", "#compare-legend li")
            check([li.get_attribute("data-figure") for li in legend] == [figure(KNEES)],
                  "a click on the dot selects: %r" % [li.text for li in legend])

            # Two bodies: both in the compare view's legend, with their differences.
            driver.execute_script("document.getElementById('compare-section').scrollIntoView()")
            time.sleep(0.2)
            driver.find_element("css selector", '#compare-legend li button').click()
            check(wait_until(lambda: not driver.find_elements("css selector", "#compare-legend li")),
                  "the legend's button left %r" % driver.find_element("id", "compare-legend").text)
            for name in (SHORT, TALL):
                driver.find_element("css selector", 'tr[data-figure="%s"] input' % figure(name)).click()
            legend = [li.get_attribute("data-figure") for li in driver.find_elements("css selector", "#compare-legend li")]
            check(legend == [figure(SHORT), figure(TALL)], "the legend %r" % legend)
            short, tall = (next(b for b in data["bodies"] if b["path"] == figure(n)) for n in (SHORT, TALL))
            row = driver.find_element("css selector", '#compare-measures tr[data-measure="height"]').text
            gain = tall["values"][0] - short["values"][0]
            expected = "height %.2f %.2f +%.2f (+%.1f %%)" % (short["values"][0], tall["values"][0], gain,
                                                             gain / short["values"][0] * 100)
            check(row == expected, "the heights compared: %r, not %r" % (row, expected))
            check(not driver.find_element("id", "compare-hint").is_displayed(), "the hint stays with two selected")
        finally:
            driver.quit()
    print("study page checked: flags, sorting, filter, flagged switch, one scale, scatter, compare")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: study_page_test.py TORSOVA TORSOVA_VIEW EXAMPLE_FORM")
    sys.exit(main(*sys.argv[1:]))
