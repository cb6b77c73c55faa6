#!/usr/bin/env bash
# A full disk never loses a job: with the PDF folder, or the temporary folder the CUPS device
# writes its document into, on a full file system (a small tmpfs mounted here; needs root), the
# job fails with a Czech message naming the folder and the cause, keeps its spool file, and no
# document is published or submitted. Run under with-private-cups.sh.
source "$(dirname "$0")/e2e-lib.sh"
source "$(dirname "$0")/cups-lib.sh"

readonly FULL=$E2E_BASE/full
mkdir -p "$FULL"
if ! mount -t tmpfs -o size=64k tmpfs "$FULL" 2>/dev/null; then
    echo "SKIPPED: mounting a tmpfs needs root"
    exit 77
fi
trap 'umount "$FULL" 2>/dev/null || true; e2e_cleanup' EXIT
chmod 0777 "$FULL"
# Fill it to the last block.
dd if=/dev/zero of="$FULL/filler" bs=4k 2>/dev/null || true
readonly CAUSE="Dokument nelze zapsat do složky $FULL: na disku není volné místo."
readonly LETTER=$OSTRELIN_SOURCE_DIR/examples/DOPIS.QSF

step "Tisk do PDF writes into a full folder"
write_settings "\"SpoolDir\"=\"$SPOOL\"" '"PrinterName"="Tisk do PDF"'
OSTRELIN_PDF_DIR=$FULL start_spooler builtin
drop_job "$LETTER" DOPIS.QSF
wait_until "an error report" eval '(($(error_lines builtin) >= 1))'
quit_spooler builtin
expect_eq "$(grep '^Tarvok Calc Ostrelin: ' "$E2E_BASE/builtin.err")" "Tarvok Calc Ostrelin: $CAUSE" \
    "the error"
expect_eq "$(ls -A "$FULL")" filler "files in the full folder"
expect_eq "$(ls "$SPOOL")" DOPIS.QSF "spool files after the failure"

step "a CUPS queue while the temporary folder is full"
write_settings "\"SpoolDir\"=\"$SPOOL\"" '"PrinterName"="ostrelin_pdf"'
TMPDIR=$FULL start_spooler cups
wait_until "an error report" eval '(($(error_lines cups) >= 1))'
quit_spooler cups
expect_eq "$(grep '^Tarvok Calc Ostrelin: ' "$E2E_BASE/cups.err")" "Tarvok Calc Ostrelin: $CAUSE" \
    "the error"
expect_eq "$(ls -A "$FULL")" filler "files in the full folder"
expect_eq "$(queue_jobs ostrelin_pdf)" 0 "jobs submitted to ostrelin_pdf"
expect_eq "$(ls "$SPOOL")" DOPIS.QSF "spool files after the failure"

step "with room again the job prints whole"
rm "$FULL/filler"
TMPDIR=$FULL start_spooler again
wait_until "the job on ostrelin_pdf" queue_has_jobs ostrelin_pdf 1
wait_until "the spool directory to be empty" spool_empty
quit_spooler again
expect_eq "$(pdf_text "$OSTRELIN_CUPS_OUT/ostrelin_pdf.pdf" | grep -c '^Řádek [0-9]\{3\}: ')" 160 \
    "numbered lines of the letter"
expect_eq "$(ls -A "$FULL")" "" "files left in the temporary folder"

step "passed"
