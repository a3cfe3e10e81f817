#!/usr/bin/env bash
# Measures, under one Wine prefix and one X server, the time from launching a
# program to its main window being shown (mapped on the X server), for
# orvetta.exe, orvetta-current.exe and a minimal Win32 program that only opens
# an empty window, and reports the tree-fill time the test program measures
# in-process.
# Usage: scripts/measure-startup.sh [BUILD] [RUNS]   (default build/win, 7)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/win}
runs=${2:-7}
program=$build/ui/orvetta.exe
current=$build/ui/orvetta-current.exe
ui_test=$build/tests/ui/ui_test.exe
for exe in "$program" "$current"; do
  [[ -f $exe ]] || { echo "measure-startup.sh: $exe is missing: build $build first" >&2; exit 1; }
done

source scripts/wine-env.sh
work=$(mktemp -d)
trap wine_cleanup EXIT

x86_64-w64-mingw32-g++-posix -O2 -Wall -Wextra -static -mwindows -DUNICODE -D_UNICODE -o "$work/minimal.exe" bench/minimal_window.cpp

wine_private_session "$work"
wineserver -p  # keep the server up between runs, as on a used desktop

# The program reads the shipped example update file, as command (1) does.
mkdir -p "$work/run"
cp update/velkarad.txt "$work/run/"
cp "$program" "$work/run/orvetta.exe"
cp "$current" "$work/run/orvetta-current.exe"
cp "$work/minimal.exe" "$work/run/minimal.exe"

# Milliseconds from launch until a viewable window with this title exists.
launch_ms() {  # exe title
  local start end pid
  start=$(date +%s%N)
  (cd "$work/run" && exec wine "$1") &
  pid=$!
  # Asked every 5 ms; a launch that never shows its window ends the
  # measurement instead of waiting for ever.
  if ! wine_window_shown "$2" 30 0.005; then
    kill "$pid" 2>/dev/null || true
    echo "measure-startup.sh: $1 showed no window within 30 s" >&2
    exit 1
  fi
  end=$(date +%s%N)
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : int((a[NR/2]+a[NR/2+1])/2)}'; }

launch_ms minimal.exe "Minimal window" >/dev/null  # warm-up
launch_ms orvetta.exe "Orvetta ver 1.0p" >/dev/null
: >"$work/minimal.ms"
: >"$work/orvetta.ms"
: >"$work/current.ms"
for _ in $(seq "$runs"); do
  launch_ms minimal.exe "Minimal window" >>"$work/minimal.ms"
  launch_ms orvetta.exe "Orvetta ver 1.0p" >>"$work/orvetta.ms"
  launch_ms orvetta-current.exe "Orvetta ver 1.0p" >>"$work/current.ms"
done
minimal=$(median <"$work/minimal.ms")
orvetta=$(median <"$work/orvetta.ms")
current=$(median <"$work/current.ms")
echo "runs: $runs each, alternating; median launch-to-shown time"
echo "minimal Win32 program: ${minimal} ms   (all: $(tr '\n' ' ' <"$work/minimal.ms"))"
echo "orvetta.exe:           ${orvetta} ms   (all: $(tr '\n' ' ' <"$work/orvetta.ms"))"
echo "orvetta-current.exe:   ${current} ms   (all: $(tr '\n' ' ' <"$work/current.ms"))"
awk -v o="$orvetta" -v c="$current" -v m="$minimal" \
  'BEGIN {printf "ratio to the minimal program: orvetta.exe %.2f, orvetta-current.exe %.2f (target at most 1.30)\n", o / m, c / m}'

if [[ -f $ui_test ]]; then
  (cd "$work/run" && wine "$(realpath "$OLDPWD/$ui_test")" --gtest_filter='TreeFill.ReportsHowLongTheFillTook' 2>&1) |
    grep -E '^tree fill' || echo "tree fill: not reported"
fi
