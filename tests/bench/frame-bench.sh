#!/usr/bin/env bash
# Runs the frame benchmark (bench_frames.exe of a win64 build folder) under
# Wine on a 1920x1080 virtual screen and prints its table with the machine's
# load before each run. Given two build folders (the code before and after a
# change), the two run in turns in one Wine session, ROUNDS times, so that both
# see the same load; then per case the median over the rounds of each one's
# whole-frame median, and their ratio.
#
# Usage: tests/bench/frame-bench.sh [-r ROUNDS] BUILD_DIR [BUILD_DIR2]
set -euo pipefail

rounds=1
if [[ ${1:-} == -r ]]; then rounds=$2 && shift 2; fi
(($# == 1 || $# == 2)) || { echo "usage: $0 [-r ROUNDS] BUILD_DIR [BUILD_DIR2]" >&2; exit 2; }
if [[ -z "${BRUMO_WINE_ENV:-}" ]]; then
    export BRUMO_WINE_SCREEN=1920x1080x24
    exec "$(dirname "$0")/../../scripts/with-wine.sh" "$0" -r "$rounds" "$@"
fi

exes=()
for dir in "$@"; do
    exes+=("$(cd "$dir" && pwd)/tests/bench_frames.exe")
    [[ -f ${exes[-1]} ]] || { echo "no ${exes[-1]} (build the target bench_frames)" >&2; exit 1; }
done
table="$(mktemp)"
trap 'rm -f "$table"' EXIT
for ((round = 1; round <= rounds; round++)); do
    for i in "${!exes[@]}"; do
        echo "== ${exes[i]} (round $round), load: $(cut -d' ' -f1-3 /proc/loadavg)"
        wine "${exes[i]}" </dev/null 2>/dev/null | tr -d '\r' | tee >(sed "s/^/$i|/" >>"$table")
    done
done
((${#exes[@]} == 2)) || exit 0

# median BUILD CASE: of the whole frames (the third number from the end) of
# that build's rows of the case; case names fill the first 34 columns.
median() {
    awk -v row="$1|$2" 'index($0, row) == 1 { print $(NF - 2) }' "$table" | sort -n |
        awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}
echo "== median over $rounds rounds of the whole-frame medians (ms): first, second, first/second"
awk -F'|' '$2 !~ /^(screen|case) / && !seen[$2 = substr($2, 1, 34)]++ { print $2 }' "$table" |
    while IFS= read -r name; do
        awk -v n="$name" -v a="$(median 0 "$name")" -v b="$(median 1 "$name")" \
            'BEGIN { printf "%s %8.3f %8.3f %6.2fx\n", n, a, b, (b > 0 ? a / b : 0) }'
    done
