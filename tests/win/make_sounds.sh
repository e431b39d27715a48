#!/usr/bin/env bash
# Makes OUTPUT_DIR/tone.wav for the music tests: 3.0 s of silence (44.1 kHz,
# 16-bit mono) as plain PCM. The tests follow the device's clock, not the sound.
# Usage: tests/win/make_sounds.sh OUTPUT_DIR
set -euo pipefail
[[ $# -eq 1 ]] || { echo "usage: $0 OUTPUT_DIR" >&2; exit 2; }
mkdir -p "$1"
readonly data_size=264600 # 3.0 s of 44100 two-byte samples
# A 32-bit little-endian number as four escaped bytes for printf.
le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
{
    # shellcheck disable=SC2059  # the formats are the header's bytes
    printf "RIFF$(le32 $((data_size + 36)))WAVEfmt $(le32 16)\x01\x00\x01\x00$(le32 44100)$(le32 88200)\x02\x00\x10\x00data$(le32 $data_size)"
    head -c "$data_size" /dev/zero
} >"$1/tone.wav"
