#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time of the real program to its first painted title screen, median of 20 runs under
# Xvfb, beside a minimal Qt Widgets window started the same way in the same run, and again with
# the class register on (a class of 30 pupils with 200 attempts each in the teacher's folder).
# With a second build folder (say a copy of the build before a change) that program is timed too,
# in the same session.
# Usage: bench/startup.sh [BUILD_DIR [BASELINE_BUILD_DIR]]   (builds nothing; run after a build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
baseline=${2:-}
. scripts/services.sh
start_services >/dev/null
trap stop_services EXIT
runs=20

median_ms() {  # command...: median in ms, over $runs runs, of the time from launch to first paint
    local i t0 paint times=()
    "$@" >/dev/null 2>&1 || true   # warm the caches once
    for i in $(seq $runs); do
        t0=$(date +%s%N)
        paint=$("$@" 2>/dev/null | awk '/^first-paint/{print $2}')
        [ -n "$paint" ] || { echo "no first paint from: $*" >&2; exit 1; }
        times+=($(( paint - t0 / 1000 )))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END{m=(NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2; printf "%.1f\n", m/1000}'
}

export XDG_DATA_HOME=$(mktemp -d)
minimal=$(median_ms "$build/bench/bench_minimal_window")
withtext=$(median_ms "$build/bench/bench_minimal_window" text)
program=$(median_ms env QUILLMOOR_EXIT_AFTER_FIRST_PAINT=1 "$build/bin/quillmoor")
[ -n "$baseline" ] && before=$(median_ms env QUILLMOOR_EXIT_AFTER_FIRST_PAINT=1 "$baseline/bin/quillmoor")
registered=$(mktemp -d)
"$build/bench/bench_register" --make "$registered"
withregister=$(XDG_DATA_HOME=$registered median_ms env QUILLMOOR_EXIT_AFTER_FIRST_PAINT=1 "$build/bin/quillmoor")
rm -rf "$XDG_DATA_HOME" "$registered"
echo "minimal Qt window: $minimal ms (median of $runs)"
echo "minimal Qt window with one line of text: $withtext ms (median of $runs)"
echo "quillmoor title screen: $program ms (median of $runs)"
awk -v on="$withregister" -v off="$program" \
    'BEGIN{printf "quillmoor title screen with the register on: %.1f ms, %.2f to it off\n", on, on/off}'
[ -n "$baseline" ] && awk -v a="$before" -v c="$withtext" \
    'BEGIN{printf "baseline title screen: %.1f ms, %.2f to the window with text\n", a, a/c}'
awk -v a="$program" -v b="$minimal" -v c="$withtext" \
    'BEGIN{printf "ratio: %.2f to the minimal window (goal: at most 1.30), %.2f to the one with text\n", a/b, a/c}'
