# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers for driving the real program under Xvfb with xdotool. Source it after setting BIN.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
export E2E_ARTIFACTS=${E2E_ARTIFACTS:-$(mktemp -d)}  # one folder, also after e2e_on_atspi_bus
mkdir -p "$E2E_ARTIFACTS"
# The scripts click at actual-size coordinates: every program they start draws at factor 1 unless
# a script asks for another scale (and sets F, the factor P applies) after sourcing this.
export QUILLMOOR_SCALE=1
F=1

e2e_fail() { echo "FAIL: $*" >&2; exit 1; }

# Where the scripts click on the screens (the middle of each control, at actual size, from each
# screen's origin) and the colours they look for: E2E_AT, E2E_ANSWERS, E2E_TICKS, E2E_HOMES,
# E2E_BOXES, TITLE_GREY, MENU_BLUE and the rest, and E2E_RECT, areas looked at ("W H X Y"), as the
# build's e2e_layout prints them from the screens themselves.
declare -A E2E_AT E2E_RECT
[ -x "${E2E_LAYOUT:-}" ] || e2e_fail "E2E_LAYOUT does not name the build's e2e_layout (ctest sets it)"
eval "$("$E2E_LAYOUT")" || e2e_fail "e2e_layout failed"
e2e_need_display() { [ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }; }

# e2e_on_atspi_bus "$@": an accessibility bus of the script's own, read as a screen reader reads
# it. Skips (77) without at-spi2-core or python3-pyatspi; runs the script again inside a session
# bus of its own, then starts the accessibility bus (ATSPI_PID) and has Qt programs expose
# themselves on it. Call it before the script changes E2E_ARTIFACTS.
e2e_on_atspi_bus() {
    [ -x /usr/libexec/at-spi-bus-launcher ] && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null \
        || { echo "no at-spi2-core or python3-pyatspi: skipped"; exit 77; }
    [ -n "${E2E_IN_DBUS:-}" ] || E2E_IN_DBUS=1 exec dbus-run-session -- bash "$0" "$@"
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$E2E_ARTIFACTS/atspi-$(basename "$0" .sh).log" 2>&1 &
    ATSPI_PID=$!
    sleep 1
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}
# walk COMMAND ARGS...: atspi.py (see there) on that bus
walk() { /usr/bin/python3 "$HERE/atspi.py" "$@"; }
# press NAME [PAUSE]: the button of that name pressed on the bus, then a rest (0.8 s)
press() { walk press "$1" || e2e_fail "no \"$1\" button"; sleep "${2:-0.8}"; }
# click_on ROLE NAME: a real click in the middle of that object
click_on() {
    local at; at=$(walk where "$1" "$2") || e2e_fail "no $1 \"$2\" on show"
    e2e_click ${at% *} ${at#* }; sleep 0.5
}
# quiz_as PUPIL Q...: from the menu, the planets quiz for PUPIL, with questions Q (1-10) answered wrong
quiz_as() {
    local pupil=$1 q; shift
    e2e_press "Other Planets" 1
    e2e_press "Multiple Choice" 1
    walk wait-text "Who is doing this?" || e2e_fail "no name picker before the quiz"
    press "$pupil" 1
    e2e_read_bank
    for q in "$@"; do RIGHT[q - 1]=$(( RIGHT[q - 1] % 4 + 1 )); done
    e2e_answer_all
}

# e2e_read_bank: BANK, the shipped "Other Planets" bank, and RIGHT, its ten right answers (1-4)
e2e_read_bank() {
    BANK=${BANK:-"$(dirname "$BIN")/../share/quillmoor/multiple/Other Planets.txt"}
    mapfile -t RIGHT < <(tr -d '\r' <"$BANK" | awk 'NR >= 8 && (NR - 8) % 7 == 0')
    [ "${#RIGHT[@]}" = 10 ] || e2e_fail "cannot read the right answers from the bank"
}

# P PIXELS: a distance at actual size, at the factor F
P() { if [ "$F" = 1 ]; then echo "$1"; else awk -v v="$1" -v f="$F" 'BEGIN { printf "%d", v * f + 0.5 }'; fi; }

# e2e_pixel X Y -> "R,G,B" of the screen at absolute X,Y (a fresh screenshot each time)
e2e_pixel() {
    import -window root png:- \
        | /usr/bin/convert - -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:
}

# e2e_wait_pixel X Y COLOUR: until the display shows that colour there (5 s at most)
e2e_wait_pixel() {
    local px
    for _ in $(seq 50); do
        px=$(e2e_pixel "$1" "$2"); [ "$px" = "$3" ] && return 0; sleep 0.1
    done
    echo "pixel at $1,$2 is $px, not $3" >&2; return 1
}

# e2e_shot NAME: keep a screenshot among the artefacts
e2e_shot() { import -window root "$E2E_ARTIFACTS/$1.png"; }

# e2e_dark_in W H X Y: how many dark pixels a region of the display holds
e2e_dark_in() {
    import -window root png:- | /usr/bin/convert - -crop "$1x$2+$3+$4" +repage -colorspace gray -threshold 50% -negate \
        -format '%[fx:int(mean*w*h)]' info:
}

# e2e_stage: waits for the program's one window, the stage, covering the display from its
# top-left corner; sets SW and SH to its size
e2e_stage() {
    local id geo sx sy
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
            geo=$(xwininfo -id "$id" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
                                            /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}')
            read -r sx sy SW SH <<<"$geo"
            [ "$sx $sy" = "0 0" ] && [ "$SW" -ge 640 ] && return 0
        done
        sleep 0.1
    done
    return 1
}

# e2e_screen W H -> "X Y": the origin of an actual-size screen of that size once it shows,
# centred on the stage; a screen shows with its edge (a dark line outside a light one) round it
e2e_screen() {
    local x y edge
    e2e_stage || return 1
    x=$(( (SW - $1) / 2 )); y=$(( (SH - $2) / 2 ))
    for _ in $(seq 100); do
        edge=$(import -window root png:- | /usr/bin/convert - -format \
            "%[fx:int(255*p{$(( x - 2 )),$(( y + $2 / 2 ))}.r)],%[fx:int(255*p{$(( x - 1 )),$(( y + $2 / 2 ))}.r)]" info:)
        if [ "$edge" = "${EDGE_OUTER%%,*},${EDGE_INNER%%,*}" ]; then echo "$x $y"; return 0; fi
        sleep 0.1
    done
    return 1
}

# e2e_title_at: waits for the title screen (or the exit screen, the same size); sets its origin tx, ty
e2e_title_at() { local pos; pos=$(e2e_screen $E2E_TITLE_SIZE) && read -r tx ty <<<"$pos"; }

# e2e_click X Y: move there, rest, click
e2e_click() { xdotool mousemove "$1" "$2"; sleep 0.15; xdotool click 1; }

# e2e_exits_with STATUS SECONDS: the program ends within that time with that status
e2e_exits_with() {
    for _ in $(seq $(( $2 * 10 ))); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$APP_PID" 2>/dev/null && { kill "$APP_PID"; e2e_fail "the program did not end within $2 s"; }
    wait "$APP_PID"
    local status=$?
    [ "$status" = "$1" ] || e2e_fail "the program ended with status $status"
}

# e2e_listen WAV: records what reaches the sound server's null sink into WAV, from once the
# recorder writes (5 s at most) until e2e_heard; sets REC
e2e_listen() {
    parec -d nullsink.monitor --latency-msec=20 --file-format=wav "$1" &
    REC=$!
    for _ in $(seq 50); do [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" -gt 20000 ] && break; sleep 0.1; done
}

# e2e_heard WAV LEVEL: ends the recording; succeeds when its peak (of 1) passes LEVEL
e2e_heard() {
    local peak
    kill -INT "$REC"; wait "$REC" 2>/dev/null
    peak=$(sox "$1" -n stat 2>&1 | awk '/Maximum amplitude/{print $3}')
    echo "peak of $1: $peak"
    awk -v p="$peak" -v l="$2" 'BEGIN{exit !(p > l)}'
}

# e2e_start LOGNAME: starts the program with a fresh teacher's folder and no sound server (unless
# E2E_PULSE_SERVER names one); sets APP_PID, E2E_HOME, the stage's size SW, SH and a trap that
# ends the program and removes the folder (then runs E2E_ON_EXIT, the script's own clean-up)
# (With E2E_KEEP_HOME set, the teacher's folder of the run before is kept: a restart. The school's
# settings are read from E2E_CONFIG_DIRS, by default a folder that has none: never the machine's.)
e2e_start() {
    [ -n "${E2E_KEEP_HOME:-}" ] || E2E_HOME=$(mktemp -d)
    trap 'kill $APP_PID 2>/dev/null; rm -rf "$E2E_HOME"; ${E2E_ON_EXIT:-}' EXIT
    env QUILLMOOR_SCALE="$QUILLMOOR_SCALE" XDG_DATA_HOME="$E2E_HOME" XDG_CONFIG_DIRS="${E2E_CONFIG_DIRS:-$E2E_HOME/no-school}" PULSE_SERVER="${E2E_PULSE_SERVER:-unix:/nonexistent/pulse}" \
        "$BIN" >"$E2E_ARTIFACTS/$1.log" 2>&1 &
    APP_PID=$!
    e2e_stage || e2e_fail "no stage"
}

# e2e_start_to_menu LOGNAME: e2e_start, then "OK" on the title screen; sets the menu's origin mx, my
# (the origin of every 800 x 600 screen). At any factor: the screens are found by their colours.
e2e_start_to_menu() {
    e2e_start "$1"
    local tx=$(( (SW - $(P ${E2E_TITLE_SIZE% *})) / 2 )) ty=$(( (SH - $(P ${E2E_TITLE_SIZE#* })) / 2 ))
    e2e_wait_pixel $(( tx + $(P 5) )) $(( ty + $(P 300) )) "$TITLE_GREY" || e2e_fail "no title screen"
    e2e_press_at "$tx" "$ty" OK
    mx=$(( (SW - $(P 800)) / 2 )); my=$(( (SH - $(P 600)) / 2 ))
    e2e_menu_shows || e2e_fail "no menu"
}

# e2e_menu_shows: the menu's colour, with the pointer moved off the buttons
e2e_menu_shows() {
    xdotool mousemove $(( mx + $(P 400) )) $(( my + $(P 60) ))
    e2e_wait_pixel $(( mx + $(P 400) )) $(( my + $(P 380) )) "$MENU_BLUE"
}

# e2e_press NAME [PAUSE]: clicks that control of the 800 x 600 screen on show, then rests (0.8 s)
e2e_press() { e2e_press_at "$mx" "$my" "$1"; sleep "${2:-0.8}"; }

# e2e_press_at X Y NAME: clicks that control of the screen whose origin is X, Y
e2e_press_at() {
    local at=${E2E_AT[$3]:-}
    [ -n "$at" ] || e2e_fail "no place for \"$3\" in e2e_layout"
    e2e_at_point "$1" "$2" "$at"
}

# e2e_at_point X Y "PX PY": clicks PX, PY (actual size) of the screen whose origin is X, Y
e2e_at_point() { e2e_click $(( $1 + $(P "${3% *}") )) $(( $2 + $(P "${3#* }") )); }

# e2e_rect KEY -> "W H X Y": that area of E2E_RECT on the display, the 800 x 600 screen's origin mx, my
e2e_rect() {
    local w h x y
    read -r w h x y <<<"${E2E_RECT[$1]}"
    echo "$(P "$w") $(P "$h") $(( mx + $(P "$x") )) $(( my + $(P "$y") ))"
}

# e2e_answer_all: the ten questions on show answered with RIGHT's choices, each followed by Next
e2e_answer_all() {
    local q
    for q in $(seq 0 9); do
        e2e_at_point "$mx" "$my" "${E2E_ANSWERS[RIGHT[q] - 1]}"
        e2e_press Next 0.15
    done
}

# e2e_write_worksheet TITLE: on the wizard, the title and ten questions typed (Enter between the
# boxes), answer A of each ticked, then "Save Worksheet"
e2e_write_worksheet() {
    local q a
    e2e_press "title box" 0
    xdotool type --delay 15 "$1"; xdotool key Return
    for q in $(seq 10); do
        xdotool type --delay 5 "Question $q"; xdotool key Return
        for a in A B C D; do xdotool type --delay 5 "$a $q"; xdotool key Return; done
    done
    for q in $(seq 0 9); do e2e_at_point "$mx" "$my" "${E2E_TICKS[q]}"; done
    e2e_press "Save Worksheet" 1
}

# e2e_full_marks WHAT: the results screen offers the certificate (its button, opaque black) and
# a name box
e2e_full_marks() {
    local face=$E2E_CERTIFICATE_FACE box=${E2E_AT["name box"]}
    e2e_wait_pixel $(( mx + $(P ${face% *}) )) $(( my + $(P ${face#* }) )) "0,0,0" || e2e_fail "$1: no certificate offered"
    [ "$(e2e_pixel $(( mx + $(P ${box% *}) )) $(( my + $(P ${box#* }) )))" = "255,255,255" ] || e2e_fail "$1: no name box"
}

# e2e_drag_all: on "Ordering Activity", every label dragged with the mouse (button down, moves,
# button up) into its right box, then "Check Score"
e2e_drag_all() {
    # Label i starts at home i and belongs in box i.
    local i home box x0 y0 x1 y1 s
    for i in "${!E2E_HOMES[@]}"; do
        home=${E2E_HOMES[i]}; box=${E2E_BOXES[i]}
        x0=$(( mx + $(P ${home% *}) )); y0=$(( my + $(P ${home#* }) ))
        x1=$(( mx + $(P ${box% *}) )); y1=$(( my + $(P ${box#* }) ))
        xdotool mousemove "$x0" "$y0"; sleep 0.05
        xdotool mousedown 1
        for s in 1 2 3 4 5 6; do
            xdotool mousemove $(( x0 + (x1 - x0) * s / 6 )) $(( y0 + (y1 - y0) * s / 6 )); sleep 0.03
        done
        xdotool mouseup 1; sleep 0.1
    done
    e2e_press "Check Score" 1
}
