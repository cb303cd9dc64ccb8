#!/usr/bin/env bash
# run.sh - builds qev and evaluates the formula given as arguments (mc66 options allowed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build >/dev/null
cmake --build build -j2 >/dev/null
exec tclsh <(printf '%s\n' 'load build/libqev.so Qev' 'puts [mc66 {*}$argv]') "$@"
