#!/usr/bin/env bash
# Installs what is missing, builds the programs without the tests in build-deb/, and
# makes the Debian package there (build-deb/cloze-trainer_VERSION_ARCH.deb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DCLOZE_BENCH=OFF \
  > build-deb.log 2>&1 || { cat build-deb.log; exit 1; }
cmake --build build-deb -j"$(nproc)" >> build-deb.log 2>&1 || { tail -50 build-deb.log; exit 1; }
(cd build-deb && cpack -G DEB) >> build-deb.log 2>&1 || { tail -50 build-deb.log; exit 1; }
ls "$PWD"/build-deb/*.deb
