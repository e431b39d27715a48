#!/usr/bin/env bash
# brumo.scr /m manual: the notice in a strip along the bottom. At 96, 144 and
# 192 DPI the strip and the text grow with the DPI and the whole notice stays
# inside the strip. (Its text, shadow, countdown and the five seconds in which
# input does not end the saver are unit-tested.)
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly DPI_KEY='HKCU\Control Panel\Desktop'

test_settings
paint_desktop
at_exit+=("reg_set '$DPI_KEY' LogPixels 96 REG_DWORD")
for dpi in 96 144 192; do
    reg_set "$DPI_KEY" LogPixels "$dpi" REG_DWORD
    rows=$(((29 * dpi + 48) / 96)) x=$((10 * dpi / 96))
    run_saver "dpi-$dpi" 1500 /m manual
    # The white text's box in the strip less its first column: it starts near
    # x 10, lies below the strip's top and clear of the screen's last rows,
    # all scaled.
    IFS='x+' read -r w h left top < <(convert "$WORK/dpi-$dpi.png" -crop "$((SCREEN_WIDTH - 1))x$rows+1+$((SCREEN_HEIGHT - rows))" \
        +repage -fill black +opaque white -format '%@\n' info:)
    note "$dpi DPI: white text ${w}x$h at x $((left + 1)), rows $top..$((top + h - 1)) of a $rows-row strip"
    check "$dpi DPI: the text is as tall as the DPI asks ($h >= $((14 * dpi / 96)) rows)" test "$h" -ge $((14 * dpi / 96))
    check "$dpi DPI: it starts near x $x" test $((left + 1)) -ge $((x - 1)) -a $((left + 1)) -le $((x + 3))
    check "$dpi DPI: it lies below the strip's top" test "$top" -ge 2
    check "$dpi DPI: it ends above the screen's last rows" test $((top + h)) -le $((rows - 3))
    kill_tree "$SAVER"
    wait_exit "$SAVER" 5000 || true
done
finish
