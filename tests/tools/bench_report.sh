#!/bin/bash
# The benchmark program's report: a repeated run fills both the medians and
# the fastest repetitions into the template, and a run without repetitions
# has no fastest, which it reports as a missing figure and a failure.
# usage: bench_report.sh GOBBLE_BENCH WORK_FOLDER
set -u
bench=$1
work=$2/bench-report
mkdir -p "$work"
printf 'median {{cpu:BM_FrameCopy/memcpy}}\nfastest {{best:cpu:BM_FrameCopy/memcpy}}\n' >"$work/in.md"
run() {
    "$bench" --benchmark_filter='^BM_FrameCopy/memcpy$' --benchmark_min_time=0.01 "$@" \
        --report-template="$work/in.md" --report-out="$work/out.md" >"$work/log" 2>&1
}
fail() {
    echo "FAIL: $*"
    cat "$work/log" "$work/out.md" 2>/dev/null
    exit 1
}

run --benchmark_repetitions=3 || fail "a repeated run failed"
grep -q '^median [0-9.]* µs$' "$work/out.md" || fail "no median"
grep -q '^fastest [0-9.]* µs$' "$work/out.md" || fail "no fastest repetition"
grep -q '_median' "$work/log" || fail "the console shows no summaries"
grep -qE '^BM_FrameCopy/memcpy +[0-9]' "$work/log" && fail "the console shows the repetitions"

run && fail "a run without repetitions filled the fastest"
grep -q '^fastest n/a$' "$work/out.md" || fail "the missing fastest is not marked"
grep -q 'no figure for' "$work/log" || fail "the missing fastest is not reported"
echo "bench report: ok"
