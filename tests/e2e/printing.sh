#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program prints on the default printer of the tests' own print server (a capturing
# CUPS queue, scripts/services.sh); the captured PDFs are read with pdftotext and pdftoppm:
# - Key Facts prints the page on show (page 2) alone, its picture's top-left corner 1000 twips
#   (50 pt) from the printable area's corner;
# - a worksheet whose title wraps: the title whole, question 10's last answer there, none past the
#   printable area's foot, the last question on page 2 (where each line starts, in twips, is the
#   worksheet's golden file in tst_quiz);
# - after full marks and a typed name, a one-page certificate, the name and the score centred and
#   the product title printed in red; on a printer that has only grey, a dark grey.
BIN=${1:?usage: printing.sh PATH-TO-quillmoor}
. "$(dirname "$0")/lib.sh"
e2e_need_display
if [ -z "${QUILLMOOR_PRINT_SPOOL:-}" ] || [ -z "${CUPS_SERVER:-}" ] || ! lpstat -d 2>/dev/null | grep -q CAPTURE; then
    echo "no private capturing print server (scripts/services.sh start_printing): skipped"; exit 77
fi
e2e_read_bank
TITLE="A Very Long Worksheet Title About the Other Planets of Our Solar System: Their Moons and Rings \
Storms and Seasons Years and Days Weather and Temperatures for Class Four to Read and Answer"

# print NAME CONTROL: presses CONTROL, answers the message after it (if any), waits for the new
# job and keeps it as NAME.pdf, with its words' boxes in NAME.html; prints the PDF's path
print() {
    local before; before=$(find "$QUILLMOOR_PRINT_SPOOL" -name '*.pdf' | wc -l)
    e2e_press "$2" 1
    [ "$2" = Print ] || xdotool key Return                       # "Your ... is now printing."
    for _ in $(seq 200); do
        if [ "$(find "$QUILLMOOR_PRINT_SPOOL" -name '*.pdf' | wc -l)" -gt "$before" ]; then
            cp "$(ls -t "$QUILLMOOR_PRINT_SPOOL"/*.pdf | head -1)" "$E2E_ARTIFACTS/$1.pdf"
            pdftotext -bbox "$E2E_ARTIFACTS/$1.pdf" "$E2E_ARTIFACTS/$1.html"
            echo "$E2E_ARTIFACTS/$1.pdf"; return 0
        fi
        sleep 0.1
    done
    e2e_fail "$1: nothing reached the printer"
}
box() { grep -m1 ">$2<" "$1" | sed -E 's/.*xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)".*/\1 \2 \3 \4/'; }
near() { awk -v a="$1" -v b="$2" 'BEGIN{exit !(a - b < 1.5 && b - a < 1.5)}'; }
pages() { pdfinfo "$1" | awk '/^Pages:/{print $2}'; }

e2e_start_to_menu printing
e2e_press "Other Planets"
e2e_press "Key Facts"
e2e_press "Next Page" 0.5
facts=$(print keyfacts-page2 Print) || exit 1
[ "$(pages "$facts")" = 1 ] || e2e_fail "Key Facts: not one page"
text=$(pdftotext "$facts" -)
grep -q Rocky <<<"$text" && grep -q Mercury <<<"$text" || e2e_fail "Key Facts page 2 is not on the paper"
grep -q Giant <<<"$text" && e2e_fail "Key Facts page 3 was printed"
# The title's first word starts at the picture's top-left corner: 1000 twips (50 pt) into the
# printable area, which on this raw queue begins 10 pt in from the page's edges (Qt's margins
# for a printer without a PPD).
read -r x y _ <<<"$(box "${facts%.pdf}.html" The)"
echo "printed title starts at x = $x pt, top y = $y pt"
awk -v x="$x" -v y="$y" 'BEGIN{exit !(x > 59.5 && x < 60.5 && y > 58 && y < 63)}' \
    || e2e_fail "the picture is not 1000 twips in ($x, $y pt)"
e2e_press Exit 0.5

# The quiz reads the teacher's copy of the bank, with a long title, before the data folder's.
mkdir -p "$E2E_HOME/quillmoor/multiple"
{ printf '%s\r\n' "$TITLE"; tail -n +2 "$BANK"; } >"$E2E_HOME/quillmoor/multiple/Other Planets.txt"
e2e_press "Multiple Choice"
sheet=$(print worksheet "Print Worksheet") || exit 1
read -r page height < <(pdfinfo "$sheet" | awk '/^Page size/{print $3, $5}')
text=$(pdftotext "$sheet" - | tr -s ' \n\f' '  ')
grep -qF "$TITLE" <<<"$text" || e2e_fail "the title is not whole on the paper"
grep -qF "D. $(tr -d '\r' <"$BANK" | sed -n 70p | tr '&' ',')" <<<"$text" || e2e_fail "question 10's answer D is not on the paper"
over=$(grep -o 'yMax="[0-9.]*"' "${sheet%.pdf}.html" | tr -dc '0-9.\n' | awk -v h="$height" '$1 > h - 10' | wc -l)
[ "$over" -eq 0 ] || e2e_fail "$over words pass the printable area's foot"
pdftotext -f 2 -l 2 "$sheet" - | grep -q 'Question 10' || e2e_fail "question 10 is not on page 2"

e2e_answer_all
sleep 1
xdotool type --delay 30 "Sam Jones"                              # the name box has the focus
cert=$(print certificate "Print Certificate") || exit 1
[ "$(pages "$cert")" = 1 ] || e2e_fail "the certificate is not one page"
centre() {  # the centre of a line of words, from its first word's left to its last word's right
    local l r
    read -r l _ < <(box "${cert%.pdf}.html" "$1"); read -r _ _ r _ < <(box "${cert%.pdf}.html" "$2")
    awk -v l="$l" -v r="$r" 'BEGIN{print (l + r) / 2}'
}
c1=$(centre Sam Jones); c2=$(centre You 10.)
echo "certificate: name centred at $c1, score at $c2 (page width $page)"
near "$c1" "$(awk -v p="$page" 'BEGIN{print p / 2}')" || e2e_fail "the name is not centred"
near "$c2" "$(awk -v p="$page" 'BEGIN{print p / 2}')" || e2e_fail "the score is not centred"

# title_crop PDF: the product title's box as a crop of the page rasterised at 72 dpi (1 px = 1 pt)
title_crop() {
    local x0 y0 x1 y1; read -r x0 y0 x1 y1 <<<"$(box "${1%.pdf}.html" Quillmoor)"
    awk -v a="$x0" -v b="$y0" -v c="$x1" -v d="$y1" 'BEGIN{printf "%dx%d+%d+%d", c - a, d - b, a, b}'
}
pdftoppm -r 72 -png -singlefile "$cert" "${cert%.pdf}"
red=$(/usr/bin/convert "${cert%.pdf}.png" -crop "$(title_crop "$cert")" +repage txt:- \
      | sed -nE 's/^[0-9]+,[0-9]+: \(([0-9.]+),([0-9.]+),([0-9.]+).*/\1 \2 \3/p' \
      | awk '{ if (($1 - 255)^2 + $2^2 + $3^2 < 60^2) n++ } END { print n + 0 }')
echo "certificate: the title's box holds $red red pixels"
[ "$red" -gt 50 ] || e2e_fail "the product title is not printed in red"

# A printer that has only grey (its description, grey-printer.ppd, says so) still takes the
# certificate, and its red title comes out as a dark grey. The queue lives on the tests' own
# server only.
/usr/sbin/lpadmin -p GREY -E -v capture:/ -P "$HERE/../data/grey-printer.ppd" >/dev/null 2>&1 && /usr/sbin/lpadmin -d GREY \
    || e2e_fail "could not add the grey queue"
trap '/usr/sbin/lpadmin -d CAPTURE; /usr/sbin/lpadmin -x GREY; kill $APP_PID 2>/dev/null; rm -rf "$E2E_HOME"' EXIT
grey=$(print certificate-grey "Print Certificate") || exit 1
pdftoppm -r 72 -gray -singlefile "$grey" "${grey%.pdf}"
darkest=$(/usr/bin/convert "${grey%.pdf}.pgm" -crop "$(title_crop "$grey")" +repage -format '%[fx:int(255*minima)]' info:)
echo "certificate on a grey printer: the title's darkest grey is $darkest of 255"
[ "$darkest" -lt 128 ] || e2e_fail "the title is too pale to read in grey ($darkest)"
echo "printing: ok"
