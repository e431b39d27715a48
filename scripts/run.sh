#!/usr/bin/env bash
# Builds brumo.scr (win64) and starts it as a full-screen saver under Wine.
#   - With a working $DISPLAY: runs on that display in a throw-away Wine
#     prefix until the saver ends (press a key or move the mouse).
#   - Without one: runs in a virtual X server (scripts/with-wine.sh) over a
#     drawn desktop, saves a screenshot after about ten seconds to
#     out/brumo.png, then ends the saver with a key press.
set -euo pipefail

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
readonly repo_root
readonly saver="$repo_root/build/win64/brumo.scr"
readonly screenshot="$repo_root/out/brumo.png"
readonly snow_seconds=10
readonly exit_wait_tenths=50
readonly screen_size=1280x1024

# --- headless: inside with-wine.sh ----------------------------------------------
# A desktop for the saver to copy: a dusk gradient, two "windows" and a column
# of "icons", in colours that are never pure white (white is the snow).
draw_desktop() {
    local image=$1
    convert -size "$screen_size" gradient:'#2b5876-#4e4376' \
        -fill '#1f2a44' -draw 'roundrectangle 380,180 1010,640 10,10' \
        -fill '#3a6ea5' -draw 'rectangle 380,180 1010,214' \
        -fill '#6d8299' -draw 'rectangle 392,226 998,628' \
        -fill '#a9bccf' -draw 'rectangle 410,250 760,262' \
        -fill '#a9bccf' -draw 'rectangle 410,280 900,292' \
        -fill '#a9bccf' -draw 'rectangle 410,310 820,322' \
        -fill '#2e3b2f' -draw 'roundrectangle 640,520 1180,900 10,10' \
        -fill '#5b8c5a' -draw 'rectangle 640,520 1180,554' \
        -fill '#7f9a73' -draw 'rectangle 652,566 1168,888' \
        -fill '#e0a84e' -draw 'roundrectangle 40,40 88,88 6,6' \
        -fill '#d0604d' -draw 'roundrectangle 40,140 88,188 6,6' \
        -fill '#6fb07f' -draw 'roundrectangle 40,240 88,288 6,6' \
        -fill '#7f8fd0' -draw 'roundrectangle 40,340 88,388 6,6' \
        -fill '#202830' -draw "rectangle 0,984 1280,1024" \
        "$image"
}

run_headless() {
    local desktop="$repo_root/out/desktop.png" log="$repo_root/out/brumo-run.log" pid i
    mkdir -p "$repo_root/out"
    draw_desktop "$desktop"
    # display sets the root background and then reports a failure status.
    display -window root "$desktop" >/dev/null 2>&1 || true

    wine "$saver" /s >"$log" 2>&1 </dev/null &
    pid=$!
    echo "run: brumo.scr /s started in the virtual X server; screenshot in $snow_seconds s"
    sleep "$snow_seconds"
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "run: brumo.scr ended by itself; its output is in $log" >&2
        import -window root "$screenshot"
        return 1
    fi
    import -window root "$screenshot"
    echo "run: screenshot saved to $screenshot"
    xdotool key space
    for ((i = 0; i < exit_wait_tenths; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "run: brumo.scr did not end after a key press; stopping it" >&2
        kill "$pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
    echo "run: brumo.scr ended"
}

if [[ "${1:-}" == "--headless" ]]; then
    run_headless
    exit
fi

# --- entry --------------------------------------------------------------------------
"$repo_root/scripts/install-deps.sh"
"$repo_root/scripts/build-preset.sh" win64 brumo

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
    # On the user's display, in a prefix of its own that goes away afterwards.
    mkdir -p "$repo_root/build"
    WINEPREFIX="$(mktemp -d "$repo_root/build/wineprefix-run.XXXXXX")"
    export WINEPREFIX
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="winebus.sys,wineusb.sys,winehid.sys=d"
    cleanup() {
        wineserver -k >/dev/null 2>&1 </dev/null || true
        timeout 20 wineserver -w >/dev/null 2>&1 </dev/null || true
        rm -rf "$WINEPREFIX"
    }
    trap cleanup EXIT
    mkdir -p "$repo_root/out"
    log="$repo_root/out/brumo-run.log"
    echo "run: preparing a Wine prefix (about 15 s)"
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mscoree,mshtml=" \
        wineboot -i >"$log" 2>&1 </dev/null
    echo "run: brumo.scr /s on $DISPLAY; press a key to end it"
    wine "$saver" /s >>"$log" 2>&1 </dev/null
else
    "$repo_root/scripts/with-wine.sh" "$0" --headless
fi
