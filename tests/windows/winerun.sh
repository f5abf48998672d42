#!/usr/bin/env bash
# Runs a Windows test program under Wine for ctest (the build's cross-compiling emulator).
#
# Wine hands a program the variables QT_* only as WINEQT_*, so the test's own QT_* settings are
# passed that way. CALIBRIX_WINE_PLATFORM replaces the test's Qt platform (windows: the real
# Windows platform plugin, on Wine's X11 driver). CALIBRIX_LEAVE_OUT names Qt Test functions or
# function:row pairs that cannot apply on Windows, with the reason in CALIBRIX_LEAVE_OUT_WHY;
# the others run.
set -euo pipefail

if [ -n "${CALIBRIX_WINE_PLATFORM:-}" ] && [ -n "${QT_QPA_PLATFORM:-}" ]; then
  QT_QPA_PLATFORM=$CALIBRIX_WINE_PLATFORM
fi
while IFS='=' read -r name _; do
  [[ $name == QT_* ]] && export "WINE$name=${!name}"
done < <(env)

# Without a console, Qt Test writes its log to the Windows debugger, so nobody would see it.
export WINEQT_ASSUME_STDERR_HAS_CONSOLE=1

program=$1
shift
if [ -z "${CALIBRIX_LEAVE_OUT:-}" ]; then
  exec wine "$program" "$@"
fi

# Every data row of every function, as "function:row" (or "function" without rows), minus
# the left-out ones.
read -r -a leave_out <<<"$CALIBRIX_LEAVE_OUT"
selected=()
while read -r _ function row; do
  [ -n "$function" ] || continue
  item=$function${row:+:$row}
  keep=1
  for out in "${leave_out[@]}"; do
    [[ $item == "$out" || $function == "$out" ]] && keep=0
  done
  if [ $keep = 1 ]; then
    selected+=("$item")
  else
    echo "left out on Windows: $item (${CALIBRIX_LEAVE_OUT_WHY:-})"
  fi
done < <(wine "$program" -datatags | tr -d '\r')
exec wine "$program" "${selected[@]}" "$@"
