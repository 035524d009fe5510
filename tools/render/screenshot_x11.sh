#!/usr/bin/env bash
# Starts a built program as real windows on Xvfb, walks from the start screen
# to the worksheet by keyboard alone and saves a screenshot of the whole
# screen at each step (needs imagemagick's import):
#   tools/render/screenshot_x11.sh OUTDIR [Pramilo|Sudeval] [--wm[=openbox|metacity]]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$(mkdir -p "$1" && cd "$1" && pwd)"
program="${2:-Pramilo}"
wm=()
[[ "${3:-}" == --wm* ]] && wm=("$3")

walk() {
  local out=$1 exe=$2 name=$3
  "$exe" 2>/dev/null &
  local pid=$!
  shot() { sleep 0.7; import -window root "$out/${name}_x11_$1.png"; echo "$out/${name}_x11_$1.png"; }
  shot 1_start
  xdotool key Return; shot 2_pupil_form
  xdotool type Anna; xdotool key Return; xdotool type 4; xdotool key Return; shot 3_series
  xdotool key Return; shot 4_worksheet
  kill "$pid"
}
export -f walk
"$root/tests/support/with_xvfb.sh" "${wm[@]}" bash -c 'walk "$@"' _ "$out" "$root/build/src/$program" "${program,,}"
