#!/usr/bin/env bash
# Command lines the saver does not act on: "/m" without the word "manual",
# and a switch written with a minus sign. No window appears and the process
# ends by itself.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly EXIT_LIMIT_MS=5000
readonly WATCH_MS=4000

require_binaries
require_no_saver
use_test_settings

# run_ignored NAME SWITCH...: starts brumo.scr with the switches while the
# helper watches for a saver window.
run_ignored() {
    local name=$1 started watch_log
    shift
    watch_log="$E2E_WORK/$name-watch.log"
    start_wine "$name-watch" "$HELPER" wait-find "$SAVER_CAPTION" "$WATCH_MS"
    local watcher=$STARTED_PID
    start_scr "$name" "$@"
    local saver=$STARTED_PID
    started=$(now_ms)
    if wait_exit "$saver" "$EXIT_LIMIT_MS"; then
        pass "brumo.scr $* ends by itself ($(($(now_ms) - started)) ms)"
    else
        fail "brumo.scr $* still runs after ${EXIT_LIMIT_MS} ms"
    fi
    wait_exit "$watcher" $((WATCH_MS + EXIT_LIMIT_MS)) || fail "the window watch did not end"
    check_eq "brumo.scr $* shows no window" 0 "$(value_of "$watch_log" count-visible)"
}

run_ignored m-without-manual /m
run_ignored minus-s -s

finish
