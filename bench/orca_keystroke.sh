#!/usr/bin/env bash
# Keystroke and idle figures with the real Orca listening, and without it, in one desktop
# session.  Usage: bench/orca_keystroke.sh BUILD_DIR   (KEYS=n keystrokes a run, default 400)
set -euo pipefail
here=$(dirname "$(realpath "$0")")
build=$(realpath "${1:-build/test}")
CALIBRIX_SESSION_LIMIT=1200 exec "$here/../tests/accessibility/screenreader_test.sh" \
  "$here/orca_keystroke.py" "$build/calibrix"
