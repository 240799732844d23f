#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One session of the real program on a desktop with or without a window manager (E2E_WM names the
# one running, if any): the title screen centred on a stage as big as the display; "OK" heard on
# the sound server (when there is one); Alt+F4 (with a window manager) or the menu's "Exit" brings
# up the exit screen, whose "Cancel" returns to the menu; an activity's labels dragged with the
# real mouse score 8 out of 8; the hub's animation moves in real time; the planets quiz to full
# marks, where typed keys land in the name box at once; the menu's "Exit", then the exit screen's,
# end the program with status 0 and leave nothing but the teacher's folder behind. (What the
# screens do inside the program, the unit tests check: tst_startup, tst_quiz, tst_authoring.)
BIN=${1:?usage: session.sh PATH-TO-quillmoor}
. "$(dirname "$0")/lib.sh"
e2e_need_display
E2E_ARTIFACTS=$E2E_ARTIFACTS/session-${E2E_WM:-nowm}
mkdir -p "$E2E_ARTIFACTS"
pactl info >/dev/null 2>&1 && E2E_PULSE_SERVER="unix:$(pactl info | awk -F': ' '/^Server String/ {print $2}')"

e2e_start session
e2e_title_at || e2e_fail "no title screen centred on the stage"
read -r DW DH < <(xwininfo -root | awk '/^  Width/{w=$2} /^  Height/{h=$2} END{print w, h}')
[ "$SW $SH" = "$DW $DH" ] || e2e_fail "the stage is $SW x $SH on a $DW x $DH display"

[ -n "${E2E_PULSE_SERVER:-}" ] && e2e_listen "$E2E_ARTIFACTS/click.wav"
e2e_press_at "$tx" "$ty" OK
pos=$(e2e_screen 800 600) || e2e_fail "no menu centred on the stage"
read -r mx my <<<"$pos"
if [ -n "${E2E_PULSE_SERVER:-}" ]; then
    sleep 1.5
    e2e_heard "$E2E_ARTIFACTS/click.wav" 0.25 || e2e_fail "the click was not heard"
fi
e2e_menu_shows || e2e_fail "menu colour"

if [ -n "${E2E_WM:-}" ]; then xdotool key alt+F4; else e2e_press Exit 0; fi
e2e_title_at || e2e_fail "no exit screen"
sleep 0.3
e2e_shot exit-screen
e2e_press_at "$tx" "$ty" OK                                      # Cancel, in OK's place
e2e_menu_shows || e2e_fail "Cancel did not bring the menu back"

e2e_press "Measuring Temperature"
e2e_press "Ordering Activity"
e2e_drag_all
e2e_shot activity-results
e2e_full_marks "dragged labels"
e2e_press Exit; e2e_press Exit; e2e_press Exit                   # the results, the activity, its hub
e2e_menu_shows || e2e_fail "no menu after the activity"

e2e_press "Other Planets" 1
shot() { local w h x y; read -r w h x y < <(e2e_rect jupiter); import -window root -crop "${w}x$h+$x+$y" "$E2E_ARTIFACTS/$1.png"; }
shot jupiter-a; sleep 0.6; shot jupiter-b
diff=$(/usr/bin/compare -metric AE "$E2E_ARTIFACTS/jupiter-a.png" "$E2E_ARTIFACTS/jupiter-b.png" null: 2>&1)
echo "pixels changed between two screenshots 0.6 s apart: $diff"
[ "${diff%%.*}" -gt 500 ] 2>/dev/null || e2e_fail "the animation does not move ($diff)"

# The hub's quiz to full marks; the name box, offered, takes the keys typed at once.
e2e_press "Multiple Choice" 1
e2e_read_bank
e2e_answer_all
e2e_full_marks "the planets quiz"
before=$(e2e_dark_in $(e2e_rect "name box"))
xdotool type --delay 40 "Sam Smith"
sleep 0.4
after=$(e2e_dark_in $(e2e_rect "name box"))
echo "dark pixels in the name box: $before before typing, $after after"
[ "$after" -gt $(( before + 150 )) ] || e2e_fail "the typed name did not land in the name box"

e2e_press Exit; e2e_press Exit                                   # the results, the hub
e2e_press Exit 0                                                 # the menu's
e2e_title_at || e2e_fail "no exit screen"
e2e_press_at "$tx" "$ty" "title Exit"
e2e_exits_with 0 10
[ -z "$(ls -A "$E2E_HOME")" ] || [ -d "$E2E_HOME/quillmoor" ] || e2e_fail "unexpected files in $E2E_HOME"
echo "session${E2E_WM:+ under $E2E_WM}: ok"
