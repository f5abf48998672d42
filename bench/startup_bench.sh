#!/usr/bin/env bash
# Start-up against its floors under Xvfb, three ways: with no session bus; with a private session
# bus and the AT-SPI bus running but no screen reader; and with a screen reader listening (the
# bus's ScreenReaderEnabled set, and a client that registers for the events Orca hears).
# Usage: bench/startup_bench.sh BUILD_DIR [runs]     (BUILD_DIR e.g. build/test)
set -euo pipefail
build=$(realpath "${1:?usage: startup_bench.sh BUILD_DIR [runs]}")
runs=${2:-21}
here=$(dirname "$(realpath "$0")")
bench=(nice -n 0 "$build/bench/startup_bench" "$build/bench/startup_calibrix"
       "$build/bench/startup_widgets" "$build/bench/startup_bare" "$runs")
for tool in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/deps.sh installs it)"; exit 1; }
done

work=$(mktemp -d)
xvfb=
cleanup() {
  [ -z "$xvfb" ] || { kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; }
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 700 "$work/runtime"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")" XDG_RUNTIME_DIR="$work/runtime"

echo "== no session bus"
env -u DBUS_SESSION_BUS_ADDRESS -u AT_SPI_BUS_ADDRESS "${bench[@]}"

echo "== AT-SPI bus, no screen reader"
timeout --kill-after=10 900 dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher & launcher=$!
  trap "kill $launcher 2>/dev/null; wait $launcher 2>/dev/null" EXIT
  for _ in $(seq 50); do
    gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
      --method org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
    sleep 0.1
  done
  "$@"' bench "${bench[@]}"

echo "== AT-SPI bus, a screen reader listening"
timeout --kill-after=10 900 dbus-run-session -- bash -c '
  here=$1; shift
  /usr/libexec/at-spi-bus-launcher & launcher=$!
  /usr/bin/python3 "$here/screenreader_listener.py" >"$XDG_RUNTIME_DIR/heard" & listener=$!
  trap "kill $listener $launcher 2>/dev/null; wait $listener $launcher 2>/dev/null" EXIT
  for _ in $(seq 100); do grep -q listening "$XDG_RUNTIME_DIR/heard" && break; sleep 0.1; done
  grep -q listening "$XDG_RUNTIME_DIR/heard" || { echo "the listener did not start"; exit 1; }
  "$@"' bench "$here" "${bench[@]}"
