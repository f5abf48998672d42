#!/usr/bin/env bash
# Runs the screen-reader test on a real desktop stack that it starts and ends itself: an Xvfb
# display, a private D-Bus session, the AT-SPI bus, and a fake xdg-open that records each link.
#   screenreader_test.sh PATH/TO/calibrix
set -euo pipefail

program=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
# Debian's Python carries pyatspi; a python3 earlier on PATH may not.
python=/usr/bin/python3
for tool in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher "$python"; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/deps.sh installs it)"; exit 1; }
done

work=$(mktemp -d)
xvfb=
cleanup() {
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -m 700 "$work/runtime" "$work/bin"
cat >"$work/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$*" >>"$work/opened"
EOF
chmod +x "$work/bin/xdg-open"

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || { cat "$work/xvfb.log"; exit 1; }
  sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start"; exit 1; }

export DISPLAY=":$(head -n1 "$work/display")"
export XDG_RUNTIME_DIR="$work/runtime"
export PATH="$work/bin:$PATH"
# The session bus starts the AT-SPI bus and its registry on demand; ending the session ends them.
timeout --kill-after=10 150 dbus-run-session -- \
  "$python" "$here/screenreader_test.py" "$program" "$work/opened"
