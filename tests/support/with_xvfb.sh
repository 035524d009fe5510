#!/usr/bin/env bash
# Runs a command on a fresh Xvfb display, with openbox as window manager when
# the first argument is --wm, without any window manager otherwise:
#   with_xvfb.sh [--wm] COMMAND...
set -euo pipefail
wm=0
if [[ "${1:-}" == "--wm" ]]; then wm=1; shift; fi

tmp=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it to the given descriptor.
exec {fd}>"$tmp/display"
Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
pids+=($!)
exec {fd}>&-
for _ in $(seq 100); do [[ -s "$tmp/display" ]] && break; sleep 0.05; done
[[ -s "$tmp/display" ]] || { cat "$tmp/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$tmp/display")"

if ((wm)); then
  openbox >"$tmp/openbox.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
  done
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || { echo "openbox did not start" >&2; exit 1; }
fi

export QT_QPA_PLATFORM=xcb QT_XCB_GL_INTEGRATION=none
"$@"
