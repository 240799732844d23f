#!/bin/bash
# The real program on a private accessibility bus, walked as a screen reader walks it: the menu's
# "Other Planets" push button pressed through its AT-SPI action, then the hub's "Multiple Choice",
# and the quiz's first question is there to be read. On each screen visited every shown,
# actionable object has a name.
BIN=${1:?usage: accessibility.sh PATH-TO-quillmoor}
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
[ -x /usr/libexec/at-spi-bus-launcher ] && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null \
    || { echo "no at-spi2-core or python3-pyatspi: skipped"; exit 77; }
# A session bus of our own, gone when the test ends.
[ -n "${E2E_IN_DBUS:-}" ] || E2E_IN_DBUS=1 exec dbus-run-session -- bash "$0" "$@"
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$(mktemp -d)}
mkdir -p "$E2E_ARTIFACTS"
BANK="$(dirname "$BIN")/../share/quillmoor/multiple/Other Planets.txt"
QUESTION1=$(tr -d '\r' < "$BANK" | sed -n 3p | sed 's/^"//; s/"$//')

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$E2E_ARTIFACTS/atspi.log" 2>&1 &
ATSPI_PID=$!
sleep 1
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
e2e_start_to_menu accessibility
trap 'kill $APP_PID 2>/dev/null; kill $ATSPI_PID 2>/dev/null; rm -rf "$E2E_HOME"' EXIT
walk() { /usr/bin/python3 "$HERE/atspi.py" "$@"; }

walk wait-text "Other Planets" || e2e_fail "the menu's buttons are not on the accessibility bus"
walk unnamed || e2e_fail "the menu has actionable objects without a name"
walk press "Other Planets" || e2e_fail "no \"Other Planets\" push button"
walk wait-text "Multiple Choice" || e2e_fail "the hub did not open"
walk unnamed || e2e_fail "the hub has actionable objects without a name"
walk press "Multiple Choice" || e2e_fail "no \"Multiple Choice\" push button"
walk wait-text "$QUESTION1" || e2e_fail "the quiz's question \"$QUESTION1\" is not exposed"
walk unnamed || e2e_fail "the quiz has actionable objects without a name"
e2e_shot accessibility-quiz
echo "PASS: pressed through AT-SPI to the quiz; question 1 exposed; no unnamed controls"
