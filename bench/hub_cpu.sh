#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# CPU used by the real program under Xvfb, as a share of one core over 20 s each: the "Other
# Planets" hub in view, then the quiz open over it; at 1024 x 768 and at 1920 x 1080. With a second
# build folder (say a copy of the build before a change) both run in the same session, one after
# the other at each size, so a busy machine weighs on both alike.
# Usage: bench/hub_cpu.sh [BUILD_DIR [BASELINE_BUILD_DIR]]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
baseline=${2:-}
seconds=${HUB_CPU_SECONDS:-20}
. scripts/services.sh
. tests/e2e/lib.sh
hz=$(getconf CLK_TCK)
pid=""
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; stop_services' EXIT

ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
share() {  # CPU share of one core over $seconds s
    local t0 t1
    t0=$(ticks); sleep "$seconds"; t1=$(ticks)
    awk -v d=$(( t1 - t0 )) -v hz="$hz" -v s="$seconds" 'BEGIN{printf "%.2f", 100 * d / hz / s}'
}

measure() {  # LABEL BUILD SIZE: one run of the program through the hub and the quiz over it
    local label=$1 dir=$2 size=$3 pos tx ty mx my visible covered peak
    XDG_DATA_HOME=$(mktemp -d) "$dir/bin/quillmoor" >/dev/null 2>&1 &
    pid=$!
    APP_PID=$pid
    pos=$(e2e_screen 364 438); read -r tx ty <<<"$pos"
    e2e_click $(( tx + 132 )) $(( ty + 412 ))     # OK
    pos=$(e2e_screen 800 600); read -r mx my <<<"$pos"
    e2e_click $(( mx + 346 )) $(( my + 420 ))     # Other Planets
    xdotool mousemove 0 0; sleep 2
    visible=$(share)
    e2e_click $(( mx + 100 )) $(( my + 544 ))     # Multiple Choice
    xdotool mousemove 0 0; sleep 2
    covered=$(share)
    peak=$(awk '/^VmHWM/{printf "%.1f", $2 / 1024}' "/proc/$pid/status")
    kill "$pid"; wait "$pid" 2>/dev/null || true; pid=""
    printf '%-9s %-9s hub in view %6s %%   quiz over the hub %6s %%   peak memory %s MiB\n' "$size" "$label" "$visible" "$covered" "$peak"
}

echo "CPU, % of one core over $seconds s (goals: quiz over the hub <= 0.3 %; hub in view <= 3 % at 1024x768, <= 5 % at 1920x1080)"
for size in 1024x768 1920x1080; do
    QUILLMOOR_XVFB_SCREEN="${size}x24" start_services >/dev/null
    [ -n "$baseline" ] && measure baseline "$baseline" "$size"
    measure current "$build" "$size"
    stop_services
done
