#!/usr/bin/env bash
# Builds the program in release mode and runs the benchmarks; they print their figures and ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install_dependencies.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$(nproc)" --target bench_lookup bench_startup
build/release/bench/bench_startup "${STARTUP_RUNS:-21}"
build/release/bench/bench_lookup
