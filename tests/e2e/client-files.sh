#!/usr/bin/env bash
# Files as real clients leave them: every job written under the same name, the name reused while
# its job prints and right after it printed; a symbolic link to another user's private file; a
# name of 255 bytes; and a run killed while printing, started again at once. Every job is printed
# once and whole, the link never, and nothing the killed run was writing stays behind.
source "$(dirname "$0")/e2e-lib.sh"

export CUPS_SERVER=$E2E_BASE/no-cups.sock
write_settings "\"SpoolDir\"=\"$SPOOL\""
make_text_job "$E2E_BASE/a.qsf" A 6000
make_text_job "$E2E_BASE/b.qsf" B 20
make_text_job "$E2E_BASE/c.qsf" C 20
make_text_job "$E2E_BASE/d.qsf" D 20
make_text_job "$E2E_BASE/e.qsf" E 6000

# The PDF whose first line names the job's marker.
pdf_of() {
    local name
    while read -r name; do
        if pdf_has_line "Úloha $1: začátek" "$OSTRELIN_PDF_DIR/$name"; then
            echo "$OSTRELIN_PDF_DIR/$name"
        fi
    done < <(printed_pdfs)
}

expect_printed_once_whole() {
    local marker=$1 lines=$2 pdfs
    pdfs=$(pdf_of "$marker")
    expect_eq "$(grep -c . <<<"$pdfs" || true)" 1 "documents of job $marker"
    expect_lines_once_in_order "$pdfs" "$marker" "$lines"
    pdf_has_line "Úloha $marker: konec" "$pdfs" || fail "job $marker lacks its last line"
}

claimed() {
    compgen -G "$SPOOL/.$1.printing-*" >/dev/null
}

step "a symbolic link to a private file of another folder"
mkdir -m 0700 "$E2E_BASE/private"
make_text_job "$E2E_BASE/private/secret.qsf" S 3
chmod 0600 "$E2E_BASE/private/secret.qsf"
ln -s "$E2E_BASE/private/secret.qsf" "$SPOOL/LINK.QSF"

start_spooler spooler

step "a name reused while its job prints"
drop_job "$E2E_BASE/a.qsf" TISK.QSF
E2E_POLL=0.01 wait_until "TISK.QSF to be claimed" claimed TISK.QSF
drop_job "$E2E_BASE/b.qsf" TISK.QSF
claimed TISK.QSF || fail "job A printed before the name was reused; make it longer"
wait_until "two documents" pdfs_at_least 2

step "a name reused right after its job printed"
drop_job "$E2E_BASE/c.qsf" TISK.QSF
wait_until "three documents" pdfs_at_least 3

step "a name of 255 bytes"
long_name=$(printf 'ř%.0s' {1..120})$(printf 'x%.0s' {1..11}).QSF
expect_eq "${#long_name}" 135 "characters of the long name"
expect_eq "$(printf %s "$long_name" | wc -c)" 255 "bytes of the long name"
drop_job "$E2E_BASE/d.qsf" "$long_name"
wait_until "four documents" pdfs_at_least 4
wait_until "the spool folder to hold only the link" \
    eval '[[ $(ls -A "$SPOOL") == LINK.QSF ]]'
sleep "$PERIOD"
expect_eq "$(pdf_count)" 4 "documents printed"
expect_eq "$(error_lines spooler)" 0 "errors reported"
for marker in A:6000 B:20 C:20 D:20; do
    expect_printed_once_whole "${marker%:*}" "${marker#*:}"
done
expect_eq "$(pdf_of S)" "" "documents of the linked private file"
[[ -L $SPOOL/LINK.QSF && -s $E2E_BASE/private/secret.qsf ]] || fail "the link or its file was touched"

step "a run killed while printing, started again at once"
rm "$SPOOL/LINK.QSF"
drop_job "$E2E_BASE/e.qsf" KILL.QSF
E2E_POLL=0.01 wait_until "KILL.QSF to be printing" part_files_at_least 1
kill -KILL "$spooler_pid"
wait "$spooler_pid" 2>/dev/null || true
# A job file the CUPS device left in the temporary folder, written a moment ago.
: >"$TMPDIR/ostrelin-job-AbCd12.pdf"
start_spooler again
part_files_at_least 1 && fail "the killed run's part file is still there"
[[ -e $TMPDIR/ostrelin-job-AbCd12.pdf ]] && fail "the killed run's CUPS job file is still there"
wait_until "five documents" pdfs_at_least 5
wait_until "the spool folder to be empty" spool_empty
quit_spooler again
expect_eq "$(pdf_count)" 5 "documents printed"
expect_printed_once_whole E 6000
expect_eq "$(error_lines again)" 0 "errors reported after the restart"

step "passed"
