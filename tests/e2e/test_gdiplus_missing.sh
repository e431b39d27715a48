#!/usr/bin/env bash
# brumo.scr /s without GDI+: a message box says so (in German, whatever the
# language), no saver window shows, and closing the box ends the program.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

test_settings
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;gdiplus=d" start no-gdiplus "$SCR" /s
saver=$PID
helper "$WORK/box.txt" dialog "$WINDOW_MS" || true
check_eq "the message" "GDI+ DLL fehlt. Programm wird beendet." "$(value_of "$WORK/box.txt" text)"
check_eq "no saver window" 0 "$(visible_windows)"
xdotool key Return
check "closing the box ends the program" wait_exit "$saver" 3000
finish
