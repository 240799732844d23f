#!/bin/bash
# The real program under Xvfb: the "Other Planets" hub's animation moves (two screenshots differ
# where Jupiter turns), and Key Facts page 2 printed on the default printer (a capturing CUPS
# queue) gives one page with the page's words, the picture's top-left corner 1000 twips (50 pt)
# from the printable area's corner.
BIN=${1:?usage: viewers.sh PATH-TO-quillmoor}
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$(mktemp -d)}
mkdir -p "$E2E_ARTIFACTS"
home=$(mktemp -d)
trap 'kill $APP_PID 2>/dev/null; rm -rf "$home"' EXIT

env XDG_DATA_HOME="$home" "$BIN" >"$E2E_ARTIFACTS/viewers.log" 2>&1 &
APP_PID=$!
pos=$(e2e_screen 364 438) || e2e_fail "no title screen"
read -r tx ty <<<"$pos"
e2e_click $(( tx + 132 )) $(( ty + 412 ))                       # OK
pos=$(e2e_screen 800 600) || e2e_fail "no menu"
read -r mx my <<<"$pos"
e2e_click $(( mx + 236 + 110 )) $(( my + 408 + 12 ))             # Other Planets
sleep 1
xdotool mousemove $(( mx + 400 )) $(( my + 60 ))
shot() { import -window root -crop 300x300+$(( mx + 250 ))+$(( my + 150 )) "$E2E_ARTIFACTS/$1.png"; }
shot jupiter-a; sleep 0.6; shot jupiter-b
diff=$(/usr/bin/compare -metric AE "$E2E_ARTIFACTS/jupiter-a.png" "$E2E_ARTIFACTS/jupiter-b.png" null: 2>&1)
echo "pixels changed between two screenshots 0.6 s apart: $diff"
[ "${diff%%.*}" -gt 500 ] 2>/dev/null || e2e_fail "the animation does not move ($diff)"

if [ -z "${QUILLMOOR_PRINT_SPOOL:-}" ] || [ -z "${CUPS_SERVER:-}" ] || ! lpstat -d 2>/dev/null | grep -q CAPTURE; then
    echo "no capturing default printer: the printing part is left out"
    exit 0
fi
before=$(ls "$QUILLMOOR_PRINT_SPOOL"/*.pdf 2>/dev/null | wc -l)
e2e_click $(( mx + 424 + 66 )) $(( my + 8 + 16 ))                # Key Facts
sleep 0.8
e2e_click $(( mx + 448 + 89 )) $(( my + 528 + 16 ))              # Next Page
sleep 0.5
e2e_shot viewer-page2
e2e_click $(( mx + 712 + 37 )) $(( my + 8 + 16 ))                # Print
job=""
for _ in $(seq 200); do
    [ "$(ls "$QUILLMOOR_PRINT_SPOOL"/*.pdf 2>/dev/null | wc -l)" -gt "$before" ] && { job=$(ls -t "$QUILLMOOR_PRINT_SPOOL"/*.pdf | head -1); break; }
    sleep 0.1
done
[ -n "$job" ] || e2e_fail "nothing reached the printer"
sleep 0.5
cp "$job" "$E2E_ARTIFACTS/keyfacts-page2.pdf"
pages=$(pdfinfo "$job" | awk '/^Pages:/{print $2}')
[ "$pages" = 1 ] || e2e_fail "$pages pages printed"
pdftotext -bbox "$job" "$E2E_ARTIFACTS/keyfacts-page2.html"
grep -q '>Rocky<' "$E2E_ARTIFACTS/keyfacts-page2.html" && grep -q '>Mercury<' "$E2E_ARTIFACTS/keyfacts-page2.html" \
    || e2e_fail "the page's words are not on the paper"
# The title's first word starts at the picture's top-left corner: 1000 twips (50 pt) into the
# printable area, which on this raw queue begins 10 pt in from the page's edges (Qt's margins
# for a printer without a PPD). Its box's top is the top of the picture.
word=$(grep '>The<' "$E2E_ARTIFACTS/keyfacts-page2.html" | head -1)
x=$(sed -E 's/.*xMin="([0-9.]+)".*/\1/' <<<"$word")
y=$(sed -E 's/.*yMin="([0-9.]+)".*/\1/' <<<"$word")
echo "printed title starts at x = $x pt, top y = $y pt"
awk -v x="$x" -v y="$y" 'BEGIN{exit !(x > 59.5 && x < 60.5 && y > 58 && y < 63)}' || e2e_fail "the picture is not 1000 twips in ($x, $y pt)"
echo "viewers: ok"
