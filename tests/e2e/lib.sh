# shellcheck shell=bash
# Shared helpers of the end-to-end tests: sourced by every tests/e2e/test_*.sh.
#
# The tests drive the real brumo.scr under Wine in the environment made by
# scripts/with-wine.sh (Xvfb display, throw-away prefix). ctest is started
# inside that environment by scripts/test.sh; a script started on its own
# re-runs itself inside a fresh one. Every Wine process a test starts is
# ended again when the script exits, however it exits.
#
# Environment: BRUMO_BIN, the win64 build folder with brumo.scr and
# tests/e2e_helper.exe (ctest sets it; by hand it defaults to build/win64).

set -euo pipefail

E2E_REPO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
E2E_NAME="$(basename "$0" .sh)"
readonly E2E_REPO_ROOT E2E_NAME

if [[ -z "${BRUMO_WINE_ENV:-}" ]]; then
    exec "$E2E_REPO_ROOT/scripts/with-wine.sh" bash "$0" "$@"
fi

: "${BRUMO_BIN:=$E2E_REPO_ROOT/build/win64}"
readonly SCR="$BRUMO_BIN/brumo.scr"
readonly HELPER="$BRUMO_BIN/tests/e2e_helper.exe"
# The saver window's caption, which also marks a running full-screen saver.
readonly SAVER_CAPTION="DivurUdididIriva"
readonly SCREEN_WIDTH=1280
readonly SCREEN_HEIGHT=1024
# A dark desktop colour: whatever is pure white on screen is snow.
readonly DESKTOP_COLOUR="#203A5C"

# Everything a test writes goes here (logs, screenshots, trace files).
readonly E2E_WORK="$BRUMO_BIN/e2e/$E2E_NAME"
rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK"

e2e_failures=0
e2e_started_pids=()

# --- reporting ------------------------------------------------------------------

note() { echo "[$E2E_NAME] $*"; }
pass() { echo "[$E2E_NAME] ok   - $*"; }
fail() {
    echo "[$E2E_NAME] FAIL - $*"
    e2e_failures=$((e2e_failures + 1))
}
# A failure after which the rest of the test makes no sense.
die() {
    fail "$*"
    exit 1
}
# check DESCRIPTION COMMAND...: passes when the command succeeds.
check() {
    local description=$1
    shift
    if "$@"; then pass "$description"; else fail "$description"; fi
}
# check_eq DESCRIPTION EXPECTED ACTUAL
check_eq() {
    if [[ "$2" == "$3" ]]; then
        pass "$1 ($3)"
    else
        fail "$1: expected '$2', got '$3'"
    fi
}
# Ends the test with the verdict; call it as the last line of a test.
finish() {
    if ((e2e_failures > 0)); then
        note "$e2e_failures check(s) failed; logs in $E2E_WORK"
        exit 1
    fi
    note "all checks passed"
    exit 0
}

# --- preconditions ----------------------------------------------------------------

require_binaries() {
    [[ -f "$SCR" ]] || die "no $SCR: build the win64 preset first"
    [[ -f "$HELPER" ]] || die "no $HELPER: build the win64 preset first"
}

# --- time -------------------------------------------------------------------------

# Milliseconds since the epoch.
now_ms() {
    local t=${EPOCHREALTIME/[.,]/}
    echo $((t / 1000))
}

# sleep_until START_MS OFFSET_MS: sleeps until OFFSET_MS after START_MS.
sleep_until() {
    local remaining=$(($1 + $2 - $(now_ms)))
    if ((remaining > 0)); then
        sleep "$((remaining / 1000)).$(printf '%03d' $((remaining % 1000)))"
    fi
}

# --- processes --------------------------------------------------------------------

# Ends a process and its descendants, by process id.
kill_tree() {
    local pid=$1 signal=$2 child
    for child in $(pgrep -P "$pid" 2>/dev/null || true); do
        kill_tree "$child" "$signal"
    done
    kill "-$signal" "$pid" 2>/dev/null || true
}

e2e_cleanup() {
    local rc=$? pid
    trap - EXIT
    set +e
    for pid in "${e2e_started_pids[@]}"; do
        kill -0 "$pid" 2>/dev/null || continue
        note "cleanup: ending process $pid"
        kill_tree "$pid" TERM
        for _ in 1 2 3 4 5 6 7 8 9 10; do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -0 "$pid" 2>/dev/null && kill_tree "$pid" KILL
        wait "$pid" 2>/dev/null
    done
    exit "$rc"
}
trap e2e_cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# start_wine NAME PROGRAM ARG...: starts a Windows program in the background,
# output to $E2E_WORK/NAME.log; its process id is left in STARTED_PID.
# Wine's helper processes inherit the output, so it never goes to a pipe.
start_wine() {
    local name=$1
    shift
    wine "$@" >"$E2E_WORK/$name.log" 2>&1 </dev/null &
    STARTED_PID=$!
    e2e_started_pids+=("$STARTED_PID")
}

# start_scr NAME SWITCH...: starts brumo.scr with the given switches.
start_scr() {
    local name=$1
    shift
    start_wine "$name" "$SCR" "$@"
    note "started brumo.scr $* (pid $STARTED_PID)"
}

# wait_exit PID TIMEOUT_MS: true when the process has ended within the time.
wait_exit() {
    local pid=$1 deadline=$(($(now_ms) + $2))
    while kill -0 "$pid" 2>/dev/null; do
        (($(now_ms) < deadline)) || return 1
        sleep 0.05
    done
    return 0
}

is_running() { kill -0 "$1" 2>/dev/null; }

# --- the helper program -------------------------------------------------------------

# helper OUTFILE SUBCOMMAND ARG...: runs e2e_helper.exe to completion, its
# output in OUTFILE (the file, not a pipe: see start_wine). Returns its code.
helper() {
    local out=$1
    shift
    wine "$HELPER" "$@" >"$out" 2>"$out.err" </dev/null
}

# value_of FILE KEY: the text after "KEY " on the first such line of FILE.
value_of() {
    sed -n "s/^$2 //p" "$1" | head -n 1 | tr -d '\r'
}

# next_log NAME: a fresh file under the work folder, named in time order
# (callers run in command substitutions, so no counter would survive).
next_log() {
    mktemp "$E2E_WORK/$(now_ms)-$1-XXXX.txt"
}

# find_saver_windows KEY: "count" or "count-visible" of the top-level windows
# that carry the saver's caption.
find_saver_windows() {
    local out
    out=$(next_log find)
    helper "$out" find "$SAVER_CAPTION" || true
    value_of "$out" "$1"
}
saver_window_count() { find_saver_windows count; }
visible_saver_window_count() { find_saver_windows count-visible; }

# wait_saver_window TIMEOUT_MS: waits for the saver's window; the facts of
# the first one (count, rect, topmost, visible) are left in the file named
# by WINDOW_FACTS. True when a window came.
wait_saver_window() {
    WINDOW_FACTS=$(next_log wait-find)
    helper "$WINDOW_FACTS" wait-find "$SAVER_CAPTION" "$1"
}

# Windows path of a Linux file.
windows_path() { winepath -w "$1" 2>/dev/null; }

# --- the screen ------------------------------------------------------------------------

# paint_desktop: fills the X root window (what the saver captures as the
# desktop) with DESKTOP_COLOUR.
paint_desktop() {
    local image="$E2E_WORK/desktop.png"
    local probe="$E2E_WORK/desktop-check.png"
    convert -size "${SCREEN_WIDTH}x${SCREEN_HEIGHT}" "xc:$DESKTOP_COLOUR" "$image"
    # display reports a failure status after setting the root background;
    # whether it worked is checked on the screen itself.
    display -window root "$image" >"$E2E_WORK/display.log" 2>&1 || true
    screenshot "$probe"
    [[ "$(count_pixels "$probe" "${SCREEN_WIDTH}x${SCREEN_HEIGHT}+0+0" "$DESKTOP_COLOUR")" == \
        $((SCREEN_WIDTH * SCREEN_HEIGHT)) ]] || die "could not paint the X root window"
}

# screenshot FILE: the whole X screen.
screenshot() { import -window root "$1"; }

# count_pixels FILE GEOMETRY COLOUR: how many pixels of the region
# GEOMETRY (WxH+X+Y) have exactly the colour COLOUR (#RRGGBB).
count_pixels() {
    local colour
    colour=$(echo "$3" | tr '[:lower:]' '[:upper:]')
    convert "$1" -crop "$2" +repage -alpha off -depth 8 -format %c histogram:info:- |
        awk -v c="$colour" '{ for (i = 2; i <= NF; i++) if ($i == c) n += $1 } END { print n + 0 }'
}

count_white() { count_pixels "$1" "$2" "#FFFFFF"; }

# --- input -----------------------------------------------------------------------------

send_key() { xdotool key "$1"; }
move_mouse() { xdotool mousemove "$1" "$2"; }
click_at() { xdotool mousemove "$1" "$2" click 1; }

# --- settings --------------------------------------------------------------------------

# use_test_settings: stores the saver settings of the tests: 200 (201 flakes)
# opaque white 2x2 blocks at 20 frames per second, no music, no icon ledges.
use_test_settings() {
    local reg="$E2E_WORK/settings.reg"
    printf '%s\r\n' \
        'REGEDIT4' '' \
        '[HKEY_CURRENT_USER\Software\Merelan\Brumo\Settings]' \
        '"Language"="2"' \
        '"SnowballColor"="16777215"' \
        '"SnowballType"="7"' \
        '"SnowballSize"="1"' \
        '"Transparency"="255"' \
        '"CountSnowballs"="200"' \
        '"Framerate"="20"' \
        '"Turbulence"="3"' \
        '"FallingDirection"="0"' \
        '"SnowOnIcons"="0"' \
        '"RestartMin"="15"' \
        '"BackgroundImageEnabled"="0"' \
        '"BackgroundSound"=""' \
        '"ShowFPS"="0"' \
        '"SnowAlwaysFromSky"="0"' >"$reg"
    wine regedit /S "$(windows_path "$reg")" >"$E2E_WORK/regedit.log" 2>&1 </dev/null
}

# The tests start from a screen without a saver window.
require_no_saver() {
    local count
    count=$(saver_window_count)
    [[ "$count" == 0 ]] || die "a window '$SAVER_CAPTION' exists before the test ($count)"
}

# store_setting NAME VALUE: one stored setting of the saver, as text.
store_setting() {
    wine reg add 'HKCU\Software\Merelan\Brumo\Settings' /v "$1" /t REG_SZ /d "$2" /f \
        >>"$E2E_WORK/settings.log" 2>&1 </dev/null
}

# raw_rgb PNG: the screenshot's pixels as raw 8-bit RGB beside it, for the
# helper's image checks; prints the raw file's name.
raw_rgb() {
    local raw="${1%.png}.rgb"
    convert "$1" -alpha off -depth 8 "rgb:$raw"
    echo "$raw"
}
