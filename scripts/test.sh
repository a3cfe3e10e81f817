#!/usr/bin/env bash
# Builds everything and runs every test:
#   0. the layout of every C++ source (clang-format);
#   1. native build (g++), unit tests and the command-line checks;
#   2. the same tests under AddressSanitizer + UndefinedBehaviorSanitizer;
#   3. the libFuzzer targets (clang), each for a bounded time;
#   4. the Windows cross build (mingw-w64), and its tests under Wine when present;
#   5. the release zip, built from clean, unpacked and started under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
source scripts/build-env.sh  # build/native and build/win, configured as run.sh does

fuzz_seconds=${ORVETTA_FUZZ_SECONDS:-20}
summary=()
passed=0
failed=0

run_ctest() {  # label, build dir, ctest args...
  local label=$1 dir=$2
  shift 2
  local log
  log=$(mktemp)
  if ctest --test-dir "$dir" --output-on-failure "$@" | tee "$log"; then :; else :; fi
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1 || true)
  rm -f "$log"
  if [[ -z $line ]]; then
    echo "test.sh: $label: no tests ran" >&2
    failed=$((failed + 1))
    summary+=("$label: no tests ran")
    return
  fi
  local nfail total
  nfail=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  passed=$((passed + total - nfail))
  failed=$((failed + nfail))
  summary+=("$label: $((total - nfail)) of $total passed")
}

echo "== layout: every C++ source as .clang-format lays it out"
if clang-format --dry-run --Werror $(git ls-files '*.cpp' '*.h'); then
  passed=$((passed + 1))
  summary+=("layout: clang-format clean")
else
  failed=$((failed + 1))
  summary+=("layout: clang-format would change the files above")
fi

echo "== native build and tests"
configure_native
cmake --build build/native
run_ctest native build/native -j2

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVETTA_TESTS=ON -DORVETTA_SANITIZE=ON >/dev/null
cmake --build build/asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest asan build/asan -j2

echo "== fuzzing, ${fuzz_seconds}s per target"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DORVETTA_TESTS=OFF -DORVETTA_FUZZ=ON -DORVETTA_SANITIZE=ON -DORVETTA_FUZZ_SECONDS="$fuzz_seconds" >/dev/null
cmake --build build/fuzz
run_ctest fuzz build/fuzz

echo "== Windows cross build"
configure_windows
cmake --build build/win
if [[ -x scripts/test-windows.sh ]]; then
  log=$(mktemp)
  if scripts/test-windows.sh build/win 2>&1 | tee "$log"; then status=0; else status=1; fi
  # GoogleTest's closing lines give the counts of the Wine run.
  # (Wine's console writes CR LF.)
  wpassed=$(tr -d '\r' <"$log" | sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?\./\1/p' | tail -1)
  wfailed=$(tr -d '\r' <"$log" | sed -nE 's/^\[  FAILED  \] ([0-9]+) tests?, listed below:/\1/p' | tail -1)
  rm -f "$log"
  passed=$((passed + ${wpassed:-0}))
  failed=$((failed + ${wfailed:-0}))
  if [[ $status -ne 0 && -z ${wfailed:-} ]]; then failed=$((failed + 1)); fi
  note=""
  if [[ $status -ne 0 ]]; then note=" (script failed)"; fi
  summary+=("windows: ${wpassed:-0} passed, ${wfailed:-0} failed$note")
fi

echo "== release package: built from clean, unpacked and started"
if scripts/package.sh; then
  log=$(mktemp)
  if scripts/test-package.sh 2>&1 | tee "$log"; then status=0; else status=1; fi
  ppassed=$(sed -nE 's/^package: ([0-9]+) passed, ([0-9]+) failed$/\1/p' "$log" | tail -1)
  pfailed=$(sed -nE 's/^package: ([0-9]+) passed, ([0-9]+) failed$/\2/p' "$log" | tail -1)
  rm -f "$log"
  passed=$((passed + ${ppassed:-0}))
  failed=$((failed + ${pfailed:-0}))
  if [[ $status -ne 0 && -z ${pfailed:-} ]]; then failed=$((failed + 1)); fi
  summary+=("package: ${ppassed:-0} passed, ${pfailed:-0} failed")
else
  failed=$((failed + 1))
  summary+=("package: the build failed")
fi

echo
printf '%s\n' "${summary[@]}"
echo "total: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
