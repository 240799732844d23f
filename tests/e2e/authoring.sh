#!/bin/bash
# The real program under Xvfb: a worksheet typed into the wizard (Enter between the boxes, the
# right answers ticked), saved, opened again with Edit and saved unchanged (one catalogue entry,
# the file byte for byte the same), then found in the catalogue browser and run to full marks.
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
e2e_click $(( mx + 472 + 106 )) $(( my + 528 + 16 ))              # Save Worksheet
sleep 1; xdotool key Return                                      # "Your worksheet has been saved."
sleep 0.5
FOLDER="$E2E_HOME/quillmoor/multiple"
one_entry() { [ "$(cat "$FOLDER/track.txt")" = "$(printf ' 1 \r\nSalt & Water\r')" ]; }
[ -f "$FOLDER/Salt & Water.txt" ] || e2e_fail "the worksheet was not saved"
one_entry || e2e_fail "the worksheet was not catalogued once: $(cat -A "$FOLDER/track.txt")"
cp "$FOLDER/Salt & Water.txt" "$E2E_ARTIFACTS/first-save.txt"
e2e_click $(( mx + 704 + 41 )) $(( my + 528 + 16 ))               # Exit the wizard
sleep 0.5
e2e_click $(( mx + 472 + 150 )) $(( my + 440 + 16 ))              # Worksheet Catalogue
sleep 0.8
e2e_shot browser
e2e_click $(( mx + 8 + 12 )) $(( my + 8 + 12 ))                   # tick "Edit Worksheet"
e2e_click $(( mx + 8 + 100 )) $(( my + 48 + 12 ))                 # the first title: edit it
sleep 0.8
e2e_shot wizard-edit
e2e_click $(( mx + 472 + 106 )) $(( my + 528 + 16 ))              # Save Worksheet, unchanged
sleep 1; xdotool key Return                                      # "Your worksheet has been saved."
sleep 0.5
cmp -s "$FOLDER/Salt & Water.txt" "$E2E_ARTIFACTS/first-save.txt" || e2e_fail "saved again from Edit, the file changed"
one_entry || e2e_fail "saved again from Edit, the catalogue changed: $(cat -A "$FOLDER/track.txt")"
[ "$(ls "$FOLDER" | grep -c '\.txt$')" = 2 ] || e2e_fail "a second worksheet file appeared: $(ls "$FOLDER")"
e2e_click $(( mx + 704 + 41 )) $(( my + 528 + 16 ))               # Exit the wizard: nothing unsaved
sleep 0.5
e2e_click $(( mx + 8 + 12 )) $(( my + 8 + 12 ))                   # untick "Edit Worksheet"
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
