#!/usr/bin/env bash
# Installs what is missing, builds the Windows program and starts it under
# Wine from build/win/run, a working directory holding the example update
# file "velkarad.txt" (comments only: the dictionary stays as shipped; edit it
# there to try your own places). With no display it runs on a private X
# server, saves a screenshot and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# The folders and options of test.sh; only mkdict and the program are built.
source scripts/build-env.sh
configure_native
cmake --build build/native --target mkdict
configure_windows
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
trap wine_cleanup EXIT
start_private_xvfb "$work"
[[ -d $WINEPREFIX ]] || wine_prepare_prefix
wine_unmanaged_windows  # Wine draws the frames: there is no window manager

(cd "$run_dir" && exec wine "$program") &
program_pid=$!
if ! wine_window_shown "Orvetta ver 1.0p"; then
  echo "run.sh: orvetta.exe showed no main window within 30 s" >&2
  exit 1
fi
sleep 2
shot=$PWD/build/win/screenshots/run.png
mkdir -p "$(dirname "$shot")"
import -window root "$shot"
echo "run.sh: no display, so orvetta.exe ran on a private X server; screenshot saved to $shot"
