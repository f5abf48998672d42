#!/usr/bin/env bash
# Idle cost: Calibrix in its start-up state (row 1 blinking) under Xvfb for a while; prints the
# process's CPU time as a share of the wall time.
# Usage: bench/idle_bench.sh path/to/calibrix [seconds]
# With a screen reader listening: bench/with_screen_reader.sh bench/idle_bench.sh path/to/calibrix
set -euo pipefail
program=${1:?usage: idle_bench.sh path/to/calibrix [seconds]}
seconds=${2:-10}
[ -x "$program" ] || { echo "idle_bench: $program is not a program" >&2; exit 1; }

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$1" & pid=$!
  sleep 2 # let it start and paint
  kill -0 "$pid" 2>/dev/null || { echo "idle_bench: $1 did not keep running" >&2; exit 1; }
  cpu() { # nanoseconds on the CPU, all threads
    local total=0 f t
    for f in /proc/$pid/task/*/schedstat; do read -r t _ < "$f"; total=$((total + t)); done
    echo "$total"
  }
  before=$(cpu)
  start=$(date +%s.%N)
  sleep "$2"
  after=$(cpu)
  end=$(date +%s.%N)
  kill -0 "$pid" 2>/dev/null || { echo "idle_bench: $1 ended early" >&2; exit 1; }
  kill "$pid"
  awk -v cpu="$((after - before))" -v s="$start" -v e="$end" "BEGIN {
    wall = e - s; used = cpu / 1e9;
    printf \"idle for %.1f s: CPU %.3f s = %.3f %% of wall time (target <= 0.3 %%)\\n\", wall, used, 100 * used / wall }"
 ' idle "$program" "$seconds"
