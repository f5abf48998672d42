# Stands in for a screen reader in the benchmarks: tells the AT-SPI bus that one runs and
# registers for the events Orca registers for, so that programs send them; counts what it hears
# and prints the count when it is ended. With --wait-only it only waits for the AT-SPI bus.
import signal
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

EVENTS = ["object:property-change", "object:state-changed", "object:children-changed",
          "object:text-changed", "object:text-caret-moved", "object:text-selection-changed",
          "object:text-attributes-changed", "object:value-changed", "object:active-descendant-changed",
          "object:selection-changed", "object:announcement", "window:activate", "window:create",
          "window:deactivate", "document:load-complete", "focus:"]

heard = {}


def on_event(event):
    heard[event.type] = heard.get(event.type, 0) + 1


def wait_for_the_bus(bus):
    for _ in range(100):
        try:
            bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                          None, Gio.DBusCallFlags.NONE, 1000, None)
            return
        except GLib.Error:
            time.sleep(0.1)
    sys.exit("the AT-SPI bus did not start")


def main():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    wait_for_the_bus(bus)
    if sys.argv[1:] == ["--wait-only"]:
        return
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "ScreenReaderEnabled",
                                         GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, 5000, None)
    listener = Atspi.EventListener.new(on_event)
    for event in EVENTS:
        listener.register(event)
    loop = GLib.MainLoop()
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, loop.quit)
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGINT, loop.quit)
    print("listening", flush=True)
    loop.run()
    for kind, count in sorted(heard.items()):
        print(f"{count:8d} {kind}", flush=True)
    sys.exit(0)


main()
