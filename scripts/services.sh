# Starts, for tests and benchmarks, the servers the real program needs: an X server (Xvfb), a
# sound server with a null sink whose monitor can be recorded, and (as root) a print server whose
# default queue keeps every job's PDF as Qt made it. Source it, then call start_services;
# stop_services kills what was started (by PID).
SERVICES_DIR=""
XVFB_PID=""
CUPSD_PID=""
WM_PID=""
export QUILLMOOR_PRINT_SPOOL=/tmp/quillmoor-print-spool

start_services() {
    SERVICES_DIR=$(mktemp -d /tmp/quillmoor-services.XXXXXX)
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >"$SERVICES_DIR/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    [ -S "/tmp/.X11-unix/X$n" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$n"

    export XDG_RUNTIME_DIR="$SERVICES_DIR/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    if pulseaudio -D --exit-idle-time=-1 -n --load="module-null-sink sink_name=nullsink" \
            --load="module-native-protocol-unix auth-anonymous=1" \
            --log-target="file:$SERVICES_DIR/pulse.log" 2>/dev/null; then
        for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    fi
    pactl info >/dev/null 2>&1 && echo "services: X on $DISPLAY, sound server with a null sink" \
                               || echo "services: X on $DISPLAY, no sound server"
    start_printing
}

# A raw queue named CAPTURE, the default, whose backend saves each job unchanged into the spool.
start_printing() {
    [ "$(id -u)" -eq 0 ] && command -v cupsd >/dev/null || { echo "services: no print server (needs root and cups)"; return 0; }
    # lpstat -r exits 0 whether or not the scheduler runs: its words tell.
    if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
        /usr/sbin/cupsd -f >"$SERVICES_DIR/cupsd.log" 2>&1 &
        CUPSD_PID=$!
        for _ in $(seq 100); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.1; done
    fi
    mkdir -p -m 1777 "$QUILLMOOR_PRINT_SPOOL"
    chmod 1777 "$QUILLMOOR_PRINT_SPOOL"
    cat > /usr/lib/cups/backend/capture <<'BACKEND'
#!/bin/sh
[ $# -eq 0 ] && { echo 'direct capture "Unknown" "Capture jobs to files"'; exit 0; }
if [ -n "$6" ]; then cat "$6"; else cat; fi > /tmp/quillmoor-print-spool/job-$1.pdf
BACKEND
    chmod 755 /usr/lib/cups/backend/capture
    lpadmin -p CAPTURE -E -v capture:/ -m raw >/dev/null 2>&1 && lpadmin -d CAPTURE >/dev/null 2>&1
    lpstat -d 2>/dev/null | grep -q CAPTURE && echo "services: print server, default queue CAPTURE" \
                                            || echo "services: the print server could not be set up"
}

stop_services() {
    [ -n "$WM_PID" ] && stop_wm
    pulseaudio --kill >/dev/null 2>&1 || true
    [ -n "$CUPSD_PID" ] && kill "$CUPSD_PID" 2>/dev/null && wait "$CUPSD_PID" 2>/dev/null
    CUPSD_PID=""
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
    [ -n "$SERVICES_DIR" ] && rm -rf "$SERVICES_DIR"
    SERVICES_DIR=""
}

# A real window manager on the test display, for the runs under one: start_wm openbox|metacity|xfwm4;
# stop_wm ends it (by PID). E2E_WM names it for the tests.
start_wm() {
    case "$1" in
        openbox) openbox --sm-disable >"$SERVICES_DIR/wm.log" 2>&1 & ;;
        metacity) metacity --replace --sm-disable >"$SERVICES_DIR/wm.log" 2>&1 & ;;
        xfwm4) xfwm4 --replace --sm-client-disable >"$SERVICES_DIR/wm.log" 2>&1 & ;;
        *) echo "unknown window manager $1" >&2; return 1 ;;
    esac
    WM_PID=$!
    # Ready once it has claimed the screen's manager selection (the _NET_SUPPORTING_WM_CHECK window).
    for _ in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    sleep 0.5
    kill -0 "$WM_PID" 2>/dev/null || { echo "$1 did not start" >&2; cat "$SERVICES_DIR/wm.log" >&2; WM_PID=""; return 1; }
    export E2E_WM=$1
}

stop_wm() {
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null && wait "$WM_PID" 2>/dev/null
    WM_PID=""
    unset E2E_WM
    # The next one must not see this one's selection as taken.
    for _ in $(seq 30); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || break; sleep 0.1; done
}
