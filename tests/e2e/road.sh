#!/usr/bin/env bash
# A pupil's whole road through a built program, as a user runs it: a real
# X server with a window manager, keys typed with xdotool, the report printed
# on the default printer. Two pupils: the first prints, the second does not
# and then ends the program, which must exit with status 0. On the way: the
# start screen keeps its fixed size, and every message box shows its whole
# title in the window manager's title bar and offers no minimise or maximise.
#
#   road.sh PROGRAM-EXECUTABLE Pramilo|Sudeval OUTPUT-FOLDER [openbox|metacity]
# The program's default printer is a cups-pdf queue of the run's own, so
# several runs go side by side; cupsd must run. The screenshots and the
# report's text land in OUTPUT-FOLDER when the run ends.
set -euo pipefail

exe=$1
name=$2
out=$3
wm=${4:-openbox}
mkdir -p "$out"
x_tmp=$(mktemp -d)
# Runs of the same test side by side share OUTPUT-FOLDER: each works in its
# own and puts its files there whole at the end.
run_out=$x_tmp/out
mkdir "$run_out"
app=""
cleanup() {
  # Every step, whatever the one before did: a program that has already
  # gone must not leave the X server or the queue behind.
  set +e
  [[ -n "$app" ]] && kill "$app" 2>/dev/null
  x_session_down
  own_printer_down
  local f
  for f in "$run_out"/*; do
    [[ -e $f ]] || continue
    cp "$f" "$out/.${f##*/}.$$" && mv -f "$out/.${f##*/}.$$" "$out/${f##*/}"
  done
  rm -rf "$x_tmp"
}
trap cleanup EXIT
# A run stopped from outside still removes its queue.
trap 'exit 143' TERM
trap 'exit 130' INT
trap 'exit 129' HUP

fail() { echo "FAIL ($name, $wm): $*" >&2; exit 1; }
source "$(dirname "$0")/x_session.sh"
source "$(dirname "$0")/own_printer.sh"
own_printer_up
x_session_up "$wm"
for title in "Let op!" "Gedaan!"; do learn_title "$title"; done

shot() { import -window root "$run_out/$name-$wm-$1.png"; }

# Confirms the message box that the last key opened, titled $1: its title
# bar shows the whole title and it offers no minimise or maximise.
confirm_box() {
  local box
  box=$(new_window)
  title_is "$box" "$1"
  title_shown_whole "$box" "$1" "$run_out/$name-$wm-title-$(printf %s "$1" | tr -dc A-Za-z).png"
  no_minimise_or_maximise "$box"
  [[ -n "${2:-}" ]] && shot "$2"
  key Return
  echo "$box"
}

# The expected answers of series 1.
pairs="8,3 7,5 6,0 5,4 1,6 7,7 6,9 2,2 2,8 3,10 0,3 8,1 6,6 9,4 9,9 8,2 2,9 7,3 9,5 3,7
6,8 4,0 4,6 0,10 9,2 9,10 8,9 9,3 7,0 2,6 10,2 1,2 8,10 6,4 4,5 9,7 10,7 2,1 7,6 8,8
7,4 4,8 3,0 6,5 5,9 8,7 2,3 8,5 5,8 3,4"
answers=()
for p in $pairs; do
  a=${p%,*} b=${p#*,}
  if [[ $name == Pramilo ]]; then answers+=($((a * b))); else answers+=("$a"); fi
done

# --- the first pupil: wrong keys, an empty Enter, a closed window, printing ---
# LPDEST would win over PRINTER.
env -u LPDEST PRINTER="$own_printer_queue" "$exe" &
app=$!

start=$(new_window)
fixed_size "$start"
shot 01-start
key Return
reeks=$(new_window)
shot 02-pupil-form
type_text "Lotte"
key Return
type_text "9"
confirm_box "Let op!" 03-refused-class-key >/dev/null
wait_active "$reeks"
type_text "4"
key Return
key Return # the first series button, which the Enter in the class box gave the focus
sheet=$(new_window)
shot 05-worksheet
key Return # START

right=0
for i in $(seq 1 50); do
  expected=${answers[$((i - 1))]}
  if ((i == 12)); then
    key Return # nothing typed
    confirm_box "Let op!" 06-empty-answer >/dev/null
    wait_active "$sheet"
  fi
  if ((i == 20)); then
    # The window manager closes the worksheet: the pupil opens it again
    # from the series button that still has the focus, and goes on.
    key alt+F4
    wait_active "$reeks"
    key Return
    sheet=$(new_window)
    key Return # START
  fi
  if ((i % 9 == 0)); then answer=$((expected + 1)); else answer=$expected; right=$((right + 1)); fi
  type_text "$answer"
  key Return
done
confirm_box "Gedaan!" 07-done >/dev/null
results=$(new_window)
shot 08-results
key Return # "JA !"
confirm_box "Let op!" 09-printer-reminder >/dev/null
end=$(new_window)
shot 10-end-screen

# The report on the default printer.
own_printer_pdf
report="$run_out/$name-report.txt"
pdftotext -layout "$own_printer_file" "$report"
if [[ $name == Pramilo ]]; then title="TEST MAALTAFELS"; first="8 x 3 = 24"; else title="TEST DEELTAFELS"; first="24 : 3 = 8"; fi
need() { grep -qE -- "$1" "$report" || fail "the report lacks: $1"; }
need "$title"
need "Naam van de leerling: +Lotte +Klas: +4"
need "Reeks nr.: +1"
need "Totaal op 50: +$right +goed +In procenten: +$((2 * right)) +procent"
need "Oef. nr.: +Tijd \(\* = 0-5sec\) +Oefening +Seconden"
need "^ +1 +\*+ +$first +[0-9-]+"
need "^ +50 +\*+ +"
rows=$(grep -cE '^ +[0-9]+ +\*+ +[0-9]+ ?[x:] ?[0-9]+ ?= ?' "$report")
((rows == 50)) || fail "the report has $rows exercise rows"

# --- the next pupil, who does not print and then ends the program -----------
key Tab
key Return # "DE VOLGENDE KANDIDAAT A.U B."
reeks=$(new_window)
shot 11-next-pupil
type_text "Bram"
key Return
type_text "5"
key Return
key Tab # to series 2
key Return
sheet=$(new_window)
key Return # START
for i in $(seq 1 50); do
  type_text "1"
  key Return
done
confirm_box "Gedaan!" >/dev/null
results=$(new_window)
shot 12-second-results
key Tab # to "NEEN !"
key Return
wait_active "$end" # the end screen stayed loaded beneath
shot 13-end-screen-again
key shift+Tab # the end button; the focus was left on the next-candidate one
key Return

status=0
deadline=$((SECONDS + 60))
while kill -0 "$app" 2>/dev/null && ((SECONDS < deadline)); do sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "the program did not end"
wait "$app" || status=$?
app=""
((status == 0)) || fail "the program ended with status $status"
echo "PASS ($name, $wm): the whole road, $right right answers printed, exit status 0"
