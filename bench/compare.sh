#!/usr/bin/env bash
# compare.sh - unit conversions and analysis at scale: qev against two other
# command-line unit calculators from Debian's packages, and the analysis words from
# 10^4 to 10^6 samples. Prints wall and CPU times, ratios and peak memory.
# The same conversions with errors in quadrature (-g), and with an error on every value
# in both models, give the cost of the Gaussian model.
#   bench/compare.sh [COUNT]      (COUNT conversions, 10000 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-10000}
scripts/setup.sh units qalc time
[ -x build/qev ] || { cmake -S . -B build >/dev/null && cmake --build build -j2 >/dev/null; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME=$work/xdg

# The same conversions in each tool's words: qev ("from -> to", answered in the target
# unit with its name, as every answer is), units (from, then to) and qalc ("from to to").
awk -v n="$count" 'BEGIN {
  srand(20261208)
  split("ft mph lb gal in mi psi kWh kn", qf, " ");  split("m m/s kg L cm km Pa MJ kmh", qt, " ")
  split("ft mph lb gallon inch mile psi kWh knot", uf, " "); split("m m/s kg L cm km Pa MJ km/hr", ut, " ")
  split("ft mph lb gal in mi psi kWh knot", cf, " "); split("m m/s kg L cm km Pa MJ km/h", ct, " ")
  for (k = 0; k < n; k++) {
    i = k % 9 + 1; v = sprintf("%.4f", 1 + rand() * 999)
    print v " " qf[i] " -> " qt[i] > "'"$work"'/qev.in"
    print "(" v "±" sprintf("%.4f", v * rand() * 0.01) ") " qf[i] " * (1±0.001) -> " qt[i] > "'"$work"'/qeverr.in"
    print v " " uf[i] "\n" ut[i] > "'"$work"'/units.in"
    print v " " cf[i] " to " ct[i] > "'"$work"'/qalc.in"
  }
}'

# Runs a command with input $2 and output $3, best of $1 runs; prints "wall cpu" in seconds.
timed() {
  local runs=$1 in=$2 out=$3; shift 3
  local best=""
  for ((r = 0; r < runs; r++)); do
    local t
    t=$( { TIMEFORMAT="%3R %3U %3S"; time "$@" < "$in" > "$out"; } 2>&1 )
    t=$(awk '{ printf "%.3f %.3f", $1, $2 + $3 }' <<< "$t")
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { split(a, x); split(b, y); exit !(x[1] < y[1]) }'; then best=$t; fi
  done
  echo "$best"
}

# qalc waits about 20 ms after every line (its CPU time is small): it gets the first
# thousand conversions, and its CPU time is compared per conversion.
qcount=$(( count < 1000 ? count : 1000 ))
head -n "$qcount" "$work/qalc.in" > "$work/qalc1k.in"
read -r qw qc <<< "$(timed 5 "$work/qev.in" "$work/qev.out" build/qev)"
read -r uw uc <<< "$(timed 5 "$work/units.in" "$work/units.out" units -t)"
read -r cw cc <<< "$(timed 1 /dev/null "$work/qalc.out" qalc -t -nocurrencies -f "$work/qalc1k.in")"
read -r gw gc <<< "$(timed 5 "$work/qev.in" "$work/qevg.out" build/qev -g)"
read -r lew lec <<< "$(timed 5 "$work/qeverr.in" "$work/qeverr.out" build/qev)"
read -r gew gec <<< "$(timed 5 "$work/qeverr.in" "$work/qevgerr.out" build/qev -g)"
cmp -s "$work/qev.out" "$work/qevg.out" || { echo "qev -g answers the conversions otherwise"; exit 1; }

# The answers must agree to six significant digits.
paste -d' ' <(awk '{ print $1 }' "$work/qev.out") "$work/units.out" \
    <(awk '{ print $1 }' "$work/qalc.out") | awk '
  function off(a, b) { d = (a - b) / (b == 0 ? 1 : b); return d < 0 ? -d : d }
  { if (off($1, $2) > 1e-6 || (NF > 2 && off($1, $3) > 1e-6)) bad++ }
  END { if (bad) { print bad " answers disagree"; exit 1 } print NR " answers of qev and units agree to 6 digits, the first '"$qcount"' with qalc too" }'

echo
echo "unit conversions, best of 5 runs      count   wall s    CPU s   us/conversion"
printf "  qev                               %6d  %7.3f  %7.3f  %7.2f\n" "$count" "$qw" "$qc" "$(awk -v t="$qw" -v n="$count" 'BEGIN { print t / n * 1e6 }')"
printf "  units -t                          %6d  %7.3f  %7.3f  %7.2f\n" "$count" "$uw" "$uc" "$(awk -v t="$uw" -v n="$count" 'BEGIN { print t / n * 1e6 }')"
printf "  qalc -t -f (CPU)                  %6d  %7.3f  %7.3f  %7.2f\n" "$qcount" "$cw" "$cc" "$(awk -v t="$cc" -v n="$qcount" 'BEGIN { print t / n * 1e6 }')"
awk -v qw="$qw" -v qc="$qc" -v uw="$uw" -v cc="$cc" -v n="$count" -v m="$qcount" 'BEGIN {
  printf "  qev is %.1f times faster than units -t in wall time (goal: 3)\n", uw / qw
  printf "  qev takes %.0f times less CPU per conversion than qalc (goal: 100)\n", (cc / m) / ((qc > 0 ? qc : 0.001) / n) }'

echo
echo "error models, best of 5 runs          count   wall s    CPU s   us/conversion"
for row in "default:$qw:$qc" "-g (Gaussian):$gw:$gc" "errors, default:$lew:$lec" "errors, -g:$gew:$gec"; do
  IFS=: read -r name w c <<< "$row"
  printf "  qev %-29s %6d  %7.3f  %7.3f  %7.2f\n" "$name" "$count" "$w" "$c" "$(awk -v t="$w" -v n="$count" 'BEGIN { print t / n * 1e6 }')"
done
awk -v qw="$qw" -v gw="$gw" -v lew="$lew" -v gew="$gew" -v qc="$qc" -v gc="$gc" -v lec="$lec" -v gec="$gec" 'BEGIN {
  printf "  -g takes %.2f times the default'"'"'s time (goal: at most 2), %.2f with an error on every value\n", gw / qw, gew / lew
  printf "  in CPU time %.2f and %.2f\n", gc / (qc > 0 ? qc : 0.001), gec / (lec > 0 ? lec : 0.001) }'

echo
echo "analysis at scale                       wall s   peak MB"
for f in 'integ 0 1 N x^2' 'findmin 0 1 N (x-0.3)^2' 'findx 0 1 N x-0.3'; do
  declare -A t=()
  for n in 10000 100000 1000000; do
    /usr/bin/time -f "%e %M" -o "$work/time" build/qev "${f/N/$n}" > "$work/a.out"
    read -r w m < "$work/time"
    t[$n]=$w
    printf "  %-36s %7.3f  %7.1f\n" "${f/N/$n}" "$w" "$(awk -v m="$m" 'BEGIN { print m / 1024 }')"
  done
  awk -v a="${t[10000]}" -v b="${t[1000000]}" 'BEGIN {
    printf "    time ratio 10^6 / 10^4: %.1f (n log n allows %.0f)\n", b / (a > 0 ? a : 0.001), 100 * log(1e6) / log(1e4) }'
done
