#!/usr/bin/env bash
# Installs the dependencies and builds Ostrelin.
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

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build_dir" -G Ninja "${cmake_args[@]}" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
echo "$build_dir"
