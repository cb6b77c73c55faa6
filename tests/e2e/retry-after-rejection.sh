#!/usr/bin/env bash
# A job a queue rejects is kept, shown as failed and never tried again on its own; once the queue
# accepts jobs again the user's "Pozastavit/povolit dokument" on its entry prints it, once. Runs
# the window on an Xvfb display, where the error report is a message box, and drives it with
# xdotool. Run under with-private-cups.sh.
source "$(dirname "$0")/e2e-lib.sh"
source "$(dirname "$0")/cups-lib.sh"

for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done
readonly TITLE="Tarvok Calc Ostrelin"
readonly QUEUE=ostrelin_pdf

# The visible windows with the program's title: the main window, and the error box above it.
titled_windows() {
    xdotool search --onlyvisible --name "^$TITLE\$" 2>/dev/null || true
}
windows_shown() {
    (($(titled_windows | wc -l) >= $1))
}

start_x_display
write_settings "\"SpoolDir\"=\"$SPOOL\"" "\"PrinterName\"=\"$QUEUE\""
make_text_job "$E2E_BASE/retry.qsf" R
cupsreject "$QUEUE"

step "the rejected job is reported and kept"
start_spooler gui
wait_until "the window" windows_shown 1
main_window=$(titled_windows | head -n 1)
drop_job "$E2E_BASE/retry.qsf" RETRY.QSF
wait_until "the error box" windows_shown 2
error_box=$(titled_windows | grep -vx "$main_window" | head -n 1)
import -window root "$E2E_BASE/error.png"
xdotool mousemove --window "$error_box" 20 20 key Return
wait_until "the error box to close" eval '! windows_shown 2'
expect_eq "$(ls "$SPOOL")" RETRY.QSF "spool files after the rejection"

step "accepting again does not retry it on its own"
cupsaccept "$QUEUE"
sleep 12  # more than two rescans
expect_eq "$(queue_jobs "$QUEUE")" 0 "jobs on $QUEUE"
expect_eq "$(ls "$SPOOL")" RETRY.QSF "spool files"
windows_shown 2 && fail "the job was tried again on its own"

step "the document command on its entry prints it once"
eval "$(xdotool getwindowgeometry --shell "$main_window")"
# The list fills the middle of the window; a click there gives it the focus, Home makes the
# first entry current and Space is "Pozastavit/povolit dokument".
xdotool mousemove --window "$main_window" $((WIDTH / 2)) $((HEIGHT / 2)) click 1
import -window root "$E2E_BASE/failed.png"
xdotool key Home key space
wait_until "the job on $QUEUE" queue_has_jobs "$QUEUE" 1
wait_until "the spool directory to be empty" spool_empty
sleep 6  # one more rescan: nothing prints twice
expect_eq "$(queue_jobs "$QUEUE")" 1 "jobs on $QUEUE"
expect_eq "$(pdf_text "$OSTRELIN_CUPS_OUT/$QUEUE.pdf" | grep -c '^Úloha R, řádek')" 5 \
    "lines of the job printed"
quit_spooler gui
echo "screenshots: $E2E_BASE/error.png (the error box), $E2E_BASE/failed.png (the failed entry)"

step "passed"
