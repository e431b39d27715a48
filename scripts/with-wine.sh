#!/usr/bin/env bash
# shellcheck disable=SC2317  # the clean-up functions run from traps
# Runs a command inside a throw-away Wine environment:
#   - a private X server (Xvfb, 1280x1024x24) on a free display number,
#   - a fresh WINEPREFIX under build/ (64-bit, initialised with wineboot,
#     windows not handed to a window manager: the display has none),
#   - quiet Wine (WINEDEBUG=-all), no USB/HID driver host, null ALSA device.
# DISPLAY, WINEPREFIX and the rest are exported, so the command and all its
# children (ctest, the end-to-end scripts) use this environment. Whatever way
# the command ends (success, failure, Ctrl-C, SIGTERM) the Wine server, the X
# server and the prefix are removed again. The exit code is the command's.
#
# Usage: scripts/with-wine.sh COMMAND [ARG...]
# BRUMO_WINE_SCREEN sets another screen (e.g. 1920x1080x24; the benchmarks use it).
set -euo pipefail

if [[ $# -eq 0 ]]; then
    echo "usage: $0 COMMAND [ARG...]" >&2
    exit 2
fi

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
readonly repo_root
readonly screen_geometry="${BRUMO_WINE_SCREEN:-1280x1024x24}"
readonly display_wait_tenths=100   # 10 s for Xvfb to answer
readonly xvfb_kill_wait_tenths=30

mkdir -p "$repo_root/build"
work_dir="$(mktemp -d "$repo_root/build/wineprefix.XXXXXX")"
readonly work_dir
xvfb_pid=""
cmd_pid=""

# Ends a process and all of its descendants, by process id.
kill_tree() {
    local pid=$1 child
    for child in $(pgrep -P "$pid" 2>/dev/null || true); do
        kill_tree "$child"
    done
    kill -TERM "$pid" 2>/dev/null || true
}

cleanup() {
    local rc=$?
    trap - EXIT INT TERM HUP
    set +e
    if [[ -n "$cmd_pid" ]] && kill -0 "$cmd_pid" 2>/dev/null; then
        kill_tree "$cmd_pid"
        wait "$cmd_pid" 2>/dev/null
    fi
    if [[ -n "${WINEPREFIX:-}" && -d "$WINEPREFIX" ]]; then
        wineserver -k >/dev/null 2>&1 </dev/null
        # -w returns once the server of this prefix has gone.
        timeout 20 wineserver -w >/dev/null 2>&1 </dev/null
    fi
    if [[ -n "$xvfb_pid" ]]; then
        kill -TERM "$xvfb_pid" 2>/dev/null
        for ((i = 0; i < xvfb_kill_wait_tenths; i++)); do
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work_dir"
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# --- X server -------------------------------------------------------------
# Xvfb picks a free display number itself and reports it through -displayfd.
display_file="$work_dir/display"
: >"$display_file"  # exists before the background Xvfb opens it
Xvfb -displayfd 3 -screen 0 "$screen_geometry" -nolisten tcp -noreset \
    3>"$display_file" >"$work_dir/xvfb.log" 2>&1 </dev/null &
xvfb_pid=$!
display_number=""
for ((i = 0; i < display_wait_tenths; i++)); do
    display_number="$(tr -dc '0-9' <"$display_file")"
    if [[ -n "$display_number" ]] && DISPLAY=":$display_number" xdpyinfo >/dev/null 2>&1; then
        break
    fi
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "with-wine: Xvfb did not start:" >&2
        cat "$work_dir/xvfb.log" >&2
        exit 1
    fi
    display_number=""
    sleep 0.1
done
if [[ -z "$display_number" ]]; then
    echo "with-wine: Xvfb did not answer within $((display_wait_tenths / 10)) s" >&2
    exit 1
fi

# --- Wine -----------------------------------------------------------------
export DISPLAY=":$display_number"
export WINEPREFIX="$work_dir/prefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winebus.sys,wineusb.sys,winehid.sys=d"
export ALSA_CONFIG_PATH="$repo_root/scripts/alsa-null.conf"
export BRUMO_WINE_ENV=1
mkdir -p "$WINEPREFIX"

# Wine's background processes inherit stdout/stderr; they go to a log file so
# that nothing waits on a pipe of ours. A persistent server keeps the prefix
# warm between the many short wine runs of the tests.
wine_log="$work_dir/wine.log"
wineserver -p >>"$wine_log" 2>&1 </dev/null
# No Mono/Gecko installer prompt during the first boot.
if ! WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mscoree,mshtml=" \
    wineboot -i >>"$wine_log" 2>&1 </dev/null; then
    echo "with-wine: wineboot failed:" >&2
    tail -n 20 "$wine_log" >&2
    exit 1
fi

# There is no window manager on the virtual display. Wine would still treat
# captioned and full-screen windows as "managed" and wait up to two seconds
# for a window manager on every map and unmap; unmanaged windows get their
# focus and stacking from Wine itself, as on Windows.
if ! wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    >>"$wine_log" 2>&1 </dev/null; then
    echo "with-wine: could not switch off managed windows" >&2
    exit 1
fi

echo "with-wine: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX" >&2

# The command runs in the background so that a signal reaches our trap at
# once; its standard input stays the caller's.
set +e
"$@" <&0 &
cmd_pid=$!
wait "$cmd_pid"
rc=$?
cmd_pid=""
set -e
exit "$rc"
