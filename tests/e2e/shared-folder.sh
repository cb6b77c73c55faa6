#!/usr/bin/env bash
# A spool folder that several users share. The spooler runs as one user ("nobody"), a client as
# another ("daemon"), both in a common group:
# - in a setgid group folder, a job the client holds open and writes in two pieces, pausing
#   longer than the spooler waits for a file to settle, is printed once and whole after it is
#   closed (the system lets only a file's owner ask whether it is still being written);
# - in a sticky folder, where only a file's owner may rename it, the client's jobs are kept and
#   the spooler says once what to change.
# Needs root, to run the two users.
source "$(dirname "$0")/e2e-lib.sh"

if [[ $(id -u) -ne 0 ]] || ! command -v setpriv >/dev/null || ! id nobody >/dev/null 2>&1 ||
    ! id daemon >/dev/null 2>&1 || ! getent group users >/dev/null; then
    echo "SKIPPED: needs root, setpriv, the users nobody and daemon and the group users"
    exit 77
fi
readonly GROUP_ID=$(getent group users | cut -d: -f3)
as_spooler=(setpriv --reuid=nobody --regid="$(id -g nobody)" --groups="$GROUP_ID")
as_client=(setpriv --reuid=daemon --regid="$GROUP_ID" --groups="$GROUP_ID")
if ! "${as_spooler[@]}" test -x "$OSTRELIN_BIN"; then
    echo "SKIPPED: the user nobody cannot run $OSTRELIN_BIN from here"
    exit 77
fi
suppress_dbus_leaks
export CUPS_SERVER=$E2E_BASE/no-cups.sock
chown -R nobody "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$OSTRELIN_PDF_DIR" "$TMPDIR"
printf '#!/bin/sh\nexec %s "%s" "$@"\n' "${as_spooler[*]}" "$OSTRELIN_POST" >"$E2E_BASE/post"
chmod 0755 "$E2E_BASE/post"
OSTRELIN_POST=$E2E_BASE/post
make_text_job "$E2E_BASE/w.qsf" W 3000
make_text_job "$E2E_BASE/x.qsf" X 3
make_text_job "$E2E_BASE/y.qsf" Y 3
chmod 0644 "$E2E_BASE"/*.qsf

# Starts the spooler as the user "nobody" on the spool folder $1, as copy $2.
start_shared_spooler() {
    write_settings "\"SpoolDir\"=\"$1\""
    chown nobody "$SETTINGS"
    "${as_spooler[@]}" "$OSTRELIN_BIN" >"$E2E_BASE/$2.out" 2>"$E2E_BASE/$2.err" &
    printf -v "${2}_pid" '%s' "$!"
    E2E_PIDS+=("$!")
    wait_until "the spooler to take window messages" spooler_serves "$!"
}

step "a group folder: the client holds its job open and pauses"
readonly SHARED=$E2E_BASE/shared
mkdir "$SHARED"
chgrp users "$SHARED"
chmod 2770 "$SHARED"
start_shared_spooler "$SHARED" group
"${as_client[@]}" /usr/bin/python3 - "$E2E_BASE/w.qsf" "$SHARED/W.QSF" "$PERIOD" <<'PY' &
import os, sys, time
job = open(sys.argv[1], "rb").read()
fd = os.open(sys.argv[2], os.O_RDWR | os.O_CREAT | os.O_EXCL, 0o660)
os.write(fd, job[: len(job) // 2])
time.sleep(3 * int(sys.argv[3]))
os.write(fd, job[len(job) // 2 :])
os.close(fd)
PY
writer=$!
E2E_PIDS+=("$writer")
wait "$writer" || fail "the client could not write its job"
wait_until "the job's document" pdfs_at_least 1
wait_until "the folder to be empty" eval '[[ -z $(ls -A "$SHARED") ]]'
sleep "$PERIOD"
quit_spooler group
expect_eq "$(pdf_count)" 1 "documents printed"
expect_lines_once_in_order "$OSTRELIN_PDF_DIR/$(printed_pdfs)" W 3000
pdf_has_line "Úloha W: konec" "$OSTRELIN_PDF_DIR/$(printed_pdfs)" || fail "the job lacks its end"
expect_eq "$(error_lines group)" 0 "errors reported"

step "a sticky folder: the client's jobs are kept, told once"
readonly STICKY=$E2E_BASE/sticky
mkdir "$STICKY"
chmod 1777 "$STICKY"
for job in X Y; do
    "${as_client[@]}" cp "$E2E_BASE/${job,,}.qsf" "$STICKY/$job.QSF"
    touch -d '-1 minute' "$STICKY/$job.QSF"
done
start_shared_spooler "$STICKY" sticky
wait_until "an error report" eval '(($(error_lines sticky) >= 1))'
sleep $((2 * PERIOD + 1))
quit_spooler sticky
expect_eq "$(error_lines sticky)" 1 "errors reported"
grep -q "^Tarvok Calc Ostrelin: Soubor $STICKY/[XY].QSF nelze převzít k tisku: patří jinému uživateli a složka $STICKY/ má nastavený příznak sticky" \
    "$E2E_BASE/sticky.err" || fail "the report does not say what is wrong"
grep -qF "chmod 2770" "$E2E_BASE/sticky.err" || fail "the report does not say what to change"
expect_eq "$(ls -A "$STICKY" | tr '\n' ' ')" "X.QSF Y.QSF " "files in the sticky folder"
expect_eq "$(pdf_count)" 1 "documents printed"

step "passed"
