#!/bin/bash
# The real program under Xvfb: a worksheet typed into the wizard (Enter between the boxes, the
# right answers ticked), saved into the teacher's folder and catalogued once, then found in the
# catalogue browser and run to full marks; SIGTERM then ends the program at once with status 0.
BIN=${1:?usage: authoring.sh PATH-TO-quillmoor}
. "$(dirname "$0")/lib.sh"
e2e_need_display
e2e_start_to_menu authoring
e2e_press "Multiple Choice Wizard"
e2e_press "title box" 0
xdotool type --delay 15 "Salt & Water"; xdotool key Return
for q in $(seq 10); do
    xdotool type --delay 5 "Question $q"; xdotool key Return
    for a in A B C D; do xdotool type --delay 5 "$a $q"; xdotool key Return; done
done
for q in $(seq 0 9); do                                          # tick answer A of each
    left=$(( q < 5 ? 120 : 6060 )); top=$(( 720 + (q % 5) * 1400 + 480 ))
    e2e_click $(( mx + left / 15 + 9 )) $(( my + top / 15 + 9 ))
done
e2e_shot wizard-filled
e2e_press "Save Worksheet" 1
xdotool key Return                                               # "Your worksheet has been saved."
sleep 0.5
FOLDER="$E2E_HOME/quillmoor/multiple"
[ -f "$FOLDER/Salt & Water.txt" ] || e2e_fail "the worksheet was not saved"
[ "$(cat "$FOLDER/track.txt")" = "$(printf ' 1 \r\nSalt & Water\r')" ] \
    || e2e_fail "the worksheet was not catalogued once: $(cat -A "$FOLDER/track.txt")"
e2e_press Exit 0.5                                               # the wizard: nothing unsaved
e2e_press "Worksheet Catalogue"
e2e_shot browser
e2e_press "first title"                                          # run it
RIGHT=(1 1 1 1 1 1 1 1 1 1)
e2e_answer_all
e2e_shot authoring-results
e2e_full_marks "the typed worksheet"
kill -TERM "$APP_PID"                                            # the desktop session ends
e2e_exits_with 0 5
echo "authoring: ok"
