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

# Second: each libFuzzer target for 30 s from its seed corpus. New inputs go to the build tree,
# never into the seeds; a failure writes the input that caused it there too, and stops the run.
fuzz=build/fuzz
cmake -S fuzz -B "$fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$fuzz" -j 2
for target in parsenumber pastetext; do
  # Cell texts beyond 12 characters are rejected outright; short inputs explore the notation.
  limit=()
  [ "$target" = parsenumber ] && limit=(-max_len=32)
  mkdir -p "$fuzz/corpus/$target"
  "$fuzz/${target}_fuzz" -max_total_time=30 -timeout=10 -print_final_stats=1 "${limit[@]}" \
    -artifact_prefix="$fuzz/$target-" \
    "$fuzz/corpus/$target" "fuzz/corpus/$target"
done

# Last, so that the run ends on the test count: the whole suite again under AddressSanitizer
# and UndefinedBehaviorSanitizer. Lean on purpose: no benchmarks, -O1 with line tables only.
asan=build/asan
cmake -S . -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
  -DCALIBRIX_SANITIZE=ON -DCALIBRIX_BUILD_BENCHMARKS=OFF -DCALIBRIX_WERROR=ON >/dev/null
cmake --build "$asan" -j 2
ASAN_OPTIONS=detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
  UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$asan" --output-on-failure --timeout 300
