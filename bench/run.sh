#!/usr/bin/env bash
# Builds the benchmarks in a release build and runs each: store, then screens and
# start-up on two monitor sizes.
#   bench/run.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCLOZE_BENCH=ON > "$build.log" 2>&1 || { cat "$build.log"; exit 1; }
cmake --build "$build" -j"$(nproc)" >> "$build.log" 2>&1 || { tail -40 "$build.log"; exit 1; }
status=0
echo "== lesson store"; "$build"/bench-bin/store_bench ${1:-} || status=1
echo "== editor";       "$build"/bench-bin/editor_bench ${1:-} 2>/dev/null || status=1
# The screens fit their monitor: the timings on a projector and on a large monitor.
for size in 1280x720 1920x1080; do
  monitor=$PWD/tests/screens/monitors/$([[ $size == 1280x720 ]] && echo projector || echo monitor).json
  echo "== screens, $size"
  QT_QPA_PLATFORM=offscreen:configfile=$monitor "$build"/bench-bin/screens_bench ${1:-} 2>/dev/null || status=1
  echo "== start-up, $size"
  xvfb-run -a -s "-screen 0 ${size}x24" "$build"/bench-bin/startup_bench "$build"/bin/cloze-trainer \
    "$build"/bench-bin/bare_window 2>/dev/null || status=1
done
exit $status
