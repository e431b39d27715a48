# shellcheck shell=bash
# Shared by every tests/e2e/test_*.sh: they drive the real brumo.scr under Wine
# in the environment of scripts/with-wine.sh (a script started on its own
# re-runs itself inside a fresh one). Every Wine process a test starts is
# ended when the script exits. BRUMO_BIN: the win64 build folder (ctest sets
# it; by hand it defaults to build/win64).
set -euo pipefail

E2E_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
E2E_NAME="$(basename "$0" .sh)"
if [[ -z "${BRUMO_WINE_ENV:-}" ]]; then exec "$E2E_ROOT/scripts/with-wine.sh" bash "$0" "$@"; fi
: "${BRUMO_BIN:=$E2E_ROOT/build/win64}"
readonly SCR="$BRUMO_BIN/brumo.scr" HELPER="$BRUMO_BIN/tests/e2e_helper.exe"
readonly CAPTION="DivurUdididIriva"  # the saver window's caption
readonly SCREEN_WIDTH=1280 SCREEN_HEIGHT=1024 SCREEN="1280x1024+0+0"
readonly DESKTOP_COLOUR="#203A5C"  # dark: whatever is pure white on screen is snow
readonly WINDOW_MS=15000 KEY_EXIT_MS=1500
readonly WORK="$BRUMO_BIN/e2e/$E2E_NAME"  # logs, screenshots, trace files
rm -rf "$WORK" && mkdir -p "$WORK"
[[ -f "$SCR" && -f "$HELPER" ]] || { echo "no $SCR or $HELPER: build the win64 preset" >&2; exit 1; }

failures=0 started_pids=() at_exit=()
note() { echo "[$E2E_NAME] $*"; }
pass() { note "ok   - $*"; }
fail() { note "FAIL - $*"; failures=$((failures + 1)); }
die() { fail "$*"; exit 1; }
# check DESCRIPTION COMMAND...: passes when the command succeeds.
check() { local what=$1; shift; if "$@"; then pass "$what"; else fail "$what"; fi; }
# check_eq DESCRIPTION EXPECTED ACTUAL
check_eq() { if [[ "$2" == "$3" ]]; then pass "$1 ($3)"; else fail "$1: expected '$2', got '$3'"; fi; }
finish() { ((failures == 0)) || die "$failures check(s) failed; logs in $WORK"; note "all checks passed"; exit 0; }

now_ms() { local t=${EPOCHREALTIME/[.,]/}; echo $((t / 1000)); }
# sleep_until START_MS OFFSET_MS
sleep_until() { local ms=$(($1 + $2 - $(now_ms))); ((ms <= 0)) || sleep "$((ms / 1000)).$(printf %03d $((ms % 1000)))"; }
is_running() { kill -0 "$1" 2>/dev/null; }
# wait_exit PID TIMEOUT_MS: true when the process ended within the time.
wait_exit() {
    local deadline=$(($(now_ms) + $2))
    while is_running "$1"; do (($(now_ms) < deadline)) || return 1; sleep 0.05; done
}
# wait_line FILE PATTERN TIMEOUT_MS: true once FILE has a line matching PATTERN.
wait_line() {
    local deadline=$(($(now_ms) + $3))
    until grep -qE "$2" "$1" 2>/dev/null; do (($(now_ms) < deadline)) || return 1; sleep 0.1; done
}
kill_tree() {
    local child
    for child in $(pgrep -P "$1" 2>/dev/null || true); do kill_tree "$child"; done
    kill -TERM "$1" 2>/dev/null || true
}
cleanup() {
    local rc=$? pid command
    trap - EXIT
    set +e
    for pid in "${started_pids[@]}"; do is_running "$pid" && kill_tree "$pid" && wait_exit "$pid" 2000; done
    for command in "${at_exit[@]}"; do eval "$command"; done
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT && trap 'exit 143' TERM

# start NAME PROGRAM ARG...: a Windows program in the background, output to
# $WORK/NAME.log (a file: Wine's helpers inherit it); its pid in PID.
start() {
    local name=$1; shift
    wine "$@" >"$WORK/$name.log" 2>&1 </dev/null &
    PID=$!
    started_pids+=("$PID")
}
# helper OUT SUBCOMMAND ARG...: runs e2e_helper.exe, its output in OUT.
helper() { local out=$1; shift; wine "$HELPER" "$@" >"$out" 2>&1 </dev/null; }
# value_of FILE KEY: the text after "KEY " on the first such line.
value_of() { sed -n "s/^$2 //p" "$1" | head -n 1 | tr -d '\r'; }
# The Windows path of a Linux path: Wine's drive Z: is the root folder (no
# Wine process needed, so it cannot fail the way winepath can mid-run).
winpath() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }
visible_windows() { helper "$WORK/find.txt" find "$CAPTION" 0 || true; value_of "$WORK/find.txt" visible; }
message_boxes() { helper "$WORK/dialog.txt" dialog 0 || true; value_of "$WORK/dialog.txt" dialogs; }
reg_set() { wine reg add "$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f >>"$WORK/reg.log" 2>&1 </dev/null; }
setting() { reg_set 'HKCU\Software\Merelan\Brumo\Settings' "$@"; }
# test_settings [NAME=VALUE...]: 1000 opaque white 2x2 blocks at 20 frames a
# second, no music, no icon ledges, no picture, English; then the given values.
test_settings() {
    local pair lines=()
    for pair in Language=2 SnowballColor=16777215 SnowballType=7 SnowballSize=1 Transparency=255 \
        CountSnowballs=1000 Framerate=20 Turbulence=3 FallingDirection=0 SnowOnIcons=0 RestartMin=15 \
        BackgroundImageEnabled=0 BackgroundSound= ShowFPS=0 SnowAlwaysFromSky=0 "$@"; do
        lines+=("\"${pair%%=*}\"=\"${pair#*=}\"")
    done
    # The section is emptied first: nothing an earlier test stored carries over.
    printf '%s\r\n' REGEDIT4 '' '[-HKEY_CURRENT_USER\Software\Merelan\Brumo\Settings]' '' \
        '[HKEY_CURRENT_USER\Software\Merelan\Brumo\Settings]' "${lines[@]}" >"$WORK/settings.reg"
    wine regedit /S "$(winpath "$WORK/settings.reg")" >>"$WORK/reg.log" 2>&1 </dev/null ||
        die "wine regedit did not store the settings (see reg.log)"
}

# paint_desktop: fills the X root window, which the saver copies as the desktop.
paint_desktop() {
    convert -size "${SCREEN_WIDTH}x${SCREEN_HEIGHT}" "xc:$DESKTOP_COLOUR" "$WORK/desktop.png"
    display -window root "$WORK/desktop.png" >/dev/null 2>&1 || true  # fails even when it worked
    import -window root "$WORK/desktop-check.png"
    [[ "$(count_pixels "$WORK/desktop-check.png" "$SCREEN" "$DESKTOP_COLOUR")" == \
        $((SCREEN_WIDTH * SCREEN_HEIGHT)) ]] || die "could not paint the X root window"
}
# count_pixels FILE GEOMETRY COLOUR: pixels of the region WxH+X+Y in exactly #RRGGBB.
count_pixels() {
    convert "$1" -crop "$2" +repage -alpha off -depth 8 -format %c histogram:info:- |
        awk -v c="${3^^}" '{ for (i = 2; i <= NF; i++) if ($i == c) n += $1 } END { print n + 0 }'
}
count_white() { count_pixels "$1" "$2" "#FFFFFF"; }
# at_least PERCENT PART WHOLE
at_least() { (($2 * 100 >= $3 * $1)); }
# mean_near FILE #RRGGBB [GEOMETRY]: the mean colour of the picture, or of its
# region WxH+X+Y, is within 12 of the colour in every channel.
mean_near() {
    local got want=${2#\#} i
    read -r -a got < <(convert "$1" -crop "${3:-100%}" +repage -alpha off \
        -format '%[fx:round(mean.r*255)] %[fx:round(mean.g*255)] %[fx:round(mean.b*255)]\n' info:)
    for i in 0 1 2; do (((got[i] - 16#${want:2*i:2}) ** 2 <= 144)) || return 1; done
}

# run_saver NAME MS SWITCH...: starts brumo.scr, waits (bounded) for its
# window to show, lets it run MS milliseconds from then, takes $WORK/NAME.png.
# Leaves SAVER (pid), SHOWN (ms) and the window facts in $WORK/NAME-window.txt.
run_saver() {
    local name=$1 ms=$2
    shift 2
    start "$name" "$SCR" "$@"
    SAVER=$PID
    helper "$WORK/$name-window.txt" find "$CAPTION" "$WINDOW_MS" ||
        die "$name: no visible window '$CAPTION' within $WINDOW_MS ms"
    SHOWN=$(now_ms)
    sleep_until "$SHOWN" "$ms"
    is_running "$SAVER" || die "$name: the saver ended by itself within $ms ms"
    import -window root "$WORK/$name.png"
}
# key_ends NAME: a key press ends the saver SAVER within KEY_EXIT_MS and
# leaves no saver window.
key_ends() {
    xdotool key space
    check "$1: a key press ends the saver within $KEY_EXIT_MS ms" wait_exit "$SAVER" "$KEY_EXIT_MS"
    check_eq "$1: no saver window is left" 0 "$(visible_windows)"
}
