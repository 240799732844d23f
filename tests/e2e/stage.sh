#!/bin/bash
# The stage on a desktop with or without a window manager (E2E_WM names the one running, if
# any): a click on the stage's margin leaves the front screen in front and working, on the title
# screen and on the menu; with a window manager, Alt+F4 brings up the exit screen and "Cancel"
# returns to the menu; after full marks, typed keys land in the name box at once; SIGTERM ends
# the program at once with status 0.
BIN=${1:?usage: stage.sh PATH-TO-quillmoor}
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$(mktemp -d)}/stage-${E2E_WM:-nowm}
mkdir -p "$E2E_ARTIFACTS"
BANK="$(dirname "$BIN")/../share/quillmoor/multiple/Other Planets.txt"
mapfile -t RIGHT < <(tr -d '\r' < "$BANK" | awk 'NR >= 8 && (NR - 8) % 7 == 0')
[ "${#RIGHT[@]}" = 10 ] || e2e_fail "cannot read the right answers from the bank"

e2e_start stage
pos=$(e2e_screen 364 438) || e2e_fail "no title screen"
read -r tx ty <<<"$pos"
e2e_click 3 3                                                    # the stage's margin
sleep 0.5
e2e_shot title-after-margin-click
px=$(e2e_pixel $(( tx + 5 )) $(( ty + 300 )))
[ "$px" = "192,192,192" ] || e2e_fail "the title screen is gone after a click on the margin ($px)"
e2e_click $(( tx + 132 )) $(( ty + 412 ))                        # OK
pos=$(e2e_screen 800 600) || e2e_fail "no menu"
read -r mx my <<<"$pos"

e2e_click $(( SW - 3 )) $(( SH - 3 ))                            # the margin again
sleep 0.5
e2e_shot menu-after-margin-click
xdotool mousemove $(( mx + 400 )) $(( my + 380 )); sleep 0.3
px=$(e2e_pixel $(( mx + 400 )) $(( my + 380 )))
[ "$px" = "39,63,137" ] || e2e_fail "the menu is gone after a click on the margin ($px)"

if [ -n "${E2E_WM:-}" ]; then
    xdotool key alt+F4
    pos=$(e2e_screen 364 438) || e2e_fail "Alt+F4 brought up no exit screen"
    read -r tx ty <<<"$pos"
    sleep 0.3
    e2e_shot exit-screen-after-alt-f4
    kill -0 "$APP_PID" 2>/dev/null || e2e_fail "Alt+F4 ended the program"
    e2e_click $(( tx + 88 + 44 )) $(( ty + 400 + 12 ))            # Cancel
    sleep 0.6
    xdotool mousemove $(( mx + 400 )) $(( my + 380 )); sleep 0.3
    px=$(e2e_pixel $(( mx + 400 )) $(( my + 380 )))
    [ "$px" = "39,63,137" ] || e2e_fail "Cancel did not bring the menu back ($px)"
else
    echo "no window manager: Alt+F4 is left out"
fi

e2e_click $(( mx + 346 )) $(( my + 420 ))                        # Other Planets
sleep 0.8
e2e_click $(( mx + 8 + 106 )) $(( my + 528 + 16 ))               # Multiple Choice
sleep 0.8
for q in $(seq 10); do
    e2e_click $(( mx + 160 + 120 )) $(( my + 360 + 40 * (${RIGHT[$((q - 1))]} - 1) + 17 ))
    e2e_click $(( mx + 400 + 125 )) $(( my + 528 + 16 )); sleep 0.15
done
sleep 1.5
before=$(e2e_dark_in 376 33 $(( mx + 212 )) $(( my + 444 )))
xdotool type --delay 40 "Sam Smith"
sleep 0.4
e2e_shot name-typed
after=$(e2e_dark_in 376 33 $(( mx + 212 )) $(( my + 444 )))
echo "dark pixels in the name box: $before before typing, $after after"
[ "$after" -gt $(( before + 150 )) ] || e2e_fail "the typed name did not land in the name box"
# The session ends: the program goes at once, without asking, with the status of its own "Exit".
kill -TERM "$APP_PID"
for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$APP_PID" 2>/dev/null && e2e_fail "SIGTERM did not end the program"
wait "$APP_PID"
status=$?
[ "$status" = 0 ] || e2e_fail "SIGTERM: status $status"
echo "stage${E2E_WM:+ under $E2E_WM}: ok"
