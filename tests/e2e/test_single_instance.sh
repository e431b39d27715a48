#!/usr/bin/env bash
# One full-screen saver at a time: while brumo.scr /s runs, a second
# brumo.scr /s opens no window of its own and ends by itself, and the first
# one keeps running.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly WINDOW_TIMEOUT_MS=15000
readonly SECOND_EXIT_LIMIT_MS=5000
readonly KEY_EXIT_LIMIT_MS=1500
readonly COUNT_SAMPLES=5
readonly FIRST_SETTLE_SECONDS=2

require_binaries
require_no_saver
use_test_settings

start_scr first /s
first=$STARTED_PID
wait_saver_window "$WINDOW_TIMEOUT_MS" || die "no window '$SAVER_CAPTION' within ${WINDOW_TIMEOUT_MS} ms"
check_eq "the first saver shows one window" 1 "$(value_of "$WINDOW_FACTS" count)"
# Let the first saver finish its start before the second comes.
sleep "$FIRST_SETTLE_SECONDS"
check "the first saver runs" is_running "$first"

start_scr second /s
second=$STARTED_PID
second_started=$(now_ms)
# While the second one starts up, no second window shows.
counts=()
for ((i = 0; i < COUNT_SAMPLES; i++)); do
    counts+=("$(visible_saver_window_count)")
    is_running "$second" || break
    sleep 0.2
done
check_eq "visible window count while the second saver starts" "1" \
    "$(printf '%s\n' "${counts[@]}" | sort -u | tr '\n' ' ' | sed 's/ $//')"
if wait_exit "$second" "$SECOND_EXIT_LIMIT_MS"; then
    pass "the second saver ends by itself ($(($(now_ms) - second_started)) ms)"
else
    fail "the second saver still runs after ${SECOND_EXIT_LIMIT_MS} ms"
fi
check_eq "window count after the second saver ended" 1 "$(saver_window_count)"
check "the first saver still runs" is_running "$first"

send_key space
check "a key press ends the first saver" wait_exit "$first" "$KEY_EXIT_LIMIT_MS"
check_eq "no saver window is left" 0 "$(saver_window_count)"

finish
