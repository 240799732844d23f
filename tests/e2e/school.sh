#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A school: one settings file for every computer, a shared worksheets folder and the register on
# a PostgreSQL server (a private one, on a Unix socket in a temporary folder). A technician adds
# a class from the command line, which sets up the server's tables. Two copies of the real program
# then run as two classroom computers, each under a name of its own (a UTS namespace): on
# "classroom-1", the teacher's, a worksheet is typed and saved to the shared folder and Amira takes
# the planets quiz; on "classroom-2", where the folder is mounted read-only, the worksheet runs
# and Ben takes the quiz, and the teacher's room there shows Amira's score from classroom-1. The
# server holds each attempt once, with its computer's name. (What --import-class says and the
# wizard's word on a read-only folder are checked by tst_register and tst_browser; the room's
# table by tst_room.) (Names are made up.)
BIN_REAL=${1:?usage: school.sh PATH-TO-quillmoor}
BIN=$BIN_REAL
. "$(dirname "$0")/lib.sh"
e2e_need_display
[ "$(id -u)" = 0 ] || { echo "computer names and a read-only mount need root: skipped"; exit 77; }
PGB=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
[ -x "$PGB/initdb" ] || { echo "no PostgreSQL server installed: skipped"; exit 77; }
unshare --uts --mount true 2>/dev/null || { echo "no namespaces here: skipped"; exit 77; }
e2e_on_atspi_bus "$@"
e2e_read_bank                                                    # the shipped bank, before BIN is a computer
E2E_ARTIFACTS=$E2E_ARTIFACTS/school
mkdir -p "$E2E_ARTIFACTS"
e2e_fail() { e2e_shot failure; echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
pg=$(mktemp -d)
chown nobody:nogroup "$pg"
as_pg() { runuser -u nobody -- "$@"; }
cleanup() {
    kill -9 "$APP_PID" 2>/dev/null
    kill "$ATSPI_PID" 2>/dev/null
    as_pg "$PGB/pg_ctl" -D "$pg/data" -m fast -w stop >/dev/null 2>&1
    rm -rf "$work" "$pg" "$E2E_HOME"
}
trap cleanup EXIT
E2E_ON_EXIT=cleanup  # kept by the program's own trap too: the server never outlives the test
as_pg "$PGB/initdb" -D "$pg/data" -A trust -U quillmoor --no-sync -E UTF8 --locale=C.UTF-8 >"$E2E_ARTIFACTS/initdb.log" 2>&1 \
    || e2e_fail "initdb failed"
as_pg "$PGB/pg_ctl" -D "$pg/data" -o "-k $pg -c listen_addresses='' -c fsync=off" -l "$pg/log" -w start >/dev/null \
    || e2e_fail "the server did not start"
sql() { "$PGB/psql" -X -q -A -t -v ON_ERROR_STOP=1 -h "$pg" -U quillmoor -d "${2:-register}" -c "$1"; }
sql "CREATE DATABASE register" postgres >/dev/null
sql "CREATE ROLE quillmoor_teachers; CREATE ROLE quillmoor_pupils; CREATE ROLE teacher LOGIN IN ROLE quillmoor_teachers" >/dev/null

# The technician's files: one settings file, one service file for each kind of login.
share=$work/share/multiple
mkdir -p "$share" "$work/etc/quillmoor"
cat >"$work/etc/quillmoor/quillmoor.conf" <<EOF
[worksheets]
folder=$share
[register]
store=postgresql
service=quillmoor
EOF
for role in quillmoor teacher; do
    printf '[quillmoor]\nhost=%s\ndbname=register\nuser=%s\nconnect_timeout=3\n' "$pg" "$role" >"$work/$role.conf"
done
export E2E_CONFIG_DIRS=$work/etc

printf 'Name\r\nAmira\r\nBen\r\n' >"$work/class.csv"
PGSERVICEFILE=$work/quillmoor.conf XDG_CONFIG_DIRS=$work/etc XDG_DATA_HOME=$work/technician "$BIN_REAL" --import-class "Class 4B" "$work/class.csv" \
    >/dev/null || e2e_fail "--import-class on the server failed"
[ "$(sql "SELECT version FROM schema_version")" = 1 ] || e2e_fail "the server's tables were not made"

# computer NAME [ro]: BIN becomes the program run as the computer NAME (the share read-only there)
computer() {
    cat >"$work/$1" <<EOF
#!/bin/sh
exec unshare --uts --mount sh -c 'hostname $1; [ "${2:-}" = ro ] && mount --bind -o ro "$share" "$share"; exec "\$0" "\$@"' "$BIN_REAL" "\$@"
EOF
    chmod +x "$work/$1"
    BIN=$work/$1
}
start() {  # start LOGNAME: the program to its menu, each computer with a home of its own
    [ -n "${E2E_HOME:-}" ] && rm -rf "$E2E_HOME"
    unset E2E_KEEP_HOME
    e2e_start_to_menu "$1"
    walk wait-text "Class Register" || e2e_fail "$1: the menu is not on the accessibility bus"
}
leave() {  # by the menu's Exit, which must end the program cleanly
    e2e_press Exit 0
    e2e_title_at || e2e_fail "no exit screen"
    e2e_press_at "$tx" "$ty" "title Exit"
    e2e_exits_with 0 15
}
export PGSERVICEFILE=$work/teacher.conf

# classroom-1, the teacher's computer: a worksheet typed and saved to the share; Amira's quiz.
computer classroom-1
start classroom-1
e2e_press "Multiple Choice Wizard"
e2e_write_worksheet "Magnets"
walk wait-text "Your worksheet has been saved." || e2e_fail "the worksheet was not saved on the teacher's computer"
xdotool key Return; sleep 0.5
[ -f "$share/Magnets.txt" ] && grep -q "^Magnets" "$share/track.txt" || e2e_fail "the worksheet is not in the shared folder"
e2e_press Exit 0.5
quiz_as Amira 3
walk wait-text "Good work. You have scored 9 out of 10." || e2e_fail "Amira's quiz did not score 9"
e2e_press Exit; e2e_press Exit
leave

# classroom-2: the share read-only. The worksheet runs for Ben, and his quiz; the teacher's room,
# behind the PIN chosen now, shows what was done on classroom-1.
computer classroom-2 ro
start classroom-2
e2e_press "Worksheet Catalogue"
press Magnets 1                                                  # in classroom-2's catalogue
press Ben 1                                                      # on the picker
walk wait-text "Question 1" || e2e_fail "the shared worksheet does not run on classroom-2"
RIGHT=(1 1 1 1 1 1 1 1 1 1)
e2e_answer_all
e2e_full_marks "Ben's worksheet"
e2e_press Exit; e2e_press Exit
quiz_as Ben 4 5
walk wait-text "Good work. You have scored 8 out of 10." || e2e_fail "Ben's quiz did not score 8"
e2e_press Exit; e2e_press Exit
press "Class Register"
walk wait-part "Choose a teacher's PIN" || e2e_fail "no PIN to choose"
xdotool type --delay 30 2468; xdotool key Return
xdotool type --delay 30 2468; xdotool key Return
walk wait-text "New Class" || e2e_fail "the PIN did not open the teacher's room"
click_on "page tab" "Results"
walk table Results >"$E2E_ARTIFACTS/table.tsv" || e2e_fail "no results table"
got=$(awk -F'\t' 'NR == 1 { for (i = 2; i <= NF; i++) if ($i == "Other Planets: Multiple Choice") c = i }
                  $1 == "Amira" { print $c }' "$E2E_ARTIFACTS/table.tsv")
[ "$got" = "9 out of 10" ] || e2e_fail "Amira's quiz on classroom-1 shows as \"$got\" in the room on classroom-2"
e2e_press "the room's Exit"
leave

rows=$(sql "SELECT p.name || ' ' || a.activity || ' ' || a.score || ' ' || a.computer FROM attempts a
            JOIN pupils p ON p.id = a.pupil_id ORDER BY a.ended")
expected="Amira Other Planets: Multiple Choice 9 classroom-1
Ben Magnets 10 classroom-2
Ben Other Planets: Multiple Choice 8 classroom-2"
[ "$rows" = "$expected" ] || e2e_fail "the server holds: $(printf '\n%s' "$rows")"
echo "school: a class from the command line; a worksheet shared; three attempts from two computers, each once on the server"
