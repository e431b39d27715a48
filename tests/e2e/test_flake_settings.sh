#!/usr/bin/env bash
# brumo.scr /s with stored settings: 1000 opaque red "Crystal 2" flakes show as
# whole red crystals, with no white snow anywhere. The stored background
# picture does not exist: the desktop shows instead, without a message.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

test_settings SnowballColor=255 SnowballType=3 CountSnowballs=1000 BackgroundImageEnabled=1 \
    ColorBackground=7216730
setting BackgroundImage "$(winpath "$WORK/no such picture.jpg")"
paint_desktop
run_saver crystals 4000 /s
shot="$WORK/crystals.png"
# A free "Crystal 2" is one red 8-connected shape of 15 x 17 pixels, 107 of them red.
found=$(convert "$shot" -alpha off -fill black +opaque '#FF0000' -define connected-components:verbose=true \
    -connected-components 8 null: | awk '$2 ~ /^15x17\+/ && $4 == 107' | wc -l)
check "whole red Crystal 2 flakes on the screen ($found >= 50)" test "$found" -ge 50
check_eq "no white snow" 0 "$(count_white "$shot" "$SCREEN")"
check_eq "no message for the missing picture" 0 "$(message_boxes)"
check "the desktop shows instead (>= 80 %)" at_least 80 \
    "$(count_pixels "$shot" "$SCREEN" "$DESKTOP_COLOUR")" $((SCREEN_WIDTH * SCREEN_HEIGHT))
key_ends crystals
finish
