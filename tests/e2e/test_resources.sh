#!/usr/bin/env bash
# What Windows reads from brumo.scr's resources: the name in the screen-saver
# list, the icon, the manifest and the version record.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

facts="$WORK/resources.txt"
helper "$facts" resources "$(winpath "$SCR")" || die "e2e_helper could not read $SCR"
while IFS='|' read -r key expected; do
    check_eq "$key" "$expected" "$(value_of "$facts" "$key")"
done <<'TABLE'
string 1|Brumo
icon 100|16x16 32x32 48x48 256x256
icon-loads|1
fileversion|1.5.0.0
productversion|1.5.0.0
version CompanyName|Merelan
version FileDescription|Brumo
version FileVersion|1.5.0
version InternalName|Brumo
version OriginalFilename|brumo.scr
version ProductName|Brumo
TABLE
for line in 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' '>PerMonitorV2' \
    '>true/pm</dpiAware>' 'level="asInvoker"'; do
    check "the manifest holds $line" grep -qaF -- "$line" "$SCR"
done
finish
