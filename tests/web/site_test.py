#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Kalvoster's site in headless Chromium, one case a run:

    site_test.py SITE OUTPUT CASE

Serves SITE from a loopback web server of its own (every other host blocked, and a request to
another origin fails the case), opens it in Debian's Chromium through chromium-driver in
a page of 1400 x 900 CSS pixels at a device pixel ratio of 1, and drives the window with the mouse and
the keyboard as a user would. Exits 0 when the case passes, 1 when it fails (leaving pictures
and the browser's console in OUTPUT/CASE), 77 when it cannot run here, saying why. The first
picture needs the desktop's snapshot tool for this machine, named by KV_SNAPSHOT, and the
offscreen platform.
"""
import base64
import functools
import http.server
import io
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import traceback
from urllib.parse import urlsplit

try:
    from PIL import Image, ImageChops
    from selenium import webdriver
    from selenium.common.exceptions import WebDriverException
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.actions.action_builder import ActionBuilder
    from selenium.webdriver.common.keys import Keys
    MISSING = None
except ImportError as error:
    MISSING = f"Python's {error.name} is missing (python3-pil, python3-selenium)"

# The form's size and its controls' centres as app/form1_controls.cpp places them, in twips,
# 15 to a CSS pixel at scale 1; y counts from the form's top, below the menu bar.
TWIPS = 15
FORM_WIDTH, FORM_HEIGHT = round(15516 / TWIPS), round(9468 / TWIPS)
CONTROLS = {
    "cmd27": (360 + 120 + 306, 6960 + 960 + 306),
    "cmdSuche": (6360 + 786, 7080 + 246),
    "cmdPlus": (7680 + 126, 7800 + 126),
    "txtLuecke": (7080 + 306, 7800 + 252),
    "txtAusgabe": (8160 + 3606, 5400 + 1626),
    "txtN": (360 + 846, 6120 + 366),
    "HScroll2 left arrow": (2040 + 120, 6120 + 246),
}

# The report of 27 as the desktop's window shows it (kalvoster-snapshot --parts DIR 27, its
# texts.txt), as the clipboard holds it: one line end each, an empty line for the overlaps.
REPORT_27 = """Darstellungen: 4

 27 =  2 + ... 7     (A =  6 )     (D =  4.5 )
 27 =  8 + ... 10     (A =  3 )     (D =  9 )
 27 =  13 + 14     (A =  2 )     (D =  13.5 )
 27 =  27     (A =  1 )     (D =  27 )

Lücke  0  Anz.: 1
Lücke  2  Anz.: 1
Lücke  5  Anz.: 1
Lücke  12  Anz.: 1
Lücke  16  Anz.: 1
Lücke  19  Anz.: 1

"""

# The most a channel of a pixel may differ between the desktop's first picture and the
# browser's. Both draw with the same toolkit, style, palette and fonts, and rasterise text with
# FreeType, unhinted in the browser and so, through fonts.conf, on the desktop; the FreeType of
# the system and the toolkit's own may still round a glyph's edge a level apart (measured: 3
# pixels by 1). A wrong colour, another font, or a line or a glyph a pixel off differs by far
# more.
TOLERANCE = 8
HERE = os.path.dirname(os.path.abspath(__file__))
SHADOW = "document.querySelector('#screen > div').shadowRoot"


class Skip(Exception):
    pass


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript"}

    def log_message(self, format, *args):
        pass


class Site(http.server.ThreadingHTTPServer):
    """The site on 127.0.0.1, on a free port, until stopped."""

    def __init__(self, folder):
        super().__init__(("127.0.0.1", 0), functools.partial(Handler, directory=folder))
        self.folder, self.address = folder, f"http://127.0.0.1:{self.server_address[1]}/"
        threading.Thread(target=self.serve_forever, daemon=True).start()

    def stop(self):
        self.shutdown()
        self.server_close()


class Page:
    """Chromium showing the site, and what a user does there."""

    def __init__(self, site, output, profile):
        self.site, self.output = site, output
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", f"--user-data-dir={profile}",
                     "--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"):
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
        self.driver = webdriver.Chrome(options=options, service=Service("/usr/bin/chromedriver"))
        self.driver.set_page_load_timeout(30)
        self.driver.set_script_timeout(10)
        self.cdp("Browser.grantPermissions", origin=site.address.rstrip("/"),
                 permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])

    def cdp(self, command, **parameters):
        return self.driver.execute_cdp_cmd(command, parameters)

    def js(self, script):
        return self.driver.execute_script(script)

    def state(self):
        """As the page marks it: loading, running (the window shown), ended or failed."""
        return self.js("return document.documentElement.dataset.state")

    def wait(self, what, condition, seconds=10):
        deadline = time.monotonic() + seconds
        while not (result := condition()):
            if self.state() == "failed":
                raise AssertionError(f"waiting for {what}, the page failed: "
                                     + " ".join(self.js("return document.body.innerText").split()))
            assert time.monotonic() < deadline, f"no {what} within {seconds} s"
            time.sleep(0.05)
        return result

    def open(self, width=1400, height=900):
        """Loads the site into a page of width x height CSS pixels, and waits for the window
        and its first paint."""
        self.cdp("Emulation.setDeviceMetricsOverride",
                 width=width, height=height, deviceScaleFactor=1, mobile=False)
        self.driver.get(self.site.address)
        if not self.js("return document.documentElement.hasAttribute('data-state')"):
            raise Skip("the page marks no state (data-state) yet")
        self.wait("window", lambda: self.state() == "running", 60)
        self.settle()

    def settle(self):
        """The window's picture once it stays the same for a fifth of a second."""
        last, deadline = None, time.monotonic() + 10
        while (now := self.picture()) != last:
            assert time.monotonic() < deadline, "the window kept changing for 10 s"
            last = now
            time.sleep(0.2)
        return now

    def container(self):
        """The page's place for the window: left, top, width, height in CSS pixels."""
        return self.js("const r = document.getElementById('screen').getBoundingClientRect();"
                       "return [r.left, r.top, r.width, r.height];")

    def window(self):
        """The scale and the menu bar's height at scale 1, from the container that the page
        sized for the window at the size the program told it."""
        _, _, width, height = self.container()
        return width / FORM_WIDTH, round(height * FORM_WIDTH / width) - FORM_HEIGHT

    def picture(self):
        left, top, width, height = self.container()
        shot = self.cdp("Page.captureScreenshot", format="png", clip={
            "x": left, "y": top, "width": width, "height": height, "scale": 1})
        return Image.open(io.BytesIO(base64.b64decode(shot["data"]))).convert("RGB")

    def click(self, control):
        """Clicks a control of the form, or the menu bar's first command."""
        (left, top, _, _), (scale, menu_bar) = self.container(), self.window()
        x, y = (40, menu_bar / 2) if control == "Programm beenden" else (
            CONTROLS[control][0] / TWIPS, menu_bar + CONTROLS[control][1] / TWIPS)
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(round(left + x * scale), round(top + y * scale))
        actions.pointer_action.click()
        actions.perform()

    def keys(self, text, ctrl=False):
        actions = ActionChains(self.driver)
        (actions.key_down(Keys.CONTROL).send_keys(text).key_up(Keys.CONTROL) if ctrl
         else actions.send_keys(text)).perform()

    def copy(self, control):
        """The text of a text box through the browser's clipboard: clicked, all selected,
        copied, read by the page."""
        self.driver.execute_async_script("navigator.clipboard.writeText('').then(arguments[0])")
        self.click(control)
        self.keys("a", ctrl=True)
        self.keys("c", ctrl=True)
        return self.wait(f"the copy of {control}", lambda: self.driver.execute_async_script(
            "navigator.clipboard.readText().then(arguments[0])"), 5)

    def n(self):
        return int(self.copy("txtN"))

    def type_into(self, control, text):
        self.click(control)
        self.keys("a", ctrl=True)
        self.keys(text)

    def check_origins(self):
        own = urlsplit(self.site.address).netloc
        requests = [json.loads(entry["message"])["message"]
                    for entry in self.driver.get_log("performance")]
        foreign = [r["params"]["request"]["url"] for r in requests
                   if r["method"] == "Network.requestWillBeSent"
                   and urlsplit(r["params"]["request"]["url"]).scheme in ("http", "https", "ws")
                   and urlsplit(r["params"]["request"]["url"]).netloc != own]
        assert not foreign, f"requests to other origins: {foreign}"

    def keep(self):
        """What a failure leaves in OUTPUT: the page's picture and the browser's console."""
        os.makedirs(self.output, exist_ok=True)
        self.driver.save_screenshot(os.path.join(self.output, "page.png"))
        with open(os.path.join(self.output, "console.txt"), "w", encoding="utf-8") as console:
            for entry in self.driver.get_log("browser"):
                console.write(f"{entry['level']}: {entry['message']}\n")


def same_lines(copied, expected):
    lines, expected_lines = copied.split("\n"), expected.split("\n")
    for number, (line, expected_line) in enumerate(zip(lines, expected_lines), 1):
        assert line == expected_line, f"line {number} copied: {line!r}, not {expected_line!r}"
    assert len(lines) == len(expected_lines), f"{len(lines)} lines copied: {copied!r}"


def first_picture(page):
    """At scale 1 the window shows what the desktop's window shows as it opens, pixel for pixel
    within TOLERANCE."""
    tool = os.environ.get("KV_SNAPSHOT", "")
    if not os.access(tool, os.X_OK):
        raise Skip(f"no snapshot tool for this machine at {tool!r} (scripts/web builds it)")
    os.makedirs(page.output)
    subprocess.run([tool, os.path.join(page.output, "desktop.png")], check=True, timeout=30,
                   env=dict(os.environ, FONTCONFIG_FILE=os.path.join(HERE, "fonts.conf")))
    desktop = Image.open(os.path.join(page.output, "desktop.png")).convert("RGB")
    page.open(1200, 800)  # where the page's scale is 1
    assert (scale := page.window()[0]) == 1, f"the page chose the scale {scale}"
    browser = page.settle()
    browser.save(os.path.join(page.output, "browser.png"))
    assert browser.size == desktop.size, f"the window is {browser.size}, not {desktop.size}"
    difference = ImageChops.difference(desktop, browser)
    worst = functools.reduce(ImageChops.lighter, difference.split())
    over = [i for i, value in enumerate(worst.getdata()) if value > TOLERANCE]
    if over:
        difference.point(lambda value: min(255, 8 * value)).save(
            os.path.join(page.output, "difference.png"))
        first = (over[0] % desktop.width, over[0] // desktop.width)
        raise AssertionError(
            f"{len(over)} pixels differ by more than {TOLERANCE}, within "
            f"{worst.point(lambda value: 255 * (value > TOLERANCE)).getbbox()}; the first at "
            f"{first}: desktop {desktop.getpixel(first)}, browser {browser.getpixel(first)}")


def example_27(page):
    """The example button 27 shows the report of 27, and copying it reaches the browser's
    clipboard."""
    page.open()
    page.click("cmd27")
    same_lines(page.copy("txtAusgabe"), REPORT_27)


def gap_search_with_plus(page):
    """The gap search stops where the desktop's does (tests/test_gap_search.cpp): from 1, the
    overlap -1 typed in, at 9; "+" twice makes it the gap 1, found from 1 at 5."""
    page.open()
    for gap, stop in (("-1", 9), (None, 5)):
        page.click("HScroll2 left arrow")
        page.keys(Keys.HOME)
        assert page.n() == 1
        if gap:
            page.type_into("txtLuecke", gap)
        else:
            page.click("cmdPlus")
            page.click("cmdPlus")
            assert page.copy("txtLuecke") == " 1"
        page.click("cmdSuche")
        page.settle()
        assert (n := page.n()) == stop, f"the search from 1 stopped at {n}, not at {stop}"


def gap_box(page):
    """A gap outside the histogram stops the search after one step with its warning box, whose
    text the page offers a screen reader; Enter closes it, and the window goes on."""
    page.open()
    page.js(f"{SHADOW}.querySelector('button.hidden-visually-read-by-screen-reader').click()")
    page.type_into("txtLuecke", "1400")
    page.click("cmdSuche")
    text = page.wait("the box", lambda: page.js(
        f"const label = {SHADOW}.querySelector('textarea[id$=qt_msgbox_label]');"
        "return label && label.textContent"))
    assert text == "Die Lücke muss zwischen -1401 und 1399 liegen.", f"the box says {text!r}"
    page.keys(Keys.ENTER)
    page.wait("the box to close",
              lambda: page.js(f"return {SHADOW}.querySelectorAll('.qt-window').length == 1"))
    assert page.n() == 16
    report = page.copy("txtAusgabe")
    assert report.startswith("Darstellungen: 1\n\n 16 =  16 "), f"the report copied: {report!r}"
    page.click("cmd27")
    assert page.n() == 27


def end_and_restart(page):
    """"Programm beenden" ends the program, the page says so, and its button starts it anew."""
    page.open()
    page.click("Programm beenden")
    page.wait("the end", lambda: page.state() == "ended")
    assert page.driver.title == "Kalvoster – beendet", page.driver.title
    assert "Kalvoster wurde beendet." in page.js("return document.body.innerText")
    page.js("[...document.querySelectorAll('button')]"
            ".find(b => b.textContent == 'Kalvoster wieder starten').click()")
    page.wait("the window again", lambda: page.state() == "running", 60)
    page.settle()
    page.click("cmd27")
    assert page.n() == 27


def offline(page):
    """After one visit the site starts without its server, from the service worker's cache."""
    if not os.path.exists(os.path.join(page.site.folder, "sw.js")):
        raise Skip("the site has no service worker (sw.js) yet")
    page.open()
    page.wait("the service worker in control",
              lambda: page.js("return !!navigator.serviceWorker.controller"))
    page.site.stop()
    page.cdp("Network.enable")
    page.cdp("Network.setCacheDisabled", cacheDisabled=True)  # what the browser keeps anyway
    try:
        page.driver.get(page.site.address)
    except WebDriverException as error:
        raise AssertionError(f"no page without the server: {error.msg}") from None
    page.wait("the window without the server", lambda: page.state() == "running", 30)
    page.settle()
    page.click("cmd27")
    assert page.n() == 27


CASES = {case.__name__: case for case in (
    first_picture, example_27, gap_search_with_plus, gap_box, end_and_restart, offline)}


def main():
    folder, output, case = sys.argv[1:4]
    missing = MISSING or next((f"{program} is missing (chromium, chromium-driver)" for program
                               in ("/usr/bin/chromium", "/usr/bin/chromedriver")
                               if not os.access(program, os.X_OK)), None)
    if missing:
        print(f"SKIP {case}: {missing}")
        return 77
    output = os.path.join(output, case)
    shutil.rmtree(output, ignore_errors=True)
    site, page = Site(folder), None
    with tempfile.TemporaryDirectory(prefix="kalvoster-chromium-") as profile:
        try:
            page = Page(site, output, profile)
            CASES[case](page)
            page.check_origins()
            shutil.rmtree(output, ignore_errors=True)
            print(f"PASS {case}")
            return 0
        except Skip as reason:
            print(f"SKIP {case}: {reason}")
            return 77
        except Exception:
            traceback.print_exc()
            if page:
                page.keep()
            print(f"FAIL {case}: the page's picture and the browser's console are in {output}")
            return 1
        finally:
            if page:
                page.driver.quit()
            site.stop()


if __name__ == "__main__":
    sys.exit(main())
