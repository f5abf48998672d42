# Reads and uses Calibrix through the AT-SPI bus as a screen reader does. Run by
# screenreader_test.sh as: screenreader_test.py PROGRAM OPENED_FILE (the fake xdg-open's log).
import os
import signal
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

import pyatspi  # noqa: E402

WAIT = 10.0  # seconds for the program to answer one request
END = time.monotonic() + 120.0  # and for the whole test, which also fails fast once it fails
LABEL, TEXT, IMAGE = pyatspi.ROLE_LABEL, pyatspi.ROLE_TEXT, pyatspi.ROLE_IMAGE
# The sample table at start (MS = a + bC, 95 %), from the worked example.
START = ["a, 5.33333E-01", "\u0394a, 3.488149", "b, 9.903030", "\u0394b, 5.62166E-01",
         "detection limit, 6.28757E-01", "standard deviation, 2.214279",
         "correlation coefficient, 0.99758"]
# (1, 2), (2, 4), (3, 6) lie on MS = 2C: a = 0, b = 2, R = 1, by hand.
POINTS = [("1", "2"), ("2", "4"), ("3", "6")]
EXACT = ["a, 0", "b, 2.000000", "correlation coefficient, 1.00000"]
failures, heard = [], []  # heard: (role, name) of every name change announced


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


def wait_for(probe):
    """Calls probe until it gives something true, handling AT-SPI events meanwhile."""
    deadline = min(time.monotonic() + WAIT, END)
    while True:
        while GLib.MainContext.default().pending():
            GLib.MainContext.default().iteration(False)
        try:
            found = probe()
        except GLib.GError:
            found = None  # the tree changed under us; ask again
        if found or time.monotonic() > deadline:
            return found
        time.sleep(0.05)


def walk(node):
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i))


def find(root, name, role=None):
    return next((n for n in walk(root) if n.name == name and role in (None, n.getRole())), None)


def press(node):
    """A screen reader's activation: Toggle for an option, Press otherwise."""
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Toggle" if "Toggle" in names else "Press"))


def on_name_change(event):
    try:  # libatspi hands over the source, its name already updated from the event
        said = event.any_data if isinstance(event.any_data, str) else event.source.name
        heard.append((event.source.getRole(), said))
    except GLib.GError:
        pass  # an object gone since; the result fields never go


def main_window(window):
    for name in START:
        check(find(window, name, LABEL) is not None, f"at start a result reads '{name}'")
    plot = find(window, "Calibration curve", IMAGE)
    check(plot is not None, "the plot is an image named 'Calibration curve'")
    if plot is None:
        return

    def plot_says(text):
        check(bool(wait_for(lambda: plot.description == text)),
              f"the plot says '{text}': '{plot.description}'")

    plot_says("10 points and the fitted line MS = a + bC")
    press(find(window, "Clear all"))
    check(bool(wait_for(lambda: (LABEL, "b, empty") in heard and find(window, "a, empty"))),
          "Clear all: the results read and are announced as empty")
    plot_says("Nothing is plotted.")
    for row, (c, ms) in enumerate(POINTS, start=1):
        find(window, f"C, point {row}", TEXT).queryEditableText().setTextContents(c)
        find(window, f"MS, point {row}", TEXT).queryEditableText().setTextContents(ms)
    for name in EXACT:
        check(bool(wait_for(lambda: (LABEL, name) in heard and find(window, name, LABEL))),
              f"typing the points announces and shows '{name}'")
    plot_says("3 points and the fitted line MS = a + bC")
    press(find(window, "MS = bC"))
    for name in ["a, empty", "\u0394a, empty", "b, 2.000000"]:
        check(bool(wait_for(lambda: find(window, name, LABEL))),
              f"MS = bC: a result reads '{name}'")
    plot_says("3 points and the fitted line MS = bC")


def about_window(app, window, opened_file):
    press(find(window, "About"))
    about = wait_for(lambda: find(app, " About"))
    check(about is not None, "the About button opens the About window")
    if about is None:
        return
    check(find(about, "OK", pyatspi.ROLE_PUSH_BUTTON) is not None, "OK is a button named 'OK'")
    links = [n for n in walk(about) if n.getRole() == pyatspi.ROLE_LINK]
    mail = [n.name.split()[-1] for n in links if "@" in n.name]
    web = [n.name for n in links if n.name.endswith("/simulations/simu_chem.html")]
    check(len(mail) == 1 and len(web) == 1, f"a mail and a web link named by address: {mail} {web}")
    check(all(n.getState().contains(pyatspi.STATE_FOCUSABLE) for n in links),
          "the links take the focus")
    for link in links:
        press(link)
    expected = sorted([f"mailto:{address}" for address in mail] + web)

    def opened():
        try:
            with open(opened_file, encoding="utf-8") as f:
                return sorted(f.read().split())
        except FileNotFoundError:
            return []

    # Each link opens on its own, so the two may finish in either order.
    check(bool(wait_for(lambda: opened() == expected)),
          f"the links' actions open {expected}: {opened()}")


def nothing_unnamed(app):
    shown = [n for n in walk(app) if n.getState().contains(pyatspi.STATE_SHOWING)
             or n.getState().contains(pyatspi.STATE_FOCUSABLE)]
    unnamed = [f"{n.getRoleName()} {pyatspi.getPath(n)}" for n in shown if not n.name.strip()]
    check(len(shown) > 100 and not unnamed,
          f"all {len(shown)} shown or focusable objects have names; unnamed: {unnamed}")


def main(program, opened_file):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    env.pop("BROWSER", None)
    # Stopped from outside, still end the program (below, on the way out).
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    pyatspi.Registry.registerEventListener(on_name_change,
                                           "object:property-change:accessible-name")
    calibrix = subprocess.Popen([program], env=env)
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_for(lambda: next(
            (a for a in desktop if a and a.get_process_id() == calibrix.pid), None))
        check(app is not None, "the program is on the accessibility bus")
        if app is None:
            return 1
        app.set_cache_mask(Atspi.Cache.NONE)  # every value read from the program as it is now
        window = wait_for(lambda: find(app, "CALIBRIX for Chemical Analysis 2.0"))
        check(window is not None, "the main window is in the tree")
        if window is not None:
            main_window(window)
            about_window(app, window, opened_file)
            nothing_unnamed(app)
    finally:
        calibrix.kill()
        calibrix.wait(timeout=WAIT)
    print(f"{len(failures)} failure(s)", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
