#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The quiz heard through a real screen reader: Orca with speech-dispatcher, whose output module
# writes each utterance to a file instead of a sound device, on a private session bus and
# accessibility bus, under Openbox. Keys only: the title screen's OK, the menu, "Other Planets",
# "Multiple Choice", three questions answered by arrows and digits, then Next to the results and
# the review. The spoken log must hold each question with its number, the answers' letters, the
# score and a wrong question in the review; never the hidden "No answer", nothing from a screen
# underneath, and no utterance twice in a row. Everything it starts lives in a temporary folder
# and is stopped by its PID.
BIN=${1:?usage: screenreader.sh PATH-TO-quillmoor}
. "$(dirname "$0")/lib.sh"
e2e_need_display
for tool in orca speech-dispatcher openbox dbus-daemon /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
e2e_read_bank
# With a sound server (the test command's null sink) the program's own voice is heard too.
SOUND=
if pactl list short sinks 2>/dev/null | grep -q nullsink; then
    E2E_PULSE_SERVER="unix:$(pactl info | awk -F': ' '/^Server String/ {print $2}')"
    export PULSE_SERVER=$E2E_PULSE_SERVER SOUND=1
fi

WORK=$(mktemp -d)
PIDS=()
cleanup() {
    local p
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null; done
    [ -n "${SD_PID:-}" ] && kill "$SD_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
export HOME=$WORK/home XDG_RUNTIME_DIR=$WORK/run XDG_CONFIG_HOME=$WORK/config XDG_CACHE_HOME=$WORK/cache
mkdir -p "$HOME" "$XDG_CONFIG_HOME/speech-dispatcher/modules" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
SPOKEN=$E2E_ARTIFACTS/spoken.txt
: >"$SPOKEN"

# Speech to a file: every utterance as the voice would say it, one a line.
echo "default_driver=null" >"$HOME/.libao"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<CONF
AddModule "textlog" "sd_generic" "textlog.conf"
DefaultModule textlog
DefaultLanguage "en"
AudioOutputMethod "libao"
SymbolsPreproc "char"
SymbolsPreprocFile "symbols.dic"
SymbolsPreprocFile "orca.dic"
SymbolsPreprocFile "orca-chars.dic"
CONF
cat >"$XDG_CONFIG_HOME/speech-dispatcher/modules/textlog.conf" <<CONF
GenericExecuteSynth "echo \'\$DATA\' >> $SPOKEN"
AddVoice "en" "MALE1" "textlog"
DefaultVoice "textlog"
GenericLanguage "en" "en" "utf-8"
CONF

bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) || e2e_fail "no session bus"
export DBUS_SESSION_BUS_ADDRESS=${bus%%$'\n'*}
PIDS+=("${bus##*$'\n'}")
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$E2E_ARTIFACTS/atspi-orca.log" 2>&1 &
PIDS+=($!)
if [ -z "${E2E_WM:-}" ]; then
    openbox --sm-disable >"$E2E_ARTIFACTS/openbox-orca.log" 2>&1 &
    PIDS+=($!)
fi
sleep 1

export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
e2e_start screenreader
PIDS+=("$APP_PID")
trap cleanup EXIT
orca --replace --debug-file="$E2E_ARTIFACTS/orca-debug.txt" >"$E2E_ARTIFACTS/orca.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 100); do grep -q "Screen reader on" "$SPOKEN" && break; sleep 0.1; done
grep -q "Screen reader on" "$SPOKEN" || e2e_fail "Orca did not start: $(tail -3 "$E2E_ARTIFACTS/orca.log")"
sleep 2

press() { xdotool key "$@"; sleep 1.3; }
press Return                       # the title screen's OK
# The menu: Tab to "Other Planets", the hub: Tab to "Multiple Choice".
tab_to() {
    local i
    for i in $(seq 12); do
        tail -3 "$SPOKEN" | grep -q "^$1" && return 0
        press Tab
    done
    e2e_fail "Tab never reached \"$1\""
}
tab_to "Other Planets"
press Return
tab_to "Multiple Choice"
press Return
sleep 1
mark=$(wc -l <"$SPOKEN")
press Down                         # question 1: the arrow chooses B
press Return                       # Enter on an answer chooses it
press Tab                          # to Next question
press Return
press 3                            # question 2: the digit chooses C
press Tab
press Return
press Down                         # question 3
press Tab
press Return
# Question 4: to the read-aloud button and press it: the reader names it once, and the
# program's own voice follows the reader's echo of the key.
tab_to "Read aloud"
[ -n "$SOUND" ] && e2e_listen "$E2E_ARTIFACTS/own-voice.wav"
press space
sleep 3
[ -z "$SOUND" ] || e2e_heard "$E2E_ARTIFACTS/own-voice.wav" 0.1 || e2e_fail "the program's own voice was not heard beside the reader"
press space                        # stops it
tab_to "Next question"
press Return
for q in $(seq 5 10); do press Tab; press Return; done   # the rest unanswered, then Check score
sleep 3
tab_to "Check Wrong Answers"
press Return
sleep 3
cp "$SPOKEN" "$E2E_ARTIFACTS/spoken-quiz.txt"
SPOKEN=$E2E_ARTIFACTS/spoken-quiz.txt
# A text of several sentences comes a sentence a line: the checks read it as one line.
JOINED=$(tr -d '\n' <"$SPOKEN")

q() { tr -d '\r' <"$BANK" | sed -n "$(( 3 + 7 * ($1 - 1) ))p" | sed 's/^"//; s/"$//; s/&/,/g'; }
for n in 1 2 3; do
    grep -qF "Question $n" "$SPOKEN" || e2e_fail "\"Question $n\" was never spoken"
    grep -qF "$(q "$n")" <<<"$JOINED" || e2e_fail "question $n (\"$(q "$n")\") was never spoken"
done
grep -qE "^B, " "$SPOKEN" || e2e_fail "no answer was spoken with its letter"
grep -qiE "1 of 4|2 of 4|3 of 4" "$SPOKEN" || e2e_fail "no answer was spoken with its place in the group"
grep -q "out of 10" "$SPOKEN" || e2e_fail "the score was not spoken"
grep -qF " 4. $(q 4)" <<<"$JOINED" || e2e_fail "the review's wrong question 4 was not spoken"
grep -qF "Read the Key Facts and try again." <<<"$JOINED" || e2e_fail "the review's advice was not spoken"
grep -qx "Read aloud push button." "$SPOKEN" || e2e_fail "the read-aloud button was not named"
! grep -qi "paren\|Read aloud (R)" "$SPOKEN" || e2e_fail "the read-aloud button's name was said twice"
! grep -qi "no answer" "$SPOKEN" || e2e_fail "the hidden \"No answer\" was spoken"
! grep -qi "Acknowledgments\|Ordering Activity" <(sed -n "$mark,\$p" "$SPOKEN") || e2e_fail "a screen underneath was spoken"
repeat=$(grep -v "^[a-z]* $" "$SPOKEN" | uniq -d | grep -v "^$" | head -1)  # key echoes aside
[ -z "$repeat" ] || e2e_fail "spoken twice in a row: \"$repeat\""
echo "screenreader: $(wc -l <"$SPOKEN") utterances; every question, answer letter, score and review heard"
