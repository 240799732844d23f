#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program fitted to large displays, in one run: CPU of the "Other Planets" hub's animation over
# 20 s at 1920x1080 beside 1024x768, and start-up to the title's first paint (median of 10) at
# 1920x1080 beside 800x600. Each display is an X server of that size started here.
# Usage: bench/scale.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
bin="$build/bin/quillmoor"
. tests/e2e/lib.sh
export QUILLMOOR_SCALE=fit
export XDG_DATA_HOME=$(mktemp -d)
XPID=""; pid=""
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; [ -n "$XPID" ] && kill $XPID 2>/dev/null; rm -rf "$XDG_DATA_HOME"' EXIT

start_x() {
    local n=140
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${1}x${2}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    XPID=$!
    for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    export DISPLAY=":$n"
}
stop_x() { kill "$XPID"; wait "$XPID" 2>/dev/null || true; XPID=""; }
factor() { awk -v w="$1" -v h="$2" 'BEGIN { f = w / 800; if (h / 600 < f) f = h / 600; if (f < 1) f = 1; print f }'; }
P() { awk -v v="$1" -v f="$F" 'BEGIN { printf "%d", v * f + 0.5 }'; }

hub_cpu() {  # W H: % of one core with the hub open for 20 s
    start_x "$1" "$2"; F=$(factor "$1" "$2")
    "$bin" >/dev/null 2>&1 &
    pid=$!; APP_PID=$pid
    e2e_stage
    sleep 2
    local tx=$(( (SW - $(P 364)) / 2 )) ty=$(( (SH - $(P 438)) / 2 ))
    e2e_click $(( tx + $(P 132) )) $(( ty + $(P 412) )); sleep 1.5
    local mx=$(( (SW - $(P 800)) / 2 )) my=$(( (SH - $(P 600)) / 2 ))
    e2e_click $(( mx + $(P 346) )) $(( my + $(P 420) )); sleep 2   # Other Planets
    local t0 t1
    t0=$(awk '{print $14 + $15}' "/proc/$pid/stat"); sleep 20; t1=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    e2e_shot_dir=${BENCH_SHOTS:-}; [ -n "$e2e_shot_dir" ] && import -window root "$e2e_shot_dir/hub-$1.png"
    kill $pid; wait $pid 2>/dev/null || true; pid=""
    stop_x
    awk -v d=$(( t1 - t0 )) -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.1f", 100 * d / hz / 20 }'
}

startup_ms() {  # W H: median of 10 launches to the title's first paint
    start_x "$1" "$2"
    local i t0 paint times=()
    QUILLMOOR_EXIT_AFTER_FIRST_PAINT=1 "$bin" >/dev/null 2>&1 || true
    for i in $(seq 10); do
        t0=$(date +%s%N)
        paint=$(QUILLMOOR_EXIT_AFTER_FIRST_PAINT=1 "$bin" 2>/dev/null | awk '/^first-paint/{print $2}')
        times+=($(( paint - t0 / 1000 )))
    done
    stop_x
    printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END{printf "%.1f", (a[5]+a[6])/2/1000}'
}

small=$(hub_cpu 1024 768); large=$(hub_cpu 1920 1080)
echo "hub animation CPU over 20 s: $small % at 1024x768 (factor 1.28), $large % at 1920x1080 (factor 1.8); goal at most 5 %"
s800=$(startup_ms 800 600); s1920=$(startup_ms 1920 1080)
echo "start-up to the title's first paint: $s800 ms at 800x600, $s1920 ms at 1920x1080 (median of 10)"
