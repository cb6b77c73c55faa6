#!/usr/bin/env bash
# One spooler per user, and every job printed exactly once, however copies are started: several
# copies started together end with exactly one running, which ostrelin-post reaches; a copy
# started while another prints a long job never prints that job a second time.
source "$(dirname "$0")/e2e-lib.sh"

export CUPS_SERVER=$E2E_BASE/no-cups.sock
write_settings "\"SpoolDir\"=\"$SPOOL\""

# The spoolers of this test that still run.
running_copies() {
    local pid count=0
    for pid in "${E2E_PIDS[@]}"; do
        kill -0 "$pid" 2>/dev/null && count=$((count + 1))
    done
    echo "$count"
}

# Every job of the markers given was printed exactly once, whole.
expect_each_printed_once() {
    local marker name found
    for marker in "$@"; do
        found=0
        while read -r name; do
            if pdf_text "$OSTRELIN_PDF_DIR/$name" | grep -q "^Úloha $marker: konec$"; then
                found=$((found + 1))
                expect_lines_once_in_order "$OSTRELIN_PDF_DIR/$name" "$marker" 3
            fi
        done < <(printed_pdfs)
        expect_eq "$found" 1 "documents of job $marker"
    done
}

step "four copies started together, six jobs waiting"
markers=(A B C D E F)
for marker in "${markers[@]}"; do
    make_text_job "$E2E_BASE/$marker.qsf" "$marker" 3
    drop_job "$E2E_BASE/$marker.qsf" "$marker.QSF"
done
for copy in 1 2 3 4; do
    start_spooler "together$copy" --no-wait
done
wait_until "one copy to remain" eval '(($(running_copies) == 1))'
wait_until "the spool directory to be empty" spool_empty
wait_until "six documents" pdfs_at_least 6
sleep "$PERIOD"
expect_eq "$(pdf_count)" 6 "documents printed"
expect_each_printed_once "${markers[@]}"
"$OSTRELIN_POST" 18 0 0 || fail "ostrelin-post does not reach the copy that remained"
wait_until "the last copy to quit" eval '(($(running_copies) == 0))'
for copy in 1 2 3 4; do
    pid_var=together${copy}_pid
    status=0
    wait "${!pid_var}" || status=$?
    expect_eq "$status" 0 "exit status of copy $copy"
done
rm "$OSTRELIN_PDF_DIR"/*.pdf

step "a copy started while another prints a long job"
make_text_job "$E2E_BASE/long.qsf" L 6000
drop_job "$E2E_BASE/long.qsf" L.QSF
start_spooler first
E2E_POLL=0.02 wait_until "L's document to start" part_files_at_least 1
start_spooler second
wait_until "the first copy to quit" is_gone "$first_pid"
wait_until "L printed" pdfs_at_least 1
wait_until "the spool directory to be empty" spool_empty
sleep $((2 * PERIOD))
quit_spooler second
expect_eq "$(pdf_count)" 1 "documents of L"
expect_lines_once_in_order "$OSTRELIN_PDF_DIR/$(printed_pdfs)" L 6000

step "passed"
