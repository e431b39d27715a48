#!/usr/bin/env bash
# brumo.scr /c and its news panel, with no server on 127.0.0.1:80.
# - Not checked today: about 2 s after the dialog opens, "No internet
#   connection" and "Don't check again (today)" show; the link stores today
#   as LastUpdate and hides itself only.
# - Checked today (that LastUpdate), three slots in the registry and their
#   pictures in the cache folder: the dialog stays offline and shows the
#   three pictures. A click on a slot whose link is a file:// address or a
#   program path starts nothing; one on an http:// address reaches the
#   browser (a stand-in that Wine's winebrowser runs, seen in the process list).
# Screenshots: $WORK/offline.png and $WORK/panel.png (the dialog).
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly IDCANCEL=2 CONNECTION=392 CONNECTION_HELP=393 FIRST_SLOT=394 MORE_SLOTS=600
readonly PANEL='HKCU\Software\Merelan\Brumo\UpdatePanel' WEB_LINK="http://127.0.0.1/brumo-news"
CACHE="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Halvix/Brumo/UpdatePanel"
readonly CACHE
readonly BROWSER="$WORK/stand-in-browser" STOP_BROWSER="$WORK/stop-browser"

# open_dialog NAME: brumo.scr /c in English; DIALOG (pid), HWND, AREA (WxH+X+Y), OPENED (ms).
open_dialog() {
    start "$1" "$SCR" /c
    DIALOG=$PID
    helper "$WORK/$1-window.txt" find "Brumo - settings" "$WINDOW_MS" || die "$1: no dialog"
    OPENED=$(now_ms)
    HWND=$(value_of "$WORK/$1-window.txt" handle)
    local l t r b
    read -r l t r b <<<"$(value_of "$WORK/$1-window.txt" rect)"
    AREA="$((r - l))x$((b - t))+$l+$t"
}
close_dialog() {
    helper "$WORK/cancel.txt" press "$HWND" "$IDCANCEL" || true
    check "$1: Cancel ends the program" wait_exit "$DIALOG" 3000
}
shown() {  # shown ID...: "1" or "0" per control
    local id
    for id in "$@"; do helper "$WORK/c.txt" control "$HWND" "$id" && value_of "$WORK/c.txt" visible; done | xargs
}
last_update() { { wine reg query "$PANEL" /v LastUpdate 2>/dev/null </dev/null || true; } | sed -n 's/.*REG_SZ *//p' | tr -d '\r'; }
started() { pgrep -if "$1" >/dev/null; }
# none_started PATTERN MS: no process matching PATTERN shows within MS.
none_started() {
    local deadline=$(($(now_ms) + $2))
    while (($(now_ms) < deadline)); do started "$1" && return 1; sleep 0.2; done
}
# shot NAME: the screen as $WORK/screen.png, the dialog as $WORK/NAME.png.
shot() { import -window root "$WORK/screen.png" && convert "$WORK/screen.png" -crop "$AREA" +repage "$WORK/$1.png"; }
# slot_picture ID COLOUR: how many pixels (%) of the slot button on the last
# screen lie near COLOUR.
slot_picture() {
    local l t r b differ
    helper "$WORK/slot.txt" control "$HWND" "$1" || { echo 0; return; }
    read -r l t r b <<<"$(value_of "$WORK/slot.txt" rect)"
    convert "$WORK/screen.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage -alpha off "$WORK/slot.png"
    convert "$WORK/slot.png" -fill "$2" -colorize 100 "$WORK/solid.png"
    differ=$(compare -metric AE -fuzz 10% "$WORK/slot.png" "$WORK/solid.png" null: 2>&1 || true)
    echo $((100 - 100 * ${differ%%.*} / ((r - l) * (b - t))))
}

for _ in {1..60}; do [[ -z "$(ss -Hltn 'sport = :80')" ]] && break; sleep 1; done
[[ -z "$(ss -Hltn 'sport = :80')" ]] || die "something listens on port 80: the panel would reach it"
test_settings
wine reg delete "$PANEL" /f >>"$WORK/reg.log" 2>&1 </dev/null || true

open_dialog offline
check_eq "offline: at first no notice" "0 0" "$(shown $CONNECTION $CONNECTION_HELP)"
until [[ "$(shown $CONNECTION)" == 1 ]] || (($(now_ms) - OPENED > 8000)); do sleep 0.1; done
waited=$(($(now_ms) - OPENED))
check_eq "offline: the notice and its link show (${waited} ms after the dialog)" "1 1" \
    "$(shown $CONNECTION $CONNECTION_HELP)"
((waited >= 1000)) || fail "offline: the notice came before the panel's timer ($waited ms)"
shot offline
helper "$WORK/link.txt" press "$HWND" "$CONNECTION_HELP" || fail "offline: the link cannot be clicked"
for _ in {1..30}; do [[ -n "$(last_update)" ]] && break; sleep 0.1; done
today=$(last_update)
check "offline: the link stores today as LastUpdate ('$today')" grep -q "$(date +%Y)" <<<"$today"
check_eq "offline: the link hides itself, the notice stays" "1 0" "$(shown $CONNECTION $CONNECTION_HELP)"
close_dialog offline

# Three banners, each with the CR LF the download leaves behind.
mkdir -p "$CACHE"
for row in "1|gif|#D02828|file://C:/Windows/notepad.exe" "2|jpg|#28A048|C:\\windows\\notepad.exe" \
    "3|bmp|#2848D0|$WEB_LINK"; do
    IFS='|' read -r slot type colour link <<<"$row"
    convert -size 140x52 "xc:$colour" -fill white -pointsize 18 -gravity center -annotate +0+0 "News $slot" \
        "${type/bmp/bmp3}:$WORK/slot$slot.$type"
    { cat "$WORK/slot$slot.$type" && printf '\r\n'; } >"$CACHE/Slot$slot.$type"
    reg_set "$PANEL" "Slot$slot" "Standard:URL;URL:$link;Image:http://127.0.0.1/slot$slot.$type"
done
reg_set "$PANEL" SlotMax 3
reg_set "$PANEL" LastUpdate "$today"
# shellcheck disable=SC2016  # the stand-in's own variables
printf '#!/bin/sh\necho "$@" >"%s.txt"\nfor i in $(seq 100); do [ -e "%s" ] && exit; sleep 0.1; done\n' \
    "$BROWSER" "$STOP_BROWSER" >"$BROWSER"
chmod +x "$BROWSER"
at_exit+=("touch '$STOP_BROWSER'")
reg_set 'HKCU\Software\Wine\WineBrowser' Browsers "$BROWSER"

open_dialog panel
sleep_until "$OPENED" 3500
check_eq "panel: checked today, no notice after the timer" "0 0" "$(shown $CONNECTION $CONNECTION_HELP)"
shot panel
for row in "1|$FIRST_SLOT|#D02828" "2|$((MORE_SLOTS + 1))|#28A048" "3|$((MORE_SLOTS + 2))|#2848D0"; do
    IFS='|' read -r slot id colour <<<"$row"
    share=$(slot_picture "$id" "$colour")
    check "panel: slot $slot shows its picture ($share % of the button)" test "$share" -ge 50
done
helper "$WORK/click.txt" press "$HWND" "$FIRST_SLOT" || fail "panel: slot 1 cannot be clicked"
helper "$WORK/click.txt" press "$HWND" "$((MORE_SLOTS + 1))" || fail "panel: slot 2 cannot be clicked"
check "panel: a file:// link and a program path start nothing" none_started 'notepad|stand-in-browser' 4000
helper "$WORK/click.txt" press "$HWND" "$((MORE_SLOTS + 2))" || fail "panel: slot 3 cannot be clicked"
for _ in {1..50}; do started "stand-in-browser $WEB_LINK" && break; sleep 0.1; done
check "panel: an http:// link starts the browser" started "stand-in-browser $WEB_LINK"
close_dialog panel
finish
