"""Nothing on the figure page moves once it is first drawn. The pages of a
body figure lacking landmarks, of the example and of a figure that is not a
body figure are served with the processor slowed 4 times, both at once (as a
page opened from the disk arrives, its script running before the first frame)
and as over a slow network: the markup first, the data and the script half a
second later, so that the browser draws the page before its script runs. The
cumulative layout shift, read through a PerformanceObserver of "layout-shift",
must stay 0, wide and narrow, in one of two loads. Run as: layout_shift_test.py TORSOVA_VIEW EXAMPLE_FIGURE LACKING_FIGURE.
Status 77 (skipped) without Chromium, its driver or Selenium, except under CI=true."""

import http.server
import os
import socketserver
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import webdriver_session  # noqa: E402

kPause = 0.5  # seconds between the markup and the rest
# Far below the 0.1 counted good: nothing may move at all, not even the
# footer's one line.
kMostShift = 0.0001
kSizes = ((1100, 800), (412, 823))  # a desktop window and a phone


def check(holds, message):
    if not holds:
        raise AssertionError(message)


def serve_in_two_parts(folder):
    """A server of `folder` that sends a page's markup, pauses, then the rest
    from its first <script> on; under /at-once/ it sends the page whole.
    Returns the server and its address."""

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            try:
                with open(os.path.join(folder, os.path.basename(self.path)), "rb") as file:
                    page = file.read()
            except OSError:
                self.send_error(404)
                return
            cut = len(page) if self.path.startswith("/at-once/") else page.find(b"<script")
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Content-Length", str(len(page)))
            self.end_headers()
            self.wfile.write(page[:cut])
            if cut < len(page):
                self.wfile.flush()
                time.sleep(kPause)
                self.wfile.write(page[cut:])

        def log_message(self, *arguments):
            pass

    server = socketserver.ThreadingTCPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, "http://127.0.0.1:%d/" % server.server_address[1]


def layout_shift(driver, url):
    driver.get("about:blank")
    driver.get(url)
    root = driver.find_element("tag name", "html")
    for _ in range(200):
        if root.get_attribute("data-ready") or root.get_attribute("data-error"):
            break
        time.sleep(0.02)
    check(root.get_attribute("data-error") is None, "%s: %s" % (url, root.get_attribute("data-error")))
    time.sleep(0.3)  # what the script does after the first frame
    # The shift, and what moved: "element#id (left,top,width,height) ->
    # (...)" for each source.
    return driver.execute_script("""
        return new Promise((done) => {
          let shift = 0;
          const moved = [];
          const box = (r) => "(" + [r.x, r.y, r.width, r.height].map(Math.round) + ")";
          new PerformanceObserver((list) => {
            for (const entry of list.getEntries()) {
              if (entry.hadRecentInput) continue;
              shift += entry.value;
              for (const s of entry.sources || []) {
                const node = s.node ? s.node.nodeName.toLowerCase() + (s.node.id ? "#" + s.node.id : "") : "?";
                moved.push(node + " " + box(s.previousRect) + " -> " + box(s.currentRect));
              }
            }
          }).observe({ type: "layout-shift", buffered: true });
          setTimeout(() => done([shift, moved.join("; ")]), 100);
        });""")


def main(view, example, lacking):
    missing = webdriver_session.unavailable()
    if missing is not None:
        return missing
    with tempfile.TemporaryDirectory(prefix="torsova-layout-shift-") as folder:
        foreign = os.path.join(folder, "foreign.ROT")
        with open(foreign, "w") as file:
            file.write("#Not a body\n 1 2 3 0\n 4 5 6 7\n")
        pages = {}
        for name, figure in (("lacking", lacking), ("example", example), ("foreign", foreign)):
            pages[name] = name + ".html"
            subprocess.run([view, "-o", os.path.join(folder, pages[name]), figure], check=True,
                           stdout=subprocess.DEVNULL)
        server, address = serve_in_two_parts(folder)
        driver = webdriver_session.open_browser(os.path.join(folder, "profile"), *kSizes[0])
        try:
            driver.command_executor._commands["cdp"] = ("POST", "/session/$sessionId/goog/cdp/execute")
            driver.execute("cdp", {"cmd": "Emulation.setCPUThrottlingRate", "params": {"rate": 4}})
            for width, height in kSizes:
                driver.set_window_size(width, height)
                for name, page in pages.items():
                    for way, prefix in (("at once", "at-once/"), ("in two parts", "")):
                        # A page that moves does so on every load; a machine
                        # busy with other work can make one load stutter.
                        shifts = []
                        while len(shifts) < 2 and (not shifts or shifts[-1][0] >= kMostShift):
                            shifts.append(layout_shift(driver, address + prefix + page))
                        check(shifts[-1][0] < kMostShift, "the page of the %s figure at %dx%d, sent %s, shifts on each load: %s" % (
                            name, width, height, way, "; ".join("by %.3f: %s" % tuple(shift) for shift in shifts)))
        finally:
            driver.quit()
            server.shutdown()
    print("no page moved once drawn: %s, wide and narrow, sent at once and in two parts" % ", ".join(pages))
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: layout_shift_test.py TORSOVA_VIEW EXAMPLE_FIGURE LACKING_FIGURE")
    sys.exit(main(*(os.path.abspath(argument) for argument in sys.argv[1:])))
