#!/usr/bin/env bash
# Installs the Debian packages that building and testing Calibrix need, but only those missing.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  libgtest-dev libbenchmark-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth
  dbus at-spi2-core python3-pyatspi
  desktop-file-utils appstream dpkg-dev file lintian man-db groff-base ccache
  clang libclang-rt-14-dev llvm-14
  # The real desktops a test starts: Wayland, a window manager, the styles users pick.
  weston qt6-wayland openbox wmctrl xdotool x11-utils adwaita-qt6
  # More compositors and window managers: sway (run as nobody through setpriv, from util-linux),
  # xfwm4 (its settings over a session bus), IceWM and metacity.
  sway xfwm4 icewm metacity dbus-daemon util-linux python3
  # The screen reader whose speech the accessibility test checks, its speech server and voice,
  # and GTK for the test's stand-in clipboard owner.
  orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng python3-gi gir1.2-gtk-3.0
)

# Another script may name its own packages instead (scripts/windows.sh does).
[ $# -eq 0 ] || packages=("$@")

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
