#!/usr/bin/env bash
# Runs a command on a fresh Xvfb display, under the given window manager or
# without any (--wm alone means openbox):
#   with_xvfb.sh [--wm[=openbox|metacity]] COMMAND...
# The command finds the window manager's name, or "none", in TAFELS_WM.
set -euo pipefail
wm=none
case "${1:-}" in
  --wm) wm=openbox; shift ;;
  --wm=*) wm=${1#--wm=}; shift ;;
esac
here=$(cd "$(dirname "$0")" && pwd)
source "$here/window_manager.sh"

tmp=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT

# Xvfb writes its display number to the given descriptor once it accepts
# clients; the deadline only guards against one that never comes up.
# Without -noreset it resets whenever its last client leaves (a readiness
# check, say) and refuses the next one meanwhile.
exec {fd}>"$tmp/display"
Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp -noreset >"$tmp/xvfb.log" 2>&1 &
pids+=($!)
exec {fd}>&-
deadline=$((SECONDS + 120))
until [[ -s "$tmp/display" ]]; do
  if ! kill -0 "${pids[0]}" 2>/dev/null || ((SECONDS >= deadline)); then
    cat "$tmp/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1
  fi
  sleep 0.05
done
export DISPLAY=":$(head -n 1 "$tmp/display")"

if [[ $wm != none ]]; then
  start_window_manager "$wm" "$tmp" || { cat "$tmp/xvfb.log" >&2; exit 1; }
  pids+=("$window_manager_pid")
fi

export QT_QPA_PLATFORM=xcb QT_XCB_GL_INTEGRATION=none TAFELS_WM=$wm
"$@"
