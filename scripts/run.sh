#!/usr/bin/env bash
# Installs what is missing, builds the Windows program and starts it under
# Wine from build/win/run, a working directory holding the example update
# file "velkarad.txt" (comments only: the dictionary stays as shipped; edit it
# there to try your own places). With no display it runs on a private X
# server, saves a screenshot and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVETTA_TESTS=OFF >/dev/null
cmake --build build/native --target mkdict
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DORVETTA_TESTS=OFF \
  -DORVETTA_MKDICT="$PWD/build/native/tools/mkdict" >/dev/null
cmake --build build/win --target orvetta

run_dir=$PWD/build/win/run
program=$PWD/build/win/ui/orvetta.exe
mkdir -p "$run_dir"
[[ -f $run_dir/velkarad.txt ]] || cp update/velkarad.txt "$run_dir/"

export WINEPREFIX=${WINEPREFIX:-$PWD/build/win/wineprefix} WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
source scripts/wine-env.sh

if [[ -n ${DISPLAY:-} ]]; then
  [[ -d $WINEPREFIX ]] || wine_prepare_prefix
  cd "$run_dir"
  exec wine "$program"
fi

# No display: a private X server, one screenshot, then the program is ended.
work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
  [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
start_private_xvfb "$work"
[[ -d $WINEPREFIX ]] || wine_prepare_prefix
wine_unmanaged_windows  # Wine draws the frames: there is no window manager

(cd "$run_dir" && exec wine "$program") &
program_pid=$!
for _ in $(seq 300); do
  xwininfo -name "Orvetta ver 1.0p" 2>/dev/null | grep -q IsViewable && break
  sleep 0.1
done
sleep 2
shot=$PWD/build/win/screenshots/run.png
mkdir -p "$(dirname "$shot")"
import -window root "$shot"
echo "run.sh: no display, so orvetta.exe ran on a private X server; screenshot saved to $shot"
