#!/usr/bin/env bash
# brumo.scr /m manual: a manual start shows its notice in the stored language
# (English here) with a countdown, ignores input for its first five seconds
# (the notice time), and a key press after that ends it.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly WINDOW_TIMEOUT_MS=15000
readonly EARLY_KEY_MS=2000
readonly STILL_RUNNING_MS=4500
readonly LATE_KEY_MS=6500
readonly KEY_EXIT_LIMIT_MS=1500
readonly FIRST_NOTICE_MS=1500
readonly SECOND_NOTICE_MS=4000
readonly NOTICE_TEXT="As long as this text is visible, Brumo won't respond to user inputs"

# notice_count FILE: the countdown that the bottom strip of the screenshot
# shows with the English notice text, pixel for pixel; empty when none does.
notice_count() {
    local out
    out=$(next_log notice)
    helper "$out" notice-match "$(windows_path "$(raw_rgb "$1")")" "$SCREEN_WIDTH" \
        "$SCREEN_HEIGHT" "$NOTICE_TEXT" "${DESKTOP_COLOUR#\#}" || true
    [[ "$(value_of "$out" differences)" == 0 ]] && value_of "$out" count
}

require_binaries
require_no_saver
use_test_settings
paint_desktop

start_scr manual /m manual
saver=$STARTED_PID
wait_saver_window "$WINDOW_TIMEOUT_MS" || die "no window '$SAVER_CAPTION' within ${WINDOW_TIMEOUT_MS} ms"
window_seen=$(now_ms)
check_eq "the manual start shows the saver window" 1 "$(value_of "$WINDOW_FACTS" count-visible)"

sleep_until "$window_seen" "$FIRST_NOTICE_MS"
screenshot "$E2E_WORK/notice-1.png"
sleep_until "$window_seen" "$EARLY_KEY_MS"
send_key space
note "key pressed $(($(now_ms) - window_seen)) ms after the window came"
sleep_until "$window_seen" "$SECOND_NOTICE_MS"
screenshot "$E2E_WORK/notice-2.png"
first=$(notice_count "$E2E_WORK/notice-1.png")
second=$(notice_count "$E2E_WORK/notice-2.png")
check "the English notice with its countdown shows at ~1.5 s (${first:-no match})" test -n "$first"
check "and at ~4 s, counted down (${second:-no match})" test -n "$second" -a "${second:-9}" -lt "${first:-0}"
sleep_until "$window_seen" "$STILL_RUNNING_MS"
check "a key press at ~2 s does not end a manual start (still running at ~4.5 s)" \
    is_running "$saver"

sleep_until "$window_seen" "$LATE_KEY_MS"
is_running "$saver" || die "the manual start ended before the second key press"
key_sent=$(now_ms)
send_key space
if wait_exit "$saver" "$KEY_EXIT_LIMIT_MS"; then
    pass "a key press after the notice time ends it ($(($(now_ms) - key_sent)) ms)"
else
    fail "the manual start still runs ${KEY_EXIT_LIMIT_MS} ms after a key press at ~6.5 s"
fi
check_eq "no saver window is left" 0 "$(saver_window_count)"

finish
