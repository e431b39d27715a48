#!/usr/bin/env bash
# What Windows reads from brumo.scr's resources, decoded by windres: the name
# in the screen-saver list, the icon sizes, the version record, the manifest.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

rc="$WORK/resources.rc"
x86_64-w64-mingw32-windres -i "$SCR" -O rc -o "$rc" || die "windres could not read $SCR"
check_eq "icon 100 holds 16, 32, 48 and 256 pixel images" '\020\020 \040\040 \060\060 \000\000' \
    "$(sed -n '/^100 14 /,/^END/p' "$rc" | grep -o '"\\[0-7]*\\[0-7]*' | tr -d '"' | paste -sd ' ')"
while IFS= read -r line; do
    check "the resources hold: $line" grep -qF -- "$line" "$rc"
done <<'TABLE'
  1, "Brumo"
 FILEVERSION 1, 5, 0, 0
VALUE "FileVersion", "1.5.0"
VALUE "OriginalFilename", "brumo.scr"
name=""Microsoft.Windows.Common-Controls"" version=""6.0.0.0""
>PerMonitorV2
>true/pm</dpiAware>
level=""asInvoker""
TABLE
finish
