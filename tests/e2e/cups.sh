#!/usr/bin/env bash
# Printing through CUPS, run under with-private-cups.sh (a private scheduler with the queues
# ostrelin_pdf, the default, and ostrelin_alt, each writing its jobs as a PDF into
# $OSTRELIN_CUPS_OUT). A job goes to the default queue, or to the queue named in the settings;
# the document name, the paper and the orientation reach the scheduler. With the scheduler
# stopped a job fails with an error, keeps its file and is not tried again until the next
# start, which prints it.
source "$(dirname "$0")/e2e-lib.sh"
source "$(dirname "$0")/cups-lib.sh"

make_text_job "$E2E_BASE/t1.qsf" T1 3
make_text_job "$E2E_BASE/t2.qsf" T2 3
readonly PLAN=$OSTRELIN_SOURCE_DIR/examples/PLAN.QSF

step "no printer stored: a job goes to the default queue"
write_settings "\"SpoolDir\"=\"$SPOOL\""
start_spooler default
drop_job "$E2E_BASE/t1.qsf" T1.QSF
wait_until "a job done by ostrelin_pdf" queue_has_jobs ostrelin_pdf 1
wait_until "the spool directory to be empty" spool_empty
quit_spooler default
expect_eq "$(completed_jobs ostrelin_pdf)" "$TEXT_DOCUMENT,$PORTRAIT_A4" "job on ostrelin_pdf"
expect_eq "$(queue_jobs ostrelin_alt)" 0 "jobs on ostrelin_alt"
expect_eq "$(stored_setting PrinterName)" '"PrinterName"="-Výchozí tiskárna Windows-"' "stored printer"
pdf=$OSTRELIN_CUPS_OUT/ostrelin_pdf.pdf
expect_lines_once_in_order "$pdf" T1 3
case "$(pdf_page_size "$pdf")" in *"(A4)"*) ;; *) fail "T1 is not on A4" ;; esac

step "ostrelin_alt stored (in capitals): the cutting plan goes there"
write_settings "\"SpoolDir\"=\"$SPOOL\"" '"PrinterName"="OSTRELIN_ALT"'
start_spooler alt
drop_job "$PLAN" PLAN.QSF
wait_until "a job done by ostrelin_alt" queue_has_jobs ostrelin_alt 1
wait_until "the spool directory to be empty" spool_empty
expect_eq "$(completed_jobs ostrelin_alt)" "$RASTER_DOCUMENT,$PORTRAIT_A4" "job on ostrelin_alt"
expect_eq "$(queue_jobs ostrelin_pdf)" 1 "jobs on ostrelin_pdf"
pdf=$OSTRELIN_CUPS_OUT/ostrelin_alt.pdf
expect_eq "$(pdf_pages "$pdf")" 1 "pages of the plan"
expect_eq "$(pdfimages -list "$pdf" | tail -n +3 | awk '{ print $6, $8 }')" "gray 1" \
    "the plan's image: one 1-bit grey image"
quit_spooler alt
expect_eq "$(stored_setting PrinterName)" '"PrinterName"="ostrelin_alt"' "stored printer"

step "the scheduler stops while ostrelin_pdf is chosen: the job fails, keeps its file"
write_settings "\"SpoolDir\"=\"$SPOOL\"" '"PrinterName"="ostrelin_pdf"'
start_spooler stopped
stop_scheduler
drop_job "$E2E_BASE/t2.qsf" T2.QSF
wait_until "an error report" eval '(($(error_lines stopped) >= 1))'
# Two more timer periods: a new attempt would report again.
sleep $((2 * PERIOD + 1))
expect_eq "$(error_lines stopped)" 1 "errors reported"
expect_eq "$(grep '^Tarvok Calc Ostrelin: ' "$E2E_BASE/stopped.err")" \
    "Tarvok Calc Ostrelin: Tiskový systém CUPS neodpovídá, na tiskárně „ostrelin_pdf“ teď nelze tisknout." \
    "the error"
expect_eq "$(ls "$SPOOL")" T2.QSF "spool files after the failure"
expect_eq "$(pdf_count)" 0 "documents printed on the built-in printer instead"
quit_spooler stopped
expect_eq "$(stored_setting PrinterName)" '"PrinterName"="ostrelin_pdf"' "stored printer"

step "the next start, with the scheduler running again, prints it"
start_scheduler
start_spooler again
wait_until "a second job done by ostrelin_pdf" queue_has_jobs ostrelin_pdf 2
wait_until "the spool directory to be empty" spool_empty
quit_spooler again
expect_eq "$(error_lines again)" 0 "errors reported after the restart"
expect_lines_once_in_order "$OSTRELIN_CUPS_OUT/ostrelin_pdf.pdf" T2 3
expect_eq "$(queue_jobs ostrelin_alt)" 1 "jobs on ostrelin_alt"
stop_scheduler

step "passed"
