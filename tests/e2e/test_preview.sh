#!/usr/bin/env bash
# brumo.scr /p <handle>: the saver embeds itself as a child filling the
# 152 x 112 client area of the given window (the control panel's preview
# box), writes the embedding steps to the SNOW_TRACE file, ignores input, and
# ends with "no parent: StopSworl" once that window is destroyed.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly PARENT_TIMEOUT_MS=10000
readonly EMBED_TIMEOUT_MS=15000
readonly RUN_SECONDS=2
readonly INPUT_SETTLE_SECONDS=1.5
readonly PARENT_GONE_TIMEOUT_MS=10000
readonly SAVER_EXIT_LIMIT_MS=5000
readonly PREVIEW_WIDTH=152
readonly PREVIEW_HEIGHT=112
readonly WS_CHILD=$((0x40000000))

require_binaries
require_no_saver

# wait_for_line FILE PATTERN TIMEOUT_MS: true once FILE has a line matching
# the extended regular expression PATTERN.
wait_for_line() {
    local deadline=$(($(now_ms) + $3))
    until grep -qE "$2" "$1" 2>/dev/null; do
        (($(now_ms) < deadline)) || return 1
        sleep 0.1
    done
}

stop_file="$E2E_WORK/stop-parent"
parent_log="$E2E_WORK/parent.log"
start_wine parent "$HELPER" make-parent "$(windows_path "$stop_file")"
parent=$STARTED_PID
wait_for_line "$parent_log" '^client-origin ' "$PARENT_TIMEOUT_MS" ||
    die "e2e_helper make-parent did not report its window"
handle=$(head -n 1 "$parent_log" | tr -d '\r')
[[ "$handle" =~ ^-?[0-9]+$ ]] || die "e2e_helper printed no handle: '$handle'"
check_eq "the preview box has a 152x112 client area" "${PREVIEW_WIDTH}x${PREVIEW_HEIGHT}" \
    "$(value_of "$parent_log" client)"
read -r box_x box_y <<<"$(value_of "$parent_log" client-origin)"

trace="$E2E_WORK/trace.txt"
export SNOW_TRACE
SNOW_TRACE="$(windows_path "$trace")"
start_scr preview /p "$handle"
saver=$STARTED_PID
unset SNOW_TRACE
wait_for_line "$trace" ': SetWindowPos: ' "$EMBED_TIMEOUT_MS" ||
    die "no SetWindowPos line in the trace within ${EMBED_TIMEOUT_MS} ms"

sleep "$RUN_SECONDS"
check "the preview runs" is_running "$saver"
check_eq "the preview opens no top-level saver window" 0 "$(saver_window_count)"

# Input never ends the preview: a click into it and a key press.
click_at $((box_x + PREVIEW_WIDTH / 2)) $((box_y + PREVIEW_HEIGHT / 2))
send_key space
sleep "$INPUT_SETTLE_SECONDS"
check "a click and a key press do not end the preview" is_running "$saver"

# The control panel closes its preview box.
touch "$stop_file"
check "the preview box reports and destroys itself" \
    wait_for_line "$parent_log" '^destroyed' "$PARENT_GONE_TIMEOUT_MS"
gone_at=$(now_ms)
check_eq "the preview box had one child window" 1 "$(value_of "$parent_log" children)"
check_eq "the child fills the client area" "${PREVIEW_WIDTH}x${PREVIEW_HEIGHT}" \
    "$(value_of "$parent_log" child)"
check_eq "the child sits at the client area's origin" "0 0" \
    "$(value_of "$parent_log" child-origin)"
check_eq "the child is visible" 1 "$(value_of "$parent_log" child-visible)"
wait_exit "$parent" "$PARENT_GONE_TIMEOUT_MS" || fail "e2e_helper make-parent did not end"

if wait_exit "$saver" "$SAVER_EXIT_LIMIT_MS"; then
    pass "the preview ends after its parent went ($(($(now_ms) - gone_at)) ms)"
else
    fail "the preview still runs ${SAVER_EXIT_LIMIT_MS} ms after its parent went"
fi

# --- the trace file ---
[[ -f "$trace" ]] || die "no trace file was written"
lines=$(wc -l <"$trace")
crlf_lines=$(grep -c $'\r$' "$trace" || true)
check_eq "every trace line ends in CR LF" "$lines" "$crlf_lines"
check "the trace file ends with a line end" test "$(tail -c 2 "$trace" | od -An -tx1 | tr -d ' ')" = 0d0a

# Each line is "<date> <time><fraction>: <text>"; the texts, in order.
texts=()
stamps_ok=1
while IFS= read -r line; do
    line=${line%$'\r'}
    stamp=${line%%: *}
    [[ "$stamp" =~ ^[^\ ]*[0-9][^\ ]*\ .*[0-9] ]] || stamps_ok=0
    texts+=("${line#*: }")
done <"$trace"
check "every trace line starts with a date and a time" test "$stamps_ok" = 1
printf '%s\n' "${texts[@]}" >"$E2E_WORK/trace-texts.txt"

expected=(
    "^StartPreview hThumb: $handle\$"
    '^frm\.Name: MainForm$'
    "^$SAVER_CAPTION not found\$"
    "^$SAVER_CAPTION not found\$"
    "^GetClientRect left: 0top: 0right ${PREVIEW_WIDTH}bottom: ${PREVIEW_HEIGHT}\$"
    '^SetParent: -?[0-9]+$'
    '^SetParent: -?[0-9]+Err: 0$'
    '^SetWindowLong: -?[0-9]+Err: 0$'
    '^SetWindowPos: -?[1-9][0-9]*Err: 0$'
    '^no parent: StopSworl$'
)
check_eq "number of trace lines" "${#expected[@]}" "${#texts[@]}"
for ((i = 0; i < ${#expected[@]}; i++)); do
    text=${texts[i]:-<missing>}
    if [[ "$text" =~ ${expected[i]} ]]; then
        pass "trace line $((i + 1)): $text"
    else
        fail "trace line $((i + 1)): expected /${expected[i]}/, got '$text'"
    fi
done
# The style before the change is a top-level one; the change adds WS_CHILD.
previous_style=${texts[5]:-}
previous_style=${previous_style#SetParent: }
if [[ "$previous_style" =~ ^-?[0-9]+$ ]]; then
    check "the saver window was not a child before the embedding" \
        test $((previous_style & WS_CHILD)) -eq 0
fi

finish
