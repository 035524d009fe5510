#!/usr/bin/env bash
# Runs the window and end-to-end tests many times, to show that none of them
# fails by chance, and prints the failures per test and build.
#
#   tools/repeat.sh [-n RUNS] [-j JOBS] [--plain | --sanitize] [PATTERN]
#
#   -n RUNS     runs of each test (default 100)
#   -j JOBS     runs at once (default 8)
#   --plain     only the plain build (build/); --sanitize: only build-asan/;
#               both by default, one after the other
#   PATTERN     ctest regular expression over test names (default 'x11|e2e')
#
# Prints a table of test, build, runs and failures, and exits 0 only when
# no run failed.
#
# Each run is the test's own command as ctest would run it, with its
# environment, working folder and timeout. Tests that hold a ctest resource
# lock (tst_real_printer prints on the shared cups-pdf queues and finds its
# PDF as the newest file in their folder, so two at once would take each
# other's) run one at a time beside the others; the e2e tests make queues of
# their own and go side by side. The script holds the printer lock for the
# whole run; the logs of failed runs are kept.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=100 jobs=8 pattern='x11|e2e'
builds=(plain sanitize)
while (($#)); do
  case $1 in
    -n) runs=$2; shift 2 ;;
    -j) jobs=$2; shift 2 ;;
    --plain) builds=(plain); shift ;;
    --sanitize) builds=(sanitize); shift ;;
    -h | --help) sed -n '2,/^set /{/^#/s/^# \{0,1\}//p}' "$0"; exit 0 ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) pattern=$1; shift ;;
  esac
done
[[ $runs =~ ^[1-9][0-9]*$ && $jobs =~ ^[1-9][0-9]*$ ]] || { echo "RUNS and JOBS are counts" >&2; exit 2; }

dir_of() { [[ $1 == plain ]] && echo build || echo build-asan; }
for b in "${builds[@]}"; do
  if [[ $b == plain ]]; then tools/build.sh >/dev/null; else tools/build.sh --sanitize >/dev/null; fi
done

# Everything that prints holds this lock. Under `flock LOCK tools/repeat.sh`
# the lock is already ours, on a descriptor flock(1) passed down.
lock=/tmp/tafels-printer.lock
held=0
for fd in "/proc/$$/fd"/*; do
  if [[ $(readlink "$fd") == "$lock" ]] && flock -n "${fd##*/}"; then held=1; fi
done
if ((!held)); then
  exec {lock_fd}>>"$lock"
  flock -n "$lock_fd" || { echo "Waiting for the printer lock ..." >&2; flock "$lock_fd"; }
fi

work=$(mktemp -d /tmp/tafels-repeat.XXXXXX)
source tools/sanitizer_env.sh
source tools/pdf_queue.sh
trap pdf_queue_down EXIT
pdf_queue_up

# Writes, for every test matching the pattern, a script that runs it once,
# and a list of the tests with whether they hold a resource lock.
cat >"$work/tests.cmake" <<'EOF'
function(quoted out text)
  string(REPLACE "'" "'\\''" text "${text}")
  set(${out} "'${text}'" PARENT_SCOPE)
endfunction()
file(READ "${json}" j)
string(JSON count LENGTH "${j}" tests)
file(WRITE "${out}/tests.list" "")
if(count EQUAL 0)
  return()
endif()
math(EXPR last "${count} - 1")
foreach(t RANGE ${last})
  string(JSON name GET "${j}" tests ${t} name)
  string(JSON argc ERROR_VARIABLE none LENGTH "${j}" tests ${t} command)
  if(none OR argc EQUAL 0)
    continue()
  endif()
  set(workdir "${out}")
  set(timeout 1500)
  set(env "")
  set(locked 0)
  string(JSON propc ERROR_VARIABLE none LENGTH "${j}" tests ${t} properties)
  if(NOT none AND propc GREATER 0)
    math(EXPR plast "${propc} - 1")
    foreach(p RANGE ${plast})
      string(JSON pname GET "${j}" tests ${t} properties ${p} name)
      if(pname STREQUAL "WORKING_DIRECTORY")
        string(JSON workdir GET "${j}" tests ${t} properties ${p} value)
      elseif(pname STREQUAL "TIMEOUT")
        string(JSON timeout GET "${j}" tests ${t} properties ${p} value)
      elseif(pname STREQUAL "RESOURCE_LOCK")
        set(locked 1)
      elseif(pname STREQUAL "ENVIRONMENT")
        string(JSON envc LENGTH "${j}" tests ${t} properties ${p} value)
        math(EXPR elast "${envc} - 1")
        foreach(e RANGE ${elast})
          string(JSON entry GET "${j}" tests ${t} properties ${p} value ${e})
          quoted(entry "${entry}")
          string(APPEND env " ${entry}")
        endforeach()
      endif()
    endforeach()
  endif()
  set(command "")
  math(EXPR alast "${argc} - 1")
  foreach(a RANGE ${alast})
    string(JSON arg GET "${j}" tests ${t} command ${a})
    quoted(arg "${arg}")
    string(APPEND command " ${arg}")
  endforeach()
  quoted(workdir "${workdir}")
  string(REGEX REPLACE "\\..*" "" timeout "${timeout}")
  file(WRITE "${out}/${name}.run"
    "cd ${workdir} || exit 125\nexec env${env} timeout -k 10 ${timeout}${command}\n")
  file(APPEND "${out}/tests.list" "${name} ${locked}\n")
endforeach()
EOF

# One run: FOLDER NAME INDEX; keeps the log only when the run fails.
cat >"$work/one.sh" <<'EOF'
out=$1 name=$2 i=$3
log="$out/$name.$i.log"
bash "$out/$name.run" </dev/null >"$log" 2>&1
rc=$?
echo "$name $i $rc" >>"$out/results"
((rc == 0)) && rm -f "$log"
echo -n . >&2
EOF

rows=()
failed_logs=()
for b in "${builds[@]}"; do
  bdir=$(dir_of "$b")
  out="$work/$bdir"
  mkdir -p "$out"
  : >"$out/results"
  ctest --test-dir "$bdir" --show-only=json-v1 -R "$pattern" >"$out/tests.json"
  cmake -Djson="$out/tests.json" -Dout="$out" -P "$work/tests.cmake"
  mapfile -t tests <"$out/tests.list"
  ((${#tests[@]})) || { echo "No test in $bdir matches '$pattern'" >&2; exit 1; }
  : >"$out/pool" && : >"$out/lane"
  for ((i = 1; i <= runs; i++)); do
    for t in "${tests[@]}"; do
      read -r name locked <<<"$t"
      if ((locked)); then echo "$name $i" >>"$out/lane"; else echo "$name $i" >>"$out/pool"; fi
    done
  done
  echo "$bdir: ${#tests[@]} tests x $runs runs" >&2
  xargs -r -P "$jobs" -L 1 bash "$work/one.sh" "$out" <"$out/pool" &
  pool=$!
  xargs -r -P 1 -L 1 bash "$work/one.sh" "$out" <"$out/lane" &
  lane=$!
  wait "$pool" "$lane" || true
  echo >&2
  for t in "${tests[@]}"; do
    read -r name _ <<<"$t"
    done_runs=$(grep -c "^$name [0-9]* " "$out/results" || true)
    fails=$(grep -c "^$name [0-9]* [1-9]" "$out/results" || true)
    rows+=("$name $bdir $done_runs $fails")
  done
  for log in "$out"/*.log; do [[ -e $log ]] && failed_logs+=("$log"); done
done

echo
printf '%-28s %-11s %6s %9s\n' test build runs failures
total=0
for r in "${rows[@]}"; do
  read -r name bdir n f <<<"$r"
  printf '%-28s %-11s %6d %9d\n' "$name" "$bdir" "$n" "$f"
  total=$((total + f))
done
if ((${#failed_logs[@]})); then
  mkdir -p "$work/failed"
  echo
  echo "Failed runs (logs kept in $work/failed):"
  for log in "${failed_logs[@]}"; do
    b=$(basename "$(dirname "$log")")
    kept="$work/failed/$b-$(basename "$log")"
    mv "$log" "$kept"
    why=$(grep -m1 -E 'FAIL!|FAIL \(|did not start|ERROR: AddressSanitizer|LeakSanitizer|runtime error|Loc:' "$kept" ||
      tail -n 1 "$kept")
    echo "  $(basename "$kept"): $why"
  done
else
  rm -rf "$work"
fi
((total == 0))
