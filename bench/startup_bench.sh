#!/usr/bin/env bash
# Start-up against its floors under Xvfb, three ways: with no session bus; with a private session
# bus and the AT-SPI bus running but no screen reader; and with a screen reader listening.
# Usage: bench/startup_bench.sh BUILD_DIR [runs]     (BUILD_DIR e.g. build/test)
set -euo pipefail
build=$(realpath "${1:?usage: startup_bench.sh BUILD_DIR [runs]}")
runs=${2:-21}
here=$(dirname "$(realpath "$0")")
bench=("$build/bench/startup_bench" "$build/bench/startup_calibrix" "$build/bench/startup_widgets"
       "$build/bench/startup_bare" "$runs")

xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c '
  here=$1; shift
  echo "== no session bus"
  env -u DBUS_SESSION_BUS_ADDRESS -u AT_SPI_BUS_ADDRESS "$@"
  echo "== AT-SPI bus, no screen reader"
  "$here/with_screen_reader.sh" --bus-only "$@"
  echo "== AT-SPI bus, a screen reader listening"
  "$here/with_screen_reader.sh" "$@"
' startup_bench "$here" "${bench[@]}"
