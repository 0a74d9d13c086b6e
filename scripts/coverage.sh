#!/usr/bin/env bash
# Line coverage of src/ and tools/ by the test suite: builds with gcov counters in
# build-coverage/, runs every test once and prints gcovr's summary (lines, and the
# total as a percentage). Usage: scripts/coverage.sh [gcovr options...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh scripts/debian-packages.txt scripts/coverage-packages.txt
dir=build-coverage
export QT_QPA_PLATFORM=offscreen
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCLOZE_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_EXE_LINKER_FLAGS="--coverage" > "$dir.log" 2>&1 \
  || { cat "$dir.log"; exit 1; }
cmake --build "$dir" -j"$(nproc)" >> "$dir.log" 2>&1 || { tail -40 "$dir.log"; exit 1; }
# Counters of objects that an earlier build had and this one has not would be read as
# lines of today's sources.
ninja -C "$dir" -t cleandead >> "$dir.log"
find "$dir" -name '*.gcno' | while read -r notes; do
  [[ -e "${notes%.gcno}.o" ]] || rm -f "$notes"
done
find "$dir" -name '*.gcda' -delete
ctest --test-dir "$dir" -j"$(nproc)" --output-on-failure -E '^package' > "$dir-tests.log" 2>&1 \
  || { tail -40 "$dir-tests.log"; exit 1; }
gcovr --root . --object-directory "$dir" --filter 'src/' --filter 'tools/' \
  --exclude-unreachable-branches --print-summary "$@" | tail -4
