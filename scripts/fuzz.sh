#!/usr/bin/env bash
# fuzz.sh - builds the libFuzzer targets of fuzz/ in build-fuzz (clang++, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for SECONDS (default 60), two at a time when
# FUZZ_JOBS=2. Usage: scripts/fuzz.sh [SECONDS] [TARGET...]  (targets: mc66 units library
# libedit regres fbr answer). Seeds come from the tests; the grown corpus stays in
# build-fuzz/corpus.
# An input that breaks an invariant is kept in build-fuzz/findings and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(mc66 units library libedit regres fbr answer)
scripts/setup.sh
cmake -S . -B build-fuzz -DQEV_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2 --target fuzzers >/dev/null
out=$PWD/build-fuzz
rm -rf "$out/seeds"
tclsh fuzz/seeds.tcl . "$out/seeds"
mkdir -p "$out/findings" "$out/logs"
work=$(mktemp -d /tmp/qevfuzz-run.XXXXXX)
trap 'rm -rf "$work"' EXIT

# Runs one target; its log is build-fuzz/logs/<target>.log.
fuzzone() {
    local t=$1 corpus=$out/corpus/$1
    mkdir -p "$corpus" "$work/$t"
    local rc=0
    TMPDIR=$work/$t ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 \
        "$out/fuzz/${t}_fuzz" -max_total_time="$seconds" -timeout=1 -max_len=8192 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$out/findings/$t-" "$corpus" "$out/seeds/$t" \
        >"$out/logs/$t.log" 2>&1 || rc=$?
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/logs/$t.log")
    if [ $rc -eq 0 ]; then
        echo "fuzz $t: ${runs:-?} runs in ${seconds} s, no finding"
    else
        echo "fuzz $t: FINDING after ${runs:-?} runs (exit $rc); see $out/logs/$t.log"
        grep -E '^(==[0-9]+==ERROR|SUMMARY|fuzz invariant|.*runtime error|ALARM|artifact_prefix|Test unit written)' \
            "$out/logs/$t.log" | head -20
    fi
    return $rc
}

failed=0
jobs=${FUZZ_JOBS:-1}
pids=()
for t in "${targets[@]}"; do
    fuzzone "$t" &
    pids+=($!)
    if [ ${#pids[@]} -ge "$jobs" ]; then
        wait "${pids[0]}" || failed=1
        pids=("${pids[@]:1}")
    fi
done
for p in "${pids[@]}"; do wait "$p" || failed=1; done
[ $failed -eq 0 ] && echo "fuzz: every target ran ${seconds} s without a finding"
exit $failed
