#!/usr/bin/env bash
# Installs the dependencies and builds Ostrelin. Progress goes to standard error; the last line on
# standard output is the build directory.
#   scripts/build.sh            -> build/
#   scripts/build.sh --sanitize -> build-sanitize/ (AddressSanitizer + UndefinedBehaviorSanitizer)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

build_dir="$root/build"
cmake_args=()
if [[ "${1:-}" == "--sanitize" ]]; then
  build_dir="$root/build-sanitize"
  cmake_args+=(-DOSTRELIN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
fi

"$root/scripts/install-deps.sh" >&2
cmake -S "$root" -B "$build_dir" -G Ninja "${cmake_args[@]}" >&2
cmake --build "$build_dir" --parallel "$(nproc)" >&2
echo "$build_dir"
