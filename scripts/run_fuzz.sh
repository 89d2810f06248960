#!/usr/bin/env bash
# Runs every fuzz target built by the fuzz preset (or those named) for SECONDS each, one after
# another, starting from the seeds in fuzz/corpus/<target>/ and the inputs found by earlier
# runs in build/fuzz/corpus/<target>/. A crash leaves its input in build/fuzz/artifacts/ and
# makes the script fail. Prints each target's executions and seconds.
#
#   cmake --preset fuzz && cmake --build --preset fuzz && scripts/run_fuzz.sh 10
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: scripts/run_fuzz.sh SECONDS [TARGET...]}
shift
build=build/fuzz
if [ $# -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for seeds in fuzz/corpus/*/; do
        targets+=("$(basename "$seeds")")
    done
fi

# The targets write each input into a temporary data area: memory is much faster than disk.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
mkdir -p "$build/artifacts"
failed=0
for target in "${targets[@]}"; do
    binary=$build/fuzz/$target
    [ -x "$binary" ] || { echo "$target: not built ($binary)" >&2; exit 1; }
    found=$build/corpus/$target
    mkdir -p "$found"
    log=$build/artifacts/$target.log
    if "$binary" "$found" "fuzz/corpus/$target" -max_total_time="$seconds" -timeout=30 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" >"$log" 2>&1; then
        verdict=clean
    else
        verdict="FAILED (see $log)"
        failed=1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")
    echo "$target: ${runs:-?} executions in ${took:-?} s, $verdict"
done
exit $failed
