#!/bin/bash
# The real program under Xvfb: "Measuring Temperature", "Ordering Activity"; every label dragged
# with the mouse (button down, moves, button up) into its right box; "Check Score" appears, and
# the results screen reports 8 out of 8 with the certificate offered.
BIN=${1:?usage: activities.sh PATH-TO-quillmoor}
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$(mktemp -d)}
mkdir -p "$E2E_ARTIFACTS"
e2e_start_to_menu activities
e2e_click $(( mx + 8 + 110 )) $(( my + 216 + 12 ))               # Measuring Temperature
sleep 0.8
e2e_click $(( mx + 472 + 106 )) $(( my + 528 + 16 ))              # Ordering Activity
sleep 0.8

# Label i starts at (home left, home top) and belongs in box i at left 8400, twips; 3075 x 375.
homes=("240 3120" "3360 3600" "3360 4080" "240 4560" "3360 4560" "240 4080" "3360 3120" "240 3600")
boxes=(4020 1140 5460 2580 4740 6180 3300 1860)
for i in $(seq 0 7); do
    read -r hl ht <<<"${homes[$i]}"
    x0=$(( mx + hl / 15 + 102 )); y0=$(( my + ht / 15 + 12 ))
    x1=$(( mx + 8400 / 15 + 102 )); y1=$(( my + ${boxes[$i]} / 15 + 12 ))
    xdotool mousemove "$x0" "$y0"; sleep 0.05
    xdotool mousedown 1
    for s in 1 2 3 4 5 6; do
        xdotool mousemove $(( x0 + (x1 - x0) * s / 6 )) $(( y0 + (y1 - y0) * s / 6 )); sleep 0.03
    done
    xdotool mouseup 1; sleep 0.1
done
# "Check Score" is there: the pointer resting on it lights it up black.
xdotool mousemove $(( mx + 400 + 85 )) $(( my + 528 + 16 )); sleep 0.3
e2e_shot activity-done
px=$(e2e_pixel $(( mx + 400 + 10 )) $(( my + 528 + 28 )))
[ "$px" = "0,0,0" ] || e2e_fail "no Check Score button ($px)"
e2e_click $(( mx + 400 + 85 )) $(( my + 528 + 16 ))               # Check Score
sleep 1
e2e_shot activity-results
px=$(e2e_pixel $(( mx + 16 + 6 )) $(( my + 120 + 28 )))           # "Print Certificate": full marks
[ "$px" = "0,0,0" ] || e2e_fail "no certificate offered ($px)"
px=$(e2e_pixel $(( mx + 208 + 150 )) $(( my + 440 + 30 )))        # the name box
[ "$px" = "255,255,255" ] || e2e_fail "no name box ($px)"
echo "activities: ok"
