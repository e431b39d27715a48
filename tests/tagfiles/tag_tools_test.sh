#!/usr/bin/env bash
# Tags copies of a short MP3 with two tools of their own (id3v2 writes version
# 2.3 in ISO-8859-1; eyeD3 writes 2.3 and 2.4 in UTF-16, UTF-16BE and UTF-8)
# and checks that the reader shows title, artist, album and year as written.
# Usage: tests/tagfiles/tag_tools_test.sh ID3_DUMP
set -euo pipefail
[[ $# -eq 1 ]] || { echo "usage: $0 ID3_DUMP" >&2; exit 2; }
readonly dump=$1
for tool in lame id3v2 eyeD3; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done
work="$(mktemp -d)"
readonly work
trap 'rm -rf "$work"' EXIT

head -c 8820 /dev/zero >"$work/silence.raw"
lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian -m m -b 32 \
    "$work/silence.raw" "$work/plain.mp3" 2>/dev/null

failures=0
# tag FILE TOOL ARGS...: a copy of the plain MP3 tagged by the tool.
tag() {
    local file=$1
    shift
    cp "$work/plain.mp3" "$work/$file"
    "$@" "$work/$file" >/dev/null 2>&1
}
# check FILE EXPECTED: the reader's lines for the file equal EXPECTED.
check() {
    local actual
    actual="$("$dump" "$work/$1" | sed '/^Peak KiB:/d')"
    if [[ "$actual" == "$2" ]]; then
        echo "$1: ok"
    else
        printf '%s: expected\n%s\ngot\n%s\n' "$1" "$2" "$actual"
        failures=$((failures + 1))
    fi
}

tag latin1-v23.mp3 id3v2 -t "$(printf 'Schneefl\xf6ckchen')" -a Anna -A Winter -y 1999
check latin1-v23.mp3 $'Title: Schneeflöckchen\nArtist: Anna\nAlbum: Winter\nYear: 1999'
tag utf16-v23.mp3 eyeD3 --to-v2.3 --encoding utf16 -t "Снег" -a "Schneeflöckchen" -A Winter
check utf16-v23.mp3 $'Title: Снег\nArtist: Schneeflöckchen\nAlbum: Winter\nYear: '
# Version 2.4 keeps the year in a date frame (TDRC), which the page does not show.
tag utf8-v24.mp3 eyeD3 --to-v2.4 --encoding utf8 -t "Schneeflöckchen" -a "Снег" -A Winter -Y 1999
check utf8-v24.mp3 $'Title: Schneeflöckchen\nArtist: Снег\nAlbum: Winter\nYear: '
tag utf16be-v24.mp3 eyeD3 --to-v2.4 --encoding utf16-be -t "Снег" -a Anna
check utf16be-v24.mp3 $'Title: Снег\nArtist: Anna\nAlbum: \nYear: '
tag latin1-v24.mp3 eyeD3 --to-v2.4 --encoding latin1 -t "Schneeflöckchen"
check latin1-v24.mp3 $'Title: Schneeflöckchen\nArtist: \nAlbum: \nYear: '
check plain.mp3 'no ID3v2 Tag'
((failures == 0))
