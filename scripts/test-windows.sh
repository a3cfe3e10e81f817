#!/usr/bin/env bash
# Runs the Windows program's tests under Wine on a private X server:
#   1. ui_test.exe (the real main window, controls and tree, driven by window
#      messages);
#   2. orvetta-lookup.exe once, when it was built;
#   3. screenshots of the program after a search with the tree opened, saved
#      to BUILD/screenshots.
# Usage: scripts/test-windows.sh [BUILD]   (default build/win, already built)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/win}

if ! command -v wine >/dev/null 2>&1; then
  echo "test-windows.sh: SKIPPED: wine is not installed, the Windows tests did not run"
  exit 0
fi
ui_test=$build/tests/ui/ui_test.exe
if [[ ! -f $ui_test ]]; then
  echo "test-windows.sh: $ui_test is missing: build $build first" >&2
  exit 1
fi

source scripts/wine-env.sh
work=$(mktemp -d)
trap wine_cleanup EXIT

# A private X server on the first free display, and a private Wine prefix.
wine_private_session "$work"

status=0
echo "== ui_test.exe under Wine ($DISPLAY)"
wine "$ui_test" || status=1

lookup=$build/cli/orvetta-lookup.exe
if [[ -f $lookup ]]; then
  echo "== orvetta-lookup.exe under Wine"
  mkdir -p "$work/lookup"
  if out=$(cd "$work/lookup" && wine "$OLDPWD/$lookup" number 0101 2>&1) && grep -q 0101 <<<"$out"; then
    echo "$out"
  else
    echo "test-windows.sh: orvetta-lookup.exe number 0101 failed: $out" >&2
    status=1
  fi
fi

echo "== screenshots"
shots=$build/screenshots
mkdir -p "$shots"
abs_test=$(realpath "$ui_test")
# take_scene SUFFIX [en]: the scene in the Japanese face (or the English one)
# saved as main-windowSUFFIX.png, tree-windowSUFFIX.png and desktopSUFFIX.png.
take_scene() {
  local scene=$work/scene$1
  mkdir -p "$scene"
  cp update/velkarad.txt "$scene/"
  (cd "$scene" && wine "$abs_test" --scene ${2:-}) &
  local scene_pid=$!
  for _ in $(seq 300); do [[ -f $scene/scene-ready ]] && break; sleep 0.1; done
  if [[ -f $scene/scene-ready ]]; then
    sleep 1
    import -window root "$shots/desktop$1.png"
    convert "$shots/desktop$1.png" -crop 540x306+0+0 +repage "$shots/main-window$1.png"
    convert "$shots/desktop$1.png" -crop 300x420+550+0 +repage "$shots/tree-window$1.png"
    echo "saved $shots/main-window$1.png, $shots/tree-window$1.png and $shots/desktop$1.png"
  else
    echo "test-windows.sh: the scene$1 did not come up; no screenshots" >&2
    status=1
  fi
  touch "$scene/scene-done"
  wait "$scene_pid" || true
}
take_scene ""
take_scene -en en

exit $status
