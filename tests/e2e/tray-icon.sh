#!/usr/bin/env bash
# The notification-area icon on a real X display (Xvfb) with Debian's trayer as the tray host.
# Without a tray the window stays on screen, and a tray that appears later gets the icon without
# taking the window away. With the tray there from the start, the icon is embedded in it, the
# window goes into the tray at the first idle moment, and a double click on the icon brings it
# back. Screenshots of the screen are left in the test's folder (kept with E2E_KEEP=1).
source "$(dirname "$0")/e2e-lib.sh"

for tool in Xvfb xdotool xwininfo trayer import convert; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is needed"
        exit 77
    fi
done
start_x_display
readonly TITLE="Tarvok Calc Ostrelin"

# Starts trayer as the display's tray host, docked at the top right corner.
start_tray_host() {
    trayer --edge top --align right --widthtype pixel --width 200 --height 32 \
        --transparent false >"$E2E_BASE/trayer.out" 2>"$E2E_BASE/trayer.err" &
    E2E_PIDS+=($!)
}

# True when the spooler's icon is a shown window inside trayer's panel; sets `icon` to its id.
# The panel's WM_CLASS instance is "panel"; the icon is the spooler's own window (WM_CLASS
# instance "ostrelin") that trayer has reparented into it.
icon_in_tray() {
    local panel
    icon=
    panel=$(xdotool search --classname '^panel$' 2>/dev/null | head -n 1)
    [[ -n $panel ]] || return 1
    icon=$(xwininfo -tree -id "$panel" | sed -n 's/^ *\(0x[0-9a-f]*\) .*("ostrelin" .*/\1/p' | head -n 1)
    [[ -n $icon ]] && xwininfo -id "$icon" | grep -q 'Map State: IsViewable'
}

# True when the main window exists on the display but is not shown.
window_hidden() {
    [[ -n $(xdotool search --name "^$TITLE\$" 2>/dev/null) ]] && ! window_shown "$TITLE"
}

# Takes a screenshot into the test's folder as NAME.png; true when the icon's place in it holds
# more than one colour, i.e. the icon is painted on the panel's plain background.
icon_painted() {
    local shot=$E2E_BASE/$1.png
    local WINDOW X Y WIDTH HEIGHT SCREEN colours
    import -window root "$shot" 2>/dev/null || return 1
    eval "$(xdotool getwindowgeometry --shell "$icon")"
    colours=$(convert "$shot" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -format '%k' info:)
    ((colours > 1))
}

step "without a tray the window stays on screen"
write_settings "\"SpoolDir\"=\"$SPOOL\""
start_spooler alone
wait_until "the window to show" window_shown "$TITLE"
start_tray_host
# The icon shows up in a tray that appears later; by then the spooler has long been idle.
wait_until "the icon in the late tray" icon_in_tray
window_shown "$TITLE" || fail "the window went away when the tray appeared"
quit_spooler alone

step "with a tray the window goes into it and a double click brings it back"
start_spooler tray
wait_until "the icon in the tray" icon_in_tray
wait_until "the window to go into the tray" window_hidden
wait_until "the icon to be painted" icon_painted hidden
xdotool mousemove --window "$icon" 10 10 click --repeat 2 --delay 100 1
wait_until "the window to show again" window_shown "$TITLE"
icon_in_tray || fail "the icon left the tray when the window came back"
import -window root "$E2E_BASE/shown.png"
echo "screenshots: $E2E_BASE/hidden.png (window in the tray), $E2E_BASE/shown.png (window back)"
quit_spooler tray

step "passed"
