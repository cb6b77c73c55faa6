#!/usr/bin/env bash
# A job too large for the memory the process may take fails as a job, with a Czech message:
# ostrelin-render exits with status 1 and leaves no document; the spooler keeps the job's file,
# goes on and prints the next job. The address-space limit is set with ulimit -v, which the
# sanitizer build cannot run under (it reserves terabytes of shadow memory).
source "$(dirname "$0")/e2e-lib.sh"

# Read whole first: under pipefail, grep -q leaving early would make ldd's broken pipe a failure.
if [[ $(ldd "$OSTRELIN_BIN") == *libasan* ]]; then
    echo "SKIPPED: the sanitizer build cannot run with a limited address space"
    exit 77
fi
# Far more than any real job, and more than the limit below leaves: 64 MiB of short lines.
readonly HUGE=$E2E_BASE/HUGE.QSF
python3 - "$HUGE" <<'PY'
import sys
piece = b"ab cd\r\n" * 9362
record = b"\x02" + len(piece).to_bytes(2, "little") + piece
with open(sys.argv[1], "wb") as job:
    job.write(b"Obrovska uloha\r\n\0\0")
    for _ in range(1000):
        job.write(record)
PY
# Address space, not memory in use: it counts the libraries', fonts' and threads' reservations
# too, which the spooler has more of than the renderer (about 380 MB at start), so each gets a
# limit that leaves room for a small job and none for the huge one.
readonly RENDER_LIMIT_KIB=350000
readonly SPOOLER_LIMIT_KIB=480000
readonly NO_MEMORY="Na tuto úlohu nestačí paměť."

step "ostrelin-render with too little memory"
status=0
(ulimit -v "$RENDER_LIMIT_KIB" && exec "$OSTRELIN_RENDER" "$HUGE" -o "$E2E_BASE/huge.pdf") \
    >"$E2E_BASE/render.out" 2>"$E2E_BASE/render.err" || status=$?
expect_eq "$status" 1 "exit status of ostrelin-render"
expect_eq "$(grep '^ostrelin-render: ' "$E2E_BASE/render.err")" "ostrelin-render: $NO_MEMORY" \
    "its message"
expect_eq "$(ls -A "$E2E_BASE" | grep -c 'huge')" 0 "documents and part files it left"

step "the spooler with too little memory"
write_settings "\"SpoolDir\"=\"$SPOOL\"" '"PrinterName"="Tisk do PDF"'
drop_job "$HUGE" HUGE.QSF
make_text_job "$E2E_BASE/small.qsf" M
drop_job "$E2E_BASE/small.qsf" SMALL.QSF
(ulimit -v "$SPOOLER_LIMIT_KIB" && exec "$OSTRELIN_BIN") >"$E2E_BASE/spooler.out" \
    2>"$E2E_BASE/spooler.err" &
spooler_pid=$!
E2E_PIDS+=("$spooler_pid")
wait_until "the small job's document" pdfs_at_least 1
wait_until "an error report" eval '(($(error_lines spooler) >= 1))'
expect_eq "$(ls "$SPOOL")" HUGE.QSF "spool files: the huge job kept"
pdf_has_line "Úloha M: konec" "$OSTRELIN_PDF_DIR/$(printed_pdfs | head -1)" ||
    fail "the small job was not printed whole"
quit_spooler spooler
expect_eq "$(grep '^Tarvok Calc Ostrelin: ' "$E2E_BASE/spooler.err")" \
    "Tarvok Calc Ostrelin: $NO_MEMORY" "the error"

step "passed"
