#!/usr/bin/env bash
# The built-in printer "Tisk do PDF", as a user runs the spooler: text and raster spool files
# dropped into the spool directory come out as one PDF each, in the order in which they were
# listed, one per timer period; their files are gone afterwards. A file that is still being
# written, slowly and in pieces, is printed once and whole.
source "$(dirname "$0")/e2e-lib.sh"

# No CUPS: the built-in printer is then the only and the default printer.
export CUPS_SERVER=$E2E_BASE/no-cups.sock
write_settings "\"SpoolDir\"=\"$SPOOL\""

# B (a three-page letter) and C (a 480 x 240 picture) wait in the directory when the spooler
# starts; A and the slowly written D arrive while B prints. A sorts first by name but is listed
# after C, so it prints third.
readonly LETTER=$OSTRELIN_SOURCE_DIR/examples/DOPIS.QSF
make_frame_job "$E2E_BASE/frame.qsf" 480 240 "C"
make_text_job "$E2E_BASE/a.qsf" A 3
make_text_job "$E2E_BASE/d.qsf" D 60
drop_job "$LETTER" B.QSF
drop_job "$E2E_BASE/frame.qsf" C.QSF

step "start the spooler with B and C waiting"
start_spooler spooler
wait_until "the first PDF" pdfs_at_least 1

step "drop A and start writing D in small pieces over about nine seconds"
drop_job "$E2E_BASE/a.qsf" A.QSF
write_slowly() {
    local size pieces=45 piece
    size=$(stat -c %s "$E2E_BASE/d.qsf")
    local chunk=$(((size + pieces - 1) / pieces))
    date +%s.%N >"$E2E_BASE/writing-started"
    exec 3>"$SPOOL/D.QSF"
    for ((piece = 0; piece < pieces; piece++)); do
        dd if="$E2E_BASE/d.qsf" bs="$chunk" skip="$piece" count=1 status=none >&3
        sleep 0.2
    done
    exec 3>&-
    date +%s.%N >"$E2E_BASE/writing-ended"
}
write_slowly &
writer_pid=$!
E2E_PIDS+=("$writer_pid")

wait_until "four PDFs" pdfs_at_least 4
wait_until "the four PDFs to be complete" all_pdfs_complete
wait "$writer_pid" || fail "the slow writer failed"
wait_until "the spool directory to be empty" spool_empty
quit_spooler spooler
expect_eq "$(error_lines spooler)" 0 "errors reported"
expect_eq "$(pdf_count)" 4 "PDFs printed"

step "check the printed documents"
mapfile -t pdfs < <(printed_pdfs)
kinds=()
for name in "${pdfs[@]}"; do
    case "$name" in
        "$TEXT_DOCUMENT "????-??-??" "??-??-??.pdf) kinds+=(text) ;;
        "$RASTER_DOCUMENT "????-??-??" "??-??-??.pdf) kinds+=(raster) ;;
        *) fail "unexpected PDF name '$name'" ;;
    esac
done
expect_eq "${kinds[*]}" "text raster text text" "kinds of the printed jobs in order"

# One job per timer period: each document was started at least most of a period after the last.
for ((i = 1; i < ${#pdfs[@]}; i++)); do
    gap=$(($(pdf_stamp "${pdfs[i]}") - $(pdf_stamp "${pdfs[i - 1]}")))
    ((gap >= PERIOD - 1)) || fail "documents $i and $((i + 1)) started only $gap s apart"
done

pdf_b=$OSTRELIN_PDF_DIR/${pdfs[0]}
pdf_c=$OSTRELIN_PDF_DIR/${pdfs[1]}
pdf_a=$OSTRELIN_PDF_DIR/${pdfs[2]}
pdf_d=$OSTRELIN_PDF_DIR/${pdfs[3]}

# B: the letter comes out as the renderer prints the same file, page for page, and every one
# of its 160 numbered lines once, with the Czech letters intact.
"$OSTRELIN_RENDER" "$LETTER" -o "$E2E_BASE/letter-by-render.pdf" >/dev/null
expect_eq "$(pdf_pages "$pdf_b")" "$(pdf_pages "$E2E_BASE/letter-by-render.pdf")" "pages of B"
(($(pdf_pages "$pdf_b") >= 3)) || fail "B should flow over at least three pages"
case "$(pdf_page_size "$pdf_b")" in *"(A4)"*) ;; *) fail "B is not on A4" ;; esac
if ! diff <(pdf_text "$pdf_b") <(pdf_text "$E2E_BASE/letter-by-render.pdf") >/dev/null; then
    fail "B's text differs from the renderer's"
fi
expect_eq "$(pdf_text -f 1 -l 1 "$pdf_b" | head -n 1)" "Vážení odběratelé," "B's first line"
pdf_has_line 'Řádek 001: Příliš žluťoučký kůň úpěl ďábelské ódy.' -l 1 "$pdf_b" ||
    fail "B's page 1 lacks its first numbered line"
last=$(pdf_pages "$pdf_b")
pdf_has_line 'S pozdravem, Tarvok Calc' -f "$last" -l "$last" "$pdf_b" ||
    fail "B's last page lacks the closing line"
expect_eq "$(pdf_text "$pdf_b" | grep -c '^Řádek [0-9]\{3\}: Příliš žluťoučký kůň úpěl ďábelské ódy\.$')" \
    160 "numbered lines of B"

# C: one page holding the picture as one 1-bit image of its own size, stretched over the
# printable width (718 of 794 screen pixels of A4, from 37) with its proportions (359 high) and
# centred in the printable height (1028 from 37): at 96 dpi the black frame spans 718 x 359
# from 37, 371.
expect_eq "$(pdf_pages "$pdf_c")" 1 "pages of C"
images=$(pdfimages -list "$pdf_c" | tail -n +3)
expect_eq "$(wc -l <<<"$images")" 1 "images in C"
read -r _ _ _ width height color _ bpc _ interp _ <<<"$images"
expect_eq "$width x $height $color $bpc-bit interpolated:$interp" "480 x 240 gray 1-bit interpolated:no" \
    "C's image"
pdftoppm -png -r 96 "$pdf_c" "$E2E_BASE/c"
read -r w h x y < <(convert "$E2E_BASE/c-1.png" -trim -format '%w %h %X %Y\n' info: | tr -d '+')
for pair in "$w 718" "$h 359" "$x 37" "$y 371"; do
    read -r got want <<<"$pair"
    ((got >= want - 2 && got <= want + 2)) || fail "C's picture at ${w}x$h+$x+$y, expected 718x359+37+371"
done

# A: the short job, whole.
expect_eq "$(pdf_pages "$pdf_a")" 1 "pages of A"
expect_lines_once_in_order "$pdf_a" A 3
pdf_has_line 'Úloha A: konec' "$pdf_a" || fail "A lacks its last line"

# D: written in pieces, printed once, whole. C was printed while D was being written, so the
# spooler rescanned the directory at least once while D was incomplete.
started=$(<"$E2E_BASE/writing-started") ended=$(<"$E2E_BASE/writing-ended")
printed_c=$(stat -c %.9Y "$pdf_c")
awk -v a="$started" -v b="$printed_c" -v c="$ended" 'BEGIN { exit !(a < b && b < c) }' ||
    fail "no rescan happened while D was written (C printed at $printed_c, D written $started to $ended)"
expect_lines_once_in_order "$pdf_d" D 60
pdf_has_line 'Úloha D: začátek' "$pdf_d" || fail "D lacks its first line"
pdf_has_line 'Úloha D: konec' "$pdf_d" || fail "D lacks its last line"

step "passed"
