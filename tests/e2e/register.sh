#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The class register through the real program, driven as a teacher and two pupils would (buttons
# pressed and read on the accessibility bus, keys and the quiz's answers through X): a PIN chosen,
# a class made and three names pasted (one twice); Ann takes the planets quiz with two wrong, Ben
# with one wrong and the program is killed (-9) as soon as his score shows. `--export-results`
# then holds both attempts; after a restart, the room's summary printed through the tests' print
# server is one page with them all. Then the register's file is overwritten with rubbish: a quiz
# still runs, the teacher is told only on pressing "Class Register", and the program then ends
# with status 0. (The room's table, charts and export, the picker's order and an activity kept for
# its pupil are checked on the screens: tst_room, tst_classroom.) (Names are made up.)
BIN=${1:?usage: register.sh PATH-TO-quillmoor}
. "$(dirname "$0")/lib.sh"
e2e_need_display
e2e_on_atspi_bus "$@"
e2e_read_bank
E2E_ARTIFACTS=$E2E_ARTIFACTS/register
mkdir -p "$E2E_ARTIFACTS"
e2e_fail() { e2e_shot failure; echo "FAIL: $*" >&2; exit 1; }
start() {  # start LOGNAME: the program to its menu, keeping the teacher's folder after the first
    e2e_start_to_menu "$1"
    E2E_KEEP_HOME=1
    trap 'kill -9 $APP_PID 2>/dev/null; kill $ATSPI_PID 2>/dev/null; rm -rf "$E2E_HOME"' EXIT
    walk wait-text "Class Register" || e2e_fail "$1: the menu is not on the accessibility bus"
}
register_csv() { XDG_DATA_HOME="$E2E_HOME" XDG_CONFIG_DIRS="$E2E_HOME/no-school" "$BIN" --export-results "$1" || e2e_fail "--export-results failed"; }
PIN=2468

# The teacher: a PIN chosen (typed twice), a class made, three names pasted in.
start register
press "Class Register"
walk wait-part "Choose a teacher's PIN" || e2e_fail "no PIN to choose on first use"
xdotool type --delay 30 "$PIN"; xdotool key Return
xdotool type --delay 30 "$PIN"; xdotool key Return
walk wait-text "New Class" || e2e_fail "the PIN did not open the teacher's room"
press "New Class" 0.5
xdotool key ctrl+a; xdotool type --delay 20 "Class 4B"; xdotool key Return
click_on text "New pupils' names, one a line"
for name in "Ann Lee" "Ben Ode" "Cal Roy" "Ben Ode"; do xdotool type --delay 20 "$name"; xdotool key Return; done
press "Add Names"
walk wait-text "3 names added; 1 already in the class." || e2e_fail "the names were not added"
xdotool key Return; sleep 0.5
e2e_press "the room's Exit"
e2e_menu_shows || e2e_fail "no menu after the teacher's room"

# The pupils.
quiz_as "Ann Lee" 3 6
walk wait-text "Good work. You have scored 8 out of 10." || e2e_fail "Ann's quiz did not score 8"
e2e_press Exit; e2e_press Exit                                   # the results, the hub
quiz_as "Ben Ode" 9
walk wait-text "Good work. You have scored 9 out of 10." || e2e_fail "Ben's quiz did not score 9"
kill -9 "$APP_PID"; wait "$APP_PID" 2>/dev/null

register_csv "$E2E_ARTIFACTS/command.csv"
rows=$(tail -n +2 "$E2E_ARTIFACTS/command.csv" | cut -d, -f2-7 | sort)
cat >"$E2E_ARTIFACTS/expected-rows" <<'EOF'
"Class 4B","Ann Lee","Other Planets: Multiple Choice","8","10","3 6"
"Class 4B","Ben Ode","Other Planets: Multiple Choice","9","10","9"
EOF
[ "$rows" = "$(cat "$E2E_ARTIFACTS/expected-rows")" ] \
    || e2e_fail "the register holds, after kill -9: $(printf '\n%s' "$rows")"

# The teacher again, after the crash: the summary on the tests' capturing printer (when there is
# one): one page, every pupil and score on it, nothing past its edges.
if [ -n "${QUILLMOOR_PRINT_SPOOL:-}" ] && lpstat -d 2>/dev/null | grep -q CAPTURE; then
    start register-again
    press "Class Register"
    walk wait-text "Type the teacher's PIN." || e2e_fail "no PIN asked the second time"
    xdotool type --delay 30 "$PIN"; xdotool key Return
    walk wait-text "New Class" || e2e_fail "the PIN did not open the teacher's room"
    click_on "page tab" "Results"
    before=$(find "$QUILLMOOR_PRINT_SPOOL" -name '*.pdf' | wc -l)
    press "Print Summary" 1
    walk wait-text "Your summary is now printing." || e2e_fail "no word that the summary is printing"
    xdotool key Return
    for _ in $(seq 200); do [ "$(find "$QUILLMOOR_PRINT_SPOOL" -name '*.pdf' | wc -l)" -gt "$before" ] && break; sleep 0.1; done
    pdf=$(ls -t "$QUILLMOOR_PRINT_SPOOL"/*.pdf 2>/dev/null | head -1)
    [ -n "$pdf" ] || e2e_fail "the summary did not reach the printer"
    cp "$pdf" "$E2E_ARTIFACTS/summary.pdf"
    pdftotext -bbox "$E2E_ARTIFACTS/summary.pdf" "$E2E_ARTIFACTS/summary.html"
    [ "$(pdfinfo "$E2E_ARTIFACTS/summary.pdf" | awk '/^Pages:/{print $2}')" = 1 ] || e2e_fail "the summary is not one page"
    for word in 4B Ann Ben Cal 8/10 9/10; do
        grep -q ">$word<" "$E2E_ARTIFACTS/summary.html" || e2e_fail "the printed summary lacks \"$word\""
    done
    read -r pw ph < <(pdfinfo "$E2E_ARTIFACTS/summary.pdf" | awk '/^Page size:/{print $3, $5}')
    awk -v w="$pw" -v h="$ph" -F'"' '/<word / { if ($2 < 0 || $4 < 0 || $6 > w || $8 > h) bad++ } END { exit bad > 0 }' \
        "$E2E_ARTIFACTS/summary.html" || e2e_fail "the printed summary runs past its page"
    echo "register: the summary printed on one page"
    kill "$APP_PID"; wait "$APP_PID" 2>/dev/null
else
    echo "register: no capturing print server, the summary is not printed"
fi

# A register overwritten with rubbish: the quiz runs, with no picker, and the teacher is told.
head -c 20000 /dev/urandom >"$E2E_HOME/quillmoor/register.sqlite"
rm -f "$E2E_HOME/quillmoor/register.sqlite-wal" "$E2E_HOME/quillmoor/register.sqlite-shm"
start register-damaged
e2e_press "Other Planets" 1
e2e_press "Multiple Choice" 1
QUESTION1=$(tr -d '\r' <"$BANK" | sed -n 3p | sed 's/^"//; s/"$//')
walk wait-text "$QUESTION1" || e2e_fail "the quiz does not run beside a damaged register"
e2e_read_bank
e2e_answer_all
walk wait-text "Excellent work. You have scored 10 out of 10." || e2e_fail "the quiz beside a damaged register did not score"
e2e_press Exit; e2e_press Exit
press "Class Register"
walk wait-part "The class register was damaged" || e2e_fail "the teacher is not told of the damaged register"
# Leaving by the menu with a register open ends the program cleanly.
xdotool key Return; sleep 0.5                                    # the notice
walk wait-part "Choose a teacher's PIN" || e2e_fail "no PIN to choose for the fresh register"
xdotool key Escape; sleep 0.8
e2e_menu_shows || e2e_fail "no menu after the PIN pad's Exit"
e2e_press Exit 0
e2e_title_at || e2e_fail "no exit screen"
e2e_press_at "$tx" "$ty" "title Exit"
e2e_exits_with 0 10
echo "register: PIN, class, three names; three attempts kept across kill -9; damaged register told"
