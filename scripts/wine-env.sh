# Sourced by the scripts that run the Windows program under Wine.
#
# The state wine_cleanup ends: the program a script started and left running
# (program_pid), the private X server (xvfb_pid) and the work folder (work).
program_pid=""
xvfb_pid=""
work=""

# wine_cleanup: the EXIT trap of every such script (`trap wine_cleanup EXIT`):
# ends the program, the prefix's wineserver and the X server, in that order,
# and removes the work folder. Safe at any point of the script.
wine_cleanup() {
  [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  [[ -n $work ]] && rm -rf "$work" || true
}

# wine_window_shown TITLE [SECONDS] [INTERVAL]: true once a viewable window
# titled TITLE exists, asking every INTERVAL seconds (0.1) for up to SECONDS
# (30); false when none shows in that time. Every window of that title is
# asked: both programs share theirs, and one of a program that went before
# may linger unmapped for a while, hiding the new one from `xwininfo -name`,
# which takes the first it finds.
wine_window_shown() {
  local title=$1 deadline=$((SECONDS + ${2:-30})) interval=${3:-0.1} id
  while ((SECONDS < deadline)); do
    for id in $(xwininfo -root -tree 2>/dev/null | grep -F "\"$title\"" | awk '{print $1}'); do
      xwininfo -id "$id" 2>/dev/null | grep -q IsViewable && return 0
    done
    sleep "$interval"
  done
  return 1
}

# start_private_xvfb DIR: an X server of our own on the first free display
# (its number written to DIR/display); sets DISPLAY and xvfb_pid, which the
# caller's clean-up kills.
start_private_xvfb() {
  exec 3>"$1/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  exec 3>&-
  for _ in $(seq 50); do [[ -s $1/display ]] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$1/display")"
}

# wine_prepare_prefix: creates the Wine prefix $WINEPREFIX and links a
# Japanese font behind the fonts Wine draws menus, captions, dialogs and the
# status bar with, so their Japanese shows on a system without a Japanese
# locale. The program's own fonts need nothing: it picks an installed
# Japanese face itself.
wine_prepare_prefix() {
  wineboot -i >/dev/null 2>&1
  local link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  local face
  for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "MS Sans Serif" "Segoe UI"; do
    wine reg add "$link" /v "$face" /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic\0NotoSansCJK-Regular.ttc,Noto Sans CJK JP' /f >/dev/null 2>&1
  done
  wineserver -w
}

# wine_unmanaged_windows: without a window manager (Xvfb), Wine waits up to
# 2 s for each managed window to be withdrawn; unmanaged windows close at once.
wine_unmanaged_windows() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
}

# wine_private_session DIR: a private X server and a private, prepared Wine
# prefix in DIR for one test or measurement run; the caller's clean-up kills
# $xvfb_pid and the prefix's wineserver.
wine_private_session() {
  start_private_xvfb "$1"
  export WINEPREFIX=$1/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wine_prepare_prefix
  wine_unmanaged_windows
}
