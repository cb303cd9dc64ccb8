#!/usr/bin/env bash
# run.sh - builds qev and runs the command-line calculator build/qev with the arguments
# (file names in them are taken from the folder where run.sh was called).
set -euo pipefail
here=$(pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
cmake -S . -B build >/dev/null
cmake --build build -j2 >/dev/null
cd "$here"
exec "$root/build/qev" "$@"
