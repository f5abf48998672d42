#!/usr/bin/env bash
# Runs Calibrix on real desktop stacks: Weston's headless backend and sway's (Wayland), then on
# Xvfb alone, with openbox, xfwm4, IceWM and metacity (X11), and Weston inside Xvfb. Checks that
# maximise, full-screen, tiling and resize requests and drags of a window's edges end nothing and
# change no size, that windows are centred with their frame every time they show, and the
# program's exit codes. Where to click comes from the driver, which knows the layout.
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
trap 'exit 1' TERM INT

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

for tool in weston sway swaymsg python3 Xvfb openbox xfwm4 icewm metacity wmctrl xdotool xprop \
  xwininfo; do
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

main="CALIBRIX for Chemical Analysis 2.0"

# Where the driver says a test clicks: WINDOW CONTROL -> x y in the window.
positions=$(QT_QPA_PLATFORM=offscreen timeout 20 "$driver" --positions 2>/dev/null)
at() { awk -v w="$1" -v c="$2" '$1 == w && $2 == c {print $3, $4}' <<<"$positions"; }
[ -n "$(at Stat Command3)" ] || { fail "the driver gave no click positions"; exit 1; }

# The last size the size-reporting driver gave a window: WxH.
lastsize() { awk -v w="$2" '$1 == "size" && $2 == w {s = $3} END {print s}' "$1"; }
# Checks that a window the driver shows keeps its design size after a request to change it.
keeps() {
  local log=$1 name=$2 design=$3 what=$4 size
  sleep 0.5
  size=$(lastsize "$log" "$name")
  echo "$name: $size after $what"
  [ "$size" = "$design" ] || fail "$name is $size after $what, not $design"
}

# --- Wayland: sway headless. It refuses to run as root, so there it runs as nobody, in a
# runtime directory of its own; the program reaches it by the socket's absolute path.
swaydir=$(mktemp -d)
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody "$swaydir"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
chmod 700 "$swaydir"
printf 'xwayland disable\noutput * resolution 1280x1024\n' >"$swaydir/config"
chmod 644 "$swaydir/config"
XDG_RUNTIME_DIR=$swaydir WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
  timeout 120 "${as_user[@]}" sway -c "$swaydir/config" >"$work/sway.log" 2>&1 &
swaypid=$!
pids+=($swaypid)
swaysocket() { ls "$swaydir" | grep -m1 '^wayland-[0-9]*$'; }
ipc() { ls "$swaydir"/sway-ipc.*.sock 2>/dev/null | head -1; }
swayready() { [ -n "$(swaysocket)" ] && [ -S "$(ipc)" ]; }
if await swayready; then
  swayipc() { timeout 10 swaymsg -s "$(ipc)" "$@"; }
  # A window's container kind and full-screen mode, by its title.
  container() {
    swayipc -t get_tree | python3 -c '
import json, sys
def walk(node):
    if node.get("name") == sys.argv[1] and node["type"] in ("con", "floating_con"):
        print(node["type"], node.get("fullscreen_mode", 0))
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))' "$1"
  }
  listed() { [ -n "$(container "$1")" ]; }
  windowed() { [ "$(container "$1" | cut -d' ' -f2)" = 0 ]; }
  log=$work/sway-sizes.log
  WAYLAND_DISPLAY=$swaydir/$(swaysocket) QT_QPA_PLATFORM=wayland timeout 100 "$driver" --sizes \
    >"$log" 2>"$work/sway-driver.log" &
  driverpid=$!
  pids+=($driverpid)
  if await grep -q '^ready' "$log"; then
    for name in Stat About; do
      if [ "$name" = Stat ]; then design=598x482 title=$main; else design=560x328 title=" About"; fi
      criteria="[title=\"^$title\$\"]"
      await listed "$title"
      kind=$(container "$title")
      echo "$name on sway: ${kind% *}, $(lastsize "$log" "$name")"
      [ "${kind% *}" = floating_con ] || fail "sway does not float $name ($kind)"
      swayipc -q "$criteria resize set 800 600"
      keeps "$log" "$name" "$design" "resize set 800 600"
      swayipc -q "$criteria floating disable"
      keeps "$log" "$name" "$design" "floating disable (tiled)"
      swayipc -q "$criteria fullscreen toggle"
      keeps "$log" "$name" "$design" "fullscreen toggle"
      await windowed "$title" || fail "$name stays full screen"
    done
    kill -0 "$driverpid" 2>/dev/null || fail "the program ended on sway"
  else
    fail "the driver showed no windows on sway"; cat "$work/sway-driver.log"
  fi
  kill "$driverpid" 2>/dev/null
else
  fail "sway did not start"; cat "$work/sway.log"
fi
kill "$swaypid" 2>/dev/null
wait "$swaypid" 2>/dev/null
rm -rf "$swaydir"

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
# The screen less the panels a window manager keeps: x y width height.
workarea() {
  xprop -root _NET_WORKAREA | awk -F' = ' '/=/{gsub(",", ""); split($2, a, " ");
    print a[1], a[2], a[3], a[4]; exit} END{if (NR == 0 || $0 ~ /not found/) print ""}' |
    grep . || xwininfo -root | awk '/Width:/{w=$NF} /Height:/{h=$NF} END{print 0, 0, w, h}'
}

# How far the centre of a window, frame included, is from the work area's, in half pixels.
offset() {
  local x y w h l r t b ax ay aw ah
  read -r x y w h <<<"$(client "$1")"
  read -r l r t b <<<"$(extents "$1")"
  read -r ax ay aw ah <<<"$(workarea)"
  echo "$((2 * (x - l - ax) + w + l + r - aw)) $((2 * (y - t - ay) + h + t + b - ah)) frame $((x - l)),$((y - t)) $((w + l + r))x$((h + t + b)) in ${aw}x$ah+$ax+$ay"
}
near() { local dx dy _; read -r dx dy _ <<<"$(offset "$1")"; [ "${dx#-}" -le 4 ] && [ "${dy#-}" -le 4 ]; }
# Checks that a window, frame included, is centred within 2 pixels, waiting for the program to
# move it once the window manager has framed it; prints where it is.
centred() {
  local dx dy frame
  await near "$2"
  read -r dx dy frame <<<"$(offset "$2")"
  echo "$1: $frame, centre off by ($((dx / 2)), $((dy / 2)))"
  near "$2" || fail "$1 is not centred"
}

# Asks the window manager to maximise a window, then to fill the screen with it; it must keep
# its size, at once or once the program has asked for the normal state back.
sized() { [ "$(client "$1" | cut -d' ' -f3,4)" = "$2" ]; }
large() { xprop -id "$1" _NET_WM_STATE | grep -q 'FULLSCREEN\|MAXIMIZED'; }
resist() {
  local name=$1 id=$2 before after request
  before=$(client "$id" | cut -d' ' -f3,4)
  for request in maximized_vert,maximized_horz fullscreen; do
    wmctrl -i -r "$id" -b "add,$request"
    sleep 0.5
    await sized "$id" "$before"
    after=$(client "$id" | cut -d' ' -f3,4)
    echo "$name: ${after/ /x} after a ${request%%_*} request (was ${before/ /x})"
    [ "$after" = "$before" ] || fail "$name changed its size on a ${request%%_*} request"
    ! large "$id" || fail "$name stays ${request%%_*}"
  done
}

# Clicks the middle of a control the driver named.
click() {
  local x y
  read -r x y <<<"$(at "$2" "$3")"
  xdotool mousemove --window "$1" "$x" "$y" click 1
}

# Without a window manager the window is exactly centred; Exit ends the program with 0.
"$calibrix" 2>"$work/bare.log" &
pid=$!
pids+=($pid)
if await shown "$main"; then
  id=$(window "$main")
  centred "main window, no window manager" "$id"
  click "$id" Stat Command5
else
  fail "the main window did not show without a window manager"
fi
ended "$pid"
code=$?
[ "$code" -eq 0 ] || { fail "X11 without a window manager: exit code $code"; cat "$work/bare.log"; }

# A window manager is ready once the window it names on the root window exists.
wmready() {
  local id
  id=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | awk '/window id/{print $NF}')
  [ -n "$id" ] && xprop -id "$id" >/dev/null 2>&1
}

# Runs the program under a window manager: NAME COMMAND...
desktop() {
  local wm=$1 wmpid= buspid pid id about box code positions_seen
  shift
  # xfwm4 reads its settings over a session bus; metacity its own from memory.
  # The bus ends with the window manager, whose own id the shell writes down before it runs it.
  GSETTINGS_BACKEND=memory timeout 120 dbus-run-session -- \
    sh -c 'echo $$ >"$0"; exec "$@"' "$work/$wm.pid" "$@" >"$work/$wm.log" 2>&1 &
  buspid=$!
  pids+=($buspid)
  await test -s "$work/$wm.pid" && wmpid=$(cat "$work/$wm.pid") && pids+=($wmpid)
  await wmready || { fail "$wm did not start"; cat "$work/$wm.log"; return; }
  sleep 0.5 # a window mapped while it still sets up may be lost

  "$calibrix" 2>"$work/$wm-calibrix.log" &
  pid=$!
  pids+=($pid)
  if await shown "$main"; then
    id=$(window "$main")
    await framed "$id"
    centred "$wm: main window" "$id"
    resist "$wm: main window" "$id"

    # OK only hides the About window; each new show centres it again, with no drift.
    positions_seen=()
    for _ in 1 2 3 4 5; do
      timeout 5 xdotool windowactivate --sync "$id" 2>/dev/null
      click "$id" Stat Command3
      if ! await shown " About"; then
        fail "$wm: the About window did not open"
        break
      fi
      about=$(window " About")
      await framed "$about"
      centred "$wm: About window" "$about"
      positions_seen+=("$(client "$about" | cut -d' ' -f1,2 | tr ' ' ,)")
      [ ${#positions_seen[@]} -eq 1 ] && resist "$wm: About window" "$about"
      click "$about" About Clear
      await test -z "$(window " About")" || fail "$wm: OK did not close the About window"
    done
    echo "$wm: About window at ${positions_seen[*]}"
    [ "$(printf '%s\n' "${positions_seen[@]}" | sort -u | wc -l)" -eq 1 ] ||
      fail "$wm: the About window moved between openings"

    # Moved away right after it opens, the About window stays where it was put.
    timeout 5 xdotool windowactivate --sync "$id" 2>/dev/null
    click "$id" Stat Command3
    if await shown " About"; then
      about=$(window " About")
      await framed "$about"
      sleep 0.3
      xdotool windowmove "$about" 100 120
      sleep 0.5
      moved=$(client "$about" | cut -d' ' -f1,2)
      sleep 3 # past the time in which the program still centres a window it has shown
      now=$(client "$about" | cut -d' ' -f1,2)
      echo "$wm: About window moved to ${moved/ /,}, at ${now/ /,} 3 s later"
      { [ "$now" = "$moved" ] && ! near "$about"; } ||
        fail "$wm: the About window did not stay where it was moved"
      click "$about" About Clear
      await test -z "$(window " About")" || fail "$wm: OK did not close the moved About window"
      # Opened again, it comes back where it was left.
      timeout 5 xdotool windowactivate --sync "$id" 2>/dev/null
      click "$id" Stat Command3
      if await shown " About"; then
        about=$(window " About")
        back() { [ "$(client "$about" | cut -d' ' -f1,2)" = "$moved" ]; }
        await back
        echo "$wm: About window opened again at $(client "$about" | cut -d' ' -f1,2 | tr ' ' ,)"
        back || fail "$wm: the About window did not come back where it was left"
        click "$about" About Clear
        await test -z "$(window " About")" || fail "$wm: OK did not close the About window"
      else
        fail "$wm: the About window did not open again"
      fi
    else
      fail "$wm: the About window did not open to be moved"
    fi

    # A bad value opens the "incorrect value" box.
    timeout 5 xdotool windowactivate --sync "$id" 2>/dev/null
    click "$id" Stat "TextX(1)"
    xdotool type x
    if await shown "incorrect value"; then
      box=$(window "incorrect value")
      resist "$wm: message box" "$box"
      timeout 5 xdotool windowactivate --sync "$box" key Return
    else
      fail "$wm: the message box did not open"
    fi
    kill -0 "$pid" 2>/dev/null || fail "$wm: the program ended"
    wmctrl -i -c "$id"
  else
    fail "the main window did not show under $wm"
    cat "$work/$wm-calibrix.log" "$work/$wm.log"
  fi
  ended "$pid"
  code=$?
  echo "$wm: exit code $code"
  [ "$code" -eq 0 ] || fail "X11 with $wm: exit code $code"
  kill "$wmpid" 2>/dev/null
  wait "$buspid" 2>/dev/null
}

desktop openbox openbox --sm-disable
desktop xfwm4 xfwm4 --compositor=off --sm-client-disable
desktop icewm icewm
desktop metacity metacity --sm-disable

# --- Wayland: Weston with its x11 backend on the same Xvfb, so that a pointer can drag the
# frame Qt draws around each window. Weston places a window where it likes and a Wayland client
# never learns where, so the test finds each from the pointer positions the driver reports.
# Pixman draws without OpenGL, which a machine without Mesa's drivers lacks.
xsocket=calibrix-x11-$$
timeout 120 weston --backend=x11-backend.so --use-pixman --socket="$xsocket" --idle-time=0 \
  --width=1280 --height=1024 >"$work/weston-x11.log" 2>&1 &
westonpid=$!
pids+=($westonpid)
log=$work/weston-x11-sizes.log
# The last pointer position a window reported after line N of the log: NAME X Y.
pointer() {
  tail -n +"$(($1 + 1))" "$log" | awk '$1 == "pointer" {p = $2 " " $3 " " $4} END {print p}'
}
reported() { [ "$(pointer "$1")" = "$2" ]; }
lines() { wc -l <"$log"; }
# Sweeps the pointer over Weston's output until both windows have reported it, and notes where
# each one's content starts on the X screen. A report is believed once a move a pixel further
# on is reported a pixel further on too.
declare -A origin
findwindows() {
  local x y from name lx ly
  for y in $(seq $((oy + 40)) 80 $((oy + oh))); do
    for x in $(seq $((ox + 40)) 80 $((ox + ow))); do
      from=$(lines)
      xdotool mousemove "$x" "$y"
      sleep 0.05
      read -r name lx ly <<<"$(pointer "$from")"
      [ -n "$name" ] && [ -z "${origin[$name]:-}" ] || continue
      from=$(lines)
      xdotool mousemove $((x + 1)) $((y + 1))
      await reported "$from" "$name $((lx + 1)) $((ly + 1))" &&
        origin[$name]="$((x - lx)) $((y - ly))"
      [ -n "${origin[Stat]:-}" ] && [ -n "${origin[About]:-}" ] && return 0
    done
  done
  return 1
}
# Presses the pointer at X Y and lets it go at X2 Y2, moving as a hand does.
drag() {
  xdotool mousemove "$1" "$2" sleep 0.2 mousedown 1 sleep 0.2 \
    mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2)) sleep 0.2 \
    mousemove "$3" "$4" sleep 0.3 mouseup 1
}
# Drags an edge, then a corner, of a window's frame outwards by up to 150 pixels, towards the
# side of the output with more room: NAME DESIGN (WxH).
dragframe() {
  local name=$1 design=$2 x y w h l t r b left right top bottom ex ey sx sy d dv e ev
  read -r x y <<<"${origin[$name]}"
  w=${design%x*} h=${design#*x}
  read -r l t r b <<<"$(awk -v w="$name" '$1 == "frame" && $2 == w {print $3, $4, $5, $6}' \
    "$log")"
  left=$((x - l - ox)) right=$((ox + ow - x - w - r))
  top=$((y - t - oy)) bottom=$((oy + oh - y - h - b))
  # A point in the frame's outer edge on each side, the direction outwards and how far to go.
  if [ "$right" -ge "$left" ]; then
    ex=$((x + w + r / 2)) sx=1 d=$right e=right
  else
    ex=$((x - l / 2 - 1)) sx=-1 d=$left e=left
  fi
  if [ "$bottom" -ge "$top" ]; then
    ey=$((y + h + b / 2)) sy=1 dv=$bottom ev=bottom
  else
    ey=$((y - t + 1)) sy=-1 dv=$top ev=top
  fi
  d=$((d - 10 < 150 ? d - 10 : 150)) dv=$((dv - 10 < 150 ? dv - 10 : 150))
  drag "$ex" $((y + h / 2)) $((ex + sx * d)) $((y + h / 2))
  keeps "$log" "$name" "$design" "a drag of its $e edge by $d"
  drag "$ex" "$ey" $((ex + sx * d)) $((ey + sy * dv))
  keeps "$log" "$name" "$design" "a drag of its $ev $e corner by $d, $dv"
}
# Weston's output is an X window, named only in UTF-8, which xdotool does not read: x y w h.
outputarea() {
  local id
  id=$(xdotool search --class '^Weston Compositor$' 2>/dev/null | head -1)
  [ -n "$id" ] && client "$id"
}
if await test -S "$work/$xsocket" && await outputarea; then
  read -r ox oy ow oh <<<"$(outputarea)"
  WAYLAND_DISPLAY=$xsocket QT_QPA_PLATFORM=wayland timeout 100 "$driver" --sizes >"$log" \
    2>"$work/weston-x11-driver.log" &
  driverpid=$!
  pids+=($driverpid)
  if await grep -q '^ready' "$log" && findwindows; then
    # The About window is on top; OK hides it, leaving the main window free. A window that
    # gave way to a drag of its top or left edge has moved, so they are found again first.
    dragframe About 560x328
    origin=()
    if findwindows; then
      read -r x y <<<"${origin[About]}"
      read -r cx cy <<<"$(at About Clear)"
      xdotool mousemove $((x + cx)) $((y + cy)) click 1
      dragframe Stat 598x482
      # Exit ends the program, with 0 unless the compositor has ended it first.
      read -r x y <<<"${origin[Stat]}"
      read -r cx cy <<<"$(at Stat Command5)"
      xdotool mousemove $((x + cx)) $((y + cy)) click 1
    else
      fail "Weston on X11: the windows were not found again after the drags"
    fi
  else
    fail "Weston on X11: the windows were not found (${origin[*]})"
    cat "$work/weston-x11-driver.log"
  fi
  ended "$driverpid"
  code=$?
  echo "Weston on X11: exit code $code"
  [ "$code" -eq 0 ] || { fail "Weston on X11: exit code $code"; cat "$work/weston-x11-driver.log"; }
else
  fail "Weston did not start on X11"; cat "$work/weston-x11.log"
fi
kill "$westonpid" 2>/dev/null
wait "$westonpid" 2>/dev/null

[ "$failures" -eq 0 ] && echo "all real-desktop checks held"
exit $((failures > 0))
