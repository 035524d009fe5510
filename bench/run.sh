#!/usr/bin/env bash
# Every benchmark in one run, printed as a table:
#   start-up   exec to the start screen mapped and painted on Xvfb, median of
#              20 runs, beside a bare Qt window of the same size with one
#              picture and one button (target: within 1.3 times the bare one)
#   memory     resident set with all five forms loaded (target: under 45 MB)
#   idle CPU   CPU time used over 5 s while the program waits for a key
#   Enter      the worksheet's Enter; print: "JA !" to the printer and the PDF
#
#   bench/run.sh                       sets up, builds into build/ and measures
#   bench/run.sh --short [BUILD-DIR]   a few runs of each on a built tree, as
#       ctest runs it: no set-up, no build, printing on a cups-pdf queue of its
#       own (cupsd must run); judges no figure against its target
# Either way it fails when a row of the table is missing or has no figure.
set -euo pipefail
shopt -s extglob
cd "$(dirname "$0")/.."
short=0
b=build
if [[ ${1:-} == --short ]]; then
  short=1
  b=${2:-build}
fi
if ((short)); then
  startups=3 enters=5 prints=2 idle=1
else
  tools/setup.sh --tests
  tools/build.sh >/dev/null
  startups=20 enters=100 prints=20 idle=5
fi

x_tmp=$(mktemp -d)
app=""
fail() { echo "bench: $*" >&2; exit 1; }
source tests/e2e/x_session.sh
source tests/e2e/own_printer.sh
cleanup() {
  set +e
  [[ -n "$app" ]] && kill "$app" 2>/dev/null
  x_session_down
  own_printer_down
  rm -rf "$x_tmp"
}
trap cleanup EXIT
# Stopped from outside, it still removes its queue.
trap 'exit 143' TERM
trap 'exit 130' INT

# Runs a benchmark program and prints what it printed; its messages are
# shown only when it fails.
measure() {
  "$@" 2>"$x_tmp/stderr" || { cat "$x_tmp/stderr" >&2; fail "$* failed"; }
}
number() { [[ $2 =~ ^[0-9]+([.,][0-9]+)?$ ]] || fail "no figure for $1: '$2'"; }

x_session_up
ours=$(measure "$b/bench/startup_bench" "$startups" "$b/src/Pramilo")
number "the start-up of Pramilo" "$ours"
bare=$(measure "$b/bench/startup_bench" "$startups" "$b/bench/bare_window" src/programs/pictures/pramilo_title.bmp)
number "the start-up of a bare window" "$bare"
ratio=$(LC_ALL=C awk -v a="${ours/,/.}" -v b="${bare/,/.}" 'BEGIN { printf "%.2f", a / b }')

# The last start-up run's window stays named as the active one; it must
# have gone before the road starts, or it would pass for the start screen.
deadline=$((SECONDS + 60))
while w=$(active); [[ $w != 0 ]] && window_exists "$w"; do
  ((SECONDS < deadline)) || fail "window $w of the start-up runs stays"
  sleep 0.05
done

# A pupil's road up to the end screen, so that all five forms are loaded.
"$b/src/Pramilo" 2>/dev/null &
app=$!
new_window >/dev/null
key Return
new_window >/dev/null
type_text "Anna"; key Return; type_text "4"; key Return
key Return # the first series button, which the Enter in the class box gave the focus
new_window >/dev/null
key Return # START
for _ in $(seq 50); do type_text "1"; key Return; done
box=$(new_window)
title_is "$box" "Gedaan!"
key Return
new_window >/dev/null
key Tab; key Return # "NEEN !"
new_window >/dev/null # the end screen
ticks() { awk '{ print $14 + $15 }' "/proc/$app/stat"; }
# The end screen is still being painted when it turns active: idle is half a
# second without a tick.
deadline=$((SECONDS + 60))
t0=$(ticks)
while sleep 0.5; t1=$(ticks); ((t1 != t0)); do
  ((SECONDS < deadline)) || fail "Pramilo still uses CPU a minute after the end screen came"
  kill -0 "$app" 2>/dev/null || fail "Pramilo has gone"
  t0=$t1
done
rss_kb=$(awk '/^VmRSS/ { print $2 }' "/proc/$app/status")
number "the resident set" "$rss_kb"
t0=$(ticks); sleep "$idle"; t1=$(ticks)
kill "$app"; wait "$app" 2>/dev/null || true; app=""
x_session_down

enter=$(QT_QPA_PLATFORM=offscreen measure "$b/bench/enter_bench" "$enters")
if ((short)); then
  own_printer_up
  # LPDEST would win over PRINTER.
  print=$(unset LPDEST; PRINTER="$own_printer_queue" QT_QPA_PLATFORM=offscreen \
    measure "$b/bench/print_bench" "$own_printer_dir" "$prints")
else
  print=$(measure bench/print.sh "$prints")
fi

table=()
row() { table+=("$(printf '| %-50s | %-60s | %-14s |' "$1" "$2" "$3")"); }
row "start-up, Pramilo (median of $startups)" "$ours ms" "<= 1.3 x bare"
row "start-up, bare Qt window (median of $startups)" "$bare ms" ""
row "start-up ratio" "$ratio" "<= 1.3"
row "resident set, all five forms loaded" "$((rss_kb / 1024)) MB ($rss_kb kB)" "< 45 MB"
row "CPU while waiting for a key, $idle s" "$((t1 - t0)) ticks ($(getconf CLK_TCK)/s)" "0"
# Each line of the two programs reads "LABEL[:] median ...".
figure() {
  local line label
  while IFS= read -r line; do
    [[ $line == *median* ]] || continue
    label=${line%%median*}
    label=${label%%+([ :])}
    row "$label" "median${line#*median}" ""
  done
}
figure <<<"$enter"
figure <<<"$print"

echo
printf '| %-50s | %-60s | %-14s |\n' "measure" "result" "target" "---" "---" "---"
printf '%s\n' "${table[@]}"

# A benchmark that printed less than before leaves a row out or empty.
for label in "start-up, Pramilo" "start-up, bare Qt window" "start-up ratio" "resident set" \
  "CPU while waiting" "worksheet Enter (exercises 1-49)" "worksheet Enter on exercise 50" \
  "reminder confirmed -> handed over" "reminder confirmed -> PDF written"; do
  found=0
  for line in "${table[@]}"; do
    [[ $line == "| $label"* ]] || continue
    found=1
    result=$(cut -d'|' -f3 <<<"$line")
    [[ $result =~ [0-9] ]] || fail "the row '$label' has no figure"
  done
  ((found)) || fail "the row '$label' is missing"
done
