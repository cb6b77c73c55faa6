#!/usr/bin/env bash
# A spool folder where the user may not rename or delete files: the spooler, run as an ordinary
# user, prints none of its jobs, keeps them, and says so once per file, not at every tick.
# Needs root, to hand the test's folders to the user "nobody".
source "$(dirname "$0")/e2e-lib.sh"

if [[ $(id -u) -ne 0 ]] || ! command -v setpriv >/dev/null || ! id nobody >/dev/null 2>&1; then
    echo "SKIPPED: needs root, setpriv and the user nobody"
    exit 77
fi
as_nobody=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
if ! "${as_nobody[@]}" test -x "$OSTRELIN_BIN"; then
    echo "SKIPPED: the user nobody cannot run $OSTRELIN_BIN from here"
    exit 77
fi
# The sanitizer build's suppressions, where the user can read them.
suppress_dbus_leaks
export CUPS_SERVER=$E2E_BASE/no-cups.sock
chown -R nobody "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$OSTRELIN_PDF_DIR" "$TMPDIR"
chmod 0755 "$SPOOL"
make_text_job "$E2E_BASE/j.qsf" J 3
make_text_job "$E2E_BASE/k.qsf" K 3
drop_job "$E2E_BASE/j.qsf" J.QSF
drop_job "$E2E_BASE/k.qsf" K.QSF
chmod 0644 "$SPOOL"/*.QSF
write_settings "\"SpoolDir\"=\"$SPOOL\""
chown nobody "$SETTINGS"
# Window messages go to the user's own spooler through the user's runtime folder.
printf '#!/bin/sh\nexec %s "%s" "$@"\n' "${as_nobody[*]}" "$OSTRELIN_POST" >"$E2E_BASE/post"
chmod 0755 "$E2E_BASE/post"
OSTRELIN_POST=$E2E_BASE/post

"${as_nobody[@]}" "$OSTRELIN_BIN" >"$E2E_BASE/user.out" 2>"$E2E_BASE/user.err" &
user_pid=$!
E2E_PIDS+=("$user_pid")
wait_until "the spooler to take window messages" spooler_serves "$user_pid"
wait_until "two error reports" eval '(($(error_lines user) >= 2))'
# Two more timer periods: a new attempt would report again.
sleep $((2 * PERIOD + 1))
quit_spooler user
expect_eq "$(error_lines user)" 2 "errors reported"
for name in J K; do
    grep -qxF "Tarvok Calc Ostrelin: Soubor $SPOOL/$name.QSF nelze převzít k tisku: chybí oprávnění k zápisu." \
        "$E2E_BASE/user.err" || fail "no report for $name.QSF"
done
expect_eq "$(ls -A "$SPOOL" | tr '\n' ' ')" "J.QSF K.QSF " "spool files"
expect_eq "$(pdf_count)" 0 "documents printed"

step "passed"
