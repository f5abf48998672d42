#!/usr/bin/env bash
# Builds Calibrix with warnings as errors and runs every test, headless.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCALIBRIX_WERROR=ON >/dev/null
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --timeout 300
