# Starts, for tests and benchmarks, the servers the real program needs: an X server (Xvfb) and a
# sound server with a null sink whose monitor can be recorded. Source it, then call
# start_services; stop_services kills what was started (by PID).
SERVICES_DIR=""
XVFB_PID=""

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
}

stop_services() {
    pulseaudio --kill >/dev/null 2>&1 || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
    [ -n "$SERVICES_DIR" ] && rm -rf "$SERVICES_DIR"
    SERVICES_DIR=""
}
