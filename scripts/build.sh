#!/usr/bin/env bash
# Installs the dependencies and builds Ostrelin, with every warning an error. Progress goes to
# standard error; the last line on standard output is the build directory.
#   scripts/build.sh            -> build/: a Release build with the flags Debian builds its
#                                  packages with (hardening, fortified calls, bind-now); the
#                                  Debian package is made of it
#   scripts/build.sh --clang    -> build-clang/: the same made by clang
#   scripts/build.sh --sanitize -> build-sanitize/ (AddressSanitizer + UndefinedBehaviorSanitizer)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/install-deps.sh" >&2

# One of dpkg-buildflags' flag sets, as a package of this checkout gets it.
debian_flags() {
  (cd "$root" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1")
}
release_args() {
  local linker
  linker=$(debian_flags LDFLAGS)
  echo -DCMAKE_BUILD_TYPE=Release
  echo "-DCMAKE_CXX_FLAGS=$(debian_flags CPPFLAGS) $(debian_flags CXXFLAGS)"
  echo "-DCMAKE_EXE_LINKER_FLAGS=$linker"
  echo "-DCMAKE_SHARED_LINKER_FLAGS=$linker"
  echo "-DCMAKE_MODULE_LINKER_FLAGS=$linker"
}

build_dir="$root/build"
cmake_args=(-DOSTRELIN_WERROR=ON)
case "${1:-}" in
  --sanitize)
    build_dir="$root/build-sanitize"
    cmake_args+=(-DOSTRELIN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
    ;;
  --clang)
    build_dir="$root/build-clang"
    mapfile -t release < <(release_args)
    cmake_args+=(-DCMAKE_CXX_COMPILER=clang++ "${release[@]}")
    ;;
  "")
    mapfile -t release < <(release_args)
    cmake_args+=("${release[@]}")
    ;;
  *)
    echo "usage: scripts/build.sh [--clang | --sanitize]" >&2
    exit 2
    ;;
esac

cmake -S "$root" -B "$build_dir" -G Ninja "${cmake_args[@]}" >&2
cmake --build "$build_dir" --parallel "$(nproc)" >&2
echo "$build_dir"
