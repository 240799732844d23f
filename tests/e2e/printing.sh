#!/bin/bash
# The real program prints, on the default printer (a capturing CUPS queue), a worksheet from the
# quiz and, after full marks and a typed name, a certificate. The captured PDFs are read with
# pdftotext -bbox: the worksheet's question lines start at a sixteenth of the printable width and
# its answers at a third and two thirds; the certificate is one page, "Well Done" on its first and
# last lines of text, the name and the score centred.
BIN=${1:?usage: printing.sh PATH-TO-quillmoor}
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
if [ -z "${QUILLMOOR_PRINT_SPOOL:-}" ] || ! lpstat -d 2>/dev/null | grep -q CAPTURE; then
    echo "no capturing default printer: skipped"; exit 77
fi
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$(mktemp -d)}
mkdir -p "$E2E_ARTIFACTS"
BANK="$(dirname "$BIN")/../share/quillmoor/multiple/Other Planets.txt"
mapfile -t RIGHT < <(tr -d '\r' < "$BANK" | awk 'NR >= 8 && (NR - 8) % 7 == 0')
next_job() {  # waits for a job beyond $1 in the spool; prints its path
    local j
    for _ in $(seq 200); do
        j=$(ls -t "$QUILLMOOR_PRINT_SPOOL"/*.pdf 2>/dev/null | head -1)
        [ "$(ls "$QUILLMOOR_PRINT_SPOOL" | wc -l)" -gt "$1" ] && { sleep 0.5; echo "$j"; return 0; }
        sleep 0.1
    done
    return 1
}
xmin() { grep -m1 ">$2<" "$1" | sed -E 's/.*xMin="([0-9.]+)".*/\1/'; }
near() { awk -v a="$1" -v b="$2" 'BEGIN{exit !(a - b < 1.5 && b - a < 1.5)}'; }

e2e_start_to_menu printing
e2e_click $(( mx + 346 )) $(( my + 420 ))                        # Other Planets
sleep 0.8
e2e_click $(( mx + 8 + 106 )) $(( my + 528 + 16 ))                # Multiple Choice
sleep 0.8

jobs=$(ls "$QUILLMOOR_PRINT_SPOOL" | wc -l)
e2e_click $(( mx + 528 + 100 )) $(( my + 128 + 16 ))              # Print Worksheet
sleep 1; xdotool key Return                                      # "Your worksheet is now printing."
sheet=$(next_job "$jobs") || e2e_fail "no worksheet reached the printer"
cp "$sheet" "$E2E_ARTIFACTS/worksheet.pdf"
pdftotext -bbox -f 1 -l 1 "$sheet" "$E2E_ARTIFACTS/worksheet.html"
page=$(pdfinfo "$sheet" | awk '/^Page size/{print $3}')
# The printable area starts 10 pt in on this raw queue, and is the page less 10 pt each side.
W=$(awk -v p="$page" 'BEGIN{print p - 20}')
q=$(xmin "$E2E_ARTIFACTS/worksheet.html" Question); a=$(xmin "$E2E_ARTIFACTS/worksheet.html" A.); b=$(xmin "$E2E_ARTIFACTS/worksheet.html" B.)
echo "worksheet: Question at $q, A. at $a, B. at $b (printable width $W pt)"
near "$q" "$(awk -v w="$W" 'BEGIN{print 10 + w / 16}')" || e2e_fail "question line not at W/16"
near "$a" "$(awk -v w="$W" 'BEGIN{print 10 + w / 3}')" || e2e_fail "answer A not at W/3"
near "$b" "$(awk -v w="$W" 'BEGIN{print 10 + 2 * w / 3}')" || e2e_fail "answer B not at 2W/3"

for n in $(seq 10); do
    e2e_click $(( mx + 160 + 120 )) $(( my + 360 + 40 * (${RIGHT[$((n - 1))]} - 1) + 17 ))
    e2e_click $(( mx + 400 + 125 )) $(( my + 528 + 16 )); sleep 0.15
done
sleep 1
xdotool type --delay 30 "Sam Jones"                             # the name box has the focus
jobs=$(ls "$QUILLMOOR_PRINT_SPOOL" | wc -l)
e2e_click $(( mx + 16 + 125 )) $(( my + 120 + 16 ))               # Print Certificate
sleep 1; xdotool key Return                                      # "Your certificate is now printing."
cert=$(next_job "$jobs") || e2e_fail "no certificate reached the printer"
cp "$cert" "$E2E_ARTIFACTS/certificate.pdf"
[ "$(pdfinfo "$cert" | awk '/^Pages:/{print $2}')" = 1 ] || e2e_fail "the certificate is not one page"
pdftotext -bbox "$cert" "$E2E_ARTIFACTS/certificate.html"
words=$(grep -o '<word[^>]*>[^<]*</word>' "$E2E_ARTIFACTS/certificate.html" | sed -E 's/.*yMin="([0-9.]+)".*>([^<]*)<\/word>/\1 \2/' | sort -n)
first=$(head -1 <<<"$words" | cut -d' ' -f1)
last=$(tail -1 <<<"$words" | cut -d' ' -f1)
for y in "$first" "$last"; do  # every word of the first and the last line is "Well" or "Done"
    line=$(awk -v y="$y" '$1 == y {print $2}' <<<"$words" | sort -u | tr '\n' ' ')
    [ "$line" = "Done Well " ] || e2e_fail "a banner line holds: $line"
done
centre() {  # the centre of a line of words, from its first word's left to its last word's right
    local l r
    l=$(grep -m1 ">$1<" "$E2E_ARTIFACTS/certificate.html" | sed -E 's/.*xMin="([0-9.]+)".*/\1/')
    r=$(grep -m1 ">$2<" "$E2E_ARTIFACTS/certificate.html" | sed -E 's/.*xMax="([0-9.]+)".*/\1/')
    awk -v l="$l" -v r="$r" 'BEGIN{print (l + r) / 2}'
}
mid=$(awk -v p="$page" 'BEGIN{print p / 2}')
c1=$(centre Sam Jones); c2=$(centre You 10.)
echo "certificate: name centred at $c1, score at $c2 (page centre $mid)"
near "$c1" "$mid" || e2e_fail "the name is not centred"
near "$c2" "$mid" || e2e_fail "the score is not centred"
echo "printing: ok"
