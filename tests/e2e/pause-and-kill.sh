#!/usr/bin/env bash
# Nothing is lost. With printing paused in the settings, dropped jobs are listed and stay in the
# spool directory, unprinted, and the pause is stored again at exit. A spooler killed in the
# middle of a job leaves that job's file claimed; the next start takes it up, clears away the
# half-written document and prints the job. A job that ends two runs is kept and not printed
# again on its own.
source "$(dirname "$0")/e2e-lib.sh"

export CUPS_SERVER=$E2E_BASE/no-cups.sock

# Listing a job reads its description line from the file. Where reading a file updates its
# access time, that shows when the spooler listed a job.
access_time_shows_reads() {
    local probe=$E2E_BASE/probe
    echo probe >"$probe"
    touch -a -d '2000-01-01' "$probe"
    cat "$probe" >/dev/null
    [[ $(stat -c %X "$probe") -gt 946771200 ]]
}
listed() {
    [[ $(stat -c %X "$SPOOL/$1") -gt 946771200 ]]
}
drop_unread_job() {
    drop_job "$1" "$2"
    touch -a -d '2000-01-01' "$SPOOL/$2"
}

# K is long (about 36 pages), so that killing the spooler while it prints K is easy to time.
make_text_job "$E2E_BASE/k.qsf" K 2400
make_text_job "$E2E_BASE/p.qsf" P 5

step "printing paused: dropped jobs are listed and stay"
write_settings "\"SpoolDir\"=\"$SPOOL\"" '"PrinterEnable"=dword:00000000'
start_spooler paused
drop_unread_job "$E2E_BASE/p.qsf" P.QSF
drop_unread_job "$E2E_BASE/k.qsf" K.QSF
if access_time_shows_reads; then
    wait_until "P and K to be listed" eval 'listed P.QSF && listed K.QSF'
else
    echo "note: this file system does not record reads; listing not observed"
fi
# Two whole timer periods after the listing: a job would have started in either of them.
sleep $((2 * PERIOD + 1))
expect_eq "$(pdf_count)" 0 "PDFs printed while paused"
expect_eq "$(ls "$SPOOL" | tr '\n' ' ')" "K.QSF P.QSF " "spool files while paused"
quit_spooler paused
expect_eq "$(stored_setting PrinterEnable)" '"PrinterEnable"=dword:00000000' "stored pause switch"
expect_eq "$(error_lines paused)" 0 "errors reported while paused"

step "printing enabled: kill the spooler while it prints K"
write_settings "\"SpoolDir\"=\"$SPOOL\"" '"PrinterEnable"=dword:00000001'
start_spooler killed
# The built-in printer writes a document into a hidden part file and gives it its PDF name when
# the last page is done: a part file means K is being printed.
E2E_POLL=0.02 wait_until "K's document to start" part_files_at_least 1
kill -KILL "$killed_pid"
wait "$killed_pid" 2>/dev/null || true
expect_eq "$(pdf_count)" 0 "PDFs after the kill (a half-written K must not look printed)"
partial=$(compgen -G "$OSTRELIN_PDF_DIR/.*.pdf.part") || fail "K's part file is gone"
pdf_complete "$partial" && fail "K was printed completely before the kill; the kill came too late"
echo "killed with $(stat -c %s "$partial") bytes of K's PDF written"
expect_eq "$(ls -A "$SPOOL" | tr '\n' ' ')" ".K.QSF.printing-1 P.QSF " "spool files after the kill"
cmp -s "$SPOOL/.K.QSF.printing-1" "$E2E_BASE/k.qsf" || fail "K's spool file changed"

step "the next start clears the half-written document away and prints K and P"
start_spooler restarted
wait_until "two PDFs" pdfs_at_least 2
wait_until "the PDFs to be complete" all_pdfs_complete
wait_until "the spool directory to be empty" spool_empty
quit_spooler restarted
expect_eq "$(error_lines restarted)" 0 "errors reported after the restart"
expect_eq "$(pdf_count)" 2 "PDFs printed after the restart"
[[ -e $partial ]] && fail "the half-written document of the killed run is still there"
mapfile -t pdfs < <(printed_pdfs)
pdf_k=$OSTRELIN_PDF_DIR/${pdfs[0]}
pdf_p=$OSTRELIN_PDF_DIR/${pdfs[1]}
expect_lines_once_in_order "$pdf_k" K 2400
pdf_has_line 'Úloha K: konec' "$pdf_k" || fail "K lacks its last line"
(($(pdf_pages "$pdf_k") > 30)) || fail "K should take more than 30 pages"
expect_lines_once_in_order "$pdf_p" P 5
rm "$OSTRELIN_PDF_DIR"/*.pdf

step "K ends two runs: the third start keeps it and prints P"
drop_job "$E2E_BASE/k.qsf" K.QSF
for run in 1 2; do
    start_spooler "dies$run"
    # The run before left a half-written document; the start has cleared it away.
    E2E_POLL=0.02 wait_until "K's document to start" part_files_at_least 1
    pid_var=dies${run}_pid
    kill -KILL "${!pid_var}"
    wait "${!pid_var}" 2>/dev/null || true
done
expect_eq "$(ls -A "$SPOOL" | tr '\n' ' ')" ".K.QSF.printing-2 " "spool files after the second kill"
drop_job "$E2E_BASE/p.qsf" P.QSF
start_spooler third
wait_until "P's PDF" pdfs_at_least 1
sleep $((2 * PERIOD + 1))
quit_spooler third
expect_eq "$(pdf_count)" 1 "PDFs printed by the third run"
expect_lines_once_in_order "$OSTRELIN_PDF_DIR/$(printed_pdfs)" P 5
expect_eq "$(ls -A "$SPOOL" | tr '\n' ' ')" "K.QSF " "spool files: K kept under its name"

step "passed"
