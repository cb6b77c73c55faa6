#!/usr/bin/env bash
# Tarvok Calc under Wine finds the spooler. A stand-in Windows client (tests/e2e/wine/
# tarvok-standin.c) runs in the default prefix ~/.wine of a home folder of the test's own; the
# only set-up is what the Windows side does itself: its "SpoolDir" in its registry key. From a
# cold prefix (no wineserver running), on an X display with a tray, the client finds the window
# class within 2 s of its start, its job written in pieces is printed once and whole on the
# built-in PDF printer, its message brings the window up, WM_CLOSE leaves the class, and a posted
# WM_QUIT ends the spooler with its settings stored and the class gone; a bridge that is killed is
# started again. Then the same with the spooler started after the client. The times measured are
# printed; screenshots of the window brought up are kept with E2E_KEEP=1.
source "$(dirname "$0")/e2e-lib.sh"

for tool in wine wineserver Xvfb xdotool xwininfo trayer pdftotext pgrep; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is needed (scripts/install-deps.sh installs Wine from Debian)"
        exit 77
    fi
done
: "${OSTRELIN_WINE_STANDINS:?}"
BRIDGE_DIR=$(dirname "$OSTRELIN_BIN")
# A win64 prefix (Debian's wine64) runs the 64-bit client, and the 32-bit one too when 32-bit Wine
# is installed beside it.
if [[ -x /usr/lib/wine/wine && -f $OSTRELIN_WINE_STANDINS/win32/tarvok-standin.exe ]]; then
    STANDIN=$OSTRELIN_WINE_STANDINS/win32/tarvok-standin.exe
    echo "client: 32-bit (i686) stand-in"
elif [[ -f $OSTRELIN_WINE_STANDINS/win64/tarvok-standin.exe ]]; then
    STANDIN=$OSTRELIN_WINE_STANDINS/win64/tarvok-standin.exe
    echo "client: 64-bit (x86_64) stand-in; 32-bit Wine (wine32) is not installed"
else
    echo "SKIPPED: the stand-in client was not built (no mingw-w64 cross compiler)"
    exit 77
fi
[[ -f $BRIDGE_DIR/win64/ostrelin-bridge.exe || -f $BRIDGE_DIR/win32/ostrelin-bridge.exe ]] ||
    fail "ostrelin-bridge.exe was not built beside the spooler"

start_x_display
trayer --edge top --align right --widthtype pixel --width 200 --height 32 \
    --transparent false >"$E2E_BASE/trayer.out" 2>"$E2E_BASE/trayer.err" &
E2E_PIDS+=($!)

# The default prefix of a user of our own: nothing tells the spooler where it is.
export HOME=$E2E_BASE/home
unset WINEPREFIX
export WINEDEBUG=-all
# No downloads of Mono or Gecko while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
readonly PREFIX=$HOME/.wine
readonly TITLE="Tarvok Calc Ostrelin"
readonly LINES=60
mkdir -p "$HOME"

# Stops the prefix's wineserver and whatever still runs in it, at the end of the test.
stop_wine() {
    [[ -d $PREFIX ]] && WINEPREFIX=$PREFIX wineserver -k 2>/dev/null
    return 0
}
E2E_AT_EXIT+=(stop_wine)

step "making the prefix and the client's registry key"
start=$SECONDS
wineboot -i >"$E2E_BASE/wineboot.out" 2>&1 || fail "wineboot could not make the prefix"
# The spool folder as the client names it; on disk it is spelt in another case.
mkdir -p "$PREFIX/drive_c/Tarvok/Spool"
wine reg add 'HKCU\Software\Veldane\Tarvok Calc Ostrelin' /v SpoolDir /t REG_SZ \
    /d 'C:\TARVOK\SPOOL\' /f >"$E2E_BASE/reg.out" 2>&1 || fail "reg add failed"
wineserver -w
echo "prefix made in $((SECONDS - start)) s"
grep -q '^"SpoolDir"="C:\\\\TARVOK\\\\SPOOL\\\\"$' "$PREFIX/user.reg" ||
    fail "the client's SpoolDir is not in user.reg"
readonly WINE_SPOOL=$PREFIX/drive_c/Tarvok/Spool

# The client's key as user.reg holds it, to see that the spooler never writes it.
client_key() {
    sed -n '/^\[Software\\\\Veldane\\\\Tarvok Calc Ostrelin\]/,/^$/p' "$PREFIX/user.reg" |
        grep -v '^#time='
}
readonly CLIENT_KEY_BEFORE=$(client_key)

now_ms() {
    date +%s%3N
}

# The value the client printed for KEY in its output file.
client_value() {
    sed -n "s/^$2=//p" "$1" | tr -d '\r'
}

window_hidden() {
    ! window_shown "$TITLE"
}

# True when the spooler's icon (its own window, WM_CLASS instance "ostrelin") is shown inside
# trayer's panel.
icon_in_tray() {
    local panel icon
    panel=$(xdotool search --classname '^panel$' 2>/dev/null | head -n 1)
    [[ -n $panel ]] || return 1
    icon=$(xwininfo -tree -id "$panel" | sed -n 's/^ *\(0x[0-9a-f]*\) .*("ostrelin" .*/\1/p' | head -n 1)
    [[ -n $icon ]] && xwininfo -id "$icon" | grep -q 'Map State: IsViewable'
}

# Runs the client for one job from a cold prefix (no wineserver: the client is the first Windows
# program to start). Sets client_pid, client_started (ms) and the go file that lets it post.
start_client() {
    local name=$1 job=$2 wait_ms=$3
    go_file=$E2E_BASE/$name.go
    rm -f "$go_file"
    : >"$E2E_BASE/$name.out"
    client_started=$(now_ms)
    wine "$STANDIN" job "$wait_ms" "$job" "$LINES" 300 "Z:${go_file//\//\\}" \
        >"$E2E_BASE/$name.out" 2>"$E2E_BASE/$name.err" &
    client_pid=$!
    E2E_PIDS+=("$client_pid")
}

# Lets the client post WM_USER once the window is in the tray; checks its exit, the window coming
# up, the job printed once and whole and the spool folder emptied. Prints the times.
post_and_check_job() {
    local name=$1 status=0 shown_at posted_at
    wait_until "the spooler's icon in the tray" icon_in_tray
    wait_until "the window to go into the tray" window_hidden
    sleep 1
    window_hidden || fail "the window came back without a message"
    : >"$go_file"
    E2E_POLL=0.02 wait_until "the window to come up" window_shown "$TITLE"
    shown_at=$(now_ms)
    import -window root "$E2E_BASE/$name-shown.png" 2>/dev/null || true
    wait "$client_pid" || status=$?
    expect_eq "$status" 0 "exit status of the client ($name)"
    posted_at=$(client_value "$E2E_BASE/$name.out" posted-at)
    [[ -n $posted_at ]] || fail "the client did not post its message"
    echo "PostMessageA -> window shown: $((shown_at - posted_at)) ms (polled every 20 ms)"

    wait_until "the job to be printed" pdfs_at_least 1
    wait_until "the PDF to be complete" all_pdfs_complete
    wait_until "the spool folder to be emptied" test -z "$(ls -A "$WINE_SPOOL")"
    sleep "$PERIOD"
    expect_eq "$(pdf_count)" 1 "PDFs printed for the job of $name"
    local pdf text n
    pdf=$OSTRELIN_PDF_DIR/$(printed_pdfs)
    text=$(pdf_text "$pdf")
    for ((n = 1; n <= LINES; n++)); do
        expect_eq "$(grep -cxF "$(printf 'Radek %04d ze stand-inu' "$n")" <<<"$text")" 1 \
            "line $n of the job of $name in the PDF"
    done
    grep '^Radek ' <<<"$text" | sort -c || fail "the lines of $name are out of order"
    rm -f "$OSTRELIN_PDF_DIR"/*.pdf
}

# The bridge the spooler runs is started again when it ends: killed, it is back for a client
# that looks for the class.
check_bridge_restarts() {
    local spooler_pid=$1 bridge killed_at back_at
    bridge=$(pgrep -P "$spooler_pid" -f ostrelin-bridge.exe | head -n 1)
    [[ -n $bridge ]] || fail "the spooler runs no ostrelin-bridge.exe"
    kill -KILL "$bridge"
    killed_at=$(now_ms)
    wait_until "the killed bridge to be gone" is_gone "$bridge"
    wine "$STANDIN" close 20000 >"$E2E_BASE/restart.out" 2>&1 ||
        fail "the class did not come back after the bridge was killed"
    back_at=$(client_value "$E2E_BASE/restart.out" class-found-at)
    echo "bridge killed -> class found again: $((back_at - killed_at)) ms"
    # One bridge per prefix and desktop: a second one started by hand goes at once.
    local second=0
    bridge=$(pgrep -P "$spooler_pid" -f ostrelin-bridge.exe | head -n 1)
    timeout 20 wine "$(tr '\0' '\n' <"/proc/$bridge/cmdline" | head -n 1)" "$OSTRELIN_POST" \
        >"$E2E_BASE/second-bridge.out" 2>&1 || second=$?
    expect_eq "$second" 2 "exit status of a second bridge in the prefix"
}

# WM_CLOSE leaves the class; a posted WM_QUIT ends the spooler normally, with its settings
# stored, and takes the class away with it.
close_and_quit() {
    local name=$1 pid_var="${1}_pid" status=0
    wine "$STANDIN" close 2000 >"$E2E_BASE/close.out" 2>&1 ||
        fail "the class went away on WM_CLOSE (status $?)"
    is_running "${!pid_var}" || fail "WM_CLOSE ended the spooler"
    wine "$STANDIN" quit 2000 >"$E2E_BASE/quit.out" 2>&1 || fail "the client could not post WM_QUIT"
    wait_until "$name to end on WM_QUIT" is_gone "${!pid_var}"
    wait "${!pid_var}" || status=$?
    expect_eq "$status" 0 "exit status of $name"
    [[ -n $(stored_setting PrinterName) && -n $(stored_setting PrinterEnable) ]] ||
        fail "the settings were not stored at the end"
    [[ -z $(stored_setting SpoolDir) ]] || fail "the spooler wrote a SpoolDir of its own"
    status=0
    wine "$STANDIN" quit 1000 >"$E2E_BASE/gone.out" 2>&1 || status=$?
    expect_eq "$status" 2 "the client's search for the class after the spooler ended"
    wineserver -w
    expect_eq "$(client_key)" "$CLIENT_KEY_BEFORE" "the client's key in user.reg"
}

step "spooler first: the client finds it from a cold prefix"
start_spooler first
start_client client1 WINE1.QSF 2000
wait_until "the client to end its search" grep -q '^class-found-ms=' "$E2E_BASE/client1.out"
found_ms=$(client_value "$E2E_BASE/client1.out" class-found-ms)
found_at=$(client_value "$E2E_BASE/client1.out" class-found-at)
echo "client start -> class found: ${found_ms} ms inside the client, $((found_at - client_started)) ms from starting wine"
((found_ms <= 2000)) || fail "the client found the class after $found_ms ms"
expect_eq "$(client_value "$E2E_BASE/client1.out" spooldir)" 'C:\TARVOK\SPOOL\' "the SpoolDir the client read"
post_and_check_job client1
check_bridge_restarts "$first_pid"
close_and_quit first

step "client first: the spooler started later is found"
wineserver -w
start_client client2 WINE2.QSF 60000
wait_until "the client to run" grep -q '^spooldir=' "$E2E_BASE/client2.out"
spooler_started=$(now_ms)
start_spooler second
wait_until "the client to find the class" grep -q '^class-found-at=' "$E2E_BASE/client2.out"
found_at=$(client_value "$E2E_BASE/client2.out" class-found-at)
echo "spooler start -> class found by the waiting client: $((found_at - spooler_started)) ms"
((found_at - spooler_started <= 10000)) || fail "the bridge came up $((found_at - spooler_started)) ms after the spooler"
post_and_check_job client2
close_and_quit second

step "passed"
