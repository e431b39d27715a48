#!/usr/bin/env bash
# brumo.scr /m manual: the notice (English here) with its countdown in a strip
# along the bottom; input in the first five seconds does not end the saver, a
# key press after them does. At 144 and 192 DPI the strip and the text grow
# with the DPI and the whole notice stays inside the strip.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly NOTICE="As long as this text is visible, Brumo won't respond to user inputs"
readonly DPI_KEY='HKCU\Control Panel\Desktop'

# countdown NAME: the countdown the strip of $WORK/NAME.png shows with the
# notice, pixel for pixel; empty when it does not.
countdown() {
    helper "$WORK/$1.txt" notice-match "$(raw_rgb "$WORK/$1.png")" "$SCREEN_WIDTH" "$SCREEN_HEIGHT" \
        "$NOTICE" "${DESKTOP_COLOUR#\#}" || true
    [[ "$(value_of "$WORK/$1.txt" differences)" == 0 ]] && value_of "$WORK/$1.txt" count
}

test_settings
paint_desktop
run_saver notice-1 1500 /m manual
sleep_until "$SHOWN" 2000
xdotool key space
sleep_until "$SHOWN" 4000
import -window root "$WORK/notice-2.png"
first=$(countdown notice-1) || true
second=$(countdown notice-2) || true
check "the notice shows with its countdown at ~1.5 s (${first:-no match})" test -n "$first"
check "and at ~4 s, counted down (${second:-no match})" test "${second:-9}" -lt "${first:-0}"
sleep_until "$SHOWN" 4500
check "a key press at ~2 s does not end a manual start" is_running "$SAVER"
sleep_until "$SHOWN" 6500
key_ends "after the notice time"

# The white text's box inside a strip of 29 rows at 96 DPI, scaled: it starts
# near x 10, lies below the strip's top and clear of the screen's last rows.
at_exit+=("reg_set '$DPI_KEY' LogPixels 96 REG_DWORD")
for dpi in 144 192; do
    reg_set "$DPI_KEY" LogPixels "$dpi" REG_DWORD
    strip=$(((29 * dpi + 48) / 96)) x=$((10 * dpi / 96))
    run_saver "dpi-$dpi" 1500 /m manual
    kill_tree "$SAVER"
    IFS='x+' read -r w h left top < <(convert "$WORK/dpi-$dpi.png" \
        -crop "$((SCREEN_WIDTH - 1))x$strip+1+$((SCREEN_HEIGHT - strip))" +repage \
        -fill black +opaque white -format '%@\n' info:)
    note "$dpi DPI: white text ${w}x$h at x $((left + 1)), rows $top..$((top + h - 1)) of a $strip-row strip"
    check "$dpi DPI: the text is as tall as the DPI asks ($h >= $((14 * dpi / 96)) rows)" test "$h" -ge $((14 * dpi / 96))
    check "$dpi DPI: it starts near x $x" test $((left + 1)) -ge $((x - 1)) -a $((left + 1)) -le $((x + 3))
    check "$dpi DPI: it lies below the strip's top" test "$top" -ge 2
    check "$dpi DPI: it ends above the screen's last rows" test $((top + h)) -le $((strip - 3))
    wait_exit "$SAVER" 5000 || true
done
finish
