#!/usr/bin/env bash
# Makes the MP3 the Wine tests of the music module play: 3.0 s of a 441 Hz
# square wave (44.1 kHz, 16-bit, mono) encoded by lame at 128 kbit/s.
# The test writes its WAV files itself; an MP3 encoder it does not have.
#
# Usage: tests/win/make_sounds.sh OUTPUT_DIR   (writes OUTPUT_DIR/tone.mp3)
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 OUTPUT_DIR" >&2
    exit 2
fi
readonly out_dir=$1
readonly periods=1323 # 3.0 s at 441 periods a second
readonly half_period_samples=50

if ! command -v lame >/dev/null 2>&1; then
    echo "make_sounds: lame is missing (scripts/install-deps.sh installs it)" >&2
    exit 1
fi
mkdir -p "$out_dir"

# One period: 50 samples of +8000 then 50 of -8000, little-endian. None of
# the bytes is NUL, so the period fits in a shell variable.
high=""
low=""
for ((i = 0; i < half_period_samples; i++)); do
    high+=$'\x40\x1f'
    low+=$'\xc0\xe0'
done
raw="$out_dir/tone.raw"
for ((i = 0; i < periods; i++)); do
    printf '%s%s' "$high" "$low"
done >"$raw"

lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian -m m -b 128 \
    "$raw" "$out_dir/tone.mp3"
rm -f "$raw"
