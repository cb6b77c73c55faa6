#!/usr/bin/env bash
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer in build-fuzz/
# and runs each one for SECONDS seconds (default 30), starting from its seeds in fuzz/corpus/.
# Exits non-zero when any target finds something: a crash, a sanitizer report, a broken promise, a
# leak, an input slower than 10 s or more than 2 GB of memory. The inputs that did it are kept in
# build-fuzz/fuzz/findings/ for replaying: build-fuzz/fuzz/<target> <file>.
#   fuzz/run-fuzzers.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
build_dir="$root/build-fuzz"

cmake -S "$root" -B "$build_dir" -G Ninja \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g" \
  "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link -D_GLIBCXX_ASSERTIONS" \
  -DOSTRELIN_SANITIZE=ON \
  -DOSTRELIN_WERROR=ON \
  -DOSTRELIN_FUZZ=ON >/dev/null
cmake --build "$build_dir" --target ostrelin_fuzzers --parallel "$(nproc)"

findings="$build_dir/fuzz/findings"
mkdir -p "$findings"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

failed=()
while read -r name binary; do
  # New inputs go to a scratch folder; the committed seeds are only read.
  mkdir -p "$work/$name"
  echo "== $name: $seconds s"
  if "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$findings/$name-" "$work/$name" "$root/fuzz/corpus/$name" \
      </dev/null >"$work/$name.log" 2>&1; then
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$work/$name.log" || true
  else
    tail -n 80 "$work/$name.log"
    failed+=("$name")
  fi
done <"$build_dir/fuzz/fuzzers.txt"

if ((${#failed[@]} > 0)); then
  echo "Fuzzing found problems in: ${failed[*]} (inputs in $findings)" >&2
  exit 1
fi
echo "All fuzz targets ran clean for $seconds s each."
