#!/bin/bash
# The screens fitted to the display: on X servers of 800x600 (actual size), 1024x768, 1920x1080
# and 3840x2160, each started here, the title screen, the menu's colour filling the stage's
# height, a quiz to full marks and an activity's drags, all at the scaled coordinates; and a text
# edge on the menu as sharp as at actual size.
BIN=${1:?usage: scale.sh PATH-TO-quillmoor}
command -v Xvfb >/dev/null || { echo "no Xvfb: skipped"; exit 77; }
# Its X servers are its own, without a window manager: once per test run is enough.
[ -z "${E2E_WM:-}" ] || { echo "under $E2E_WM: skipped (this test starts its own displays)"; exit 77; }
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"
export QUILLMOOR_SCALE=fit
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$(mktemp -d)}/scale
mkdir -p "$E2E_ARTIFACTS"
BANK="$(dirname "$BIN")/../share/quillmoor/multiple/Other Planets.txt"
mapfile -t RIGHT < <(tr -d '\r' < "$BANK" | awk 'NR >= 8 && (NR - 8) % 7 == 0')
[ "${#RIGHT[@]}" = 10 ] || e2e_fail "cannot read the right answers from the bank"
MENU_BLUE="39,63,137"
XPID=""
trap '[ -n "$XPID" ] && kill "$XPID" 2>/dev/null' EXIT

# start_x W H: an X server of that size of our own; sets DISPLAY and XPID
start_x() {
    local n=120
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${1}x${2}x24" -nolisten tcp -noreset >"$E2E_ARTIFACTS/xvfb-$1x$2.log" 2>&1 &
    XPID=$!
    for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    [ -S "/tmp/.X11-unix/X$n" ] || e2e_fail "Xvfb $1x$2 did not start"
    export DISPLAY=":$n"
}
stop_x() { kill "$XPID"; wait "$XPID" 2>/dev/null; XPID=""; }

# P PIXELS: a distance at actual size, at the factor F
P() { awk -v v="$1" -v f="$F" 'BEGIN { printf "%d", v * f + 0.5 }'; }

# wait_pixel X Y COLOUR: until the display shows that colour there (5 s at most)
wait_pixel() {
    local px
    for _ in $(seq 50); do
        px=$(e2e_pixel "$1" "$2"); [ "$px" = "$3" ] && return 0; sleep 0.1
    done
    echo "pixel at $1,$2 is $px, not $3" >&2; return 1
}

# to_menu LOGNAME: the program from its start to the menu; sets mx, my, the menu's origin
to_menu() {
    e2e_start "$1-$W"
    tx=$(( (SW - $(P 364)) / 2 )); ty=$(( (SH - $(P 438)) / 2 ))
    wait_pixel $(( tx + $(P 5) )) $(( ty + $(P 300) )) "192,192,192" || e2e_fail "$W: no title screen"
    e2e_click $(( tx + $(P 132) )) $(( ty + $(P 412) ))              # OK
    mx=$(( (SW - $(P 800)) / 2 )); my=$(( (SH - $(P 600)) / 2 ))
    wait_pixel $(( mx + $(P 400) )) $(( my + $(P 380) )) "$MENU_BLUE" || e2e_fail "$W: no menu"
}

end_program() { kill "$APP_PID"; wait "$APP_PID" 2>/dev/null; }

# edge_contrast: the largest step in grey between neighbouring pixels across the menu's heading
edge_contrast() {
    local shot; shot=$(mktemp --suffix=.png); import -window root "$shot"
    /usr/bin/convert "$shot" -crop "$(P 200)x$(P 45)+$(( mx + $(P 300) ))+$(( my + $(P 5) ))" +repage \
        -colorspace gray \( +clone -roll +1+0 \) -compose difference -composite -format '%[fx:int(255*maxima)]' info:
    rm -f "$shot"
}

check_full_marks() {
    wait_pixel $(( mx + $(P 22) )) $(( my + $(P 148) )) "0,0,0" || e2e_fail "$W $1: no certificate offered"
    [ "$(e2e_pixel $(( mx + $(P 358) )) $(( my + $(P 470) )))" = "255,255,255" ] || e2e_fail "$W $1: no name box"
}

quiz() {
    e2e_click $(( mx + $(P 346) )) $(( my + $(P 420) ))              # Other Planets
    sleep 0.8
    e2e_click $(( mx + $(P 114) )) $(( my + $(P 544) ))              # Multiple Choice
    sleep 0.8
    for q in $(seq 10); do
        e2e_click $(( mx + $(P 280) )) $(( my + $(P $(( 360 + 40 * (${RIGHT[$((q - 1))]} - 1) + 17 ))) ))
        e2e_click $(( mx + $(P 525) )) $(( my + $(P 544) )); sleep 0.15
    done
    sleep 1.5
    e2e_shot "quiz-done-$W"
    check_full_marks quiz
}

activity() {
    e2e_click $(( mx + $(P 118) )) $(( my + $(P 228) ))              # Measuring Temperature
    sleep 0.8
    e2e_click $(( mx + $(P 578) )) $(( my + $(P 544) ))              # Ordering Activity
    sleep 0.8
    local homes=("240 3120" "3360 3600" "3360 4080" "240 4560" "3360 4560" "240 4080" "3360 3120" "240 3600")
    local boxes=(4020 1140 5460 2580 4740 6180 3300 1860) i hl ht x0 y0 x1 y1 s
    for i in $(seq 0 7); do
        read -r hl ht <<<"${homes[$i]}"
        x0=$(( mx + $(P $(( hl / 15 + 102 ))) )); y0=$(( my + $(P $(( ht / 15 + 12 ))) ))
        x1=$(( mx + $(P $(( 8400 / 15 + 102 ))) )); y1=$(( my + $(P $(( ${boxes[$i]} / 15 + 12 ))) ))
        xdotool mousemove "$x0" "$y0"; sleep 0.05
        xdotool mousedown 1
        for s in 1 2 3 4 5 6; do
            xdotool mousemove $(( x0 + (x1 - x0) * s / 6 )) $(( y0 + (y1 - y0) * s / 6 )); sleep 0.03
        done
        xdotool mouseup 1; sleep 0.1
    done
    e2e_shot "activity-done-$W"
    e2e_click $(( mx + $(P 485) )) $(( my + $(P 544) ))              # Check Score
    sleep 1
    check_full_marks activity
}

sharp1=""
for size in 800x600 1024x768 1920x1080 3840x2160; do
    W=${size%x*}; H=${size#*x}
    F=$(awk -v w="$W" -v h="$H" 'BEGIN { f = w / 800; if (h / 600 < f) f = h / 600; if (f < 1) f = 1; print f }')
    start_x "$W" "$H"
    to_menu menu
    e2e_shot "menu-$W"
    # The menu's colour from the stage's top row to its bottom one; the backdrop beside it.
    [ "$(e2e_pixel $(( mx + $(P 400) )) 0)" = "$MENU_BLUE" ] || e2e_fail "$W: the menu does not reach the top"
    [ "$(e2e_pixel $(( mx + $(P 400) )) $(( SH - 1 )))" = "$MENU_BLUE" ] || e2e_fail "$W: the menu does not reach the bottom"
    if [ "$mx" -gt 4 ]; then
        [ "$(e2e_pixel $(( mx - 4 )) $(( SH / 2 )))" != "$MENU_BLUE" ] || e2e_fail "$W: the menu runs past its width"
    fi
    sharp=$(edge_contrast)
    [ -n "$sharp1" ] || sharp1=$sharp
    echo "$size: factor $F, largest step across the heading's edge $sharp (at actual size $sharp1)"
    [ $(( sharp * 10 )) -ge $(( sharp1 * 8 )) ] || e2e_fail "$W: the heading is blurred ($sharp against $sharp1)"
    quiz
    end_program
    to_menu activity
    activity
    end_program
    stop_x
done
echo "scale: ok"
