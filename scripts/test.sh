#!/usr/bin/env bash
# Builds Calibrix with warnings as errors and runs every test, headless.
#
#   scripts/test.sh               everything: the real-client and package tests in the plain
#                                 build, the fuzzers, then the unit and window tests under the
#                                 sanitizers
#   scripts/test.sh PART...       only these parts (unit, window, screenreader, desktop,
#                                 package), in the plain build
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/stages.sh
start=$SECONDS

parts=(unit window screenreader desktop package)
for part in "$@"; do
  [[ " ${parts[*]} " == *" $part "* ]] || { echo "unknown part '$part'; the parts: ${parts[*]}"; exit 2; }
done

# A compiler cache kept with the user's other caches makes a second run rebuild little.
# Paths below this folder are hashed as relative ones, so that a fresh clone elsewhere, and the
# source archive unpacked inside the build, find what an earlier run compiled.
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
fi

stage "Packages" scripts/deps.sh

# The configurations are the presets of CMakePresets.json; each builds in build/<preset>.
# The parts' targets build what their tests run, and nothing else.
plain() {
  local targets=() part
  for part in "$@"; do targets+=("calibrix_tests_$part"); done
  cmake --preset test >/dev/null
  cmake --build --preset test --target "${targets[@]}"
}
# The parts chosen, as ctest's label expression.
part_expression() { local IFS='|'; echo "^($*)\$"; }

if [ $# -gt 0 ]; then
  stage "Plain build" plain "$@"
  stage "Tests: $*" ctest --preset test -L "$(part_expression "$@")" --no-tests=error
  stage_summary "scripts/test.sh $*"
  exit
fi

# What the sanitizers cannot add to runs once, in the plain build: the real screen reader and
# desktops, and the packages.
clients=(screenreader desktop package)
stage "Plain build" plain "${clients[@]}"
stage "Tests: ${clients[*]}" ctest --preset test -L "$(part_expression "${clients[@]}")" \
  --no-tests=error

# Each libFuzzer target for 30 s from its seed corpus. New inputs go to the build tree,
# never into the seeds; a failure writes the input that caused it there too, and stops the run.
fuzz=build/fuzz
fuzz_build() {
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz -j 2
}
fuzz_run() {
  local target limit
  for target in parsenumber pastetext; do
    # Cell texts beyond 12 characters are rejected outright; short inputs explore the notation.
    limit=()
    [ "$target" = parsenumber ] && limit=(-max_len=32)
    mkdir -p "$fuzz/corpus/$target"
    "$fuzz/fuzz/${target}_fuzz" -max_total_time=30 -timeout=10 -print_final_stats=1 "${limit[@]}" \
      -artifact_prefix="$fuzz/$target-" \
      "$fuzz/corpus/$target" "fuzz/corpus/$target"
  done
}
stage "Fuzz build" fuzz_build
stage "Fuzzing" fuzz_run

# Last, so that the run ends on the test count: the unit and window tests under
# AddressSanitizer and UndefinedBehaviorSanitizer. Lean on purpose: no benchmarks, -O1 with
# line tables only.
asan_build() {
  cmake --preset asan >/dev/null
  cmake --build --preset asan -j 2
}
stage "Sanitizer build" asan_build
stage "Tests: unit window, sanitized" ctest --preset asan --no-tests=error
stage_summary "scripts/test.sh: $((SECONDS - start)) s"
