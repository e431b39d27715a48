#!/usr/bin/env bash
# The processor time the running saver takes: starts brumo.scr /s with the
# default settings under Wine on a 1920x1080 virtual screen, lets it settle,
# then reads the process's user + system time from /proc/<pid>/stat at the
# start and the end of SECONDS and prints it as a share of one core, with
# the load. Given two build folders, the two savers run in turns, ROUNDS times.
#
# Usage: tests/bench/saver-cpu.sh [-r ROUNDS] [-s SECONDS] BUILD_DIR [BUILD_DIR2]
set -euo pipefail

rounds=1 seconds=30
readonly settle_seconds=8
while getopts "r:s:" option; do
    case $option in
        r) rounds=$OPTARG ;;
        s) seconds=$OPTARG ;;
        *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
if [[ $# -lt 1 || $# -gt 2 ]]; then
    echo "usage: $0 [-r ROUNDS] [-s SECONDS] BUILD_DIR [BUILD_DIR2]" >&2
    exit 2
fi
repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
if [[ -z "${BRUMO_WINE_ENV:-}" ]]; then
    export BRUMO_WINE_SCREEN=1920x1080x24
    exec "$repo_root/scripts/with-wine.sh" "$0" -r "$rounds" -s "$seconds" "$@"
fi

# Clock ticks of user + system time of a process.
cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}

# The Linux process that runs the saver started by the wine launcher $1.
saver_pid() {
    local pid
    for pid in $(pgrep -f 'brumo\.scr' || true); do
        [[ "$pid" != "$1" ]] && grep -q 'brumo\.scr' "/proc/$pid/cmdline" && { echo "$pid"; return; }
    done
    echo "$1"
}

measure() {
    local scr=$1 launcher pid start end
    wine "$scr" /s </dev/null >/dev/null 2>&1 &
    launcher=$!
    sleep "$settle_seconds"
    pid=$(saver_pid "$launcher")
    echo "saver process $pid: $(tr "\0" " " <"/proc/$pid/cmdline")"
    start=$(cpu_ticks "$pid")
    sleep "$seconds"
    end=$(cpu_ticks "$pid")
    echo "$scr: $(awk -v t=$((end - start)) -v hz="$(getconf CLK_TCK)" -v s="$seconds" \
        'BEGIN { printf "%.2f s of processor in %d s = %.1f %% of one core", t / hz, s, 100 * t / hz / s }'), load $(cut -d' ' -f1-3 /proc/loadavg)"
    kill "$pid" 2>/dev/null || true
    wait "$launcher" 2>/dev/null || true
}

for ((round = 1; round <= rounds; round++)); do
    for dir in "$@"; do
        measure "$(cd "$dir" && pwd)/brumo.scr"
    done
done
