#!/usr/bin/env bash
# The Debian package made of the build: lintian finds no error and no hardening tag in it; its
# programs are built as Debian builds them (position-independent, read-only relocations bound at
# start, fortified calls, stack protector); it holds exactly the programs, the Wine bridges, their
# manual pages, the help book, the menu entry, the icon and Debian's copyright file and changelog,
# all under /usr; and it depends on the packages of every library its programs load, of the fonts
# the layout is measured with and of Qt's Czech texts.
source "$(dirname "$0")/debian-lib.sh"

build_package

step "lintian"
lintian --fail-on error --display-info "$DEB" >"$E2E_BASE/lintian.out" 2>&1 ||
    fail "lintian reports errors:"$'\n'"$(cat "$E2E_BASE/lintian.out")"
cat "$E2E_BASE/lintian.out"
if grep -q ' hardening-' "$E2E_BASE/lintian.out"; then
    fail "lintian finds the programs not hardened:"$'\n'"$(grep ' hardening-' "$E2E_BASE/lintian.out")"
fi

step "the files"
expected=(
    /usr/bin/ostrelin
    /usr/bin/ostrelin-pcl2qsf
    /usr/bin/ostrelin-post
    /usr/bin/ostrelin-render
    /usr/lib/ostrelin/win32/ostrelin-bridge.exe
    /usr/lib/ostrelin/win64/ostrelin-bridge.exe
    /usr/share/applications/ostrelin.desktop
    /usr/share/doc/ostrelin/changelog.gz
    /usr/share/doc/ostrelin/copyright
    /usr/share/icons/hicolor/32x32/apps/ostrelin.png
    /usr/share/lintian/overrides/ostrelin
    /usr/share/man/man1/ostrelin-pcl2qsf.1.gz
    /usr/share/man/man1/ostrelin-post.1.gz
    /usr/share/man/man1/ostrelin-render.1.gz
    /usr/share/man/man1/ostrelin.1.gz
    /usr/share/ostrelin/Ostrelin.hlp
)
expect_eq "$(package_files | sort)" "$(printf '%s\n' "${expected[@]}")" "the files of the package"
readonly UNPACKED=$E2E_BASE/unpacked
dpkg-deb --extract "$DEB" "$UNPACKED"
cmp "$UNPACKED/usr/share/ostrelin/Ostrelin.hlp" "$OSTRELIN_SOURCE_DIR/data/Ostrelin.hlp" ||
    fail "the packaged help book is not the help book"
desktop-file-validate "$UNPACKED/usr/share/applications/ostrelin.desktop" ||
    fail "desktop-file-validate rejects the menu entry"

step "the programs are hardened"
# The C library's fortified functions (__read_chk ...), by the names of the plain ones; as for
# lintian, without memcpy, memmove and memset, which every program calls, mostly inlined.
fortifiable=$(readelf --dyn-syms --wide "$(ldd "$UNPACKED/usr/bin/ostrelin" | awk '$1 ~ /^libc\.so/ { print $3 }')" |
    sed -n 's/.* __\([a-z0-9_]*\)_chk@.*/\1/p' | grep -vxE 'mem(cpy|move|set)' | sort -u)
[[ -n $fortifiable ]] || fail "found no fortified functions in the C library"
for program in "$UNPACKED"/usr/bin/*; do
    name=$(basename "$program")
    readelf --file-header "$program" | grep -q 'Type: *DYN' || fail "$name is not position-independent"
    readelf --program-headers "$program" | grep -q GNU_RELRO || fail "$name has no read-only relocations"
    readelf --dynamic "$program" | grep -Eq '\(BIND_NOW\)|Flags:.* NOW' || fail "$name is not bound at start"
    imports=$(readelf --dyn-syms --wide "$program" | awk '$7 == "UND" { sub(/@.*/, "", $8); print $8 }' | sort -u)
    grep -qx __stack_chk_fail <<<"$imports" || fail "$name has no stack protector"
    # As lintian judges it: a program that calls functions with fortified variants calls some
    # of them fortified, unless the package says why the compiler left none (its overrides).
    if grep -qxF -f <(echo "$fortifiable") <<<"$imports" &&
        ! grep -Eqx '__[a-z0-9_]+_chk' <<<"$imports"; then
        grep -qF "hardening-no-fortify-functions [usr/bin/$name]" "$UNPACKED/usr/share/lintian/overrides/$PACKAGE" ||
            fail "$name calls no fortified function: $(grep -xF -f <(echo "$fortifiable") <<<"$imports" | tr '\n' ' ')"
    fi
done

step "the dependencies"
# The names of the packages in Depends, without versions; alternatives count as well.
depends=$(dpkg-deb --field "$DEB" Depends | sed -E 's/[,|]/\n/g' | sed -E 's/^ *//; s/[ (].*//')
# Fails unless the package that holds the file is among the dependencies. With /usr merged,
# dpkg knows a library under /lib or under /usr/lib, whichever its package names.
expect_dependency_for() {
    local owner
    owner=$({ dpkg-query --search "$1" || dpkg-query --search "/usr$1" || dpkg-query --search "${1#/usr}"; } 2>/dev/null |
        head -n 1 | sed 's/[:,].*//') || true
    [[ -n $owner ]] || fail "no installed package holds $1"
    grep -qxF "$owner" <<<"$depends" || fail "$2 needs $owner ($1), which is not a dependency: $depends"
}
for program in "$UNPACKED"/usr/bin/*; do
    while read -r library; do
        path=$(ldd "$program" | awk -v lib="$library" '$1 == lib { print $3 }')
        [[ $path == /* ]] || fail "$(basename "$program") needs $library, which is not found"
        expect_dependency_for "$path" "$(basename "$program")"
    done < <(readelf --dynamic "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
done
for family in "Courier New" Arial "DejaVu Sans Condensed"; do
    expect_dependency_for "$(fc-match --format '%{file}' "$family")" "the font $family"
done
expect_dependency_for qt6/translations/qtbase_cs.qm "Qt's Czech texts"
# Wine is recommended for the bridge, never required.
expect_eq "$(dpkg-deb --field "$DEB" Recommends)" wine "Recommends"
grep -qxF wine <<<"$depends" && fail "the package depends on wine"
file "$UNPACKED/usr/lib/ostrelin/win32/ostrelin-bridge.exe" | grep -q 'PE32 executable.*Intel 80386' ||
    fail "the 32-bit bridge is not a 32-bit Windows program"
file "$UNPACKED/usr/lib/ostrelin/win64/ostrelin-bridge.exe" | grep -q 'PE32+ executable.*x86-64' ||
    fail "the 64-bit bridge is not a 64-bit Windows program"

step "passed"
