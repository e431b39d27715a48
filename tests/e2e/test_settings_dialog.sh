#!/usr/bin/env bash
# brumo.scr /c: the settings dialog, titled in the stored language, owned by
# the window whose number follows "/c " or "/c:" and by none without one; Cancel
# closes it and ends the program. Both pages of each language are saved as
# $WORK/<language>-snow.png and -additional.png. A stored picture that is
# missing, no picture or too large opens the dialog with an empty preview and
# one message box "Path or image file invalid."; a picture in a folder with a
# Cyrillic name shows in the preview, its path intact, without a message.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly IDOK=1 IDCANCEL=2 FLAKE_TYPE=315 PATH_BOX=344 PREVIEW=346 SHOW_FPS=369
readonly PICTURE_COLOUR="#D08030" INVALID="Path or image file invalid."

# open_dialog NAME TITLE SWITCH...: starts brumo.scr and waits for its dialog:
# DIALOG (pid), HWND and $WORK/NAME-window.txt (rect, owner).
open_dialog() {
    local name=$1 title=$2
    shift 2
    start "$name" "$SCR" "$@"
    DIALOG=$PID
    helper "$WORK/$name-window.txt" find "$title" "$WINDOW_MS" || die "$name: no window '$title'"
    HWND=$(value_of "$WORK/$name-window.txt" handle)
}
# area FILE INSET: the "rect" of a helper's answer as WxH+X+Y, less INSET on each side.
area() {
    local l t r b
    read -r l t r b <<<"$(value_of "$1" rect)"
    echo "$((r - l - 2 * $2))x$((b - t - 2 * $2))+$((l + $2))+$((t + $2))"
}
# boxes WINDOW MS: how many message boxes of the window show within MS; the
# first one's facts in $WORK/box.txt.
boxes() { helper "$WORK/box.txt" dialog "$2" "$1" || true; value_of "$WORK/box.txt" dialogs; }
# shot NAME [GEOMETRY]: the screen, or the part GEOMETRY of it, as $WORK/NAME.png.
shot() {
    import -window root "$WORK/screen.png"
    convert "$WORK/screen.png" -crop "${2:-$SCREEN}" +repage "$WORK/$1.png"
}
colours() { convert "$1" -format %k info:; }
mean_near() {  # FILE #RRGGBB: its mean colour is within 12 per channel
    local got want=${2#\#} i
    read -r -a got < <(convert "$1" \
        -format '%[fx:round(mean.r*255)] %[fx:round(mean.g*255)] %[fx:round(mean.b*255)]' info:)
    for i in 0 1 2; do (((got[i] - 16#${want:2*i:2}) ** 2 <= 144)) || return 1; done
}

stop="$WORK/stop-owner"
start owner "$HELPER" make-parent "$(winpath "$stop")"
at_exit+=("touch '$stop'")
for _ in {1..100}; do grep -q '^client ' "$WORK/owner.log" 2>/dev/null && break; sleep 0.1; done
owner=$(head -n 1 "$WORK/owner.log" | tr -d '\r')
[[ $owner =~ ^-?[0-9]+$ ]] || die "e2e_helper make-parent gave no window number"

for row in "1|german|Brumo - Einstellungen|0|/c" "2|english|Brumo - settings|$owner|/c $owner" \
    "3|italian|Brumo - impostazioni|$owner|/c:$owner"; do
    IFS='|' read -r language name title owned switch <<<"$row"
    test_settings Language="$language" SnowballType=2 Transparency=192 CountSnowballs=300
    # shellcheck disable=SC2086  # "/c 1234" is two arguments
    open_dialog "$name" "$title" $switch
    check_eq "$name: '$switch' opens '$title' owned by" "$owned" "$(value_of "$WORK/$name-window.txt" owner)"
    dialog_area=$(area "$WORK/$name-window.txt" 0)
    sleep 1 && shot "$name-snow" "$dialog_area"
    helper "$WORK/tab.txt" select-tab "$HWND" 1 || fail "$name: the second page cannot be selected"
    sleep 1 && shot "$name-additional" "$dialog_area"
    shown=$(for id in $SHOW_FPS $FLAKE_TYPE; do
        helper "$WORK/c.txt" control "$HWND" "$id" && value_of "$WORK/c.txt" visible; done | xargs)
    check_eq "$name: the second page shows its controls, not the first page's" "1 0" "$shown"
    # Cancel as its button sends it (the keyboard's Esc is checked by the Wine
    # tests: keys sent with xdotool reach the dialog only as long as no earlier
    # test has moved the X input focus elsewhere).
    helper "$WORK/cancel.txt" press "$HWND" "$IDCANCEL" || true
    check "$name: Cancel closes the dialog and ends the program" wait_exit "$DIALOG" 3000
done

mkdir -p "$WORK/снег"
convert -size 320x240 "xc:$PICTURE_COLOUR" -quality 95 "$WORK/снег/bild.jpg"
echo "no picture" >"$WORK/text.jpg"
convert -size 1x1 xc:red "$WORK/huge.gif"  # its logical screen becomes 40000 x 40000:
printf '\x40\x9c\x40\x9c' | dd of="$WORK/huge.gif" bs=1 seek=6 conv=notrunc status=none
for row in "missing|missing.jpg" "text|text.jpg" "huge|huge.gif" "cyrillic|снег/bild.jpg"; do
    IFS='|' read -r name file <<<"$row"
    test_settings BackgroundImageEnabled=1
    setting BackgroundImage "$(winpath "$WORK/$file")"
    open_dialog "$name" "Brumo - settings" /c
    if [[ $name == cyrillic ]]; then
        check_eq "$name: no message" 0 "$(boxes "$HWND" 1500)"
        helper "$WORK/path.txt" control "$HWND" "$PATH_BOX"
        check_eq "$name: the path box holds the path intact" "$(winpath "$WORK/$file")" \
            "$(value_of "$WORK/path.txt" text)"
    else
        check_eq "$name: the dialog's message box" "1|Brumo|$INVALID" \
            "$(boxes "$HWND" 5000)|$(value_of "$WORK/box.txt" caption)|$(value_of "$WORK/box.txt" text)"
        helper "$WORK/ok.txt" press "$(value_of "$WORK/box.txt" handle)" "$IDOK" || true
        check_eq "$name: no second box once it is closed" 0 "$(boxes "$HWND" 1500)"
    fi
    helper "$WORK/find.txt" find "Brumo - settings" 0 || true
    check_eq "$name: the program runs on with its dialog" 1 "$(value_of "$WORK/find.txt" visible)"
    helper "$WORK/preview.txt" control "$HWND" "$PREVIEW" || fail "$name: no preview box"
    shot "$name-preview" "$(area "$WORK/preview.txt" 3)"
    if [[ $name == cyrillic ]]; then
        check "$name: the preview shows the picture" mean_near "$WORK/$name-preview.png" "$PICTURE_COLOUR"
    else
        check_eq "$name: the preview is one plain colour" 1 "$(colours "$WORK/$name-preview.png")"
    fi
    helper "$WORK/cancel.txt" press "$HWND" "$IDCANCEL" || true
    check "$name: Cancel ends the program" wait_exit "$DIALOG" 3000
done
finish
