#!/usr/bin/env bash
# tables.sh - time and peak memory of the tables of pairs ("plot", "setrandf") over
# 10^5 to 10^7 samples, against the goals for 10^7: plot under 200 MB and 5 s,
# setrandf under 1 GB.
#   bench/tables.sh [BUILD-FOLDER]     (build by default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scripts/setup.sh time
[ -x "$build/qev" ] || { cmake -S . -B "$build" >/dev/null && cmake --build "$build" -j2 >/dev/null; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME=$work/xdg
"$build/qev" 1 >/dev/null

# Runs one formula; prints samples, seconds, peak MB and the answer's length, and
# checks the goal (seconds, MB; 0 for none) at 10^7 samples.
measure() {
  local word=$1 n=$2 maxs=$3 maxmb=$4
  /usr/bin/time -f "%e %M" -o "$work/t" "$build/qev" "$word 0 1 $n x" >"$work/out"
  read -r secs kb <"$work/t"
  local mb=$((kb / 1024)) verdict=""
  if [ "$n" = 1e7 ]; then
    verdict="goal: under ${maxmb} MB"
    [ "$maxs" != 0 ] && verdict="$verdict and ${maxs} s"
    if [ "$mb" -lt "$maxmb" ] && { [ "$maxs" = 0 ] || awk -v s="$secs" -v m="$maxs" 'BEGIN { exit !(s < m) }'; }; then
      verdict="$verdict: met"
    else
      verdict="$verdict: MISSED"
    fi
  fi
  printf '%-9s %6s samples  %6.2f s  %6d MB peak  %6d bytes answer  %s\n' \
    "$word" "$n" "$secs" "$mb" "$(wc -c <"$work/out")" "$verdict"
}

for n in 1e5 1e6 1e7; do measure plot $n 5 200; done
for n in 1e5 1e6 1e7; do measure setrandf $n 0 1024; done
