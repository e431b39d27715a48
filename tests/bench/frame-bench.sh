#!/usr/bin/env bash
# Runs the frame benchmark (bench_frames.exe of a win64 build folder) under
# Wine on a 1920x1080 virtual screen and prints its table with the machine's
# load before each run.
#
# Given two build folders (say the code before and after a change), the two
# harnesses run in turns in one Wine session, ROUNDS times, so that both see
# the same load; a summary then gives, per case, the median over the rounds
# of each one's whole-frame median and their ratio.
#
# Usage: tests/bench/frame-bench.sh [-r ROUNDS] [-f FRAMES] BUILD_DIR [BUILD_DIR2]
set -euo pipefail

rounds=1 frames=300
while getopts "r:f:" option; do
    case $option in
        r) rounds=$OPTARG ;;
        f) frames=$OPTARG ;;
        *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
if [[ $# -lt 1 || $# -gt 2 ]]; then
    echo "usage: $0 [-r ROUNDS] [-f FRAMES] BUILD_DIR [BUILD_DIR2]" >&2
    exit 2
fi
repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
if [[ -z "${BRUMO_WINE_ENV:-}" ]]; then
    export BRUMO_WINE_SCREEN=1920x1080x24
    exec "$repo_root/scripts/with-wine.sh" "$0" -r "$rounds" -f "$frames" "$@"
fi

builds=()
for dir in "$@"; do
    exe="$(cd "$dir" && pwd)/tests/bench_frames.exe"
    [[ -f "$exe" ]] || { echo "no $exe (build the target bench_frames)" >&2; exit 1; }
    builds+=("$exe")
done
table="$(mktemp)"
trap 'rm -f "$table"' EXIT
for ((round = 1; round <= rounds; round++)); do
    for index in "${!builds[@]}"; do
        echo "== ${builds[$index]} (round $round), load: $(cut -d' ' -f1-3 /proc/loadavg)"
        wine "${builds[$index]}" "$frames" </dev/null 2>/dev/null | tr -d '\r' |
            tee >(sed "s/^/$index|/" >>"$table")
    done
done
if ((${#builds[@]} == 2)); then
    echo "== median over $rounds rounds of the whole-frame medians (ms): first, second, first/second"
    # Case names fill the first 34 columns of a row; the whole frame is its 5th number.
    awk -F'|' '
        function median(list,   n, v, i, j, t) {
            n = split(list, v, " ")
            for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
            return v[int((n + 1) / 2)]
        }
        $2 !~ /^(screen|case) / {
            name = substr($2, 1, 34); split(substr($2, 35), f, " ")
            if (!(name in seen)) { seen[name] = 1; order[++count] = name }
            frame[$1, name] = frame[$1, name] " " f[5]
        }
        END {
            for (i = 1; i <= count; i++) {
                a = median(frame[0, order[i]]); b = median(frame[1, order[i]])
                printf "%s %8.3f %8.3f %6.2fx\n", order[i], a, b, (b > 0 ? a / b : 0)
            }
        }' "$table"
fi
