#!/usr/bin/env bash
# Spool files whose first line has no end: 2 MB, 30 MB and 200 MB of one line, lying in the
# spool folder when the spooler starts. It starts, lists them without reading them whole, prints
# the small job that comes after them, and its memory stays within four times the file's size
# and 64 MiB. The sanitizer build keeps freed memory aside on purpose; it is only checked for
# crashes.
source "$(dirname "$0")/e2e-lib.sh"

export CUPS_SERVER=$E2E_BASE/no-cups.sock
write_settings "\"SpoolDir\"=\"$SPOOL\""
make_text_job "$E2E_BASE/small.qsf" M 20
sanitizer=0
[[ $(ldd "$OSTRELIN_BIN") == *libasan* ]] && sanitizer=1

# The highest resident memory of the process so far, in KiB.
peak_kib() {
    awk '$1 == "VmHWM:" { print $2 }' "/proc/$1/status"
}

small_printed() {
    local name
    while read -r name; do
        pdf_has_line "Úloha M: konec" "$OSTRELIN_PDF_DIR/$name" && return 0
    done < <(printed_pdfs)
    return 1
}

for mib in 2 30 200; do
    step "a first line of $mib MiB"
    rm -f "$SPOOL"/* "$OSTRELIN_PDF_DIR"/*
    head -c $((mib * 1024 * 1024)) /dev/zero | tr '\0' 'x' >"$SPOOL/HUGE.QSF"
    touch -d '-1 minute' "$SPOOL/HUGE.QSF"
    start_spooler "spooler$mib"
    pid_var=spooler${mib}_pid
    pid=${!pid_var}
    drop_job "$E2E_BASE/small.qsf" SMALL.QSF
    wait_until "the small job's document" small_printed
    # Both jobs have had their turn once the folder no longer holds the small one.
    wait_until "the huge job's turn" eval '[[ ! -e $SPOOL/SMALL.QSF && ! -e $SPOOL/HUGE.QSF ]] ||
        (($(error_lines spooler'"$mib"') > 0))'
    peak=$(peak_kib "$pid")
    [[ -n $peak ]] || fail "no memory figure for the spooler"
    bound=$(((4 * mib + 64) * 1024))
    echo "first line of $mib MiB: peak resident memory $((peak / 1024)) MiB, bound $((bound / 1024)) MiB"
    quit_spooler "spooler$mib"
    if ((sanitizer == 0 && peak > bound)); then
        fail "the spooler took $peak KiB for a first line of $mib MiB (bound $bound KiB)"
    fi
done

step "passed"
