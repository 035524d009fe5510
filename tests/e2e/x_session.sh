# Sourced: a real X server under a window manager, and helpers that type into
# the active window, wait for windows to come and go and read what the window
# manager shows of them. The sourcing script defines fail() and sets x_tmp to
# a scratch folder.
#   x_session_up [openbox|metacity]  starts both and exports DISPLAY
#   x_session_down                   stops them
# Every wait polls its condition and gives up only after a long deadline.

source "$(dirname "${BASH_SOURCE[0]}")/../support/window_manager.sh"

x_session_pids=()
x_session_wm=openbox

x_session_up() {
  x_session_wm=${1:-openbox}
  # -noreset: no reset, refusing clients, each time the last one leaves.
  Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -noreset >"$x_tmp/display" 2>"$x_tmp/xvfb.log" &
  x_session_pids+=($!)
  local deadline=$((SECONDS + 120))
  until [[ -s "$x_tmp/display" ]]; do
    ((SECONDS < deadline)) && kill -0 "${x_session_pids[0]}" 2>/dev/null || fail "Xvfb did not start"
    sleep 0.05
  done
  export DISPLAY=":$(head -n1 "$x_tmp/display")"
  start_window_manager "$x_session_wm" "$x_tmp" || fail "$x_session_wm did not start"
  x_session_pids+=("$window_manager_pid")
  : >"$x_tmp/known-windows"
}

x_session_down() {
  for p in "${x_session_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  x_session_pids=()
}

active() { xdotool getactivewindow 2>/dev/null || echo 0; }
window_exists() { xwininfo -id "$1" >/dev/null 2>&1; }

# Waits until a window that was never active before is the active one;
# prints its id. A window that only comes back (the worksheet under a box
# that closed, say) is not new however briefly it is active, nor is one that
# has gone: openbox leaves a destroyed window named as the active one.
new_window() {
  local deadline=$((SECONDS + 60)) w
  while ((SECONDS < deadline)); do
    w=$(active)
    if [[ $w != 0 ]] && ! grep -qx "$w" "$x_tmp/known-windows" && window_exists "$w"; then
      echo "$w" >>"$x_tmp/known-windows"
      echo "$w"
      return
    fi
    sleep 0.05
  done
  fail "no new window after $(tail -n1 "$x_tmp/known-windows")"
}

# Waits until window $1 is the active one.
wait_active() {
  local deadline=$((SECONDS + 60))
  until [[ $(active) == "$1" ]]; do
    ((SECONDS < deadline)) || fail "window $1 did not come back; $(active) is active"
    sleep 0.05
  done
}

title_is() { [[ $(xdotool getwindowname "$1") == "$2" ]] || fail "window '$(xdotool getwindowname "$1")' is not '$2'"; }
key() { xdotool key --clearmodifiers "$@"; }
type_text() { xdotool type --delay 20 -- "$1"; }

# --- what the window manager shows ------------------------------------------

# Saves the window manager's title bar over window $1 to file $2.
title_bar_shot() {
  local info x y w left right top
  info=$(xwininfo -id "$1")
  x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  w=$(sed -n 's/.*Width: *//p' <<<"$info")
  read -r left right top _ < <(xprop -id "$1" -notype _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  ((top > 0)) || fail "window $1 has no title bar"
  import -window root -crop "$((w + left + right))x${top}+$((x - left))+$((y - top))" +repage "$2"
}

same_image() { [[ $(compare -metric AE "$1" "$2" null: 2>&1) == 0 ]]; }

# Takes title bar shots of window $1 into $2 until two in a row agree: the
# window manager has drawn it.
steady_title_bar() {
  local deadline=$((SECONDS + 60))
  title_bar_shot "$1" "$2"
  while ((SECONDS < deadline)); do
    sleep 0.05
    title_bar_shot "$1" "${2%.png}-next.png"
    same_image "$2" "${2%.png}-next.png" && return
    mv "${2%.png}-next.png" "$2"
  done
  fail "the title bar of window $1 does not settle"
}

title_file() { echo "$x_tmp/title-$(printf %s "$1" | md5sum | cut -c1-12).png"; }

# Learns how the window manager draws title $1 in full: on a wide window of
# its own, active, the title bar with the title less the same bar without it
# leaves the title's own pixels. Call before the program starts.
learn_title() {
  local file win deadline=$((SECONDS + 60)) pid box
  file=$(title_file "$1")
  xmessage -title "$1" -geometry 600x80+50+50 "$1" 2>/dev/null &
  pid=$!
  until [[ $(active) != 0 && $(xdotool getwindowname "$(active)") == "$1" ]]; do
    ((SECONDS < deadline)) || fail "no window to learn the title '$1' on"
    sleep 0.05
  done
  win=$(active)
  echo "$win" >>"$x_tmp/known-windows"
  steady_title_bar "$win" "$x_tmp/with.png"
  xdotool set_window --name " " "$win"
  until [[ $(xdotool getwindowname "$win") == " " ]]; do
    ((SECONDS < deadline)) || fail "the window for the title '$1' keeps its title"
    sleep 0.05
  done
  cp "$x_tmp/with.png" "$x_tmp/without.png"
  until ! same_image "$x_tmp/with.png" "$x_tmp/without.png"; do
    ((SECONDS < deadline)) || fail "the title '$1' does not go from the title bar"
    steady_title_bar "$win" "$x_tmp/without.png"
  done
  box=$(convert "$x_tmp/with.png" "$x_tmp/without.png" -compose difference -composite \
    -fuzz 10% -trim -format '%wx%h%X%Y' info:)
  convert "$x_tmp/with.png" -crop "$box" +repage "$file"
  kill "$pid"
  while window_exists "$win"; do
    ((SECONDS < deadline)) || fail "the window for the title '$1' did not go"
    sleep 0.05
  done
}

# Fails unless the title bar of window $1 shows the whole of title $2 as
# learnt by learn_title; saves the bar to $3.
title_shown_whole() {
  local ref result pixels errors deadline=$((SECONDS + 30))
  ref=$(title_file "$2")
  [[ -e $ref ]] || fail "title '$2' was not learnt"
  pixels=$(identify -format '%[fx:w*h]' "$ref")
  while :; do
    title_bar_shot "$1" "$3"
    result=$(compare -metric AE -fuzz 10% -subimage-search "$3" "$ref" null: 2>&1 || true)
    errors=${result%% *}
    [[ $errors =~ ^[0-9]+$ ]] && ((errors * 50 <= pixels)) && return
    ((SECONDS < deadline)) || fail "the title bar of '$2' does not show it whole (see $3)"
    sleep 0.1
  done
}

# Fails if window $1 offers to be minimised or maximised. Openbox lists
# minimising for every dialog whatever its hints say; there the window's own
# hints must leave it out, and the window comes straight back if minimised.
no_minimise_or_maximise() {
  local actions motif
  actions=$(xprop -id "$1" -notype _NET_WM_ALLOWED_ACTIONS)
  [[ $actions == *_NET_WM_ACTION_CLOSE* ]] || fail "window $1 cannot be closed: $actions"
  [[ $actions != *MAXIMIZE* ]] || fail "window $1 can be maximised: $actions"
  if [[ $x_session_wm == openbox ]]; then
    motif=$(xprop -id "$1" -notype _MOTIF_WM_HINTS | sed 's/.*= //; s/,//g')
    read -r flags functions _ <<<"$motif"
    ((flags & 1)) && ! ((functions & (8 | 16))) || fail "window $1 hints at minimise or maximise: $motif"
  else
    [[ $actions != *MINIMIZE* ]] || fail "window $1 can be minimised: $actions"
  fi
}

# Asks the window manager to keep window $1 above the others and back again,
# and waits until it has: it has then handled every earlier request too.
window_manager_caught_up() {
  local deadline=$((SECONDS + 60))
  wmctrl -i -r "$1" -b add,above
  until xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; do
    ((SECONDS < deadline)) || fail "the window manager does not answer"
    sleep 0.05
  done
  wmctrl -i -r "$1" -b remove,above
  while xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; do
    ((SECONDS < deadline)) || fail "the window manager does not answer"
    sleep 0.05
  done
}

window_size() { xwininfo -id "$1" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }

# Fails unless window $1 has fixed size hints at its size and the window
# manager neither resizes nor maximises it when asked.
fixed_size() {
  local size hints min max
  size=$(window_size "$1")
  hints=$(xprop -id "$1" WM_NORMAL_HINTS)
  min=$(sed -n 's/.*program specified minimum size: \([0-9]*\) by \([0-9]*\).*/\1x\2/p' <<<"$hints")
  max=$(sed -n 's/.*program specified maximum size: \([0-9]*\) by \([0-9]*\).*/\1x\2/p' <<<"$hints")
  [[ $min == "$size" && $max == "$size" ]] || fail "window $1 of $size has size hints $min to $max"
  xprop -id "$1" _NET_WM_ALLOWED_ACTIONS | grep -qE 'RESIZE|MAXIMIZE' && fail "window $1 offers to resize"
  xdotool windowsize "$1" $((${size%x*} + 100)) $((${size#*x} + 120))
  wmctrl -i -r "$1" -b add,maximized_vert,maximized_horz
  window_manager_caught_up "$1"
  [[ $(window_size "$1") == "$size" ]] || fail "window $1 went from $size to $(window_size "$1")"
  xprop -id "$1" _NET_WM_STATE | grep -q MAXIMIZED && fail "window $1 was maximised"
  return 0
}
