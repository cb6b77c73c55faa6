#!/usr/bin/env bash
# Every page lands on the sheet of a CUPS queue where the built-in "Tisk do PDF" puts it, whatever
# the queue's unprintable margins and resolution: the words of the letter (pdftotext -bbox) and
# the ink of the cutting plan (rendered at 288 dpi) stand within 0.5 pt of where they stand in
# the built-in printer's PDF, with the same pages and lines. (Spool jobs print upright; landscape
# sheets are compared in the printing layer's own CUPS test.) Run under
# with-private-cups.sh; the queues are added here, each a file: device behind a PPD made from
# the tests' own.
source "$(dirname "$0")/e2e-lib.sh"
source "$(dirname "$0")/cups-lib.sh"

readonly PPD=$OSTRELIN_SOURCE_DIR/tests/platform/printing/ostrelin-test.ppd
readonly LETTER=$OSTRELIN_SOURCE_DIR/examples/DOPIS.QSF
readonly PLAN=$OSTRELIN_SOURCE_DIR/examples/PLAN.QSF

# Adds queue NAME whose A4 and Letter sheets have the imageable areas given (PostScript points,
# "left bottom right top"), printing at RESOLUTION ("300dpi", "600x1200dpi"), with DEFAULT media.
add_queue() {
    local name=$1 a4_area=$2 letter_area=$3 resolution=$4 media=$5
    local x=${resolution%dpi} y
    y=${x#*x}
    x=${x%x*}
    sed -e "s|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: \"$a4_area\"|" \
        -e "s|^\*ImageableArea Letter/US Letter: .*|*ImageableArea Letter/US Letter: \"$letter_area\"|" \
        -e "s|^\*DefaultResolution: .*|*DefaultResolution: $resolution|" \
        -e "s|^\*Resolution 600dpi/600 DPI: .*|*Resolution $resolution/$resolution: \"<</HWResolution[$x $y]>>setpagedevice\"|" \
        "$PPD" >"$E2E_BASE/$name.ppd"
    lpadmin -p "$name" -E -v "file:$OSTRELIN_CUPS_OUT/$name.pdf" -P "$E2E_BASE/$name.ppd" \
        -o media-default="$media"
}

#         name          A4 imageable area           Letter imageable area      resolution   default
add_queue q_nomargin    "0 0 595 842"               "0 0 612 792"              300dpi       iso_a4_210x297mm
add_queue q_5mm         "14.17 14.17 581 827.8"     "14.17 14.17 597.8 777.8"  600dpi       iso_a4_210x297mm
add_queue q_letter      "18 18 577 806"             "18 18 594 756"            600dpi       na_letter_8.5x11in
add_queue q_asym        "28.35 8.5 589.3 799.5"     "28.35 8.5 606.3 749.5"    600x1200dpi  iso_a4_210x297mm
readonly QUEUES=(q_nomargin q_5mm q_letter q_asym)

# Prints JOB on QUEUE with the renderer and waits until the queue has written it; the PDF CUPS
# produced becomes OUT.
print_on_queue() {
    local job=$1 queue=$2 out=$3 before
    before=$(queue_jobs "$queue")
    "$OSTRELIN_RENDER" "$job" --printer "$queue" >/dev/null || fail "printing $job on $queue"
    wait_until "$queue to complete its job" queue_has_jobs "$queue" $((before + 1))
    cp "$OSTRELIN_CUPS_OUT/$queue.pdf" "$out"
}

# The ink of page 1 rendered at 288 dpi as it lies on the unturned page box: width, height,
# left and top in pixels of a quarter point.
ink_of() {
    local pdf=$1 rotation
    rotation=$(pdfinfo -f 1 -l 1 "$pdf" | sed -n 's/^Page *1 rot: *//p')
    pdftoppm -r 288 -f 1 -l 1 -gray "$pdf" "$E2E_BASE/ink"
    convert "$E2E_BASE"/ink-1.pgm -rotate $(((360 - ${rotation:-0}) % 360)) -threshold 50% -trim \
        -format '%w %h %X %Y\n' info: | tr -d '+'
    rm -f "$E2E_BASE"/ink-1.pgm
}

expect_same_ink() {
    local got=$1 want=$2 what=$3 a b
    read -r -a a < <(ink_of "$got")
    read -r -a b < <(ink_of "$want")
    echo "  $what: ink ${a[0]}x${a[1]}+${a[2]}+${a[3]}, on Tisk do PDF ${b[0]}x${b[1]}+${b[2]}+${b[3]} (1/4 pt)"
    for i in 0 1 2 3; do
        local d=$((a[i] - b[i]))
        ((d >= -2 && d <= 2)) || fail "$what: the picture moved (${a[*]} against ${b[*]})"
    done
}

step "the jobs on the built-in printer"
"$OSTRELIN_RENDER" "$LETTER" -o "$E2E_BASE/letter.pdf" >/dev/null
"$OSTRELIN_RENDER" "$PLAN" -o "$E2E_BASE/plan.pdf" >/dev/null
letter_pages=$(pdf_pages "$E2E_BASE/letter.pdf")
((letter_pages >= 3)) || fail "the letter should take three pages"

for queue in "${QUEUES[@]}"; do
    step "$queue"
    print_on_queue "$LETTER" "$queue" "$E2E_BASE/$queue-letter.pdf"
    expect_eq "$(pdf_pages "$E2E_BASE/$queue-letter.pdf")" "$letter_pages" "pages of the letter on $queue"
    case "$(pdf_page_size "$E2E_BASE/$queue-letter.pdf")" in *"(A4)"*) ;; *) fail "not on A4 on $queue" ;; esac
    expect_eq "$(pdf_text "$E2E_BASE/$queue-letter.pdf" | grep -c '^Řádek [0-9]\{3\}: ')" 160 \
        "numbered lines of the letter on $queue"
    expect_same_words "$E2E_BASE/$queue-letter.pdf" "$E2E_BASE/letter.pdf" "letter on $queue"

    print_on_queue "$PLAN" "$queue" "$E2E_BASE/$queue-plan.pdf"
    expect_eq "$(pdf_pages "$E2E_BASE/$queue-plan.pdf")" 1 "pages of the plan on $queue"
    expect_same_ink "$E2E_BASE/$queue-plan.pdf" "$E2E_BASE/plan.pdf" "plan on $queue"
done

step "passed"
