"""Headless Chromium driven through Selenium WebDriver, shared by the browser
tests. The driver is started here and reached at 127.0.0.1, not "localhost":
a machine without a hosts file (a bare chroot) does not resolve that name."""

import os
import shutil
import socket
import subprocess
import time

import headless

kFlags = ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
          "--disable-background-networking", "--disable-component-update", "--disable-sync",
          "--hide-scrollbars")


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def open_browser(profile, width, height):
    """A WebDriver session in a fresh profile; its quit() also ends the driver."""
    from selenium import webdriver

    port = free_port()
    driver_process = subprocess.Popen(
        [shutil.which("chromedriver"), "--port=%d" % port, "--allowed-ips=127.0.0.1"],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 30
    while True:
        try:
            socket.create_connection(("127.0.0.1", port), timeout=1).close()
            break
        except OSError:
            if driver_process.poll() is not None or time.monotonic() > deadline:
                driver_process.kill()
                raise RuntimeError("chromedriver did not start on port %d" % port)
            time.sleep(0.05)
    options = webdriver.ChromeOptions()
    options.binary_location = headless.find_browser()
    for flag in kFlags + ("--user-data-dir=" + profile, "--window-size=%d,%d" % (width, height)):
        options.add_argument(flag)
    try:
        driver = webdriver.Remote(command_executor="http://127.0.0.1:%d" % port, options=options)
    except Exception:
        driver_process.kill()
        raise
    quit_session = driver.quit

    def quit_all():
        try:
            quit_session()
        finally:
            driver_process.kill()
            driver_process.wait()

    driver.quit = quit_all
    return driver


def unavailable():
    """None when Chromium, its driver and Selenium are all here; otherwise the
    status a browser test ends with: 77 (skipped) after saying what is
    missing, or 1 under CI=true, where they must be."""
    try:
        import selenium  # noqa: F401
    except ImportError:
        selenium = None
    if headless.find_browser() and selenium and shutil.which("chromedriver"):
        return None
    if os.environ.get("CI") == "true":
        print("no chromium, chromedriver or selenium, and CI=true: the page cannot be tested")
        return 1
    print("skipped: needs chromium, chromium-driver and python3-selenium")
    return 77
