#!/usr/bin/env bash
# Installs the dependencies, builds Ostrelin and runs every test.
#   scripts/test.sh              plain build
#   scripts/test.sh --sanitize   the same tests under AddressSanitizer + UndefinedBehaviorSanitizer
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$("$root/scripts/build.sh" "$@" | tail -n 1)

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp}
ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)"
