# SPDX-License-Identifier: GPL-3.0-or-later
# Starts, for tests and benchmarks, the servers the real program needs: an X server (Xvfb), a
# session bus, a sound server with a null sink whose monitor can be recorded, and a private print
# server whose default queue keeps every job's PDF as Qt made it. Source it, then call start_services;
# stop_services kills what was started (by PID).
SERVICES_DIR=""
XVFB_PID=""
CUPSD_PID=""
WM_PID=""
DBUS_PID=""

start_services() {
    SERVICES_DIR=$(mktemp -d /tmp/quillmoor-services.XXXXXX)
    # A home of its own: the sound server's cookie, a session bus's files, font caches and
    # settings land there, not in the home of whoever runs the tests.
    export HOME="$SERVICES_DIR/home"
    mkdir -m 700 "$HOME"
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${QUILLMOOR_XVFB_SCREEN:-1024x768x24}" -nolisten tcp -noreset >"$SERVICES_DIR/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    [ -S "/tmp/.X11-unix/X$n" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$n"

    # A session bus of our own: Xfwm4 reads its settings over one, and a fresh machine (without
    # dbus-x11, which starts one on demand) has none.
    local bus
    if bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null); then
        export DBUS_SESSION_BUS_ADDRESS=${bus%%$'\n'*}
        DBUS_PID=${bus##*$'\n'}
    else
        echo "services: no session bus (dbus-daemon would not start)"
    fi

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

# A print server of our own: cupsd run as the test user from a server root in the services folder,
# reached only through a socket there (CUPS_SERVER). Its one queue, CAPTURE, is its default; the
# backend saves each job's PDF unchanged into QUILLMOOR_PRINT_SPOOL. Nothing of the machine's own
# print system (its queues, its default printer, /etc/cups, /usr/lib/cups) is touched.
start_printing() {
    [ -x /usr/sbin/cupsd ] || { echo "services: no print server (cups is not installed)"; return 0; }
    local dir="$SERVICES_DIR/cups" d
    mkdir -p "$dir"/etc "$dir"/bin/backend "$dir"/run "$dir"/spool/tmp "$dir"/cache "$dir"/state "$dir"/log "$dir"/client
    for d in filter daemon cgi-bin notifier monitor; do ln -s "/usr/lib/cups/$d" "$dir/bin/$d"; done
    export QUILLMOOR_PRINT_SPOOL="$dir/printed"
    mkdir -m 700 "$QUILLMOOR_PRINT_SPOOL"
    # As root, cupsd runs a backend that only its owner may run (0700) as root, any other as user
    # lp; 0700 keeps the spool private to the test user either way.
    cat >"$dir/bin/backend/capture" <<BACKEND
#!/bin/sh
[ \$# -eq 0 ] && { echo 'direct capture "Unknown" "Capture jobs to files"'; exit 0; }
out="$QUILLMOOR_PRINT_SPOOL/job-\$1"
if [ -n "\$6" ]; then cat "\$6"; else cat; fi >"\$out.part" && mv "\$out.part" "\$out.pdf"
BACKEND
    chmod 700 "$dir/bin/backend/capture"
    cat >"$dir/etc/cupsd.conf" <<CONF
Listen $dir/run/cups.sock
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
ServerBin $dir/bin
DataDir /usr/share/cups
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
CONF
    # The client side reads no lpoptions or client.conf of the machine's, and no PRINTER or LPDEST.
    unset PRINTER LPDEST
    export CUPS_SERVERROOT="$dir/client" CUPS_SERVER="$dir/run/cups.sock"
    /usr/sbin/cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
    CUPSD_PID=$!
    # lpstat -r exits 0 whether or not the scheduler runs: its words tell.
    for _ in $(seq 100); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.1; done
    # lpadmin lives in /usr/sbin, which a normal user's PATH may lack.
    /usr/sbin/lpadmin -p CAPTURE -E -v capture:/ -m raw >"$dir/log/lpadmin.out" 2>&1 \
        && /usr/sbin/lpadmin -d CAPTURE >>"$dir/log/lpadmin.out" 2>&1
    if lpstat -d 2>/dev/null | grep -q CAPTURE; then
        echo "services: private print server on $CUPS_SERVER, default queue CAPTURE"
    else
        echo "services: the private print server could not be set up:"; cat "$dir"/log/* 2>/dev/null
        stop_printing
    fi
}

stop_printing() {
    [ -n "$CUPSD_PID" ] && kill "$CUPSD_PID" 2>/dev/null && wait "$CUPSD_PID" 2>/dev/null
    CUPSD_PID=""
    unset CUPS_SERVER CUPS_SERVERROOT QUILLMOOR_PRINT_SPOOL
}

# What the test command must leave as it found it: the machine's default printer and queues
# (asked of its own print server, not ours) and the backends.
machine_state() {
    env -u CUPS_SERVER -u CUPS_SERVERROOT lpstat -d 2>&1
    env -u CUPS_SERVER -u CUPS_SERVERROOT lpstat -v 2>&1
    ls -l --time-style=full-iso /usr/lib/cups/backend 2>&1
    # The machine's own PostgreSQL clusters (the tests run private ones) and school settings.
    command -v pg_lsclusters >/dev/null && pg_lsclusters 2>&1
    ls -l --time-style=full-iso /etc/postgresql-common /etc/xdg/quillmoor 2>&1
    return 0  # a folder that is not there is part of the state, not a failure (the test run sets pipefail)
}
machine_snapshot() { machine_state >"$1"; }
# machine_unchanged FILE: compares with the snapshot; prints the difference when there is one.
machine_unchanged() {
    if machine_state | diff "$1" - >"$1.diff"; then
        echo "machine set-up (printing, PostgreSQL, school settings) unchanged: ok"
    else
        echo "FAIL: the machine's set-up changed:"; cat "$1.diff"; return 1
    fi
}

stop_services() {
    [ -n "$WM_PID" ] && stop_wm
    pulseaudio --kill >/dev/null 2>&1 || true
    stop_printing
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
    [ -n "$DBUS_PID" ] && kill "$DBUS_PID" 2>/dev/null
    DBUS_PID=""
    unset DBUS_SESSION_BUS_ADDRESS
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
