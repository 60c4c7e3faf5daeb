#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Kalvoster's site in headless Chromium, timed:

    web_bench.py SITE [RUNS]

  first picture   from the start of the browser's process (a new profile each run: the first
                  visit, nothing cached) until the frame after the program's window was shown
                  has been drawn; also from the page's own start (the navigation) alone.
  full search     "Suche bis" from 1 with the gap 1399, from the click until the window shows
                  1365 and has drawn it: 1364 steps, as the desktop's fullSearch benchmark.

Each RUNS times (default 5); prints the median and the range. The site is served from a
loopback server, in a page of 1200 x 800 CSS pixels at a device pixel ratio of 1, where the
window is at its natural size. Needs what the site's tests need (chromium, chromium-driver,
python3-selenium, python3-pil).
"""
import os
import statistics
import sys
import tempfile
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import site_test  # noqa: E402  the site's server and the page a user drives

# Put into every document before its own scripts: the time, on the wall clock, of the animation
# frame after the first one that found the window shown, when the frame the window was first
# drawn in has been presented.
FIRST_PICTURE_WATCH = """
const look = () => {
    if (document.documentElement?.dataset.state !== 'running')
        return requestAnimationFrame(look);
    requestAnimationFrame(() => {
        window.kalvosterFirstPicture = performance.timeOrigin + performance.now();
    });
};
requestAnimationFrame(look);
"""

# Resolves, once the search has reached n, with the milliseconds from the click on "Suche bis"
# (its pointer going down) to the frame after the one that drew n.
SEARCH_WATCH = """
const last = arguments[0];
window.kalvosterSearch = new Promise(done => {
    let clicked = null;
    window.addEventListener('pointerdown', () => { clicked = performance.now(); },
                            { capture: true, once: true });
    const watch = () => {
        const state = JSON.parse(globalThis.kalvosterState() || '{}');
        if (clicked !== null && state.n === last)
            requestAnimationFrame(() => done(performance.now() - clicked));
        else
            requestAnimationFrame(watch);
    };
    watch();
});
"""


def browser_started(page):
    """When the browser's process started, on the wall clock: chromium-driver's child (Debian's
    /usr/bin/chromium is a script that runs Chromium in its own process)."""
    driver = page.driver.service.process.pid
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{entry}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()  # from the 3rd field on
        except OSError:
            continue
        if int(fields[1]) == driver:  # the parent
            with open("/proc/uptime") as uptime:
                now, since_boot = time.time(), float(uptime.read().split()[0])
            return now - since_boot + int(fields[19]) / os.sysconf("SC_CLK_TCK")  # the start
    raise AssertionError("no browser process below chromium-driver")


def first_picture(site, output):
    """Seconds from the browser's start, and from the navigation, to the first picture."""
    with tempfile.TemporaryDirectory(prefix="kalvoster-chromium-") as profile:
        page = site_test.Page(site, output, profile)
        try:
            started = browser_started(page)
            page.cdp("Page.addScriptToEvaluateOnNewDocument", source=FIRST_PICTURE_WATCH)
            page.open(1200, 800)
            shown = page.js("return window.kalvosterFirstPicture")
            navigated = page.js("return performance.timeOrigin")
            assert shown, "the page marked no first picture"
            return (shown / 1000 - started, (shown - navigated) / 1000)
        finally:
            page.driver.quit()


def full_searches(site, output, runs):
    """Seconds of each of RUNS full searches in one page."""
    times = []
    with tempfile.TemporaryDirectory(prefix="kalvoster-chromium-") as profile:
        page = site_test.Page(site, output, profile)
        try:
            page.open(1200, 800)
            page.driver.set_script_timeout(60)
            page.type_into("txtLuecke", "1399")
            for _ in range(runs):
                page.click("HScroll2 left arrow")
                page.keys(site_test.Keys.HOME)
                page.wait("n = 1", lambda: page.js("return JSON.parse(kalvosterState()).n") == 1)
                page.driver.execute_script(SEARCH_WATCH, 1365)
                page.click("cmdSuche")
                times.append(page.driver.execute_async_script(
                    "window.kalvosterSearch.then(arguments[0])") / 1000)
        finally:
            page.driver.quit()
    return times


def line(name, values):
    print(f"{name:<34} {statistics.median(values):8.3f} s  "
          f"({min(values):.3f} to {max(values):.3f})")


def main():
    if site_test.MISSING:
        sys.exit(site_test.MISSING)
    folder = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    site = site_test.Site(folder)
    with tempfile.TemporaryDirectory(prefix="kalvoster-bench-") as output:
        try:
            pictures = [first_picture(site, output) for _ in range(runs)]
            searches = full_searches(site, output, runs)
        finally:
            site.stop()
    print(f"benchmark (browser)                median of {runs}  (range)")
    line("first picture, browser start", [whole for whole, _ in pictures])
    line("first picture, page start", [own for _, own in pictures])
    line("full search", searches)


if __name__ == "__main__":
    main()
