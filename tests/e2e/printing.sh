#!/bin/bash
# The real program prints on the default printer of the tests' own print server (a capturing
# CUPS queue, scripts/services.sh); the captured PDFs are read with pdftotext and pdftoppm:
# - the teachers' guide prints the page on show (page 2), not another;
# - a worksheet whose title wraps: the title is broken between words, its question lines start at
#   a sixteenth of the printable width and answers at a third and two thirds, every question and
#   answer is on the paper, none past the printable area's foot, the last ones on page 2;
# - after full marks and a typed name, a one-page certificate: "Well Done" on its first and last
#   lines of text, the name and the score centred, and the product title printed in red.
BIN=${1:?usage: printing.sh PATH-TO-quillmoor}
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
if [ -z "${QUILLMOOR_PRINT_SPOOL:-}" ] || [ -z "${CUPS_SERVER:-}" ] || ! lpstat -d 2>/dev/null | grep -q CAPTURE; then
    echo "no private capturing print server (scripts/services.sh start_printing): skipped"; exit 77
fi
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$(mktemp -d)}
mkdir -p "$E2E_ARTIFACTS"
BANK="$(dirname "$BIN")/../share/quillmoor/multiple/Other Planets.txt"
mapfile -t RIGHT < <(tr -d '\r' < "$BANK" | awk 'NR >= 8 && (NR - 8) % 7 == 0')
mapfile -t ASKED < <(tr -d '\r' < "$BANK" | awk 'NR >= 3 && (NR - 3) % 7 == 0' | tr '&' ',')
LAST_D=$(tr -d '\r' < "$BANK" | sed -n 70p | tr '&' ',')                # question 10's answer D
TITLE="A Very Long Worksheet Title About the Other Planets of Our Solar System: Their Moons and Rings, \
Storms and Seasons, Years and Days, Weather and Temperatures, for Class Four to Read and Answer"
TITLE=${TITLE//,/}  # a comma would end the field
jobs_now() { find "$QUILLMOOR_PRINT_SPOOL" -name '*.pdf' | wc -l; }
next_job() {  # waits for a job beyond $1 in the spool; prints its path
    for _ in $(seq 200); do
        [ "$(jobs_now)" -gt "$1" ] && { ls -t "$QUILLMOOR_PRINT_SPOOL"/*.pdf | head -1; return 0; }
        sleep 0.1
    done
    return 1
}
xmin() { grep -m1 ">$2<" "$1" | sed -E 's/.*xMin="([0-9.]+)".*/\1/'; }
near() { awk -v a="$1" -v b="$2" 'BEGIN{exit !(a - b < 1.5 && b - a < 1.5)}'; }
flat() { pdftotext "$1" - | tr -s ' \n\f' '  '; }  # the document's words on one line

e2e_start_to_menu printing

# The teachers' guide, page 2.
e2e_click $(( mx + 8 + 102 )) $(( my + 96 + 16 ))                 # Teachers' Guide
sleep 0.8
e2e_click $(( mx + 448 + 89 )) $(( my + 528 + 16 ))              # Next Page
sleep 0.5
jobs=$(jobs_now)
e2e_click $(( mx + 712 + 37 )) $(( my + 8 + 16 ))                # Print
guide=$(next_job "$jobs") || e2e_fail "the guide's page did not reach the printer"
cp "$guide" "$E2E_ARTIFACTS/guide-page2.pdf"
text=$(flat "$guide")
grep -qF "Pupils' Activities" <<<"$text" && grep -qF "Ordering and labelling" <<<"$text" || e2e_fail "guide page 2 is not on the paper"
grep -qF "Writing a worksheet" <<<"$text" && e2e_fail "guide page 3 was printed"
echo "guide: page 2 printed"
e2e_click $(( mx + 712 + 37 )) $(( my + 528 + 16 ))              # Exit
sleep 0.5

# The quiz reads the teacher's copy of the bank, with a long title, before the data folder's.
mkdir -p "$E2E_HOME/quillmoor/multiple"
{ printf '%s\r\n' "$TITLE"; tail -n +2 "$BANK"; } >"$E2E_HOME/quillmoor/multiple/Other Planets.txt"
e2e_click $(( mx + 346 )) $(( my + 420 ))                        # Other Planets
sleep 0.8
e2e_click $(( mx + 8 + 106 )) $(( my + 528 + 16 ))                # Multiple Choice
sleep 0.8

jobs=$(jobs_now)
e2e_click $(( mx + 528 + 100 )) $(( my + 128 + 16 ))              # Print Worksheet
sleep 1; xdotool key Return                                      # "Your worksheet is now printing."
sheet=$(next_job "$jobs") || e2e_fail "no worksheet reached the printer"
cp "$sheet" "$E2E_ARTIFACTS/worksheet.pdf"
pdftotext -bbox "$sheet" "$E2E_ARTIFACTS/worksheet.html"
page=$(pdfinfo "$sheet" | awk '/^Page size/{print $3}')
height=$(pdfinfo "$sheet" | awk '/^Page size/{print $5}')
pages=$(pdfinfo "$sheet" | awk '/^Pages:/{print $2}')
# The printable area starts 10 pt in on this raw queue, and is the page less 10 pt each side.
W=$(awk -v p="$page" 'BEGIN{print p - 20}')
q=$(xmin "$E2E_ARTIFACTS/worksheet.html" Question); a=$(xmin "$E2E_ARTIFACTS/worksheet.html" A.); b=$(xmin "$E2E_ARTIFACTS/worksheet.html" B.)
echo "worksheet: $pages pages; Question at $q, A. at $a, B. at $b (printable width $W pt)"
near "$q" "$(awk -v w="$W" 'BEGIN{print 10 + w / 16}')" || e2e_fail "question line not at W/16"
near "$a" "$(awk -v w="$W" 'BEGIN{print 10 + w / 3}')" || e2e_fail "answer A not at W/3"
near "$b" "$(awk -v w="$W" 'BEGIN{print 10 + 2 * w / 3}')" || e2e_fail "answer B not at 2W/3"
[ "$pages" -ge 2 ] || e2e_fail "the wrapped title should have pushed the last questions on to page 2"
text=$(flat "$sheet")
grep -qF "$TITLE" <<<"$text" || e2e_fail "the title is not whole on the paper"
for n in $(seq 10); do
    grep -qF "Question $n " <<<"$text" && grep -qF "${ASKED[$((n - 1))]}" <<<"$text" || e2e_fail "question $n is not on the paper"
done
grep -qF "D. $LAST_D" <<<"$text" || e2e_fail "question 10's last answer is not on the paper"
over=$(grep -o 'yMax="[0-9.]*"' "$E2E_ARTIFACTS/worksheet.html" | tr -dc '0-9.\n' | awk -v h="$height" '$1 > h - 10' | wc -l)
[ "$over" -eq 0 ] || e2e_fail "$over words pass the printable area's foot"
pdftotext -f 2 -l 2 "$sheet" - | grep -q 'Question 10' || e2e_fail "question 10 is not on page 2"

for n in $(seq 10); do
    e2e_click $(( mx + 160 + 120 )) $(( my + 360 + 40 * (${RIGHT[$((n - 1))]} - 1) + 17 ))
    e2e_click $(( mx + 400 + 125 )) $(( my + 528 + 16 )); sleep 0.15
done
sleep 1
xdotool type --delay 30 "Sam Jones"                             # the name box has the focus
jobs=$(jobs_now)
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

# The product title, rasterised at 72 dpi (1 px = 1 pt): its box holds red ink, not grey.
box=$(grep -m1 '<word.*>Quillmoor<' "$E2E_ARTIFACTS/certificate.html" \
      | sed -E 's/.*xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)".*/\1 \2 \3 \4/')
read -r x0 y0 x1 y1 <<<"$box"
pdftoppm -r 72 -png -singlefile "$cert" "$E2E_ARTIFACTS/certificate"
crop=$(awk -v a="$x0" -v b="$y0" -v c="$x1" -v d="$y1" 'BEGIN{printf "%dx%d+%d+%d", c - a, d - b, a, b}')
ink() {  # pixels of the title's box near the colour $1, as "R,G,B" 0-255
    /usr/bin/convert "$E2E_ARTIFACTS/certificate.png" -crop "$crop" +repage txt:- \
        | sed -nE 's/^[0-9]+,[0-9]+: \(([0-9.]+),([0-9.]+),([0-9.]+).*/\1 \2 \3/p' \
        | awk -v want="$1" 'BEGIN{split(want, w, ",")} {d = ($1-w[1])^2 + ($2-w[2])^2 + ($3-w[3])^2; if (d < 60^2) n++} END{print n + 0}'
}
red=$(ink 255,0,0); grey=$(ink 87,87,87)
echo "certificate: title box $crop holds $red red and $grey grey pixels"
[ "$red" -gt 50 ] || e2e_fail "the product title is not printed in red"

# A printer that has only grey (its description says so) still takes the certificate, and its
# red title comes out as a dark grey. The queue lives on the tests' own server only.
grey_queue() {
    local ppd="$E2E_HOME/grey.ppd"
    cat >"$ppd" <<'PPD'
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "GREY.PPD"
*Manufacturer: "Quillmoor tests"
*Product: "(Grey capture)"
*ModelName: "Grey capture"
*ShortNickName: "Grey capture"
*NickName: "Grey capture"
*PSVersion: "(3010.000) 0"
*ColorDevice: False
*DefaultColorSpace: Gray
*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 -"
*OpenUI *PageSize/Media Size: PickOne
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 18 577 824"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
PPD
    /usr/sbin/lpadmin -p GREY -E -v capture:/ -P "$ppd" >/dev/null 2>&1 && /usr/sbin/lpadmin -d GREY
}
grey_queue || e2e_fail "could not add the grey queue"
trap '/usr/sbin/lpadmin -d CAPTURE; /usr/sbin/lpadmin -x GREY; kill $APP_PID 2>/dev/null; rm -rf "$E2E_HOME"' EXIT
jobs=$(jobs_now)
e2e_click $(( mx + 16 + 125 )) $(( my + 120 + 16 ))               # Print Certificate, again
sleep 1; xdotool key Return
grey=$(next_job "$jobs") || e2e_fail "the grey printer did not take the certificate"
cp "$grey" "$E2E_ARTIFACTS/certificate-grey.pdf"
pdftoppm -r 72 -gray -singlefile "$grey" "$E2E_ARTIFACTS/certificate-grey"
box=$(pdftotext -bbox "$grey" - | grep -m1 '<word.*>Quillmoor<' \
      | sed -E 's/.*xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)".*/\1 \2 \3 \4/')
read -r x0 y0 x1 y1 <<<"$box"
crop=$(awk -v a="$x0" -v b="$y0" -v c="$x1" -v d="$y1" 'BEGIN{printf "%dx%d+%d+%d", c - a, d - b, a, b}')
darkest=$(/usr/bin/convert "$E2E_ARTIFACTS/certificate-grey.pgm" -crop "$crop" +repage -format '%[fx:int(255*minima)]' info:)
echo "certificate on a grey printer: the title's darkest grey is $darkest of 255"
[ "$darkest" -lt 128 ] || e2e_fail "the title is too pale to read in grey ($darkest)"
echo "printing: ok"
