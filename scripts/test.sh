#!/usr/bin/env bash
# Builds Calibrix with warnings as errors and runs every test, headless.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

# The configurations are the presets of CMakePresets.json; each builds in build/<preset>.
cmake --preset test >/dev/null
cmake --build --preset test
ctest --preset test

# Second: each libFuzzer target for 30 s from its seed corpus. New inputs go to the build tree,
# never into the seeds; a failure writes the input that caused it there too, and stops the run.
fuzz=build/fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2
for target in parsenumber pastetext; do
  # Cell texts beyond 12 characters are rejected outright; short inputs explore the notation.
  limit=()
  [ "$target" = parsenumber ] && limit=(-max_len=32)
  mkdir -p "$fuzz/corpus/$target"
  "$fuzz/fuzz/${target}_fuzz" -max_total_time=30 -timeout=10 -print_final_stats=1 "${limit[@]}" \
    -artifact_prefix="$fuzz/$target-" \
    "$fuzz/corpus/$target" "fuzz/corpus/$target"
done

# Last, so that the run ends on the test count: the whole suite again under AddressSanitizer
# and UndefinedBehaviorSanitizer. Lean on purpose: no benchmarks, -O1 with line tables only.
cmake --preset asan >/dev/null
cmake --build --preset asan -j 2
ctest --preset asan
