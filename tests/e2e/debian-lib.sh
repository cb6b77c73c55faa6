# shellcheck shell=bash
# Shared by the tests of the Debian package: the private world of e2e-lib.sh, and the package
# made of this build.
source "$(dirname "${BASH_SOURCE[0]}")/e2e-lib.sh"

: "${OSTRELIN_BINARY_DIR:?}" "${OSTRELIN_CPACK:?}"
readonly PACKAGE=ostrelin

# Makes the Debian package of the build into $E2E_BASE/package and sets DEB to its path.
build_package() {
    step "make the package"
    "$OSTRELIN_CPACK" -G DEB --config "$OSTRELIN_BINARY_DIR/CPackConfig.cmake" -B "$E2E_BASE/package" \
        >"$E2E_BASE/cpack.log" 2>&1 || fail "cpack failed: $(tail -n 5 "$E2E_BASE/cpack.log")"
    local debs
    debs=$(compgen -G "$E2E_BASE/package/${PACKAGE}_*.deb") || fail "cpack made no package"
    [[ $debs != *$'\n'* ]] || fail "cpack made more than one package: $debs"
    DEB=$debs
}

# The files (not folders) in the package, as absolute paths.
package_files() {
    dpkg-deb --contents "$DEB" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }'
}
