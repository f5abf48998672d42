#!/usr/bin/env bash
# Start-up against its floors under Xvfb: with a private session bus and the AT-SPI bus running
# but no screen reader, then with a screen reader listening; each time every program also runs
# without the bus, in the same rounds.
# Usage: bench/startup_bench.sh BUILD_DIR [runs]     (BUILD_DIR e.g. build/test)
set -euo pipefail
build=$(realpath "${1:?usage: startup_bench.sh BUILD_DIR [runs]}")
runs=${2:-21}
here=$(dirname "$(realpath "$0")")
bench=("$build/bench/startup_bench" "$build/calibrix" "$build/bench/startup_widgets"
       "$build/bench/startup_bare" "$runs")

xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c '
  here=$1; shift
  echo "== an AT-SPI bus, no screen reader (and each program without the bus)"
  "$here/with_screen_reader.sh" --bus-only "$@"
  echo "== a screen reader listening (and each program without the bus)"
  "$here/with_screen_reader.sh" "$@"
' startup_bench "$here" "${bench[@]}"
