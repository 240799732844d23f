#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program as a native Wayland client: weston with its headless back end and no X display;
# the program starts on Wayland (its Wayland platform plugin is loaded), and weston's
# screenshooter shows the title screen centred on the stage, edge and all, on the backdrop.
BIN=${1:?usage: wayland.sh PATH-TO-quillmoor}
command -v weston >/dev/null && command -v weston-screenshooter >/dev/null || { echo "no weston: skipped"; exit 77; }
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$(mktemp -d)}/wayland
. "$(dirname "$0")/lib.sh"
W=1024; H=768
work=$(mktemp -d)
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
trap 'kill $APP_PID $WESTON_PID 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
APP_PID=""
weston --backend=headless-backend.so --use-pixman --width=$W --height=$H --socket=wl-e2e --debug --idle-time=0 \
    >"$E2E_ARTIFACTS/weston.log" 2>&1 &
WESTON_PID=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/wl-e2e" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/wl-e2e" ] || e2e_fail "weston did not start"

# A Wayland session as a desktop sets it up: no X display, no platform chosen for Qt.
env -u DISPLAY -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wl-e2e XDG_DATA_HOME="$work/home" XDG_CONFIG_DIRS="$work/no-school" \
    PULSE_SERVER=unix:/nonexistent/pulse "$BIN" >"$E2E_ARTIFACTS/quillmoor.log" 2>&1 &
APP_PID=$!

read -r tw th <<<"$E2E_TITLE_SIZE"
tx=$(( (W - tw) / 2 )); ty=$(( (H - th) / 2 ))
# Across the title's middle row: the left edge, its grey, the right edge, the backdrop both sides
# and in the corner where weston's own panel would be.
fx=""
for p in "$(( tx - 2 )),$(( ty + 300 ))" "$(( tx - 1 )),$(( ty + 300 ))" "$(( tx + 5 )),$(( ty + 300 ))" \
         "$(( tx + tw )),$(( ty + 300 ))" "$(( tx + tw + 1 )),$(( ty + 300 ))" "$(( tx - 10 )),$(( ty + 300 ))" "5,5"; do
    fx+="%[fx:int(255*p{$p}.r)],%[fx:int(255*p{$p}.g)],%[fx:int(255*p{$p}.b)] "
done
expected="$EDGE_OUTER $EDGE_INNER $TITLE_GREY $EDGE_INNER $EDGE_OUTER $BACKDROP_BLUE $BACKDROP_BLUE"
for _ in $(seq 50); do
    sleep 0.3
    kill -0 "$APP_PID" 2>/dev/null || e2e_fail "the program ended: $(tail -3 "$E2E_ARTIFACTS/quillmoor.log")"
    rm -f "$work"/wayland-screenshot-*.png
    (cd "$work" && WAYLAND_DISPLAY=wl-e2e timeout 10 weston-screenshooter >/dev/null 2>&1)
    shot=$(ls "$work"/wayland-screenshot-*.png 2>/dev/null | head -1)
    [ -n "$shot" ] || continue
    got=$(/usr/bin/convert "$shot" -format "$fx" info:)
    [ "${got% }" = "$expected" ] && break
done
cp "$shot" "$E2E_ARTIFACTS/title.png" 2>/dev/null
[ "${got% }" = "$expected" ] || e2e_fail "title screen not centred on the stage: $got"
grep -q libqwayland "/proc/$APP_PID/maps" || e2e_fail "the program is not a Wayland client"
echo "wayland: the title screen is centred on a $W x $H stage; ok"
