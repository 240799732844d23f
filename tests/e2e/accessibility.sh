#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on a private accessibility bus, walked as a screen reader walks it: the menu's
# "Other Planets" push button pressed through its AT-SPI action, then the hub's "Multiple Choice",
# and the quiz's first question is there to be read (that every control has a name, tst_access
# checks on each screen). With a sound server and the speech module, the quiz's "Read aloud",
# pressed the same way, is heard on the null sink: the recording is not silence. (Time to first
# sound is measured by bench/speech: the recorder's own start-up and buffering blur it by a second.)
BIN=${1:?usage: accessibility.sh PATH-TO-quillmoor}
. "$(dirname "$0")/lib.sh"
e2e_need_display
e2e_on_atspi_bus "$@"  # a session bus of our own, gone when the test ends
e2e_read_bank
QUESTION1=$(tr -d '\r' <"$BANK" | sed -n 3p | sed 's/^"//; s/"$//')
if pactl list short sinks 2>/dev/null | grep -q nullsink \
        && [ -e "$(dirname "$BIN")/../lib/quillmoor/libquillmoor-speech.so" ]; then
    E2E_PULSE_SERVER="unix:$(pactl info | awk -F': ' '/^Server String/ {print $2}')"
fi

REC=""
e2e_start_to_menu accessibility
trap 'kill $APP_PID $ATSPI_PID $REC 2>/dev/null; rm -rf "$E2E_HOME"' EXIT

walk press "Other Planets" || e2e_fail "no \"Other Planets\" push button"
walk press "Multiple Choice" || e2e_fail "no \"Multiple Choice\" push button"
walk wait-text "$QUESTION1" || e2e_fail "the quiz's question \"$QUESTION1\" is not exposed"
e2e_shot accessibility-quiz
echo "accessibility: pressed through AT-SPI to the quiz; question 1 exposed"
[ -n "${E2E_PULSE_SERVER:-}" ] || { echo "no null sink or no speech module: read-aloud is left out"; exit 0; }

walk wait-text "Read aloud" || e2e_fail "no read-aloud button: the speech engine did not start"
sleep 1.5  # the click of "Multiple Choice" is over before the recording starts
e2e_listen "$E2E_ARTIFACTS/readaloud.wav"
walk press "Read aloud" >/dev/null || e2e_fail "cannot press \"Read aloud\""
sleep 10  # the question and four answers take about 8 s to say; under load the engine may start late
e2e_heard "$E2E_ARTIFACTS/readaloud.wav" 0.05 || e2e_fail "read-aloud was silence"
# The question and its answers, not only the first sentence: still speaking 5 s after the press.
late=$(sox "$E2E_ARTIFACTS/readaloud.wav" -n trim 5 stat 2>&1 | awk '/Maximum amplitude/{print $3}')
awk -v p="${late:-0}" 'BEGIN{exit !(p > 0.05)}' || e2e_fail "read-aloud stopped after its first sentence (peak $late after 5 s)"
echo "accessibility: read-aloud on question 1 is heard"
