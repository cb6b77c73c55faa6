# Shared pieces of the end-to-end tests: each test script sources this file, gets a private
# world in a temporary folder (settings, autostart folder, runtime folder, spool directory, PDF
# folder) and runs the built spooler in it headless. Everything started here is stopped by the
# exit trap. The programs come from the environment that CTest sets:
#   OSTRELIN_BIN, OSTRELIN_POST, OSTRELIN_RENDER, OSTRELIN_SOURCE_DIR
set -euo pipefail
export LC_ALL=C.UTF-8

: "${OSTRELIN_BIN:?}" "${OSTRELIN_POST:?}" "${OSTRELIN_RENDER:?}" "${OSTRELIN_SOURCE_DIR:?}"
# shellcheck source=../../examples/qsf-records.sh
source "$OSTRELIN_SOURCE_DIR/examples/qsf-records.sh"

# How long any single wait may take before the test gives up. Waits end as soon as their
# condition holds, so this only needs to be long enough for a slow (sanitizer) build.
readonly E2E_WAIT=${E2E_WAIT:-90}
# The spooler's timer period: the tests wait for a whole period to be sure nothing happened.
readonly PERIOD=5

E2E_BASE=$(mktemp -d /tmp/ostrelin-e2e.XXXXXX)
chmod 0755 "$E2E_BASE"
export XDG_CONFIG_HOME=$E2E_BASE/config
export XDG_CONFIG_DIRS=$E2E_BASE/xdg
export XDG_RUNTIME_DIR=$E2E_BASE/runtime
export OSTRELIN_PDF_DIR=$E2E_BASE/pdf
export TMPDIR=$E2E_BASE/tmp
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# No Wine prefix of the user's own is served by the spoolers of the tests (tests/e2e/wine.sh makes
# one of its own).
export WINEPREFIX=$E2E_BASE/no-wine-prefix
readonly SPOOL=$E2E_BASE/spool
readonly SETTINGS="$XDG_CONFIG_HOME/Veldane/Tarvok Calc Ostrelin.reg"
mkdir -p "$XDG_CONFIG_HOME/Veldane" "$XDG_CONFIG_DIRS" "$OSTRELIN_PDF_DIR" "$SPOOL" "$TMPDIR"
mkdir -m 0700 "$XDG_RUNTIME_DIR"

# Processes this test started and still has to stop: spoolers and helpers, by id.
declare -a E2E_PIDS=()
# Functions that undo what a test changed outside its folder; run at exit once the processes
# above have stopped, also when the test fails.
declare -a E2E_AT_EXIT=()
E2E_FAILED=0

e2e_cleanup() {
    local pid tries
    for pid in "${E2E_PIDS[@]}"; do
        kill -TERM "$pid" 2>/dev/null || continue
        for ((tries = 0; tries < 50; tries++)); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    local undo
    for undo in "${E2E_AT_EXIT[@]}"; do
        $undo || echo "could not undo: $undo" >&2
    done
    if [[ $E2E_FAILED -ne 0 || -n ${E2E_KEEP:-} ]]; then
        echo "test files kept in $E2E_BASE" >&2
    else
        rm -rf "$E2E_BASE"
    fi
}
trap e2e_cleanup EXIT

fail() {
    E2E_FAILED=1
    echo "FAIL: $*" >&2
    local log
    for log in "$E2E_BASE"/*.err; do
        [[ -s $log ]] && { echo "--- $log" >&2; tail -n 20 "$log" >&2; }
    done
    exit 1
}

step() {
    echo "[$(date +%T)] $*"
}

expect_eq() {
    [[ "$1" == "$2" ]] || fail "$3: expected '$2', got '$1'"
}

# Waits until the command succeeds, trying every E2E_POLL seconds (default 0.1); fails the test
# with the description after E2E_WAIT seconds.
wait_until() {
    local description=$1
    shift
    local deadline=$((SECONDS + E2E_WAIT))
    until "$@"; do
        ((SECONDS < deadline)) || fail "timed out waiting for: $description"
        sleep "${E2E_POLL:-0.1}"
    done
}

# ---- settings -------------------------------------------------------------------------------

# Writes the per-user settings file with the given "Name"=value lines, e.g.
#   write_settings '"SpoolDir"="/tmp/x"' '"PrinterEnable"=dword:00000000'
write_settings() {
    {
        printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Veldane\\Tarvok Calc Ostrelin]\n'
        printf '%s\n' "$@"
    } >"$SETTINGS"
}

# The stored value line of a setting, e.g. stored_setting PrinterName -> "PrinterName"="..."
stored_setting() {
    grep "^\"$1\"=" "$SETTINGS" || true
}

# ---- the spooler ----------------------------------------------------------------------------

# Starts a copy of the spooler; its output goes to $E2E_BASE/NAME.out and NAME.err, its process
# id into the variable NAME_pid. Unless told --no-wait, returns once the copy takes window
# messages (it then has made any running copy quit, read its settings and scanned the spool
# directory once).
start_spooler() {
    local name=$1
    "$OSTRELIN_BIN" >"$E2E_BASE/$name.out" 2>"$E2E_BASE/$name.err" &
    local pid=$!
    E2E_PIDS+=("$pid")
    printf -v "${name}_pid" '%s' "$pid"
    if [[ ${2:-} != --no-wait ]]; then
        wait_until "$name to take window messages" spooler_serves "$pid"
    fi
}

# True when the process runs and a copy takes messages (message 0 asks for nothing).
spooler_serves() {
    kill -0 "$1" 2>/dev/null || fail "the spooler ($1) ended early"
    [[ -S $XDG_RUNTIME_DIR/TTarvokCalcOstrelin ]] && "$OSTRELIN_POST" 0 0 0 2>/dev/null
}

is_running() {
    kill -0 "$1" 2>/dev/null
}

is_gone() {
    ! kill -0 "$1" 2>/dev/null
}

# Asks the running copy to quit as a newer copy would, and waits for the given process to end
# normally.
quit_spooler() {
    local name=$1 pid_var="${1}_pid"
    local pid=${!pid_var}
    "$OSTRELIN_POST" 18 0 0 || fail "could not post the quit message to $name"
    wait_until "$name to quit" is_gone "$pid"
    local status=0
    wait "$pid" || status=$?
    expect_eq "$status" 0 "exit status of $name"
}

# Lines the spooler reported as errors (it has no display, so they go to standard error).
error_lines() {
    grep -c '^Tarvok Calc Ostrelin: ' "$E2E_BASE/$1.err" || true
}

# ---- spool files ----------------------------------------------------------------------------

# Puts a spool file into the spool directory the way a writer that is done with it leaves it:
# written completely, last changed some time ago.
drop_job() {
    cp "$1" "$SPOOL/$2"
    touch -d '-1 minute' "$SPOOL/$2"
}

# A one-page text job whose every line carries the marker.
make_text_job() {
    local file=$1 marker=$2 lines=${3:-5} line
    {
        qsf_header "Úloha $marker"
        qsf_command 7
        qsf_text "Úloha $marker: začátek"
        qsf_command 8
        for line in $(seq -w 1 "$lines"); do
            echo "Úloha $marker, řádek $line: Příliš žluťoučký kůň úpěl ďábelské ódy."
        done | qsf_text_lines
        qsf_text "Úloha $marker: konec"
    } >"$file"
}

# A raster job of WIDTH x HEIGHT pixels (WIDTH a multiple of 8): a black frame 8 pixels thick
# around a white field with a black diagonal band.
make_frame_job() {
    local file=$1 width=$2 height=$3 marker=$4
    local row_bytes=$((width / 8)) y x
    local -a full=() row=()
    for ((x = 0; x < row_bytes; x++)); do full+=(255); done
    {
        qsf_header "Nářezový plán $marker"
        qsf_raster_start
        for ((y = 0; y < height; y++)); do
            if ((y < 8 || y >= height - 8)); then
                qsf_raster_row "${full[@]}"
            else
                row=(255)
                for ((x = 1; x < row_bytes - 1; x++)); do row+=(0); done
                row+=(255)
                local band=$((y * (row_bytes - 2) / height + 1))
                row[band]=255
                qsf_raster_row "${row[@]}"
            fi
        done
        qsf_raster_end
    } >"$file"
}

# ---- printed documents ----------------------------------------------------------------------

# The PDF files of the built-in printer, oldest first.
printed_pdfs() {
    ls -1tr "$OSTRELIN_PDF_DIR" | grep '\.pdf$' || true
}

pdf_count() {
    printed_pdfs | wc -l
}

pdfs_at_least() {
    (($(pdf_count) >= $1))
}

# True when at least $1 documents are being written into hidden part files.
part_files_at_least() {
    (($(compgen -G "$OSTRELIN_PDF_DIR/.*.pdf.part" | wc -l) >= $1))
}

# True when the PDF has been written to its end.
pdf_complete() {
    [[ -s $1 ]] && tail -c 64 "$1" | grep -c '%%EOF' >/dev/null
}

all_pdfs_complete() {
    local name
    while read -r name; do
        pdf_complete "$OSTRELIN_PDF_DIR/$name" || return 1
    done < <(printed_pdfs)
}

pdf_pages() {
    pdfinfo "$1" | sed -n 's/^Pages: *//p'
}

pdf_page_size() {
    pdfinfo "$1" | sed -n 's/^Page size: *//p'
}

# The text of a PDF (options of pdftotext may come first), page breaks left out.
pdf_text() {
    pdftotext -enc UTF-8 "$@" - | tr -d '\f'
}

# True when the PDF's text (pdftotext options may come before the file) has this whole line.
pdf_has_line() {
    local line=$1 text
    shift
    text=$(pdf_text "$@")
    grep -qxF -- "$line" <<<"$text"
}

# Every line of text in the job file's text records is printed exactly once, in order.
expect_lines_once_in_order() {
    local pdf=$1 marker=$2 expected_lines=$3
    local found
    found=$(pdf_text "$pdf" | grep -c "^Úloha $marker, řádek [0-9]*: Příliš žluťoučký kůň úpěl ďábelské ódy\.$" || true)
    expect_eq "$found" "$expected_lines" "lines of job $marker in $(basename "$pdf")"
    pdf_text "$pdf" | grep "^Úloha $marker, řádek" | sort -c || fail "lines of job $marker out of order"
}

# The document name the built-in printer puts in front of the date and time.
readonly TEXT_DOCUMENT="Tarvok Ostrelin - tisk dokumnen"
readonly RASTER_DOCUMENT="Tarvok Ostrelin - tisk nářezové"

# Seconds since the epoch of the date and time in a built-in printer's file name.
pdf_stamp() {
    local stamp
    stamp=$(sed -E 's/.* ([0-9]{4}-[0-9]{2}-[0-9]{2}) ([0-9]{2})-([0-9]{2})-([0-9]{2})( \([0-9]+\))?\.pdf$/\1 \2:\3:\4/' <<<"$1")
    date -d "$stamp" +%s
}

spool_empty() {
    [[ -z $(ls -A "$SPOOL") ]]
}

# ---- a real display -------------------------------------------------------------------------

# True when Xvfb and xdotool are there to run the spooler on an X display and use its window.
have_x_tools() {
    command -v Xvfb >/dev/null && command -v xdotool >/dev/null
}

# Starts an Xvfb display of our own (Xvfb picks a free number) and points DISPLAY at it; the
# spooler then runs on it instead of offscreen.
start_x_display() {
    exec 5>"$E2E_BASE/display"
    Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp >"$E2E_BASE/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    exec 5>&-
    wait_until "the X display" test -s "$E2E_BASE/display"
    export DISPLAY=:$(<"$E2E_BASE/display")
    unset QT_QPA_PLATFORM
    suppress_dbus_leaks
}

# On a display Qt talks to D-Bus, and libdbus keeps a buffer to the end that LeakSanitizer
# reports. It is not ours: add it to the suppressions the sanitizer build runs with.
suppress_dbus_leaks() {
    local given
    given=$(sed -n 's/.*suppressions=\([^:]*\).*/\1/p' <<<"${LSAN_OPTIONS:-}")
    { [[ -n $given && -f $given ]] && cat "$given"; echo "leak:libdbus-1"; } >"$E2E_BASE/lsan.supp"
    export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$E2E_BASE/lsan.supp"
}

# True when a visible window has exactly this title; sets `window` to its id.
window_shown() {
    window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [[ -n $window ]]
}

# Starts the spooler as copy NAME on the current X display, brings its window up, presses F1 and
# waits for the help viewer to show the help book; then makes the copy quit.
expect_help_book_found() {
    local name=$1
    start_spooler "$name"
    "$OSTRELIN_POST" 1024 123456 123456
    wait_until "the window to show" window_shown "Tarvok Calc Ostrelin"
    xdotool windowfocus --sync "$window"
    xdotool key F1
    # The viewer takes the book's own title; without the book it would say only "Nápověda".
    wait_until "the help book" window_shown "Tarvok Calc Ostrelin – nápověda"
    quit_spooler "$name"
}
