#!/usr/bin/env bash
# Builds Calibrix and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCALIBRIX_BUILD_TESTS=OFF -DCALIBRIX_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target calibrix

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "calibrix: no display found; to run it headless use: xvfb-run scripts/run.sh" >&2
  exit 1
fi
exec "$build/calibrix"
