#!/usr/bin/env bash
# Builds the program and its demo data set, then runs the program on it. Without a display it runs
# the program under Xvfb, writes a screenshot of the window and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
tools/install_dependencies.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$(nproc)"

demo=build/release/demo
program=$PWD/build/release/src/quorvel_lookup
if [ ! -x "$program" ]; then
  echo "The demo data set is in $demo; the program itself is not built yet."
  exit 0
fi
cd "$demo"
if [ -n "${DISPLAY:-}" ]; then
  exec "$program"
fi

shot=$PWD/screenshot.png
echo "No display: running the program under Xvfb for a screenshot."
source "$root/tools/own_xvfb.sh"
start_own_xvfb 1280x800x24
trap 'kill $xvfb 2>/dev/null || true' EXIT
"$program" &
app=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --name "Quorvel文字検索プログラム" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
sleep 1
import -window root "$shot"
kill $app 2>/dev/null || true
echo "Screenshot of the main window: $shot"
