# Helpers for driving the real program under Xvfb with xdotool. Source it; it needs DISPLAY.
set -u

# The scripts click at actual-size coordinates: every program they start draws at factor 1 unless
# a script asks for another scale after sourcing this.
export QUILLMOOR_SCALE=1

e2e_fail() { echo "FAIL: $*" >&2; exit 1; }

# e2e_pixel X Y -> "R,G,B" of the screen at absolute X,Y (a fresh screenshot each time)
e2e_pixel() {
    local shot
    shot=$(mktemp --suffix=.png)
    import -window root "$shot"
    /usr/bin/convert "$shot" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:
    rm -f "$shot"
}

# e2e_shot NAME: keep a screenshot among the artefacts
e2e_shot() { import -window root "$E2E_ARTIFACTS/$1.png"; }

# e2e_stage: waits for the program's one window, the stage, covering the display from its
# top-left corner; sets SW and SH to its size
e2e_stage() {
    local id geo
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

# e2e_screen W H -> "X Y": the origin of a screen of that size once it shows, centred on the
# stage; a screen shows with its edge (a dark line outside a light one) round it
e2e_screen() {
    local x y shot edge
    e2e_stage || return 1
    x=$(( (SW - $1) / 2 )); y=$(( (SH - $2) / 2 ))
    shot=$(mktemp --suffix=.png)
    for _ in $(seq 100); do
        import -window root "$shot"
        edge=$(/usr/bin/convert "$shot" -format "%[fx:int(255*p{$(( x - 2 )),$(( y + $2 / 2 ))}.r)],%[fx:int(255*p{$(( x - 1 )),$(( y + $2 / 2 ))}.r)]" info:)
        if [ "$edge" = "20,220" ]; then rm -f "$shot"; echo "$x $y"; return 0; fi
        sleep 0.1
    done
    rm -f "$shot"
    return 1
}

# e2e_click X Y: move there, rest, click
e2e_click() { xdotool mousemove "$1" "$2"; sleep 0.15; xdotool click 1; }

# e2e_wait_exit SECONDS: wait for the program to end; prints its status
e2e_wait_exit() {
    local i
    for i in $(seq $(( $1 * 10 ))); do
        if ! kill -0 "$APP_PID" 2>/dev/null; then wait "$APP_PID"; echo $?; return 0; fi
        sleep 0.1
    done
    kill "$APP_PID" 2>/dev/null; echo timeout; return 1
}

# e2e_start LOGNAME: starts the program with a fresh teacher's folder and no sound server; sets
# APP_PID, E2E_HOME, the stage's size SW, SH and a trap that ends the program and removes the
# folder
e2e_start() {
    E2E_HOME=$(mktemp -d)
    trap 'kill $APP_PID 2>/dev/null; rm -rf "$E2E_HOME"' EXIT
    env QUILLMOOR_SCALE="$QUILLMOOR_SCALE" XDG_DATA_HOME="$E2E_HOME" PULSE_SERVER="${E2E_PULSE_SERVER:-unix:/nonexistent/pulse}" "$BIN" >"$E2E_ARTIFACTS/$1.log" 2>&1 &
    APP_PID=$!
    e2e_stage || e2e_fail "no stage"
}

# e2e_start_to_menu LOGNAME: e2e_start, then "OK" on the title screen; waits for the menu and
# sets its origin mx, my
e2e_start_to_menu() {
    e2e_start "$1"
    local pos tx ty
    pos=$(e2e_screen 364 438) || e2e_fail "no title screen"
    read -r tx ty <<<"$pos"
    if [ -n "${E2E_BY_KEYS:-}" ]; then xdotool key Return; else e2e_click $(( tx + 132 )) $(( ty + 412 )); fi
    pos=$(e2e_screen 800 600) || e2e_fail "no menu"
    read -r mx my <<<"$pos"
}

# e2e_dark_in W H X Y: how many dark pixels a region of the display holds
e2e_dark_in() {
    local shot; shot=$(mktemp --suffix=.png); import -window root "$shot"
    /usr/bin/convert "$shot" -crop "$1x$2+$3+$4" +repage -colorspace gray -threshold 50% -negate \
        -format '%[fx:int(mean*w*h)]' info:
    rm -f "$shot"
}
