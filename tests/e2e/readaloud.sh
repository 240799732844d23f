#!/bin/bash
# Read-aloud with the real speech engine: on the quiz's first question the "Read aloud" button,
# pressed through the accessibility bus, is heard on the sound server's null sink: the recording
# is not silence. (Time to first sound is measured by bench/speech, not here: the recorder's own
# start-up and buffering blur it by a second.)
BIN=${1:?usage: readaloud.sh PATH-TO-quillmoor}
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
pactl info >/dev/null 2>&1 || { echo "no sound server: skipped"; exit 77; }
[ -e "$(dirname "$BIN")/../lib/quillmoor/libquillmoor-speech.so" ] || { echo "built without speech: skipped"; exit 77; }
[ -x /usr/libexec/at-spi-bus-launcher ] && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null \
    || { echo "no at-spi2-core or python3-pyatspi: skipped"; exit 77; }
[ -n "${E2E_IN_DBUS:-}" ] || E2E_IN_DBUS=1 exec dbus-run-session -- bash "$0" "$@"
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$(mktemp -d)}
mkdir -p "$E2E_ARTIFACTS"
SINK=$(pactl list short sinks | awk '$2 == "nullsink" {print $2}')
[ -n "$SINK" ] || { echo "no null sink: skipped"; exit 77; }

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$E2E_ARTIFACTS/atspi-readaloud.log" 2>&1 &
ATSPI_PID=$!
sleep 1
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
E2E_PULSE_SERVER="unix:$(pactl info | awk -F': ' '/^Server String/ {print $2}')"
export E2E_PULSE_SERVER
e2e_start_to_menu readaloud
WAV="$E2E_ARTIFACTS/readaloud.wav"
trap 'kill $APP_PID $ATSPI_PID $REC_PID 2>/dev/null; rm -rf "$E2E_HOME"' EXIT
walk() { /usr/bin/python3 "$HERE/atspi.py" "$@"; }

walk press "Other Planets" >/dev/null || e2e_fail "no \"Other Planets\" push button"
walk press "Multiple Choice" >/dev/null || e2e_fail "no \"Multiple Choice\" push button"
walk wait-text "Read aloud" || e2e_fail "no read-aloud button: the speech engine did not start"
parec -d "$SINK.monitor" --latency-msec=20 --file-format=wav "$WAV" &
REC_PID=$!
# Pressed only once the recording runs (parec takes a while to start writing).
for _ in $(seq 50); do [ "$(stat -c %s "$WAV" 2>/dev/null || echo 0)" -gt 20000 ] && break; sleep 0.1; done
walk press "Read aloud" >/dev/null || e2e_fail "cannot press \"Read aloud\""
# The question and four answers take about 8 s to say; under load the engine may start late.
sleep 10
kill -INT $REC_PID; wait $REC_PID 2>/dev/null
/usr/bin/python3 - "$WAV" <<'PY' || e2e_fail "read-aloud was silence"
import array, os, sys, wave
path = sys.argv[1]
w = wave.open(path)
rate, channels = w.getframerate(), w.getnchannels()
samples = array.array("h", w.readframes(w.getnframes()))
peak = max((abs(s) for s in samples), default=0) / 32768
print("peak %.2f over %.1f s" % (peak, len(samples) / channels / rate))
sys.exit(0 if peak > 0.05 else 1)
PY
echo "PASS: read-aloud on question 1 is heard"
