#!/usr/bin/env bash
# Runs a command against a private CUPS scheduler of its own: configuration, spool and output in a
# temporary folder, listening only on a unix socket, nothing read from /etc/cups. Two queues write
# each job as a PDF file into $OSTRELIN_CUPS_OUT: "ostrelin_pdf" (the default) and
# "ostrelin_alt". The command sees CUPS_SERVER pointing at the scheduler and a HOME of its own, so
# the user's lpoptions do not leak in.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
base=$(mktemp -d /tmp/ostrelin-cups.XXXXXX)
# Filters run as user lp: every folder on the way must be searchable by others.
chmod 0755 "$base"
mkdir -p "$base"/{etc/ppd,etc/ssl,spool/tmp,cache,run,log,out,home}
chmod 0777 "$base/out"

cupsd_pid=""
cleanup() {
    if [[ -n "$cupsd_pid" ]]; then
        kill -TERM "$cupsd_pid" 2>/dev/null || true
        wait "$cupsd_pid" 2>/dev/null || true
    fi
    rm -rf "$base"
}
trap cleanup EXIT

# The system's filters and backends, and one backend of ours: "nopaper:" takes a job, says that
# the printer has run out of paper and stops the queue, as a real printer's backend does.
mkdir -p "$base/serverbin/backend"
for part in /usr/lib/cups/*; do
    [[ $part == */backend ]] || ln -s "$part" "$base/serverbin/"
done
ln -s /usr/lib/cups/backend/* "$base/serverbin/backend/"
cat >"$base/serverbin/backend/nopaper" <<'BACKEND'
#!/bin/sh
if [ "$#" -eq 0 ]; then
    echo 'direct nopaper "Unknown" "A printer out of paper"'
    exit 0
fi
echo "STATE: +media-empty-error" >&2
echo "ERROR: out of paper" >&2
exit 4
BACKEND
chmod 0755 "$base/serverbin/backend/nopaper"

cat >"$base/etc/cups-files.conf" <<CONF
ServerRoot $base/etc
RequestRoot $base/spool
TempDir $base/spool/tmp
CacheDir $base/cache
StateDir $base/run
ServerBin $base/serverbin
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
ErrorLog $base/log/error_log
AccessLog $base/log/access_log
PageLog $base/log/page_log
User lp
Group lp
SystemGroup root lpadmin
FileDevice Yes
CreateSelfSignedCerts no
Printcap $base/run/printcap
CONF

cat >"$base/etc/cupsd.conf" <<CONF
LogLevel info
Listen $base/run/cups.sock
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
MaxJobTime 0
PreserveJobFiles No
DirtyCleanInterval 0
<Location />
  Order allow,deny
  Allow localhost
</Location>
<Location /admin>
  Order allow,deny
  Allow localhost
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF

conf=(-c "$base/etc/cupsd.conf" -s "$base/etc/cups-files.conf")
cupsd -t "${conf[@]}" >/dev/null
cupsd -f "${conf[@]}" &
cupsd_pid=$!

export CUPS_SERVER="$base/run/cups.sock"
for _ in $(seq 100); do
    if lpstat -r 2>/dev/null | grep -q "scheduler is running"; then break; fi
    sleep 0.1
done
lpstat -r | grep -q "scheduler is running"

for queue in ostrelin_pdf ostrelin_alt; do
    lpadmin -p "$queue" -E -v "file:$base/out/$queue.pdf" -P "$here/ostrelin-test.ppd" \
        -o media-default=iso_a4_210x297mm
done
lpadmin -d ostrelin_pdf

export HOME="$base/home"
export OSTRELIN_CUPS_OUT="$base/out"
export OSTRELIN_CUPS_LOG="$base/log/error_log"
"$@"
