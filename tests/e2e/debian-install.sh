#!/usr/bin/env bash
# The Debian package installed as root, as an administrator installs it: apt takes it with its
# dependencies; the installed spooler prints a letter on the built-in printer, registers
# /usr/bin/ostrelin for start at logon and finds the installed help book; purging the package
# leaves nothing of it in /usr and takes the start-at-logon entry with it. Whatever happens, the
# machine is left without the package and with its start-at-logon entries as they were.
source "$(dirname "$0")/debian-lib.sh"

if [[ $(id -u) -ne 0 ]]; then
    echo "skip: installing a package needs root"
    exit 77
fi
# One such test at a time on the machine, from whichever checkout it runs.
exec 8>/run/lock/ostrelin-package-test.lock
flock --timeout 600 8 || fail "another test of the package holds the machine"
if dpkg-query --status "$PACKAGE" >/dev/null 2>&1; then
    echo "skip: dpkg already knows the package $PACKAGE here, and this test would remove it"
    exit 77
fi
have_x_tools || { echo "skip: Xvfb or xdotool missing"; exit 77; }

readonly AUTOSTART="/etc/xdg/autostart/Tarvok Calc Ostrelin.desktop"
readonly LETTER=$OSTRELIN_SOURCE_DIR/examples/DOPIS.QSF
apt_get() {
    DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300 "$@"
}
purge_package() {
    if dpkg-query --status "$PACKAGE" >/dev/null 2>&1; then
        apt_get purge "$PACKAGE" >>"$E2E_BASE/apt.log" 2>&1
    fi
}
# Another copy's start-at-logon entry is put back; one that was not there goes.
restore_autostart_entry() {
    if [[ -f $E2E_BASE/autostart.before ]]; then
        cp -p "$E2E_BASE/autostart.before" "$AUTOSTART"
    else
        rm -f "$AUTOSTART"
    fi
}
if [[ -f $AUTOSTART ]]; then cp -p "$AUTOSTART" "$E2E_BASE/autostart.before"; fi
E2E_AT_EXIT+=(purge_package restore_autostart_entry)

build_package
step "install the package"
touch "$E2E_BASE/before-install"
apt_get install --no-install-recommends "$DEB" >"$E2E_BASE/apt.log" 2>&1 ||
    fail "apt-get install failed: $(tail -n 5 "$E2E_BASE/apt.log")"
expect_eq "$(dpkg-query --show --showformat '${Status}' "$PACKAGE")" "install ok installed" "the package's state"
mapfile -t files < <(package_files)
for file in "${files[@]}"; do
    [[ -e $file ]] || fail "$file is not installed"
done

step "the installed spooler prints and registers itself for start at logon"
export CUPS_SERVER=$E2E_BASE/no-cups.sock
# As an administrator's copy would, the spooler writes the entry for every user of the machine.
export XDG_CONFIG_DIRS=/etc/xdg
OSTRELIN_BIN=$(command -v ostrelin)
OSTRELIN_POST=$(command -v ostrelin-post)
expect_eq "$OSTRELIN_BIN" /usr/bin/ostrelin "the spooler on the path"
write_settings "\"SpoolDir\"=\"$SPOOL\""
drop_job "$LETTER" DOPIS.QSF
start_spooler installed
wait_until "the letter to be printed" eval 'pdfs_at_least 1 && all_pdfs_complete && spool_empty'
quit_spooler installed
expect_eq "$(error_lines installed)" 0 "errors reported"
expect_eq "$(pdf_count)" 1 "PDFs printed"
pdf=$OSTRELIN_PDF_DIR/$(printed_pdfs)
ostrelin-render "$LETTER" -o "$E2E_BASE/by-render.pdf" >/dev/null
expect_eq "$(pdf_text "$pdf")" "$(pdf_text "$E2E_BASE/by-render.pdf")" "the letter's text"
expect_eq "$(pdf_text -f 1 -l 1 "$pdf" | head -n 1)" "Vážení odběratelé," "the letter's first line"
# The layout is measured with the Liberation fonts, which the package depends on.
fonts=$(pdffonts "$pdf" | tail -n +3 | awk '{ print $1 }' | sed 's/^[A-Z]\{6\}+//' | sort -u)
if [[ -z $fonts ]] || grep -qv '^Liberation' <<<"$fonts"; then
    fail "the letter is not set in Liberation fonts: $fonts"
fi
grep -qxF 'Exec="/usr/bin/ostrelin"' "$AUTOSTART" || fail "the start-at-logon entry does not start /usr/bin/ostrelin"

step "the installed spooler finds its help book (F1)"
start_x_display
expect_help_book_found help

step "purge the package"
apt_get purge "$PACKAGE" >>"$E2E_BASE/apt.log" 2>&1 || fail "apt-get purge failed: $(tail -n 5 "$E2E_BASE/apt.log")"
if dpkg-query --status "$PACKAGE" >/dev/null 2>&1; then
    fail "dpkg still knows the package"
fi
for file in "${files[@]}"; do
    [[ ! -e $file ]] || fail "$file stays after the purge"
done
for folder in /usr/share/ostrelin /usr/share/doc/ostrelin; do
    [[ ! -e $folder ]] || fail "$folder stays after the purge"
done
left=$(find /usr -xdev -newer "$E2E_BASE/before-install" -iname '*ostrelin*' -print)
[[ -z $left ]] || fail "left in /usr after the purge: $left"
[[ ! -e $AUTOSTART ]] || fail "the start-at-logon entry stays after the purge"
step "passed"
