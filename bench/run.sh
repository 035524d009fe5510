#!/usr/bin/env bash
# Every benchmark in one run, printed as a table:
#   start-up   exec to the start screen mapped and painted on Xvfb, median of
#              20 runs, beside a bare Qt window of the same size with one
#              picture and one button (target: within 1.3 times the bare one)
#   memory     resident set with all five forms loaded (target: under 45 MB)
#   idle CPU   CPU time used over 5 s while the program waits for a key
#   Enter      the worksheet's Enter; print: "JA !" to the printer and the PDF
set -euo pipefail
shopt -s extglob
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build.sh >/dev/null
b=build

x_tmp=$(mktemp -d)
app=""
fail() { echo "bench: $*" >&2; exit 1; }
source tests/e2e/x_session.sh
cleanup() {
  [[ -n "$app" ]] && kill "$app" 2>/dev/null
  x_session_down
  rm -rf "$x_tmp"
}
trap cleanup EXIT
x_session_up

row() { printf '| %-50s | %-48s | %-14s |\n' "$1" "$2" "$3"; }

ours=$($b/bench/startup_bench 20 "$b/src/Pramilo" 2>/dev/null)
bare=$($b/bench/startup_bench 20 "$b/bench/bare_window" src/programs/pictures/pramilo_title.bmp 2>/dev/null)
ratio=$(awk -v a="$ours" -v b="$bare" 'BEGIN { printf "%.2f", a / b }')

# A pupil's road up to the end screen, so that all five forms are loaded.
"$b/src/Pramilo" 2>/dev/null &
app=$!
w=$(next_window); key Return
w=$(next_window "$w"); type_text "Anna"; key Return; type_text "4"; key Return; sleep 0.3; key Return
sheet=$(next_window "$w"); key Return
for _ in $(seq 50); do type_text "1"; key Return; done
box=$(next_window "$sheet"); key Return
results=$(next_window "$box" "$sheet"); key Tab; key Return
next_window "$results" >/dev/null
sleep 1
rss_kb=$(awk '/^VmRSS/ { print $2 }' "/proc/$app/status")
ticks() { awk '{ print $14 + $15 }' "/proc/$app/stat"; }
t0=$(ticks); sleep 5; t1=$(ticks)
kill "$app"; wait "$app" 2>/dev/null || true; app=""
x_session_down

enter=$(QT_QPA_PLATFORM=offscreen $b/bench/enter_bench 100 2>/dev/null)
print=$(bench/print.sh 20 2>/dev/null | grep -v '^$')

echo
row "measure" "result" "target"
row "---" "---" "---"
row "start-up, Pramilo (median of 20)" "$ours ms" "<= 1.3 x bare"
row "start-up, bare Qt window (median of 20)" "$bare ms" ""
row "start-up ratio" "$ratio" "<= 1.3"
row "resident set, all five forms loaded" "$((rss_kb / 1024)) MB ($rss_kb kB)" "< 45 MB"
row "CPU while waiting for a key, 5 s" "$((t1 - t0)) ticks ($(getconf CLK_TCK)/s)" "0"
# Each line of the two programs reads "LABEL[:] median ...".
figure() {
  local line label
  while IFS= read -r line; do
    label=${line%%median*}
    label=${label%%+([ :])}
    row "$label" "median${line#*median}" ""
  done
}
figure <<<"$enter"
figure <<<"$print"
