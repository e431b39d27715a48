#!/usr/bin/env bash
# brumo.scr /s with SnowOnIcons set: the saver finds the desktop's icon list
# (Wine has none, so e2e_helper fake-shell plays the shell: a row of icons
# well above the ground), writes its search to the SNOW_TRACE file, and snow
# settles on a ledge along the top of every icon - as wide as the stored
# "Shell Icon Size" - while the same rows between the icons stay free.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly SHELL_TIMEOUT_MS=20000
readonly WINDOW_TIMEOUT_MS=15000
readonly SNOW_SECONDS=10
readonly KEY_EXIT_LIMIT_MS=1500
readonly SHELL_EXIT_LIMIT_MS=10000
# A size other than the default 32, so the ledge width shows it was read.
readonly ICON_SIZE=48
readonly DEFAULT_ICON_SIZE=32
# The test settings' flakes are 2x2 blocks: a flake resting on a ledge at row
# y0 + 2 fills the rows y0 + 2 - 2 .. y0 + 1.
readonly CELL_HEIGHT=2
# Many flakes, so that every 49-pixel ledge catches a few dozen in ten seconds.
readonly FLAKES=3000
# Resting snow: at least this share of each row over a ledge is white.
readonly MIN_LEDGE_WHITE_PERCENT=50
# Between the icons only falling flakes cross the band: a few pixels.
readonly MAX_GAP_WHITE_PERCENT=10

require_binaries
require_no_saver
use_test_settings
store_setting SnowOnIcons 1
store_setting CountSnowballs "$FLAKES"
wine reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v 'Shell Icon Size' /t REG_SZ \
    /d "$ICON_SIZE" /f >>"$E2E_WORK/settings.log" 2>&1 </dev/null
paint_desktop

# --- the fake shell --------------------------------------------------------------

shell_log="$E2E_WORK/shell.log"
stop_file="$E2E_WORK/stop-shell"
start_wine shell "$HELPER" fake-shell "$(windows_path "$stop_file")"
shell=$STARTED_PID
deadline=$(($(now_ms) + SHELL_TIMEOUT_MS))
until grep -q '^ready ' "$shell_log" 2>/dev/null; do
    is_running "$shell" || die "e2e_helper fake-shell ended: $(tr -d '\r' <"$shell_log")"
    (($(now_ms) < deadline)) || die "e2e_helper fake-shell did not get ready"
    sleep 0.1
done
list=$(value_of "$shell_log" ready)
progman=$(value_of "$shell_log" progman)
defview=$(value_of "$shell_log" defview)
# "item <i> <x> <y> <l> <t> <r> <b>": position and caption rectangle.
mapfile -t items < <(sed -n 's/^item //p' "$shell_log" | tr -d '\r')
((${#items[@]} > 1)) || die "the fake shell lists ${#items[@]} icon(s)"
note "fake shell: list $list, ${#items[@]} icons: ${items[*]}"

# --- the saver ---------------------------------------------------------------------

trace="$E2E_WORK/trace.txt"
export SNOW_TRACE
SNOW_TRACE="$(windows_path "$trace")"
start_scr saver /s
saver=$STARTED_PID
unset SNOW_TRACE
wait_saver_window "$WINDOW_TIMEOUT_MS" || die "no window '$SAVER_CAPTION' within ${WINDOW_TIMEOUT_MS} ms"
window_seen=$(now_ms)

# has_trace TEXT: the trace holds a line ending in ": TEXT".
has_trace() {
    [[ -f "$trace" ]] || return 1
    tr -d '\r' <"$trace" | awk -v t=": $1" \
        'length($0) >= length(t) && substr($0, length($0) - length(t) + 1) == t { found = 1 }
         END { exit !found }'
}
check "the trace shows Progman" has_trace "Progman hWnd:$progman"
check "the trace shows SHELLDLL_DefView" has_trace "SHELLDLL_defVIEW hWnd:$defview"
check "the trace shows the list" has_trace "SysListView32 hWnd:$list"
check "the trace shows the search's result" has_trace "GetSysLVHwnd: $list"
check "the trace shows the item count" has_trace "LVM_GETTITEMCOUNT: ${#items[@]}"

sleep_until "$window_seen" $((SNOW_SECONDS * 1000))
is_running "$saver" || die "the saver ended by itself within $SNOW_SECONDS s"
shot="$E2E_WORK/snow.png"
screenshot "$shot"

# --- snow on the ledges ----------------------------------------------------------------

ledge_width=$((ICON_SIZE + 1))
band_area=$((ledge_width * CELL_HEIGHT))
extra_width=$((ICON_SIZE - DEFAULT_ICON_SIZE))
# The ledge row itself, away from the ledge's ends (where flakes that are not
# wholly over the ledge fall past), carries no snow.
inner_inset=4
inner_width=$((ledge_width - 2 * inner_inset))
previous_right=""
for item in "${items[@]}"; do
    read -r index x0 y0 left _ right _ <<<"$item"
    band_top=$((y0 + 2 - CELL_HEIGHT))
    for ((row = band_top; row <= y0 + 1; row++)); do
        white=$(count_white "$shot" "${ledge_width}x1+${x0}+${row}")
        note "icon $index at ($x0, $y0): $white of $ledge_width pixels white on row $row"
        check "snow rests on the ledge of icon $index, row $row (>= $MIN_LEDGE_WHITE_PERCENT %)" \
            test $((white * 100)) -ge $((ledge_width * MIN_LEDGE_WHITE_PERCENT))
    done
    ledge_row=$((y0 + 2))
    white=$(count_white "$shot" "${inner_width}x1+$((x0 + inner_inset))+${ledge_row}")
    check "no snow on the ledge row $ledge_row of icon $index itself ($white pixels)" \
        test $((white * 100)) -le $((inner_width * MAX_GAP_WHITE_PERCENT))
    # Columns only a ledge of the stored size reaches.
    beyond=$(count_white "$shot" "${extra_width}x${CELL_HEIGHT}+$((x0 + DEFAULT_ICON_SIZE + 1))+${band_top}")
    check "the ledge of icon $index is $ledge_width cells wide (snow beyond column $DEFAULT_ICON_SIZE)" \
        test "$beyond" -gt 0

    # The same rows in the middle of the gap to the previous icon, as wide as
    # a ledge, lie away from any ledge or caption.
    if [[ -n "$previous_right" ]]; then
        gap_left=$(((previous_right + (left < x0 ? left : x0) - ledge_width) / 2))
        gap=$(count_white "$shot" "${ledge_width}x${CELL_HEIGHT}+${gap_left}+${band_top}")
        note "between icons $((index - 1)) and $index: $gap of $band_area pixels white at x $gap_left"
        check "the rows between icons $((index - 1)) and $index are mostly free (<= $MAX_GAP_WHITE_PERCENT %)" \
            test $((gap * 100)) -le $((band_area * MAX_GAP_WHITE_PERCENT))
    fi
    ledge_right=$((x0 + ICON_SIZE))
    previous_right=$((right > ledge_right ? right : ledge_right))
done

key_sent=$(now_ms)
send_key space
if wait_exit "$saver" "$KEY_EXIT_LIMIT_MS"; then
    pass "a key press ends the saver ($(($(now_ms) - key_sent)) ms)"
else
    fail "the saver still runs ${KEY_EXIT_LIMIT_MS} ms after a key press"
fi

touch "$stop_file"
wait_exit "$shell" "$SHELL_EXIT_LIMIT_MS" || fail "the fake shell did not stop"
wine reg delete 'HKCU\Control Panel\Desktop\WindowMetrics' /v 'Shell Icon Size' /f \
    >>"$E2E_WORK/settings.log" 2>&1 </dev/null || true

finish
