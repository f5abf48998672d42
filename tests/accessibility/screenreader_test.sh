#!/usr/bin/env bash
# Runs a screen-reader test on a real desktop stack that it starts and ends itself: an Xvfb
# display, a private D-Bus session (the AT-SPI bus and what else the test starts live in it),
# a private HOME and XDG_RUNTIME_DIR, and a fake xdg-open that records each link.
#   screenreader_test.sh TEST.py PATH/TO/calibrix
set -euo pipefail

here=$(dirname "$(realpath "$0")")
# A test here by its name, or any script by its path (the benchmarks use the same stack).
case $1 in
  */*) test=$(realpath "$1") ;;
  *) test=$here/$1 ;;
esac
program=$(realpath "$2")
# Debian's Python carries pyatspi; a python3 earlier on PATH may not.
python=/usr/bin/python3
for tool in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher "$python" xdotool openbox \
  speech-dispatcher /usr/bin/orca; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/deps.sh installs it)"; exit 1; }
done

work=$(mktemp -d)
xvfb= session=
cleanup() {
  if [ -n "$session" ]; then
    kill "$session" 2>/dev/null || true
    wait "$session" 2>/dev/null || true
  fi
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

mkdir -m 700 "$work/runtime" "$work/bin" "$work/home"
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
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
export PATH="$work/bin:$PATH"
unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON
# The session bus starts the AT-SPI bus and its registry on demand; ending the session ends them.
# In the background, so that a stop from outside runs the cleanup at once.
timeout --kill-after=10 "${CALIBRIX_SESSION_LIMIT:-280}" dbus-run-session -- "$python" "$test" "$program" "$work/opened" &
session=$!
wait "$session"
