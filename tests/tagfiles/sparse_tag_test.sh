#!/usr/bin/env bash
# A 3 GB sparse .mp3 whose only tag sits 4 KiB before its end: the reader must
# find it while the process's peak memory stays under 64 MiB.
# Usage: tests/tagfiles/sparse_tag_test.sh ID3_DUMP
set -euo pipefail
[[ $# -eq 1 ]] || { echo "usage: $0 ID3_DUMP" >&2; exit 2; }
readonly dump=$1
readonly peak_limit_kib=65536
work="$(mktemp -d)"
readonly work
trap 'rm -rf "$work"' EXIT
readonly file="$work/huge.mp3"

truncate -s 3G "$file"
printf 'ID3\x03\x00\x00\x00\x00\x00\x0fTIT2\x00\x00\x00\x05\x00\x00\x00Snow' |
    dd of="$file" bs=4096 seek=$((3 * 1024 * 1024 / 4 - 1)) conv=notrunc status=none
start_ms=$(($(date +%s%N) / 1000000))
output="$("$dump" "$file")"
end_ms=$(($(date +%s%N) / 1000000))
echo "$output"
echo "read in $((end_ms - start_ms)) ms"
grep -qx 'Title: Snow' <<<"$output"
peak=$(sed -n 's/^Peak KiB: //p' <<<"$output")
((peak < peak_limit_kib)) || { echo "peak $peak KiB is over $peak_limit_kib KiB" >&2; exit 1; }
