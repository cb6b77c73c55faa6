#!/usr/bin/env bash
# A job goes to the printer chosen in the window, also when the scheduler's list of queues
# changes while the spooler runs: a queue added in front of the chosen one does not redirect
# the job, and a chosen queue that is gone (the scheduler stopped) makes the job fail and keep
# its file instead of printing it elsewhere. Run under with-private-cups.sh.
source "$(dirname "$0")/e2e-lib.sh"
source "$(dirname "$0")/cups-lib.sh"

make_text_job "$E2E_BASE/t1.qsf" T1 3
make_text_job "$E2E_BASE/t2.qsf" T2 3

step "ostrelin_pdf chosen; a queue that sorts first is added while the spooler runs"
write_settings "\"SpoolDir\"=\"$SPOOL\"" '"PrinterName"="ostrelin_pdf"'
start_spooler added
lpadmin -p ostrelin_aaa -E -v "file:$OSTRELIN_CUPS_OUT/ostrelin_aaa.pdf" \
    -P "$OSTRELIN_SOURCE_DIR/tests/platform/printing/ostrelin-test.ppd" 2>/dev/null
drop_job "$E2E_BASE/t1.qsf" T1.QSF
wait_until "the spool directory to be empty" spool_empty
quit_spooler added
expect_eq "$(queue_jobs ostrelin_aaa) $(queue_jobs ostrelin_alt) $(queue_jobs ostrelin_pdf)" "0 0 1" \
    "jobs on ostrelin_aaa, ostrelin_alt and ostrelin_pdf"
lpadmin -x ostrelin_aaa

step "ostrelin_alt chosen; the scheduler stops"
write_settings "\"SpoolDir\"=\"$SPOOL\"" '"PrinterName"="ostrelin_alt"'
start_spooler stopped
stop_scheduler
drop_job "$E2E_BASE/t2.qsf" T2.QSF
wait_until "an error report or a document" eval '(($(error_lines stopped) + $(pdf_count) >= 1))'
quit_spooler stopped
expect_eq "$(pdf_count)" 0 "documents printed on the built-in printer instead"
expect_eq "$(error_lines stopped)" 1 "errors reported"
expect_eq "$(ls "$SPOOL")" T2.QSF "spool files after the failure"

step "passed"
