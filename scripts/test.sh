#!/usr/bin/env bash
# test.sh - builds qev and runs every test; then again with AddressSanitizer and
# UndefinedBehaviorSanitizer (LeakSanitizer included); then each fuzz target for a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build >/dev/null
cmake --build build -j2
(cd build && ctest --output-on-failure -j2)
cmake -S . -B build-asan -DQEV_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-asan -j2
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j2)
FUZZ_JOBS=${FUZZ_JOBS:-2} scripts/fuzz.sh "${QEV_FUZZ_SECONDS:-60}"
