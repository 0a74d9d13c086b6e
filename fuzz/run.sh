#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a fixed time.
#   fuzz/run.sh [SECONDS_PER_TARGET]   (default 12; ./test uses the default)
# Longer runs: fuzz/run.sh 600
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-12}
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCLOZE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo > "$build.log" 2>&1 \
  || { cat "$build.log"; exit 1; }
cmake --build "$build" -j"$(nproc)" >> "$build.log" 2>&1 || { tail -40 "$build.log"; exit 1; }
status=0
for target in "$build"/fuzzers/fuzz_*; do
  [[ -f "$target" && -x "$target" ]] || continue
  name=$(basename "$target")
  corpus_seed="fuzz/corpus/${name#fuzz_}"
  work=$(mktemp -d)
  [[ -d "$corpus_seed" ]] && cp -r "$corpus_seed"/. "$work"/
  log="$build/$name.log"
  if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$work" > "$log" 2>&1; then
    execs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "fuzz $name: ${execs:-?} executions in ${seconds}s, no failure"
  else
    echo "fuzz $name: FAILED"; tail -40 "$log"; status=1
  fi
  rm -rf "$work"
done
exit $status
