#!/usr/bin/env bash
# Runs every fuzz target for SECONDS, JOBS at a time, from its seeds and the
# corpus earlier runs grew, under ASan, UBSan and LeakSanitizer. Prints one
# line per target (executions, executions per second, findings) and fails
# if any target found anything: a crash, a failed check, undefined
# behaviour, a leak, or an input slower than FUZZ_TIMEOUT seconds.
# Findings land in BUILD/findings/TARGET/ and the full output in BUILD/logs/,
# both kept until the next run.
#
#   fuzz/run_fuzzers.sh BUILD SECONDS [JOBS]
#
# FUZZ_TARGETS picks targets; FUZZ_RUNS stops each after that many inputs
# (whichever of the two limits comes first).
set -u
build=$1
seconds=$2
jobs=${3:-2}
targets=${FUZZ_TARGETS:-"archive image mask sound settings script"}
timeout=${FUZZ_TIMEOUT:-10}
cd "$build" || exit 2

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
rm -rf logs findings
mkdir -p logs
for t in $targets; do
    mkdir -p "corpus/$t" "findings/$t"
done

# One target, its output kept; the exit code goes beside it.
run_one() {
    t=$1
    ./fuzz_$t -max_total_time="$seconds" ${FUZZ_RUNS:+-runs=$FUZZ_RUNS} -timeout="$timeout" \
        -print_final_stats=1 \
        -artifact_prefix="findings/$t/" "corpus/$t" "seeds/$t" >"logs/$t.log" 2>&1
    echo $? >"logs/$t.rc"
}

started=$(date +%s)
for t in $targets; do echo "$t"; done | {
    running=0
    while read -r t; do
        run_one "$t" &
        running=$((running + 1))
        if [ "$running" -ge "$jobs" ]; then
            wait -n
            running=$((running - 1))
        fi
    done
    wait
}
finished=$(date +%s)

stat() {
    sed -n "s/^stat::$2: *//p" "logs/$1.log" | tail -n 1
}

failed=0
printf '%-9s %12s %10s %9s\n' target executions "exec/s" findings
for t in $targets; do
    rc=$(cat "logs/$t.rc" 2>/dev/null || echo 1)
    found=$(find "findings/$t" -type f | wc -l)
    printf '%-9s %12s %10s %9s\n' "$t" "$(stat "$t" number_of_executed_units)" \
        "$(stat "$t" average_exec_per_sec)" "$found"
    if [ "$rc" != 0 ] || [ "$found" != 0 ]; then
        failed=1
        echo "--- fuzz_$t failed (exit $rc); the end of logs/$t.log:"
        tail -n 40 "logs/$t.log"
    fi
done
echo "fuzzing took $((finished - started)) s, $seconds s a target, $jobs at a time"
exit $failed
