#!/usr/bin/env bash
# Installing puts the programs, the help book, the menu entry and the icon where a desktop
# finds them, and the installed programs run from there: the spooler prints, registers its
# installed path for start at logon and finds its help book.
source "$(dirname "$0")/e2e-lib.sh"

: "${OSTRELIN_BINARY_DIR:?}"
readonly PREFIX=/usr/local
readonly ROOT=$E2E_BASE/root
DESTDIR=$ROOT cmake --install "$OSTRELIN_BINARY_DIR" --prefix "$PREFIX" >"$E2E_BASE/install.log" ||
    fail "cmake --install failed: $(tail -n 5 "$E2E_BASE/install.log")"
readonly INSTALLED=$ROOT$PREFIX

step "the installed files"
for program in ostrelin ostrelin-render ostrelin-post ostrelin-pcl2qsf; do
    [[ -x $INSTALLED/bin/$program ]] || fail "bin/$program is not installed"
done
cmp "$INSTALLED/share/ostrelin/Ostrelin.hlp" "$OSTRELIN_SOURCE_DIR/data/Ostrelin.hlp" ||
    fail "share/ostrelin/Ostrelin.hlp is not the help book"
readonly ICON=$INSTALLED/share/icons/hicolor/32x32/apps/ostrelin.png
expect_eq "$(identify -format '%m %wx%h' "$ICON")" "PNG 32x32" "the installed icon"

readonly DESKTOP=$INSTALLED/share/applications/ostrelin.desktop
[[ -f $DESKTOP ]] || fail "the menu entry is not installed"
entry() {
    sed -n "s/^$1=//p" "$DESKTOP"
}
expect_eq "$(head -n 1 "$DESKTOP")" "[Desktop Entry]" "the menu entry's group"
expect_eq "$(entry Type)" Application "the menu entry's type"
expect_eq "$(entry Name)" "Tarvok Calc Ostrelin" "the menu entry's name"
[[ -x $INSTALLED/bin/$(entry Exec) ]] || fail "the menu entry starts '$(entry Exec)', which is not installed"
[[ $(basename "$ICON" .png) == "$(entry Icon)" ]] || fail "the menu entry's icon '$(entry Icon)' is not installed"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$DESKTOP" || fail "desktop-file-validate rejects the menu entry"
fi

step "the installed spooler prints and registers itself for start at logon"
export CUPS_SERVER=$E2E_BASE/no-cups.sock
OSTRELIN_BIN=$INSTALLED/bin/ostrelin
OSTRELIN_POST=$INSTALLED/bin/ostrelin-post
expect_eq "$("$INSTALLED/bin/ostrelin-render" --info "$OSTRELIN_SOURCE_DIR/examples/DOPIS.QSF" | head -n 1)" \
    "kind: text" "the installed renderer"
write_settings "\"SpoolDir\"=\"$SPOOL\""
make_text_job "$E2E_BASE/i.qsf" I 2
drop_job "$E2E_BASE/i.qsf" I.QSF
start_spooler installed
wait_until "the job to be printed" eval 'pdfs_at_least 1 && all_pdfs_complete && spool_empty'
quit_spooler installed
expect_lines_once_in_order "$OSTRELIN_PDF_DIR/$(printed_pdfs)" I 2
grep -qxF "Exec=\"$INSTALLED/bin/ostrelin\"" "$XDG_CONFIG_DIRS/autostart/Tarvok Calc Ostrelin.desktop" ||
    fail "the start-at-logon entry does not start the installed spooler: $(grep Exec= "$XDG_CONFIG_DIRS/autostart/"*)"

if have_x_tools; then
    step "the installed spooler finds its help book (F1)"
    start_x_display
    expect_help_book_found help
else
    echo "note: Xvfb or xdotool missing; the help book lookup was not tried"
fi
step "passed"
