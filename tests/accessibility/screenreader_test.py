"""Reads Calibrix through the AT-SPI bus as a screen reader does, and uses it the same way.

Run by screenreader_test.sh inside its own X server and D-Bus session:
    screenreader_test.py PROGRAM OPENED_FILE
PROGRAM is the built calibrix; OPENED_FILE is where the fake xdg-open writes what it was asked
to open. Every wait is bounded; the program is killed on the way out.
"""

import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

import pyatspi  # noqa: E402

WAIT = 20.0  # seconds for anything the program does in answer to one request

# The seven result fields at start: the sample table, MS = a + bC, 95 % (the worked example).
START_RESULTS = [
    ("a", "5.33333E-01"),
    ("\u0394a", "3.488149"),
    ("b", "9.903030"),
    ("\u0394b", "5.62166E-01"),
    ("detection limit", "6.28757E-01"),
    ("standard deviation", "2.214279"),
    ("correlation coefficient", "0.99758"),
]

# The points (1, 2), (2, 4), (3, 6) lie exactly on MS = 2C: a = 0, b = 2, R = 1 by hand.
EXACT_POINTS = [("1", "2"), ("2", "4"), ("3", "6")]
EXACT_RESULTS = ["a, 0", "b, 2.000000", "correlation coefficient, 1.00000"]
# MS = bC leaves no intercept: its two fields are said as empty.
ORIGIN_RESULTS = ["a, empty", "\u0394a, empty", "b, 2.000000"]

failures = []
name_events = []  # (role, new name) of every accessible-name change heard


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(probe, timeout=WAIT):
    """Calls probe until it returns something true, handling AT-SPI events meanwhile."""
    deadline = time.monotonic() + timeout
    while True:
        pump()
        try:
            found = probe()
        except GLib.GError:
            found = None  # the tree changed under us; ask again
        if found or time.monotonic() > deadline:
            return found
        time.sleep(0.05)


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


def walk(node):
    yield node
    for child in children(node):
        if child is not None:
            yield from walk(child)


def find(root, name, role=None):
    for node in walk(root):
        if node.name == name and (role is None or node.getRole() == role):
            return node
    return None


def find_window(app, name):
    for window in children(app):
        if window is not None and window.name == name:
            return window
    return None


def press(node):
    """What a screen reader's activation does: a button's Press, an option's Toggle."""
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Toggle" if "Toggle" in names else "Press"))


def on_name_change(event):
    # libatspi hands over the source with its name updated from the event.
    try:
        said = event.any_data if isinstance(event.any_data, str) else event.source.name
        name_events.append((event.source.getRole(), said))
    except GLib.GError:
        pass  # an object gone since; none of the result fields ever goes


def heard(name):
    return any(role == pyatspi.ROLE_LABEL and said == name for role, said in name_events)


def main_window_checks(window):
    for meaning, value in START_RESULTS:
        check(find(window, f"{meaning}, {value}", pyatspi.ROLE_LABEL) is not None,
              f"result field said as '{meaning}, {value}' at start")

    plot = find(window, "Calibration curve", pyatspi.ROLE_IMAGE)
    check(plot is not None, "the plot is an image named 'Calibration curve'")
    if plot is not None:
        check(plot.description == "10 points and the fitted line MS = a + bC",
              f"the plot describes the sample plot: '{plot.description}'")

    # Clear all, then type three points cell by cell, as a user of a screen reader would.
    del name_events[:]
    press(find(window, "Clear all", pyatspi.ROLE_PUSH_BUTTON))
    check(bool(wait_for(lambda: heard("b, empty") and find(window, "a, empty"))),
          "Clear all: the fields are said as empty and their change is announced")
    if plot is not None:
        check(bool(wait_for(lambda: plot.description == "Nothing is plotted.")),
              f"Clear all: the plot says nothing is plotted: '{plot.description}'")

    for row, (c, ms) in enumerate(EXACT_POINTS, start=1):
        for column, text in (("C", c), ("MS", ms)):
            cell = find(window, f"{column}, point {row}", pyatspi.ROLE_TEXT)
            cell.queryEditableText().setTextContents(text)
    for name in EXACT_RESULTS:
        check(bool(wait_for(lambda: heard(name))), f"typing the points announces '{name}'")
        check(find(window, name, pyatspi.ROLE_LABEL) is not None, f"a field now reads '{name}'")
    if plot is not None:
        check(bool(wait_for(lambda: plot.description == "3 points and the fitted line MS = a + bC")),
              f"the plot describes three points: '{plot.description}'")

    press(find(window, "MS = bC", pyatspi.ROLE_RADIO_BUTTON))
    for name in ORIGIN_RESULTS:
        check(bool(wait_for(lambda: find(window, name, pyatspi.ROLE_LABEL))),
              f"MS = bC: a field reads '{name}'")
    if plot is not None:
        check(bool(wait_for(lambda: plot.description == "3 points and the fitted line MS = bC")),
              f"MS = bC: the plot names the model: '{plot.description}'")


def about_window_checks(app, window, opened_file):
    press(find(window, "About", pyatspi.ROLE_PUSH_BUTTON))
    about = wait_for(lambda: find_window(app, " About"))
    check(about is not None, "the About button opens the About window")
    if about is None:
        return
    check(find(about, "OK", pyatspi.ROLE_PUSH_BUTTON) is not None, "OK is a button named 'OK'")
    portrait = find(about, "Portrait of the author")
    check(portrait is not None and portrait.getState().contains(pyatspi.STATE_FOCUSABLE),
          "the portrait, which takes the focus, has a name")

    links = [node for node in walk(about) if node.getRole() == pyatspi.ROLE_LINK]
    mail = [link for link in links if "@" in link.name]
    web = [link for link in links if "/simulations/simu_chem.html" in link.name]
    check(len(mail) == 1 and len(web) == 1,
          f"one mail and one web link, named by their addresses: {[n.name for n in links]}")
    for link in mail + web:
        check(link.getState().contains(pyatspi.STATE_FOCUSABLE),
              f"link '{link.name}' takes the focus")
    if len(mail) == 1 and len(web) == 1:
        address = mail[0].name.split()[-1]
        url = web[0].name.split()[-1]
        press(mail[0])
        press(web[0])
        # Each launch runs on its own, so the two may finish in either order.
        expected = sorted([f"mailto:{address}", url])
        check(bool(wait_for(lambda: sorted(read_lines(opened_file)) == expected)),
              f"the links' actions open {expected}: {read_lines(opened_file)}")


def read_lines(path):
    try:
        with open(path, encoding="utf-8") as f:
            return f.read().split()
    except FileNotFoundError:
        return []


def nothing_unnamed_checks(app):
    unnamed = []
    shown = 0
    for node in walk(app):
        state = node.getState()
        if state.contains(pyatspi.STATE_SHOWING) or state.contains(pyatspi.STATE_FOCUSABLE):
            shown += 1
            if node.name.strip() == "":
                unnamed.append(f"{node.getRoleName()} at {pyatspi.getPath(node)}")
    check(shown > 100 and not unnamed,
          f"every shown or focusable object of {shown} has a name; unnamed: {unnamed}")


def main():
    program, opened_file = sys.argv[1], sys.argv[2]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    env.pop("BROWSER", None)
    calibrix = subprocess.Popen([program], env=env)
    try:
        pyatspi.Registry.registerEventListener(on_name_change,
                                               "object:property-change:accessible-name")

        def calibrix_app():
            for app in children(pyatspi.Registry.getDesktop(0)):
                if app is not None and app.get_process_id() == calibrix.pid:
                    return app
            return None

        app = wait_for(calibrix_app)
        check(app is not None, "the program is on the accessibility bus")
        if app is None:
            return 1
        # Read every value from the program itself, as it is now, not from libatspi's cache.
        app.set_cache_mask(Atspi.Cache.NONE)
        window = wait_for(lambda: find_window(app, "CALIBRIX for Chemical Analysis 2.0"))
        check(window is not None, "the main window is in the tree")
        if window is None:
            return 1
        main_window_checks(window)
        about_window_checks(app, window, opened_file)
        nothing_unnamed_checks(app)
    finally:
        calibrix.kill()
        calibrix.wait(timeout=WAIT)
    print(f"{len(failures)} failure(s)", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
