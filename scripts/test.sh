#!/usr/bin/env bash
# test.sh - builds qev and runs every test; then again with AddressSanitizer and
# UndefinedBehaviorSanitizer (LeakSanitizer included); the thread test with
# ThreadSanitizer; then each fuzz target for a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build >/dev/null
cmake --build build -j2
(cd build && ctest --output-on-failure -j2)
cmake -S . -B build-asan -DQEV_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-asan -j2
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j2)
# ThreadSanitizer: the extension alone, called by interpreters in several threads of an
# uninstrumented tclsh (races inside Tcl itself are not qev's: tests/tsan.supp).
cmake -S . -B build-tsan -DQEV_TSAN=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-tsan -j2 --target extension
TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/tests/tsan.supp" LD_PRELOAD="$(g++ -print-file-name=libtsan.so)" \
  tclsh tests/threads.test build-tsan
FUZZ_JOBS=${FUZZ_JOBS:-2} scripts/fuzz.sh "${QEV_FUZZ_SECONDS:-60}"
