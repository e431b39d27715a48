#!/usr/bin/env bash
# brumo.scr /s with stored settings: 1000 opaque red "Crystal 2" flakes show
# on the screen as whole red crystals, and no white snow is left anywhere.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly WINDOW_TIMEOUT_MS=15000
readonly SNOW_SECONDS=5
readonly KEY_EXIT_LIMIT_MS=1500
readonly CRYSTAL_2="#104"
readonly RED="FF0000"
# 1001 flakes over the screen: many of them lie free of the others.
readonly MIN_WHOLE_CRYSTALS=50

require_binaries
require_no_saver
use_test_settings
store_setting SnowballColor 255  # COLORREF of pure red
store_setting SnowballType 3
store_setting Transparency 255
store_setting CountSnowballs 1000
paint_desktop

start_scr crystals /s
saver=$STARTED_PID
wait_saver_window "$WINDOW_TIMEOUT_MS" || die "no window '$SAVER_CAPTION' within ${WINDOW_TIMEOUT_MS} ms"
sleep "$SNOW_SECONDS"

shot="$E2E_WORK/crystals.png"
screenshot "$shot"
found_log=$(next_log find-flake)
helper "$found_log" find-flake "$(windows_path "$(raw_rgb "$shot")")" \
    "$SCREEN_WIDTH" "$SCREEN_HEIGHT" "$CRYSTAL_2" "$RED" || true
found=$(value_of "$found_log" found)
check "whole red Crystal 2 flakes on the screen (${found:-none})" \
    test "${found:-0}" -ge "$MIN_WHOLE_CRYSTALS"
check_eq "no white snow" 0 "$(count_white "$shot" "${SCREEN_WIDTH}x${SCREEN_HEIGHT}+0+0")"

key_sent=$(now_ms)
send_key space
if wait_exit "$saver" "$KEY_EXIT_LIMIT_MS"; then
    pass "a key press ends it ($(($(now_ms) - key_sent)) ms)"
else
    fail "the saver still runs ${KEY_EXIT_LIMIT_MS} ms after a key press"
fi

finish
