#!/usr/bin/env bash
# Makes OUTPUT_DIR/tone.wav for the music tests: 3.0 s of a 441 Hz square wave
# (44.1 kHz, 16-bit mono, +-8000) as plain PCM.
# Usage: tests/win/make_sounds.sh OUTPUT_DIR
set -euo pipefail
[[ $# -eq 1 ]] || { echo "usage: $0 OUTPUT_DIR" >&2; exit 2; }
mkdir -p "$1"
# One period: 50 samples of +8000, then 50 of -8000 (little-endian); 1323 periods.
half_high=$(printf '\x40\x1f%.0s' {1..50})
half_low=$(printf '\xc0\xe0%.0s' {1..50})
for _ in {1..1323}; do printf '%s%s' "$half_high" "$half_low"; done >"$1/tone.raw"
# A 32-bit little-endian number as four escaped bytes for printf.
le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
data_size=$(stat -c %s "$1/tone.raw")
{
    # shellcheck disable=SC2059  # the formats are the header's bytes
    printf "RIFF$(le32 $((data_size + 36)))WAVEfmt $(le32 16)\x01\x00\x01\x00$(le32 44100)$(le32 88200)\x02\x00\x10\x00data$(le32 "$data_size")"
    cat "$1/tone.raw"
} >"$1/tone.wav"
rm -f "$1/tone.raw"
