#!/usr/bin/env bash
# brumo.scr /c and its news panel with three stored slots and their pictures,
# not checked today, and no server on 127.0.0.1:80. The dialog shows the
# pictures at once ($WORK/panel.png); about 2 s later the offline notice and its
# link ($WORK/offline.png); the link stores today as LastUpdate. A slot whose
# link is a file:// address or a program path starts nothing; an http:// one
# reaches the browser (a stand-in run by Wine's winebrowser, seen in the
# process list).
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly CONNECTION=392 CONNECTION_HELP=393 FIRST_SLOT=394 MORE_SLOTS=600
readonly PANEL='HKCU\Software\Merelan\Brumo\UpdatePanel' WEB_LINK="http://127.0.0.1/brumo-news"
CACHE="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Halvix/Brumo/UpdatePanel"
readonly CACHE
readonly BROWSER="$WORK/stand-in-browser"

shown() {  # shown ID...: "1" or "0" per control
    local id
    for id in "$@"; do helper "$WORK/c.txt" control "$HWND" "$id" && value_of "$WORK/c.txt" visible; done | xargs
}
last_update() { { wine reg query "$PANEL" /v LastUpdate 2>/dev/null </dev/null || true; } | sed -n 's/.*REG_SZ *//p' | tr -d '\r'; }
started() { pgrep -if "$1" >/dev/null; }
none_started() { ! started "$1"; }
# shot NAME: the screen as $WORK/screen.png, the dialog as $WORK/NAME.png.
shot() { import -window root "$WORK/screen.png" && convert "$WORK/screen.png" -crop "$AREA" +repage "$WORK/$1.png"; }
press() { helper "$WORK/press.txt" press "$HWND" "$1" || fail "control $1 cannot be clicked"; }

for _ in {1..60}; do [[ -z "$(ss -Hltn 'sport = :80')" ]] && break; sleep 1; done
[[ -z "$(ss -Hltn 'sport = :80')" ]] || die "something listens on port 80: the panel would reach it"
test_settings
wine reg delete "$PANEL" /f >>"$WORK/reg.log" 2>&1 </dev/null || true
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
printf '#!/bin/sh\nsleep 10\n' >"$BROWSER" && chmod +x "$BROWSER"
at_exit+=("pkill -f '$BROWSER' || true")
reg_set 'HKCU\Software\Wine\WineBrowser' Browsers "$BROWSER"

start dialog "$SCR" /c
helper "$WORK/window.txt" find "Brumo - settings" "$WINDOW_MS" || die "no dialog"
opened=$(now_ms)
HWND=$(value_of "$WORK/window.txt" handle)
read -r l t r b <<<"$(value_of "$WORK/window.txt" rect)"
AREA="$((r - l))x$((b - t))+$l+$t"
sleep_until "$opened" 500
shot panel
check_eq "at first no notice" "0 0" "$(shown $CONNECTION $CONNECTION_HELP)"
until [[ "$(shown $CONNECTION)" == 1 ]] || (($(now_ms) - opened > 8000)); do sleep 0.1; done
waited=$(($(now_ms) - opened))
check_eq "the notice and its link show (${waited} ms after the dialog)" "1 1" "$(shown $CONNECTION $CONNECTION_HELP)"
((waited >= 1000)) || fail "the notice came before the panel's timer ($waited ms)"
shot offline
press $CONNECTION_HELP
for _ in {1..30}; do [[ -n "$(last_update)" ]] && break; sleep 0.1; done
check "the link stores today as LastUpdate ('$(last_update)')" grep -q "$(date +%Y)" <<<"$(last_update)"
check_eq "the link hides itself, the notice stays" "1 0" "$(shown $CONNECTION $CONNECTION_HELP)"
press $FIRST_SLOT
press $((MORE_SLOTS + 1))
sleep 3
check "a file:// link and a program path start nothing" none_started 'notepad|stand-in-browser'
press $((MORE_SLOTS + 2))
for _ in {1..50}; do started "stand-in-browser $WEB_LINK" && break; sleep 0.1; done
check "an http:// link starts the browser" started "stand-in-browser $WEB_LINK"
finish
