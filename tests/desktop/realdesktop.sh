#!/usr/bin/env bash
# Runs Calibrix on a real desktop stack: Weston's headless backend (Wayland), then Xvfb alone
# and Xvfb with openbox (X11). Checks that a maximise request ends nothing and changes no size,
# that new windows are centred with their frame, and the program's exit codes.
# Usage: realdesktop.sh CALIBRIX MAXIMISEDRIVER
set -uo pipefail

calibrix=$1
driver=$2
failures=0
pids=()
work=$(mktemp -d)
chmod 700 "$work"

cleanup() {
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null
  done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

for tool in weston Xvfb openbox wmctrl xdotool xprop xwininfo; do
  command -v "$tool" >/dev/null || { echo "missing $tool: scripts/deps.sh installs it"; exit 1; }
done

# Waits up to 10 s for a command to succeed.
await() {
  for _ in $(seq 100); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# --- Wayland: Weston headless, its socket in a private runtime directory.
export XDG_RUNTIME_DIR=$work
socket=calibrix-$$
timeout 120 weston --backend=headless-backend.so --socket="$socket" --idle-time=0 \
  >"$work/weston.log" 2>&1 &
pids+=($!)
if await test -S "$work/$socket"; then
  out=$(WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland timeout 60 "$driver" 2>&1)
  code=$?
  echo "$out" | grep -v "^qt\.\|XDG_RUNTIME"
  grep -q "^platform: wayland" <<<"$out" || fail "the driver did not run on Wayland"
  [ "$code" -eq 0 ] || fail "Wayland: exit code $code after the maximise requests"
  grep "error" "$work/weston.log"
else
  fail "Weston did not start"; cat "$work/weston.log"
fi

# --- X11: a display number of Xvfb's own choosing.
exec 3>"$work/display"
# -noreset: a server that resets whenever its last client leaves refuses the next one meanwhile.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
await test -s "$work/display" || { fail "Xvfb did not start"; exit 1; }
export DISPLAY=:$(cat "$work/display")
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

# The client area's position and size: x y width height.
client() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
  /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}'; }
# The frame extents a window manager reports: left right top bottom (0 0 0 0 without one).
extents() { xprop -id "$1" _NET_FRAME_EXTENTS | awk -F' = ' '/=/{gsub(",", ""); print $2; exit}
  END{if (NR == 0 || $0 ~ /not found/) print "0 0 0 0"}'; }
# Finds a shown window by its exact title.
window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
shown() { [ -n "$(window "$1")" ]; }
framed() { [ "$(extents "$1")" != "0 0 0 0" ]; }
# The exit code of a program that must end within 10 s; 124 and a kill if it does not.
ended() {
  if ! timeout 10 tail --pid="$1" -f /dev/null; then
    kill "$1"
    wait "$1"
    return 124
  fi
  wait "$1"
}
root=$(xwininfo -root | awk '/Width:/{w=$NF} /Height:/{h=$NF} END{print w, h}')

# How far the centre of a window, frame included, is from the screen's, in half pixels.
offset() {
  local x y w h l r t b sw sh
  read -r x y w h <<<"$(client "$1")"
  read -r l r t b <<<"$(extents "$1")"
  read -r sw sh <<<"$root"
  echo "$((2 * (x - l) + w + l + r - sw)) $((2 * (y - t) + h + t + b - sh)) frame $((x - l)),$((y - t)) $((w + l + r))x$((h + t + b))"
}
near() { local dx dy _; read -r dx dy _ <<<"$(offset "$1")"; [ "${dx#-}" -le 4 ] && [ "${dy#-}" -le 4 ]; }
# Checks that a window, frame included, is centred within 2 pixels, waiting for the program to
# move it once the window manager has framed it; prints where it is.
centred() {
  local dx dy frame
  await near "$2"
  read -r dx dy frame <<<"$(offset "$2")"
  echo "$1: $frame on ${root/ /x}, centre off by ($((dx / 2)), $((dy / 2)))"
  near "$2" || fail "$1 is not centred"
}

# Asks the window manager to maximise a window; it must keep its size.
maximise() {
  local name=$1 id=$2 before after
  before=$(client "$id" | cut -d' ' -f3,4)
  wmctrl -i -r "$id" -b add,maximized_vert,maximized_horz
  sleep 0.5
  after=$(client "$id" | cut -d' ' -f3,4)
  echo "$name: ${after/ /x} after a maximise request (was ${before/ /x})"
  [ "$after" = "$before" ] || fail "$name changed its size"
}

main="CALIBRIX for Chemical Analysis 2.0"

# Without a window manager the window is exactly centred; Exit ends the program with 0.
"$calibrix" 2>"$work/bare.log" &
pid=$!
pids+=($pid)
if await shown "$main"; then
  id=$(window "$main")
  centred "main window, no window manager" "$id"
  xdotool mousemove --window "$id" 540 456 click 1 # Exit
else
  fail "the main window did not show without a window manager"
fi
ended "$pid"
code=$?
[ "$code" -eq 0 ] || { fail "X11 without a window manager: exit code $code"; cat "$work/bare.log"; }

# openbox runs its startup command once it manages windows; a window mapped earlier may be lost.
openbox --sm-disable --startup "touch $work/openbox-ready" >"$work/openbox.log" 2>&1 &
pids+=($!)
await test -e "$work/openbox-ready" || fail "openbox did not start"

"$calibrix" 2>"$work/openbox-calibrix.log" &
pid=$!
pids+=($pid)
if await shown "$main"; then
  id=$(window "$main")
  await framed "$id"
  centred "main window" "$id"
  maximise "main window" "$id"

  xdotool mousemove --window "$id" 424 456 click 1 # About
  if await shown " About"; then
    about=$(window " About")
    await framed "$about"
    centred "About window" "$about"
    maximise "About window" "$about"
    xdotool mousemove --window "$about" 496 304 click 1 # OK
  else
    fail "the About window did not open"
  fi

  # A bad value opens the "incorrect value" box.
  xdotool windowactivate --sync "$id" mousemove --window "$id" 60 30 click 1 type x
  if await shown "incorrect value"; then
    box=$(window "incorrect value")
    maximise "message box" "$box"
    xdotool windowactivate --sync "$box" key Return
  else
    fail "the message box did not open"
  fi
  kill -0 "$pid" 2>/dev/null || fail "the program ended"
  wmctrl -i -c "$id"
else
  fail "the main window did not show under openbox"
  cat "$work/openbox-calibrix.log" "$work/openbox.log"
fi
ended "$pid"
code=$?
echo "exit code under openbox: $code"
[ "$code" -eq 0 ] || fail "X11 with openbox: exit code $code"

[ "$failures" -eq 0 ] && echo "all real-desktop checks held"
exit $((failures > 0))
