#!/usr/bin/env bash
# Tests the release zip as a user meets it: unpacks dist/orvetta-1.0p-win64.zip
# into a fresh folder, starts orvetta.exe and orvetta-current.exe from there
# under Wine (each must show its main window and its tree window), and runs
# orvetta-lookup.exe number 0101. Prints one "package: ok|FAILED ..." line per
# check and a closing count.
# Usage: scripts/test-package.sh [ZIP]   (default dist/orvetta-1.0p-win64.zip)
set -euo pipefail
cd "$(dirname "$0")/.."
zip=${1:-dist/orvetta-1.0p-win64.zip}

if ! command -v wine >/dev/null 2>&1; then
  echo "test-package.sh: SKIPPED: wine is not installed"
  exit 0
fi
[[ -f $zip ]] || { echo "test-package.sh: $zip is missing: run scripts/package.sh first" >&2; exit 1; }

source scripts/wine-env.sh
work=$(mktemp -d)
trap wine_cleanup EXIT

python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$work/unpacked"
folder=$(echo "$work"/unpacked/orvetta-*)

wine_private_session "$work"

passed=0
failed=0
check() {  # description, command...
  local what=$1
  shift
  if "$@"; then
    echo "package: ok $what"
    passed=$((passed + 1))
  else
    echo "package: FAILED $what"
    failed=$((failed + 1))
  fi
}

# Starts $1 from the unpacked folder, as a double click would.
started_with_tree() {
  (cd "$folder" && exec wine "./$1" --lang ja) &
  program_pid=$!
  local ok=0
  wine_window_shown "Orvetta ver 1.0p" && wine_window_shown "地名ツリー" || ok=1
  kill "$program_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
  program_pid=""
  return $ok
}

lookup_finds_0101() {
  local out
  out=$(cd "$folder" && wine ./orvetta-lookup.exe number 0101 2>/dev/null | tr -d '\r')
  [[ $out == $'0101\t北海道札幌市(さっぽろし)' ]]
}

check "the zip holds one folder with the seven files" \
  test "$(ls "$folder" | tr '\n' ' ')" = "LICENSE.txt SHA256SUMS.txt orvetta-current.exe orvetta-lookup.exe orvetta.exe readme.txt velkarad.txt "
check "SHA256SUMS verifies the zip beside it" bash -c 'cd dist && sha256sum --quiet -c SHA256SUMS'
check "SHA256SUMS.txt verifies the unpacked files" bash -c "cd '$folder' && sha256sum --quiet -c SHA256SUMS.txt"
check "orvetta.exe shows its main window and tree" started_with_tree orvetta.exe
check "orvetta-current.exe shows its main window and tree" started_with_tree orvetta-current.exe
check "orvetta-lookup.exe number 0101" lookup_finds_0101

echo "package: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
