#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The class register through the real program, driven as a teacher and two pupils would (buttons
# pressed and read on the accessibility bus, keys and the quiz's answers through X): a PIN chosen,
# a class made and three names pasted (one twice); Ann takes the planets quiz with two wrong and
# does the ordering activity, Ben takes the quiz with one wrong and the program is killed (-9) as
# soon as his score shows. `--export-results` then holds all three attempts; after a restart the
# room's table shows exactly those scores, the question analysis the three questions missed, the
# room's export the same bytes as the command's, and its printed summary one page with them all.
# Then the register's file is overwritten with rubbish: a quiz still runs, the teacher is told on
# pressing "Class Register", and the program then ends with status 0. (Names are made up.)
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
e2e_shot room-pupils
e2e_click $(( mx + 742 )) $(( my + 560 )); sleep 0.8             # the room's Exit
e2e_menu_shows || e2e_fail "no menu after the teacher's room"

# The pupils.
quiz_as "Ann Lee" 3 6
walk wait-text "Good work. You have scored 8 out of 10." || e2e_fail "Ann's quiz did not score 8"
e2e_press Exit; e2e_press Exit                                   # the results, the hub
e2e_press "Measuring Temperature"
e2e_press "Ordering Activity"
walk wait-text "Who is doing this?" || e2e_fail "no name picker before the activity"
# The last pupil comes first: Ann is the picker's first name.
first=$(walk where "push button" "Ann Lee") || e2e_fail "Ann is not on the picker"
second=$(walk where "push button" "Ben Ode") || e2e_fail "Ben is not on the picker"
[ "${first#* }" -lt "${second#* }" ] || [ "${first% *}" -lt "${second% *}" ] || e2e_fail "the last pupil is not first"
press "Ann Lee" 1
e2e_drag_all
e2e_full_marks "Ann's ordering"
e2e_press Exit; e2e_press Exit; e2e_press Exit                   # the results, the activity, its hub
quiz_as "Ben Ode" 9
walk wait-text "Good work. You have scored 9 out of 10." || e2e_fail "Ben's quiz did not score 9"
kill -9 "$APP_PID"; wait "$APP_PID" 2>/dev/null

register_csv "$E2E_ARTIFACTS/command.csv"
rows=$(tail -n +2 "$E2E_ARTIFACTS/command.csv" | cut -d, -f2-7 | sort)
cat >"$E2E_ARTIFACTS/expected-rows" <<'EOF'
"Class 4B","Ann Lee","Measuring Temperature: Ordering Activity","8","8",""
"Class 4B","Ann Lee","Other Planets: Multiple Choice","8","10","3 6"
"Class 4B","Ben Ode","Other Planets: Multiple Choice","9","10","9"
EOF
[ "$rows" = "$(cat "$E2E_ARTIFACTS/expected-rows")" ] \
    || e2e_fail "the register holds, after kill -9: $(printf '\n%s' "$rows")"

# The teacher again, after the crash: the table, the question analysis, the room's export.
start register-again
press "Class Register"
walk wait-text "Type the teacher's PIN." || e2e_fail "no PIN asked the second time"
xdotool type --delay 30 "$PIN"; xdotool key Return
walk wait-text "New Class" || e2e_fail "the PIN did not open the teacher's room"
click_on "page tab" "Results"
walk table Results >"$E2E_ARTIFACTS/table.tsv" || e2e_fail "no results table"
e2e_shot room-results
grep -qx $'Ann Lee\t.*' "$E2E_ARTIFACTS/table.tsv" || e2e_fail "no row for Ann"
for want in "Ann Lee:Other Planets: Multiple Choice:8 out of 10" "Ann Lee:Measuring Temperature: Ordering Activity:8 out of 8" \
            "Ben Ode:Other Planets: Multiple Choice:9 out of 10" "Ben Ode:Measuring Temperature: Ordering Activity:Not done yet" \
            "Cal Roy:Other Planets: Multiple Choice:Not done yet"; do
    pupil=${want%%:*}; cell=${want##*:}; activity=${want#*:}; activity=${activity%:*}
    got=$(awk -F'\t' -v p="$pupil" -v a="$activity" 'NR == 1 { for (i = 2; i <= NF; i++) if ($i == a) c = i }
                                                     $1 == p { print $c }' "$E2E_ARTIFACTS/table.tsv")
    [ "$got" = "$cell" ] || e2e_fail "$pupil, $activity: the room shows \"$got\", not \"$cell\""
done
click_on "table cell" "9 out of 10"                              # Ben's quiz: its column
press "Question Analysis" 1
walk text "The chart's values" >"$E2E_ARTIFACTS/analysis.txt" || e2e_fail "no question analysis"
e2e_shot question-analysis
for q in $(seq 10); do
    case $q in 3|6|9) want="Question $q: 1 of 2 right" ;; *) want="Question $q: 2 of 2 right" ;; esac
    grep -qx "$want" "$E2E_ARTIFACTS/analysis.txt" || e2e_fail "the analysis lacks \"$want\": $(cat "$E2E_ARTIFACTS/analysis.txt")"
done
press Back
press "Export for a Spreadsheet..." 1.5
xdotool key ctrl+a; xdotool type --delay 10 "$E2E_ARTIFACTS/room.csv"; xdotool key Return
for _ in $(seq 30); do [ -s "$E2E_ARTIFACTS/room.csv" ] && break; sleep 0.2; done
sleep 0.5
cmp "$E2E_ARTIFACTS/room.csv" "$E2E_ARTIFACTS/command.csv" || e2e_fail "the room's export differs from --export-results"
# The summary on the tests' capturing printer (when there is one): one page, every pupil and
# score on it, nothing past its edges.
if [ -n "${QUILLMOOR_PRINT_SPOOL:-}" ] && lpstat -d 2>/dev/null | grep -q CAPTURE; then
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
    for word in 4B Ann Ben Cal 8/10 9/10 8/8; do
        grep -q ">$word<" "$E2E_ARTIFACTS/summary.html" || e2e_fail "the printed summary lacks \"$word\""
    done
    read -r pw ph < <(pdfinfo "$E2E_ARTIFACTS/summary.pdf" | awk '/^Page size:/{print $3, $5}')
    awk -v w="$pw" -v h="$ph" -F'"' '/<word / { if ($2 < 0 || $4 < 0 || $6 > w || $8 > h) bad++ } END { exit bad > 0 }' \
        "$E2E_ARTIFACTS/summary.html" || e2e_fail "the printed summary runs past its page"
    echo "register: the summary printed on one page"
else
    echo "register: no capturing print server, the summary is not printed"
fi
kill "$APP_PID"; wait "$APP_PID" 2>/dev/null

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
e2e_shot damaged-told
ls "$E2E_HOME"/quillmoor/register-damaged-*.sqlite >/dev/null 2>&1 || e2e_fail "the damaged register was not kept aside"
# Leaving by the menu with a register open ends the program cleanly.
xdotool key Return; sleep 0.5                                    # the notice
walk wait-part "Choose a teacher's PIN" || e2e_fail "no PIN to choose for the fresh register"
xdotool key Escape; sleep 0.8
e2e_menu_shows || e2e_fail "no menu after the PIN pad's Exit"
e2e_press Exit 0
e2e_title_at || e2e_fail "no exit screen"
e2e_click $(( tx + 228 )) $(( ty + 412 ))                        # Exit
e2e_exits_with 0 10
echo "register: PIN, class, three names; three attempts kept across kill -9; room, analysis and export agree; damaged register told"
