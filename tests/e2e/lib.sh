# Helpers for driving the real program under Xvfb with xdotool. Source it; it needs DISPLAY.
set -u

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

# e2e_window_at W H: id of the visible window of that size belonging to $APP_PID
e2e_window_sized() {
    local id
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
            if xwininfo -id "$id" | grep -q "Width: $1\$" && xwininfo -id "$id" | grep -q "Height: $2\$"; then
                echo "$id"; return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

# e2e_origin ID -> "X Y"
e2e_origin() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}'
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

# e2e_start_to_menu LOGNAME: starts the program with a fresh teacher's folder and no sound
# server (or the one E2E_PULSE_SERVER names), clicks "OK" on the title screen and waits for the menu. Sets APP_PID, the menu's origin
# mx, my, and a trap that ends the program and removes the folder.
e2e_start_to_menu() {
    E2E_HOME=$(mktemp -d)
    trap 'kill $APP_PID 2>/dev/null; rm -rf "$E2E_HOME"' EXIT
    env XDG_DATA_HOME="$E2E_HOME" PULSE_SERVER="${E2E_PULSE_SERVER:-unix:/nonexistent/pulse}" "$BIN" >"$E2E_ARTIFACTS/$1.log" 2>&1 &
    APP_PID=$!
    local title tx ty menu
    title=$(e2e_window_sized 364 438) || e2e_fail "no title screen"
    read -r tx ty <<<"$(e2e_origin "$title")"
    e2e_click $(( tx + 132 )) $(( ty + 412 ))
    menu=$(e2e_window_sized 800 600) || e2e_fail "no menu"
    read -r mx my <<<"$(e2e_origin "$menu")"
}
