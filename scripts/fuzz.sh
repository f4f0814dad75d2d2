#!/usr/bin/env bash
# Builds the libFuzzer targets under fuzz/ against the exchange sources and runs each for
# a short while on a scratch copy of its seed corpus, so the committed seeds never grow.
#
#   FUZZ_BUILD=build-fuzz FUZZ_SECONDS=20 scripts/fuzz.sh [target...]
#
# Exits non-zero when a target fails to build or finds a crash, a broken property or a
# sanitizer report; the input that did it is kept in $FUZZ_BUILD/artifacts.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

build=${FUZZ_BUILD:-build-fuzz}
seconds=${FUZZ_SECONDS:-20}
cxx=${FUZZ_CXX:-}
if [ -z "$cxx" ]; then
  for candidate in clang++ clang++-14; do
    if command -v "$candidate" >/dev/null 2>&1; then cxx=$candidate; break; fi
  done
fi

missing() {
  echo "fuzz: $1" >&2
  echo "fuzz: needs clang++ with libFuzzer and the sanitizer runtimes (Debian: clang, libclang-rt-14-dev)" >&2
  exit 1
}

[ -n "$cxx" ] && command -v "$cxx" >/dev/null 2>&1 || missing "no clang++ found (set FUZZ_CXX to choose one)"
case $seconds in ''|*[!0-9]*) echo "fuzz: FUZZ_SECONDS must be a whole number of seconds" >&2; exit 1;; esac

mkdir -p "$build/obj" "$build/artifacts" "$build/logs"
build=$(cd "$build" && pwd)

common=(-std=c++17 -O1 -g -Wall -Wextra -I src)
sanitize=(-fsanitize=address,undefined -fno-sanitize-recover=undefined)

# A one-line target proves that the compiler has the libFuzzer and sanitizer runtimes.
probe=$build/obj/probe
printf '%s\n' '#include <cstddef>' '#include <cstdint>' \
  'extern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }' >"$probe.cpp"
"$cxx" "${common[@]}" -fsanitize=fuzzer,address,undefined "$probe.cpp" -o "$probe" >"$probe.log" 2>&1 ||
  missing "$cxx cannot link a libFuzzer target with the address and undefined sanitizers (see $probe.log)"

# The exchange sources are instrumented for coverage but carry no main of their own.
objects=()
for src in src/exchange/*.cpp; do
  obj=$build/obj/$(basename "${src%.cpp}").o
  "$cxx" "${common[@]}" "${sanitize[@]}" -fsanitize=fuzzer-no-link -c "$src" -o "$obj"
  objects+=("$obj")
done

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for src in fuzz/fuzz_*.cpp; do
    name=$(basename "${src%.cpp}")
    targets+=("${name#fuzz_}")
  done
fi

passed=0
failed=0
scratch_root=$(mktemp -d)
trap 'rm -rf "$scratch_root"' EXIT

for target in "${targets[@]}"; do
  src=fuzz/fuzz_$target.cpp
  bin=$build/fuzz_$target
  log=$build/logs/$target.log
  if [ ! -f "$src" ]; then
    echo "fuzz $target: FAILED, no $src"
    failed=$((failed + 1)); continue
  fi
  if ! "$cxx" "${common[@]}" "${sanitize[@]}" -fsanitize=fuzzer "$src" "${objects[@]}" -o "$bin" \
       >"$log" 2>&1; then
    cat "$log" >&2
    echo "fuzz $target: FAILED to build"
    failed=$((failed + 1)); continue
  fi

  corpus=$scratch_root/$target
  mkdir -p "$corpus"
  if [ -d "fuzz/corpus/$target" ]; then cp -R "fuzz/corpus/$target/." "$corpus/"; fi

  rm -f "$build/artifacts/$target-"*
  status=0
  ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1} \
  UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
    "$bin" -max_total_time="$seconds" -max_len=9000 -timeout=30 -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/$target-" "$corpus" >"$log" 2>&1 || status=$?

  runs=$(sed -n 's/^Done \([0-9][0-9]*\) runs.*/\1/p' "$log" | tail -n 1)
  if [ "$status" -eq 0 ] && [ -n "$runs" ] && ! grep -q -e 'ERROR: ' -e 'runtime error:' "$log"; then
    echo "fuzz $target: $runs runs, ok"
    passed=$((passed + 1))
  else
    grep -e 'property failed' -e 'ERROR: ' -e 'runtime error:' -e 'Test unit written' "$log" | head -n 20 >&2 || true
    for artifact in "$build/artifacts/$target-"*; do
      if [ -f "$artifact" ]; then
        hex=$(od -An -v -tx1 "$artifact" | tr -d ' \n')
        echo "fuzz $target: failing input (hex): ${hex:-(empty)}" >&2
      fi
    done
    echo "fuzz $target: FAILED (exit $status, log $log)"
    failed=$((failed + 1))
  fi
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
