#!/usr/bin/env bash
# Builds Calibrix and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

cmake --preset release >/dev/null
cmake --build --preset release --target calibrix

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "calibrix: no display found; to run it headless use: xvfb-run scripts/run.sh" >&2
  exit 1
fi
exec build/release/calibrix
