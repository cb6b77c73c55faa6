# The private scheduler of with-private-cups.sh, for the end-to-end tests that print through
# CUPS: stopping and starting it again, and the jobs its queues completed. Sourced after
# e2e-lib.sh by scripts that run under with-private-cups.sh.

: "${CUPS_SERVER:?run under with-private-cups.sh}" "${OSTRELIN_CUPS_OUT:?}"
readonly CUPS_BASE=$(dirname "$OSTRELIN_CUPS_OUT")

# ---- the scheduler --------------------------------------------------------------------------

scheduler_running() {
    [[ $(lpstat -r 2>/dev/null) == *"scheduler is running"* ]]
}

# Stops the scheduler that with-private-cups.sh started (our parent started it) or the one this
# script started again.
stop_scheduler() {
    local pid=${restarted_cupsd:-$(pgrep -P "$PPID" -x cupsd)}
    [[ -n $pid ]] || fail "no scheduler to stop"
    kill -TERM "$pid"
    if [[ -n ${restarted_cupsd:-} ]]; then
        wait "$pid" 2>/dev/null || true
        restarted_cupsd=""
    fi
    wait_until "the scheduler to stop" eval '! scheduler_running'
}

# Starts the same scheduler again, with the queues it saved.
start_scheduler() {
    cupsd -f -c "$CUPS_BASE/etc/cupsd.conf" -s "$CUPS_BASE/etc/cups-files.conf" &
    restarted_cupsd=$!
    E2E_PIDS+=("$restarted_cupsd")
    wait_until "the scheduler to run" scheduler_running
}

# The completed jobs of a queue, oldest first, one line each: job-name,media,orientation.
completed_jobs() {
    local queue=$1 socket
    socket=$(sed 's|/|%2F|g' <<<"$CUPS_SERVER")
    cat >"$E2E_BASE/get-jobs.test" <<TEST
{
  OPERATION Get-Jobs
  GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8
  ATTR naturalLanguage attributes-natural-language en
  ATTR uri printer-uri \$uri
  ATTR name requesting-user-name $(id -un)
  ATTR keyword which-jobs completed
  ATTR keyword requested-attributes job-id,job-name,media,orientation-requested
  STATUS successful-ok
  DISPLAY job-id
  DISPLAY job-name
  DISPLAY media
  DISPLAY orientation-requested
}
TEST
    ipptool -c "ipp://$socket/printers/$queue" "$E2E_BASE/get-jobs.test" |
        tail -n +2 | sort -t, -k1,1n | cut -d, -f2-
}

# Jobs that the queue completed.
queue_jobs() {
    completed_jobs "$1" | grep -c . || true
}

queue_has_jobs() {
    (($(queue_jobs "$1") >= $2))
}

readonly PORTRAIT_A4="iso_a4_210x297mm,portrait"

# ---- where the words stand ------------------------------------------------------------------

# The words of a PDF, one line each: page, word, left and top edge in points.
words_of() {
    pdftotext -bbox "$1" - | awk '
        /<page / { page++ }
        /<word / {
            match($0, /xMin="[^"]*"/); x = substr($0, RSTART + 6, RLENGTH - 7)
            match($0, /yMin="[^"]*"/); y = substr($0, RSTART + 6, RLENGTH - 7)
            word = $0; sub(/.*">/, "", word); sub(/<\/word>.*/, "", word)
            printf "%d %s %.2f %.2f\n", page, word, x, y
        }'
}

# Compares the words of two PDFs: the same words on the same pages, each within 0.5 pt. Prints
# the largest deviation.
expect_same_words() {
    local got=$1 want=$2 what=$3
    words_of "$got" >"$E2E_BASE/got.words"
    words_of "$want" >"$E2E_BASE/want.words"
    expect_eq "$(cut -d' ' -f1,2 "$E2E_BASE/got.words" | md5sum)" \
        "$(cut -d' ' -f1,2 "$E2E_BASE/want.words" | md5sum)" "words and pages of $what"
    local worst
    worst=$(paste -d' ' "$E2E_BASE/got.words" "$E2E_BASE/want.words" | awk '
        function abs(v) { return v < 0 ? -v : v }
        { dx = abs($3 - $7); dy = abs($4 - $8); if (dx > m) m = dx; if (dy > m) m = dy }
        END { printf "%.2f", m }')
    echo "  $what: $(wc -l <"$E2E_BASE/got.words") words, largest deviation $worst pt"
    awk -v w="$worst" 'BEGIN { exit !(w <= 0.5) }' || fail "$what: words moved by up to $worst pt"
}
