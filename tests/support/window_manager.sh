# Sourced: starts a window manager on $DISPLAY and waits until it manages
# windows, a window mapped before that may be left unmanaged:
#   start_window_manager openbox|metacity SCRATCH-FOLDER
# Sets window_manager_pid; returns 1 with a message when the manager exits or
# has not come up within two minutes (a last guard on a very busy machine).

window_manager_pid=

window_manager_ready() {
  local check
  case $1 in
    # Openbox runs its start-up command once it manages windows.
    openbox) [[ -e $2/wm-ready ]] ;;
    # Metacity names itself on its check window once it owns the root
    # window's redirection, so from then on every new window is its own.
    metacity)
      check=$(xprop -root -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # //p')
      [[ -n $check ]] && xprop -id "$check" -notype _NET_WM_NAME 2>/dev/null | grep -q '"Metacity"'
      ;;
  esac
}

start_window_manager() {
  local wm=$1 dir=$2 deadline=$((SECONDS + 120))
  # The display must answer before the manager connects to it.
  until xprop -root _NET_SUPPORTED >/dev/null 2>&1; do
    if ((SECONDS >= deadline)); then
      echo "the X display $DISPLAY does not answer" >&2
      return 1
    fi
    sleep 0.05
  done
  case $wm in
    openbox) openbox --startup "touch $dir/wm-ready" >"$dir/wm.log" 2>&1 & ;;
    metacity) metacity --replace --compositor=none >"$dir/wm.log" 2>&1 & ;;
    *) echo "unknown window manager: $wm" >&2; return 1 ;;
  esac
  window_manager_pid=$!
  until window_manager_ready "$wm" "$dir"; do
    if ! kill -0 "$window_manager_pid" 2>/dev/null; then
      cat "$dir/wm.log" >&2
      xprop -root _NET_SUPPORTED >/dev/null 2>&1 || echo "the X display $DISPLAY has gone" >&2
      echo "$wm exited before it managed windows" >&2
      return 1
    fi
    if ((SECONDS >= deadline)); then
      echo "$wm did not start" >&2
      return 1
    fi
    sleep 0.05
  done
}
