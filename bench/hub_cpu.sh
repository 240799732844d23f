#!/bin/bash
# CPU used by the real program with the "Other Planets" hub open, over 20 s under Xvfb, as a
# share of one core. Usage: bench/hub_cpu.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
. scripts/services.sh
start_services >/dev/null
trap 'kill $pid 2>/dev/null; stop_services' EXIT
. tests/e2e/lib.sh
export XDG_DATA_HOME=$(mktemp -d)
"$build/bin/quillmoor" >/dev/null 2>&1 &
pid=$!
APP_PID=$pid
pos=$(e2e_screen 364 438)
read -r tx ty <<<"$pos"
e2e_click $(( tx + 132 )) $(( ty + 412 ))
pos=$(e2e_screen 800 600)
read -r mx my <<<"$pos"
e2e_click $(( mx + 346 )) $(( my + 420 ))   # Other Planets
sleep 2
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
t0=$(ticks); sleep 20; t1=$(ticks)
awk -v d=$(( t1 - t0 )) -v hz="$hz" 'BEGIN{printf "CPU with the hub open: %.1f %% of one core over 20 s (goal: under 5 %%)\n", 100 * d / hz / 20}'
