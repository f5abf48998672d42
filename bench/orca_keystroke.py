# Keystroke and idle figures with the real Orca listening, against the same desktop without it.
# Run by bench/orca_keystroke.sh inside the desktop stack of the screen-reader tests (Xvfb, a
# private D-Bus session with the AT-SPI bus); it starts openbox and speech-dispatcher, runs
# keystroke_bench (back to back, and paced as a typist types) and measures calibrix idle, first
# without a screen reader, then with Orca. Orca runs as a user runs it, without its debug log.
#   orca_keystroke.py PATH/TO/calibrix UNUSED
# COMPARE=OTHER_BUILD_DIR times that build's keystroke_bench too, alternately in the same session.
import os, re, signal, subprocess, sys, time

program = os.path.realpath(sys.argv[1])
builds = [os.path.dirname(program)] + ([os.path.realpath(os.environ["COMPARE"])]
                                       if os.environ.get("COMPARE") else [])
keys = os.environ.get("KEYS", "400")
procs = []


def start(*command, **kwargs):
    kwargs.setdefault("stdout", subprocess.DEVNULL)
    kwargs.setdefault("stderr", subprocess.DEVNULL)
    p = subprocess.Popen(command, stdin=subprocess.DEVNULL, **kwargs)
    procs.append(p)
    return p


def cpu_ns(pid):
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        with open(f"/proc/{pid}/task/{task}/schedstat") as f:
            total += int(f.read().split()[0])
    return total


def a11y_bus():
    r = subprocess.run(["gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path",
                        "/org/a11y/bus", "--method", "org.a11y.Bus.GetAddress"],
                       capture_output=True, text=True, timeout=10)
    return r.stdout.strip().strip("(),").strip("'")


def registered_events(bus):
    r = subprocess.run(["gdbus", "call", "--address", bus, "--dest", "org.a11y.atspi.Registry",
                        "--object-path", "/org/a11y/atspi/registry", "--method",
                        "org.a11y.atspi.Registry.GetRegisteredEvents"],
                       capture_output=True, text=True, timeout=10)
    return r.stdout.lower().count("'object:")


def settle(pid, limit=60):
    """Waits until a process uses under 5 % of a CPU over a second."""
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        before = cpu_ns(pid)
        time.sleep(1)
        if cpu_ns(pid) - before < 5e7:
            return
    print(f"process {pid} did not settle within {limit} s", flush=True)


def keystrokes(orca, pace, bare=False):
    for build in builds:
        if orca:
            settle(orca.pid)
        before = cpu_ns(orca.pid) if orca else 0
        r = subprocess.run([os.path.join(build, "bench", "keystroke_bench")],
                           env=dict(os.environ, KEYS=keys, PACE_MS=str(pace), BARE=str(int(bare))),
                           capture_output=True, text=True, timeout=600)
        used = (cpu_ns(orca.pid) - before) / 1e9 if orca else 0
        print(f"[{build}]" if len(builds) > 1 else "", r.stdout.rstrip(), flush=True)
        if orca:
            print(f"  Orca's CPU: {1000 * used / int(keys):.2f} ms a keystroke", flush=True)
        if bare:
            return


def idle(orca, bus):
    calibrix = start(program)
    time.sleep(3)
    if orca:
        settle(orca.pid)
    monitor = start("dbus-monitor", "--address", bus, "type='signal'", stdout=subprocess.PIPE,
                    text=True)
    time.sleep(0.5)
    before, wall = cpu_ns(calibrix.pid), time.monotonic()
    time.sleep(10)
    used, wall = (cpu_ns(calibrix.pid) - before) / 1e9, time.monotonic() - wall
    monitor.terminate()
    signals = sum(1 for line in monitor.communicate(timeout=10)[0].splitlines()
                  if line.startswith("signal") and "org.a11y.atspi.Event" in line)
    print(f"idle, marker blinking: calibrix CPU {100 * used / wall:.3f} % over {wall:.1f} s; "
          f"accessibility events on the bus: {signals}", flush=True)
    calibrix.terminate()
    calibrix.wait(timeout=10)


def main():
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    home = os.environ["HOME"]
    os.makedirs(os.path.join(home, ".config", "speech-dispatcher"), exist_ok=True)
    with open("/etc/speech-dispatcher/speechd.conf") as system, \
            open(os.path.join(home, ".config", "speech-dispatcher", "speechd.conf"), "w") as own:
        own.write(system.read() + '\nAudioOutputMethod "libao"\n')
    with open(os.path.join(home, ".libao"), "w") as f:
        f.write("default_driver=null\n")
    os.environ["QT_QPA_PLATFORM"] = "xcb"
    try:
        start("openbox")
        start("/usr/libexec/at-spi-bus-launcher", "--launch-immediately")
        start("speech-dispatcher", "-s", "-t", "0")
        time.sleep(1)
        bus = a11y_bus()
        print("== without a screen reader (AT-SPI bus up)", flush=True)
        for pace in (0, 150):
            keystrokes(None, pace)
            keystrokes(None, pace, bare=True)
        idle(None, bus)
        print("== with Orca", flush=True)
        orca = start("/usr/bin/orca", "--replace", stderr=open(os.path.join(home, "orca.err"), "w"))
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline and registered_events(bus) == 0:
            time.sleep(0.5)
        if registered_events(bus) == 0:
            print("Orca did not start listening:",
                  open(os.path.join(home, "orca.err")).read()[-2000:], flush=True)
            return 1
        settle(orca.pid)
        for pace in (0, 150):
            keystrokes(orca, pace)
            keystrokes(orca, pace, bare=True)
        idle(orca, bus)
        return 0
    finally:
        for p in reversed(procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    p.kill()


sys.exit(main())
