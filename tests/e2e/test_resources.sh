#!/usr/bin/env bash
# What Windows reads from brumo.scr's resources: the name listed in the
# screen-saver settings, the icon, the manifest and the version record.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

require_binaries

facts="$E2E_WORK/resources.txt"
helper "$facts" resources "$(windows_path "$SCR")" || die "e2e_helper could not read $SCR"

check_eq "string 1 names the saver" "Brumo" "$(value_of "$facts" "string 1")"
check_eq "icon 100 holds 16, 32, 48 and 256 pixel images" "16x16 32x32 48x48 256x256" \
    "$(value_of "$facts" "icon 100")"
check_eq "icon 100 loads as an icon" 1 "$(value_of "$facts" icon-loads)"

manifest="$E2E_WORK/manifest.xml"
sed -n 's/^manifest| //p' "$facts" >"$manifest"
# shellcheck disable=SC2317  # called through check
manifest_has() { grep -qF -- "$1" "$manifest"; }
check "the manifest asks for common controls 6" \
    manifest_has 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"'
check "the manifest declares per-monitor v2 DPI awareness" manifest_has '>PerMonitorV2'
check "the manifest declares per-monitor DPI awareness for older systems" \
    manifest_has '>true/pm</dpiAware>'
check "the manifest runs the saver as the invoking user" manifest_has 'level="asInvoker"'

check_eq "file version" 1.5.0.0 "$(value_of "$facts" fileversion)"
check_eq "product version" 1.5.0.0 "$(value_of "$facts" productversion)"
check_eq "FileDescription" Brumo "$(value_of "$facts" "version FileDescription")"
check_eq "ProductName" Brumo "$(value_of "$facts" "version ProductName")"
check_eq "FileVersion" 1.5.0 "$(value_of "$facts" "version FileVersion")"
check_eq "CompanyName" Merelan "$(value_of "$facts" "version CompanyName")"
check_eq "OriginalFilename" brumo.scr "$(value_of "$facts" "version OriginalFilename")"
check_eq "InternalName" Brumo "$(value_of "$facts" "version InternalName")"

finish
