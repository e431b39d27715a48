#!/usr/bin/env bash
# brumo.scr /c: the settings dialog, titled in the stored language, owned by
# the window whose number follows "/c " or "/c:" and by none without one; Cancel
# closes it and ends the program. A stored picture that is missing opens the
# dialog with an empty preview and one message box "Path or image file
# invalid."; a picture in a folder with a Cyrillic name shows in the preview,
# its path intact, without a message. (Pictures too large or not pictures at
# all fail the same way: the Wine picture test and the saver's run refuse them.)
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly IDOK=1 IDCANCEL=2 PATH_BOX=344 PREVIEW=346
readonly PICTURE_COLOUR="#D08030" INVALID="Path or image file invalid."

# open_dialog NAME TITLE SWITCH...: starts brumo.scr and waits for its dialog:
# DIALOG (pid), HWND and $WORK/NAME-window.txt (owner).
open_dialog() {
    local name=$1 title=$2
    shift 2
    start "$name" "$SCR" "$@"
    DIALOG=$PID
    helper "$WORK/$name-window.txt" find "$title" "$WINDOW_MS" || die "$name: no window '$title'"
    HWND=$(value_of "$WORK/$name-window.txt" handle)
}
# cancel NAME: Cancel, as its button sends it, closes the dialog and ends the
# program. (Esc is checked by the Wine tests: keys sent with xdotool reach the
# dialog only as long as no earlier test has moved the X input focus elsewhere.)
cancel() {
    helper "$WORK/cancel.txt" press "$HWND" "$IDCANCEL" || true
    check "$1: Cancel closes the dialog and ends the program" wait_exit "$DIALOG" 3000
}
# boxes MS: how many message boxes of the dialog show within MS; the first
# one's facts in $WORK/box.txt.
boxes() { helper "$WORK/box.txt" dialog "$1" "$HWND" || true; value_of "$WORK/box.txt" dialogs; }

stop="$WORK/stop-owner"
start owner "$HELPER" make-parent "$(winpath "$stop")"
at_exit+=("touch '$stop'")
wait_line "$WORK/owner.log" '^client-origin ' 10000 || die "e2e_helper make-parent did not report its window"
owner=$(head -n 1 "$WORK/owner.log" | tr -d '\r')

for row in "1|german|Brumo - Einstellungen|0|/c" "2|english|Brumo - settings|$owner|/c $owner" \
    "3|italian|Brumo - impostazioni|$owner|/c:$owner"; do
    IFS='|' read -r language name title owned switch <<<"$row"
    test_settings Language="$language"
    # shellcheck disable=SC2086  # "/c 1234" is two arguments
    open_dialog "$name" "$title" $switch
    check_eq "$name: '$switch' opens '$title' owned by" "$owned" "$(value_of "$WORK/$name-window.txt" owner)"
    read -r l t r b <<<"$(value_of "$WORK/$name-window.txt" rect)"
    sleep 0.5  # for the reader: the first page in this language, to see that every caption fits
    import -window root -crop "$((r - l))x$((b - t))+$l+$t" "$WORK/$name.png"
    cancel "$name"
done

mkdir -p "$WORK/снег"
convert -size 320x240 "xc:$PICTURE_COLOUR" -quality 95 "$WORK/снег/bild.jpg"
for row in "missing|missing.jpg" "cyrillic|снег/bild.jpg"; do
    IFS='|' read -r name file <<<"$row"
    test_settings BackgroundImageEnabled=1
    setting BackgroundImage "$(winpath "$WORK/$file")"
    open_dialog "$name" "Brumo - settings" /c
    if [[ $name == cyrillic ]]; then
        check_eq "$name: no message" 0 "$(boxes 1500)"
        helper "$WORK/path.txt" control "$HWND" "$PATH_BOX"
        check_eq "$name: the path box holds the path intact" "$(winpath "$WORK/$file")" \
            "$(value_of "$WORK/path.txt" text)"
    else
        check_eq "$name: the dialog's message box" "1|Brumo|$INVALID" \
            "$(boxes 5000)|$(value_of "$WORK/box.txt" caption)|$(value_of "$WORK/box.txt" text)"
        helper "$WORK/ok.txt" press "$(value_of "$WORK/box.txt" handle)" "$IDOK" || true
        check_eq "$name: no second box once it is closed" 0 "$(boxes 1500)"
    fi
    sleep 0.5  # the dialog repaints where the box was
    helper "$WORK/preview.txt" control "$HWND" "$PREVIEW" || fail "$name: no preview box"
    read -r l t r b <<<"$(value_of "$WORK/preview.txt" rect)"
    import -window root -crop "$((r - l - 6))x$((b - t - 6))+$((l + 3))+$((t + 3))" "$WORK/$name-preview.png"
    if [[ $name == cyrillic ]]; then
        check "$name: the preview shows the picture" mean_near "$WORK/$name-preview.png" "$PICTURE_COLOUR"
    else
        check_eq "$name: the preview is one plain colour" 1 "$(convert "$WORK/$name-preview.png" -format %k info:)"
    fi
    cancel "$name"
done
finish
