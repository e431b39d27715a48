#!/usr/bin/env bash
# brumo.scr /p <handle>: the saver embeds itself as a visible child filling the
# 152 x 112 client area of the given window, traces each step, ignores input,
# and ends with "no parent: StopSworl" once that window is gone. Given the
# number of a window that no longer exists, it shows nothing and ends at once.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

matches() { [[ $1 =~ ^$2$ ]]; }

stop="$WORK/stop-parent"
box="$WORK/parent.log"
start parent "$HELPER" make-parent "$(winpath "$stop")"
parent=$PID
wait_line "$box" '^client-origin ' 10000 || die "e2e_helper make-parent did not report its window"
handle=$(head -n 1 "$box" | tr -d '\r')
read -r box_x box_y <<<"$(value_of "$box" client-origin)"
trace="$WORK/trace.txt"
SNOW_TRACE="$(winpath "$trace")" start preview "$SCR" /p "$handle"
SAVER=$PID
wait_line "$trace" ': SetWindowPos: ' "$WINDOW_MS" || die "no SetWindowPos line in the trace"
sleep 1
xdotool mousemove $((box_x + 76)) $((box_y + 56)) click 1 key space
sleep 1.5
check "a click and a key press do not end the preview" is_running "$SAVER"
check_eq "the preview opens no top-level saver window" 0 "$(visible_windows)"

touch "$stop"  # the control panel closes its preview box
wait_line "$box" '^destroyed' 10000 || fail "the preview box did not destroy itself"
gone=$(now_ms)
check_eq "the box had one visible child filling its client area" "152x112|0 0|1|1" \
    "$(for key in child child-origin child-visible children; do value_of "$box" "$key"; done | paste -sd '|')"
if wait_exit "$SAVER" 5000; then pass "the preview ends after its parent went ($(($(now_ms) - gone)) ms)"
else fail "the preview still runs 5 s after its parent went"; fi
wait_exit "$parent" 5000 || fail "e2e_helper make-parent did not end"

mapfile -t texts < <(tr -d '\r' <"$trace" | awk '{ print substr($0, index($0, ": ") + 2) }')
expected=("StartPreview hThumb: $handle" 'frm\.Name: MainForm' "$CAPTION not found" "$CAPTION not found"
    'GetClientRect left: 0top: 0right 152bottom: 112' 'SetParent: -?[0-9]+' 'SetParent: -?[0-9]+Err: 0'
    'SetWindowLong: -?[0-9]+Err: 0' 'SetWindowPos: -?[1-9][0-9]*Err: 0' 'no parent: StopSworl')
check_eq "number of trace lines" "${#expected[@]}" "${#texts[@]}"
for i in "${!expected[@]}"; do
    check "trace line $((i + 1)) is /${expected[i]}/ (${texts[i]:-missing})" matches "${texts[i]:-}" "${expected[i]}"
done
style=${texts[5]#SetParent: }
check "the window was not a child before (style $style)" test $((style & 0x40000000)) -eq 0

# The box's handle now names no window.
start watch "$HELPER" find "$CAPTION" 1500
watch=$PID
start stale "$SCR" /p "$handle"
check "a preview for a window that is gone ends within about a second" wait_exit "$PID" 1500
wait_exit "$watch" 5000 || true
check_eq "and never shows a saver window" 0 "$(value_of "$WORK/watch.log" visible)"
finish
