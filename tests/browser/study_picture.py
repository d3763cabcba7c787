"""The README's picture of the study page: a generated study of 40 subjects
with two typing mistakes planted (s007's knees typed 40 higher, s023 in
millimetres), two bodies selected to compare, taken in headless Chromium.
Run as: study_picture.py TORSOVA TORSOVA_VIEW EXAMPLE_FORM OUT.png"""

import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import study_forms  # noqa: E402
import webdriver_session  # noqa: E402


def main(torsova, view, example_form, out):
    with tempfile.TemporaryDirectory(prefix="torsova-study-picture-") as folder:
        paths = study_forms.write_study(os.path.abspath(torsova), folder, example_form, 40,
                                        {7: "knees_high", 23: "millimetres"})
        subprocess.run([os.path.abspath(view), "--study"] + paths, cwd=folder, check=True)
        driver = webdriver_session.open_browser(os.path.join(folder, "profile"), 1400, 1720)
        try:
            driver.get("file://" + os.path.join(folder, "study.html"))
            time.sleep(0.5)
            for name in ("s007", "s012"):
                driver.find_element("css selector", 'tr[data-figure="%s/3D_BODY.ROT"] input' % name).click()
            driver.execute_script("document.activeElement.blur()")
            time.sleep(0.5)
            driver.save_screenshot(os.path.abspath(out))
        finally:
            driver.quit()


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit("usage: study_picture.py TORSOVA TORSOVA_VIEW EXAMPLE_FORM OUT.png")
    main(*sys.argv[1:])
