#!/usr/bin/env bash
# brumo.scr /s over a background picture. An 800 x 600 JPEG in a folder with
# a Cyrillic name, kept in proportion on the 1280 x 1024 screen: it fills rows
# 32..991, the background colour the rows above and below (no snow there),
# and the snow settles on its lower edge. (A picture too large to decode is
# refused by the Wine picture test; the saver's fall-back to the desktop is
# unit-tested.)
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly TOP_COLOUR="#D08030" BOTTOM_COLOUR="#30A0C0"  # a gradient: both ends can be found
readonly BACK_COLOUR="#5A1E6E" BACK_COLORREF=7216730   # the same colour as 0x00BBGGRR
readonly TOP=32 BOTTOM=991                              # 1280 x 960 from row 32

test_settings BackgroundImageEnabled=1 MaximizeBackground=0 SizeBackground=100 \
    ColorBackground="$BACK_COLORREF"
paint_desktop  # shows instead, should the picture not be used
mkdir -p "$WORK/снег"
picture="$WORK/снег/bild.jpg"
convert -size 800x600 "gradient:$TOP_COLOUR-$BOTTOM_COLOUR" -quality 92 "$picture"
setting BackgroundImage "$(winpath "$picture")"
run_saver picture 6000 /s
shot="$WORK/picture.png"
check_eq "no message" 0 "$(message_boxes)"
check_eq "the rows above the picture are the background colour" $((SCREEN_WIDTH * TOP)) \
    "$(count_pixels "$shot" "${SCREEN_WIDTH}x$TOP+0+0" "$BACK_COLOUR")"
below="${SCREEN_WIDTH}x$((SCREEN_HEIGHT - BOTTOM - 1))+0+$((BOTTOM + 1))"
check_eq "the rows below are the background colour, without snow" $((SCREEN_WIDTH * (SCREEN_HEIGHT - BOTTOM - 1))) \
    "$(count_pixels "$shot" "$below" "$BACK_COLOUR")"
check "the picture's top shows from row $TOP" mean_near "$shot" "$TOP_COLOUR" "${SCREEN_WIDTH}x8+0+$((TOP + 4))"
check "its bottom shows down to row $BOTTOM" mean_near "$shot" "$BOTTOM_COLOUR" "${SCREEN_WIDTH}x8+0+$((BOTTOM - 21))"
last=$(count_white "$shot" "${SCREEN_WIDTH}x1+0+$BOTTOM")
check "snow rests on the picture's last row $BOTTOM ($last >= 50 white pixels)" test "$last" -ge 50
key_ends picture

finish
