#!/usr/bin/env bash
# brumo.scr /s: one topmost window over the whole screen; snow falls over the
# copy of the desktop and piles up on the bottom rows; a second /s meanwhile
# shows nothing and ends by itself (both write their window search to the
# trace file); a key press ends the saver.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly GROUND="${SCREEN_WIDTH}x4+0+$((SCREEN_HEIGHT - 4))"  # where settled 2x2 flakes lie
readonly SKY="${SCREEN_WIDTH}x$((SCREEN_HEIGHT - 4))+0+0"
readonly SECOND_EXIT_MS=5000

test_settings
paint_desktop
trace="$WORK/trace.txt"
SNOW_TRACE="$(winpath "$trace")"
export SNOW_TRACE

run_saver snow 6000 /s
facts="$WORK/snow-window.txt"
check_eq "one saver window" 1 "$(value_of "$facts" count)"
check_eq "it covers the screen" "0 0 $SCREEN_WIDTH $SCREEN_HEIGHT" "$(value_of "$facts" rect)"
check_eq "it is topmost" 1 "$(value_of "$facts" topmost)"
ground=$(count_white "$WORK/snow.png" "$GROUND")
sky=$(count_white "$WORK/snow.png" "$SKY")
check "snow lies on the bottom rows ($ground >= 100 white pixels)" test "$ground" -ge 100
check "snow falls over the screen ($sky >= 1000 white pixels)" test "$sky" -ge 1000
check "the copied desktop shows behind the snow (>= 95 %)" at_least 95 \
    "$(count_pixels "$WORK/snow.png" "$SKY" "$DESKTOP_COLOUR")" $((SCREEN_WIDTH * (SCREEN_HEIGHT - 4)))

first=$SAVER
start second "$SCR" /s
second=$PID
started=$(now_ms)
counts=()
while is_running "$second" && (($(now_ms) - started < SECOND_EXIT_MS)); do counts+=("$(visible_windows)"); done
check "the second saver ends by itself within $SECOND_EXIT_MS ms" wait_exit "$second" 0
check_eq "no second window shows meanwhile" 1 "$(printf '%s\n' "${counts[@]}" 1 | sort -u | xargs)"
check "the first saver still runs" is_running "$first"
check_eq "each start traced its two window searches" "$CAPTION not found|$CAPTION not found|$CAPTION found|$CAPTION found|" \
    "$(tr -d '\r' <"$trace" | awk -v c="$CAPTION" 'index($0, ": " c) { printf "%s|", substr($0, index($0, ": ") + 2) }')"
key_ends snow
finish
