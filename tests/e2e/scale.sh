#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The screens fitted to the display: on X servers of 800x600 (actual size), 1024x768, 1920x1080
# and 3840x2160, each started here, the title screen and the menu found at the scaled coordinates,
# a text edge on the menu as sharp as at actual size, an activity's labels dragged by the real
# mouse to full marks; then SIGTERM ends the program at once with status 0. (The factor and the
# screens' size for each display are tst_scale's conversion rows.)
BIN=${1:?usage: scale.sh PATH-TO-quillmoor}
command -v Xvfb >/dev/null || { echo "no Xvfb: skipped"; exit 77; }
# Its X servers are its own, without a window manager: once per test run is enough.
[ -z "${E2E_WM:-}" ] || { echo "under $E2E_WM: skipped (this test starts its own displays)"; exit 77; }
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$(mktemp -d)}/scale
. "$(dirname "$0")/lib.sh"
export QUILLMOOR_SCALE=fit
XPID=""
trap '[ -n "$XPID" ] && kill "$XPID" 2>/dev/null' EXIT

# start_x W H: an X server of that size of our own; sets DISPLAY and XPID
start_x() {
    local n=120
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${1}x${2}x24" -nolisten tcp -noreset >"$E2E_ARTIFACTS/xvfb-$1x$2.log" 2>&1 &
    XPID=$!
    for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    [ -S "/tmp/.X11-unix/X$n" ] || e2e_fail "Xvfb $1x$2 did not start"
    export DISPLAY=":$n"
}

# edge_contrast: the largest step in grey between neighbouring pixels across the menu's heading
edge_contrast() {
    local shot w h x y; shot=$(mktemp --suffix=.png); import -window root "$shot"
    read -r w h x y < <(e2e_rect "menu heading")
    /usr/bin/convert "$shot" -crop "${w}x$h+$x+$y" +repage \
        -colorspace gray \( +clone -roll +1+0 \) -compose difference -composite -format '%[fx:int(255*maxima)]' info:
    rm -f "$shot"
}

sharp1=""
for size in 800x600 1024x768 1920x1080 3840x2160; do
    W=${size%x*}; H=${size#*x}
    F=$(awk -v w="$W" -v h="$H" 'BEGIN { f = w / 800; if (h / 600 < f) f = h / 600; if (f < 1) f = 1; print f }')
    start_x "$W" "$H"
    e2e_start_to_menu "scale-$W"
    e2e_shot "menu-$W"
    sharp=$(edge_contrast)
    [ -n "$sharp1" ] || sharp1=$sharp
    echo "$size: factor $F, largest step across the heading's edge $sharp (at actual size $sharp1)"
    [ $(( sharp * 10 )) -ge $(( sharp1 * 8 )) ] || e2e_fail "$W: the heading is blurred ($sharp against $sharp1)"
    e2e_press "Measuring Temperature"
    e2e_press "Ordering Activity"
    e2e_drag_all
    e2e_shot "activity-done-$W"
    e2e_full_marks "$W activity"
    kill -TERM "$APP_PID"                                        # the desktop session ends:
    e2e_exits_with 0 5                                           # at once, as by "Exit"
    kill "$XPID"; wait "$XPID" 2>/dev/null; XPID=""
done
echo "scale: ok"
