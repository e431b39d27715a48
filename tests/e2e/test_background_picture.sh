#!/usr/bin/env bash
# brumo.scr /s over a background picture: an 800 x 600 JPEG, then GIF, then
# BMP, kept in proportion at 100 per cent on the 1280 x 1024 screen. The
# picture, stretched top to bottom into rows 32..991 over the full width,
# shows instead of the desktop; the background colour fills the rows above
# and below it, untouched by snow; the snow settles on the picture's lower
# edge (row 991), not on the screen's. Last, a picture file that does not
# exist: the desktop is taken instead, without a message.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly WINDOW_TIMEOUT_MS=15000
readonly SNOW_SECONDS=10
readonly KEY_EXIT_LIMIT_MS=1500
readonly PICTURE_SIZE="800x600"
# A vertical gradient, so that both ends of the picture can be found again.
readonly PICTURE_TOP_COLOUR="#D08030"
readonly PICTURE_BOTTOM_COLOUR="#30A0C0"
readonly BACK_COLOUR="#5A1E6E"
readonly BACK_COLORREF=7216730  # 0x6E1E5A: the same colour as a COLORREF (0x00BBGGRR)
# 800 x 600 in proportion on 1280 x 1024: Hfit = 960 fits, so 1280 x 960 from row 32.
readonly PICTURE_TOP=32
readonly PICTURE_HEIGHT=960
readonly PICTURE_BOTTOM=$((PICTURE_TOP + PICTURE_HEIGHT - 1))
readonly ABOVE_REGION="${SCREEN_WIDTH}x${PICTURE_TOP}+0+0"
readonly BELOW_ROWS=$((SCREEN_HEIGHT - PICTURE_BOTTOM - 1))
readonly BELOW_REGION="${SCREEN_WIDTH}x${BELOW_ROWS}+0+$((PICTURE_BOTTOM + 1))"
# Bands a few rows inside the picture's top and bottom: their mean colour is
# the gradient's end there (JPEG and scaling blur single pixels a little;
# the odd flake adds a fraction of a unit).
readonly BAND_ROWS=8
readonly TOP_BAND="${SCREEN_WIDTH}x${BAND_ROWS}+0+$((PICTURE_TOP + 4))"
readonly BOTTOM_BAND="${SCREEN_WIDTH}x${BAND_ROWS}+0+$((PICTURE_BOTTOM - 21))"
readonly COLOUR_TOLERANCE=10
# Settled 2x2 flakes lie on the picture's last rows.
readonly GROUND_ROWS=7
readonly GROUND_REGION="${SCREEN_WIDTH}x${GROUND_ROWS}+0+$((PICTURE_BOTTOM - GROUND_ROWS + 1))"
readonly MIN_GROUND_SNOW_PIXELS=40
# ... with their lower edge on the picture's last row itself.
readonly LAST_ROW_REGION="${SCREEN_WIDTH}x1+0+${PICTURE_BOTTOM}"
readonly MIN_LAST_ROW_SNOW_PIXELS=20

# The fallback: the desktop's colour shows on nearly all of the screen.
readonly MIN_DESKTOP_SHARE_PERCENT=95

# Message boxes carry the application's title.
readonly MESSAGE_CAPTION="Brumo"

# message_box_count: the top-level windows captioned like a message box.
message_box_count() {
    local out
    out=$(next_log find-message)
    helper "$out" find "$MESSAGE_CAPTION" || true
    value_of "$out" count
}

# mean_colour FILE GEOMETRY: "R G B", the region's mean colour, 0..255 each.
mean_colour() {
    convert "$1" -crop "$2" +repage -alpha off \
        -format '%[fx:round(mean.r*255)] %[fx:round(mean.g*255)] %[fx:round(mean.b*255)]' info:
}

# near_colour "R G B" #RRGGBB: true when every channel is within the tolerance.
near_colour() {
    local -a got
    read -r -a got <<<"$1"
    local hex=${2#\#} i want
    for i in 0 1 2; do
        want=$((16#${hex:$((2 * i)):2}))
        ((got[i] - want <= COLOUR_TOLERANCE && want - got[i] <= COLOUR_TOLERANCE)) || return 1
    done
}

# make_picture FILE: the gradient picture in the format of the file's extension.
make_picture() {
    local file=$1
    local -a output=("$file")
    case "$file" in
        *.jpg) output=(-quality 92 "$file") ;;
        *.gif) output=(+dither "$file") ;;
        *.bmp) output=("BMP3:$file") ;;  # the classic 24-bit BMP
    esac
    convert -size "$PICTURE_SIZE" "gradient:$PICTURE_TOP_COLOUR-$PICTURE_BOTTOM_COLOUR" \
        "${output[@]}"
    [[ "$(identify -format '%wx%h' "$file")" == "$PICTURE_SIZE" ]]
}

# run_with_picture EXTENSION: one run of the saver over that picture.
run_with_picture() {
    local format=$1
    local picture="$E2E_WORK/picture.$format"
    make_picture "$picture" || die "could not make the $format picture"
    store_setting BackgroundImage "$(windows_path "$picture")"
    require_no_saver

    start_scr "saver-$format" /s
    local saver=$STARTED_PID
    wait_saver_window "$WINDOW_TIMEOUT_MS" ||
        die "$format: no window '$SAVER_CAPTION' within ${WINDOW_TIMEOUT_MS} ms"
    local window_seen
    window_seen=$(now_ms)
    sleep_until "$window_seen" $((SNOW_SECONDS * 1000))
    is_running "$saver" || die "$format: the saver ended by itself within $SNOW_SECONDS s"

    local shot="$E2E_WORK/snow-$format.png"
    screenshot "$shot"
    check_eq "$format: no message" 0 "$(message_box_count)"
    check_eq "$format: the rows above the picture are the background colour" \
        $((SCREEN_WIDTH * PICTURE_TOP)) "$(count_pixels "$shot" "$ABOVE_REGION" "$BACK_COLOUR")"
    check_eq "$format: the rows below the picture are the background colour" \
        $((SCREEN_WIDTH * BELOW_ROWS)) "$(count_pixels "$shot" "$BELOW_REGION" "$BACK_COLOUR")"
    check_eq "$format: no snow below the picture" 0 "$(count_white "$shot" "$BELOW_REGION")"
    local top bottom
    top=$(mean_colour "$shot" "$TOP_BAND")
    bottom=$(mean_colour "$shot" "$BOTTOM_BAND")
    check "$format: the picture's top shows from row $PICTURE_TOP (mean $top)" \
        near_colour "$top" "$PICTURE_TOP_COLOUR"
    check "$format: the picture's bottom shows down to row $PICTURE_BOTTOM (mean $bottom)" \
        near_colour "$bottom" "$PICTURE_BOTTOM_COLOUR"
    local ground
    ground=$(count_white "$shot" "$GROUND_REGION")
    check "$format: snow lies on the picture's last rows ($ground >= $MIN_GROUND_SNOW_PIXELS white pixels)" \
        test "$ground" -ge "$MIN_GROUND_SNOW_PIXELS"
    local last_row
    last_row=$(count_white "$shot" "$LAST_ROW_REGION")
    check "$format: snow rests on row $PICTURE_BOTTOM ($last_row >= $MIN_LAST_ROW_SNOW_PIXELS white pixels)" \
        test "$last_row" -ge "$MIN_LAST_ROW_SNOW_PIXELS"

    local key_sent
    key_sent=$(now_ms)
    send_key space
    if wait_exit "$saver" "$KEY_EXIT_LIMIT_MS"; then
        pass "$format: a key press ends the saver ($(($(now_ms) - key_sent)) ms)"
    else
        fail "$format: the saver still runs ${KEY_EXIT_LIMIT_MS} ms after a key press"
    fi
}

require_binaries
require_no_saver
use_test_settings
store_setting BackgroundImageEnabled 1
store_setting MaximizeBackground 0
store_setting SizeBackground 100
store_setting ColorBackground "$BACK_COLORREF"
# Should the picture not be used, the desktop's colour would show instead.
paint_desktop

for format in jpg gif bmp; do
    run_with_picture "$format"
done

store_setting BackgroundImage "$(windows_path "$E2E_WORK/no such picture.jpg")"
require_no_saver
start_scr saver-missing /s
saver=$STARTED_PID
wait_saver_window "$WINDOW_TIMEOUT_MS" || die "missing: no window '$SAVER_CAPTION' within ${WINDOW_TIMEOUT_MS} ms"
sleep_until "$(now_ms)" $((SNOW_SECONDS * 1000 / 2))
is_running "$saver" || die "missing: the saver ended by itself"
shot="$E2E_WORK/snow-missing.png"
screenshot "$shot"
check_eq "missing: no message" 0 "$(message_box_count)"
screen_area=$((SCREEN_WIDTH * SCREEN_HEIGHT))
desktop=$(count_pixels "$shot" "${SCREEN_WIDTH}x${SCREEN_HEIGHT}+0+0" "$DESKTOP_COLOUR")
check "missing: the desktop shows instead ($desktop of $screen_area pixels)" \
    test $((desktop * 100)) -ge $((screen_area * MIN_DESKTOP_SHARE_PERCENT))
check_eq "missing: no background colour anywhere" 0 \
    "$(count_pixels "$shot" "${SCREEN_WIDTH}x${SCREEN_HEIGHT}+0+0" "$BACK_COLOUR")"
send_key space
check "missing: a key press ends the saver" wait_exit "$saver" "$KEY_EXIT_LIMIT_MS"

finish
