#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Read-aloud pressed as an impatient pupil presses it, with the real sound server and the real
# speech module: on the Other Planets quiz, its Key Facts pages and the teachers' guide, 120 steps
# each from a fixed seed, every step one of R, R twice quickly, Next and Previous, at gaps from
# a few milliseconds to past the end of a sentence. The program must be alive after every step,
# must have spoken (the recording is not silence), and must end with status 0 through the menu's
# "Exit". QUILLMOOR_SOAK_STEPS changes the number of steps.
BIN=${1:?usage: readaloud.sh PATH-TO-quillmoor}
. "$(dirname "$0")/lib.sh"
e2e_need_display
pactl list short sinks 2>/dev/null | grep -q nullsink || { echo "no sound server with a null sink: skipped"; exit 77; }
[ -e "$(dirname "$BIN")/../lib/quillmoor/libquillmoor-speech.so" ] || { echo "no speech module: skipped"; exit 77; }
E2E_PULSE_SERVER="unix:$(pactl info | awk -F': ' '/^Server String/ {print $2}')"
STEPS=${QUILLMOOR_SOAK_STEPS:-120}

e2e_start_to_menu readaloud
REC=""
trap 'kill $APP_PID $REC 2>/dev/null; rm -rf "$E2E_HOME"' EXIT
alive() { kill -0 "$APP_PID" 2>/dev/null || { wait "$APP_PID"; e2e_fail "the program died (status $?) at $1"; }; }

# soak NAME SEED PREVIOUS NEXT LAST: random steps on the screen on show, whose Previous and Next
# buttons are those of E2E_AT; with LAST set, Next is never pressed on that question (it would
# end the quiz), and Previous never on the first.
soak() {
    local name=$1 previous=${E2E_AT[$3]} next=${E2E_AT[$4]} last=${5:-} at=1 step gap
    RANDOM=$2
    for step in $(seq "$STEPS"); do
        case $((RANDOM % 4)) in
            0) xdotool key r ;;
            1) xdotool key r; sleep 0.0$((RANDOM % 10)); xdotool key r ;;
            2) if [ -z "$last" ] || [ "$at" -lt "$last" ]; then
                   e2e_at_point "$mx" "$my" "$next"; at=$((at + 1))
               fi ;;
            3) if [ -z "$last" ] || [ "$at" -gt 1 ]; then
                   e2e_at_point "$mx" "$my" "$previous"; at=$((at - 1))
               fi ;;
        esac
        # Mostly quick, now and then long enough for a sentence to finish on its own.
        gap=$((RANDOM % 10))
        if [ "$gap" -eq 0 ]; then sleep 2; else sleep "0.$((RANDOM % 40 + 2))"; fi
        alive "step $step on $name"
    done
    echo "readaloud: $STEPS steps on $name, still running"
}

xdotool mousemove $((mx + 400)) $((my + 300))
e2e_listen "$E2E_ARTIFACTS/readaloud-soak.wav"
e2e_press "Other Planets" 1.5
e2e_press "Multiple Choice" 1.5
soak quiz 31 Previous Next 10
e2e_press Exit 1
e2e_press "Key Facts" 1.5
soak "Key Facts" 47 "Previous Page" "Next Page"
e2e_press Exit 1
e2e_press Exit 1  # the hub: back to the menu
e2e_press "Teachers' Guide" 1.5
soak guide 59 "Previous Page" "Next Page"
e2e_press Exit 1
e2e_heard "$E2E_ARTIFACTS/readaloud-soak.wav" 0.05 || e2e_fail "read-aloud was never heard"
REC=""

e2e_menu_shows || e2e_fail "not back at the menu"
e2e_press Exit 1
e2e_title_at || e2e_fail "no exit screen"
e2e_press_at "$tx" "$ty" "title Exit"
e2e_exits_with 0 10
echo "readaloud: the program ended with status 0"
