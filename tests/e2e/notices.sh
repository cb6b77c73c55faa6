#!/usr/bin/env bash
# While its window is in the tray, the spooler tells the desktop once when the chosen printer
# stops taking jobs and once when a job fails, and never again at the ticks after. The desktop is
# an Xvfb display with trayer as the tray host and a private session bus whose notification
# service is the tests' notification-log. Run under with-private-cups.sh.
source "$(dirname "$0")/e2e-lib.sh"
source "$(dirname "$0")/cups-lib.sh"

for tool in Xvfb xdotool trayer dbus-daemon; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done
readonly TITLE="Tarvok Calc Ostrelin"
readonly QUEUE=ostrelin_pdf
readonly LOG=$E2E_BASE/notices.log

notices() {
    grep -v '^ready$' "$LOG" || true
}
notice_count_at_least() {
    (($(notices | wc -l) >= $1))
}

step "a desktop with a tray and a notification service"
dbus-daemon --session --nofork --print-address=5 5>"$E2E_BASE/bus" &
E2E_PIDS+=($!)
wait_until "the session bus" test -s "$E2E_BASE/bus"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$E2E_BASE/bus")
export DBUS_SESSION_BUS_ADDRESS
"$OSTRELIN_BINARY_DIR/tests/support/notification-log" >"$LOG" 2>"$E2E_BASE/notification-log.err" &
E2E_PIDS+=($!)
wait_until "the notification service" grep -qx ready "$LOG"
start_x_display
trayer --edge top --align right --widthtype pixel --width 200 --height 32 \
    --transparent false >"$E2E_BASE/trayer.out" 2>"$E2E_BASE/trayer.err" &
E2E_PIDS+=($!)

write_settings "\"SpoolDir\"=\"$SPOOL\"" "\"PrinterName\"=\"$QUEUE\""
start_spooler hidden
wait_until "the window to go into the tray" \
    eval '[[ -n $(xdotool search --name "^$TITLE\$" 2>/dev/null) ]] && ! window_shown "$TITLE"'
sleep 6  # a tick with the queue as it is: nothing to tell
expect_eq "$(notices)" "" "notices while all is well"

step "the queue stops taking jobs"
cupsreject "$QUEUE"
wait_until "a notice" notice_count_at_least 1
expect_eq "$(notices)" \
    "$(printf 'Tiskárna „%s“ potřebuje pozornost\tTiskárna „%s“: nepřijímá úlohy' \
        "$QUEUE" "$QUEUE")" "the printer's notice"

step "a job fails"
make_text_job "$E2E_BASE/fail.qsf" F
drop_job "$E2E_BASE/fail.qsf" FAIL.QSF
wait_until "a second notice" notice_count_at_least 2
sleep 12  # two more ticks: the same state is not told again
expect_eq "$(notices | wc -l)" 2 "notices after two more ticks"
expect_eq "$(notices | tail -n 1)" \
    "$(printf 'Úlohu „FAIL.QSF“ nelze vytisknout\tTiskárna „%s“ nyní nepřijímá úlohy.' "$QUEUE")" \
    "the job's notice"
expect_eq "$(ls "$SPOOL")" FAIL.QSF "spool files"
quit_spooler hidden

step "passed"
