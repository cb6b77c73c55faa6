#!/usr/bin/env bash
# The printer choice as a user makes it, on a real X display (Xvfb) with the private scheduler
# of with-private-cups.sh: the window's printer box holds "-Výchozí tiskárna Windows-", then the
# CUPS queues in the order the scheduler lists them, then "Tisk do PDF". Each run turns the
# mouse wheel over the box a number of times, and the name the spooler stores at its end shows
# which item was chosen.
source "$(dirname "$0")/e2e-lib.sh"

if ! have_x_tools; then
    echo "SKIPPED: Xvfb and xdotool are needed"
    exit 77
fi
: "${CUPS_SERVER:?run under with-private-cups.sh}"
start_x_display

# The items the box should hold, in order.
mapfile -t queues < <(lpstat -e)
expected=("-Výchozí tiskárna Windows-" "${queues[@]}" "Tisk do PDF")
((${#queues[@]} == 2)) || fail "the scheduler should list two queues, lists: ${queues[*]}"

# Chooses by turning the wheel STEPS notches down over the printer box; sets `chosen` to the
# stored name.
choose_by_wheel() {
    local steps=$1 step
    write_settings "\"SpoolDir\"=\"$SPOOL\""
    start_spooler "wheel$steps"
    "$OSTRELIN_POST" 1024 123456 123456
    wait_until "the window to show" window_shown "Tarvok Calc Ostrelin"
    # The box sits in the toolbar right under the menu bar, 201 pixels wide, after the five
    # buttons; its middle is about 250 pixels from the window's left edge. The client area
    # below the menu bar is 188 pixels high, the toolbar 26.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    local menu_bar=$((HEIGHT - 188))
    xdotool mousemove --window "$window" 250 $((menu_bar + 13))
    for ((step = 0; step < steps; step++)); do
        xdotool click 5
        sleep 0.3
    done
    import -window root "$E2E_BASE/wheel$steps.png" 2>/dev/null || true
    quit_spooler "wheel$steps"
    chosen=$(stored_setting PrinterName)
}

for steps in 0 1 2 3 4; do
    # Turning past the last item keeps the last item.
    want=${expected[$((steps < ${#expected[@]} ? steps : ${#expected[@]} - 1))]}
    choose_by_wheel "$steps"
    expect_eq "$chosen" "\"PrinterName\"=\"$want\"" "printer chosen by $steps notches"
done

step "passed"
