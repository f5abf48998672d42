# Uses Calibrix with the keyboard alone while the Orca screen reader runs, and checks what Orca
# says, read from the "SPEECH OUTPUT" lines of its debug log. Run by screenreader_test.sh, which
# gives it an X display, a private D-Bus session, HOME and XDG_RUNTIME_DIR:
#   orca_test.py PROGRAM OPENED_FILE
# With CALIBRIX_ORCA_LOG=FILE set, Orca's whole debug log is kept there.
import os
import re
import select
import signal
import subprocess
import sys
import time

QUIET = 2.0  # seconds without a word after which Orca has said all it will
WAIT = 12.0  # seconds for Orca to say something expected
END = time.monotonic() + 240.0  # the whole test
TITLE = "CALIBRIX for Chemical Analysis 2.0"
SPOKEN = re.compile(r" - SPEECH OUTPUT: '(.*)' ?\{")
failures, procs = [], []
home = os.environ["HOME"]
log = os.path.join(home, "orca-debug.out")

# Orca writes its debug file fully buffered; opened line-buffered, each line is there at once.
WRAPPER = """import builtins, runpy, sys
real_open = builtins.open
def open_line_buffered(file, mode="r", *args, **kwargs):
    if file == sys.argv[-1] and "w" in mode:
        return real_open(file, mode, 1, encoding="utf-8")
    return real_open(file, mode, *args, **kwargs)
builtins.open = open_line_buffered
sys.argv = ["/usr/bin/orca"] + sys.argv[1:]
runpy.run_path("/usr/bin/orca", run_name="__main__")
"""
# Owns the clipboard with the text given, as a spreadsheet does after a copy.
CLIPBOARD = """import sys, gi
gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, Gtk
Gtk.Clipboard.get(Gdk.SELECTION_CLIPBOARD).set_text(sys.argv[1], -1)
print("ready", flush=True)
Gtk.main()
"""


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)
    return ok


def start(*command, **kwargs):
    kwargs.setdefault("env", dict(os.environ, QT_QPA_PLATFORM="xcb"))
    process = subprocess.Popen(command, stdin=subprocess.DEVNULL, **kwargs)
    procs.append(process)
    return process


def spoken():
    try:
        with open(log, encoding="utf-8", errors="replace") as f:
            return [m.group(1) for m in map(SPOKEN.search, f) if m]
    except FileNotFoundError:
        return []


def heard_since(mark, until=None, quiet=QUIET):
    """What Orca said after `mark` lines, once `until` holds for it, or once Orca has said
    something and then been quiet for `quiet` seconds (without `until`, silence counts too);
    at most WAIT seconds."""
    deadline = min(time.monotonic() + WAIT, END)
    count, changed = -1, time.monotonic()
    while True:
        said = spoken()[mark:]
        if len(said) != count:
            count, changed = len(said), time.monotonic()
        if until is not None and until(said):
            return said
        if (said or until is None) and time.monotonic() - changed >= quiet:
            return said
        if time.monotonic() > deadline:
            return said
        time.sleep(0.1)


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "150", *keys], check=True, timeout=30)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "150", text], check=True, timeout=30)


def has(text):
    return lambda said: any(text in line for line in said)


def announcements(said):
    return [line for line in said if line.startswith("notification ")]


def scenario(name, act, expected, settle=None):
    """Runs `act`, waits until Orca said everything `expected` looks for (or WAIT passes) and
    then for silence, prints what Orca said, and checks each (what, test) of `expected`."""
    mark = len(spoken())
    act()
    heard_since(mark, settle or (lambda said: all(test(said) for _, test in expected)), WAIT)
    said = heard_since(mark)
    print(f"--- {name}: Orca said {said}", flush=True)
    for what, test in expected:
        check(test(said), f"{name}: {what}")
    return said


def one_announcement(*parts, meanings=None):
    """Exactly one announcement, holding every part and, if given, exactly these `meanings`."""
    def test(said):
        found = announcements(said)
        if len(found) != 1 or not all(p in found[0] for p in parts):
            return False
        said_meanings = {item.rsplit(" ", 1)[0] for item in
                         found[0].removeprefix("notification ").rstrip(".").split(", ")}
        return meanings is None or said_meanings == set(meanings)
    return test


def focus(keys, name):
    """Presses `keys` until Orca names `name` (a control), at most 30 times."""
    for _ in range(30):
        mark = len(spoken())
        key(keys)
        if has(name)(heard_since(mark, has(name), quiet=0.8)):
            return True
    return check(False, f"{keys} reaches '{name}'")


def status_bar_command():
    """Orca's key held, its keypad Enter twice."""
    subprocess.run(["xdotool", "keydown", "Insert", "key", "--delay", "40", "KP_Enter",
                    "KP_Enter", "keyup", "Insert"], check=True, timeout=30)


def wait_for_window(program):
    deadline = min(time.monotonic() + WAIT, END)
    while time.monotonic() < deadline:
        found = subprocess.run(["xdotool", "search", "--pid", str(program.pid), "--name", TITLE],
                               capture_output=True, text=True, timeout=10)
        if found.stdout.strip():
            return True
        time.sleep(0.2)
    return False


def start_orca():
    mark = len(spoken())
    start("/usr/bin/python3", os.path.join(home, "orca_wrapper.py"), "--replace",
          "--debug-file", log, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return check(bool(heard_since(mark, has("Screen reader on"))), "Orca starts and says so")


def orca_after_program(program):
    calibrix = start(program)
    check(wait_for_window(calibrix), "the program shows its window")
    if not start_orca():
        return
    # Nothing is said of a window that was active before Orca came; the user moves on.
    scenario("Orca started after the program", lambda: key("Right"), [
        ("the MS cell it moves to is read with its whole value",
         lambda said: has("MS, point 1")(said) and has("10 selected")(said)),
    ])
    calibrix.terminate()
    calibrix.wait(timeout=WAIT)


def main_window(program, clipboard_text):
    calibrix = start(program)
    scenario("start-up", lambda: None, [
        ("the window is read as a frame with its title", has(f"{TITLE} frame")),
        ("the first cell is read with its value", lambda said: has("C, point 1 text")(said)
         and any(line.rstrip(".") == "1" for line in said)),
    ])
    scenario("a typed digit", lambda: key("End", "5"), [
        ("the key is echoed, then the changed results follow once",
         lambda said: has("5")(said) and one_announcement("b 1.407073", "correlation coefficient")
         (said)),
    ])
    scenario("a bad value", lambda: type_text("x"), [
        ("the box is read", has("Incorrect data. Please check the point № 1")),
        ("the box's OK button has the focus", has("OK push button")),
    ])
    scenario("back to the cell", lambda: key("Return"), [
        ("the blank results are announced as empty", one_announcement("results empty")),
        ("the cell is read with its whole text", has("15x")),
    ])
    scenario("the bad value deleted", lambda: key("BackSpace"), [
        ("the results are announced once", one_announcement("b 1.407073")),
    ])
    scenario("the digit deleted", lambda: key("BackSpace"), [
        ("the sample results are announced once", one_announcement("b 9.903030")),
    ])
    scenario("Orca's title command", lambda: key("Insert+KP_Enter"), [
        ("the title is read", has(TITLE)),
    ])
    scenario("Orca's status-bar command", status_bar_command, [
        ("the status bar reads every result",
         has("a 5.33333E-01, Δa 3.488149, b 9.903030, Δb 5.62166E-01, detection limit "
             "6.28757E-01, standard deviation 2.214279, correlation coefficient 0.99758")),
    ], settle=has("correlation coefficient"))

    key("Up", "Up", "Up")  # back to C 1: Orca's command key may reach the cell as Enter
    if not focus("shift+Tab", "Paste push button"):
        return
    holder = start("/usr/bin/python3", "-c", CLIPBOARD, clipboard_text, stdout=subprocess.PIPE,
                   env=dict(os.environ, NO_AT_BRIDGE="1"))  # not an application Orca reads
    ready, _, _ = select.select([holder.stdout], [], [], WAIT)
    check(bool(ready) and holder.stdout.readline().strip() == b"ready",
          "the clipboard holds one column")
    scenario("the one-column paste question", lambda: key("space"), [
        ("the question is read", has("In what column do you want to paste it")),
        ("its default button is read", has("Yes push button")),
    ])
    scenario("pasting into column C", lambda: key("Return"), [
        ("the changed results are announced once", one_announcement("b ")),
    ])
    holder.terminate()

    if not focus("shift+Tab", "MS = a + bC"):
        return
    scenario("a model change by arrows", lambda: key("Down"), [
        ("the line through the origin blanks a and its half-width",
         one_announcement("a empty", "Δa empty", "b ")),
        ("the new model is read", has("MS = bC")),
    ])
    scenario("the model changed back", lambda: key("Up"), [
        ("a and its half-width come back", one_announcement("a ", "Δa ")),
    ])
    if not focus("shift+Tab", "95 %"):
        return
    scenario("a level change by arrows", lambda: key("Up"), [
        ("only the changed half-widths and detection limit are announced",
         one_announcement(meanings=("Δa", "Δb", "detection limit"))),
        ("the new level is read", has("90 %")),
    ])
    if not focus("shift+Tab", "Delete point 25"):
        return
    scenario("Delete point of an empty row", lambda: key("space"), [
        ("unchanged results are not repeated", lambda said: not announcements(said)),
    ])
    if not focus("shift+Tab", "Delete point 9"):
        return
    scenario("Delete point", lambda: key("space"), [
        ("the changed results are announced once", one_announcement("b ")),
    ])
    if not focus("Tab", "Clear all push button"):
        return
    scenario("Clear all", lambda: key("space"), [
        ("the results are announced as empty", one_announcement("results empty")),
    ])
    scenario("Ctrl+Z after Clear all", lambda: key("ctrl+z"), [
        ("the restored results are announced once",
         one_announcement("a ", "b ", "correlation coefficient")),
    ])
    scenario("the sample window by its key", lambda: key("ctrl+u"), [
        ("it is read by its title", has("Sample concentrations")),
        ("its first signal cell has the focus", has("sample 1 MS")),
    ])
    scenario("a sample's signal typed", lambda: type_text("45"), [
        ("its concentration and interval are announced",
         lambda said: any("sample 1 C " in line and "sample 1 ΔC " in line
                          for line in announcements(said))),
    ])
    scenario("the sample window closed", lambda: key("Escape"), [
        ("the main window is back", has(f"{TITLE} frame")),
    ])
    if not focus("shift+Tab", "About push button"):
        return
    scenario("About opened with the keyboard", lambda: key("space"), [
        ("its name and version are read", has("Calibrix version 2.0")),
        ("its purpose is read", has("This program calculates parameters of calibration curve")),
        ("it is a dialog", has(" About dialog")),
    ])
    scenario("the About window's links", lambda: key("Tab"), [
        ("Tab reaches the mail link", has("calibrix@example.org link")),
    ])
    focus("Tab", "simu_chem.html link")
    scenario("Escape", lambda: key("Escape"), [
        ("the main window is back", has(f"{TITLE} frame")),
        ("with the About button", has("About push button")),
    ])
    if not focus("Tab", "Exit push button"):
        return
    key("space")
    try:
        check(calibrix.wait(timeout=WAIT) == 0, "Exit ends the program")
    except subprocess.TimeoutExpired:
        check(False, "Exit ends the program")


def main(program):
    # Stopped from outside, still end everything started (below, on the way out).
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    os.makedirs(os.path.join(home, ".config", "speech-dispatcher"), exist_ok=True)
    # No sound card: speech goes to libao's null driver.
    with open("/etc/speech-dispatcher/speechd.conf", encoding="utf-8") as system, \
            open(os.path.join(home, ".config", "speech-dispatcher", "speechd.conf"), "w",
                 encoding="utf-8") as own:
        own.write(system.read() + '\nAudioOutputMethod "libao"\n')
    with open(os.path.join(home, ".libao"), "w", encoding="utf-8") as f:
        f.write("default_driver=null\n")
    with open(os.path.join(home, "orca_wrapper.py"), "w", encoding="utf-8") as f:
        f.write(WRAPPER)
    try:
        # As a desktop session does: a window manager and the accessibility bus run before any
        # program; speech-dispatcher too, as Orca's start-up watchdog kills Orca while it waits.
        start("openbox", stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        start("/usr/libexec/at-spi-bus-launcher", "--launch-immediately",
              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        start("speech-dispatcher", "-s", "-t", "0",
              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1.0)
        orca_after_program(program)
        main_window(program, "2\n4\n6\n8\n10\n12\n14\n16\n18\n20")
    finally:
        if os.environ.get("CALIBRIX_ORCA_LOG"):
            subprocess.run(["cp", log, os.environ["CALIBRIX_ORCA_LOG"]], check=False)
        for process in reversed(procs):
            if process.poll() is None:
                process.terminate()
        for process in procs:
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
    print(f"{len(failures)} failure(s)", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
