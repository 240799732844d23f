#!/bin/bash
# The real program under Xvfb without a mouse and without a drag. Keys only: from the title
# screen (Enter), "Other Planets", "Multiple Choice", the ten right answers by their number keys,
# a name typed in the name box. Clicks only (no button held while the pointer moves): "Measuring
# Temperature", "Ordering Activity", each label clicked and then its box, 8 out of 8.
BIN=${1:?usage: input.sh PATH-TO-quillmoor}
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$(mktemp -d)}
mkdir -p "$E2E_ARTIFACTS"
BANK="$(dirname "$BIN")/../share/quillmoor/multiple/Other Planets.txt"
mapfile -t RIGHT < <(tr -d '\r' < "$BANK" | awk 'NR >= 8 && (NR - 8) % 7 == 0')
[ "${#RIGHT[@]}" = 10 ] || e2e_fail "cannot read the right answers from the bank"

# --- keys only ------------------------------------------------------------------------------
E2E_BY_KEYS=1 e2e_start_to_menu input-keys
keys() { xdotool key --delay 120 "$@"; sleep 0.4; }
# Menu in reading order: Sound On, Teachers' Guide, Measuring Temperature, Multiple Choice Wizard,
# Other Planets. Hub: Key Facts, Teacher's Notes, Multiple Choice.
keys Tab Tab Tab Tab Return
sleep 0.6
keys Tab Tab Return
sleep 0.8
for q in $(seq 0 9); do
    keys "${RIGHT[$q]}"
    # From the chosen answer: "<< Previous Question" (from question 2 on), then Next.
    if [ "$q" = 0 ]; then keys Tab Return; else keys Tab Tab Return; fi
done
sleep 1.5
e2e_shot input-keys-results
px=$(e2e_pixel $(( mx + 16 + 6 )) $(( my + 120 + 28 )))          # "Print Certificate": full marks
[ "$px" = "0,0,0" ] || e2e_fail "keys only: no certificate offered ($px)"
xdotool type --delay 80 "Amy"; sleep 0.4
e2e_shot input-keys-name
# The name is written in the box: dark text pixels where it was plain white.
dark=$(import -window root -crop 200x30+$(( mx + 212 ))+$(( my + 448 )) txt:- | grep -c '#000000\|#0[0-4]0[0-4]0[0-4]' || true)
[ "$dark" -gt 5 ] || e2e_fail "keys only: no name typed ($dark)"
kill "$APP_PID" 2>/dev/null; wait "$APP_PID" 2>/dev/null
echo "input keys: ok"

# --- clicks only ----------------------------------------------------------------------------
e2e_start_to_menu input-clicks
e2e_click $(( mx + 8 + 110 )) $(( my + 216 + 12 ))               # Measuring Temperature
sleep 0.8
e2e_click $(( mx + 472 + 106 )) $(( my + 528 + 16 ))              # Ordering Activity
sleep 0.8
homes=("240 3120" "3360 3600" "3360 4080" "240 4560" "3360 4560" "240 4080" "3360 3120" "240 3600")
boxes=(4020 1140 5460 2580 4740 6180 3300 1860)
for i in $(seq 0 7); do
    read -r hl ht <<<"${homes[$i]}"
    e2e_click $(( mx + hl / 15 + 102 )) $(( my + ht / 15 + 12 )); sleep 0.2     # the label: lifted
    e2e_click $(( mx + 8400 / 15 + 102 )) $(( my + ${boxes[$i]} / 15 + 12 )); sleep 0.2  # its box
done
xdotool mousemove $(( mx + 400 + 85 )) $(( my + 528 + 16 )); sleep 0.3
px=$(e2e_pixel $(( mx + 400 + 10 )) $(( my + 528 + 28 )))
[ "$px" = "0,0,0" ] || e2e_fail "clicks only: no Check Score button ($px)"
e2e_click $(( mx + 400 + 85 )) $(( my + 528 + 16 ))               # Check Score
sleep 1
e2e_shot input-clicks-results
px=$(e2e_pixel $(( mx + 16 + 6 )) $(( my + 120 + 28 )))
[ "$px" = "0,0,0" ] || e2e_fail "clicks only: not 8 out of 8 ($px)"
echo "input clicks: ok"
