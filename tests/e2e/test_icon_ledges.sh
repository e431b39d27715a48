#!/usr/bin/env bash
# brumo.scr /s with SnowOnIcons: the saver finds the desktop's icon list (Wine
# has none: e2e_helper fake-shell plays the shell), traces its search, and snow
# settles on a ledge along the top of every icon, as wide as the stored "Shell
# Icon Size" + 1, while the same rows between the icons stay mostly free.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly ICON=48 DEFAULT_ICON=32  # not the default, so the ledge width shows it was read
readonly METRICS='HKCU\Control Panel\Desktop\WindowMetrics'

test_settings SnowOnIcons=1 CountSnowballs=3000
reg_set "$METRICS" 'Shell Icon Size' "$ICON"
at_exit+=("wine reg delete '$METRICS' /v 'Shell Icon Size' /f >/dev/null 2>&1 </dev/null")
paint_desktop
shell_log="$WORK/shell.log"
start shell "$HELPER" fake-shell "$(winpath "$WORK/stop-shell")"
at_exit+=("touch '$WORK/stop-shell'")
wait_line "$shell_log" '^ready ' 20000 || die "e2e_helper fake-shell did not get ready"
mapfile -t items < <(sed -n 's/^item //p' "$shell_log" | tr -d '\r')  # i x y l t r b

trace="$WORK/trace.txt"
SNOW_TRACE="$(winpath "$trace")" run_saver ledges 9000 /s
check_eq "the trace shows the search and its result" \
    "Progman hWnd:$(value_of "$shell_log" progman)|SHELLDLL_defVIEW hWnd:$(value_of "$shell_log" defview)|SysListView32 hWnd:$(value_of "$shell_log" ready)|GetSysLVHwnd: $(value_of "$shell_log" ready)|LVM_GETTITEMCOUNT: ${#items[@]}|" \
    "$(tr -d '\r' <"$trace" | awk '/: (Progman|SHELLDLL|SysList|GetSysLV|LVM_)/ && !seen[$0 = substr($0, index($0, ": ") + 2)]++ { printf "%s|", $0 }')"

# A 2x2 flake resting on a ledge at row y + 2 fills rows y and y + 1.
shot="$WORK/ledges.png"
width=$((ICON + 1))
previous_right=""
for item in "${items[@]}"; do
    read -r i x y left _ right _ <<<"$item"
    white=$(count_white "$shot" "${width}x2+$x+$y")
    check "snow rests on the ledge of icon $i ($white of $((2 * width)) white)" at_least 50 "$white" $((2 * width))
    check "the ledge of icon $i reaches beyond column $DEFAULT_ICON" \
        test "$(count_white "$shot" "$((ICON - DEFAULT_ICON))x2+$((x + DEFAULT_ICON + 1))+$y")" -gt 0
    if [[ -n "$previous_right" ]]; then
        gap_left=$(((previous_right + (left < x ? left : x) - width) / 2))
        white=$(count_white "$shot" "${width}x2+$gap_left+$y")
        check "the same rows between icons $((i - 1)) and $i are mostly free ($white)" \
            test $((white * 10)) -le $((width * 2))
    fi
    previous_right=$((right > x + ICON ? right : x + ICON))
done
key_ends ledges
finish
