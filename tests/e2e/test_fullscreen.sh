#!/usr/bin/env bash
# brumo.scr /s: a topmost window over the whole screen, white snow falling over
# the copy of the desktop and piling up on the bottom rows, and a key press
# that ends the saver within a second.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly WINDOW_TIMEOUT_MS=15000
readonly SNOW_SECONDS=10
readonly KEY_EXIT_LIMIT_MS=1500
# The bottom rows, where settled snow lies on the ground line.
readonly GROUND_ROWS=4
readonly GROUND_REGION="${SCREEN_WIDTH}x${GROUND_ROWS}+0+$((SCREEN_HEIGHT - GROUND_ROWS))"
readonly SKY_REGION="${SCREEN_WIDTH}x$((SCREEN_HEIGHT - GROUND_ROWS))+0+0"
# About 80 of the 201 flakes start low enough to reach the ground in ten
# seconds (40 pixels a second); each leaves 2 or 4 white pixels there.
readonly MIN_GROUND_SNOW_PIXELS=40
# Falling flakes: 201 opaque 2x2 blocks, most of them on screen at any time.
readonly MIN_SKY_SNOW_PIXELS=200
# Snow and nothing else covers the desktop copy.
readonly MIN_DESKTOP_SHARE_PERCENT=95

require_binaries
require_no_saver
use_test_settings
paint_desktop

before="$E2E_WORK/before.png"
screenshot "$before"
check_eq "no white pixels on the bottom rows before the saver runs" 0 \
    "$(count_white "$before" "$GROUND_REGION")"

start_scr saver /s
saver=$STARTED_PID
wait_saver_window "$WINDOW_TIMEOUT_MS" || die "no window '$SAVER_CAPTION' within ${WINDOW_TIMEOUT_MS} ms"
window_seen=$(now_ms)
check_eq "one saver window" 1 "$(value_of "$WINDOW_FACTS" count)"
check_eq "the window covers the screen" "0 0 $SCREEN_WIDTH $SCREEN_HEIGHT" \
    "$(value_of "$WINDOW_FACTS" rect)"
check_eq "the window is topmost" 1 "$(value_of "$WINDOW_FACTS" topmost)"
check_eq "the window is visible" 1 "$(value_of "$WINDOW_FACTS" visible)"
note "the window is the foreground window: $(value_of "$WINDOW_FACTS" foreground)"

sleep_until "$window_seen" $((SNOW_SECONDS * 1000))
is_running "$saver" || die "the saver ended by itself within $SNOW_SECONDS s"
shot="$E2E_WORK/snow.png"
screenshot "$shot"
ground=$(count_white "$shot" "$GROUND_REGION")
sky=$(count_white "$shot" "$SKY_REGION")
desktop=$(count_pixels "$shot" "$SKY_REGION" "$DESKTOP_COLOUR")
sky_area=$((SCREEN_WIDTH * (SCREEN_HEIGHT - GROUND_ROWS)))
note "after $SNOW_SECONDS s: $ground white pixels on the bottom $GROUND_ROWS rows," \
    "$sky white pixels above, desktop colour on $desktop of $sky_area pixels"
check "snow lies on the bottom rows (>= $MIN_GROUND_SNOW_PIXELS white pixels)" \
    test "$ground" -ge "$MIN_GROUND_SNOW_PIXELS"
check "snow falls over the screen (>= $MIN_SKY_SNOW_PIXELS white pixels)" \
    test "$sky" -ge "$MIN_SKY_SNOW_PIXELS"
check "the captured desktop shows behind the snow (>= $MIN_DESKTOP_SHARE_PERCENT %)" \
    test $((desktop * 100)) -ge $((sky_area * MIN_DESKTOP_SHARE_PERCENT))

key_sent=$(now_ms)
send_key space
if wait_exit "$saver" "$KEY_EXIT_LIMIT_MS"; then
    pass "a key press ends the saver ($(($(now_ms) - key_sent)) ms)"
else
    fail "the saver still runs ${KEY_EXIT_LIMIT_MS} ms after a key press"
fi
check_eq "no saver window is left" 0 "$(saver_window_count)"

finish
