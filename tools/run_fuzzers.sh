#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (ASan + UBSan) and runs each for a bounded time from a
# seed corpus: the demo data set when a normal build has made it, and the small seeds in the tree.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}
dir=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_FUZZ=ON \
  -DQUORVEL_BENCH=OFF -DBUILD_TESTING=OFF -DQUORVEL_WERROR="$([ "${CI:-}" = true ] && echo ON || echo OFF)" >/dev/null
cmake --build "$dir" --target fuzz_decomposition fuzz_element_forms fuzz_gif_picture fuzz_cell_picture -j "$(nproc)"

demo=build/release/demo
run() {
  local name=$1 seeds=$2
  shift 2
  local corpus=$dir/corpus/$name
  mkdir -p "$corpus"
  for extra in "$@"; do [ -f "$extra" ] && cp "$extra" "$corpus/" || true; done
  echo "-- $name for ${seconds}s"
  # shellcheck disable=SC2086 # $limits holds several options
  ASAN_OPTIONS=detect_leaks=1 "$dir/tests/fuzz/$name" -max_total_time="$seconds" \
    ${limits:--timeout=10 -rss_limit_mb=2048 -max_len=262144} -print_final_stats=1 "$corpus" "$seeds" 2>&1 | tail -n 12
  # libFuzzer exits non-zero on a crash, a leak or a hang; pipefail carries that out.
}
# The readers' inputs reach past the field bound (4096 characters); an accepted input that takes
# more than a few seconds or a few hundred MB is a finding.
reader_limits="-timeout=5 -rss_limit_mb=512 -malloc_limit_mb=256 -max_len=1048576"
limits=$reader_limits run fuzz_decomposition tests/fuzz/seeds/decomposition "$demo/文字分解表.csv"
limits=$reader_limits run fuzz_element_forms tests/fuzz/seeds/element_forms "$demo/文字要素.csv"
# An accepted picture must also be cheap: at most 4 Mi pixels, so a few seconds and well under
# these limits for any input.
picture_limits="-timeout=5 -rss_limit_mb=1024 -malloc_limit_mb=256 -max_len=262144"
glyphs=$(ls "$demo/文字/Quorvelコード/"*.gif 2>/dev/null | head -n 3 || true)
limits=$picture_limits run fuzz_gif_picture tests/fuzz/seeds/gif $glyphs
limits=$picture_limits run fuzz_cell_picture tests/fuzz/seeds/gif $glyphs
