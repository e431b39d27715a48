#!/usr/bin/env bash
# The release files in out/: what the archives and SHA256SUMS hold; then the
# setup program in a fresh Wine prefix whose local application data has long
# names (so the saver's short path differs from the long one): silent install,
# files, registry values, the saver started as Windows starts it, a second
# install over it, silent uninstalls. Sees windows with the win64 e2e_helper.
source "$(dirname "$0")/../e2e/lib.sh"

readonly OUT="$E2E_ROOT/out" LOCAL_DATA='C:\Local App Data'
readonly DESKTOP='HKCU\Control Panel\Desktop' SETTINGS='HKCU\Software\Merelan\Brumo\Settings'
readonly UNINSTALL='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brumo'
readonly DIR="$LOCAL_DATA\\Programs\\Brumo" CACHE="$LOCAL_DATA\\Halvix\\Brumo\\UpdatePanel"
setups=("$OUT"/brumo-*-win64-setup.exe)
[[ ${#setups[@]} == 1 && -f ${setups[0]} ]] || die "want one setup program in out/: run scripts/dist.sh"
readonly SETUP=${setups[0]}
version=${SETUP##*/brumo-} && readonly version=${version%-win64-setup.exe}

# unix_path WINPATH: where a C:\ path of the prefix lies.
unix_path() { local p=${1#C:\\}; printf '%s/drive_c/%s' "$WINEPREFIX" "${p//\\//}"; }
# reg_value KEY NAME: the data of one value, empty when it is missing.
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null </dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z]* *//p"; }
# run_batch LINE: one command line, as typed (arguments with blanks unquoted).
run_batch() { printf '@%s\r\n' "$1" >"$WORK/run.bat" && wine cmd /c "$(winpath "$WORK/run.bat")" >>"$WORK/setup.log" 2>&1 </dev/null; }
setup() { wine "$SETUP" /S >>"$WORK/setup.log" 2>&1 </dev/null || die "the setup program failed"; }
# The uninstaller reruns itself from a copy and returns at once; a copy
# started with _?= works on the folder in place, and is waited for.
uninstall() {
    { cp "$(unix_path "$DIR\\uninstall.exe")" "$WORK/uninstall.exe" &&
        run_batch "\"$(winpath "$WORK/uninstall.exe")\" /S _?=$DIR"; } || die "the uninstaller failed"
}
short_path() { run_batch "for %%I in (\"$1\") do @echo %%~sI>\"$(winpath "$WORK/short.txt")\"" && tr -d '\r\n' <"$WORK/short.txt"; }

while read -r name format bits; do
    zip="$OUT/brumo-$version-$name.zip" && unpacked="$WORK/$name"
    check_eq "$name archive holds" "ReadMe.txt brumo.scr" "$(unzip -Z1 "$zip" | LC_ALL=C sort | xargs)"
    unzip -q -o "$zip" -d "$unpacked"
    check_eq "$name archive: brumo.scr's format" "$format" \
        "$(x86_64-w64-mingw32-objdump -f "$unpacked/brumo.scr" | sed -n 's/.*file format //p')"
    check_eq "$name archive: ReadMe.txt's first line" $'\xEF\xBB\xBF'"Brumo $version - screen saver for Windows ($bits)"$'\r' \
        "$(head -n 1 "$unpacked/ReadMe.txt")"
done <<EOF
win64 pei-x86-64 64-bit
win32 pei-i386 32-bit
EOF
check "SHA256SUMS lists and matches the three files" \
    bash -c "cd '$OUT' && sha256sum --quiet -c SHA256SUMS && ((\$(wc -l <SHA256SUMS) == 3))"

{ reg_set 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' 'Local AppData' \
    "$LOCAL_DATA" REG_EXPAND_SZ && mkdir -p "$(unix_path "$LOCAL_DATA")"; } || die "no local application data folder"
setup
SCR_FILE=$(unix_path "$DIR\\brumo.scr") && UNINSTALLER=$(unix_path "$DIR\\uninstall.exe")
check "the installed brumo.scr is the 64-bit archive's" cmp -s "$SCR_FILE" "$WORK/win64/brumo.scr"
size_kb=$((($(stat -c %s "$SCR_FILE") + $(stat -c %s "$UNINSTALLER") + 1023) / 1024))
SHORT=$(short_path "$DIR\\brumo.scr")
[[ -n "$SHORT" && "$SHORT" != "$DIR\\brumo.scr" ]] || die "the prefix gives no distinct short path ('$SHORT')"
while IFS='|' read -r key name expected; do
    check_eq "${key##*\\} $name" "$expected" "$(reg_value "$key" "$name")"
done <<EOF
$DESKTOP|SCRNSAVE.EXE|$SHORT
$DESKTOP|ScreenSaveActive|1
$UNINSTALL|DisplayName|Brumo
$UNINSTALL|DisplayVersion|$version
$UNINSTALL|Publisher|Merelan
$UNINSTALL|DisplayIcon|$DIR\\brumo.scr
$UNINSTALL|InstallLocation|$DIR
$UNINSTALL|EstimatedSize|$(printf '0x%x' "$size_kb")
$UNINSTALL|UninstallString|"$DIR\\uninstall.exe"
$UNINSTALL|QuietUninstallString|"$DIR\\uninstall.exe" /S
$UNINSTALL|NoModify|0x1
$UNINSTALL|NoRepair|0x1
EOF

start saver "$SHORT" /s
if helper "$WORK/window.txt" find "$CAPTION" "$WINDOW_MS"; then pass "the saver shows its window"; else fail "no saver window"; fi
kill_tree "$PID"
wait_exit "$PID" 5000 || die "the saver did not end"

setting CountSnowballs 1234
printf 'an earlier brumo.scr' >"$SCR_FILE"
setup
check_eq "a second install keeps the settings" 1234 "$(reg_value "$SETTINGS" CountSnowballs)"
check "a second install replaces brumo.scr" cmp -s "$SCR_FILE" "$WORK/win64/brumo.scr"

mkdir -p "$(unix_path "$CACHE")" && echo GIF89a >"$(unix_path "$CACHE\\Slot1.gif")"
uninstall
check "uninstall removes the install folder" test ! -e "$(unix_path "$DIR")"
check_eq "uninstall removes the Uninstall key" "" "$(reg_value "$UNINSTALL" DisplayName)"
check_eq "a silent uninstall keeps the settings" 1234 "$(reg_value "$SETTINGS" CountSnowballs)"
check "a silent uninstall keeps the news panel's cache" test -f "$(unix_path "$CACHE\\Slot1.gif")"
check_eq "uninstall clears the saver choice" "" "$(reg_value "$DESKTOP" SCRNSAVE.EXE)"

# The saver choice as other tools may have written it: kept unless it is ours.
while IFS='|' read -r chosen after; do
    setup && reg_set "$DESKTOP" SCRNSAVE.EXE "$chosen" && uninstall
    check_eq "uninstall with the saver choice '$chosen'" "$after" "$(reg_value "$DESKTOP" SCRNSAVE.EXE)"
done <<EOF
$DIR\\brumo.scr|
C:\\windows\\system32\\scrnsave.scr|C:\\windows\\system32\\scrnsave.scr
EOF
finish
