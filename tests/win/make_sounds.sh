#!/usr/bin/env bash
# Makes OUTPUT_DIR/tone.mp3 for the music tests: 3.0 s of a 441 Hz square wave
# (44.1 kHz, 16-bit mono, +-8000) encoded by lame at 128 kbit/s.
# Usage: tests/win/make_sounds.sh OUTPUT_DIR
set -euo pipefail
[[ $# -eq 1 ]] || { echo "usage: $0 OUTPUT_DIR" >&2; exit 2; }
command -v lame >/dev/null || { echo "make_sounds: lame is missing (scripts/install-deps.sh)" >&2; exit 1; }
mkdir -p "$1"
# One period: 50 samples of +8000, then 50 of -8000 (little-endian); 1323 periods.
half_high=$(printf '\x40\x1f%.0s' {1..50})
half_low=$(printf '\xc0\xe0%.0s' {1..50})
for _ in {1..1323}; do printf '%s%s' "$half_high" "$half_low"; done >"$1/tone.raw"
lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian -m m -b 128 "$1/tone.raw" "$1/tone.mp3"
rm -f "$1/tone.raw"
