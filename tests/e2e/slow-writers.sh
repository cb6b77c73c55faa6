#!/usr/bin/env bash
# Writers that take their time get their jobs printed once and whole: one keeps the file open
# and pauses several seconds between pieces (longer than the spooler waits for a file to settle),
# one opens the file anew for every piece.
source "$(dirname "$0")/e2e-lib.sh"

export CUPS_SERVER=$E2E_BASE/no-cups.sock
make_text_job "$E2E_BASE/held.qsf" H 300
make_text_job "$E2E_BASE/reopened.qsf" R 300

# Writes FILE into the spool directory as NAME in PIECES pieces with PAUSE seconds between them;
# "held" keeps one descriptor open all the while, "reopened" appends each piece on its own.
write_in_pieces() {
    local file=$1 name=$2 pieces=$3 pause=$4 how=$5 size chunk piece
    size=$(stat -c %s "$file")
    chunk=$(((size + pieces - 1) / pieces))
    [[ $how == held ]] && exec 3>"$SPOOL/$name"
    for ((piece = 0; piece < pieces; piece++)); do
        if [[ $how == held ]]; then
            dd if="$file" bs="$chunk" skip="$piece" count=1 status=none >&3
        else
            dd if="$file" bs="$chunk" skip="$piece" count=1 status=none >>"$SPOOL/$name"
        fi
        sleep "$pause"
    done
    [[ $how == held ]] && exec 3>&-
    return 0
}

write_settings "\"SpoolDir\"=\"$SPOOL\""
start_spooler spooler
write_in_pieces "$E2E_BASE/held.qsf" H.QSF 4 $((PERIOD + 2)) held &
held_writer=$!
write_in_pieces "$E2E_BASE/reopened.qsf" R.QSF 30 0.3 reopened &
reopening_writer=$!
E2E_PIDS+=("$held_writer" "$reopening_writer")
wait "$held_writer" || fail "the writer that holds its file failed"
wait "$reopening_writer" || fail "the writer that reopens its file failed"
wait_until "two PDFs" pdfs_at_least 2
wait_until "the spool directory to be empty" spool_empty
sleep "$PERIOD"
quit_spooler spooler
expect_eq "$(error_lines spooler)" 0 "errors reported"
expect_eq "$(pdf_count)" 2 "PDFs printed"
while read -r name; do
    pdf=$OSTRELIN_PDF_DIR/$name
    marker=$(pdf_text "$pdf" | sed -n 's/^Úloha \(.\): začátek$/\1/p')
    expect_lines_once_in_order "$pdf" "$marker" 300
    pdf_has_line "Úloha $marker: konec" "$pdf" || fail "$marker lacks its last line"
done < <(printed_pdfs)

step "passed"
