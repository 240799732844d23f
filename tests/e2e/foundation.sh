#!/bin/bash
# The real program under Xvfb: the title screen appears centred with its picture, "OK" shows the
# menu with its window colour, the menu's "Exit" and then the title screen's "Exit" end the program
# with status 0. With an audio server, the click of "OK" is captured and is not silence; without
# one the same run still passes.
BIN=${1:?usage: foundation.sh PATH-TO-quillmoor}
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$(mktemp -d)}
mkdir -p "$E2E_ARTIFACTS"
DW=$(xwininfo -root | awk '/^  Width/{print $2}')
DH=$(xwininfo -root | awk '/^  Height/{print $2}')

run_once() {  # $1: "audio" or "silent"
    local mode=$1 home rec=""
    home=$(mktemp -d)
    if [ "$mode" = silent ]; then
        env XDG_DATA_HOME="$home" PULSE_SERVER=unix:/nonexistent/pulse "$BIN" >"$E2E_ARTIFACTS/$mode.log" 2>&1 &
    else
        env XDG_DATA_HOME="$home" "$BIN" >"$E2E_ARTIFACTS/$mode.log" 2>&1 &
    fi
    APP_PID=$!

    local pos tx ty
    e2e_stage || e2e_fail "$mode: no stage"
    pos=$(e2e_screen 364 438) || e2e_fail "$mode: no title screen centred on the stage"
    read -r tx ty <<<"$pos"
    [ "$SW $SH" = "$DW $DH" ] || e2e_fail "$mode: the stage is $SW x $SH on a $DW x $DH display"
    sleep 0.3
    e2e_shot "$mode-title"
    # The picture box (300, 1200 twips) shows the icicles, not the screen's grey.
    local px
    px=$(e2e_pixel $(( tx + 20 + 160 )) $(( ty + 80 + 60 )))
    [ "$px" != "192,192,192" ] || e2e_fail "$mode: title picture missing"
    px=$(e2e_pixel $(( tx + 5 )) $(( ty + 300 )))
    [ "$px" = "192,192,192" ] || e2e_fail "$mode: title colour $px"

    if [ "$mode" = audio ]; then
        parecord --latency-msec=20 -d nullsink.monitor --file-format=wav "$E2E_ARTIFACTS/click-capture.wav" &
        rec=$!
        sleep 1.5
    fi
    e2e_click $(( tx + 88 + 44 )) $(( ty + 400 + 12 ))   # "OK"
    local mx my
    pos=$(e2e_screen 800 600) || e2e_fail "$mode: no menu centred on the stage"
    read -r mx my <<<"$pos"
    if [ -n "$rec" ]; then
        sleep 1.5
        kill -INT "$rec"; wait "$rec" 2>/dev/null
        local peak
        peak=$(sox "$E2E_ARTIFACTS/click-capture.wav" -n stat 2>&1 | awk '/Maximum amplitude/{print $3}')
        echo "captured click peak: $peak"
        awk -v p="$peak" 'BEGIN{exit !(p > 0.25)}' || e2e_fail "the click was not heard (peak $peak)"
    fi
    xdotool mousemove $(( mx + 400 )) $(( my + 380 ))
    sleep 0.3
    e2e_shot "$mode-menu"
    px=$(e2e_pixel $(( mx + 400 )) $(( my + 380 )))
    [ "$px" = "39,63,137" ] || e2e_fail "$mode: menu colour $px"

    e2e_click $(( mx + 704 + 41 )) $(( my + 528 + 16 ))   # the menu's "Exit"
    pos=$(e2e_screen 364 438) || e2e_fail "$mode: no exit screen"
    read -r tx ty <<<"$pos"
    sleep 0.3
    e2e_shot "$mode-exit-screen"
    e2e_click $(( tx + 184 + 44 )) $(( ty + 400 + 12 ))  # "Exit"
    local status
    status=$(e2e_wait_exit 10)
    [ "$status" = 0 ] || e2e_fail "$mode: exit status $status"
    [ -z "$(ls -A "$home")" ] || [ -d "$home/quillmoor" ] || e2e_fail "$mode: unexpected files in $home"
    rm -rf "$home"
    echo "$mode run: ok"
}

if pactl info >/dev/null 2>&1; then
    run_once audio
else
    echo "no audio server: the capture run is left out"
fi
run_once silent
echo "artefacts in $E2E_ARTIFACTS"
