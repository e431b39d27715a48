#!/usr/bin/env bash
# brumo.scr /m manual: the notice with its countdown in a strip along the
# bottom; input in the first five seconds does not end the saver, a key press
# after them does. At 96, 144 and 192 DPI the strip and the text grow with the
# DPI and the whole notice stays inside the strip. (Its text, shadow and
# countdown steps are unit-tested.)
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly DPI_KEY='HKCU\Control Panel\Desktop'

# strip NAME ROWS: the bottom ROWS of $WORK/NAME.png less its first column, as
# $WORK/NAME-strip.png.
strip() {
    convert "$WORK/$1.png" -crop "$((SCREEN_WIDTH - 1))x$2+1+$((SCREEN_HEIGHT - $2))" +repage "$WORK/$1-strip.png"
}

test_settings
paint_desktop
at_exit+=("reg_set '$DPI_KEY' LogPixels 96 REG_DWORD")
for dpi in 96 144 192; do
    reg_set "$DPI_KEY" LogPixels "$dpi" REG_DWORD
    rows=$(((29 * dpi + 48) / 96)) x=$((10 * dpi / 96))
    run_saver "dpi-$dpi" 1500 /m manual
    strip "dpi-$dpi" "$rows"
    # The white text's box: it starts near x 10, lies below the strip's top
    # and clear of the screen's last rows, all scaled.
    IFS='x+' read -r w h left top < <(convert "$WORK/dpi-$dpi-strip.png" -fill black +opaque white -format '%@\n' info:)
    note "$dpi DPI: white text ${w}x$h at x $((left + 1)), rows $top..$((top + h - 1)) of a $rows-row strip"
    check "$dpi DPI: the text is as tall as the DPI asks ($h >= $((14 * dpi / 96)) rows)" test "$h" -ge $((14 * dpi / 96))
    check "$dpi DPI: it starts near x $x" test $((left + 1)) -ge $((x - 1)) -a $((left + 1)) -le $((x + 3))
    check "$dpi DPI: it lies below the strip's top" test "$top" -ge 2
    check "$dpi DPI: it ends above the screen's last rows" test $((top + h)) -le $((rows - 3))
    if ((dpi == 96)); then
        sleep_until "$SHOWN" 2000
        xdotool key space
        sleep_until "$SHOWN" 4000
        import -window root "$WORK/later.png"
        strip later "$rows"
        changed=$(compare -metric AE "$WORK/dpi-96-strip.png" "$WORK/later-strip.png" null: 2>&1 || true)
        check "the countdown moves on between ~1.5 s and ~4 s ($changed pixels)" test "$changed" -gt 0
        sleep_until "$SHOWN" 4500
        check "a key press at ~2 s does not end a manual start" is_running "$SAVER"
        sleep_until "$SHOWN" 6500
        key_ends "after the notice time"
    fi
    kill_tree "$SAVER"
    wait_exit "$SAVER" 5000 || true
done
finish
