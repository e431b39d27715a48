#!/usr/bin/env bash
# Builds the fuzz preset and runs every libFuzzer target of tests/fuzz for a
# bounded time, starting from its checked-in seeds (tests/fuzz/corpus/<Target>/).
# The seeds are copied to a temporary folder first, so a run never writes
# into the repository. Any finding (crash, sanitizer report, failed check,
# slow input) fails the script; the input that caused it is kept under
# build/fuzz/findings/.
#
# The tag reader's target parses a whole file format and runs three times as long.
#
# Usage: scripts/run-fuzz.sh [SECONDS_PER_TARGET]   (default 10)
set -euo pipefail

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
readonly repo_root
readonly seconds=${1:-10}
readonly slow_input_seconds=10
readonly long_target=ID3TagFuzz
readonly long_target_factor=3

cd "$repo_root"
scripts/build-preset.sh fuzz

work="$(mktemp -d)"
readonly work
trap 'rm -rf "$work"' EXIT
findings="$repo_root/build/fuzz/findings"
readonly findings

readonly parallel_runs=2

# Runs one target; prints its result and leaves "$work/<target>.failed" on a finding.
run_target() {
    local target=$1 corpus="$work/$1" log="$work/$1.log" rate runs
    local run_seconds=$seconds
    if [[ $target == "$long_target" ]]; then run_seconds=$((seconds * long_target_factor)); fi
    mkdir -p "$corpus"
    if [[ -d "tests/fuzz/corpus/$target" ]]; then
        cp -R "tests/fuzz/corpus/$target/." "$corpus/"
    fi
    if "build/fuzz/tests/fuzz/$target" -max_total_time="$run_seconds" -timeout="$slow_input_seconds" \
        -print_final_stats=1 -artifact_prefix="$work/$target-" "$corpus" >"$log" 2>&1; then
        rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")"
        runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
        printf '%-24s ok: %s runs, %s per second\n' "$target" "${runs:-?}" "${rate:-?}"
    else
        touch "$work/$target.failed"
        echo "$target FAILED:"
        tail -n 40 "$log"
        mkdir -p "$findings"
        cp "$work/$target-"* "$findings/" 2>/dev/null || true
        echo "(inputs kept in $findings)"
    fi
}

# Two targets at a time: one per core.
for source in tests/fuzz/*Fuzz.cpp; do
    while (($(jobs -rp | wc -l) >= parallel_runs)); do wait -n || true; done
    run_target "$(basename "$source" .cpp)" &
done
wait
if compgen -G "$work/*.failed" >/dev/null; then exit 1; fi
