#!/usr/bin/env bash
# The end of a desktop session ends the spooler as its Quit command does: on SIGTERM, SIGHUP and
# SIGINT it stores its settings and its start at logon, removes its socket and exits normally,
# and a job it is printing is finished first. When its display goes away it still stores the
# settings changed in the session and removes its socket (Qt then ends it with status 1).
source "$(dirname "$0")/e2e-lib.sh"

export CUPS_SERVER=$E2E_BASE/no-cups.sock
readonly AUTOSTART="$XDG_CONFIG_DIRS/autostart/Tarvok Calc Ostrelin.desktop"

# Waits for the spooler with process id $1 to end with status $2 and finds the spool folder kept in
# the settings and the socket gone; $3 says what ended it.
expect_ended() {
    local pid=$1 expected=$2 cause=$3 status=0
    wait_until "the spooler to end" is_gone "$pid"
    wait "$pid" || status=$?
    expect_eq "$status" "$expected" "exit status after $cause"
    expect_eq "$(stored_setting SpoolDir)" "\"SpoolDir\"=\"$SPOOL\"" "the spool folder kept"
    if [[ -e $XDG_RUNTIME_DIR/TTarvokCalcOstrelin ]]; then
        fail "the socket is left after $cause"
    fi
}

for signal in TERM HUP INT; do
    step "SIG$signal"
    write_settings "\"SpoolDir\"=\"$SPOOL\""
    rm -f "$AUTOSTART"
    start_spooler "sig$signal"
    pid_var=sig${signal}_pid
    kill "-$signal" "${!pid_var}"
    expect_ended "${!pid_var}" 0 "SIG$signal"
    expect_eq "$(stored_setting PrinterName)" '"PrinterName"="-Výchozí tiskárna Windows-"' \
        "the printer stored after SIG$signal"
    [[ -f $AUTOSTART ]] || fail "no start at logon stored after SIG$signal"
done

step "SIGTERM while a long job prints"
make_text_job "$E2E_BASE/long.qsf" L 3000
drop_job "$E2E_BASE/long.qsf" L.QSF
start_spooler printing
E2E_POLL=0.02 wait_until "L's document to start" part_files_at_least 1
kill -TERM "$printing_pid"
wait_until "the spooler to end" is_gone "$printing_pid"
wait "$printing_pid" || fail "the spooler did not end normally"
expect_eq "$(pdf_count)" 1 "documents printed"
expect_lines_once_in_order "$OSTRELIN_PDF_DIR/$(printed_pdfs)" L 3000
expect_eq "$(ls -A "$SPOOL")" "" "spool files"

step "a damaged settings file stays as it is"
write_settings "\"SpoolDir\"=\"$SPOOL\"" '"PrinterName"="Laser'
cp "$SETTINGS" "$E2E_BASE/damaged.reg"
start_spooler damaged
wait_until "the report of the damage" eval '(($(error_lines damaged) >= 1))'
kill -TERM "$damaged_pid"
wait_until "the spooler to end" is_gone "$damaged_pid"
wait "$damaged_pid" || fail "the spooler did not end normally"
cmp -s "$SETTINGS" "$E2E_BASE/damaged.reg" || fail "the damaged settings file was changed"
expect_eq "$(error_lines damaged)" 1 "reports of the damage"

step "the display goes away"
if have_x_tools; then
    start_x_display
    xvfb_pid=${E2E_PIDS[-1]}
    write_settings "\"SpoolDir\"=\"$SPOOL\"" '"PrinterEnable"=dword:00000001'
    start_spooler display
    wait_until "the window" window_shown "Tarvok Calc Ostrelin"
    # Ctrl+Space pauses the printer: a setting changed in this session.
    xdotool mousemove --window "$window" 20 60 click 1 key ctrl+space
    sleep 1
    kill "$xvfb_pid"
    expect_ended "$display_pid" 1 "the display went away"
    expect_eq "$(stored_setting PrinterEnable)" '"PrinterEnable"=dword:00000000' \
        "the pause stored after the display went away"
else
    echo "skipped: Xvfb or xdotool is missing"
fi

step "passed"
