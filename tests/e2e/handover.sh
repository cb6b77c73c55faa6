#!/usr/bin/env bash
# Handover: starting a second copy makes the running one quit; the first copy stores its
# settings before its window goes, the second reads them, serves the same spool directory and
# prints what is left, every job exactly once.
source "$(dirname "$0")/e2e-lib.sh"

export CUPS_SERVER=$E2E_BASE/no-cups.sock

for job in H1 H2 H3; do
    make_text_job "$E2E_BASE/$job.qsf" "$job" 3
    drop_job "$E2E_BASE/$job.qsf" "$job.QSF"
done
# The printer is named in other letters' case than the program lists it.
write_settings "\"SpoolDir\"=\"$SPOOL\"" '"PrinterName"="TISK DO PDF"'

step "the first copy prints H1"
start_spooler first
wait_until "the first PDF" pdfs_at_least 1

# What the first copy stores at its end must be what the second copy reads: the file on disk
# says "paused" now, and only the first copy's own settings say "enabled".
write_settings "\"SpoolDir\"=\"$SPOOL\"" '"PrinterEnable"=dword:00000000'

step "a second copy starts; the first quits"
start_spooler second --no-wait
wait_until "the first copy to quit" is_gone "$first_pid"
status=0
wait "$first_pid" || status=$?
expect_eq "$status" 0 "exit status of the first copy"
expect_eq "$(stored_setting PrinterName)" '"PrinterName"="Tisk do PDF"' "printer stored by the first copy"
expect_eq "$(stored_setting PrinterEnable)" '"PrinterEnable"=dword:00000001' \
    "pause switch stored by the first copy"
expect_eq "$(stored_setting SpoolDir)" "\"SpoolDir\"=\"$SPOOL\"" "spool directory kept in the settings"
wait_until "the second copy to take window messages" spooler_serves "$second_pid"

step "the second copy prints what is left"
wait_until "three PDFs" pdfs_at_least 3
wait_until "the PDFs to be complete" all_pdfs_complete
wait_until "the spool directory to be empty" spool_empty
quit_spooler second
expect_eq "$(error_lines first) $(error_lines second)" "0 0" "errors reported by the two copies"
expect_eq "$(pdf_count)" 3 "PDFs printed"

# Each job in exactly one document.
mapfile -t pdfs < <(printed_pdfs)
for job in H1 H2 H3; do
    holders=0
    for name in "${pdfs[@]}"; do
        if pdf_has_line "Úloha $job: konec" "$OSTRELIN_PDF_DIR/$name"; then
            holders=$((holders + 1))
            expect_lines_once_in_order "$OSTRELIN_PDF_DIR/$name" "$job" 3
        fi
    done
    expect_eq "$holders" 1 "documents holding $job"
done

step "passed"
