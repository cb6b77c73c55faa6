#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Ostrelin need.
# Safe to run again: apt skips what is already there.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config clang-format clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n
  libcups2-dev
  # run: fonts metric-compatible with Courier New and Arial, the window's face, a font index
  fonts-liberation2 fonts-dejavu-extra fontconfig
  # tests
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  python3 poppler-utils unrtf xvfb xauth x11-utils xdotool trayer imagemagick ghostscript dbus-daemon
  cups cups-client cups-ipp-utils cups-filters
  # the Wine bridge and its end-to-end test: the mingw-w64 cross compilers (32 and 64 bit) and
  # Debian's Wine; 64-bit Wine alone, as 32-bit Wine would need the i386 architecture added and
  # the machine's own libraries upgraded to match
  gcc-mingw-w64-i686-win32 gcc-mingw-w64-x86-64-win32 wine wine64
  # the Debian package: dpkg-shlibdeps finds its library dependencies; lintian and
  # desktop-file-validate check it
  dpkg-dev file lintian desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
