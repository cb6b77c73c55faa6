#!/usr/bin/env bash
# The default printer is always the system's current one, and a job for a named printer never
# depends on it: the scheduler starting after the spooler, a queue added and made the default
# while the spooler runs. A stored printer that could not be looked for at start is kept. A
# queue that does not accept jobs is told in Czech, naming it. Run under with-private-cups.sh.
source "$(dirname "$0")/e2e-lib.sh"
source "$(dirname "$0")/cups-lib.sh"

readonly PPD=$OSTRELIN_SOURCE_DIR/tests/platform/printing/ostrelin-test.ppd
for marker in T1 T2 T3 T4; do
    make_text_job "$E2E_BASE/$marker.qsf" "$marker" 3
    "$OSTRELIN_RENDER" "$E2E_BASE/$marker.qsf" -o "$E2E_BASE/$marker-builtin.pdf" >/dev/null
done

add_queue() {
    lpadmin -p "$1" -E -v "file:$OSTRELIN_CUPS_OUT/$1.pdf" -P "$PPD" \
        -o media-default=iso_a4_210x297mm 2>/dev/null
}

# Drops job MARKER, waits until QUEUE has printed it and compares it with the built-in printer's.
expect_printed_on() {
    local marker=$1 queue=$2 before
    before=$(queue_jobs "$queue")
    drop_job "$E2E_BASE/$marker.qsf" "$marker.QSF"
    wait_until "$marker on $queue" queue_has_jobs "$queue" $((before + 1))
    wait_until "the spool directory to be empty" spool_empty
    expect_lines_once_in_order "$OSTRELIN_CUPS_OUT/$queue.pdf" "$marker" 3
    expect_same_words "$OSTRELIN_CUPS_OUT/$queue.pdf" "$E2E_BASE/$marker-builtin.pdf" \
        "$marker on $queue"
}

step "the scheduler starts after the spooler, which has ostrelin_alt stored"
stop_scheduler
write_settings "\"SpoolDir\"=\"$SPOOL\"" '"PrinterName"="ostrelin_alt"'
start_spooler late
start_scheduler
expect_printed_on T1 ostrelin_pdf
quit_spooler late
expect_eq "$(error_lines late)" 0 "errors reported"
expect_eq "$(pdf_count)" 0 "documents on the built-in printer"
expect_eq "$(stored_setting PrinterName)" '"PrinterName"="ostrelin_alt"' \
    "the stored printer, which the spooler could not look for at its start"

step "ostrelin_alt chosen; a new queue becomes the default"
start_spooler named
add_queue ostrelin_new
lpadmin -d ostrelin_new
expect_printed_on T2 ostrelin_alt
quit_spooler named
expect_eq "$(error_lines named)" 0 "errors reported"
expect_eq "$(queue_jobs ostrelin_new)" 0 "jobs on ostrelin_new"

step "the default printer chosen; a queue added after the start becomes the default"
write_settings "\"SpoolDir\"=\"$SPOOL\""
start_spooler default
add_queue ostrelin_newer
lpadmin -d ostrelin_newer
expect_printed_on T3 ostrelin_newer

step "the default queue stops accepting jobs"
cupsreject ostrelin_newer
drop_job "$E2E_BASE/T4.qsf" T4.QSF
wait_until "an error report" eval '(($(error_lines default) >= 1))'
reported=$(grep '^Tarvok Calc Ostrelin: ' "$E2E_BASE/default.err")
echo "reported: $reported"
expect_eq "$reported" "Tarvok Calc Ostrelin: Tiskárna „ostrelin_newer“ nyní nepřijímá úlohy." \
    "the error"
expect_eq "$(ls "$SPOOL")" T4.QSF "spool files after the failure"
quit_spooler default
expect_eq "$(stored_setting PrinterName)" '"PrinterName"="-Výchozí tiskárna Windows-"' \
    "the stored printer"

step "passed"
