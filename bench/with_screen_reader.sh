#!/usr/bin/env bash
# Runs a command in a private D-Bus session with the AT-SPI bus, and a stand-in screen reader
# listening unless --bus-only is given; then prints, per kind, the accessibility events the
# listener heard while the command ran.
# Usage: bench/with_screen_reader.sh [--bus-only] COMMAND [ARGUMENTS...]
set -euo pipefail
listen=1
if [ "${1:-}" = --bus-only ]; then listen=0; shift; fi
[ $# -gt 0 ] || { echo "usage: with_screen_reader.sh [--bus-only] COMMAND [ARGUMENTS...]" >&2; exit 2; }
here=$(dirname "$(realpath "$0")")
for tool in dbus-run-session /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/deps.sh installs it)" >&2; exit 1; }
done
log=$(mktemp -d)
trap 'rm -rf "$log"' EXIT

# The daemons' and the listener's chatter goes to a log, shown only when something fails.
status=0
timeout --kill-after=10 1800 dbus-run-session -- bash -c '
  log=$1 listen=$2 here=$3; shift 3
  /usr/libexec/at-spi-bus-launcher 2>>"$log/daemons" & launcher=$!
  listener=
  stop() {
    [ -z "$listener" ] || { kill "$listener" 2>/dev/null; wait "$listener" 2>/dev/null; }
    kill "$launcher" 2>/dev/null; wait "$launcher" 2>/dev/null
  }
  trap stop EXIT
  if [ "$listen" = 0 ]; then
    /usr/bin/python3 "$here/screenreader_listener.py" --wait-only
  else
    /usr/bin/python3 "$here/screenreader_listener.py" >"$log/heard" 2>>"$log/daemons" & listener=$!
    for _ in $(seq 100); do grep -q listening "$log/heard" && break; sleep 0.1; done
    grep -q listening "$log/heard" || { echo "the listener did not start" >&2; exit 1; }
  fi
  "$@"
' with_screen_reader "$log" "$listen" "$here" "$@" 2>>"$log/daemons" |
  { grep -v "^SpiRegistry daemon is running" || true; } || status=$?
if [ -s "$log/heard" ]; then
  echo "accessibility events the listener heard:"
  grep -v listening "$log/heard" || echo "       0 (none)"
fi
[ "$status" = 0 ] || { cat "$log/daemons" >&2; exit "$status"; }
