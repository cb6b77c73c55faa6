#!/usr/bin/env bash
# Spool files whose names differ only in letter case, or that are not UTF-8 and would show alike,
# are jobs of their own: each printed once, whole, and its own file deleted.
source "$(dirname "$0")/e2e-lib.sh"

export CUPS_SERVER=$E2E_BASE/no-cups.sock
write_settings "\"SpoolDir\"=\"$SPOOL\"" '"PrinterName"="Tisk do PDF"'
make_text_job "$E2E_BASE/lower.qsf" N
make_text_job "$E2E_BASE/upper.qsf" V
make_text_job "$E2E_BASE/latin.qsf" X
make_text_job "$E2E_BASE/other.qsf" Y
drop_job "$E2E_BASE/lower.qsf" job.qsf
drop_job "$E2E_BASE/upper.qsf" JOB.QSF
drop_job "$E2E_BASE/latin.qsf" $'x\xff.qsf'
drop_job "$E2E_BASE/other.qsf" $'x\xfe.qsf'

step "four files, four jobs"
start_spooler cases
wait_until "four documents" pdfs_at_least 4
wait_until "the spool directory to be empty" spool_empty
sleep 6  # one more rescan: nothing prints twice
quit_spooler cases
expect_eq "$(pdf_count)" 4 "documents printed"
all_text=$(while read -r name; do pdf_text "$OSTRELIN_PDF_DIR/$name"; done < <(printed_pdfs))
for marker in N V X Y; do
    expect_eq "$(grep -c "^Úloha $marker: konec$" <<<"$all_text")" 1 "documents with job $marker"
done

step "passed"
