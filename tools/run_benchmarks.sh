#!/usr/bin/env bash
# Builds the program and its benchmarks in RelWithDebInfo (optimised, with symbols for profiling)
# in build/release and runs the benchmarks on an X display; they print their figures and ratios.
# Without a display they run under an Xvfb of their own.
#
# BASELINE=<build folder of another checkout> also measures that build's program, on its own demo
# folder, in the same run (before the current build), so that before and after can be compared:
#   BASELINE=/work/baseline/build/release tools/run_benchmarks.sh
# STARTUP_RUNS and LOOKUP_RUNS set the number of start-up pairs and of program starts for lookups.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install_dependencies.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$(nproc)" --target bench_startup bench_lookup

xvfb=
runtime=
cleanup() {
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  fi
  [ -z "$runtime" ] || rm -rf "$runtime"
}
trap cleanup EXIT

# Qt wants a private runtime folder; without one every measured program warns on each start.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  runtime=$(mktemp -d) # mode 0700
  export XDG_RUNTIME_DIR=$runtime
fi

if [ -z "${DISPLAY:-}" ]; then
  source tools/own_xvfb.sh
  start_own_xvfb 1280x1024x24
fi

measure() { # <label> [--program P --demo D]
  local label=$1
  shift
  echo "=== $label"
  build/release/bench/bench_startup --runs "${STARTUP_RUNS:-21}" "$@"
  build/release/bench/bench_lookup --runs "${LOOKUP_RUNS:-3}" "$@"
}

if [ -n "${BASELINE:-}" ]; then
  measure "baseline: $BASELINE" --program "$BASELINE/src/quorvel_lookup" --demo "$BASELINE/demo"
fi
measure "this build: $PWD/build/release"
