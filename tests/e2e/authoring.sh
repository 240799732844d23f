#!/bin/bash
# The real program under Xvfb: a worksheet typed into the wizard (Enter between the boxes, the
# right answers ticked), saved, found in the catalogue browser and run as a quiz to full marks.
BIN=${1:?usage: authoring.sh PATH-TO-quillmoor}
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$(mktemp -d)}
mkdir -p "$E2E_ARTIFACTS"
e2e_start_to_menu authoring
e2e_click $(( mx + 472 + 150 )) $(( my + 384 + 16 ))             # Multiple Choice Wizard
sleep 0.8
e2e_click $(( mx + 540 + 126 )) $(( my + 7 + 12 ))                # the title box
xdotool type --delay 15 "Magnets"; xdotool key Return
for q in $(seq 10); do
    xdotool type --delay 5 "Question $q"; xdotool key Return
    for a in A B C D; do xdotool type --delay 5 "$a $q"; xdotool key Return; done
done
for q in $(seq 0 9); do                                          # tick answer A of each
    left=$(( q < 5 ? 120 : 6060 )); top=$(( 720 + (q % 5) * 1400 + 480 ))
    e2e_click $(( mx + left / 15 + 9 )) $(( my + top / 15 + 9 ))
done
e2e_shot wizard-filled
e2e_click $(( mx + 472 + 106 )) $(( my + 528 + 16 ))              # Save Worksheet
sleep 1; xdotool key Return                                      # "Your worksheet has been saved."
sleep 0.5
[ -f "$E2E_HOME/quillmoor/multiple/Magnets.txt" ] || e2e_fail "the worksheet was not saved"
grep -q 'Magnets' "$E2E_HOME/quillmoor/multiple/track.txt" || e2e_fail "the worksheet was not catalogued"
e2e_click $(( mx + 704 + 41 )) $(( my + 528 + 16 ))               # Exit the wizard
sleep 0.5
e2e_click $(( mx + 472 + 150 )) $(( my + 440 + 16 ))              # Worksheet Catalogue
sleep 0.8
e2e_shot browser
e2e_click $(( mx + 8 + 100 )) $(( my + 48 + 12 ))                 # the first title: run it
sleep 0.8
for q in $(seq 10); do
    e2e_click $(( mx + 160 + 120 )) $(( my + 360 + 17 ))          # answer A
    e2e_click $(( mx + 400 + 125 )) $(( my + 528 + 16 )); sleep 0.15
done
sleep 1
e2e_shot authoring-results
px=$(e2e_pixel $(( mx + 16 + 6 )) $(( my + 120 + 28 )))           # "Print Certificate": full marks
[ "$px" = "0,0,0" ] || e2e_fail "not full marks ($px)"
echo "authoring: ok"
