#!/usr/bin/env bash
# Checks the format of the C++ sources, builds everything and runs every test: a normal build, an
# AddressSanitizer and UndefinedBehaviorSanitizer build, and the fuzzers for a bounded time.
# With CI=true, warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install_dependencies.sh

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
jobs=$(nproc)

echo "== format (.clang-format; fix with clang-format -i)"
find src tests tools bench -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror

configure_build_test() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DQUORVEL_WERROR="$werror" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && ctest --output-on-failure -j "$jobs")
}

echo "== normal build"
configure_build_test build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
configure_build_test build/asan -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON -DQUORVEL_BENCH=OFF

echo "== fuzzers"
tools/run_fuzzers.sh
