# Sourced: a real X server with the openbox window manager, and helpers that
# type into the active window and wait for windows to come and go.
#   x_session_up    starts both and exports DISPLAY; x_session_down stops them
# The sourcing script defines fail() and sets x_tmp to a scratch folder.

x_session_pids=()

x_session_up() {
  Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$x_tmp/display" 2>"$x_tmp/xvfb.log" &
  x_session_pids+=($!)
  for _ in $(seq 100); do [[ -s "$x_tmp/display" ]] && break; sleep 0.05; done
  [[ -s "$x_tmp/display" ]] || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$x_tmp/display")"
  # Openbox runs its start-up command once it manages windows; a window
  # mapped before that may be left unmanaged.
  openbox --startup "touch $x_tmp/wm-ready" >/dev/null 2>&1 &
  x_session_pids+=($!)
  for _ in $(seq 200); do [[ -e "$x_tmp/wm-ready" ]] && break; sleep 0.05; done
  [[ -e "$x_tmp/wm-ready" ]] || fail "openbox did not start"
}

x_session_down() {
  for p in "${x_session_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  x_session_pids=()
}

active() { xdotool getactivewindow 2>/dev/null || echo 0; }

# Waits until the active window is none of the given ones and stays so;
# prints its id.
next_window() {
  local deadline=$((SECONDS + 30)) w x other
  while ((SECONDS < deadline)); do
    w=$(active)
    other=1
    for x in 0 "$@"; do [[ $w == "$x" ]] && other=0; done
    if ((other)); then
      sleep 0.3
      if [[ $(active) == "$w" ]]; then echo "$w"; return; fi
    fi
    sleep 0.05
  done
  fail "no new window after ${*: -1}"
}

title_is() { [[ $(xdotool getwindowname "$1") == "$2" ]] || fail "window '$(xdotool getwindowname "$1")' is not '$2'"; }
key() { xdotool key --clearmodifiers "$@"; }
type_text() { xdotool type --delay 20 -- "$1"; }
